// The shared corpus of real decks, when it is present: its folder (the
// SLIDEANIM_CORPUS variable wins over the build's default) and its decks.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
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
  std::error_code absent;
  for (const auto& entry : std::filesystem::directory_iterator(Dir(), absent))
    if (entry.path().extension() == ".pptx") decks.push_back(entry.path().string());
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
