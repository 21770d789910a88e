// A slide compiled by the manager (at 25 fps for the slide's own size when
// no context is given), its screen objects built (text measured by
// `measurer`, the estimate when null) and the frame driver over both; the
// web deck is fresh for each.
#pragma once

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Webdeck.h"
#include "manager/IAnimationManager.h"
#include "publisher/FrameDriver.h"
#include "publisher/SlideScreen.h"

namespace play {

struct Played {
  explicit Played(const boost::shared_ptr<platform::Slide>& s,
                  const boost::shared_ptr<platform::ITextMeasurer>& measurer = nullptr,
                  boost::shared_ptr<PublishContext> context = nullptr)
      : slide(s) {
    IWebdeckSlide::ResetInstance();
    if (!context) context = boost::make_shared<PublishContext>(slide->height, slide->width, 25, 0);
    manager = IAnimationManager::Create(context);
    manager->BuildSlide(slide, 0, 0);
    screen = platform::SlideScreen::Build(slide, measurer);
    driver = boost::make_shared<platform::FrameDriver>(manager, screen);
    driver->Build();
  }
  ~Played() { IWebdeckSlide::ResetInstance(); }

  boost::shared_ptr<platform::Slide> slide;
  boost::shared_ptr<IAnimationManager> manager;
  boost::shared_ptr<platform::SlideScreen> screen;
  boost::shared_ptr<platform::FrameDriver> driver;
};

}  // namespace play
