// `slideanim html`: a folder with a web page that plays the deck from its web
// description, with no network and nothing to install:
//   index.html, player.css              the page
//   player.js, values.js, masks.js      its hand-written player
//   web.json                            the description, as `slideanim json` prints it
//   deck.js                             what the player needs beyond it: each
//                                       slide's layers, each effect's parts and
//                                       iteration, where each slide starts on
//                                       the description's timelines, sound files
//   layers/                             the slides drawn in layers (SVG)
//   media/                              the deck's sound files
#pragma once

#include <ostream>
#include <string>

#include "cli/Common.h"

namespace cli {

struct HtmlOptions {
  DeckOptions deck;
  int width = 0;  // the page's slide width in pixels; 0: fill the window
  std::string output;
};

int RunHtml(const HtmlOptions& options, std::ostream& out, std::ostream& err);

// The player's files, built into the command.
extern const char* const kPlayerJs;
extern const char* const kPlayerValues;
extern const char* const kPlayerMasks;
extern const char* const kPlayerCss;

}  // namespace cli
