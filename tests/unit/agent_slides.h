// Real screen objects for the agent tests: a small slide built by the
// publisher, to play through the manager and the frame driver too.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Properties.h"
#include "publisher/NodeColours.h"
#include "publisher/SlideScreen.h"
#include "publisher/TextNode.h"
#include "support/Played.h"

namespace slides {

// Shape "7": bounds (100, 100)-(300, 200) on the default 720 x 540 slide,
// filled grey with a blue line, holding "ab cd" in 20 pt red (runs
// "7/p0/r0" and "7/p0/r1"). Shape "8": an empty box.
inline boost::shared_ptr<platform::Slide> TextSlide() {
  auto slide = boost::make_shared<platform::Slide>();
  platform::LineStyle line;
  line.present = true;
  line.colour = {0, 0, 255, 255};
  platform::CharProps props;
  props.size = 20;
  props.colour = {255, 0, 0, 255};
  slide->AddShape(L"7")
      .SetBounds(100, 100, 200, 100)
      .SetSolidFill({100, 100, 100, 255})
      .SetLine(line)
      .SetText({L"ab cd"}, props);
  slide->AddShape(L"8").SetBounds(0, 0, 10, 10);
  return slide;
}

inline boost::shared_ptr<platform::SlideScreen> Screen(
    const boost::shared_ptr<platform::Slide>& slide = TextSlide()) {
  return platform::SlideScreen::Build(slide);
}

inline const Kinefold::TColorMatrix& ColourOf(const platform::SlideScreen& screen,
                                              const std::wstring& name) {
  return screen.FindNode(name)->Frame().colour;
}

// The current character properties of a formatting run.
inline boost::shared_ptr<IInterface> Props(const platform::SlideScreen& screen,
                                           const std::wstring& run) {
  return GetSheet(screen.Find(run), ePropRunCharProps);
}

// The fill, line and letter colours of a leaf, which must have them.
inline Kinefold::TColor Fill(const platform::SlideScreen& screen, const std::wstring& leaf) {
  Kinefold::TColor c;
  EXPECT_TRUE(platform::FillColour(*screen.FindNode(leaf), c)) << "no fill";
  return c;
}
inline Kinefold::TColor Line(const platform::SlideScreen& screen, const std::wstring& leaf) {
  Kinefold::TColor c;
  EXPECT_TRUE(platform::LineColour(*screen.FindNode(leaf), c)) << "no line";
  return c;
}
inline Kinefold::TColor Letter(const platform::SlideScreen& screen, const std::wstring& letter) {
  return platform::TextColour(
      *boost::dynamic_pointer_cast<platform::TextNode>(screen.FindNode(letter)));
}

// Played in the 720 x 540 context the tests' fractions are of.
struct Played : play::Played {
  explicit Played(const boost::shared_ptr<platform::Slide>& s)
      : play::Played(s, nullptr, boost::make_shared<PublishContext>(540.0, 720.0, 25, 0)) {}
};

}  // namespace slides
