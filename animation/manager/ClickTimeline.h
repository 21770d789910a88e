// The web click timeline that a slide build feeds: which effects and sounds
// play after which click, on the main sequence and on each trigger object.
#pragma once

#include <cstdint>
#include <string>

#include <boost/shared_ptr.hpp>

#include "host/Webdeck.h"

class ClickTimeline {
 public:
  ClickTimeline(const boost::shared_ptr<WebdeckAnimationManager>& manager, uint32_t frame);

  // Continues what earlier builds stored in the manager, or starts afresh.
  void Open();
  // Places one animation of sequence kind `kind` (0 click, 1 with, 2 after)
  // lasting `length` ms (duration plus delay). Returns the offset inside its
  // click at which it starts. `hasTrigger` and `triggerObjectId` say whether it
  // belongs to a trigger object's sequence.
  uint32_t Add(int32_t kind, uint32_t length, bool hasTrigger, const std::wstring& triggerObjectId,
               const std::wstring& animationId);
  // Records the last click and the running times for the next build.
  void Close();

 private:
  boost::shared_ptr<WebdeckAnimationManager> manager_;
  uint32_t frame_;
  boost::shared_ptr<TimeLineAnim> timeline_;
  boost::shared_ptr<ClickContent> click_;
  uint32_t clickContentStart_ = 0;
  uint32_t lastAnimTime_ = 0;
  uint32_t seqOffset_ = 0;
};
