#include "manager/AnimationManager.h"

#include <set>
#include <stdexcept>

#include <boost/make_shared.hpp>

#include "host/Properties.h"
#include "screen/FrameClock.h"
#include "screen/MediaAnimation.h"
#include "screen/ScreenAnimation.h"

namespace {

const uint32_t kNone = 0xFFFFFFFFu;

// Hides a node: the parts of a shape target one by one, else the node's own
// colour transform.
void HideNode(const boost::shared_ptr<IScreenObject>& node) {
  if (boost::shared_ptr<IShapeTarget> target = QueryAs<IShapeTarget>(node, eIidShapeTarget)) {
    for (uint32_t i = 0; i < target->GetChildCount(); ++i) HideNode(target->GetChild(i));
    return;
  }
  if (boost::shared_ptr<IShapeContext> shape = QueryAs<IShapeContext>(node, eIidScreenShape9))
    if (Kinefold::TColorMatrix* colour = shape->GetColorTransform()) colour->alphaMul = 0.0;
}

void HideRevealed(const boost::shared_ptr<IScreenObject>& node,
                  const std::set<std::wstring>& revealed) {
  if (!node) return;
  std::wstring name;
  node->GetName(name);
  if (revealed.count(name)) {
    HideNode(node);
    return;
  }
  if (boost::shared_ptr<IChildList> children = QueryAs<IChildList>(node, eIidChildList))
    for (uint32_t i = 0; i < children->GetChildCount(); ++i)
      HideRevealed(children->GetChild(i), revealed);
}

}  // namespace

AnimationManager::AnimationManager(const boost::shared_ptr<PublishContext>& context)
    : publishContext_(context ? context : boost::make_shared<PublishContext>()),
      animationFactory_(CreateScreenAnimation) {
  if (IWebdeckSlide* slide = IWebdeckSlide::GetInstance())
    htmlManager_ = slide->GetAnimationManager();
}

AnimationManager::~AnimationManager() = default;

bool AnimationManager::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                      EInterfaceId id) {
  if (id != eIidAnimationManager) return false;
  return AnswerInterface<IAnimationManager>(this, out, sharesOwner);
}

uint32_t AnimationManager::GetShapeStartTime(std::wstring shapeId) {
  auto it = shapeAnimations_.find(shapeId);
  return it == shapeAnimations_.end() ? kNone : it->second.startTime.Get();
}

uint32_t AnimationManager::GetShapeEndTime(std::wstring shapeId) {
  auto it = shapeAnimations_.find(shapeId);
  return it == shapeAnimations_.end() ? kNone : it->second.endTime.Get();
}

uint32_t AnimationManager::GetShapeAnimationCount(std::wstring shapeId) {
  auto it = shapeAnimations_.find(shapeId);
  return it == shapeAnimations_.end() ? 0 : static_cast<uint32_t>(it->second.animations.size());
}

void AnimationManager::GetShapeAnimation(boost::shared_ptr<IScreenAnimation>& out,
                                         std::wstring shapeId, uint32_t index) {
  auto it = shapeAnimations_.find(shapeId);
  if (it == shapeAnimations_.end() || index >= it->second.animations.size())
    throw std::out_of_range("invalid vector<T> subscript");
  out = it->second.animations[index];
}

void AnimationManager::GetAudioAnimation(boost::shared_ptr<IAudioAnimation>& out,
                                         const std::wstring& mediaId) {
  out.reset();
  if (!mediaSource_) return;
  for (uint32_t i = 0; i < mediaSource_->GetSoundCount(); ++i) {
    boost::shared_ptr<IMedia> sound = mediaSource_->GetSound(i);
    if (sound && sound->GetId() == mediaId) {
      out = boost::make_shared<AudioAnimation>(sound);
      return;
    }
  }
}

void AnimationManager::GetVideoAnimation(boost::shared_ptr<IVideoAnimation>& out,
                                         const std::wstring& mediaId) {
  out.reset();
  if (!mediaSource_) return;
  for (uint32_t i = 0; i < mediaSource_->GetVideoCount(); ++i) {
    boost::shared_ptr<IMedia> video = mediaSource_->GetVideo(i);
    if (video && video->GetId() == mediaId) {
      out = boost::make_shared<VideoAnimation>(video);
      return;
    }
  }
}

void AnimationManager::HideRevealedParts(const boost::shared_ptr<IScreenObject>& object,
                                         bool ignoreHidden) {
  if (!object) return;
  std::wstring id;
  object->GetName(id);
  auto it = shapeAnimations_.find(id);
  if (it == shapeAnimations_.end()) return;

  std::set<std::wstring> revealed;
  std::map<std::wstring, uint32_t> others;
  for (const auto& animation : it->second.animations) {
    bool hidden = !ignoreHidden && animation->IsInitiallyHidden() != 0;
    if (animation->GetPresetClass() == 0 || hidden) {
      std::map<std::wstring, uint32_t> names;
      animation->CollectTargetNames(names);
      for (const auto& name : names)
        if (!others.count(name.first)) revealed.insert(name.first);
    } else {
      animation->CollectTargetNames(others);
    }
  }
  if (!revealed.empty()) HideRevealed(object, revealed);
}

void AnimationManager::GetStep(AnimationStep& out, uint32_t index) {
  if (index < steps_.size()) out = steps_[index];
}

void AnimationManager::GetBookmarkTrigger(BookmarkTrigger& out, uint32_t index) {
  if (index < bookmarkTriggers_.size()) out = bookmarkTriggers_[index];
}

bool AnimationManager::IsShapeActiveAt(const boost::shared_ptr<IShape>& shape, uint32_t time) {
  if (!shape) return true;
  const uint64_t frame = frame_clock::FrameLength(publishContext_->FrameRate());
  auto it = shapeAnimations_.find(shape->GetId());
  if (it == shapeAnimations_.end() || time < frame) return true;
  for (const auto& animation : it->second.animations) {
    uint64_t start = animation->GetStartTime();
    uint64_t end = start + animation->GetDuration() + 3 * frame;
    if (start <= time && time <= end) return true;
  }
  return false;
}

bool AnimationManager::HasMarkedAnimation(std::wstring shapeId) {
  auto it = shapeAnimations_.find(shapeId);
  if (it == shapeAnimations_.end()) return false;
  for (const auto& animation : it->second.animations) {
    boost::shared_ptr<ScreenAnimation> compiled =
        QueryAs<ScreenAnimation>(animation, eIidScreenAnimation);
    if (compiled && !GetString(compiled->GetEffectNode(), ePropAnimationMark).empty()) return true;
  }
  return false;
}

std::wstring AnimationManager::GetJsonContent() {
  if (!htmlManager_) return std::wstring();
  return htmlManager_->GetJsonContent();
}
