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
constexpr int kWidth = 640, kHeight = 360;

int Shell(const std::string& command) {
  return std::system((command + " >>" + kWork + "/log.txt 2>&1").c_str());
}

std::string Quote(const std::string& text) {
  return "'" + text + "'";
}

// Grey levels 0..255 of an image.
std::vector<double> Grey(const render::Image& image) {
  std::vector<double> grey(static_cast<size_t>(image.Width()) * image.Height());
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const uint32_t p = image.Pixel(x, y);
      const double a = (p >> 24) / 255.0;
      const double r = ((p >> 16) & 255) * a + 255 * (1 - a);
      const double g = ((p >> 8) & 255) * a + 255 * (1 - a);
      const double b = (p & 255) * a + 255 * (1 - a);
      grey[static_cast<size_t>(y) * image.Width() + x] = 0.299 * r + 0.587 * g + 0.114 * b;
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

bool Available(const std::string& program) {
  return !program.empty() && fs::exists(program);
}

class WebPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(kWork);
    deck_ = kWork + "/web.pptx";
    html_ = kWork + "/html";
  }
  std::string deck_, html_;
};

// Each effect at five times across it, and once after it.
TEST_F(WebPlayer, ScreenshotsAgreeWithFrames) {
  if (!Available(CHROMIUM_EXECUTABLE) || !Available(NODE_EXECUTABLE))
    GTEST_SKIP() << "chromium or node is missing (scripts/setup installs them); the web player "
                    "was not checked in a browser";
  const std::vector<WebCase> cases = WriteWebDeck(deck_);
  ASSERT_FALSE(cases.empty());
  fs::remove_all(html_);
  fs::remove_all(kWork + "/frames");
  fs::remove_all(kWork + "/shots");
  fs::create_directories(kWork + "/shots");
  ASSERT_EQ(Shell(Quote(SLIDEANIM_BIN) + " html " + Quote(deck_) + " -o " + Quote(html_)), 0);

  struct Shot {
    const WebCase* effect;
    uint32_t time;
    std::string frame, shot;
  };
  std::vector<Shot> shots;
  std::ostringstream list;
  for (const WebCase& c : cases) {
    std::vector<uint32_t> times;
    for (double f : {0.1, 0.3, 0.5, 0.7, 0.9}) times.push_back(static_cast<uint32_t>(f * c.length));
    times.push_back(c.length + 100);
    std::string at;
    for (size_t i = 0; i < times.size(); ++i) {
      at += (i ? "," : "") + std::to_string(times[i]);
      char frame[64];
      std::snprintf(frame, sizeof frame, "/frames/slide%02d_f%05zu.png", c.slide, i);
      const std::string shot =
          kWork + "/shots/s" + std::to_string(c.slide) + "_" + std::to_string(times[i]) + ".png";
      shots.push_back({&c, times[i], kWork + frame, shot});
      list << "file://" << fs::absolute(html_).string() << "/index.html#slide=" << c.slide
           << "&t=" << times[i] << "&bare=1 " << shot << "\n";
    }
    ASSERT_EQ(Shell(Quote(SLIDEANIM_BIN) + " frames " + Quote(deck_) + " --slide " +
                    std::to_string(c.slide) + " --at " + at + " --width " + std::to_string(kWidth) +
                    " -o " + Quote(kWork + "/frames")),
              0);
  }
  {
    std::ofstream file(kWork + "/shots.txt");
    file << list.str();
  }
  ASSERT_EQ(Shell(std::string(NODE_EXECUTABLE) + " " + Quote(SLIDEANIM_SHOOT_JS) + " " +
                  CHROMIUM_EXECUTABLE + " " + std::to_string(kWidth) + " " +
                  std::to_string(kHeight) + " < " + Quote(kWork + "/shots.txt")),
            0)
      << "see " << kWork << "/log.txt";

  // One row per family: the lowest agreement over its times.
  std::ofstream table(kWork + "/agreement.md");
  table << "| family | measure | worst | at ms |\n|---|---|---|---|\n";
  for (const WebCase& c : cases) {
    double worst = c.random ? 0.0 : 1.0;
    uint32_t worstAt = 0;
    for (const Shot& s : shots) {
      if (s.effect != &c) continue;
      const render::Image frame = render::Image::ReadPng(s.frame);
      const render::Image shot = render::Image::ReadPng(s.shot);
      ASSERT_TRUE(frame.Valid() && shot.Valid()) << s.frame << " " << s.shot;
      if (c.random) {
        const double gap = std::fabs(Revealed(frame) - Revealed(shot));
        EXPECT_LE(gap, 5.0) << c.family << " at " << s.time << " ms: revealed " << Revealed(shot)
                            << "% in the browser, " << Revealed(frame) << "% in the frame";
        if (gap >= worst) worst = gap, worstAt = s.time;
      } else {
        const double ssim = Ssim(frame, shot);
        EXPECT_GE(ssim, 0.95) << c.family << " at " << s.time << " ms: " << s.shot << " vs "
                              << s.frame;
        if (ssim <= worst) worst = ssim, worstAt = s.time;
      }
    }
    table << "| " << c.family << " | " << (c.random ? "revealed share, points" : "SSIM") << " | "
          << std::fixed << std::setprecision(c.random ? 1 : 3) << worst << " | " << worstAt
          << " |\n";
  }
}

