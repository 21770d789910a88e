#include "Golden.h"

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

namespace golden {

void ExpectMatches(const render::Image& actual, const std::string& name, Tolerance tolerance) {
  const std::string reference = std::string(SLIDEANIM_GOLDEN_DIR) + "/" + name + ".png";
  const char* update = std::getenv("SLIDEANIM_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(actual.WritePng(reference)) << "cannot write " << reference;
    return;
  }
  render::Image expected = render::Image::ReadPng(reference);
  ASSERT_TRUE(expected.Valid()) << "no reference image " << reference
                                << "; make it with SLIDEANIM_UPDATE_GOLDEN=1";
  render::ImageDifference d = render::Compare(actual, expected, tolerance.channel);
  const bool ok = d.sameSize && d.differing <= tolerance.pixelFraction * d.pixels;
  if (ok) return;
  const std::string actualPath = std::string(SLIDEANIM_ARTIFACT_DIR) + "/" + name + ".actual.png";
  const std::string diffPath = std::string(SLIDEANIM_ARTIFACT_DIR) + "/" + name + ".diff.png";
  std::filesystem::create_directories(std::filesystem::path(actualPath).parent_path());
  actual.WritePng(actualPath);
  if (d.picture.Valid()) d.picture.WritePng(diffPath);
  ADD_FAILURE() << name << ": " << (d.sameSize ? "" : "size differs; ") << d.differing << " of "
                << d.pixels << " pixels differ by more than " << tolerance.channel << " (largest "
                << d.largest << ")\n  actual: " << actualPath << "\n  difference: " << diffPath
                << "\n  expected: " << reference;
}

}  // namespace golden
