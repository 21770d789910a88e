// The shared corpus of real decks, when it is present: its folder (the
// SLIDEANIM_CORPUS variable wins over the build's default) and its decks.
#pragma once

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "pptx/DeckReader.h"

namespace corpus {

inline std::string Dir() {
  if (const char* dir = std::getenv("SLIDEANIM_CORPUS")) return dir;
  return SLIDEANIM_CORPUS_DIR;
}

// The .pptx files of the folder in name order; none when it is absent.
inline std::vector<std::string> Decks() {
  std::vector<std::string> decks;
  if (DIR* dir = ::opendir(Dir().c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 5 && name.compare(name.size() - 5, 5, ".pptx") == 0)
        decks.push_back(Dir() + "/" + name);
    }
    ::closedir(dir);
  }
  std::sort(decks.begin(), decks.end());
  return decks;
}

// Reads the deck at `path`; false, with the reader's message in `refusal`,
// when the reader refuses it.
inline bool Read(const std::string& path, pptx::Deck& deck, std::string* refusal = nullptr) {
  pptx::Diagnostics diagnostics;
  try {
    deck = pptx::ReadDeck(path, diagnostics);
    return true;
  } catch (const std::exception& e) {
    if (refusal) *refusal = e.what();
    return false;
  }
}

}  // namespace corpus
