// `slideanim frames`: draws each slide's timeline into numbered PNG files.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Common.h"

namespace cli {

struct FramesOptions {
  DeckOptions deck;
  int width = 0;  // 0: the slide's own width
  bool hasFrom = false, hasTo = false;
  uint32_t from = 0, to = 0;  // ms; `to` defaults to the slide's length
  std::vector<uint32_t> at;   // explicit times instead of a range
  std::string output;         // the folder
  uint32_t maxFrames = 10000;
  unsigned jobs = 0;  // threads that draw frames and write PNG files; 0: one per processor
};

// "slide01_f00000.png": the file of frame `index` of slide `number`.
std::string FrameFileName(int number, uint64_t index);

// The width a frame of `slide` gets: `width`, or the slide's own when 0.
int FrameWidth(const platform::Slide& slide, int width);

// Reads, builds and draws; one line per slide on `out`, warnings and errors
// on `err`. Returns the exit code.
int RunFrames(const FramesOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
