// Every deck of the shared corpus, when it is present, played end to end:
// read, built, driven frame by frame forwards and backwards, and drawn; and
// every shape has a geometry the renderer draws: no preset falls back to its
// bounding box and every custom geometry's guides evaluate.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "common/Utf8.h"
#include "manager/IAnimationManager.h"
#include "pptx/DeckReader.h"
#include "publisher/FrameDriver.h"
#include "publisher/SlideScreen.h"
#include "render/FrameRenderer.h"
#include "render/ShapePath.h"
#include "support/Corpus.h"

TEST(Corpus, EveryDeckPlaysFrameByFrameAndDrawsItsGeometry) {
  std::vector<std::string> decks = corpus::Decks();
  if (decks.empty()) GTEST_SKIP() << "no corpus at " << corpus::Dir();
  render::FrameRenderer renderer;
  size_t slides = 0, frames = 0;
  std::map<std::string, int> drawn;  // geometry name: shapes
  for (const std::string& path : decks) {
    SCOPED_TRACE(path);
    pptx::Deck deck;
    std::string refusal;
    if (!corpus::Read(path, deck, &refusal)) {
      ADD_FAILURE() << refusal;
      continue;
    }
    for (const auto& slide : deck.slides) {
      for (const auto& shape : slide->AllShapes()) {
        std::vector<platform::GeometryPath> paths;
        std::string problem;
        if (render::ShapeOutline(*shape, &paths, &problem))
          ++drawn[shape->geometry.preset];
        else
          ADD_FAILURE() << "shape " << platform::ToUtf8(shape->Id()) << ": " << problem;
      }
      auto context = boost::make_shared<PublishContext>(slide->height, slide->width, 25, 0);
      boost::shared_ptr<IAnimationManager> manager = IAnimationManager::Create(context);
      manager->BuildSlide(slide, 0, 0);
      auto screen = platform::SlideScreen::Build(slide);
      platform::FrameDriver driver(manager, screen);
      driver.Build();
      // Every 40 ms through the slide (at most 30 s of it), then a few seeks backwards.
      const uint32_t length = manager->GetSlideLength();
      const uint32_t end = std::min<uint32_t>(length == 0xFFFFFFFFu ? 0 : length, 30000) + 200;
      std::vector<uint32_t> times;
      for (uint32_t t = 0; t <= end; t += 40) times.push_back(t);
      for (uint32_t t : {end / 2, 0u, end, end / 3}) times.push_back(t);
      for (uint32_t t : times) {
        std::vector<platform::SoundCue> sounds;
        driver.Frame(t, &sounds);
      }
      frames += times.size();
      driver.Frame(manager->GetSlideLength() / 2);
      EXPECT_TRUE(renderer.Render(*screen, 160, 90).Valid());
      EXPECT_FALSE(manager->GetJsonContent().empty());
      ++slides;
    }
  }
  RecordProperty("slides", static_cast<int>(slides));
  RecordProperty("frames", static_cast<int>(frames));
  for (const auto& entry : drawn) RecordProperty("geometry_" + entry.first, entry.second);
}
