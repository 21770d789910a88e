// `slideanim preview`: an HTML page that plays the slides from their frames.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Common.h"
#include "manager/AnimationStep.h"

namespace cli {

struct PreviewOptions {
  DeckOptions deck;
  int width = 0;       // 0: the slide's own width
  std::string output;  // the folder: index.html and frames/
  uint32_t maxFrames = 10000;
  unsigned jobs = 0;  // threads that draw frames and write PNG files; 0: one per processor
};

// Which steps wait for a click in a presentation: steps that start on a
// click, and the first step of each interactive sequence (a click on its
// trigger shape). Steps that wait for a media bookmark, and steps that start
// with or after the previous one, do not.
std::vector<bool> ClickSteps(const std::vector<AnimationStep>& steps);

int RunPreview(const PreviewOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
