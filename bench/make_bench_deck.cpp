// Writes a generated benchmark deck, for the timing script.
//
//   make-bench-deck clicks SLIDES OUTPUT.pptx
//   make-bench-deck letters OUTPUT.pptx
#include <cstdlib>
#include <iostream>
#include <string>

#include "bench/BenchDecks.h"

int main(int argc, char** argv) {
  const std::string kind = argc > 1 ? argv[1] : "";
  std::string bytes, output;
  if (kind == "clicks" && argc == 4) {
    char* end = nullptr;
    const long slides = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || slides < 1 || slides > 100000) {
      std::cerr << "error: SLIDES must be from 1 to 100000\n";
      return 2;
    }
    bytes = bench::ClickDeck(static_cast<int>(slides));
    output = argv[3];
  } else if (kind == "letters" && argc == 3) {
    bytes = bench::LetterFlyDeck();
    output = argv[2];
  } else {
    std::cerr << "usage: make-bench-deck clicks SLIDES OUTPUT.pptx | letters OUTPUT.pptx\n";
    return 2;
  }
  if (!bench::SaveDeck(bytes, output)) {
    std::cerr << "error: " << output << ": cannot write the deck\n";
    return 1;
  }
  return 0;
}
