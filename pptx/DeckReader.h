// Reads a .pptx deck into the platform's document model: one platform::Slide
// per slide, in presentation order, with its shapes, effect list, media and
// transition. File-level problems throw ReadError; element-level problems are
// skipped with a warning in the Diagnostics.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Slide.h"
#include "pptx/Diagnostics.h"
#include "pptx/ReadLimits.h"

namespace pptx {

struct Deck {
  std::string fileName;
  double width = 1280.0;  // slide size in slide units (1/96 inch)
  double height = 720.0;
  std::vector<boost::shared_ptr<platform::Slide>> slides;
};

Deck ReadDeck(const std::string& path, Diagnostics& diagnostics,
              const ReadLimits& limits = ReadLimits());

// The same, a slide at a time, for a caller that is done with each slide
// before it reads the next: only the slides it keeps stay in memory. The
// constructor reads the presentation part (file-level problems throw
// ReadError, as ReadDeck does); Next() reads the slides in order.
class DeckReader {
 public:
  DeckReader(const std::string& path, Diagnostics& diagnostics,
             const ReadLimits& limits = ReadLimits());
  ~DeckReader();
  DeckReader(const DeckReader&) = delete;
  DeckReader& operator=(const DeckReader&) = delete;

  // The file name and slide size; `slides` stays empty.
  const Deck& Info() const;
  size_t SlideCount() const;
  // The next slide, or null after the last one.
  boost::shared_ptr<platform::Slide> Next();
  // Starts again from the first slide, for a caller that reads the deck twice
  // without holding it: the masters and layouts already read are kept, and
  // the slides' warnings are given again.
  void Rewind();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
// The same for a deck held in memory; `name` stands for the file in messages.
Deck ReadDeckFromMemory(const std::string& name, std::string bytes, Diagnostics& diagnostics,
                        const ReadLimits& limits = ReadLimits());

}  // namespace pptx
