#include "cli/WebJson.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include <boost/make_shared.hpp>

#include "cli/SlidePlayer.h"
#include "host/Webdeck.h"
#include "render/PangoText.h"

namespace cli {

namespace {

using nlohmann::ordered_json;

// Writes JSON text as ordered_json's dump(2) writes the document that parse()
// makes of it, as it reads the text, without building that document (which
// takes several times the text's memory). It counts the direct children of
// each top-level member's value, as size() would.
class PrettyWriter : public nlohmann::json_sax<ordered_json> {
 public:
  explicit PrettyWriter(std::string& out) : out_(out) {}

  size_t MemberSize(const std::string& key) const {
    auto found = sizes_.find(key);
    return found == sizes_.end() ? 0 : found->second;
  }

  bool null() override { return Scalar("null", 0); }
  bool boolean(bool value) override { return Scalar(value ? "true" : "false", 1); }
  bool number_integer(number_integer_t value) override { return Scalar(std::to_string(value), 1); }
  bool number_unsigned(number_unsigned_t value) override {
    return Scalar(std::to_string(value), 1);
  }
  bool number_float(number_float_t value, const string_t&) override {
    return Scalar(ordered_json(value).dump(), 1);
  }
  bool string(string_t& value) override {
    // Most strings need no escapes: printable ASCII without quotes or backslashes.
    const bool plain = std::all_of(value.begin(), value.end(), [](char c) {
      return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    return Scalar(plain ? '"' + value + '"' : ordered_json(value).dump(), 1);
  }
  bool binary(binary_t&) override { return false; }  // never in JSON text
  bool start_object(std::size_t) override { return Open('{'); }
  bool end_object() override { return Close('}'); }
  bool start_array(std::size_t) override { return Open('['); }
  bool end_array() override { return Close(']'); }
  bool key(string_t& name) override {
    Separate();
    // A description repeats a few key names many times.
    auto quoted = quotedKeys_.find(name);
    if (quoted == quotedKeys_.end())
      quoted = quotedKeys_.emplace(name, ordered_json(name).dump()).first;
    out_ += quoted->second;
    out_ += ": ";
    if (open_.size() == 1) sizes_[member_ = name] = 0;
    return true;
  }
  bool parse_error(std::size_t, const std::string&,
                   const nlohmann::detail::exception& error) override {
    if (auto* parse = dynamic_cast<const nlohmann::detail::parse_error*>(&error)) throw *parse;
    throw std::runtime_error(error.what());
  }

 private:
  struct Level {
    bool array;
    size_t count;
  };

  // Before a value: an array's next element starts a new line.
  void BeforeValue() {
    if (!open_.empty() && open_.back().array) Separate();
  }
  void Separate() {
    Level& level = open_.back();
    out_ += level.count++ == 0 ? "\n" : ",\n";
    out_.append(2 * open_.size(), ' ');
  }
  // A direct child of a top-level member's value, or the member itself.
  bool InMember(size_t depth) const { return open_.size() == depth && !open_.front().array; }
  bool Scalar(const std::string& text, size_t size) {
    BeforeValue();
    if (InMember(1)) sizes_[member_] = size;
    if (InMember(2)) ++sizes_[member_];
    out_ += text;
    return true;
  }
  bool Open(char bracket) {
    BeforeValue();
    if (InMember(2)) ++sizes_[member_];
    out_ += bracket;
    open_.push_back({bracket == '[', 0});
    return true;
  }
  bool Close(char bracket) {
    const bool empty = open_.back().count == 0;
    open_.pop_back();
    if (!empty) {
      out_ += '\n';
      out_.append(2 * open_.size(), ' ');
    }
    out_ += bracket;
    return true;
  }

  std::string& out_;
  std::vector<Level> open_;
  std::string member_;
  std::map<std::string, size_t> sizes_;
  std::unordered_map<std::string, std::string> quotedKeys_;
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
  try {
    ordered_json::sax_parse(builder.Text(), &description);
  } catch (const nlohmann::json::exception& error) {
    err << "error: " << options.deck.deck << ": the web description is not JSON (" << error.what()
        << ")\n";
    return kExitFailed;
  }
  text += "\n";
  return WriteDescription(text, description, options, out, err);
}

}  // namespace cli
