#include "manager/ClickTimeline.h"

#include <algorithm>

#include <boost/make_shared.hpp>

namespace {
const uint32_t kNone = 0xFFFFFFFFu;
}

ClickTimeline::ClickTimeline(const boost::shared_ptr<WebdeckAnimationManager>& manager,
                             uint32_t frame)
    : manager_(manager), frame_(frame) {}

void ClickTimeline::Open() {
  if (!manager_) return;
  timeline_ = manager_->GetTimeLineAnim(std::wstring());
  if (!timeline_) {
    timeline_ = boost::make_shared<TimeLineAnim>();
    click_ = boost::make_shared<ClickContent>(0);
    clickContentStart_ = 0;
    lastAnimTime_ = 0;
    seqOffset_ = 0;
    return;
  }
  click_ = timeline_->PopClickEffect();
  // A stored timeline without clicks continues like a fresh one.
  if (!click_) click_ = boost::make_shared<ClickContent>(0);
  clickContentStart_ = click_->GetStartTime();
  lastAnimTime_ = manager_->GetLastAnimTime();
  seqOffset_ = manager_->GetLastAnimTimeSeq();
}

uint32_t ClickTimeline::Add(int32_t kind, uint32_t length, bool hasTrigger,
                            const std::wstring& triggerObjectId, const std::wstring& animationId) {
  if (!manager_ || !timeline_) return 0;
  bool newClick = false;
  if (kind == 0) {
    uint32_t add = seqOffset_ + (lastAnimTime_ != kNone ? lastAnimTime_ : 0);
    lastAnimTime_ = length;
    uint32_t t = clickContentStart_ + add;
    seqOffset_ = 0;
    timeline_->AddClickEffect(click_);
    if (timeline_->NumClickEffect() > 1) t += frame_;
    t += frame_;
    clickContentStart_ = t;
    click_ = boost::make_shared<ClickContent>(t);
    newClick = true;
  } else if (kind == 1) {
    lastAnimTime_ = std::max(lastAnimTime_, length);
  } else if (kind == 2) {
    seqOffset_ += lastAnimTime_;
    lastAnimTime_ = length;
  }
  const uint32_t offset = seqOffset_;

  if (hasTrigger && timeline_->GetShapeId() != triggerObjectId) {
    if (!newClick) {
      timeline_->AddClickEffect(click_);
      click_ = boost::make_shared<ClickContent>(clickContentStart_);
    }
    boost::shared_ptr<TimeLineAnim> found = manager_->GetTimeLineAnim(triggerObjectId);
    if (!found) {
      clickContentStart_ = 0;
      manager_->AddTimeLineAnim(timeline_);
      timeline_ = boost::make_shared<TimeLineAnim>();
      timeline_->SetShapeId(triggerObjectId);
      click_ = boost::make_shared<ClickContent>(0);
    } else {
      timeline_ = found;
    }
  }
  click_->AddAnimToClick(animationId);
  return offset;
}

void ClickTimeline::Close() {
  if (!manager_ || !timeline_) return;
  timeline_->AddClickEffect(click_);
  manager_->AddTimeLineAnim(timeline_);
  manager_->SetLastAnimTime(lastAnimTime_);
  manager_->SetLastAnimTimeSeq(seqOffset_);
}
