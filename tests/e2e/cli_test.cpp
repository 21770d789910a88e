// The slideanim command end to end: the built program run on small decks
// written with the deck writer; its exit codes, the files it writes and what
// they show.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "pptx/DeckFixture.h"
#include "render/Image.h"
#include "support/Command.h"
#include "support/Scratch.h"

namespace {

namespace fs = std::filesystem;
namespace x = pptx::xml;
using testdeck::FadeIn;

scratch::Folder* const kScratch = scratch::Folder::Register("cli");

std::string In(const std::string& name) {
  return kScratch->In(name);
}

using command::ReadFile;
using command::Result;

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A red box at (100, 100) to (500, 300) on a white 1280 x 720 slide.
std::string Box() {
  return x::Shape(2, "Box", 100, 100, 400, 200, "FF0000");
}

// A click on shape `button` turns shape `spid` a quarter over `ms`: a trigger.
x::Sequence Turn(int button, int spid, uint32_t ms) {
  return {x::ClickCondition(button),
          {testdeck::MakeEffect("emph", "clickEffect",
                                x::Rotate(x::ShapeTarget(spid), 90 * 60000, ms))}};
}

// Slide 1: the box fades in on the first click, over 500 ms: at 25 fps the
// slide is 540 ms long (the end moves to the next 40 ms frame). Slide 2 has
// no animations.
std::string FadeDeck() {
  static const std::string path = [] {
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& first = writer.AddSlide();
    first.shapes = Box();
    first.timing = x::Timing({x::Sequence{"", {FadeIn(2, 500)}}});
    writer.AddSlide().shapes = x::Shape(2, "Still", 100, 100, 200, 100, "0000FF");
    return testdeck::Saved(In("fade.pptx"), writer);
  }();
  return path;
}

// The box fades in on a click, then a click on the button (whose name would
// end a script element) turns it.
std::string TriggerDeck() {
  static const std::string path = [] {
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = Box() + x::Shape(3, "Button </script>", 640, 480, 320, 120, "00AA00");
    slide.timing = x::Timing({x::Sequence{"", {FadeIn(2, 500)}}, Turn(3, 2, 400)});
    return testdeck::Saved(In("trigger.pptx"), writer);
  }();
  return path;
}

// The fade-in with a sound that plays along with it.
std::string SoundDeck() {
  static const std::string path = [] {
    x::Effect effect = FadeIn(2, 500);
    effect.subTnLst = x::EffectSound("rIdSound", "chime.wav", 50000);
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = Box();
    slide.timing = x::Timing({x::Sequence{"", {effect}}});
    slide.relationships.push_back({"rIdSound", "audio", "../media/chime.wav", false});
    writer.AddPart("ppt/media/chime.wav", "RIFF", "audio/wav");
    return testdeck::Saved(In("sound.pptx"), writer);
  }();
  return path;
}

using Cli = command::Test;

// What frames writes and reports. At 25 fps slide 1 of the fade deck is drawn
// at 0, 40, ..., 520 ms: its 540 ms end falls between frames 13 and 14. A
// sound is reported once, where it starts.
TEST_F(Cli, FramesCoverTheTimelineOrTheRangeAsked) {
  struct Case {
    std::string deck, options;
    size_t files;
    std::string line;
  } cases[] = {
      {FadeDeck(), "", 15,
       "slide 1: 14 frames, length 540 ms, no sounds\nslide 2: 1 frame, length 0 ms, no sounds\n"},
      {SoundDeck(), "", 14,
       "slide 1: 14 frames, length 540 ms, sounds: 0 ms shape 2 \"ppt/media/chime.wav\"\n"},
      {FadeDeck(), "--slide 1 --from 100 --to 200", 3, "slide 1: 3 frames"},  // 100, 140, 180
      {FadeDeck(), "--slide 1 --from 400", 4, "slide 1: 4 frames"},           // 400 ... 520
      {FadeDeck(), "--slide 1 --to 0", 1, "slide 1: 1 frame,"},
      {FadeDeck(), "--slide 1 --at 0,250,540,9000", 4, "slide 1: 4 frames"},
      {FadeDeck(), "--slide 1 --from 600", 0,
       "slide 1: 0 frames, length 540 ms, no sounds (the slide ends at 540 ms"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.deck + " " + c.options);
    const std::string out = In("frames-" + std::to_string(i));
    Result run = command::Run("frames --fps 25 --width 64 " + c.options + " " + Quoted(c.deck) +
                              " -o " + Quoted(out));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_EQ(FilesIn(out).size(), c.files);
    EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
  }
  // The files are named after their slide and frame, drawn at the width asked.
  std::vector<std::string> expected;
  for (int i = 0; i < 14; ++i)
    expected.push_back((i < 10 ? "slide01_f0000" : "slide01_f000") + std::to_string(i) + ".png");
  expected.push_back("slide02_f00000.png");
  EXPECT_EQ(FilesIn(In("frames-0")), expected);
  render::Image image = render::Image::ReadPng(In("frames-0") + "/slide01_f00000.png");
  EXPECT_EQ(std::make_pair(image.Width(), image.Height()), std::make_pair(64, 36));
  // The other slide's shape, (200, 150) on the slide, is there from the start.
  image = render::Image::ReadPng(In("frames-0") + "/slide02_f00000.png");
  EXPECT_EQ(image.Pixel(10, 7) & 0xFFFFFF, 0x0000FFu);
  // The box's centre, (300, 200) on the slide, in the frames --at asked for:
  // white before the fade, on its way at 250 ms, red at its end.
  std::string fade;
  for (int i = 0; i < 3; ++i) {
    image = render::Image::ReadPng(In("frames-5") + "/slide01_f0000" + std::to_string(i) + ".png");
    ASSERT_TRUE(image.Valid()) << i;
    const uint32_t green = (image.Pixel(15, 10) >> 8) & 0xFF;
    fade += green > 240 ? 'w' : green < 15 ? 'r' : green > 20 && green < 235 ? '~' : '?';
  }
  EXPECT_EQ(fade, "w~r");
  // The slide length agrees with what inspect reports.
  Result inspect = command::Run("inspect --json --fps 25 " + Quoted(FadeDeck()));
  ASSERT_EQ(inspect.status, 0);
  EXPECT_EQ(nlohmann::json::parse(inspect.out)["slides"][0]["length"], 540);
}

TEST_F(Cli, BadRequestsGiveOneLineAndAnExitCode) {
  const std::string broken = In("not-a-deck.pptx");
  std::ofstream(broken) << "plain text";
  const std::string blocker = In("a-file");
  std::ofstream(blocker) << "in the way";
  const std::string deck = Quoted(FadeDeck()), toX = " -o " + Quoted(In("x"));
  const std::string toPng = " -o " + Quoted(In("x.png")), to = " -o " + Quoted(blocker);
  const auto noSlide = [](int n) {
    return "error: " + FadeDeck() + ": there is no slide " + std::to_string(n) +
           " (the deck has 2)\n";
  };
  struct Case {
    std::string arguments;
    int status;           // < 0: refused by the option parser
    std::string message;  // the whole of standard error when it starts with "error:"
  };
  const std::string notZip = "error: " + broken + ": not a zip archive, so not a .pptx file\n";
  std::vector<Case> cases = {
      {"inspect " + Quoted(broken), 1, notZip},
      {"frames " + Quoted(broken) + toX, 1, notZip},
      {"sheet " + Quoted(broken) + toPng, 1, notZip},
      {"json " + Quoted(broken), 1, notZip},
      {"preview " + Quoted(broken) + toX, 1, notZip},
      {"html " + Quoted(broken) + toX, 1, notZip},
      {"html --slide 3 " + deck + toX, 2, noSlide(3)},
      {"html " + deck + to, 1, "error: " + blocker},
      {"frames --slide 3 " + deck + toX, 2, noSlide(3)},
      {"inspect --slide 7 " + deck, 2, noSlide(7)},
      {"json --slide 9 " + deck, 2, noSlide(9)},
      {"frames --from 300 --to 100 " + deck + toX, 2, "error: --from 300 is after --to 100\n"},
      {"frames --fps 25 --max-frames 10 " + deck + toX, 2,
       "error: " + FadeDeck() +
           ": slide 1 takes 14 frames from 0 to 540 ms at 25 fps, more than the limit of 10 "
           "(--max-frames); choose a range with --from and --to, or a lower --fps\n"},
      {"frames --at 0,40,80 --max-frames 2 " + deck + toX, 2,
       "error: --at asks for 3 frames, more than the limit of 2 (--max-frames)\n"},
      {"preview --fps 25 --max-frames 10 " + deck + toX, 2, "error: "},
      {"frames " + deck + to, 1, "error: " + blocker + ": cannot make the folder"},
      {"sheet --width 4000 --columns 10 --count 10 " + deck + toPng, 2,
       "error: " + In("x.png") + ": the sheet would be 40140 x "},
      {"frames --fps 0 " + deck + toX, -2, ""},
      {"inspect --fps 0 " + deck, -2, ""},
      {"inspect", -2, ""},
      {"frames " + deck, -2, ""},  // no output folder
      {"frames --at 5 --from 2 " + deck + toX, -2, ""},
      {"sheet --count 0 " + deck + toPng, -2, ""},
      {"preview " + Quoted(In("missing.pptx")) + toX, -2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    Result run = command::Run(c.arguments);
    if (c.status < 0) {
      EXPECT_NE(run.status, 0);
      EXPECT_FALSE(run.err.empty());
      continue;
    }
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(run.err.substr(0, c.message.size()), c.message);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  // Nothing is drawn for a request that is refused.
  EXPECT_FALSE(fs::exists(In("x")));
  EXPECT_FALSE(fs::exists(In("x.png")));
}

TEST_F(Cli, HelpExplainsEveryCommandAndOption) {
  Result top = command::Run("--help");
  EXPECT_EQ(top.status, 0);
  // Each command's own options; every one takes --slide, --fps and --default-effect-frames.
  const std::pair<std::string, std::string> options[] = {
      {"inspect", "--json"},
      {"frames", "--width --from --to --at --output --max-frames --jobs"},
      {"sheet", "--count --columns --width --output --jobs"},
      {"json", "--output"},
      {"preview", "--width --output --jobs"},
      {"html", "--width --output"}};
  for (const auto& [command, own] : options) {
    EXPECT_NE(top.out.find(command), std::string::npos) << command;
    Result help = command::Run(command + " --help");
    EXPECT_EQ(help.status, 0);
    std::istringstream words("--slide --fps --default-effect-frames " + own);
    for (std::string option; words >> option;)
      EXPECT_NE(help.out.find(option), std::string::npos) << command << " " << option;
  }
}

TEST_F(Cli, SheetShowsEachSlidesTimelineInAGrid) {
  const std::string file = In("sheets/sheet.png");  // the folder is made
  Result run = command::Run("sheet --fps 25 --count 3 --columns 3 --width 128 " +
                            Quoted(FadeDeck()) + " -o " + Quoted(file));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("2 slides, 4 frames"), std::string::npos) << run.out;  // 3 + 1
  render::Image sheet = render::Image::ReadPng(file);
  ASSERT_TRUE(sheet.Valid());
  EXPECT_GT(sheet.Width(), 3 * 128);
  // The first slide's cells show 0, 270 and 540 ms: only the last one shows
  // the box in full red. Find the first row of pure red, then look along it.
  int top = -1;
  for (int y = 0; y < sheet.Height() && top < 0; ++y)
    for (int x = 0; x < sheet.Width() && top < 0; ++x)
      if ((sheet.Pixel(x, y) & 0xFFFFFF) == 0xFF0000) top = y;
  ASSERT_GE(top, 0) << "no red on the sheet";
  std::string cells = "---";
  for (int x = 0; x < sheet.Width(); ++x)
    if ((sheet.Pixel(x, top + 8) & 0xFFFFFF) == 0xFF0000) cells[x * 3 / sheet.Width()] = 'r';
  EXPECT_EQ(cells, "--r");
}

TEST_F(Cli, JsonIsTheWebDescriptionOfEveryEffect) {
  Result run = command::Run("json --fps 25 " + Quoted(TriggerDeck()));
  ASSERT_EQ(run.status, 0) << run.err;
  nlohmann::json description = nlohmann::json::parse(run.out, nullptr, false);
  ASSERT_FALSE(description.is_discarded()) << run.out;
  EXPECT_EQ(description["sounds"], nlohmann::json::object());
  EXPECT_NE(run.out.find("\n  \""), std::string::npos) << "not pretty-printed";
  // Written as it is parsed: exactly the text dump(2) gives of the document.
  EXPECT_EQ(run.out, nlohmann::ordered_json::parse(run.out).dump(2) + "\n");
  // Both effects are in the timelines: the main one, its click a frame in, and the button's.
  EXPECT_EQ(description["timelines"], nlohmann::json::parse(R"([
      {"trigger": "", "clicks": [{"start": 0, "animations": []},
                                 {"start": 40, "animations": ["effect_ID0"]}]},
      {"trigger": "3", "clicks": [{"start": 0, "animations": ["effect_ID1"]}]}])"));
  // Each of them has its effect record, built against the screen objects.
  std::vector<std::string> recorded;
  for (const auto& effect : description["effects"])
    recorded.push_back(effect["id"].get<std::string>() + " on " +
                       effect["target"].get<std::string>());
  EXPECT_EQ(recorded, (std::vector<std::string>{"effect_ID0 on 2/shape", "effect_ID1 on 2/shape"}));

  const std::string file = In("web/deck.json");
  Result written = command::Run("json --fps 25 " + Quoted(TriggerDeck()) + " -o " + Quoted(file));
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(nlohmann::json::parse(ReadFile(file)), description);
  EXPECT_NE(written.out.find(": 2 effects, 2 timelines\n"), std::string::npos) << written.out;
}

// The web page: the description byte for byte, the layers, sounds and
// trigger boxes its player needs beside it.
TEST_F(Cli, HtmlWritesTheDescriptionWithLayersAndSounds) {
  for (const std::string& deck : {TriggerDeck(), SoundDeck()}) {
    SCOPED_TRACE(deck);
    const std::string folder = In("html-" + fs::path(deck).stem().string());
    Result run = command::Run("html --fps 25 " + Quoted(deck) + " -o " + Quoted(folder));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(folder + "/web.json"), command::Run("json --fps 25 " + Quoted(deck)).out);
    const std::string script = ReadFile(folder + "/deck.js");
    const nlohmann::json side = nlohmann::json::parse(
        script.substr(script.find('{'), script.rfind('}') - script.find('{') + 1), nullptr, false);
    ASSERT_FALSE(side.is_discarded()) << script;
    const nlohmann::json& slide = side["slides"][0];
    EXPECT_TRUE(fs::exists(folder + "/" + slide["background"].get<std::string>()));
    ASSERT_FALSE(slide["layers"].empty());
    for (const auto& layer : slide["layers"])
      EXPECT_TRUE(fs::exists(folder + "/" + layer["file"].get<std::string>())) << layer.dump();
    for (const char* file : {"index.html", "player.js", "player.css"})
      EXPECT_FALSE(ReadFile(folder + "/" + file).empty()) << file;
    if (deck == TriggerDeck()) {
      EXPECT_EQ(slide["triggers"]["3"]["box"].size(), 4u) << slide.dump();
    } else {
      EXPECT_EQ(slide["effects"]["effect_ID0"]["sound"], "media/chime.wav") << slide.dump();
      EXPECT_TRUE(fs::exists(folder + "/media/chime.wav"));
    }
  }
}

TEST_F(Cli, PreviewPageReferencesEveryFrameAndWaitsForClicks) {
  const std::string out = In("preview");
  fs::create_directories(out + "/frames");
  std::ofstream(out + "/frames/slide07_f00003.png") << "from an earlier run";
  Result run =
      command::Run("preview --fps 25 --width 160 " + Quoted(TriggerDeck()) + " -o " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string page = ReadFile(out + "/index.html");

  // Nothing fetched from elsewhere, and the button's name does not end the script.
  EXPECT_EQ(page.find("http"), std::string::npos);
  const std::regex end("</script>");
  EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), end), {}), 2);

  // The description the page plays from.
  std::smatch found;
  ASSERT_TRUE(
      std::regex_search(page, found, std::regex("var SLIDEANIM_PREVIEW = (.*);\n</script>")));
  nlohmann::json data = nlohmann::json::parse(found[1].str(), nullptr, false);
  ASSERT_TRUE(data.is_object()) << "the page's description does not parse";
  EXPECT_EQ(data["fps"], 25);
  ASSERT_EQ(data["slides"].size(), 1u);
  const nlohmann::json& slide = data["slides"][0];
  // The main click at 0 (a fade of 500 ms, to 540 at the next frame), the
  // button's click one frame later at 580 (a turn of 400 ms, to 1020).
  EXPECT_EQ(slide["length"], 1020);
  EXPECT_EQ(slide["frames"].size(), 26u);  // 0, 40, ..., 1000
  // The frame files, and no other (the earlier run's is gone), are the ones
  // referenced: while the box stands still, frames share a file.
  std::set<std::string> files;
  for (const std::string& name : FilesIn(out + "/frames")) files.insert("frames/" + name);
  EXPECT_EQ(slide["frames"].get<std::set<std::string>>(), files);
  EXPECT_LT(files.size(), slide["frames"].size());
  // The button's box in percent of the slide: 640 of 1280 across, 480 of 720 down.
  EXPECT_EQ(slide["steps"], nlohmann::json::parse(R"([
      {"bookmark": "", "box": null, "click": true, "kind": 0, "start": 0, "trigger": "",
       "triggerName": ""},
      {"bookmark": "", "box": [50, 66.66666666666667, 25, 16.666666666666668], "click": true,
       "kind": 0, "start": 580, "trigger": "3", "triggerName": "Button </script>"}])"));
  EXPECT_NE(run.out.find("1 slide, 26 frames in " + std::to_string(files.size()) + " files"),
            std::string::npos)
      << run.out;
}

