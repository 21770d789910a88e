// Paragraph and character properties as the document layers them: the
// presentation's default text style, the master's title/body/other styles,
// the master's and layout's placeholder list styles, the shape's own list
// style, then each paragraph's and run's own properties. Each layer only
// overrides what it states.
#pragma once

#include <optional>
#include <string>

#include <pugixml.hpp>

#include "document/TextModel.h"
#include "pptx/Theme.h"

namespace pptx {

struct CharStyle {
  std::optional<std::string> font;
  std::optional<double> size;  // points
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<int> underline;  // 0 or 2
  std::optional<Kinefold::TColor> colour;
  std::optional<int> baseline;    // percent
  std::optional<double> spacing;  // points
  std::optional<bool> capitals;   // shown in capital letters
  std::optional<platform::ShadowStyle> shadow;
  std::optional<platform::ShadowStyle> glow;

  void Merge(const CharStyle& over);
  void ApplyTo(platform::CharProps& props) const;
};

struct ParaStyle {
  std::optional<platform::TextAlign> align;
  std::optional<double> marginLeft;  // slide units
  std::optional<double> indent;      // slide units
  std::optional<double> lineSpacingPercent;
  std::optional<double> lineSpacingPoints;
  std::optional<double> spaceBeforePercent, spaceBeforePoints;
  std::optional<double> spaceAfterPercent, spaceAfterPoints;
  std::optional<std::wstring> bulletChar;    // empty: no bullet
  std::optional<pugi::xml_node> bulletBlip;  // a picture bullet's a:blip
  std::optional<std::string> bulletFont;     // empty: the text's
  // Bullet colour (unset inside: the text's) and size (a share of the text's,
  // or points).
  std::optional<std::optional<Kinefold::TColor>> bulletColour;
  std::optional<double> bulletScale, bulletPoints;
  std::optional<std::string> autoNumber;  // numbering scheme ("arabicPeriod", ...)
  std::optional<int> autoNumberStart;
  CharStyle chars;

  void Merge(const ParaStyle& over);
};

// Nine outline levels.
struct ListStyle {
  ParaStyle levels[9];
  // Layers a:lstStyle, p:titleStyle or the like (defPPr, lvl1pPr .. lvl9pPr).
  void Merge(const pugi::xml_node& listStyle, const ColourContext& colours);
  // The same colour for every level's characters (a shape style's font colour).
  void SetColour(const Kinefold::TColor& colour);
  void SetFont(const std::string& font);
};

CharStyle ReadCharStyle(const pugi::xml_node& runProperties, const ColourContext& colours);
ParaStyle ReadParaStyle(const pugi::xml_node& paraProperties, const ColourContext& colours);

// The bullet as a Unicode character: symbol fonts place their glyphs on
// ordinary letters ("n" in Wingdings is a black square). `scale`, when given,
// gets the share of the bullet's size its look-alike is drawn at (a small
// diamond is a black diamond drawn smaller).
std::wstring BulletText(const std::wstring& character, const std::string& font,
                        double* scale = nullptr);

// "1.", "a)", "iv." ... for the n-th (1-based) item of an automatic numbering.
std::wstring AutoNumberText(const std::string& scheme, int n);

}  // namespace pptx
