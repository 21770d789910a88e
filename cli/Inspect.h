// `slideanim inspect`: reads a deck, builds each slide with the animation
// library and reports what the manager read back: both slide lengths, the
// steps, the bookmark triggers and each animated shape's animations.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/Common.h"
#include "pptx/DeckReader.h"

namespace cli {

struct InspectOptions {
  DeckOptions deck;
  bool json = false;
};

// The report of a deck that has been read, as one JSON document. Times with
// all bits set are written as -1.
nlohmann::ordered_json InspectDeck(const pptx::Deck& deck, const InspectOptions& options);
// The same report as text.
void PrintReport(const nlohmann::ordered_json& report, const pptx::Deck& deck, std::ostream& out);

// Reads, builds and prints; warnings and errors go to `err`. Returns the
// process exit code: 0, 1 when the deck cannot be read, 2 for a bad request.
int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
