#include "pptx/Theme.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;  // 0..1
};

Kinefold::TColor ToColour(const Rgba& c) {
  auto channel = [](double v) {
    return static_cast<uint32_t>(std::lround(std::min(1.0, std::max(0.0, v)) * 255.0));
  };
  Kinefold::TColor out;
  out.red = channel(c.r);
  out.green = channel(c.g);
  out.blue = channel(c.b);
  out.alpha = channel(c.a);
  return out;
}

Rgba FromColour(const Kinefold::TColor& c) {
  return Rgba{c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0};
}

void ToHsl(const Rgba& c, double& h, double& s, double& l) {
  double mx = std::max({c.r, c.g, c.b}), mn = std::min({c.r, c.g, c.b});
  l = (mx + mn) / 2;
  if (mx == mn) {
    h = s = 0;
    return;
  }
  double d = mx - mn;
  s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
  if (mx == c.r)
    h = (c.g - c.b) / d + (c.g < c.b ? 6 : 0);
  else if (mx == c.g)
    h = (c.b - c.r) / d + 2;
  else
    h = (c.r - c.g) / d + 4;
  h /= 6;
}

double HueChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

void FromHsl(double h, double s, double l, Rgba& c) {
  h -= std::floor(h);
  s = std::min(1.0, std::max(0.0, s));
  l = std::min(1.0, std::max(0.0, l));
  if (s == 0) {
    c.r = c.g = c.b = l;
    return;
  }
  double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
  double p = 2 * l - q;
  c.r = HueChannel(p, q, h + 1.0 / 3);
  c.g = HueChannel(p, q, h);
  c.b = HueChannel(p, q, h - 1.0 / 3);
}

double Percent(const pugi::xml_node& node) {
  // Thousandths of a percent; some writers use "50%".
  const char* text = node.attribute("val").as_string();
  double value = 0;
  if (ParseDecimal(text, value)) return value / 100000.0;
  std::string t(text);
  if (!t.empty() && t.back() == '%' && ParseDecimal(t.substr(0, t.size() - 1).c_str(), value))
    return value / 100.0;
  return 0;
}

