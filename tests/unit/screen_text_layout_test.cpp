// Text layout: wrapping, alignment, anchoring, bullets and line breaks.
#include <gtest/gtest.h>

#include "publisher/TextLayout.h"

using namespace platform;

namespace {

// Every character 10 units wide; ascent 8, descent 2.
class FixedMeasurer : public ITextMeasurer {
 public:
  void Advances(const std::wstring& text, const CharProps&, std::vector<double>& out) override {
    out.assign(text.size(), 10.0);
  }
  FontMetrics Metrics(const CharProps&) override { return FontMetrics{8.0, 2.0}; }
};

TextBody Body(const std::vector<std::wstring>& paragraphs) {
  TextBody body;
  body.insetLeft = body.insetRight = body.insetTop = body.insetBottom = 0.0;
  for (const auto& text : paragraphs) {
    Paragraph p;
    if (!text.empty()) p.runs.push_back(TextRun{text, CharProps()});
    body.paragraphs.push_back(p);
  }
  return body;
}

const double kBox[4] = {0, 0, 100, 100};

TEST(TextLayout, WrapsAtWordsAndBreaksLongWords) {
  FixedMeasurer m;
  // "aaa bbb ccc": words of 30 plus a space; the box holds 10 characters.
  TextPlace place = LayoutText(Body({L"aaa bbb ccc"}), kBox, m);
  const ParagraphPlace& p = place.paragraphs[0];
  ASSERT_EQ(p.lines.size(), 2u);
  EXPECT_EQ(p.letters[8].line, 1u);  // "ccc" moves down
  EXPECT_DOUBLE_EQ(p.letters[8].x, 0.0);
  EXPECT_DOUBLE_EQ(p.lines[0].baseline, 8.0);
  EXPECT_DOUBLE_EQ(p.lines[1].top, 10.0);

  place = LayoutText(Body({L"abcdefghijklmno"}), kBox, m);
  ASSERT_EQ(place.paragraphs[0].lines.size(), 2u);
  EXPECT_EQ(place.paragraphs[0].letters[10].line, 1u);

  TextBody noWrap = Body({L"aaa bbb ccc"});
  noWrap.wrap = false;
  EXPECT_EQ(LayoutText(noWrap, kBox, m).paragraphs[0].lines.size(), 1u);
}

TEST(TextLayout, AlignmentAnchorAndSpacing) {
  FixedMeasurer m;
  struct Case {
    TextAlign align;
    TextAnchor anchor;
    double left, top;
  } cases[] = {
      {TextAlign::Left, TextAnchor::Top, 0, 0},
      {TextAlign::Centre, TextAnchor::Middle, 35, 45},
      {TextAlign::Right, TextAnchor::Bottom, 70, 90},
  };
  for (const Case& c : cases) {
    TextBody body = Body({L"abc"});
    body.paragraphs[0].align = c.align;
    body.anchor = c.anchor;
    TextPlace place = LayoutText(body, kBox, m);
    EXPECT_DOUBLE_EQ(place.paragraphs[0].bounds[0], c.left);
    EXPECT_DOUBLE_EQ(place.paragraphs[0].bounds[1], c.top);
    EXPECT_DOUBLE_EQ(place.paragraphs[0].bounds[2], c.left + 30);
  }
  TextBody spaced = Body({L"a", L"b"});
  spaced.paragraphs[1].spaceBefore = 6;  // points: 8 slide units
  spaced.paragraphs[1].lineSpacing = 1.5;
  TextPlace place = LayoutText(spaced, kBox, m);
  EXPECT_DOUBLE_EQ(place.paragraphs[1].lines[0].top, 18.0);
  EXPECT_DOUBLE_EQ(place.paragraphs[1].lines[0].bottom, 33.0);
  EXPECT_DOUBLE_EQ(place.paragraphs[1].lines[0].baseline, 31.0);
  spaced.lineSpacingReduction = 0.2;  // autofit: every line 20% closer
  place = LayoutText(spaced, kBox, m);
  EXPECT_DOUBLE_EQ(place.paragraphs[1].lines[0].top, 16.0);
  EXPECT_DOUBLE_EQ(place.paragraphs[1].lines[0].bottom, 28.0);
}

TEST(TextLayout, BulletsHangAndBreaksEndLines) {
  FixedMeasurer m;
  TextBody body = Body({L"ab", L""});
  body.paragraphs[0].bullet = L"*";
  body.paragraphs[0].marginLeft = 20;
  body.paragraphs[0].indent = -20;
  body.paragraphs[1].bullet = L"*";  // empty paragraphs show no bullet
  TextPlace place = LayoutText(body, kBox, m);
  EXPECT_TRUE(place.paragraphs[0].hasBullet);
  EXPECT_DOUBLE_EQ(place.paragraphs[0].bulletX, 0.0);
  EXPECT_DOUBLE_EQ(place.paragraphs[0].letters[0].x, 20.0);
  EXPECT_FALSE(place.paragraphs[1].hasBullet);
  EXPECT_EQ(place.paragraphs[1].lines.size(), 1u);

  place = LayoutText(Body({L"ab\vcd\t"}), kBox, m);
  const ParagraphPlace& p = place.paragraphs[0];
  ASSERT_EQ(p.lines.size(), 2u);
  EXPECT_EQ(p.letters[3].line, 1u);
  EXPECT_DOUBLE_EQ(p.letters[3].x, 0.0);
  EXPECT_DOUBLE_EQ(p.letters[5].advance, 76.0);  // tab to the next inch (96 units)
}

TEST(TextLayout, OverriddenPropertiesAreMeasured) {
  EstimateMeasurer m;
  TextBody body = Body({L"ab"});
  CharProps big;
  big.size = 36;
  const TextPlace normal = LayoutText(body, kBox, m);
  const TextPlace large =
      LayoutText(body, kBox, m, [&](size_t, size_t i) { return i == 0 ? &big : nullptr; });
  EXPECT_NEAR(large.paragraphs[0].letters[0].advance, 2 * normal.paragraphs[0].letters[0].advance,
              1e-9);
  EXPECT_GT(large.paragraphs[0].lines[0].bottom, normal.paragraphs[0].lines[0].bottom);
}

}  // namespace
