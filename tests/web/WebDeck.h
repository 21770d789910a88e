// The deck that the browser test plays: one slide per effect family, each
// with a titled shape that its first click animates, plus slides for text
// built by paragraph, word and letter, a trigger and a sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WebCase {
  int slide = 0;  // 1-based
  std::string family;
  uint32_t length = 0;  // ms from the slide's start to the end of its animation
  bool random = false;  // a pattern random by design: compare the revealed share
};

// Writes the deck to `path`; empty when it cannot be written.
std::vector<WebCase> WriteWebDeck(const std::string& path);
