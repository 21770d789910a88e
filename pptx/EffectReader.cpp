#include "pptx/EffectReader.h"

#include <algorithm>
#include <cmath>

#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Attr(const pugi::xml_node& node, const char* name, double fallback) {
  double value = 0;
  return ParseDecimal(node.attribute(name).as_string(), value) && std::isfinite(value) ? value
                                                                                       : fallback;
}

}  // namespace

bool ReadShadow(const ColourContext& colours, const pugi::xml_node& effectLst,
                platform::ShadowStyle& shadow, const Kinefold::TColor* phClr) {
  if (!effectLst) return false;
  shadow = platform::ShadowStyle();
  pugi::xml_node outer = Child(effectLst, "outerShdw");
  if (!outer) return true;
  Kinefold::TColor colour{0, 0, 0, 255};
  colours.ResolveChild(outer, colour, phClr);
  // Lengths are EMU, at most a few inches; the direction is in 1/60000
  // degree, clockwise from the right.
  const double limit = 20 * 914400.0;
  const double blur = std::min(limit, std::max(0.0, Attr(outer, "blurRad", 0)));
  const double dist = std::min(limit, std::max(0.0, Attr(outer, "dist", 0)));
  const double dir = Attr(outer, "dir", 0) / 60000.0 * kPi / 180.0;
  shadow.present = colour.alpha > 0;
  shadow.colour = colour;
  shadow.blur = EmuToUnits(blur);
  shadow.dx = EmuToUnits(dist) * std::cos(dir);
  shadow.dy = EmuToUnits(dist) * std::sin(dir);
  return true;
}

void ReadGlow(const ColourContext& colours, const pugi::xml_node& effectLst,
              platform::ShadowStyle& glow, const Kinefold::TColor* phClr) {
  glow = platform::ShadowStyle();
  pugi::xml_node node = Child(effectLst, "glow");
  if (!node) return;
  Kinefold::TColor colour{0, 0, 0, 255};
  colours.ResolveChild(node, colour, phClr);
  const double rad = std::min(20 * 914400.0, std::max(0.0, Attr(node, "rad", 0)));
  glow.present = colour.alpha > 0 && rad > 0;
  glow.colour = colour;
  glow.blur = EmuToUnits(rad);
}

void ReadSoftEdgeAndReflection(const pugi::xml_node& effectLst, double& softEdge,
                               platform::ReflectionStyle& reflection) {
  const double limit = 20 * 914400.0;
  auto fraction = [](const pugi::xml_node& node, const char* name, double fallback) {
    return std::max(0.0, std::min(1.0, Attr(node, name, fallback) / 100000.0));
  };
  softEdge =
      EmuToUnits(std::min(limit, std::max(0.0, Attr(Child(effectLst, "softEdge"), "rad", 0))));
  reflection = platform::ReflectionStyle();
  pugi::xml_node node = Child(effectLst, "reflection");
  if (!node) return;
  // Only the usual mirror straight down is drawn: a vertical flip below the
  // shape.
  if (Attr(node, "sy", 100000) >= 0) return;
  reflection.blur = EmuToUnits(std::min(limit, std::max(0.0, Attr(node, "blurRad", 0))));
  reflection.dist = EmuToUnits(std::min(limit, std::max(0.0, Attr(node, "dist", 0))));
  reflection.startAlpha = fraction(node, "stA", 100000);
  reflection.endAlpha = fraction(node, "endA", 0);
  reflection.endPos = fraction(node, "endPos", 100000);
  reflection.present =
      reflection.endPos > 0 && (reflection.startAlpha > 0 || reflection.endAlpha > 0);
}

pugi::xml_node ThemeEffectStyle(const ColourContext& colours, int index) {
  const Theme* theme = colours.GetTheme();
  if (!theme || index <= 0) return pugi::xml_node();
  const size_t slot = static_cast<size_t>(index - 1);
  return slot < theme->effectStyles.size() ? theme->effectStyles[slot] : pugi::xml_node();
}

void ReadBlipEffects(const ColourContext& colours, const pugi::xml_node& blip,
                     platform::PictureData& picture) {
  for (pugi::xml_node effect : Elements(blip)) {
    if (Is(effect, "grayscl")) {
      picture.grey = true;
    } else if (Is(effect, "duotone")) {
      Kinefold::TColor found[2];
      int n = 0;
      for (pugi::xml_node colour : Elements(effect))
        if (n < 2 && IsColourElement(colour) && colours.Resolve(colour, found[n])) ++n;
      if (n == 2) {
        picture.duotone = true;
        picture.duoDark = found[0];
        picture.duoLight = found[1];
      }
    } else if (Is(effect, "lum")) {
      picture.brightness = std::max(-1.0, std::min(1.0, Attr(effect, "bright", 0) / 100000.0));
      picture.contrast = std::max(-1.0, std::min(1.0, Attr(effect, "contrast", 0) / 100000.0));
    } else if (Is(effect, "alphaModFix")) {
      picture.opacity = std::max(0.0, std::min(1.0, Attr(effect, "amt", 100000) / 100000.0));
    }
  }
}

}  // namespace pptx
