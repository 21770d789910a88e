// The outline of a document shape's geometry as cairo paths: preset shapes
// (rect, roundRect, ellipse, triangle, rtTriangle, diamond, parallelogram,
// trapezoid, hexagon, line and connectors) and custom geometry paths. Any
// other preset is drawn as its bounding box, reported once per preset name.
#pragma once

#include <functional>

#include <cairo.h>

#include "document/Shape.h"

namespace render {

// For each path of the shape's geometry, sets it as the current path of `cr`
// (in slide units) and calls `paint(fillable, strokable)`.
void ForEachShapePath(cairo_t* cr, const platform::Shape& shape,
                      const std::function<void(bool fillable, bool strokable)>& paint);

}  // namespace render
