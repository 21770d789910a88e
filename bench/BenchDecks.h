// Decks generated for the benchmarks and the timing script, so that cost can
// be measured against the size of the deck rather than on whatever real decks
// happen to be at hand.
#pragma once

#include <string>

namespace bench {

// `slides` slides, each with eight text boxes that enter one per click, by a
// mix of filters (fade, wipe, random bars, dissolve, box, wheel), a fly-in and
// a zoom.
std::string ClickDeck(int slides);

// One slide whose text box of 200 letters flies in letter by letter, each
// letter starting 5% of the effect's length after the one before.
std::string LetterFlyDeck();

// Writes one of the decks above; false when the file cannot be written.
bool SaveDeck(const std::string& bytes, const std::string& path);

}  // namespace bench
