// Cairo patterns for gradient fills: linear ones along their angle across the
// box, radial ones spreading from their focus to the farthest corner, and
// rectangular ones growing from their focus rectangle to the box's edges.
#pragma once

#include <cairo.h>

#include "document/Shape.h"
#include "host/Kinefold.h"

namespace render {

// A new pattern (release with cairo_pattern_destroy) for the gradient `fill`
// over the box (x, y, width, height) with `colour` applied to its stops; null
// when the fill has no stops.
cairo_pattern_t* GradientPattern(const platform::FillStyle& fill, double x, double y, double width,
                                 double height, const Kinefold::TColorMatrix& colour);

}  // namespace render
