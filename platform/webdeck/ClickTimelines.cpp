// The HTML converter's per-deck collection of effect records, sounds and click
// timelines, and its process-wide slide object.
#include <memory>
#include <string>
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

namespace {

using nlohmann::ordered_json;

std::string Dump(const ordered_json& value) {
  return value.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

void AppendEffect(const WebdeckAnimationContent& content, std::string& out) {
  out += "{\"id\":";
  WEBDECK::AppendJsonString(content.GetEffectId(), out);
  out += ",\"target\":";
  WEBDECK::AppendJsonString(content.GetTargetName(), out);
  out += ",\"presetClass\":";
  out += std::to_string(content.presetClass);
  out += ",\"properties\":";
  WEBDECK::AppendJson(*content.GetHTMLObj(), out);
  out += '}';
}

}  // namespace

void WebdeckAnimationManager::WriteContents() {
  for (const auto& content : contents_) {
    if (!writtenContents_.empty()) writtenContents_ += ',';
    AppendEffect(*content, writtenContents_);
  }
  contents_.clear();
  contents_.shrink_to_fit();
}

// Written member by member, as dump() writes the whole document: the effect
// records may already be text.
std::string WebdeckAnimationManager::GetJsonText() const {
  std::string text = "{\"effects\":[";
  text += writtenContents_;
  bool first = writtenContents_.empty();
  for (const auto& content : contents_) {
    if (!first) text += ',';
    first = false;
    AppendEffect(*content, text);
  }
  text += "],";

  ordered_json sounds = ordered_json::object();
  for (const auto& sound : sounds_) {
    std::string name = platform::ToUtf8(sound.first);
    if (!sounds.contains(name)) sounds[name] = ordered_json::array();
    sounds[name].push_back(WEBDECK::ToJson(*sound.second));
  }
  text += "\"sounds\":";
  text += Dump(sounds);

  // A click at a time: a deck's main timeline holds every click of the deck.
  text += ",\"timelines\":[";
  for (size_t t = 0; t < timelines_.size(); ++t) {
    if (t > 0) text += ',';
    text += "{\"trigger\":";
    text += Dump(platform::ToUtf8(timelines_[t]->GetShapeId()));
    text += ",\"clicks\":[";
    const auto& clicks = timelines_[t]->GetClicks();
    for (size_t i = 0; i < clicks.size(); ++i) {
      if (i > 0) text += ',';
      ordered_json c = ordered_json::object();
      c["start"] = clicks[i]->GetStartTime();
      ordered_json animations = ordered_json::array();
      for (const auto& id : clicks[i]->GetAnimations()) animations.push_back(platform::ToUtf8(id));
      c["animations"] = std::move(animations);
      text += Dump(c);
    }
    text += "]}";
  }
  text += ']';
  text += '}';
  return text;
}

std::wstring WebdeckAnimationManager::GetJsonContent() const {
  return platform::FromUtf8(GetJsonText());
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
