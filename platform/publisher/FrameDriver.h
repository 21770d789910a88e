// Drives a slide's screen animations the way a publisher does. After the
// manager has built the slide:
//   Build()    builds every screen animation of every shape against its
//              target (the shape's text-run view for animations whose
//              behaviours all act on text, the shape node otherwise, and
//              both, one after the other, for animations that mix them), hides
//              the parts that entrances reveal, hands the media settings to
//              the media objects, and keeps the result as the authored state;
//   Frame(t)   resets every screen object to that state and applies every
//              animation, in the manager's order, to every object that its
//              agents are filed under; it reports the sounds that start.
// Frames may be asked for in any order; the agents handle going back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "manager/IAnimationManager.h"
#include "publisher/SlideScreen.h"

namespace platform {

struct SoundCue {
  std::wstring shapeId;
  std::wstring targetName;
  boost::shared_ptr<IActionObject> action;
  std::wstring soundName;  // the action's sound name: the embedded part it plays
};

class FrameDriver {
 public:
  FrameDriver(const boost::shared_ptr<IAnimationManager>& manager,
              const boost::shared_ptr<SlideScreen>& screen);

  // Call once, after BuildSlide.
  void Build();
  // Brings the screen objects to time `t` (ms on the slide's timeline). With
  // `sounds`, appends the sounds that start on this frame.
  void Frame(uint32_t t, std::vector<SoundCue>* sounds = nullptr);

  const std::vector<AnimationStep>& Steps() const { return steps_; }
  size_t AnimationCount() const { return entries_.size(); }
  const boost::shared_ptr<SlideScreen>& Screen() const { return screen_; }

 private:
  struct Entry {
    std::wstring shapeId;
    boost::shared_ptr<IScreenAnimation> animation;
    std::vector<std::pair<std::wstring, boost::shared_ptr<IScreenObject>>> targets;
    bool hasSound = false;
  };

  void CollectTargets(const ShapeNode& shape, Entry& entry) const;
  void ApplyMedia();

  boost::shared_ptr<IAnimationManager> manager_;
  boost::shared_ptr<SlideScreen> screen_;
  std::vector<AnimationStep> steps_;
  std::vector<Entry> entries_;
  bool built_ = false;
};

}  // namespace platform
