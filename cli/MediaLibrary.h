// The embedded media of a deck, read from its package when first needed:
// sounds decoded once each (at the video's sound rate), and the bytes of
// videos. A sound or video that cannot be read or decoded is warned about
// once and left out.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "pptx/Diagnostics.h"
#include "pptx/Package.h"

namespace cli {

class MediaLibrary {
 public:
  MediaLibrary(const std::string& deck, std::ostream& err) : deck_(deck), err_(err) {}

  // The bytes of `part`; false, with the reason, when it cannot be read.
  bool Read(const std::string& part, std::string& bytes, std::string& error);
  // One warning line: "warning: DECK: WHAT PART cannot be played: ERROR; it
  // is left out".
  void Warn(const std::string& what, const std::string& part, const std::string& error);
  // The decoded sound of `part` (interleaved stereo at the video's rate);
  // null, after one warning naming it as `what`, when it cannot be played.
  std::shared_ptr<const std::vector<float>> Sound(const std::string& part, const std::string& what);

 private:
  std::string deck_;
  std::ostream& err_;
  pptx::Diagnostics diagnostics_;
  pptx::ReadLimits limits_;
  std::unique_ptr<pptx::Package> package_;
  std::map<std::string, std::shared_ptr<const std::vector<float>>> sounds_;
};

}  // namespace cli
