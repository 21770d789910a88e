#include "render/Gradient.h"

#include <cmath>

#include "publisher/ColorMath.h"

namespace render {

cairo_pattern_t* GradientPattern(const platform::FillStyle& fill, double x, double y, double width,
                                 double height, const Kinefold::TColorMatrix& colour) {
  if (fill.stops.empty()) return nullptr;
  const double cx = x + width / 2, cy = y + height / 2;
  cairo_pattern_t* pattern;
  if (fill.radial) {
    // From the focus out to the farthest corner.
    const double fx = x + width * fill.focusX, fy = y + height * fill.focusY;
    const double rx = std::max(fx - x, x + width - fx), ry = std::max(fy - y, y + height - fy);
    pattern = cairo_pattern_create_radial(fx, fy, 0, fx, fy, std::hypot(rx, ry));
  } else {
    const double a = fill.angle * 3.14159265358979323846 / 180.0;
    const double dx = std::cos(a), dy = std::sin(a);
    // Half the length of the box's projection on the gradient's direction.
    const double half = (std::fabs(width * dx) + std::fabs(height * dy)) / 2;
    pattern =
        cairo_pattern_create_linear(cx - dx * half, cy - dy * half, cx + dx * half, cy + dy * half);
  }
  for (const platform::GradientStop& stop : fill.stops) {
    const Kinefold::TColor c = platform::ApplyMatrix(stop.colour, colour);
    cairo_pattern_add_color_stop_rgba(pattern, std::min(1.0, std::max(0.0, stop.position)),
                                      c.red / 255.0, c.green / 255.0, c.blue / 255.0,
                                      c.alpha / 255.0);
  }
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  return pattern;
}

}  // namespace render
