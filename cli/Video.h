// `slideanim video`: the deck's animations as one MP4, WebM or GIF file, with
// the sounds that effects start and the sounds that audio shapes play.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Common.h"

namespace cli {

struct VideoOptions {
  DeckOptions deck;
  std::string output;    // .mp4, .webm or .gif
  int width = 0;         // 0: the slide's own width
  uint32_t hold = 2000;  // ms each slide's end frame stays
  unsigned jobs = 0;     // threads; 0: one per processor, at most 8
  int quality = 75;      // 0 to 100
  bool noAudio = false;
  // Progress on `err` instead of nothing: by default when stderr is a terminal.
  enum class Progress { Auto, Always, Never } progress = Progress::Auto;
};

// The first frame of each slide, and the frame count after the last, for
// slides of `lengths` ms each shown for its length plus `hold` ms: slide s
// starts on the first frame at or after the sum of the earlier slides'
// times, so the whole video is within one frame of their sum.
std::vector<uint64_t> SlideFirstFrames(const std::vector<uint32_t>& lengths, uint32_t hold,
                                       uint32_t fps);

// Reads, builds, draws, mixes and encodes; the file appears only when it is
// complete. One line per slide and a summary on `out`; warnings, errors and
// the progress line on `err`. Returns the exit code.
int RunVideo(const VideoOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
