// The colours a node draws with in the current frame: the authored colours of
// its document shape and text runs, unless the colour utilities changed them.
#pragma once

#include "host/Kinefold.h"
#include "publisher/ScreenNode.h"
#include "publisher/ShapeNode.h"
#include "publisher/TextNode.h"

namespace platform {

// The shape that a geometry leaf (or geometry part) belongs to; null otherwise.
ShapeNode* ShapeOfLeaf(const ScreenNode& leaf);

// Fill colour of a geometry leaf; false when it has none (no fill, or a
// picture fill). A shape that takes its group's fill takes the group's colour.
bool FillColour(const ScreenNode& leaf, Kinefold::TColor& colour);
// Line colour of a geometry leaf; false when the shape has no line.
bool LineColour(const ScreenNode& leaf, Kinefold::TColor& colour);
// Colour of a letter.
Kinefold::TColor TextColour(const TextNode& letter);

}  // namespace platform