// What is written does not depend on the number of threads that draw the
// slides, nor on a locale that writes decimals with a comma, nor on the run.
// (Frames of random bars and dissolve would not: they reseed from the clock.)
TEST_F(Cli, OutputIsTheSameWhateverTheThreadsAndTheLocale) {
  std::string comma = "LC_ALL=de_DE.UTF-8 ";
  try {
    std::locale("de_DE.UTF-8");
  } catch (const std::runtime_error&) {
    comma = "LC_ALL=C ";  // only the threads then differ
  }
  pptx::DeckWriter writer;
  for (int s = 0; s < 4; ++s) {
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = Box() + x::Shape(3, "Turner", 640, 300, 200, 200, "0000FF", "", {x::P("Turn")});
    // A click on the box turns the other shape: a trigger with its box.
    slide.timing = x::Timing({x::Sequence{"", {FadeIn(2, 200 + 100 * s)}}, Turn(2, 3, 300)});
  }
  const std::string deck = Quoted(testdeck::Saved(In("threads.pptx"), writer));
  const std::string out = In("again");
  // Each command, and whether it draws (on --jobs threads).
  const std::pair<std::string, bool> commands[] = {
      {"inspect " + deck, false},
      {"json --fps 25 " + deck, false},
      {"frames --fps 20 --width 160 " + deck + " -o " + Quoted(out), true},
      {"sheet --fps 20 --count 4 --width 96 " + deck + " -o " + Quoted(out + "/sheet.png"), true},
      {"preview --fps 20 --width 160 " + deck + " -o " + Quoted(out), true},
  };
  for (const auto& command : commands) {
    std::map<std::string, std::string> runs[2];
    size_t bytes = 0;
    for (int i = 0; i < 2; ++i) {
      fs::remove_all(out);
      const std::string jobs = command.second ? (i == 0 ? " --jobs 1" : " --jobs 3") : "";
      Result run = command::Run(command.first + jobs, i == 0 ? "LC_ALL=C " : comma);
      ASSERT_EQ(run.status, 0) << command.first << "\n" << run.err;
      runs[i] = {{"stdout", run.out}, {"stderr", run.err}};
      std::error_code error;
      for (const auto& entry : fs::recursive_directory_iterator(out, error))
        if (entry.is_regular_file())
          runs[i][entry.path().string()] = ReadFile(entry.path().string());
      for (const auto& file : runs[i]) bytes += file.second.size();
    }
    EXPECT_GT(bytes, command.second ? 2000u : 200u) << command.first;
    EXPECT_TRUE(runs[0] == runs[1]) << command.first;
  }
}

}  // namespace
