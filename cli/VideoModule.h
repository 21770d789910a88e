// Runs `slideanim video` through the module that holds it (slideanim-video.so),
// loaded only for this command so that the others do not load FFmpeg.
#pragma once

#include <ostream>

#include "cli/Video.h"

namespace cli {

// Loads the module and runs the command (the module's entry point has
// RunVideo's signature). The module is looked for beside the command (the
// build tree), then in the installed module folder relative to the
// command's. A module that cannot be loaded gives one error line naming it
// and kExitFailed.
int RunVideoModule(const VideoOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
