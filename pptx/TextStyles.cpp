#include "pptx/TextStyles.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "pptx/EffectReader.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

template <class T>
void Take(std::optional<T>& into, const std::optional<T>& from) {
  if (from) into = from;
}

// A share written in thousandths of a percent ("75000") or as "75%".
bool ParsePercent(const char* text, double& out) {
  std::string value = text;
  const bool sign = !value.empty() && value.back() == '%';
  if (sign) value.pop_back();
  if (!ParseDecimal(value.c_str(), out)) return false;
  out /= sign ? 100.0 : 100000.0;
  return true;
}

// Reads a:spcPct / a:spcPts inside a spacing element.
void ReadSpacing(const pugi::xml_node& spacing, std::optional<double>& percent,
                 std::optional<double>& points) {
  if (!spacing) return;
  double value = 0;
  if (pugi::xml_node pct = Child(spacing, "spcPct")) {
    if (ParseDecimal(pct.attribute("val").as_string(), value)) {
      percent = value / 1000.0;
      points.reset();
    }
  } else if (pugi::xml_node pts = Child(spacing, "spcPts")) {
    if (ParseDecimal(pts.attribute("val").as_string(), value)) {
      points = value / 100.0;
      percent.reset();
    }
  }
}

std::wstring Roman(int n, bool upper) {
  static const struct {
    int value;
    const wchar_t* text;
  } table[] = {{1000, L"m"}, {900, L"cm"}, {500, L"d"}, {400, L"cd"}, {100, L"c"},
               {90, L"xc"},  {50, L"l"},   {40, L"xl"}, {10, L"x"},   {9, L"ix"},
               {5, L"v"},    {4, L"iv"},   {1, L"i"}};
  std::wstring out;
  n = n > 3999 ? 3999 : n;
  for (const auto& entry : table)
    while (n >= entry.value) {
      out += entry.text;
      n -= entry.value;
    }
  if (upper)
    for (wchar_t& c : out) c = static_cast<wchar_t>(c - L'a' + L'A');
  return out;
}

std::wstring Alpha(int n, bool upper) {
  std::wstring out;
  while (n > 0) {
    int d = (n - 1) % 26;
    out.insert(out.begin(), static_cast<wchar_t>((upper ? L'A' : L'a') + d));
    n = (n - 1) / 26;
  }
  return out;
}

}  // namespace

void CharStyle::Merge(const CharStyle& over) {
  Take(font, over.font);
  Take(size, over.size);
  Take(bold, over.bold);
  Take(italic, over.italic);
  Take(underline, over.underline);
  Take(colour, over.colour);
  Take(baseline, over.baseline);
  Take(spacing, over.spacing);
  Take(capitals, over.capitals);
  Take(shadow, over.shadow);
  Take(glow, over.glow);
}

void CharStyle::ApplyTo(platform::CharProps& props) const {
  if (font) props.font = *font;
  if (size) props.size = *size;
  if (bold) props.bold = *bold;
  if (italic) props.italic = *italic;
  if (underline) props.underline = *underline;
  if (colour) props.colour = *colour;
  if (baseline) props.baseline = *baseline;
  if (spacing) props.spacing = *spacing;
  if (shadow) props.shadow = *shadow;
  if (glow) props.glow = *glow;
}

void ParaStyle::Merge(const ParaStyle& over) {
  Take(align, over.align);
  Take(marginLeft, over.marginLeft);
  Take(indent, over.indent);
  if (over.lineSpacingPercent || over.lineSpacingPoints) {
    lineSpacingPercent = over.lineSpacingPercent;
    lineSpacingPoints = over.lineSpacingPoints;
  }
  if (over.spaceBeforePercent || over.spaceBeforePoints) {
    spaceBeforePercent = over.spaceBeforePercent;
    spaceBeforePoints = over.spaceBeforePoints;
  }
  if (over.spaceAfterPercent || over.spaceAfterPoints) {
    spaceAfterPercent = over.spaceAfterPercent;
    spaceAfterPoints = over.spaceAfterPoints;
  }
  Take(bulletFont, over.bulletFont);
  Take(bulletColour, over.bulletColour);
  if (over.bulletScale || over.bulletPoints) {
    bulletScale = over.bulletScale;
    bulletPoints = over.bulletPoints;
  }
  if (over.bulletChar || over.autoNumber || over.bulletBlip) {
    bulletChar = over.bulletChar;
    bulletBlip = over.bulletBlip;
    autoNumber = over.autoNumber;
    autoNumberStart = over.autoNumberStart;
  }
  chars.Merge(over.chars);
}

