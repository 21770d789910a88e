#include "render/ShapePath.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "render/PresetGeometry.h"

namespace render {
namespace {

constexpr double kPi = 3.14159265358979323846;

void WarnOnce(const std::string& problem) {
  static std::mutex mutex;
  static std::set<std::string> warned;
  std::lock_guard<std::mutex> lock(mutex);
  if (!warned.insert(problem).second) return;
  std::fprintf(stderr, "slideanim: %s\n", problem.c_str());
}

// The parametric angle of the point of an ellipse with radii rx, ry that is
// seen at `angle` from its centre.
double Parametric(double angle, double rx, double ry) {
  return std::atan2(rx * std::sin(angle), ry * std::cos(angle));
}

// Lengths beyond this (slide units, about ten kilometres) come from broken
// documents; they would overflow cairo's fixed-point coordinates, and a
// number that is not finite would leave the context in an error state.
constexpr double kFarthest = 1e6;

double Bounded(double value) {
  return std::isfinite(value) ? std::max(-kFarthest, std::min(kFarthest, value)) : 0.0;
}

void DrawPath(cairo_t* cr, const platform::GeometryPath& path, double x, double y, double w,
              double h) {
  const double sx = path.width > 0 ? w / path.width : 1.0;
  const double sy = path.height > 0 ? h / path.height : 1.0;
  double cx = x, cy = y;  // current point, slide units
  for (const platform::PathCommand& command : path.commands) {
    platform::PathCommand c = command;
    for (int i = 0; i < 6; ++i) {
      const bool angle = c.kind == platform::PathCommand::ArcTo && i >= 2;
      const double scale = angle ? 1.0 : (i % 2 ? sy : sx);
      if (angle)
        c.v[i] = std::isfinite(c.v[i]) ? c.v[i] : 0.0;
      else
        c.v[i] = scale != 0.0 ? Bounded(c.v[i] * scale) / scale : 0.0;
    }
    const double* v = c.v;
    switch (c.kind) {
      case platform::PathCommand::MoveTo:
        cx = x + v[0] * sx, cy = y + v[1] * sy;
        cairo_move_to(cr, cx, cy);
        break;
      case platform::PathCommand::LineTo:
        cx = x + v[0] * sx, cy = y + v[1] * sy;
        cairo_line_to(cr, cx, cy);
        break;
      case platform::PathCommand::CubicTo:
        cairo_curve_to(cr, x + v[0] * sx, y + v[1] * sy, x + v[2] * sx, y + v[3] * sy,
                       x + v[4] * sx, y + v[5] * sy);
        cx = x + v[4] * sx, cy = y + v[5] * sy;
        break;
      case platform::PathCommand::QuadTo: {
        const double qx = x + v[0] * sx, qy = y + v[1] * sy;
        const double ex = x + v[2] * sx, ey = y + v[3] * sy;
        if (!cairo_has_current_point(cr)) cairo_move_to(cr, cx, cy);
        cairo_curve_to(cr, cx + 2.0 / 3.0 * (qx - cx), cy + 2.0 / 3.0 * (qy - cy),
                       ex + 2.0 / 3.0 * (qx - ex), ey + 2.0 / 3.0 * (qy - ey), ex, ey);
        cx = ex, cy = ey;
        break;
      }
      case platform::PathCommand::ArcTo: {
        // The arc starts at the current point, which lies on its ellipse at
        // the start angle; angles are the directions in which the points are
        // seen from the ellipse's centre.
        const double rx = std::fabs(v[0] * sx), ry = std::fabs(v[1] * sy);
        // More than a whole turn draws nothing more.
        const double start = std::fmod(v[2], 360.0) * kPi / 180.0;
        const double swing = std::max(-360.0, std::min(360.0, v[3])) * kPi / 180.0;
        if (!cairo_has_current_point(cr)) cairo_move_to(cr, cx, cy);
        if (rx <= 0.0 || ry <= 0.0) break;
        const double t0 = Parametric(start, rx, ry);
        double t1 = Parametric(start + swing, rx, ry);
        // A point's parametric angle stays within a quarter turn of the angle
        // it is seen at, so the end is the turn of t1 nearest t0 + swing.
        t1 += 2 * kPi * std::round((t0 + swing - t1) / (2 * kPi));
        if (swing >= 0 ? t1 < t0 : t1 > t0) t1 = t0;  // rounding, not a whole turn
        const double ox = cx - rx * std::cos(t0), oy = cy - ry * std::sin(t0);
        cairo_save(cr);
        cairo_translate(cr, ox, oy);
        cairo_scale(cr, rx, ry);
        if (swing >= 0)
          cairo_arc(cr, 0, 0, 1, t0, t1);
        else
          cairo_arc_negative(cr, 0, 0, 1, t0, t1);
        cairo_restore(cr);
        cx = ox + rx * std::cos(t1), cy = oy + ry * std::sin(t1);
        break;
      }
      case platform::PathCommand::Close:
        cairo_close_path(cr);
        break;
    }
  }
}

bool UsesGuides(const platform::Geometry& geometry) {
  if (!geometry.guides.empty()) return true;
  for (const platform::GeometryPath& path : geometry.paths)
    for (const platform::PathCommand& command : path.commands)
      for (const std::string& ref : command.ref)
        if (!ref.empty()) return true;
  return false;
}

}  // namespace

bool ShapeOutline(const platform::Shape& shape, std::vector<platform::GeometryPath>* out,
                  std::string* problem) {
  const platform::Geometry& geometry = shape.geometry;
  const double w = shape.Width(), h = shape.Height();
  out->clear();
  if (!geometry.paths.empty()) {
    if (!UsesGuides(geometry)) {
      *out = geometry.paths;
      return true;
    }
    std::string error;
    if (ResolveCustomGeometry(geometry, w, h, out, &error)) return true;
    *problem = "drawing custom geometry as its bounding box: " + error;
    return false;
  }
  const std::string& preset = geometry.preset.empty() ? std::string("rect") : geometry.preset;
  if (PresetOutline(preset, w, h, geometry.adjust, out)) return true;
  *problem = "drawing shape geometry \"" + preset + "\" as its bounding box";
  return false;
}

void ForEachShapePath(cairo_t* cr, const platform::Shape& shape,
                      const std::function<void(bool fillable, bool strokable)>& paint) {
  const double x = shape.X(), y = shape.Y(), w = shape.Width(), h = shape.Height();
  const bool connector = shape.Kind() == platform::ShapeKind::Connector;
  std::vector<platform::GeometryPath> paths;
  std::string problem;
  if (!ShapeOutline(shape, &paths, &problem)) {
    WarnOnce(problem);
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    paint(!connector, true);
    return;
  }
  for (const platform::GeometryPath& path : paths) {
    cairo_new_path(cr);
    DrawPath(cr, path, x, y, w, h);
    paint(path.filled && !connector, path.stroked);
  }
}

}  // namespace render
