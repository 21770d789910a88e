// Writes the deck that the browser test plays (see WebDeck.h), to look at it
// or play it by hand:
//
//   make_web_deck OUTPUT.pptx
//   slideanim html OUTPUT.pptx -o DIR
#include <iostream>

#include "web/WebDeck.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_web_deck OUTPUT.pptx\n";
    return 2;
  }
  const std::vector<WebCase> cases = WriteWebDeck(argv[1]);
  if (cases.empty()) {
    std::cerr << "error: cannot write " << argv[1] << "\n";
    return 1;
  }
  for (const WebCase& c : cases) std::cout << c.slide << " " << c.family << "\n";
  return 0;
}