void ListStyle::Merge(const pugi::xml_node& listStyle, const ColourContext& colours) {
  if (!listStyle) return;
  if (pugi::xml_node def = Child(listStyle, "defPPr")) {
    ParaStyle style = ReadParaStyle(def, colours);
    for (ParaStyle& level : levels) level.Merge(style);
  }
  for (int i = 0; i < 9; ++i) {
    std::string name = "lvl" + std::to_string(i + 1) + "pPr";
    if (pugi::xml_node node = Child(listStyle, name.c_str()))
      levels[i].Merge(ReadParaStyle(node, colours));
  }
}

void ListStyle::SetColour(const Kinefold::TColor& colour) {
  for (ParaStyle& level : levels) level.chars.colour = colour;
}

void ListStyle::SetFont(const std::string& font) {
  for (ParaStyle& level : levels) level.chars.font = font;
}

CharStyle ReadCharStyle(const pugi::xml_node& rPr, const ColourContext& colours) {
  CharStyle style;
  if (!rPr) return style;
  double value = 0;
  bool flag = false;
  if (ParseDecimal(rPr.attribute("sz").as_string(), value) && value > 0) style.size = value / 100.0;
  if (ParseBoolean(rPr.attribute("b").as_string(), flag)) style.bold = flag;
  if (ParseBoolean(rPr.attribute("i").as_string(), flag)) style.italic = flag;
  if (pugi::xml_attribute u = rPr.attribute("u"))
    style.underline = std::strcmp(u.as_string(), "none") == 0 ? 0 : 2;
  if (ParseDecimal(rPr.attribute("baseline").as_string(), value))
    style.baseline = static_cast<int>(value / 1000.0);
  if (ParseDecimal(rPr.attribute("spc").as_string(), value))
    style.spacing = std::max(-100.0, std::min(100.0, value / 100.0));
  if (pugi::xml_attribute cap = rPr.attribute("cap"))
    style.capitals = std::strcmp(cap.as_string(), "all") == 0;
  if (pugi::xml_node fill = Child(rPr, "solidFill")) {
    Kinefold::TColor colour;
    if (colours.ResolveChild(fill, colour)) style.colour = colour;
  }
  platform::ShadowStyle shadow;
  if (ReadShadow(colours, Child(rPr, "effectLst"), shadow)) style.shadow = shadow;
  if (pugi::xml_node effects = Child(rPr, "effectLst")) {
    platform::ShadowStyle glow;
    ReadGlow(colours, effects, glow);
    style.glow = glow;
  }
  if (pugi::xml_node latin = Child(rPr, "latin")) {
    std::string face = latin.attribute("typeface").as_string();
    if (!face.empty()) style.font = colours.Font(face);
  }
  return style;
}

