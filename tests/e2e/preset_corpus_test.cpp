// Every shape of every corpus deck, when the corpus is present, has a
// geometry the renderer draws: no preset falls back to its bounding box and
// every custom geometry's guides evaluate.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "common/Utf8.h"
#include "pptx/DeckReader.h"
#include "render/ShapePath.h"

namespace {

std::string Corpus() {
  if (const char* dir = std::getenv("SLIDEANIM_CORPUS")) return dir;
  return SLIDEANIM_CORPUS_DIR;
}

std::vector<std::string> Decks() {
  std::vector<std::string> decks;
  if (DIR* dir = ::opendir(Corpus().c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name.size() > 5 && name.compare(name.size() - 5, 5, ".pptx") == 0)
        decks.push_back(Corpus() + "/" + name);
    }
    ::closedir(dir);
  }
  std::sort(decks.begin(), decks.end());
  return decks;
}

TEST(CorpusGeometry, NoShapeFallsBackToItsBounds) {
  const std::vector<std::string> decks = Decks();
  if (decks.empty()) GTEST_SKIP() << "no corpus at " << Corpus();
  std::map<std::string, int> drawn;  // geometry name: shapes
  std::vector<std::string> problems;
  for (const std::string& path : decks) {
    pptx::Diagnostics diagnostics;
    pptx::Deck deck;
    try {
      deck = pptx::ReadDeck(path, diagnostics);
    } catch (const std::exception& e) {
      continue;  // unreadable decks are the reader tests' business
    }
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
