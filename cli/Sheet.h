// `slideanim sheet`: a contact sheet, evenly spaced frames of each slide's
// timeline in a grid, each labelled with its time, slides one after another.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "cli/Common.h"

namespace cli {

struct SheetOptions {
  DeckOptions deck;
  uint32_t count = 8;    // frames per slide
  uint32_t columns = 4;  // frames per row
  int width = 320;       // width of one frame
  std::string output;    // the PNG file
  unsigned jobs = 0;     // threads that draw the frames; 0: one per processor
};

// The largest sheet side cairo can draw, and the most pixels we allocate.
constexpr long kSheetMaxSide = 32767;
constexpr long long kSheetMaxPixels = 1LL << 28;

int RunSheet(const SheetOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
