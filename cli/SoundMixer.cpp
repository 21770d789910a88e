#include "cli/SoundMixer.h"

#include <algorithm>

namespace cli {

void SoundMixer::Add(const Voice& voice) {
  if (!voice.clip || voice.clip->size() < 2 || voice.gain == 0.0f) return;
  Voice v = voice;
  const uint64_t frames = v.clip->size() / 2;
  v.to = std::min(v.to, frames);
  if (v.from >= v.to) return;
  voices_.push_back(v);
}

void SoundMixer::Stop(uint64_t at, bool loopingOnly) {
  for (Voice& v : voices_)
    if (!loopingOnly || v.plays == 0) v.stop = std::min(v.stop, at);
}

void SoundMixer::MixTo(uint64_t end, std::vector<float>& block) {
  block.assign(end > position_ ? static_cast<size_t>(end - position_) * 2 : 0, 0.0f);
  if (block.empty()) return;
  for (Voice& v : voices_) {
    const uint64_t length = v.to - v.from;
    uint64_t last = v.stop;  // the track sample frame the voice ends at
    if (v.plays > 0 && v.start + length * v.plays < last) last = v.start + length * v.plays;
    const uint64_t begin = std::max(position_, v.start);
    const uint64_t finish = std::min(end, last);
    const float* clip = v.clip->data();
    for (uint64_t p = begin; p < finish; ++p) {
      const uint64_t s = v.from + (p - v.start) % length;
      float* out = &block[static_cast<size_t>(p - position_) * 2];
      out[0] += clip[s * 2] * v.gain;
      out[1] += clip[s * 2 + 1] * v.gain;
    }
    if (last <= end) v.clip.reset();  // done
  }
  voices_.erase(
      std::remove_if(voices_.begin(), voices_.end(), [](const Voice& v) { return !v.clip; }),
      voices_.end());
  for (float& sample : block) sample = std::max(-1.0f, std::min(1.0f, sample));
  position_ = end;
}

}  // namespace cli
