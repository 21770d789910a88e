// The times at which the commands draw a slide.
#pragma once

#include <cstdint>
#include <vector>

namespace cli {

// Frame i of a run at `fps` frames per second lies i * 1000 / fps ms
// (rounded down) after `from`; the run goes up to and including `to`. A run
// with `to` before `from` has no frames.
uint64_t FrameCount(uint32_t from, uint32_t to, uint32_t fps);
std::vector<uint32_t> FrameTimes(uint32_t from, uint32_t to, uint32_t fps);

// The index of the last frame of a run from 0 at `fps` that starts at or
// before `t`.
uint64_t FrameIndexAt(uint32_t t, uint32_t fps);

// `count` times spread evenly over a slide of `length` ms, the first at 0
// and the last at the end. A slide without length (or a count of 1) gives
// the one time 0.
std::vector<uint32_t> SpreadTimes(uint32_t length, uint32_t count);

}  // namespace cli
