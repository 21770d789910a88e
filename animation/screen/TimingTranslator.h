// Turns an effect's timing into agents for one target: which parts of the
// target are animated, when each text unit starts, the hold, repeat and
// reverse containers, and where the sub-animations go.
#pragma once

#include <cstdint>
#include <string>

#include <boost/shared_ptr.hpp>

#include "host/Screen.h"

class ScreenAnimation;

class TimingTranslator {
 public:
  struct Settings {
    int32_t iterateType = 0;  // 0 whole element, 1 by word, 2 by letter
    uint32_t interval = 0;    // ms, or percent of the effect's length
    bool intervalIsPercent = false;
    bool byParagraph = false;
    int32_t first = 0;  // paragraph range, inclusive
    int32_t last = 0;
  };

  TimingTranslator(ScreenAnimation& owner, const Settings& settings);

  // Has the host draw every text element that is animated on its own as an
  // object of its own.
  void MarkIteratedUnits(const boost::shared_ptr<IScreenObject>& target);
  // Builds and files the agents of every part of `target` that is animated.
  void TranslateTimingTree(const boost::shared_ptr<IScreenObject>& target);

 private:
  void TranslateEffectForTarget(const boost::shared_ptr<IScreenObject>& node, uint32_t start,
                                bool allowSound, bool& soundFlag);
  void TranslateText(const boost::shared_ptr<IScreenObject>& child);
  bool ShapeTest(const boost::shared_ptr<IScreenObject>& child);
  void MarkParagraphs(const boost::shared_ptr<IScreenObject>& text);
  void RemoveAudioAgents(const boost::shared_ptr<IScreenObject>& node);
  void ChooseTarget(const boost::shared_ptr<IScreenObject>& node);
  bool InRange(uint32_t index) const;
  // The start of a sub-animation that waits for the click after the effect.
  uint32_t NextClickStart() const;

  ScreenAnimation& owner_;
  Settings settings_;
  uint32_t length_;  // d: one pass of the effect on one unit
  bool background_;
  bool wholeText_;
  bool targetChosen_ = false;
  bool shapeTestMade_ = false;
  bool shapeTestPassed_ = true;
};
