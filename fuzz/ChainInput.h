// The whole chain on one input, shared by chain-fuzzer and the test that
// replays the inputs it found: the deck reader, the animation build of every
// slide, the screen objects, and three frames of each slide drawn at 64
// pixels wide.
//
// The first byte chooses what the rest is:
// - even: the bytes of a .pptx package;
// - odd: a slide's shape tree and timing, split at the first NUL byte, that
//   the deck writer wraps in a valid package (so that mutations reach the
//   slide's XML instead of breaking the archive).
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The number of slides drawn; -1 when the reader refused the input.
int RunChain(const uint8_t* data, size_t size);

}  // namespace fuzz
