// The outline of a document shape's geometry as cairo paths: preset shapes
// (see docs/presets.md), custom geometry paths with their guides, lines and
// connectors. A geometry that cannot be drawn (an unknown preset, a guide
// that does not evaluate) is drawn as its bounding box and reported once.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <cairo.h>

#include "document/Shape.h"

namespace render {

// The paths of the shape's geometry with plain numbers, in slide units from
// the shape's top left corner (a path with a size of its own keeps its
// coordinates over that size). False, with the reason in `problem`, when the
// geometry cannot be drawn; the renderer then draws the bounding box.
bool ShapeOutline(const platform::Shape& shape, std::vector<platform::GeometryPath>* out,
                  std::string* problem);

// For each path of the shape's geometry, sets it as the current path of `cr`
// (in slide units) and calls `paint(fillable, strokable)`. Connectors are
// never filled.
void ForEachShapePath(cairo_t* cr, const platform::Shape& shape,
                      const std::function<void(bool fillable, bool strokable)>& paint);

}  // namespace render
