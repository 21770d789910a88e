// DrawingML fills that are more than one colour: gradients (linear and path),
// the theme's fill styles that style references point at, and the cropping of
// pictures.
#pragma once

#include <pugixml.hpp>

#include "document/Shape.h"
#include "pptx/Theme.h"

namespace pptx {

// Reads a:gradFill into `fill` (type, stops, angle, radial; colour is the first
// stop). `phClr` stands for a style reference's placeholder colour.
bool ReadGradientFill(const ColourContext& colours, const pugi::xml_node& gradFill,
                      platform::FillStyle& fill, const Kinefold::TColor* phClr = nullptr);

// The fill a style reference's index names in the theme (1.. fill styles,
// 1001.. background fill styles), with `phClr` for its placeholder colour.
// Returns the style's element (gradFill, blipFill, ...) or a null node.
pugi::xml_node ThemeFillStyle(const ColourContext& colours, int index);

// Reads a plain fill element (noFill, solidFill, gradFill, pattFill, blipFill,
// grpFill) into `fill`; false when `element` is none of those.
bool ReadFillElement(const ColourContext& colours, const pugi::xml_node& element,
                     platform::FillStyle& fill, const Kinefold::TColor* phClr = nullptr);

// Reads a:srcRect and a:tile of a:blipFill into the picture's crop and tiling.
void ReadPictureLayout(const pugi::xml_node& blipFill, platform::PictureData& picture);

// Reads the dash pattern (prstDash) and the line ends of a:ln.
void ReadLineDetails(const pugi::xml_node& ln, platform::LineStyle& line);

}  // namespace pptx
