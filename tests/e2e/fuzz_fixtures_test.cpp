// Replays the inputs that the fuzz targets found faults with (kept in
// tests/fixtures/fuzz/), so that the ordinary test run guards against them:
// each must finish, and under the sanitizer build without a report.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/ChainInput.h"
#include "path/Path.h"
#include "support/Command.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Fixtures(const std::string& target) {
  std::vector<std::string> inputs;
  for (const auto& entry : fs::directory_iterator(fs::path(SLIDEANIM_FUZZ_FIXTURES) / target))
    inputs.push_back(command::ReadFile(entry.path().string()));
  return inputs;
}

TEST(FuzzFixtures, TheWholeChainFinishes) {
  const std::vector<std::string> inputs = Fixtures("chain");
  EXPECT_FALSE(inputs.empty());
  for (const std::string& input : inputs)
    fuzz::RunChain(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

// Read as path-fuzzer reads them: a mode byte (even: one character per
// byte), an absolute-path byte, then the text.
TEST(FuzzFixtures, MotionPathsHaveANumberForALength) {
  for (const std::string& input : Fixtures("path")) {
    ASSERT_GE(input.size(), 2u);
    ASSERT_EQ(input[0] & 1, 0) << "raw wchar_t fixtures are not read";
    const std::wstring text(input.begin() + 2, input.end());
    Kinefold::MotionPath path(text, {100, 50, 300, 250}, {0, 0, 1280, 720}, (input[1] & 1) != 0);
    EXPECT_FALSE(std::isnan(path.GetLength()));
  }
}

}  // namespace
