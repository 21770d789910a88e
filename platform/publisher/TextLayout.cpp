#include "publisher/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace platform {
namespace {

constexpr double kTabStop = 96.0;  // one inch, in slide units
constexpr double kEpsilon = 1e-6;

double EstimateWidth(wchar_t c) {
  if (c == L' ' || c == 0xA0) return 0.28;
  if (IsLineBreak(c) || c == L'\t') return 0.0;
  switch (c) {
    case L'i':
    case L'l':
    case L'j':
    case L't':
    case L'f':
    case L'r':
    case L'.':
    case L',':
    case L';':
    case L':':
    case L'!':
    case L'|':
    case L'\'':
    case L'I':
      return 0.3;
    case L'm':
    case L'w':
    case L'M':
    case L'W':
      return 0.85;
    default:
      break;
  }
  if (c >= L'A' && c <= L'Z') return 0.66;
  if (c >= L'0' && c <= L'9') return 0.55;
  return 0.52;
}

// Start of each word's letters in one paragraph: the word index of every letter.
std::vector<size_t> WordOfLetter(const ParagraphUnits& units) {
  std::vector<size_t> word(units.letters.size(), 0);
  for (size_t w = 0; w < units.words.size(); ++w)
    for (size_t i = 0; i < units.words[w].letterCount; ++i)
      word[units.words[w].firstLetter + i] = w;
  return word;
}

// Widens the gaps of each line so that its ink reaches `right`: the blanks
// between its words, or with `distribute` and no blanks, between its letters.
// Advances stay as measured, so a letter away from where the one before it
// ends starts a new piece for the renderer.
// Justified text leaves a paragraph's last line and lines ended by a break.
void Stretch(const ParagraphUnits& units, bool distribute, double right, ParagraphPlace& pp,
             std::vector<double>& inkRight) {
  const size_t n = units.letters.size();
  for (size_t l = 0; l < inkRight.size(); ++l) {
    size_t first = n, last = n, end = n;  // first and last letters with ink, last letter
    for (size_t i = 0; i < n; ++i) {
      if (pp.letters[i].line != l) continue;
      end = i;
      if (units.letters[i].blank || IsLineBreak(units.letters[i].ch)) continue;
      if (first == n) first = i;
      last = i;
    }
    if (first == n || last == first) continue;
    const bool ended = l + 1 == inkRight.size() || IsLineBreak(units.letters[end].ch);
    if (ended && !distribute) continue;
    size_t blanks = 0;
    for (size_t i = first; i < last; ++i) blanks += units.letters[i].blank ? 1 : 0;
    const bool byLetter = blanks == 0;
    if (byLetter && !distribute) continue;
    const double room = right - inkRight[l];
    if (room <= kEpsilon) continue;
    const double step = room / static_cast<double>(byLetter ? last - first : blanks);
    double moved = 0.0;
    for (size_t i = first; i <= last; ++i) {
      pp.letters[i].x += moved;
      if (byLetter || units.letters[i].blank) moved += step;
    }
    inkRight[l] = right;
  }
}

}  // namespace

bool SameCharProps(const CharProps& a, const CharProps& b) {
  return a.font == b.font && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
         a.underline == b.underline && a.colour == b.colour && a.baseline == b.baseline &&
         a.spacing == b.spacing && a.shadow == b.shadow && a.glow == b.glow;
}

void EstimateMeasurer::Advances(const std::wstring& text, const CharProps& props,
                                std::vector<double>& advances) {
  advances.resize(text.size());
  const double scale = props.size * kUnitsPerPoint * (props.bold ? 1.07 : 1.0);
  for (size_t i = 0; i < text.size(); ++i)
    advances[i] = EstimateWidth(text[i]) * scale + props.spacing * kUnitsPerPoint;
}

