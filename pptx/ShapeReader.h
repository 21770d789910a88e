// The slide's shape tree (p:spTree) into document shapes: every shape kind,
// group members mapped through their groups' child frames, placeholders
// completed from the layout and master, fills, lines, geometry, pictures,
// media and text bodies.
#pragma once

#include <pugixml.hpp>

#include "pptx/SlideContext.h"

namespace pptx {

// `dxEmu`, `dyEmu` shift the tree (a diagram's drawing sits in its frame).
void ReadShapeTree(SlideContext& context, const pugi::xml_node& spTree, double dxEmu = 0,
                   double dyEmu = 0);

// Pieces that the readers of graphic frames and backdrops share; pictures
// and text are looked up from context.part.
bool ReadShapeFill(SlideContext& context, const pugi::xml_node& props, platform::FillStyle& fill);
bool ReadShapeLine(SlideContext& context, const pugi::xml_node& ln, platform::LineStyle& line);
bool ReadShapePicture(SlideContext& context, const pugi::xml_node& blipFill,
                      platform::Shape& shape);
void ReadPlainTextBody(SlideContext& context, platform::Shape& shape, const pugi::xml_node& txBody);

}  // namespace pptx
