#include "manager/SlideBuild.h"

#include <algorithm>

#include "host/Properties.h"
#include "screen/FrameClock.h"
#include "screen/ScreenAnimation.h"

namespace {

const uint32_t kNone = 0xFFFFFFFFu;
const wchar_t kNoTrigger[] = L"-1";
const wchar_t kTriggerSuffix[] = L"Trig";
const int32_t kMediaClass = 5;

// Moves a group start that is not on a frame boundary by one frame.
uint32_t OntoFrame(uint32_t time, uint32_t frame) {
  return time % frame ? time + frame : time;
}

bool IsMedia(const boost::shared_ptr<IAnimationEffect>& effect) {
  return GetInt(effect, ePropPresetClass) == kMediaClass;
}

bool BuildsByParagraph(const boost::shared_ptr<IAnimationEffect>& effect) {
  return Has(effect, ePropByParagraph) && GetBool(effect, ePropByParagraph);
}

}  // namespace

void AnimationManager::BuildSlide(const boost::shared_ptr<ISlide>& slide, int32_t a, int32_t b) {
  boost::shared_ptr<IEffectList> effects = slide ? slide->GetEffectList(a, b) : nullptr;
  if (!effects) {
    slideLength_ = 0;
    slideLengthAfterTriggers_ = 0;
    return;
  }
  mediaSource_ = effects;
  if (publishContext_) publishContext_->ResetPathSegments();
  SlideBuild(*this, slide, effects).Run();
}

SlideBuild::SlideBuild(AnimationManager& manager, const boost::shared_ptr<ISlide>& slide,
                       const boost::shared_ptr<IEffectList>& effects)
    : manager_(manager),
      slide_(slide),
      effects_(effects),
      frame_(frame_clock::FrameLength(manager.publishContext_->FrameRate())),
      defaultLength_(frame_clock::DefaultLength(manager.publishContext_->DefaultEffectFrames(),
                                                manager.publishContext_->FrameRate())),
      timeline_(manager.htmlManager_, frame_) {}

void SlideBuild::Run() {
  clickStart_ = defaultLength_;
  if (boost::shared_ptr<ITransition> transition = slide_->GetTransition())
    clickStart_ = std::max(clickStart_, transition->GetDuration());
  const uint32_t count = effects_->GetEffectCount();
  keptCount_ = count;

  CountTargets();
  MarkBackgroundEffects();
  timeline_.Open();
  for (uint32_t i = 0; i < count; ++i)
    if (boost::shared_ptr<IAnimationEffect> effect = effects_->GetEffect(i)) BuildEffect(i, effect);
  timeline_.Close();

  manager_.hasAnimations_ = keptCount_ != 0;
  afterOffset_ += lastEnd_;
  clickStart_ = OntoFrame(clickStart_ + afterOffset_, frame_);
  manager_.slideLength_ = clickStart_;
  manager_.slideLengthAfterTriggers_ =
      triggerTime_ < clickStart_ ? clickStart_ - triggerTime_ : clickStart_;
  slide_->SetLength(manager_.slideLengthAfterTriggers_);
  FinishShapeEndTimes();
}

void SlideBuild::CountTargets() {
  for (uint32_t i = 0; i < effects_->GetEffectCount(); ++i) {
    boost::shared_ptr<IAnimationEffect> effect = effects_->GetEffect(i);
    if (!effect || IsMedia(effect)) continue;
    const std::wstring target = effect->GetTargetId();
    ++countByTarget_[target];
    if (BuildsByParagraph(effect) && std::find(paragraphTargets_.begin(), paragraphTargets_.end(),
                                               target) == paragraphTargets_.end())
      paragraphTargets_.push_back(target);
  }
}

// An effect that animates the whole shape while another builds its paragraphs
// animates the shape's background part only.
void SlideBuild::MarkBackgroundEffects() {
  for (uint32_t i = 0; i < effects_->GetEffectCount(); ++i) {
    boost::shared_ptr<IAnimationEffect> effect = effects_->GetEffect(i);
    if (!effect || IsMedia(effect) || BuildsByParagraph(effect)) continue;
    if (std::find(paragraphTargets_.begin(), paragraphTargets_.end(), effect->GetTargetId()) !=
        paragraphTargets_.end())
      SetBool(effect, ePropAnimateBackground, true);
  }
}

boost::shared_ptr<IShape> SlideBuild::FindShapeById(const std::wstring& id) {
  for (uint32_t i = 0; i < slide_->GetShapeCount(); ++i) {
    boost::shared_ptr<IShape> shape = slide_->GetShape(i);
    if (shape && shape->GetId() == id) return shape;
  }
  return boost::shared_ptr<IShape>();
}