FontMetrics EstimateMeasurer::Metrics(const CharProps& props) {
  FontMetrics m;
  m.ascent = 0.95 * props.size * kUnitsPerPoint;
  m.descent = 0.25 * props.size * kUnitsPerPoint;
  return m;
}

TextPlace LayoutText(const TextBody& body, const double box[4], ITextMeasurer& measurer,
                     const LetterPropsFn& override) {
  TextPlace place;
  double turned[4] = {box[0], box[1], box[2], box[3]};
  if (body.turn != 0) {
    const double cx = (box[0] + box[2]) * 0.5, cy = (box[1] + box[3]) * 0.5;
    const double halfW = (box[3] - box[1]) * 0.5, halfH = (box[2] - box[0]) * 0.5;
    turned[0] = cx - halfW;
    turned[1] = cy - halfH;
    turned[2] = cx + halfW;
    turned[3] = cy + halfH;
    box = turned;
  }
  const double textLeft0 = box[0] + body.insetLeft;
  const double textRight = box[2] - body.insetRight;
  std::map<const CharProps*, FontMetrics> metricsCache;
  auto metrics = [&](const CharProps* props) {
    auto it = metricsCache.find(props);
    if (it != metricsCache.end()) return it->second;
    FontMetrics m = body.fontLineHeights ? measurer.FontExtents(*props) : measurer.Metrics(*props);
    metricsCache[props] = m;
    return m;
  };

  const CharProps defaults;
  const CharProps* lastProps = &defaults;
  double cursorY = 0.0;
  std::vector<double> tmp;

  for (size_t k = 0; k < body.paragraphs.size(); ++k) {
    const Paragraph& para = body.paragraphs[k];
    const ParagraphUnits units = SplitUnits(para);
    const size_t n = units.letters.size();
    const std::vector<size_t> wordOf = WordOfLetter(units);
    ParagraphPlace pp;
    pp.letters.resize(n);

    std::vector<const CharProps*> props(n);
    for (size_t i = 0; i < n; ++i) {
      const CharProps* p = override ? override(k, i) : nullptr;
      props[i] = p ? p : &para.runs[units.letters[i].run].props;
    }
    const CharProps* paraProps = n ? props[0]
                                   : (para.endProps       ? &*para.endProps
                                      : para.runs.empty() ? lastProps
                                                          : &para.runs[0].props);
    lastProps = paraProps;

    // Measure pieces: letters of one word drawn with the same properties.
    std::vector<double> adv(n, 0.0);
    for (size_t i = 0; i < n;) {
      wchar_t c = units.letters[i].ch;
      if (c == L'\t' || IsLineBreak(c)) {
        ++i;
        continue;
      }
      size_t j = i + 1;
      while (j < n && wordOf[j] == wordOf[i] && units.letters[j].ch != L'\t' &&
             !IsLineBreak(units.letters[j].ch) &&
             (props[j] == props[i] || SameCharProps(*props[j], *props[i])))
        ++j;
      std::wstring text;
      for (size_t m = i; m < j; ++m) text += units.letters[m].ch;
      measurer.Advances(text, *props[i], tmp);
      for (size_t m = i; m < j; ++m) adv[m] = m - i < tmp.size() ? tmp[m - i] : 0.0;
      i = j;
    }

    // Bullet and the start of the first line.
    const double textLeft = textLeft0 + para.marginLeft;
    double firstX = textLeft + para.indent;
    if (!para.bullet.empty() && !para.Text().empty()) {
      pp.hasBullet = true;
      pp.bulletProps = *paraProps;
      if (para.bulletColoured) pp.bulletProps.colour = para.bulletColour;
      if (!para.bulletFont.empty()) pp.bulletProps.font = para.bulletFont;
      pp.bulletProps.size =
          para.bulletPoints > 0.0 ? para.bulletPoints : pp.bulletProps.size * para.bulletScale;
      pp.bulletProps.baseline = 0;
      pp.bulletProps.underline = 0;
      pp.bulletX = textLeft + para.indent;
      double above = 0.0, below = 0.0;
      if (para.bulletCentre > 0.0 && measurer.InkExtents(para.bullet, pp.bulletProps, above, below))
        pp.bulletRise =
            pp.bulletProps.size * kUnitsPerPoint * para.bulletCentre - (above - below) * 0.5;
      measurer.Advances(para.bullet, pp.bulletProps, tmp);
      double width = 0.0;
      for (double a : tmp) width += a;
      firstX = std::max(textLeft, pp.bulletX + width);
    }

    // Break into lines, word by word.
    std::vector<double> lineStart{firstX};
    size_t line = 0;
    double x = firstX;
    bool lineEmpty = true;
    auto newLine = [&]() {
      ++line;
      lineStart.push_back(textLeft);
      x = textLeft;
      lineEmpty = true;
    };
    for (const Word& word : units.words) {
      double ink = 0.0, run = 0.0;
      for (size_t i = 0; i < word.letterCount; ++i) {
        const Letter& l = units.letters[word.firstLetter + i];
        run += adv[word.firstLetter + i];
        if (!l.blank) ink = run;
      }
      if (body.wrap && !lineEmpty && x + ink > textRight + kEpsilon) newLine();
      const bool breakWord = body.wrap && x + ink > textRight + kEpsilon;
      for (size_t i = 0; i < word.letterCount; ++i) {
        const size_t li = word.firstLetter + i;
        const Letter& l = units.letters[li];
        if (l.ch == L'\t') {
          double a = kTabStop - std::fmod(x - textLeft, kTabStop);
          adv[li] = a < kEpsilon ? kTabStop : a;
        } else if (breakWord && !lineEmpty && !l.blank && !IsLineBreak(l.ch) &&
                   x + adv[li] > textRight + kEpsilon) {
          newLine();
        }
        pp.letters[li].x = x;
        pp.letters[li].advance = adv[li];
        pp.letters[li].line = line;
        x += adv[li];
        lineEmpty = false;
        if (IsLineBreak(l.ch)) newLine();
      }
    }

    // Vertical metrics and alignment of each line.
    const size_t lineCount = line + 1;
    std::vector<FontMetrics> lineMetrics(lineCount);
    std::vector<bool> lineHasLetters(lineCount, false);
    std::vector<double> inkLeft(lineCount, 0.0), inkRight(lineCount, 0.0);
    std::vector<bool> hasInk(lineCount, false);
    for (size_t i = 0; i < n; ++i) {
      const LetterPlace& lp = pp.letters[i];
      FontMetrics m = metrics(props[i]);
      FontMetrics& lm = lineMetrics[lp.line];
      lm.ascent = std::max(lm.ascent, m.ascent);
      lm.descent = std::max(lm.descent, m.descent);
      lineHasLetters[lp.line] = true;
      if (!units.letters[i].blank && !IsLineBreak(units.letters[i].ch)) {
        if (!hasInk[lp.line]) inkLeft[lp.line] = lp.x;
        hasInk[lp.line] = true;
        inkRight[lp.line] = lp.x + lp.advance;
      }
    }
    for (size_t l = 0; l < lineCount; ++l)
      if (!lineHasLetters[l]) lineMetrics[l] = metrics(paraProps);

    const double spacing = (para.lineSpacing > 0.0 ? para.lineSpacing : 1.0) *
                           (1.0 - std::min(0.9, std::max(0.0, body.lineSpacingReduction)));
    if (k > 0) cursorY += para.spaceBefore * kUnitsPerPoint;
    pp.lines.resize(lineCount);
    for (size_t l = 0; l < lineCount; ++l) {
      const FontMetrics& m = lineMetrics[l];
      const double height = (m.ascent + m.descent) * spacing;
      pp.lines[l].top = cursorY;
      pp.lines[l].bottom = cursorY + height;
      // Extra height goes above the letters; a line set tighter than its
      // font keeps its baseline at four fifths of its new height at most.
      pp.lines[l].baseline =
          cursorY + (spacing < 1.0 ? std::min(m.ascent, height * 0.8) : height - m.descent);
      cursorY += height;
    }
    cursorY += para.spaceAfter * kUnitsPerPoint;

    std::vector<double> shift(lineCount, 0.0);
    // A shape sized to its unwrapped text was sized with the author's fonts:
    // a line that comes out wider spreads to both sides of the box.
    const bool spread = body.fitsText && !body.wrap;
    if (para.align == TextAlign::Centre || para.align == TextAlign::Right || spread) {
      for (size_t l = 0; l < lineCount; ++l) {
        if (!hasInk[l]) continue;
        const double width = inkRight[l] - lineStart[l];
        const double room = textRight - lineStart[l] - width;
        if (para.align == TextAlign::Centre || (spread && room < 0.0))
          shift[l] = room * 0.5;
        else if (para.align == TextAlign::Right)
          shift[l] = room;
      }
    }
    for (LetterPlace& lp : pp.letters) lp.x += shift[lp.line];
    if (para.align == TextAlign::Justify || para.align == TextAlign::Distribute)
      Stretch(units, para.align == TextAlign::Distribute, textRight, pp, inkRight);

    bool any = false;
    for (size_t l = 0; l < lineCount; ++l) {
      if (!hasInk[l]) continue;
      const double left = inkLeft[l] + shift[l], right = inkRight[l] + shift[l];
      if (!any) {
        pp.bounds[0] = left;
        pp.bounds[2] = right;
        any = true;
      }
      pp.bounds[0] = std::min(pp.bounds[0], left);
      pp.bounds[2] = std::max(pp.bounds[2], right);
    }
    if (!any) pp.bounds[0] = pp.bounds[2] = lineStart[0];
    place.paragraphs.push_back(std::move(pp));
  }

  place.height = cursorY;
  // Anchor the block in the box.
  const double innerTop = box[1] + body.insetTop;
  const double innerHeight = (box[3] - body.insetBottom) - innerTop;
  double offset = innerTop;
  if (body.anchor == TextAnchor::Middle) offset += (innerHeight - cursorY) * 0.5;
  if (body.anchor == TextAnchor::Bottom) offset += innerHeight - cursorY;
  for (ParagraphPlace& pp : place.paragraphs) {
    for (LinePlace& l : pp.lines) {
      l.top += offset;
      l.baseline += offset;
      l.bottom += offset;
    }
    pp.bounds[1] = pp.lines.front().top;
    pp.bounds[3] = pp.lines.back().bottom;
  }
  return place;
}

void FitText(TextBody& body, const double box[4], ITextMeasurer& measurer) {
  if (!body.shrinkOnOverflow) return;
  body.shrinkOnOverflow = false;
  if (body.turn != 0) return;
  const double room = (box[3] - box[1]) - body.insetTop - body.insetBottom;
  auto heightAt = [&](double scale, TextBody* out) {
    TextBody scaled = body;
    for (Paragraph& para : scaled.paragraphs) {
      para.spaceBefore *= scale;
      para.spaceAfter *= scale;
      for (TextRun& run : para.runs) run.props.size *= scale;
    }
    const double height = LayoutText(scaled, box, measurer).height;
    if (out) *out = std::move(scaled);
    return height;
  };
  if (room <= 0.0 || heightAt(1.0, nullptr) <= room + kEpsilon) return;
  // Whole percents, as a text fitter would offer them.
  int low = 10, high = 99;
  if (heightAt(low / 100.0, nullptr) > room + kEpsilon) high = low;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (heightAt(mid / 100.0, nullptr) <= room + kEpsilon)
      low = mid;
    else
      high = mid - 1;
  }
  heightAt(low / 100.0, &body);
  body.shrinkOnOverflow = false;
}

}  // namespace platform
