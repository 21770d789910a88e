#include "render/Gradient.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "publisher/ColorMath.h"

namespace render {
namespace {

// Rectangles growing from the focus rectangle (stop 0) to the box (the last
// stop), as a mesh: per band between two stops, one patch on each side.
cairo_pattern_t* RectangularPattern(const platform::FillStyle& fill, double x, double y,
                                    double width, double height,
                                    const Kinefold::TColorMatrix& colour) {
  std::vector<platform::GradientStop> stops = fill.stops;
  if (stops.front().position > 0.0) stops.insert(stops.begin(), {0.0, stops.front().colour});
  if (stops.back().position < 1.0) stops.push_back({1.0, stops.back().colour});
  const double inner[4] = {x + width * fill.focus[0], y + height * fill.focus[1],
                           x + width * fill.focus[2], y + height * fill.focus[3]};
  const double outer[4] = {x, y, x + width, y + height};
  auto rectAt = [&](double t, double* r) {
    t = std::min(1.0, std::max(0.0, t));
    for (int i = 0; i < 4; ++i) r[i] = inner[i] + (outer[i] - inner[i]) * t;
  };
  cairo_pattern_t* mesh = cairo_pattern_create_mesh();
  struct Corner {
    double x, y;
    Kinefold::TColor c;
  };
  auto patch = [&](const Corner(&corners)[4]) {
    cairo_mesh_pattern_begin_patch(mesh);
    cairo_mesh_pattern_move_to(mesh, corners[0].x, corners[0].y);
    for (int i = 1; i < 4; ++i) cairo_mesh_pattern_line_to(mesh, corners[i].x, corners[i].y);
    for (unsigned i = 0; i < 4; ++i)
      cairo_mesh_pattern_set_corner_color_rgba(
          mesh, i, corners[i].c.red / 255.0, corners[i].c.green / 255.0, corners[i].c.blue / 255.0,
          corners[i].c.alpha / 255.0);
    cairo_mesh_pattern_end_patch(mesh);
  };
  const Kinefold::TColor first = platform::ApplyMatrix(stops.front().colour, colour);
  if (inner[2] > inner[0] && inner[3] > inner[1])
    patch({{inner[0], inner[1], first},
           {inner[2], inner[1], first},
           {inner[2], inner[3], first},
           {inner[0], inner[3], first}});
  for (size_t i = 0; i + 1 < stops.size(); ++i) {
    double a[4], b[4];
    rectAt(stops[i].position, a);
    rectAt(stops[i + 1].position, b);
    const Kinefold::TColor ca = platform::ApplyMatrix(stops[i].colour, colour);
    const Kinefold::TColor cb = platform::ApplyMatrix(stops[i + 1].colour, colour);
    // Corners of a rectangle clockwise from the top left: (0,1) (2,1) (2,3) (0,3).
    const int cx[4] = {0, 2, 2, 0}, cy[4] = {1, 1, 3, 3};
    for (int side = 0; side < 4; ++side) {
      const int p = side, q = (side + 1) % 4;
      patch({{a[cx[p]], a[cy[p]], ca},
             {a[cx[q]], a[cy[q]], ca},
             {b[cx[q]], b[cy[q]], cb},
             {b[cx[p]], b[cy[p]], cb}});
    }
  }
  return mesh;
}

}  // namespace

cairo_pattern_t* GradientPattern(const platform::FillStyle& fill, double x, double y, double width,
                                 double height, const Kinefold::TColorMatrix& colour) {
  if (fill.stops.empty()) return nullptr;
  if (fill.radial && fill.rectangular) return RectangularPattern(fill, x, y, width, height, colour);
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