// Played by hand: a slide waits for its click (Space), Right goes on to the
// next slide, Left back, and a click on a trigger shape starts its sequence.
TEST_F(WebPlayer, ClicksKeysAndTriggersPlay) {
  if (!Available(CHROMIUM_EXECUTABLE) || !Available(NODE_EXECUTABLE))
    GTEST_SKIP() << "chromium or node is missing (scripts/setup installs them); the web player "
                    "was not checked in a browser";
  const std::vector<WebCase> cases = WriteWebDeck(deck_);
  auto slideOf = [&](const std::string& family) {
    for (const WebCase& c : cases)
      if (c.family == family) return c.slide;
    return 0;
  };
  // Peek starts hidden and the exit after it shown.
  const int trigger = slideOf("trigger"), peek = slideOf("peek"), exit = slideOf("fade out");
  const int opens = slideOf("opens by itself");
  ASSERT_TRUE(trigger && peek && exit == peek + 1 && opens > 1);
  const std::string play = kWork + "/play";
  fs::remove_all(html_);
  fs::remove_all(play);
  fs::create_directories(play);
  ASSERT_EQ(Shell(Quote(SLIDEANIM_BIN) + " html " + Quote(deck_) + " -o " + Quote(html_)), 0);
  for (int slide : {1, peek, exit, trigger, opens})
    ASSERT_EQ(Shell(Quote(SLIDEANIM_BIN) + " frames " + Quote(deck_) + " --slide " +
                    std::to_string(slide) + " --at 0,1100 --width " + std::to_string(kWidth) +
                    " -o " + Quote(play)),
              0);
  const std::string page = "file://" + fs::absolute(html_).string() + "/index.html";
  {
    std::ofstream list(kWork + "/play.txt");
    list << page << "#slide=1&bare=1 " << play << "/waiting.png\n"
         << "@key Space\n@wait 1500\n@shot " << play << "/clicked.png\n"
         << page << "#slide=" << peek << "&bare=1 " << play << "/peek.png\n"
         << "@key Space\n@wait 1500\n@key ArrowRight\n@wait 300\n@shot " << play << "/next.png\n"
         << "@key ArrowLeft\n@wait 300\n@shot " << play << "/back.png\n"
         << page << "#slide=" << trigger << "&bare=1 " << play
         << "/untriggered.png\n"
         // The trigger shape's centre (200, 605 on the slide) at half size.
         << "@click 100 302\n@wait 1500\n@shot " << play
         << "/triggered.png\n"
         // Two clicks on the slide before: its own effect, then the next slide, whose effect
         // plays as it opens.
         << page << "#slide=" << opens - 1 << "&bare=1 " << play << "/before.png\n"
         << "@key Space\n@wait 1500\n@key Space\n@wait 1500\n@shot " << play << "/opened.png\n";
  }
  ASSERT_EQ(Shell(std::string(NODE_EXECUTABLE) + " " + Quote(SLIDEANIM_SHOOT_JS) + " " +
                  CHROMIUM_EXECUTABLE + " " + std::to_string(kWidth) + " " +
                  std::to_string(kHeight) + " < " + Quote(kWork + "/play.txt")),
            0)
      << "see " << kWork << "/log.txt";
  const struct {
    const char* shot;
    int slide;
    int frame;  // 0: at 0 ms, 1: at 1100 ms
  } checks[] = {{"waiting", 1, 0},   {"clicked", 1, 1},           {"next", exit, 0},
                {"back", peek, 0},   {"untriggered", trigger, 0}, {"triggered", trigger, 1},
                {"opened", opens, 1}};
  for (const auto& check : checks) {
    char frame[64];
    std::snprintf(frame, sizeof frame, "/slide%02d_f%05d.png", check.slide, check.frame);
    const render::Image expected = render::Image::ReadPng(play + frame);
    const render::Image shot = render::Image::ReadPng(play + "/" + check.shot + ".png");
    ASSERT_TRUE(expected.Valid() && shot.Valid()) << check.shot;
    EXPECT_GE(Ssim(expected, shot), 0.95) << check.shot;
  }
}

// The page and its layers are a fraction of the pre-drawn frames of preview.
TEST_F(WebPlayer, IsAFifthOfThePreviewOfTheDemoDeck) {
  const std::string demo = SLIDEANIM_DEMO_DECK;
  if (!fs::exists(demo)) GTEST_SKIP() << "no demo deck at " << demo;
  fs::remove_all(kWork + "/demo-html");
  fs::remove_all(kWork + "/demo-preview");
  ASSERT_EQ(
      Shell(Quote(SLIDEANIM_BIN) + " html " + Quote(demo) + " -o " + Quote(kWork + "/demo-html")),
      0);
  ASSERT_EQ(Shell(Quote(SLIDEANIM_BIN) + " preview " + Quote(demo) + " --width 960 -o " +
                  Quote(kWork + "/demo-preview")),
            0);
  const uint64_t html = FolderBytes(kWork + "/demo-html");
  const uint64_t preview = FolderBytes(kWork + "/demo-preview");
  EXPECT_LE(html * 5, preview) << "html " << html << " bytes, preview " << preview << " bytes";
  std::ofstream(kWork + "/sizes.txt") << "html " << html << "\npreview " << preview << "\n";
}

}  // namespace
