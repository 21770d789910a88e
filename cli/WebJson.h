// `slideanim json`: the web description of a deck, as the animation library
// writes it once every slide and every screen animation has been built.
#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/Common.h"

namespace cli {

struct JsonOptions {
  DeckOptions deck;
  std::string output;  // a file, or empty for standard output
};

// Builds each slide of `deck` that `options` chooses, in order, with the
// frame driver (whose build writes the effect records), and returns the
// library's web description. Throws nlohmann::json::parse_error when the
// library's text is not JSON.
nlohmann::ordered_json WebDescription(const pptx::Deck& deck, const DeckOptions& options);

int RunJson(const JsonOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