ParaStyle ReadParaStyle(const pugi::xml_node& pPr, const ColourContext& colours) {
  ParaStyle style;
  if (!pPr) return style;
  std::string algn = pPr.attribute("algn").as_string();
  if (algn == "l")
    style.align = platform::TextAlign::Left;
  else if (algn == "ctr")
    style.align = platform::TextAlign::Centre;
  else if (algn == "r")
    style.align = platform::TextAlign::Right;
  else if (algn == "just" || algn == "justLow")
    style.align = platform::TextAlign::Justify;
  else if (algn == "dist" || algn == "thaiDist")
    style.align = platform::TextAlign::Distribute;
  double value = 0;
  if (ParseDecimal(pPr.attribute("marL").as_string(), value)) style.marginLeft = EmuToUnits(value);
  if (ParseDecimal(pPr.attribute("indent").as_string(), value)) style.indent = EmuToUnits(value);
  ReadSpacing(Child(pPr, "lnSpc"), style.lineSpacingPercent, style.lineSpacingPoints);
  ReadSpacing(Child(pPr, "spcBef"), style.spaceBeforePercent, style.spaceBeforePoints);
  ReadSpacing(Child(pPr, "spcAft"), style.spaceAfterPercent, style.spaceAfterPoints);
  if (pugi::xml_node font = Child(pPr, "buFont"))
    style.bulletFont = colours.Font(font.attribute("typeface").as_string());
  else if (Child(pPr, "buFontTx"))
    style.bulletFont = std::string();
  Kinefold::TColor bulletColour;
  if (colours.ResolveChild(Child(pPr, "buClr"), bulletColour))
    style.bulletColour = std::optional<Kinefold::TColor>(bulletColour);
  else if (Child(pPr, "buClrTx"))
    style.bulletColour = std::optional<Kinefold::TColor>();
  if (Child(pPr, "buSzTx")) style.bulletScale = 1.0;
  if (ParsePercent(Child(pPr, "buSzPct").attribute("val").as_string(), value) && value > 0)
    style.bulletScale = std::min(4.0, value);
  if (ParseDecimal(Child(pPr, "buSzPts").attribute("val").as_string(), value) && value > 0) {
    style.bulletPoints = value / 100.0;
    style.bulletScale.reset();
  }
  if (Child(pPr, "buNone")) {
    style.bulletChar = std::wstring();
  } else if (pugi::xml_node bu = Child(pPr, "buChar")) {
    style.bulletChar = WideText(bu.attribute("char").as_string());
  } else if (pugi::xml_node blip = Path(pPr, {"buBlip", "blip"})) {
    style.bulletBlip = blip;
  } else if (pugi::xml_node num = Child(pPr, "buAutoNum")) {
    style.autoNumber = num.attribute("type").as_string();
    int64_t start = 1;
    if (ParseInteger(num.attribute("startAt").as_string(), start) && start > 0 && start < 100000)
      style.autoNumberStart = static_cast<int>(start);
  }
  style.chars = ReadCharStyle(Child(pPr, "defRPr"), colours);
  return style;
}

std::wstring BulletText(const std::wstring& character, const std::string& font, double* scale) {
  if (scale) *scale = 1.0;
  if (character.size() != 1) return character;
  bool wingdings = font.find("Wingdings") != std::string::npos;
  bool symbol = font == "Symbol";
  if (!wingdings && !symbol) return character;
  wchar_t c = character[0];
  // Symbol fonts' glyphs are also written in the private use area at U+F0xx.
  if (c >= 0xF020 && c <= 0xF0FF) c -= 0xF000;
  if (symbol) return c == 0xB7 ? L"\u2022" : std::wstring(1, c);
  if (font == "Wingdings 2") {
    if (c >= 0x95 && c <= 0x98) return L"\u25CF";                         // discs
    if (c >= 0x9B && c <= 0x9D) return L"\u25CB";                         // rings
    if (c >= 0xA0 && c <= 0xA3) return c < 0xA2 ? L"\u25AA" : L"\u25A0";  // squares
    return L"\u2022";                                                     // dots
  }
  if (font == "Wingdings 3") return c >= 0x70 && c <= 0x7F ? L"\u25B8" : L"\u2022";
  switch (c) {
    case L'n':
      return L"\u25A0";
    case L'w':  // a small diamond
      if (scale) *scale = 0.6;
      return L"\u25C6";
    case 0xA8:
      return L"\u25FB";
    case L'l':
      return L"\u25CF";
    case L'q':
      return L"\u2751";
    case L'v':
      return L"\u2756";
    case L'u':
      return L"\u25C6";
    case 0xA7:
      return L"\u25AA";
    case 0xD8:
      return L"\u27A2";
    case 0xFC:
      return L"\u2713";
    case 0xE0:
      return L"\u2192";
    default:
      return L"\u2022";
  }
}

std::wstring AutoNumberText(const std::string& scheme, int n) {
  std::wstring body;
  bool upper = scheme.find("Uc") != std::string::npos;
  if (scheme.rfind("alpha", 0) == 0)
    body = Alpha(n, upper);
  else if (scheme.rfind("roman", 0) == 0)
    body = Roman(n, upper);
  else
    body = std::to_wstring(n);
  if (scheme.find("ParenBoth") != std::string::npos) return L"(" + body + L")";
  if (scheme.find("ParenR") != std::string::npos) return body + L")";
  if (scheme.find("Period") != std::string::npos) return body + L".";
  if (scheme.find("Minus") != std::string::npos) return L"- " + body + L" -";
  return body;
}

}  // namespace pptx
