// Mixes sounds into one stereo track as the video goes: each sound (a voice)
// is placed at a sample of the track, plays a stretch of its decoded samples
// once or more, at a gain, and the track is taken out in order, block by
// block. Only the voices still playing are kept.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace cli {

struct Voice {
  std::shared_ptr<const std::vector<float>> clip;      // interleaved stereo samples
  uint64_t start = 0;                                  // track sample frame it starts on
  uint64_t from = 0;                                   // first sample frame of the clip played
  uint64_t to = std::numeric_limits<uint64_t>::max();  // end of the stretch (clipped to the clip)
  uint32_t plays = 1;                                  // 0: repeats until `stop`
  uint64_t stop =
      std::numeric_limits<uint64_t>::max();  // track sample frame it ends at, at the latest
  float gain = 1.0f;
};

class SoundMixer {
 public:
  // A voice that starts before Position() plays from Position() on, as if it
  // had started on time.
  void Add(const Voice& voice);
  // Mixes the track from Position() up to sample frame `end` into `block`
  // (interleaved stereo, limited to -1 to 1).
  void MixTo(uint64_t end, std::vector<float>& block);
  // Ends the voices playing (only those that repeat until stopped, with
  // `loopingOnly`) at track sample frame `at`.
  void Stop(uint64_t at, bool loopingOnly);
  uint64_t Position() const { return position_; }
  size_t Playing() const { return voices_.size(); }

 private:
  std::vector<Voice> voices_;
  uint64_t position_ = 0;
};

}  // namespace cli
