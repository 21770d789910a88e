// Golden-image comparison for the render tests.
//
// References live in tests/golden/<name>.png. To regenerate them after an
// intended change to the drawing, run
//   SLIDEANIM_UPDATE_GOLDEN=1 ./build/tests/render-tests
// and look at the new files before committing them. When a comparison fails,
// the actual image and a difference picture (differing pixels in red) are
// written to build/tests/render-artifacts/<name>.actual.png and .diff.png.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "publisher/SlideScreen.h"
#include "render/FrameRenderer.h"
#include "render/Image.h"

namespace golden {

// An empty slide of `width` x `height`, and a screen of one drawn at its size.
inline boost::shared_ptr<platform::Slide> SmallSlide(double width, double height) {
  auto slide = boost::make_shared<platform::Slide>();
  slide->width = width;
  slide->height = height;
  return slide;
}
inline render::Image Draw(const platform::SlideScreen& screen) {
  return render::FrameRenderer().Render(screen, static_cast<int>(screen.GetSlide()->width),
                                        static_cast<int>(screen.GetSlide()->height));
}

struct Tolerance {
  int channel = 24;              // largest difference of one channel that still matches
  double pixelFraction = 0.005;  // share of pixels allowed to differ by more
};

// Adds a test failure (with the artifact paths) when `actual` does not match.
inline void ExpectMatches(const render::Image& actual, const std::string& name,
                          Tolerance tolerance = Tolerance()) {
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
