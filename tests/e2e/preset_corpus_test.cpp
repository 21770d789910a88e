// Every shape of every corpus deck, when the corpus is present, has a
// geometry the renderer draws: no preset falls back to its bounding box and
// every custom geometry's guides evaluate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "common/Utf8.h"
#include "pptx/DeckReader.h"
#include "render/ShapePath.h"
#include "support/Corpus.h"

namespace {

TEST(CorpusGeometry, NoShapeFallsBackToItsBounds) {
  const std::vector<std::string> decks = corpus::Decks();
  if (decks.empty()) GTEST_SKIP() << "no corpus at " << corpus::Dir();
  std::map<std::string, int> drawn;  // geometry name: shapes
  std::vector<std::string> problems;
  for (const std::string& path : decks) {
    pptx::Deck deck;
    if (!corpus::Read(path, deck)) continue;  // unreadable decks are the reader tests' business
    for (const auto& slide : deck.slides)
      for (const auto& shape : slide->AllShapes()) {
        std::vector<platform::GeometryPath> paths;
        std::string problem;
        if (render::ShapeOutline(*shape, &paths, &problem))
          ++drawn[shape->geometry.preset];
        else
          problems.push_back(path + ": shape " + platform::ToUtf8(shape->Id()) + ": " + problem);
      }
  }
  for (const std::string& problem : problems) ADD_FAILURE() << problem;
  for (const auto& entry : drawn) RecordProperty("geometry_" + entry.first, entry.second);
}

}  // namespace
