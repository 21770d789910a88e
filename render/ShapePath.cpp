#include "render/ShapePath.h"

#include <cmath>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

namespace render {
namespace {

constexpr double kPi = 3.14159265358979323846;

// An adjust value in 1/100000 of the reference length, or its default.
double Adjust(const platform::Shape& shape, const char* name, double fallback) {
  for (const auto& a : shape.geometry.adjust)
    if (a.first == name) return a.second;
  return fallback;
}

void WarnOnce(const std::string& preset) {
  static std::mutex mutex;
  static std::set<std::string> warned;
  std::lock_guard<std::mutex> lock(mutex);
  if (!warned.insert(preset).second) return;
  std::fprintf(stderr, "slideanim: drawing shape geometry \"%s\" as its bounding box\n",
               preset.c_str());
}

void Polygon(cairo_t* cr, std::initializer_list<std::pair<double, double>> points) {
  bool first = true;
  for (const auto& p : points) {
    if (first)
      cairo_move_to(cr, p.first, p.second);
    else
      cairo_line_to(cr, p.first, p.second);
    first = false;
  }
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double x, double y, double w, double h) {
  if (w <= 0.0 || h <= 0.0) return;
  cairo_save(cr);
  cairo_translate(cr, x + w / 2, y + h / 2);
  cairo_scale(cr, w / 2, h / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::max(0.0, std::min(r, std::min(w, h) / 2));
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void CustomPath(cairo_t* cr, const platform::GeometryPath& path, double x, double y, double w,
                double h) {
  const double sx = path.width > 0 ? w / path.width : 1.0;
  const double sy = path.height > 0 ? h / path.height : 1.0;
  double cx = x, cy = y;  // current point, slide units
  for (const platform::PathCommand& c : path.commands) {
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
        cairo_curve_to(cr, cx + 2.0 / 3.0 * (qx - cx), cy + 2.0 / 3.0 * (qy - cy),
                       ex + 2.0 / 3.0 * (qx - ex), ey + 2.0 / 3.0 * (qy - ey), ex, ey);
        cx = ex, cy = ey;
        break;
      }
      case platform::PathCommand::ArcTo: {
        const double rx = v[0] * sx, ry = v[1] * sy;
        const double start = v[2] * kPi / 180.0, swing = v[3] * kPi / 180.0;
        if (!cairo_has_current_point(cr)) cairo_move_to(cr, cx, cy);
        if (rx <= 0.0 || ry <= 0.0) break;
        const double ox = cx - rx * std::cos(start), oy = cy - ry * std::sin(start);
        cairo_save(cr);
        cairo_translate(cr, ox, oy);
        cairo_scale(cr, rx, ry);
        if (swing >= 0)
          cairo_arc(cr, 0, 0, 1, start, start + swing);
        else
          cairo_arc_negative(cr, 0, 0, 1, start, start + swing);
        cairo_restore(cr);
        cx = ox + rx * std::cos(start + swing), cy = oy + ry * std::sin(start + swing);
        break;
      }
      case platform::PathCommand::Close:
        cairo_close_path(cr);
        break;
    }
  }
}

}  // namespace

void ForEachShapePath(cairo_t* cr, const platform::Shape& shape,
                      const std::function<void(bool fillable, bool strokable)>& paint) {
  const double x = shape.X(), y = shape.Y(), w = shape.Width(), h = shape.Height();
  const std::string& preset = shape.geometry.preset;
  const double ss = std::min(w, h);
  cairo_new_path(cr);

  if (!shape.geometry.paths.empty()) {
    for (const platform::GeometryPath& path : shape.geometry.paths) {
      cairo_new_path(cr);
      CustomPath(cr, path, x, y, w, h);
      paint(path.filled, path.stroked);
    }
    return;
  }
  bool fillable = true;
  if (preset.empty() || preset == "rect" || shape.Kind() == platform::ShapeKind::Picture) {
    cairo_rectangle(cr, x, y, w, h);
  } else if (preset == "roundRect") {
    RoundRect(cr, x, y, w, h, ss * Adjust(shape, "adj", 16667) / 100000.0);
  } else if (preset == "ellipse") {
    Ellipse(cr, x, y, w, h);
  } else if (preset == "triangle") {
    Polygon(cr, {{x + w * Adjust(shape, "adj", 50000) / 100000.0, y}, {x + w, y + h}, {x, y + h}});
  } else if (preset == "rtTriangle") {
    Polygon(cr, {{x, y}, {x + w, y + h}, {x, y + h}});
  } else if (preset == "diamond") {
    Polygon(cr, {{x + w / 2, y}, {x + w, y + h / 2}, {x + w / 2, y + h}, {x, y + h / 2}});
  } else if (preset == "parallelogram") {
    const double d = ss * Adjust(shape, "adj", 25000) / 100000.0;
    Polygon(cr, {{x + d, y}, {x + w, y}, {x + w - d, y + h}, {x, y + h}});
  } else if (preset == "trapezoid") {
    const double d = ss * Adjust(shape, "adj", 25000) / 100000.0;
    Polygon(cr, {{x + d, y}, {x + w - d, y}, {x + w, y + h}, {x, y + h}});
  } else if (preset == "hexagon") {
    const double d = ss * Adjust(shape, "adj", 25000) / 100000.0;
    Polygon(cr, {{x + d, y},
                 {x + w - d, y},
                 {x + w, y + h / 2},
                 {x + w - d, y + h},
                 {x + d, y + h},
                 {x, y + h / 2}});
  } else if (preset == "line" || preset == "straightConnector1" ||
             preset.rfind("bentConnector", 0) == 0 || preset.rfind("curvedConnector", 0) == 0 ||
             shape.Kind() == platform::ShapeKind::Connector) {
    fillable = false;
    if (preset == "bentConnector2") {
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + w, y);
      cairo_line_to(cr, x + w, y + h);
    } else if (preset == "bentConnector3" || preset == "bentConnector4" ||
               preset == "bentConnector5") {
      const double mid = x + w * Adjust(shape, "adj1", 50000) / 100000.0;
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, mid, y);
      cairo_line_to(cr, mid, y + h);
      cairo_line_to(cr, x + w, y + h);
    } else if (preset.rfind("curvedConnector", 0) == 0) {
      const double mid = x + w * Adjust(shape, "adj1", 50000) / 100000.0;
      cairo_move_to(cr, x, y);
      cairo_curve_to(cr, mid, y, mid, y + h, x + w, y + h);
    } else {
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + w, y + h);
    }
  } else {
    WarnOnce(preset);
    cairo_rectangle(cr, x, y, w, h);
  }
  paint(fillable, true);
}

}  // namespace render
