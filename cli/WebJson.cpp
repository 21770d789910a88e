#include "cli/WebJson.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include <boost/make_shared.hpp>

#include "cli/SlidePlayer.h"
#include "host/Webdeck.h"
#include "render/PangoText.h"

namespace cli {

namespace {

// Lays out the host's compact description text as ordered_json's dump(2)
// writes the document that parse() makes of it, without parsing it: the host
// writes its text as dump() does (no blanks outside strings, strings and
// numbers in the form dump() gives them), so only the layout changes. It
// counts the direct children of each top-level member's value, as size()
// would for a container.
class PrettyWriter {
 public:
  explicit PrettyWriter(std::string& out) : out_(out) {}

  // False when the brackets or strings of `text` do not close.
  bool Write(const std::string& text) {
    out_.reserve(out_.size() + text.size() * 2);
    size_t depth = 0;
    std::string key;  // the top-level member being written
    for (size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      switch (c) {
        case '"': {
          const size_t begin = i++;
          while (i < text.size() && text[i] != '"') i += text[i] == '\\' ? 2 : 1;
          if (i >= text.size()) return false;
          out_.append(text, begin, i + 1 - begin);
          if (depth == 1 && i + 1 < text.size() && text[i + 1] == ':') {
            key = text.substr(begin + 1, i - begin - 1);
            sizes_[key] = 0;
          }
          break;
        }
        case '{':
        case '[':
          if (i + 1 < text.size() && text[i + 1] == (c == '{' ? '}' : ']')) {
            out_ += c;
            out_ += text[++i];
            break;
          }
          if (depth == 1 && !key.empty()) sizes_[key] = 1;
          out_ += c;
          NewLine(++depth);
          break;
        case '}':
        case ']':
          if (depth == 0) return false;
          NewLine(--depth);
          out_ += c;
          break;
        case ',':
          if (depth == 2 && !key.empty()) ++sizes_[key];
          out_ += ',';
          NewLine(depth);
          break;
        case ':':
          out_ += ": ";
          // A top-level member's scalar value counts one, null none.
          if (depth == 1 && !key.empty() && i + 1 < text.size() && text[i + 1] != '{' &&
              text[i + 1] != '[')
            sizes_[key] = text.compare(i + 1, 4, "null") == 0 ? 0 : 1;
          break;
        default:
          out_ += c;
          break;
      }
    }
    return depth == 0;
  }

  size_t MemberSize(const std::string& key) const {
    auto found = sizes_.find(key);
    return found == sizes_.end() ? 0 : found->second;
  }

 private:
  void NewLine(size_t depth) {
    out_ += '\n';
    out_.append(2 * depth, ' ');
  }

  std::string& out_;
  std::map<std::string, size_t> sizes_;
};

// Builds the slides it is given, keeping only the last one: every manager of
// the process adds to the same description, the host's. It is serialised
// once, after the last slide: asking after every slide would make the work
// grow with the square of the deck. Each slide's effect records are turned
// into text once that slide is released, so that a long deck does not keep
// every slide's records until the end.
class DescriptionBuilder {
 public:
  explicit DescriptionBuilder(const DeckOptions& options)
      : options_(options), measurer_(boost::make_shared<render::PangoMeasurer>()) {}

  void Add(const boost::shared_ptr<platform::Slide>& slide) {
    if (options_.slide != 0 && slide->number != options_.slide) return;
    Release();
    last_ =
        std::make_unique<SlidePlayer>(slide, options_.fps, options_.defaultEffectFrames, measurer_);
    last_->Prepare();
  }

  // The description as UTF-8 text.
  std::string Text() {
    Release();
    return IWebdeckSlide::GetInstance()->GetAnimationManager()->GetJsonText();
  }

 private:
  void Release() {
    if (!last_) return;
    last_.reset();
    IWebdeckSlide::GetInstance()->GetAnimationManager()->WriteContents();
  }

  DeckOptions options_;
  boost::shared_ptr<render::PangoMeasurer> measurer_;
  std::unique_ptr<SlidePlayer> last_;
};

int WriteDescription(const std::string& text, const PrettyWriter& description,
                     const JsonOptions& options, std::ostream& out, std::ostream& err) {
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
  auto count = [&](const char* key) { return description.MemberSize(key); };
  out << "wrote " << options.output << ": " << count("effects") << " effect"
      << (count("effects") == 1 ? "" : "s") << ", " << count("timelines") << " timeline"
      << (count("timelines") == 1 ? "" : "s") << "\n";
  return kExitOk;
}

}  // namespace

nlohmann::ordered_json WebDescription(const pptx::Deck& deck, const DeckOptions& options) {
  DescriptionBuilder builder(options);
  for (const auto& slide : deck.slides) builder.Add(slide);
  return nlohmann::ordered_json::parse(builder.Text());
}

int RunJson(const JsonOptions& options, std::ostream& out, std::ostream& err) {
  DescriptionBuilder builder(options.deck);
  pptx::Deck info;
  size_t count = 0;
  auto add = [&](const boost::shared_ptr<platform::Slide>& slide) { builder.Add(slide); };
  if (!ReadDeckSlides(options.deck.deck, info, count, add, err)) return kExitFailed;
  if (!CheckSlide(options.deck, count, err)) return kExitBadRequest;
  std::string text;
  PrettyWriter description(text);
  if (!description.Write(builder.Text())) {
    err << "error: " << options.deck.deck << ": the web description is not JSON\n";
    return kExitFailed;
  }
  text += "\n";
  return WriteDescription(text, description, options, out, err);
}

}  // namespace cli
