#include "cli/MediaLibrary.h"

#include "cli/SoundDecoder.h"
#include "cli/VideoEncoder.h"

namespace cli {

bool MediaLibrary::Read(const std::string& part, std::string& bytes, std::string& error) {
  if (part.empty()) {
    error = "the deck does not embed it";
    return false;
  }
  try {
    if (!package_) package_ = std::make_unique<pptx::Package>(deck_, diagnostics_, limits_);
    bytes = package_->Read(part);
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}

void MediaLibrary::Warn(const std::string& what, const std::string& part,
                        const std::string& error) {
  err_ << "warning: " << deck_ << ": " << what << " " << (part.empty() ? "" : part + " ")
       << "cannot be played: " << error << "; it is left out\n";
}

std::shared_ptr<const std::vector<float>> MediaLibrary::Sound(const std::string& part,
                                                              const std::string& what) {
  auto found = sounds_.find(part);
  if (found != sounds_.end()) return found->second;
  std::shared_ptr<const std::vector<float>>& sound = sounds_[part];
  std::string bytes, error;
  auto samples = std::make_shared<std::vector<float>>();
  if (Read(part, bytes, error) && DecodeSound(bytes, VideoEncoder::kSampleRate, *samples, error))
    sound = samples;
  else
    Warn(what, part, error);
  return sound;
}

}  // namespace cli
