// Places a text body in its shape's box: line breaks, alignment, anchoring,
// bullets and line spacing, down to the position of every letter. The text is
// measured through a hook so that the platform can estimate sizes on its own
// while the renderer plugs in the fonts it really draws with.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "document/TextModel.h"

namespace platform {

struct FontMetrics {
  double ascent = 0.0;   // above the baseline, slide units
  double descent = 0.0;  // below the baseline, slide units
};

class ITextMeasurer {
 public:
  virtual ~ITextMeasurer() = default;
  // The advance of each character of `text` when the piece is drawn in one go
  // with `props`, in slide units (points). `advances` gets text.size() values.
  virtual void Advances(const std::wstring& text, const CharProps& props,
                        std::vector<double>& advances) = 0;
  // A line's ascent and descent for `props`.
  virtual FontMetrics Metrics(const CharProps& props) = 0;
  // The font's own ascent and descent, for lines set as tall as their font
  // (TextBody::fontLineHeights); by default the same as Metrics.
  virtual FontMetrics FontExtents(const CharProps& props) { return Metrics(props); }
  // How far the ink of `text` reaches above and below its baseline (slide
  // units, below positive downwards); false when the measurer cannot tell.
  virtual bool InkExtents(const std::wstring& text, const CharProps& props, double& above,
                          double& below) {
    (void)text, (void)props, (void)above, (void)below;
    return false;
  }
};

// A font-free estimate from typical glyph widths; good enough for tests and
// for tools that do not draw.
class EstimateMeasurer : public ITextMeasurer {
 public:
  void Advances(const std::wstring& text, const CharProps& props,
                std::vector<double>& advances) override;
  FontMetrics Metrics(const CharProps& props) override;
};

struct LetterPlace {
  double x = 0.0;  // left edge
  double advance = 0.0;
  size_t line = 0;  // index into ParagraphPlace::lines
};

struct LinePlace {
  double top = 0.0;
  double baseline = 0.0;
  double bottom = 0.0;
};

struct ParagraphPlace {
  std::vector<LetterPlace> letters;  // one per letter of SplitUnits
  std::vector<LinePlace> lines;      // at least one
  double bounds[4] = {0, 0, 0, 0};   // left, top, right, bottom of the inked lines
  bool hasBullet = false;
  double bulletX = 0.0;
  double bulletRise = 0.0;  // the bullet's baseline above the first line's
  CharProps bulletProps;
};

struct TextPlace {
  std::vector<ParagraphPlace> paragraphs;
  double height = 0.0;  // of the laid-out block, from its first line's top to its last bottom
};

// The characters of props of letter `letter` of paragraph `paragraph`, or null
// for the authored ones.
using LetterPropsFn = std::function<const CharProps*(size_t paragraph, size_t letter)>;

// Lays out `body` inside `box` (left, top, right, bottom).
TextPlace LayoutText(const TextBody& body, const double box[4], ITextMeasurer& measurer,
                     const LetterPropsFn& override = LetterPropsFn());

// A body that shrinks on overflow and is taller than its box gets its font
// sizes and point spacings scaled down, by the largest factor that makes it
// fit (never below a tenth). The flag is cleared: the body is fitted once.
void FitText(TextBody& body, const double box[4], ITextMeasurer& measurer);

// True for characters that end a line where they stand.
inline bool IsLineBreak(wchar_t c) {
  return c == L'\n' || c == L'\v' || c == 0x2028;
}

bool SameCharProps(const CharProps& a, const CharProps& b);

// True when letter `i` starts where the letter before it ends (justified
// lines move letters apart).
inline bool FollowsOn(const ParagraphPlace& pp, size_t i) {
  if (i == 0 || i >= pp.letters.size()) return true;
  const LetterPlace& before = pp.letters[i - 1];
  const double gap = pp.letters[i].x - (before.x + before.advance);
  return before.line != pp.letters[i].line || (gap < 0.01 && gap > -0.01);
}

}  // namespace platform