bool SlideBuild::DroppedByPlaceholderRules(const boost::shared_ptr<IShape>& shape) {
  const int type = GetInt(shape, ePropPlaceholderType);
  if (type == 0) return false;
  const int32_t kind = slide_->GetSlideKind();
  if (kind == 1 || kind == 2) return true;
  if (!ParserUtils::GetShapeText(shape).empty()) return false;
  if (type == 2 || type == 4) return !ParserUtils::HasFill(shape) && !ParserUtils::HasLine(shape);
  return Supports(shape, eIidTextBody17);
}

bool SlideBuild::KeepEffectOn3dShape(const boost::shared_ptr<IAnimationEffect>& effect,
                                     const boost::shared_ptr<IShape>& shape) {
  if (Supports(shape, eIidShapeKind61) || Supports(shape, eIidShapeKind25) ||
      Supports(shape, eIidShapeKind16))
    return true;
  if (Supports(shape, eIidShapeKind22) && GetBool(effect, ePropFlag325)) return false;
  if (ParserUtils::NumVisibleParagraphs(shape) != 0) {
    const std::wstring target = effect->GetTargetId();
    for (uint32_t i = 0; i < effects_->GetEffectCount(); ++i) {
      boost::shared_ptr<IAnimationEffect> other = effects_->GetEffect(i);
      if (other && !IsMedia(other) && other->GetTargetId() == target &&
          GetBool(other, ePropByParagraph))
        return false;
    }
  }
  return !GetBool(effect, ePropWholeText) && !GetBool(effect, ePropByParagraph);
}

bool SlideBuild::StartGroupIfNeeded(const boost::shared_ptr<IAnimationEffect>& effect) {
  boost::shared_ptr<TriggerCondition> trigger = effect->GetTriggerCondition();
  const bool changed = trigger != lastTrigger_;
  const bool newGroup = manager_.steps_.empty() || (trigger && changed);
  lastTrigger_ = trigger;
  if (changed) previousAnimation_.reset();
  return newGroup;
}

