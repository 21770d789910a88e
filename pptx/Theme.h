// Theme colours and fonts, the master's colour map, and DrawingML colour
// elements (srgbClr, schemeClr, sysClr, prstClr, hslClr, scrgbClr with their
// modifiers) resolved into plain colours.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/Kinefold.h"
#include "pptx/Diagnostics.h"

namespace pptx {

struct Theme {
  std::map<std::string, Kinefold::TColor>
      colours;  // dk1, lt1, dk2, lt2, accent1..6, hlink, folHlink
  std::string majorFont = "Calibri Light";
  std::string minorFont = "Calibri";
  std::vector<double> lineWidths;  // the line style list's widths, slide units
  std::vector<bool> fillIsNone;    // the fill style list: entries that draw nothing
  // The fill style lists' entries (fillRef idx 1.., bgRef idx 1001..), valid
  // while the package's cached theme part lives.
  std::vector<pugi::xml_node> fillStyles, backgroundFillStyles;
  // The effect style list's effect lists (effectRef idx 1..), valid as above.
  std::vector<pugi::xml_node> effectStyles;
};

Theme ReadTheme(const pugi::xml_node& themeRoot);
// Reads the colour and font schemes of a:themeElements (or of a part's
// a:themeOverride) over `theme`: what they state replaces what it holds.
void ReadThemeSchemes(const pugi::xml_node& elements, Theme& theme);

// A theme seen through a colour map (bg1 -> lt1, tx1 -> dk1, ...).
class ColourContext {
 public:
  ColourContext() = default;
  ColourContext(const Theme* theme, Diagnostics* diagnostics) : theme_(theme), diag_(diagnostics) {}

  // Reads p:clrMap attributes; an override replaces only the names it gives.
  void SetMap(const pugi::xml_node& clrMap);
  const Theme* GetTheme() const { return theme_; }
  // The same colour map over another theme.
  ColourContext WithTheme(const Theme* theme) const {
    ColourContext out = *this;
    out.theme_ = theme;
    return out;
  }

  // Resolves the colour element `colour` (srgbClr, schemeClr, ...). `phClr` is
  // what a style reference's placeholder colour stands for.
  bool Resolve(const pugi::xml_node& colour, Kinefold::TColor& out,
               const Kinefold::TColor* phClr = nullptr) const;
  // Resolves the first colour element among the children of `parent`.
  bool ResolveChild(const pugi::xml_node& parent, Kinefold::TColor& out,
                    const Kinefold::TColor* phClr = nullptr) const;
  // "+mj-lt" and "+mn-lt" name the theme's fonts.
  std::string Font(const std::string& typeface) const;
  // The same theme and the same colour map.
  bool SameMapping(const ColourContext& other) const {
    return theme_ == other.theme_ && map_ == other.map_;
  }

 private:
  bool SchemeColour(const std::string& name, Kinefold::TColor& out) const;

  const Theme* theme_ = nullptr;
  Diagnostics* diag_ = nullptr;
  std::map<std::string, std::string> map_{
      {"bg1", "lt1"}, {"tx1", "dk1"}, {"bg2", "lt2"}, {"tx2", "dk2"}};
};

bool IsColourElement(const pugi::xml_node& node);

}  // namespace pptx
