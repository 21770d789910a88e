#include "pptx/FillReader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {

bool ReadGradientFill(const ColourContext& colours, const pugi::xml_node& gradFill,
                      platform::FillStyle& fill, const Kinefold::TColor* phClr) {
  fill.type = platform::eFillGradient;
  fill.stops.clear();
  for (pugi::xml_node gs : Children(Child(gradFill, "gsLst"), "gs")) {
    platform::GradientStop stop;
    double pos = 0;
    if (ParseDecimal(gs.attribute("pos").as_string(), pos)) stop.position = pos / 100000.0;
    if (!colours.ResolveChild(gs, stop.colour, phClr)) continue;
    fill.stops.push_back(stop);
    if (fill.stops.size() >= 64) break;
  }
  std::stable_sort(fill.stops.begin(), fill.stops.end(),
                   [](const platform::GradientStop& a, const platform::GradientStop& b) {
                     return a.position < b.position;
                   });
  if (!fill.stops.empty()) fill.colour = fill.stops.front().colour;
  double angle = 0;
  if (pugi::xml_node lin = Child(gradFill, "lin"))
    if (ParseDecimal(lin.attribute("ang").as_string(), angle)) fill.angle = angle / 60000.0;
  // A path gradient runs from its centre (stop 0) out to the edge.
  pugi::xml_node path = Child(gradFill, "path");
  fill.radial = static_cast<bool>(path);
  const std::string kind = path.attribute("path").as_string();
  fill.rectangular = kind == "rect" || kind == "shape";
  if (pugi::xml_node to = Path(gradFill, {"path", "fillToRect"})) {
    auto inset = [&](const char* name) {
      double v = 0;
      return ParseDecimal(to.attribute(name).as_string(), v) ? v / 100000.0 : 0.0;
    };
    const double l = inset("l"), t = inset("t"), r = inset("r"), b = inset("b");
    fill.focusX = std::max(0.0, std::min(1.0, (l + 1.0 - r) / 2));
    fill.focusY = std::max(0.0, std::min(1.0, (t + 1.0 - b) / 2));
    fill.focus[0] = std::max(0.0, std::min(1.0, l));
    fill.focus[1] = std::max(0.0, std::min(1.0, t));
    fill.focus[2] = std::max(fill.focus[0], std::min(1.0, 1.0 - r));
    fill.focus[3] = std::max(fill.focus[1], std::min(1.0, 1.0 - b));
  }
  return true;
}

pugi::xml_node ThemeFillStyle(const ColourContext& colours, int index) {
  const Theme* theme = colours.GetTheme();
  if (!theme || index <= 0) return pugi::xml_node();
  if (index >= 1001) {
    const size_t slot = static_cast<size_t>(index - 1001);
    return slot < theme->backgroundFillStyles.size() ? theme->backgroundFillStyles[slot]
                                                     : pugi::xml_node();
  }
  const size_t slot = static_cast<size_t>(index - 1);
  return slot < theme->fillStyles.size() ? theme->fillStyles[slot] : pugi::xml_node();
}

bool ReadFillElement(const ColourContext& colours, const pugi::xml_node& element,
                     platform::FillStyle& fill, const Kinefold::TColor* phClr) {
  if (Is(element, "noFill")) {
    fill.type = platform::eFillNone;
  } else if (Is(element, "solidFill")) {
    fill.type = platform::eFillSolid;
    colours.ResolveChild(element, fill.colour, phClr);
  } else if (Is(element, "gradFill")) {
    ReadGradientFill(colours, element, fill, phClr);
  } else if (Is(element, "pattFill")) {
    fill.type = platform::eFillPattern;
    // Drawn as the average of its two colours.
    Kinefold::TColor fg = fill.colour, bg{255, 255, 255, 255};
    const bool hasFg = colours.ResolveChild(Child(element, "fgClr"), fg, phClr);
    const bool hasBg = colours.ResolveChild(Child(element, "bgClr"), bg, phClr);
    fill.colour = fg;
    if (hasFg && hasBg) {
      fill.colour.red = (fg.red + bg.red) / 2;
      fill.colour.green = (fg.green + bg.green) / 2;
      fill.colour.blue = (fg.blue + bg.blue) / 2;
    }
  } else if (Is(element, "blipFill")) {
    fill.type = platform::eFillPicture;
  } else if (Is(element, "grpFill")) {
    fill.type = platform::eFillGroup;
  } else {
    return false;
  }
  return true;
}

