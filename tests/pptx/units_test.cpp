// Number, time, path and colour parsing that every part of the reader uses.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "pptx/Package.h"
#include "pptx/TextStyles.h"
#include "pptx/Theme.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace {

TEST(Units, TimesAndNumbers) {
  const struct {
    const char* text;
    bool ok;
    uint32_t ms;
  } times[] = {{"0", true, 0},           {"500", true, 500},
               {" 42 ", true, 42},       {"indefinite", true, pptx::kIndefinite},
               {"-1", false, 0},         {"1.5", false, 0},
               {"4294967295", false, 0}, {"4294967294", true, 4294967294u},
               {"", false, 0},           {"99999999999999999999", false, 0},
               {"12ms", false, 0}};
  for (const auto& row : times) {
    uint32_t ms = 0;  // left alone on failure
    EXPECT_EQ(std::make_pair(pptx::ParseTime(row.text, ms), ms), std::make_pair(row.ok, row.ms))
        << row.text;
  }
  const struct {
    const char* text;
    bool ok;
    double ms;
  } offsets[] = {{"1500", true, 1500},    {"1.5s", true, 1500},  {"2min", true, 120000},
                 {"250ms", true, 250},    {"1h", true, 3600000}, {"-1", false, 0},
                 {"3 parsecs", false, 0}, {"", false, 0}};
  for (const auto& row : offsets) {
    double ms = 0;
    EXPECT_EQ(std::make_pair(pptx::ParseTimeOffset(row.text, ms), ms),
              std::make_pair(row.ok, row.ms))
        << row.text;
  }
  double value = 0;
  EXPECT_FALSE(pptx::ParseDecimal("nan", value));
  EXPECT_FALSE(pptx::ParseDecimal("1e999", value));
  EXPECT_DOUBLE_EQ(pptx::EmuToUnits(12192000), 1280.0);
}

TEST(Units, RelationshipTargetsResolveAgainstTheirPart) {
  EXPECT_EQ(pptx::Package::ResolveTarget("ppt/slides/slide1.xml", "../media/image1.png"),
            "ppt/media/image1.png");
  EXPECT_EQ(pptx::Package::ResolveTarget("ppt/slides/slide1.xml", "/ppt/media/a%20b.png"),
            "ppt/media/a b.png");
  EXPECT_EQ(pptx::Package::ResolveTarget("", "ppt/presentation.xml"), "ppt/presentation.xml");
  EXPECT_EQ(pptx::Package::ResolveTarget("ppt/presentation.xml", "../../../x.xml"), "x.xml");
}

TEST(Units, ColoursWithModifiersAndTheColourMap) {
  pugi::xml_document doc;
  doc.load_string(
      R"(<t><a:srgbClr val="4472C4"><a:lumMod val="50000"/></a:srgbClr><a:schemeClr val="tx1"/>)"
      R"(<a:schemeClr val="accent1"><a:alpha val="50000"/></a:schemeClr><a:prstClr val="red"/>)"
      R"(<a:srgbClr val="zzzzzz"/><a:srgbClr val="808080"><a:tint val="50000"/></a:srgbClr>)"
      R"(<a:srgbClr val="808080"><a:gamma/><a:shade val="50000"/><a:invGamma/></a:srgbClr></t>)");
  pptx::Theme theme;
  theme.colours = {
      {"dk1", {1, 2, 3, 255}}, {"lt1", {250, 250, 250, 255}}, {"accent1", {10, 20, 30, 255}}};
  pptx::Diagnostics diag;
  pptx::ColourContext colours(&theme, &diag);
  std::vector<pugi::xml_node> nodes = pptx::Elements(doc.child("t"));
  // Each colour resolved as 0xRRGGBBAA, 0 where it cannot be.
  auto resolved = [&] {
    std::vector<uint32_t> out;
    for (const pugi::xml_node& node : nodes) {
      Kinefold::TColor c;
      out.push_back(colours.Resolve(node, c) ? c.red << 24 | c.green << 16 | c.blue << 8 | c.alpha
                                             : 0);
    }
    return out;
  };
  // Half the lightness turns 4472C4 into 203864; tx1 maps to dk1; the tint
  // goes halfway to white in linear light; between gamma and its inverse, a
  // shade about halves the value.
  std::vector<uint32_t> got = resolved();
  EXPECT_EQ(std::vector<uint32_t>(got.begin(), got.begin() + 6),
            (std::vector<uint32_t>{0x203864FF, 0x010203FF, 0x0A141E80, 0xFF0000FF, 0, 0xCDCDCDFF}));
  EXPECT_NEAR(got[6] >> 24, 59u, 2u);
  EXPECT_EQ(diag.Count("unknown colour"), 1u);
  pugi::xml_document map;
  map.load_string("<clrMap tx1=\"lt1\"/>");
  colours.SetMap(map.child("clrMap"));
  EXPECT_EQ(resolved()[1], 0xFAFAFAFFu);
}

TEST(Units, BulletsAndNumbering) {
  EXPECT_EQ(pptx::AutoNumberText("arabicPeriod", 3), L"3.");
  EXPECT_EQ(pptx::AutoNumberText("alphaLcParenR", 28), L"ab)");
  EXPECT_EQ(pptx::AutoNumberText("romanUcPeriod", 14), L"XIV.");
  EXPECT_EQ(pptx::AutoNumberText("arabicParenBoth", 1), L"(1)");
  EXPECT_EQ(pptx::BulletText(L"n", "Wingdings"), L"\u25A0");
  EXPECT_EQ(pptx::BulletText(L"n", "Arial"), L"n");
  // Glyphs written in the private use area, and the other symbol fonts.
  EXPECT_EQ(pptx::BulletText(L"\uF06E", "Wingdings"), L"\u25A0");
  EXPECT_EQ(pptx::BulletText(L"\uF0B7", "Symbol"), L"\u2022");
  EXPECT_EQ(pptx::BulletText(L"\uF097", "Wingdings 2"), L"\u25CF");
  EXPECT_EQ(pptx::BulletText(L"\uF0A4", "Wingdings 2"), L"\u2022");
  double scale = 1.0;
  EXPECT_EQ(pptx::BulletText(L"\uF077", "Wingdings", &scale), L"\u25C6");
  EXPECT_DOUBLE_EQ(scale, 0.6);  // a small diamond
  EXPECT_EQ(pptx::BulletText(L"\uF07D", "Wingdings 3"), L"\u25B8");
}

}  // namespace
