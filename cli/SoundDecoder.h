// Decodes a sound file held in memory (WAV, MP3, M4A, ... whatever FFmpeg's
// libraries read) into interleaved stereo float samples at the video's sound
// rate.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cli {

// False with a one-line reason when the bytes hold no sound that can be
// decoded. Sounds longer than `maxSeconds` are cut there.
bool DecodeSound(const std::string& bytes, int sampleRate, std::vector<float>& samples,
                 std::string& error, double maxSeconds = 600.0);

}  // namespace cli
