// The web player in a real browser: `slideanim html` of a deck that covers
// every effect family, shown by the system's chromium at #slide=N&t=MS, must
// agree with `slideanim frames` at the same times (SSIM of grey images, or
// the revealed share of the shape for patterns that are random by design).
// Skips when chromium or node is missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "render/Image.h"
#include "web/WebDeck.h"

namespace {

namespace fs = std::filesystem;

const std::string kWork = SLIDEANIM_WEB_WORK_DIR;
const std::string kDeck = kWork + "/web.pptx", kHtml = kWork + "/html";
const std::string kPage = "file://" + fs::absolute(kHtml).string() + "/index.html";
constexpr int kWidth = 640, kHeight = 360;

std::string Quote(const std::string& text) {
  return "'" + text + "'";
}

// Runs `command`, its output into the log; its status.
int Shell(const std::string& command) {
  fs::create_directories(kWork);
  return std::system((command + " >>" + kWork + "/log.txt 2>&1").c_str());
}

int Slideanim(const std::string& arguments) {
  return Shell(Quote(SLIDEANIM_BIN) + " " + arguments);
}

// `slideanim frames` of slide `slide` of the deck at `at` ms into `folder`.
int Frames(int slide, const std::string& at, const std::string& folder) {
  return Slideanim("frames " + Quote(kDeck) + " --slide " + std::to_string(slide) + " --at " + at +
                   " --width " + std::to_string(kWidth) + " -o " + Quote(folder));
}

// The frame at the `index`th of the times asked for.
std::string FramePng(const std::string& folder, int slide, size_t index) {
  char name[64];
  std::snprintf(name, sizeof name, "/slide%02d_f%05zu.png", slide, index);
  return folder + name;
}

// Screenshots by chromium of the pages and actions in `list` (see shoot.js),
// kept in <work>/<name>.txt.
int Shoot(const std::string& name, const std::string& list) {
  const std::string file = kWork + "/" + name + ".txt";
  std::ofstream(file) << list;
  return Shell(std::string(NODE_EXECUTABLE) + " " + Quote(SLIDEANIM_SHOOT_JS) + " " +
               CHROMIUM_EXECUTABLE + " " + std::to_string(kWidth) + " " + std::to_string(kHeight) +
               " < " + Quote(file));
}

// Grey levels 0..255 of an image over white.
std::vector<double> Grey(const render::Image& image) {
  std::vector<double> grey;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const uint32_t p = image.Pixel(x, y);
      const double a = (p >> 24) / 255.0;
      auto channel = [&](int shift) { return ((p >> shift) & 255) * a + 255 * (1 - a); };
      grey.push_back(0.299 * channel(16) + 0.587 * channel(8) + 0.114 * channel(0));
    }
  return grey;
}

// Mean SSIM over 8 x 8 windows a stride of 4 apart.
double Ssim(const render::Image& a, const render::Image& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return 0.0;
  const std::vector<double> x = Grey(a), y = Grey(b);
  const int w = a.Width(), h = a.Height(), n = 8;
  const double c1 = 6.5025, c2 = 58.5225;
  double total = 0.0;
  int windows = 0;
  for (int top = 0; top + n <= h; top += 4)
    for (int left = 0; left + n <= w; left += 4) {
      double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
      for (int j = top; j < top + n; ++j)
        for (int i = left; i < left + n; ++i) {
          const double u = x[static_cast<size_t>(j) * w + i], v = y[static_cast<size_t>(j) * w + i];
          sx += u, sy += v, sxx += u * u, syy += v * v, sxy += u * v;
        }
      const double m = n * n, mx = sx / m, my = sy / m;
      const double vx = sxx / m - mx * mx, vy = syy / m - my * my, cov = sxy / m - mx * my;
      total += ((2 * mx * my + c1) * (2 * cov + c2)) / ((mx * mx + my * my + c1) * (vx + vy + c2));
      ++windows;
    }
  return windows ? total / windows : 0.0;
}