void ReadPictureLayout(const pugi::xml_node& blipFill, platform::PictureData& picture) {
  if (pugi::xml_node rect = Child(blipFill, "srcRect")) {
    auto side = [&](const char* name) {
      double v = 0;
      if (!ParseDecimal(rect.attribute(name).as_string(), v)) return 0.0;
      return std::max(-10.0, std::min(1.0, v / 100000.0));
    };
    picture.cropLeft = side("l");
    picture.cropTop = side("t");
    picture.cropRight = side("r");
    picture.cropBottom = side("b");
  }
  pugi::xml_node tile = Child(blipFill, "tile");
  picture.tile = static_cast<bool>(tile);
  if (!tile) return;
  auto number = [&](const char* name, double fallback) {
    double v = 0;
    return ParseDecimal(tile.attribute(name).as_string(), v) && std::isfinite(v) ? v : fallback;
  };
  picture.tileScaleX = std::max(0.001, std::min(100.0, number("sx", 100000) / 100000.0));
  picture.tileScaleY = std::max(0.001, std::min(100.0, number("sy", 100000) / 100000.0));
  picture.tileOffsetX = EmuToUnits(std::max(-1e9, std::min(1e9, number("tx", 0))));
  picture.tileOffsetY = EmuToUnits(std::max(-1e9, std::min(1e9, number("ty", 0))));
  std::string align = tile.attribute("algn").as_string();
  if (align.empty()) align = "tl";
  const char side = align == "ctr" ? ' ' : align.back();
  picture.tileAlignY = align[0] == 't' ? 0 : align[0] == 'b' ? 2 : 1;
  picture.tileAlignX = side == 'l' ? 0 : side == 'r' ? 2 : 1;
}

void ReadLineDetails(const pugi::xml_node& ln, platform::LineStyle& line) {
  static const struct {
    const char* name;
    std::vector<double> pattern;
  } kDashes[] = {
      {"dash", {4, 3}},
      {"sysDash", {3, 1}},
      {"sysDot", {1, 1}},
      {"dot", {1, 3}},
      {"dashDot", {4, 3, 1, 3}},
      {"lgDash", {8, 3}},
      {"lgDashDot", {8, 3, 1, 3}},
      {"lgDashDotDot", {8, 3, 1, 3, 1, 3}},
      {"sysDashDot", {3, 1, 1, 1}},
      {"sysDashDotDot", {3, 1, 1, 1, 1, 1}},
  };
  const std::string dash = Child(ln, "prstDash").attribute("val").as_string();
  for (const auto& entry : kDashes)
    if (dash == entry.name) line.dashes = entry.pattern;
  auto size = [](const pugi::xml_attribute& attr) {
    const std::string v = attr.as_string();
    return v == "sm" ? 0 : v == "lg" ? 2 : 1;
  };
  if (Child(ln, "round"))
    line.join = 1;
  else if (Child(ln, "bevel"))
    line.join = 2;
  else if (Child(ln, "miter"))
    line.join = 0;
  const std::string cap = ln.attribute("cap").as_string();
  if (!cap.empty()) line.cap = cap == "rnd" ? 1 : cap == "sq" ? 2 : 0;
  for (const bool head : {true, false}) {
    pugi::xml_node end = Child(ln, head ? "headEnd" : "tailEnd");
    if (!end) continue;
    std::string type = end.attribute("type").as_string();
    if (type == "none") type.clear();
    (head ? line.headEnd : line.tailEnd) = type;
    (head ? line.headWidth : line.tailWidth) = size(end.attribute("w"));
    (head ? line.headLength : line.tailLength) = size(end.attribute("len"));
  }
}

}  // namespace pptx
