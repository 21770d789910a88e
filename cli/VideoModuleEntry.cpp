// The entry point of slideanim-video.so, which the command loads for
// `slideanim video`.
#include <ostream>

#include "cli/Video.h"

extern "C" __attribute__((visibility("default"))) int slideanim_video_run(
    const cli::VideoOptions& options, std::ostream& out, std::ostream& err) {
  return cli::RunVideo(options, out, err);
}
