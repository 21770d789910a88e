// The HTML converter's per-deck collection of effect records, sounds and click
// timelines, and its process-wide slide object.
#include <memory>
#include <utility>

#include <boost/make_shared.hpp>

#include "common/Utf8.h"
#include "webdeck/JsonNode.h"

WebdeckAnimationContent::WebdeckAnimationContent(const std::wstring& targetName,
                                                 const std::wstring& effectId)
    : targetName_(targetName),
      effectId_(effectId),
      object_(boost::make_shared<WEBDECK::PptxHTMLObjPropHolder>("")) {}

ClickContent::ClickContent(uint32_t start) : start_(start) {}
void ClickContent::AddAnimToClick(const std::wstring& animationId) {
  animations_.push_back(animationId);
}

TimeLineAnim::TimeLineAnim() = default;
void TimeLineAnim::SetShapeId(const std::wstring& id) {
  shapeId_ = id;
}
void TimeLineAnim::AddClickEffect(const boost::shared_ptr<ClickContent>& click) {
  if (click) clicks_.push_back(click);
}
uint32_t TimeLineAnim::NumClickEffect() const {
  return static_cast<uint32_t>(clicks_.size());
}
boost::shared_ptr<ClickContent> TimeLineAnim::PopClickEffect() {
  if (clicks_.empty()) return boost::shared_ptr<ClickContent>();
  boost::shared_ptr<ClickContent> last = clicks_.back();
  clicks_.pop_back();
  return last;
}

WebdeckAnimationManager::WebdeckAnimationManager() = default;

void WebdeckAnimationManager::AddAnimContent(
    const boost::shared_ptr<WebdeckAnimationContent>& content) {
  if (content) contents_.push_back(content);
}

void WebdeckAnimationManager::AddAnimObjToList(
    const std::wstring& soundName,
    const boost::shared_ptr<WEBDECK::PptxHTMLObjPropHolder>& object) {
  if (object) sounds_.emplace_back(soundName, object);
}

uint32_t WebdeckAnimationManager::GetUniqueAnimCount() {
  return uniqueCount_++;
}

void WebdeckAnimationManager::AddTimeLineAnim(const boost::shared_ptr<TimeLineAnim>& timeline) {
  if (!timeline) return;
  for (auto& existing : timelines_) {
    if (existing == timeline) return;
    if (existing->GetShapeId() == timeline->GetShapeId()) {
      existing = timeline;
      return;
    }
  }
  timelines_.push_back(timeline);
}

boost::shared_ptr<TimeLineAnim> WebdeckAnimationManager::GetTimeLineAnim(
    const std::wstring& shapeId) const {
  for (const auto& timeline : timelines_)
    if (timeline->GetShapeId() == shapeId) return timeline;
  return boost::shared_ptr<TimeLineAnim>();
}

std::wstring WebdeckAnimationManager::GetJsonContent() const {
  using nlohmann::ordered_json;
  ordered_json doc = ordered_json::object();

  ordered_json effects = ordered_json::array();
  for (const auto& content : contents_) {
    ordered_json effect = ordered_json::object();
    effect["id"] = platform::ToUtf8(content->GetEffectId());
    effect["target"] = platform::ToUtf8(content->GetTargetName());
    effect["presetClass"] = content->presetClass;
    effect["properties"] = WEBDECK::ToJson(*content->GetHTMLObj());
    effects.push_back(std::move(effect));
  }
  doc["effects"] = std::move(effects);

  ordered_json sounds = ordered_json::object();
  for (const auto& sound : sounds_) {
    std::string name = platform::ToUtf8(sound.first);
    if (!sounds.contains(name)) sounds[name] = ordered_json::array();
    sounds[name].push_back(WEBDECK::ToJson(*sound.second));
  }
  doc["sounds"] = std::move(sounds);

  ordered_json timelines = ordered_json::array();
  for (const auto& timeline : timelines_) {
    ordered_json entry = ordered_json::object();
    entry["trigger"] = platform::ToUtf8(timeline->GetShapeId());
    ordered_json clicks = ordered_json::array();
    for (const auto& click : timeline->GetClicks()) {
      ordered_json c = ordered_json::object();
      c["start"] = click->GetStartTime();
      ordered_json animations = ordered_json::array();
      for (const auto& id : click->GetAnimations()) animations.push_back(platform::ToUtf8(id));
      c["animations"] = std::move(animations);
      clicks.push_back(std::move(c));
    }
    entry["clicks"] = std::move(clicks);
    timelines.push_back(std::move(entry));
  }
  doc["timelines"] = std::move(timelines);

  std::string text = doc.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
  doc = ordered_json();  // the text is all that is needed now
  return platform::FromUtf8(text);
}

namespace {

class WebdeckSlide : public IWebdeckSlide {
 public:
  WebdeckSlide() : manager_(boost::make_shared<WebdeckAnimationManager>()) {}
  boost::shared_ptr<WebdeckAnimationManager> GetAnimationManager() override { return manager_; }

 private:
  boost::shared_ptr<WebdeckAnimationManager> manager_;
};

std::unique_ptr<WebdeckSlide>& Instance() {
  static std::unique_ptr<WebdeckSlide> instance;
  return instance;
}

}  // namespace

IWebdeckSlide* IWebdeckSlide::GetInstance() {
  std::unique_ptr<WebdeckSlide>& instance = Instance();
  if (!instance) instance.reset(new WebdeckSlide());
  return instance.get();
}

void IWebdeckSlide::ResetInstance() {
  Instance().reset();
}
