// Text as authored: paragraphs of runs with character properties, and the
// split into words and letters that iterated text animations walk.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/Kinefold.h"

namespace platform {

// Font sizes and paragraph spacing are in points; slide units are 1/96 inch.
constexpr double kUnitsPerPoint = 96.0 / 72.0;

// An outer shadow: the silhouette of what it belongs to in one colour, moved
// by an offset and blurred.
struct ShadowStyle {
  bool present = false;
  Kinefold::TColor colour{0, 0, 0, 255};
  double blur = 0.0;          // blur radius, slide units
  double dx = 0.0, dy = 0.0;  // offset, slide units, in the slide's axes

  bool operator==(const ShadowStyle& o) const {
    return present == o.present && colour == o.colour && blur == o.blur && dx == o.dx && dy == o.dy;
  }
};

struct CharProps {
  std::string font = "Calibri";
  double size = 18.0;  // points
  bool bold = false;
  bool italic = false;
  int underline = 0;  // 0 none, 2 underlined
  Kinefold::TColor colour{0, 0, 0, 255};
  int baseline = 0;      // percent; positive raises (superscript)
  double spacing = 0.0;  // points added between letters (negative: taken off)
  ShadowStyle shadow;
  ShadowStyle glow;  // a halo of the letters' outline: its colour, the radius as blur
};

// A run of text with one set of character properties. A line break inside a
// paragraph is the character U+2028 (LINE SEPARATOR), alone in its own run.
struct TextRun {
  std::wstring text;
  CharProps props;
};

// Justify stretches the blanks of every line but a paragraph's last (and those
// ended by a line break); Distribute stretches every line, between letters
// when a line has no blanks.
enum class TextAlign { Left, Centre, Right, Justify, Distribute };

struct Paragraph {
  std::vector<TextRun> runs;
  int level = 0;
  TextAlign align = TextAlign::Left;
  std::wstring bullet;  // bullet character, empty for none
  // The bullet's own look; what is not set follows the paragraph's first letter.
  bool bulletColoured = false;
  Kinefold::TColor bulletColour{0, 0, 0, 255};
  double bulletScale = 1.0;   // of the first letter's size
  double bulletPoints = 0.0;  // when positive, the bullet's size whatever the text's
  std::string bulletFont;     // empty: the first letter's
  // When positive, the bullet's ink is centred this share of its size above
  // the baseline (a symbol font's glyph drawn as its Unicode look-alike).
  double bulletCentre = 0.0;
  // A picture bullet: the encoded picture (and its content type), drawn one
  // bullet size high where `bullet` (an em space that holds its place) goes.
  std::vector<unsigned char> bulletPicture;
  std::string bulletPictureType;
  double marginLeft = 0.0;   // slide units
  double indent = 0.0;       // first line, slide units (negative hangs)
  double lineSpacing = 1.0;  // multiple of the font's line height
  double spaceBefore = 0.0;  // points
  double spaceAfter = 0.0;   // points
  // The characters after the last run: the height of a paragraph without
  // letters (unset: the paragraph before's).
  std::optional<CharProps> endProps;

  std::wstring Text() const;
};

enum class TextAnchor { Top, Middle, Bottom };

struct TextBody {
  std::vector<Paragraph> paragraphs;
  double insetLeft = 9.6;  // slide units (0.1 inch)
  double insetTop = 4.8;
  double insetRight = 9.6;
  double insetBottom = 4.8;
  TextAnchor anchor = TextAnchor::Top;
  bool wrap = true;
  bool fitsText = false;  // the shape was sized to its text
  // Vertical text: laid out in the box turned a quarter about its centre, and
  // drawn turned by this many degrees (90 reads top to bottom, 270 bottom to
  // top); 0 for horizontal text.
  int turn = 0;
  double lineSpacingReduction = 0.0;  // 0..1, taken off every line's spacing
  // Lines as tall as their font's own ascent and descent (table cells), not
  // the fixed share of the size that other text takes.
  bool fontLineHeights = false;
  bool shrinkOnOverflow = false;  // text that overflows its box shrinks until it fits

  bool Empty() const;         // no paragraph holds a visible character
  std::wstring Text() const;  // paragraphs joined by '\n'
};

// One letter of a paragraph: its position in the paragraph's text and the run
// it belongs to. Blank letters (space, tab) take no time step when iterated.
struct Letter {
  size_t offset = 0;  // index into Paragraph::Text()
  size_t run = 0;
  wchar_t ch = 0;
  bool blank = false;
};

// A word: its letters followed by the blanks after it.
struct Word {
  size_t firstLetter = 0;
  size_t letterCount = 0;
};

struct ParagraphUnits {
  std::vector<Letter> letters;
  std::vector<Word> words;
  size_t steppedLetters = 0;  // letters that are not blank
};

ParagraphUnits SplitUnits(const Paragraph& paragraph);

const wchar_t kLineBreak = 0x2028;

inline bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == 0xA0 || c == kLineBreak;
}

}  // namespace platform