// The share of the target shape's area (440, 235, 400 x 250 on a 1280 x 720
// slide) that is drawn, in percent: each pixel counts by how far its red
// channel has gone from the white slide towards the shape's fill (red 0x44),
// so that edges drawn with anti-aliasing count by their coverage.
double Revealed(const render::Image& image) {
  const double s = static_cast<double>(image.Width()) / 1280.0;
  double drawn = 0;
  long all = 0;
  for (int y = static_cast<int>(235 * s); y < static_cast<int>(485 * s); ++y)
    for (int x = static_cast<int>(440 * s); x < static_cast<int>(840 * s); ++x) {
      const double red = (image.Pixel(x, y) >> 16) & 255;
      drawn += std::max(0.0, std::min(1.0, (255.0 - red) / (255.0 - 0x44)));
      ++all;
    }
  return all ? 100.0 * drawn / all : 0.0;
}

uint64_t FolderBytes(const std::string& folder) {
  uint64_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) bytes += entry.file_size();
  return bytes;
}

// The deck written and converted to a page; skips without a browser.
class WebPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string program : {CHROMIUM_EXECUTABLE, NODE_EXECUTABLE})
      if (program.empty() || !fs::exists(program))
        GTEST_SKIP() << "chromium or node is missing (scripts/setup installs them); the web player "
                        "was not checked in a browser";
    fs::create_directories(kWork);
    cases_ = WriteWebDeck(kDeck);
    ASSERT_FALSE(cases_.empty());
    fs::remove_all(kHtml);
    ASSERT_EQ(Slideanim("html " + Quote(kDeck) + " -o " + Quote(kHtml)), 0);
  }
  std::vector<WebCase> cases_;
};

TEST_F(WebPlayer, ScreenshotsAgreeWithFrames) {
  const std::string frames = kWork + "/frames", shots = kWork + "/shots";
  fs::remove_all(frames);
  fs::remove_all(shots);
  fs::create_directories(shots);
  // Five times across each effect, and one after it.
  auto timesOf = [](const WebCase& c) {
    std::vector<uint32_t> times;
    for (double f : {0.1, 0.3, 0.5, 0.7, 0.9}) times.push_back(static_cast<uint32_t>(f * c.length));
    times.push_back(c.length + 100);
    return times;
  };
  auto shotOf = [&](const WebCase& c, uint32_t time) {
    return shots + "/s" + std::to_string(c.slide) + "_" + std::to_string(time) + ".png";
  };
  std::ostringstream list;
  for (const WebCase& c : cases_) {
    std::string at;
    for (uint32_t time : timesOf(c)) {
      at += (at.empty() ? "" : ",") + std::to_string(time);
      list << kPage << "#slide=" << c.slide << "&t=" << time << "&bare=1 " << shotOf(c, time)
           << "\n";
    }
    ASSERT_EQ(Frames(c.slide, at, frames), 0);
  }
  ASSERT_EQ(Shoot("shots", list.str()), 0) << "see " << kWork << "/log.txt";

  // One row per family: the lowest agreement over its times.
  std::ofstream table(kWork + "/agreement.md");
  table << "| family | measure | worst | at ms |\n|---|---|---|---|\n";
  for (const WebCase& c : cases_) {
    double worst = 0;  // points of revealed share, or SSIM short of 1
    uint32_t worstAt = 0;
    const std::vector<uint32_t> times = timesOf(c);
    for (size_t i = 0; i < times.size(); ++i) {
      const render::Image frame = render::Image::ReadPng(FramePng(frames, c.slide, i));
      const render::Image shot = render::Image::ReadPng(shotOf(c, times[i]));
      ASSERT_TRUE(frame.Valid() && shot.Valid()) << shotOf(c, times[i]);
      const double gap =
          c.random ? std::fabs(Revealed(frame) - Revealed(shot)) : 1.0 - Ssim(frame, shot);
      EXPECT_LE(gap, c.random ? 5.0 : 0.05)
          << c.family << " at " << times[i] << " ms: " << shotOf(c, times[i]) << " vs "
          << FramePng(frames, c.slide, i) << (c.random ? ", revealed share" : ", SSIM short of 1");
      if (gap >= worst) worst = gap, worstAt = times[i];
    }
    table << "| " << c.family << " | " << (c.random ? "revealed share, points" : "SSIM") << " | "
          << std::fixed << std::setprecision(c.random ? 1 : 3) << (c.random ? worst : 1 - worst)
          << " | " << worstAt << " |\n";
  }
}

