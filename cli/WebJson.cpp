#include "cli/WebJson.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <boost/make_shared.hpp>

#include "cli/SlidePlayer.h"
#include "render/PangoText.h"

namespace cli {

nlohmann::ordered_json WebDescription(const pptx::Deck& deck, const DeckOptions& options) {
  // Every manager of the process adds to the same description, so the last
  // one built hands back all of it; a fresh one stands in for no slides.
  // It is serialised once, after the last slide: asking after every slide
  // would make the work grow with the square of the deck.
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::unique_ptr<SlidePlayer> last;
  for (size_t i = 0; i < deck.slides.size(); ++i) {
    if (options.slide != 0 && static_cast<int>(i + 1) != options.slide) continue;
    last.reset();
    last = std::make_unique<SlidePlayer>(deck.slides[i], options.fps, options.defaultEffectFrames,
                                         measurer);
    last->Prepare();
  }
  std::wstring text;
  if (last) text = last->Manager().GetJsonContent();
  if (text.empty()) {
    auto context = boost::make_shared<PublishContext>(deck.height, deck.width, options.fps,
                                                      options.defaultEffectFrames);
    text = IAnimationManager::Create(context)->GetJsonContent();
  }
  if (text.empty()) return nlohmann::ordered_json::object();
  return nlohmann::ordered_json::parse(Utf8(text));
}

int RunJson(const JsonOptions& options, std::ostream& out, std::ostream& err) {
  pptx::Deck deck;
  std::vector<boost::shared_ptr<platform::Slide>> slides;
  if (int status = OpenDeck(options.deck, deck, slides, err)) return status;
  nlohmann::ordered_json description;
  try {
    description = WebDescription(deck, options.deck);
  } catch (const nlohmann::json::exception& error) {
    err << "error: " << options.deck.deck << ": the web description is not JSON (" << error.what()
        << ")\n";
    return kExitFailed;
  }
  const std::string text = description.dump(2) + "\n";
  if (options.output.empty()) {
    out << text;
    return kExitOk;
  }
  const std::string folder = std::filesystem::path(options.output).parent_path().string();
  if (!folder.empty() && !MakeFolder(folder, err)) return kExitFailed;
  std::ofstream file(options.output, std::ios::binary);
  file << text;
  file.close();
  if (!file) {
    err << "error: " << options.output << ": cannot write the file\n";
    return kExitFailed;
  }
  auto count = [&](const char* key) {
    return description.contains(key) ? description[key].size() : 0;
  };
  out << "wrote " << options.output << ": " << count("effects") << " effect"
      << (count("effects") == 1 ? "" : "s") << ", " << count("timelines") << " timeline"
      << (count("timelines") == 1 ? "" : "s") << "\n";
  return kExitOk;
}

}  // namespace cli
