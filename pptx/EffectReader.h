// DrawingML effects that the renderer draws: the outer shadow, glow, soft
// edges and reflection of an effect list (of a shape, a picture or a text run, or of the theme's
// effect style that a style reference names), and the recolouring effects of a picture's a:blip.
#pragma once

#include <pugixml.hpp>

#include "document/Shape.h"
#include "pptx/Theme.h"

namespace pptx {

// Reads the outer shadow of a:effectLst into `shadow` (an empty list states
// that there is none). False when `effectLst` is a null node: nothing stated.
bool ReadShadow(const ColourContext& colours, const pugi::xml_node& effectLst,
                platform::ShadowStyle& shadow, const Kinefold::TColor* phClr = nullptr);

// Reads the glow of a:effectLst into `glow`: its colour, and its radius as
// the blur (with no offset). No glow when `effectLst` is a null node.
void ReadGlow(const ColourContext& colours, const pugi::xml_node& effectLst,
              platform::ShadowStyle& glow, const Kinefold::TColor* phClr = nullptr);

// Reads the soft edge radius (0: none) and the reflection of a:effectLst.
void ReadSoftEdgeAndReflection(const pugi::xml_node& effectLst, double& softEdge,
                               platform::ReflectionStyle& reflection);

// The effect list of the theme's effect style `index` (1..), or a null node.
pugi::xml_node ThemeEffectStyle(const ColourContext& colours, int index);

// Reads grayscl, duotone, lum and alphaModFix of a:blip into `picture`.
void ReadBlipEffects(const ColourContext& colours, const pugi::xml_node& blip,
                     platform::PictureData& picture);

}  // namespace pptx