void SlideBuild::AddNameToLastStep(const std::wstring& name) {
  if (manager_.steps_.empty()) return;
  std::vector<std::wstring>& names = manager_.steps_.back().shapeNames;
  if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// Closes the running group and returns the start of the next one.
uint32_t SlideBuild::AdvanceToNextClick() {
  if (lastEnd_ != kNone) afterOffset_ += lastEnd_;
  clickStart_ = OntoFrame(clickStart_ + afterOffset_, frame_);
  if (!manager_.steps_.empty()) manager_.steps_.back().endTime = clickStart_;
  return clickStart_;
}

void SlideBuild::BuildEffect(uint32_t index, const boost::shared_ptr<IAnimationEffect>& effect) {
  triggerObjectId_ = kNoTrigger;
  triggerBookmark_ = kNoTrigger;
  const std::wstring target = effect->GetTargetId();
  boost::shared_ptr<IShape> shape = FindShapeById(target);
  if (!shape) return;
  if (DroppedByPlaceholderRules(shape)) {
    --keptCount_;
    return;
  }

  boost::shared_ptr<TriggerCondition> trigger = effect->GetTriggerCondition();
  if (trigger && trigger->target) {
    const uint32_t event = trigger->event.Get();
    if (event == eTriggerOnClick) {
      triggerObjectId_ =
          trigger->target->useFirstName ? trigger->target->firstName : trigger->target->secondName;
    } else if (event == eTriggerOnBookmark) {
      triggerBookmark_ = trigger->target->secondName;
      triggerObjectId_ = trigger->target->firstName + kTriggerSuffix;
    }
  }
  const int32_t nodeType = GetInt(effect, ePropNodeType);
  if (IsMedia(effect)) {
    BuildMedia(index, effect);
    return;
  }

  boost::shared_ptr<IScreenAnimation> animation =
      manager_.animationFactory_(effect, manager_.publishContext_);
  if (!animation) return;
  animation->ComputeDuration(shape);
  animation->AttachHtmlManager(manager_.htmlManager_);

  bool keep = true;
  bool flag = true;
  if (ParserUtils::NumSmartArtElem(shape) == 0 && !ParserUtils::IsRasterParagraph(shape) &&
      ParserUtils::Is3dShape(shape, flag) && flag && countByTarget_[target] != 0)
    keep = KeepEffectOn3dShape(effect, shape);

  if (ParserUtils::IsUnsupportedShape(shape) && !ProcessAdmin::UsePowerpoint()) return;

  int32_t kind = 0;
  if (nodeType == 0) {
    previousNodeType_ = 0;
  } else if (nodeType == 1) {
    kind = 1;
    animation->SetTag(previousNodeType_);
  } else if (nodeType == 2) {
    kind = 2;
    previousNodeType_ = 2;
  }

  int32_t timingKind = kind;
  if (StartGroupIfNeeded(effect)) {
    timingKind = 0;
    if (nodeType == 1) {
      animation->SetTag(0);
      previousNodeType_ = 0;
    }
  }

  const uint32_t delay = static_cast<uint32_t>(GetInt(effect, ePropDelay));
  uint32_t duration = animation->GetDuration();
  if (duration == kNone) duration = defaultLength_;
  if (timingKind == 0) {
    if (nodeType != 0 && atSlideStart_ && !trigger)
      animation->ComputeInitiallyHidden();
    else
      atSlideStart_ = false;
  } else if (timingKind == 1) {
    if (atSlideStart_) animation->ComputeInitiallyHidden();
  } else {
    atSlideStart_ = false;
  }
  const uint32_t added = Place(index, timingKind, delay, duration + delay, target, keep, kind,
                               [&animation](uint32_t start) { animation->SetStartTime(start); });
  if (timingKind == 2 && previousAnimation_) previousAnimation_->MarkClickSubAnimations();

  std::wstring effectId;
  animation->GetEffectId(effectId);
  animation->SetHtmlDelayOffset(timeline_.Add(kind, duration + delay, static_cast<bool>(trigger),
                                              triggerObjectId_, effectId));

  if (!keep) return;
  if (triggerObjectId_ != kNoTrigger) triggerTime_ += added;
  manager_.shapeAnimations_[target].animations.push_back(animation);
  previousAnimation_ = animation;
}

void SlideBuild::BuildMedia(uint32_t index, const boost::shared_ptr<IAnimationEffect>& effect) {
  const std::wstring target = effect->GetTargetId();
  boost::shared_ptr<IMedia> video = effects_->FindVideo(target);
  boost::shared_ptr<IMedia> sound = effects_->FindSound(target);
  if (!video && !sound) return;

  int32_t nodeType = GetInt(effect, ePropNodeType);
  if (nodeType < 0 || nodeType > 2) nodeType = 0;
  int32_t kind = nodeType;
  if (StartGroupIfNeeded(effect)) kind = 0;

  const double start = Has(effect, ePropMediaStart) ? GetDouble(effect, ePropMediaStart) : 0.0;
  const uint32_t delay =
      Has(effect, ePropDelay) ? static_cast<uint32_t>(GetInt(effect, ePropDelay)) : 0;

  if (!video) {
    if (delay != 0) SetInt(sound, ePropDelay, static_cast<int>(delay));
    CopyMediaSettings(sound, start);
    const int repeat = Has(sound, ePropMediaRepeatCount) ? GetInt(sound, ePropMediaRepeatCount) : 0;
    const uint32_t duration = Has(effect, ePropMediaDuration)
                                  ? static_cast<uint32_t>(GetInt(effect, ePropMediaDuration))
                                  : 0;
    const uint32_t total = repeat > 1 ? duration * static_cast<uint32_t>(repeat) : duration;
    SetInt(sound, ePropMediaDuration, static_cast<int>(duration));
    const uint32_t htmlIndex =
        manager_.htmlManager_ ? manager_.htmlManager_->GetUniqueAnimCount() : 0;
    SetInt(sound, ePropHtmlAnimIndex, static_cast<int>(htmlIndex));
    const uint32_t added =
        RecordMediaStep(index, kind, nodeType, delay, duration, total, ePropSoundStartTime, sound);
    const bool toDefault = duration == kNone || duration == 1;
    const uint32_t length = (toDefault ? defaultLength_ : duration) + delay;
    const uint32_t offset =
        timeline_.Add(nodeType, length, static_cast<bool>(effect->GetTriggerCondition()),
                      triggerObjectId_, L"audio_ID" + std::to_wstring(htmlIndex));
    SetInt(sound, ePropClickOffset, static_cast<int>(offset));
    CollectBookmarkTriggers(sound, added, false);
    return;
  }
  CopyMediaSettings(video, start);
  const uint32_t added =
      RecordMediaStep(index, kind, nodeType, delay, kNone, kNone, ePropVideoStartTime, video);
  CollectBookmarkTriggers(video, added, true);
}

void SlideBuild::CopyMediaSettings(const boost::shared_ptr<IMedia>& media, double start) {
  boost::shared_ptr<IShape> shape = FindShapeById(media->GetId());
  const double trimStart =
      Has(shape, ePropMediaTrimStart) ? GetDouble(shape, ePropMediaTrimStart) : 0.0;
  SetDouble(media, ePropMediaStart, trimStart / 1000.0 + start);
  const double trimEnd = Has(shape, ePropMediaTrimEnd) ? GetDouble(shape, ePropMediaTrimEnd) : 0.0;
  SetDouble(media, ePropMediaEnd, trimEnd);
  SetInt(media, ePropMediaSetting122, GetInt(shape, ePropMediaSetting122));
  SetInt(media, ePropMediaSetting123, GetInt(shape, ePropMediaSetting123));
}

uint32_t SlideBuild::RecordMediaStep(uint32_t index, int32_t kind, int32_t nodeType, uint32_t delay,
                                     uint32_t duration, uint32_t total, EPropertyId startKey,
                                     const boost::shared_ptr<IMedia>& media) {
  const bool toDefault = duration == kNone || duration == 1;
  const uint32_t length = toDefault ? defaultLength_ + delay : delay + total;
  return Place(
      index, kind, delay, length, media->GetId() + kTriggerSuffix, true, nodeType,
      [&media, startKey](uint32_t start) { SetInt(media, startKey, static_cast<int>(start)); });
}

uint32_t SlideBuild::Place(uint32_t index, int32_t timingKind, uint32_t delay, uint32_t length,
                           const std::wstring& name, bool kept, int32_t sequenceKind,
                           const std::function<void(uint32_t)>& setStart) {
  if (timingKind == 0) {
    AdvanceToNextClick();
    stepStart_ = clickStart_ + (index != 0 ? frame_ : 0);
    setStart(delay + stepStart_);
    AnimationStep step;
    step.startTime = stepStart_;
    step.kept = kept;
    step.triggerObjectId = triggerObjectId_;
    step.sequenceKind = sequenceKind;
    step.triggerBookmark = triggerBookmark_;
    step.shapeNames.push_back(name);
    manager_.steps_.push_back(step);
    clickStart_ = stepStart_;
    lastEnd_ = length;
    afterOffset_ = 0;
    return lastEnd_;
  }
  AddNameToLastStep(name);
  if (timingKind == 1) {
    setStart(delay + stepStart_);
    const uint32_t old = lastEnd_;
    lastEnd_ = std::max(lastEnd_, length);
    return lastEnd_ - old;
  }
  afterOffset_ += lastEnd_;
  stepStart_ = afterOffset_ + clickStart_;
  setStart(delay + stepStart_);
  lastEnd_ = length;
  return lastEnd_;
}

void SlideBuild::CollectBookmarkTriggers(const boost::shared_ptr<IMedia>& media, uint32_t added,
                                         bool isVideo) {
  if (triggerObjectId_ != kNoTrigger) triggerTime_ += added;
  boost::shared_ptr<IShape> shape = FindShapeById(media->GetId());
  boost::shared_ptr<PropertySheetList> bookmarks = GetSheetList(shape, ePropBookmarks);
  if (!bookmarks) return;
  for (size_t i = 0; i < bookmarks->GetCount(); ++i) {
    boost::shared_ptr<IInterface> bookmark = bookmarks->GetItem(i);
    BookmarkTrigger record;
    record.bookmarkName = GetString(bookmark, ePropBookmarkName);
    record.time = GetDouble(bookmark, ePropBookmarkTime);
    // A video's bookmarks count from where it starts playing; a sound's stay
    // as authored.
    if (isVideo) {
      if (Has(media, ePropMediaStart)) record.time -= GetDouble(media, ePropMediaStart) * 1000.0;
      if (!(record.time > 0.0)) record.time = 0.0;
    }
    record.triggerObjectId = media->GetId() + kTriggerSuffix;
    manager_.bookmarkTriggers_.push_back(record);
  }
}

void SlideBuild::FinishShapeEndTimes() {
  for (auto& entry : manager_.shapeAnimations_) {
    uint32_t t = manager_.slideLength_;
    if (!entry.second.animations.empty()) {
      const boost::shared_ptr<IScreenAnimation>& last = entry.second.animations.back();
      const uint32_t end = last->GetStartTime() + last->GetDuration();
      if (last->GetPresetClass() == 1 && t >= end) t = end;
    }
    entry.second.startTime.Set(kNone);
    entry.second.endTime.Set(t);
  }
}