double SrgbToLinear(double v) {
  v = std::min(1.0, std::max(0.0, v));
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double v) {
  v = std::min(1.0, std::max(0.0, v));
  return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

void ApplyModifiers(const pugi::xml_node& colour, Rgba& c) {
  for (pugi::xml_node mod : Elements(colour)) {
    const char* name = LocalName(mod);
    double v = Percent(mod);
    double h, s, l;
    if (!std::strcmp(name, "alpha")) {
      c.a = v;
    } else if (!std::strcmp(name, "alphaMod")) {
      c.a *= v;
    } else if (!std::strcmp(name, "alphaOff")) {
      c.a += v;
    } else if (!std::strcmp(name, "lumMod") || !std::strcmp(name, "lumOff") ||
               !std::strcmp(name, "satMod") || !std::strcmp(name, "satOff") ||
               !std::strcmp(name, "hueMod") || !std::strcmp(name, "hueOff")) {
      ToHsl(c, h, s, l);
      if (!std::strcmp(name, "lumMod")) l *= v;
      if (!std::strcmp(name, "lumOff")) l += v;
      if (!std::strcmp(name, "satMod")) s *= v;
      if (!std::strcmp(name, "satOff")) s += v;
      if (!std::strcmp(name, "hueMod")) h *= v;
      if (!std::strcmp(name, "hueOff")) h += mod.attribute("val").as_double() / 60000.0 / 360.0;
      FromHsl(h, s, l, c);
    } else if (!std::strcmp(name, "tint") || !std::strcmp(name, "shade")) {
      // Tints move towards white and shades towards black in linear light,
      // so a tint of black is lighter than its share of white suggests.
      const bool tint = !std::strcmp(name, "tint");
      for (double* channel : {&c.r, &c.g, &c.b}) {
        const double linear = SrgbToLinear(*channel);
        *channel = LinearToSrgb(tint ? 1 - (1 - linear) * v : linear * v);
      }
    } else if (!std::strcmp(name, "gamma") || !std::strcmp(name, "invGamma")) {
      // Lightens (gamma) or darkens (invGamma) the linear light by a power of
      // 2.3: between the two, a shade or tint acts on the colour as written.
      const double power = !std::strcmp(name, "gamma") ? 1 / 2.3 : 2.3;
      for (double* channel : {&c.r, &c.g, &c.b})
        *channel = LinearToSrgb(std::pow(SrgbToLinear(*channel), power));
    } else if (!std::strcmp(name, "inv")) {
      c.r = 1 - c.r;
      c.g = 1 - c.g;
      c.b = 1 - c.b;
    } else if (!std::strcmp(name, "gray")) {
      double y = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
      c.r = c.g = c.b = y;
    } else if (!std::strcmp(name, "comp")) {
      ToHsl(c, h, s, l);
      FromHsl(h + 0.5, s, l, c);
    }
  }
  c.r = std::min(1.0, std::max(0.0, c.r));
  c.g = std::min(1.0, std::max(0.0, c.g));
  c.b = std::min(1.0, std::max(0.0, c.b));
  c.a = std::min(1.0, std::max(0.0, c.a));
}

bool ParseHex(const std::string& hex, Rgba& c) {
  if (hex.size() != 6) return false;
  unsigned value = 0;
  for (char ch : hex) {
    int digit = std::isxdigit(static_cast<unsigned char>(ch))
                    ? (std::isdigit(static_cast<unsigned char>(ch)) ? ch - '0'
                                                                    : (std::tolower(ch) - 'a' + 10))
                    : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  c.r = ((value >> 16) & 0xFF) / 255.0;
  c.g = ((value >> 8) & 0xFF) / 255.0;
  c.b = (value & 0xFF) / 255.0;
  return true;
}

bool PresetColour(const std::string& name, Rgba& c) {
  static const std::map<std::string, const char*> table = {
      {"black", "000000"},     {"white", "FFFFFF"},   {"red", "FF0000"},       {"green", "008000"},
      {"lime", "00FF00"},      {"blue", "0000FF"},    {"yellow", "FFFF00"},    {"cyan", "00FFFF"},
      {"aqua", "00FFFF"},      {"magenta", "FF00FF"}, {"fuchsia", "FF00FF"},   {"gray", "808080"},
      {"grey", "808080"},      {"dkGray", "A9A9A9"},  {"darkGray", "A9A9A9"},  {"ltGray", "D3D3D3"},
      {"lightGray", "D3D3D3"}, {"silver", "C0C0C0"},  {"orange", "FFA500"},    {"purple", "800080"},
      {"brown", "A52A2A"},     {"navy", "000080"},    {"maroon", "800000"},    {"olive", "808000"},
      {"teal", "008080"},      {"pink", "FFC0CB"},    {"gold", "FFD700"},      {"violet", "EE82EE"},
      {"indigo", "4B0082"},    {"dkBlue", "00008B"},  {"darkBlue", "00008B"},  {"dkRed", "8B0000"},
      {"darkRed", "8B0000"},   {"dkGreen", "006400"}, {"darkGreen", "006400"}, {"ltBlue", "ADD8E6"},
      {"lightBlue", "ADD8E6"}};
  auto it = table.find(name);
  return it != table.end() && ParseHex(it->second, c);
}

}  // namespace

bool IsColourElement(const pugi::xml_node& node) {
  static const char* names[] = {"srgbClr", "schemeClr", "sysClr", "prstClr", "hslClr", "scrgbClr"};
  for (const char* name : names)
    if (Is(node, name)) return true;
  return false;
}

void ReadThemeSchemes(const pugi::xml_node& elements, Theme& theme) {
  ColourContext plain(nullptr, nullptr);
  for (pugi::xml_node entry : Elements(Child(elements, "clrScheme"))) {
    Kinefold::TColor colour;
    if (plain.ResolveChild(entry, colour)) theme.colours[LocalName(entry)] = colour;
  }
  pugi::xml_node fonts = Child(elements, "fontScheme");
  std::string major = Path(fonts, {"majorFont", "latin"}).attribute("typeface").as_string();
  std::string minor = Path(fonts, {"minorFont", "latin"}).attribute("typeface").as_string();
  if (!major.empty()) theme.majorFont = major;
  if (!minor.empty()) theme.minorFont = minor;
}

Theme ReadTheme(const pugi::xml_node& themeRoot) {
  Theme theme;
  pugi::xml_node elements = Child(themeRoot, "themeElements");
  ReadThemeSchemes(elements, theme);
  pugi::xml_node format = Child(elements, "fmtScheme");
  for (pugi::xml_node line : Children(Child(format, "lnStyleLst"), "ln"))
    theme.lineWidths.push_back(EmuToUnits(line.attribute("w").as_double(9525)));
  for (pugi::xml_node fill : Elements(Child(format, "fillStyleLst"))) {
    theme.fillIsNone.push_back(Is(fill, "noFill"));
    theme.fillStyles.push_back(fill);
  }
  for (pugi::xml_node fill : Elements(Child(format, "bgFillStyleLst")))
    theme.backgroundFillStyles.push_back(fill);
  for (pugi::xml_node style : Children(Child(format, "effectStyleLst"), "effectStyle"))
    theme.effectStyles.push_back(Child(style, "effectLst"));
  return theme;
}

void ColourContext::SetMap(const pugi::xml_node& clrMap) {
  for (pugi::xml_attribute a = clrMap.first_attribute(); a; a = a.next_attribute())
    if (std::strchr(a.name(), ':') == nullptr) map_[a.name()] = a.value();
}

bool ColourContext::SchemeColour(const std::string& name, Kinefold::TColor& out) const {
  if (!theme_) return false;
  std::string key = name;
  auto mapped = map_.find(name);
  if (mapped != map_.end()) key = mapped->second;
  auto it = theme_->colours.find(key);
  if (it == theme_->colours.end()) return false;
  out = it->second;
  return true;
}

bool ColourContext::Resolve(const pugi::xml_node& colour, Kinefold::TColor& out,
                            const Kinefold::TColor* phClr) const {
  Rgba c;
  bool known = true;
  const char* val = colour.attribute("val").as_string();
  if (Is(colour, "srgbClr")) {
    known = ParseHex(val, c);
  } else if (Is(colour, "schemeClr")) {
    Kinefold::TColor scheme;
    if (!std::strcmp(val, "phClr") && phClr)
      c = FromColour(*phClr);
    else if (SchemeColour(val, scheme))
      c = FromColour(scheme);
    else
      known = false;
  } else if (Is(colour, "sysClr")) {
    known = ParseHex(colour.attribute("lastClr").as_string(), c);
    if (!known) {
      known = true;
      std::string v(val);
      double grey = (v == "window" || v == "btnFace" || v == "menu" || v == "highlightText" ||
                     v == "captionText" || v == "windowFrame")
                        ? (v == "windowFrame" ? 0.0 : 1.0)
                        : 0.0;
      c.r = c.g = c.b = grey;
    }
  } else if (Is(colour, "prstClr")) {
    known = PresetColour(val, c);
  } else if (Is(colour, "hslClr")) {
    double h = colour.attribute("hue").as_double() / 60000.0 / 360.0;
    double s = colour.attribute("sat").as_double() / 100000.0;
    double l = colour.attribute("lum").as_double() / 100000.0;
    FromHsl(h, s, l, c);
  } else if (Is(colour, "scrgbClr")) {
    c.r = LinearToSrgb(colour.attribute("r").as_double() / 100000.0);
    c.g = LinearToSrgb(colour.attribute("g").as_double() / 100000.0);
    c.b = LinearToSrgb(colour.attribute("b").as_double() / 100000.0);
  } else {
    return false;
  }
  if (!known) {
    if (diag_) diag_->Warn("unknown colour", std::string(LocalName(colour)) + " \"" + val + "\"");
    return false;
  }
  ApplyModifiers(colour, c);
  out = ToColour(c);
  return true;
}

bool ColourContext::ResolveChild(const pugi::xml_node& parent, Kinefold::TColor& out,
                                 const Kinefold::TColor* phClr) const {
  for (pugi::xml_node child : Elements(parent))
    if (IsColourElement(child)) return Resolve(child, out, phClr);
  return false;
}

std::string ColourContext::Font(const std::string& typeface) const {
  if (!theme_) return typeface;
  if (typeface.rfind("+mj", 0) == 0) return theme_->majorFont;
  if (typeface.rfind("+mn", 0) == 0) return theme_->minorFont;
  return typeface;
}

}  // namespace pptx