// Played by hand: a slide waits for its click (Space), Right goes on to the
// next slide, Left back, and a click on a trigger shape starts its sequence.
TEST_F(WebPlayer, ClicksKeysAndTriggersPlay) {
  auto slideOf = [&](const std::string& family) {
    for (const WebCase& c : cases_)
      if (c.family == family) return c.slide;
    return 0;
  };
  // Peek starts hidden and the exit after it shown.
  const int trigger = slideOf("trigger"), peek = slideOf("peek"), exit = slideOf("fade out");
  const int opens = slideOf("opens by itself");
  ASSERT_TRUE(trigger && peek && exit == peek + 1 && opens > 1);
  const std::string play = kWork + "/play";
  auto page = [&](int slide, const std::string& shot) {
    return kPage + "#slide=" + std::to_string(slide) + "&bare=1 " + play + "/" + shot + ".png\n";
  };
  // Each shot after its actions, or of its slide's page just opened.
  const struct {
    const char* shot;
    int slide;
    int frame;  // 0: at 0 ms, 1: at 1100 ms
    std::string actions;
  } checks[] = {
      {"waiting", 1, 0, ""},
      {"clicked", 1, 1, "@key Space\n@wait 1500\n"},
      {"peek", peek, 0, ""},
      {"next", exit, 0, "@key Space\n@wait 1500\n@key ArrowRight\n@wait 300\n"},
      {"back", peek, 0, "@key ArrowLeft\n@wait 300\n"},
      {"untriggered", trigger, 0, ""},
      // The trigger shape's centre (200, 605 on the slide) at half size.
      {"triggered", trigger, 1, "@click 100 302\n@wait 1500\n"},
      // Two clicks on the slide before: its own effect, then the next slide,
      // whose effect plays as it opens.
      {"opened", opens, 1,
       page(opens - 1, "before") + "@key Space\n@wait 1500\n@key Space\n@wait 1500\n"},
  };
  fs::remove_all(play);
  std::string list;
  for (const auto& check : checks) {
    ASSERT_EQ(Frames(check.slide, "0,1100", play), 0);
    list += check.actions.empty() ? page(check.slide, check.shot)
                                  : check.actions + "@shot " + play + "/" + check.shot + ".png\n";
  }
  ASSERT_EQ(Shoot("play", list), 0) << "see " << kWork << "/log.txt";
  for (const auto& check : checks) {
    const render::Image expected = render::Image::ReadPng(FramePng(play, check.slide, check.frame));
    const render::Image shot = render::Image::ReadPng(play + "/" + check.shot + ".png");
    ASSERT_TRUE(expected.Valid() && shot.Valid()) << check.shot;
    EXPECT_GE(Ssim(expected, shot), 0.95) << check.shot;
  }
}

// The page and its layers are a fraction of the pre-drawn frames of preview.
TEST(WebPage, IsAFifthOfThePreviewOfTheDemoDeck) {
  const std::string demo = SLIDEANIM_DEMO_DECK, html = kWork + "/demo-html",
                    preview = kWork + "/demo-preview";
  if (!fs::exists(demo)) GTEST_SKIP() << "no demo deck at " << demo;
  fs::remove_all(html);
  fs::remove_all(preview);
  ASSERT_EQ(Slideanim("html " + Quote(demo) + " -o " + Quote(html)), 0);
  ASSERT_EQ(Slideanim("preview " + Quote(demo) + " --width 960 -o " + Quote(preview)), 0);
  const uint64_t htmlBytes = FolderBytes(html), previewBytes = FolderBytes(preview);
  EXPECT_LE(htmlBytes * 5, previewBytes) << "html " << htmlBytes << ", preview " << previewBytes;
  std::ofstream(kWork + "/sizes.txt")
      << "html " << htmlBytes << "\npreview " << previewBytes << "\n";
}

}  // namespace
