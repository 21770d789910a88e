// What every slideanim command shares: the options that choose the deck, its
// slides and the frame rate, reading the deck with its warnings, the exit
// codes and the output folders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Slide.h"
#include "pptx/DeckReader.h"

namespace cli {

// Exit codes of every command.
enum ExitCode : int {
  kExitOk = 0,
  kExitFailed = 1,      // the deck cannot be read, or an output cannot be written
  kExitBadRequest = 2,  // a slide past the deck's end, an empty range, an output too large
};

struct DeckOptions {
  std::string deck;
  int slide = 0;  // 1-based; 0 for every slide
  uint32_t fps = 30;
  uint32_t defaultEffectFrames = 0;
};

// Reads the deck and prints its warnings on `err`, one line per kind. A deck
// that cannot be read gives one line "error: FILE: PART: message" and false.
bool LoadDeck(const std::string& path, pptx::Deck& deck, std::ostream& err);

// Reads the deck a slide at a time, handing each slide to `use` and then
// letting it go, so that only the slides `use` keeps stay in memory; `info`
// gets the file name and slide size, `count` the number of slides. Warnings
// and errors are printed as LoadDeck prints them, after the last slide.
bool ReadDeckSlides(const std::string& path, pptx::Deck& info, size_t& count,
                    const std::function<void(const boost::shared_ptr<platform::Slide>&)>& use,
                    std::ostream& err);

// False, with one error line, when `options` names a slide past the deck's
// `count` slides.
bool CheckSlide(const DeckOptions& options, size_t count, std::ostream& err);

// The slides that `options` chooses, in deck order. False, with one error
// line, for a slide number past the deck's end.
bool SelectSlides(const pptx::Deck& deck, const DeckOptions& options,
                  std::vector<boost::shared_ptr<platform::Slide>>& slides, std::ostream& err);

// LoadDeck and SelectSlides of the deck `options` name: 0, or the exit code
// to return after their error line.
int OpenDeck(const DeckOptions& options, pptx::Deck& deck,
             std::vector<boost::shared_ptr<platform::Slide>>& slides, std::ostream& err);

// Makes a folder and its parents. False, with one error line naming it, when
// that fails (a file in the way, no permission).
bool MakeFolder(const std::string& path, std::ostream& err);

// `folder`/`name`, without a doubled separator.
std::string JoinPath(const std::string& folder, const std::string& name);

// The image height for `width` that keeps the
// slide's aspect ratio (at least 1).
int HeightFor(const platform::Slide& slide, int width);

std::string Utf8(const std::wstring& text);

}  // namespace cli
