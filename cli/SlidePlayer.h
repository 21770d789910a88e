// One slide made ready to play, as a publisher does it: the animation
// library builds the slide (construction: cheap, gives the slide's length and
// steps), then Prepare() makes the slide's screen objects, with text measured
// by the fonts the renderer draws with, and has the frame driver build every
// screen animation against them (which also writes the effects' web records).
// Build it once per slide; then ask for frames, best in time order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Slide.h"
#include "manager/IAnimationManager.h"
#include "publisher/FrameDriver.h"
#include "publisher/SlideScreen.h"
#include "publisher/TextLayout.h"

namespace cli {

// A sound that starts on a frame: when, on which shape, and its name.
struct SoundStart {
  uint32_t time = 0;
  std::string shapeId;
  std::string soundName;
};

class SlidePlayer {
 public:
  SlidePlayer(const boost::shared_ptr<platform::Slide>& slide, uint32_t fps,
              uint32_t defaultEffectFrames,
              const boost::shared_ptr<platform::ITextMeasurer>& measurer);
  SlidePlayer(const SlidePlayer&) = delete;
  SlidePlayer& operator=(const SlidePlayer&) = delete;

  const platform::Slide& GetSlide() const { return *slide_; }
  // The slide's timeline in ms: every step, trigger-started ones included.
  uint32_t Length() const { return length_; }
  const std::vector<AnimationStep>& Steps() const { return steps_; }
  IAnimationManager& Manager() const { return *manager_; }

  // Makes the screen objects and builds the screen animations; once.
  void Prepare();
  // The screen objects (prepared on first use).
  const platform::SlideScreen& Screen();
  // Brings the screen objects to time `t`; with `sounds`, appends the sounds
  // that start on this frame, and with `cues` too, the frame driver's cues
  // of those sounds (their actions), one for each.
  void Seek(uint32_t t, std::vector<SoundStart>* sounds = nullptr,
            std::vector<platform::SoundCue>* cues = nullptr);
  // The property sheet of the object that plays media `id`, once prepared:
  // the media animations' settings; null when the slide has no such media.
  boost::shared_ptr<IInterface> MediaObject(const std::wstring& id);

 private:
  boost::shared_ptr<platform::Slide> slide_;
  boost::shared_ptr<platform::ITextMeasurer> measurer_;
  boost::shared_ptr<IAnimationManager> manager_;
  std::vector<AnimationStep> steps_;
  boost::shared_ptr<platform::SlideScreen> screen_;
  boost::shared_ptr<platform::FrameDriver> driver_;
  uint32_t length_ = 0;
};

// Writes a line like "sounds: 1200 ms shape 6 "chime.wav"; ..." or
// "no sounds".
std::string SoundsText(const std::vector<SoundStart>& sounds);

}  // namespace cli
