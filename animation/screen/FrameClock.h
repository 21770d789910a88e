// The frame length and the default effect length of a publishing run, shared
// by the slide build, the screen animations and the manager's queries.
#pragma once

#include <cmath>
#include <cstdint>

namespace frame_clock {

// A frame rate of 0 has no frame length; it is read as one frame a second so
// that no caller divides by zero.
inline uint32_t UsableRate(uint32_t frameRate) {
  return frameRate == 0 ? 1 : frameRate;
}

// ceil(1000 / rate) ms.
inline uint32_t FrameLength(uint32_t frameRate) {
  return static_cast<uint32_t>(std::ceil(1000.0 / UsableRate(frameRate)));
}

// frames × 1000 / rate ms, integer division.
inline uint32_t DefaultLength(uint32_t defaultEffectFrames, uint32_t frameRate) {
  return static_cast<uint32_t>(static_cast<uint64_t>(defaultEffectFrames) * 1000 /
                               UsableRate(frameRate));
}

}  // namespace frame_clock
