#include "cli/Common.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <system_error>

#include "common/Utf8.h"

namespace cli {

namespace {

// Runs `read`, then prints the reader's warnings and, when the deck could not
// be read, the error; false on that error.
bool Reading(std::ostream& err, const std::function<void(pptx::Diagnostics&)>& read) {
  pptx::Diagnostics diagnostics;
  try {
    read(diagnostics);
  } catch (const pptx::ReadError& error) {
    diagnostics.Print(err);
    err << "error: " << error.what() << "\n";
    return false;
  }
  diagnostics.Print(err);
  return true;
}

}  // namespace

bool LoadDeck(const std::string& path, pptx::Deck& deck, std::ostream& err) {
  return Reading(err,
                 [&](pptx::Diagnostics& diagnostics) { deck = pptx::ReadDeck(path, diagnostics); });
}

bool ReadDeckSlides(const std::string& path, pptx::Deck& info, size_t& count,
                    const std::function<void(const boost::shared_ptr<platform::Slide>&)>& use,
                    std::ostream& err) {
  count = 0;
  return Reading(err, [&](pptx::Diagnostics& diagnostics) {
    pptx::DeckReader reader(path, diagnostics);
    info = reader.Info();
    while (boost::shared_ptr<platform::Slide> slide = reader.Next()) {
      ++count;
      use(slide);
    }
  });
}

bool CheckSlide(const DeckOptions& options, size_t count, std::ostream& err) {
  if (options.slide >= 0 && options.slide <= static_cast<int>(count)) return true;
  err << "error: " << options.deck << ": there is no slide " << options.slide << " (the deck has "
      << count << ")\n";
  return false;
}

bool SelectSlides(const pptx::Deck& deck, const DeckOptions& options,
                  std::vector<boost::shared_ptr<platform::Slide>>& slides, std::ostream& err) {
  slides.clear();
  if (!CheckSlide(options, deck.slides.size(), err)) return false;
  if (options.slide != 0)
    slides.push_back(deck.slides[static_cast<size_t>(options.slide - 1)]);
  else
    slides = deck.slides;
  return true;
}

int OpenDeck(const DeckOptions& options, pptx::Deck& deck,
             std::vector<boost::shared_ptr<platform::Slide>>& slides, std::ostream& err) {
  if (!LoadDeck(options.deck, deck, err)) return kExitFailed;
  if (!SelectSlides(deck, options, slides, err)) return kExitBadRequest;
  return 0;
}

bool MakeFolder(const std::string& path, std::ostream& err) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (!error && std::filesystem::is_directory(path, error)) return true;
  err << "error: " << path << ": cannot make the folder"
      << (error ? " (" + error.message() + ")" : std::string(" (a file is in the way)")) << "\n";
  return false;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

int HeightFor(const platform::Slide& slide, int width) {
  if (!(slide.width > 0) || !(slide.height > 0)) return std::max(1, width * 9 / 16);
  const double height = std::round(width * slide.height / slide.width);
  if (!(height >= 1)) return 1;
  return height > 1e6 ? 1000000 : static_cast<int>(height);
}

std::string Utf8(const std::wstring& text) {
  return platform::ToUtf8(text);
}

}  // namespace cli
