// Golden-image comparison for the render tests.
//
// References live in tests/golden/<name>.png. To regenerate them after an
// intended change to the drawing, run
//   SLIDEANIM_UPDATE_GOLDEN=1 ./build/tests/render-tests
// and look at the new files before committing them. When a comparison fails,
// the actual image and a difference picture (differing pixels in red) are
// written to build/tests/render-artifacts/<name>.actual.png and .diff.png.
#pragma once

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
void ExpectMatches(const render::Image& actual, const std::string& name,
                   Tolerance tolerance = Tolerance());

}  // namespace golden
