#include "cli/WebJson.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <boost/make_shared.hpp>

#include "cli/SlidePlayer.h"
#include "render/PangoText.h"

namespace cli {

namespace {

// Builds the slides it is given, keeping only the last one: every manager of
// the process adds to the same description, so the last one built hands back
// all of it; a fresh one stands in for no slides. It is serialised once,
// after the last slide: asking after every slide would make the work grow
// with the square of the deck.
class DescriptionBuilder {
 public:
  explicit DescriptionBuilder(const DeckOptions& options)
      : options_(options), measurer_(boost::make_shared<render::PangoMeasurer>()) {}

  void Add(const boost::shared_ptr<platform::Slide>& slide) {
    if (options_.slide != 0 && slide->number != options_.slide) return;
    last_.reset();
    last_ =
        std::make_unique<SlidePlayer>(slide, options_.fps, options_.defaultEffectFrames, measurer_);
    last_->Prepare();
  }

  nlohmann::ordered_json Description(const pptx::Deck& deck) {
    std::wstring text;
    if (last_) text = last_->Manager().GetJsonContent();
    last_.reset();
    if (text.empty()) {
      auto context = boost::make_shared<PublishContext>(deck.height, deck.width, options_.fps,
                                                        options_.defaultEffectFrames);
      text = IAnimationManager::Create(context)->GetJsonContent();
    }
    if (text.empty()) return nlohmann::ordered_json::object();
    std::string utf8 = Utf8(text);
    std::wstring().swap(text);
    return nlohmann::ordered_json::parse(utf8);
  }

 private:
  DeckOptions options_;
  boost::shared_ptr<render::PangoMeasurer> measurer_;
  std::unique_ptr<SlidePlayer> last_;
};

int WriteDescription(const nlohmann::ordered_json& description, const JsonOptions& options,
                     std::ostream& out, std::ostream& err) {
  std::string text = description.dump(2);
  text += "\n";
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

}  // namespace

nlohmann::ordered_json WebDescription(const pptx::Deck& deck, const DeckOptions& options) {
  DescriptionBuilder builder(options);
  for (const auto& slide : deck.slides) builder.Add(slide);
  return builder.Description(deck);
}

int RunJson(const JsonOptions& options, std::ostream& out, std::ostream& err) {
  DescriptionBuilder builder(options.deck);
  pptx::Deck info;
  size_t count = 0;
  auto add = [&](const boost::shared_ptr<platform::Slide>& slide) { builder.Add(slide); };
  if (!ReadDeckSlides(options.deck.deck, info, count, add, err)) return kExitFailed;
  if (!CheckSlide(options.deck, count, err)) return kExitBadRequest;
  nlohmann::ordered_json description;
  try {
    description = builder.Description(info);
  } catch (const nlohmann::json::exception& error) {
    err << "error: " << options.deck.deck << ": the web description is not JSON (" << error.what()
        << ")\n";
    return kExitFailed;
  }
  return WriteDescription(description, options, out, err);
}

}  // namespace cli
