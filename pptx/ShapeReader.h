// The slide's shape tree (p:spTree) into document shapes: every shape kind,
// group members mapped through their groups' child frames, placeholders
// completed from the layout and master, fills, lines, geometry, pictures,
// media and text bodies.
#pragma once

#include <pugixml.hpp>

#include "pptx/SlideContext.h"

namespace pptx {

void ReadShapeTree(SlideContext& context, const pugi::xml_node& spTree);

}  // namespace pptx
