#include "publisher/MaskGeometry.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

using Kinefold::TPoint;

constexpr double kPi = 3.14159265358979323846;
constexpr double kJoin = 1e-4;  // end points closer than this join

bool Near(const TPoint& a, const TPoint& b) {
  return std::fabs(a.x - b.x) <= kJoin && std::fabs(a.y - b.y) <= kJoin;
}

double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}

Contour EllipseContour(const MaskGeometry& g) {
  const double rx = std::fabs(g.v[2]), ry = std::fabs(g.v[3]);
  const double perimeter = 2.0 * kPi * std::max(rx, ry);
  const double wanted = std::ceil(perimeter / 2.0);
  const int n = wanted > 512.0 ? 512 : wanted > 32.0 ? static_cast<int>(wanted) : 32;
  Contour c;
  c.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    // Start at the top and run clockwise on screen (y grows downwards).
    const double a = -kPi / 2.0 + 2.0 * kPi * i / n;
    c.push_back({g.v[0] + rx * std::cos(a), g.v[1] + ry * std::sin(a)});
  }
  return c;
}

Contour RectContour(const MaskGeometry& g) {
  return {{g.v[0], g.v[1]}, {g.v[2], g.v[1]}, {g.v[2], g.v[3]}, {g.v[0], g.v[3]}};
}

// Chains the line segments of one group into closed outlines.
void ChainLines(const std::vector<const MaskGeometry*>& lines, std::vector<Contour>& out) {
  std::vector<bool> used(lines.size(), false);
  for (size_t s = 0; s < lines.size(); ++s) {
    if (used[s]) continue;
    used[s] = true;
    Contour chain{{lines[s]->v[0], lines[s]->v[1]}, {lines[s]->v[2], lines[s]->v[3]}};
    size_t last = s;
    bool closed = false;
    while (!closed) {
      const TPoint end = chain.back();
      size_t found = lines.size();
      bool reversed = false;
      // Segments usually follow each other; look at the next one first.
      for (size_t k = 0; k < lines.size() && found == lines.size(); ++k) {
        const size_t i = (last + 1 + k) % lines.size();
        if (used[i]) continue;
        if (Near({lines[i]->v[0], lines[i]->v[1]}, end)) {
          found = i;
        } else if (Near({lines[i]->v[2], lines[i]->v[3]}, end)) {
          found = i;
          reversed = true;
        }
      }
      if (found == lines.size()) break;
      used[found] = true;
      last = found;
      const MaskGeometry& l = *lines[found];
      const TPoint next = reversed ? TPoint{l.v[0], l.v[1]} : TPoint{l.v[2], l.v[3]};
      if (Near(next, chain.front()) && chain.size() >= 3) {
        closed = true;
      } else {
        chain.push_back(next);
      }
    }
    if (closed) out.push_back(chain);
  }
}

void OutlineInto(const MaskGeometry& g, std::vector<Contour>& out) {
  switch (g.kind) {
    case MaskGeometry::Empty:
    case MaskGeometry::Line:
      return;
    case MaskGeometry::Rect:
      out.push_back(RectContour(g));
      return;
    case MaskGeometry::Ellipse:
      out.push_back(EllipseContour(g));
      return;
    case MaskGeometry::Polygon:
      if (g.points.size() >= 3) out.push_back(g.points);
      return;
    case MaskGeometry::Group: {
      std::vector<const MaskGeometry*> lines;
      for (const MaskGeometry& child : g.children) {
        if (child.kind == MaskGeometry::Line)
          lines.push_back(&child);
        else
          OutlineInto(child, out);
      }
      ChainLines(lines, out);
      return;
    }
  }
}

double SignedArea(const Contour& c) {
  double a = 0.0;
  for (size_t i = 0; i < c.size(); ++i) {
    const TPoint& p = c[i];
    const TPoint& q = c[(i + 1) % c.size()];
    a += p.x * q.y - q.x * p.y;
  }
  return a * 0.5;
}

// The outline of a leaf as one closed run of points, clockwise on screen.
Contour LeafOutline(const MaskGeometry& g) {
  Contour c;
  switch (g.kind) {
    case MaskGeometry::Rect:
      c = RectContour(g);
      break;
    case MaskGeometry::Ellipse:
      c = EllipseContour(g);
      break;
    case MaskGeometry::Polygon:
      c = g.points;
      break;
    case MaskGeometry::Line:
      c = {{g.v[0], g.v[1]}, {g.v[2], g.v[3]}};
      break;
    default:
      break;
  }
  if (SignedArea(c) < 0.0) std::reverse(c.begin(), c.end());
  return c;
}

Contour Resample(const Contour& in, size_t n) {
  Contour out;
  if (in.empty()) return Contour(n, TPoint());
  // Start at the topmost, then leftmost point.
  size_t start = 0;
  for (size_t i = 1; i < in.size(); ++i)
    if (in[i].y < in[start].y || (in[i].y == in[start].y && in[i].x < in[start].x)) start = i;
  Contour c(in.begin() + static_cast<std::ptrdiff_t>(start), in.end());
  c.insert(c.end(), in.begin(), in.begin() + static_cast<std::ptrdiff_t>(start));
  std::vector<double> cumulative(c.size() + 1, 0.0);
  for (size_t i = 0; i < c.size(); ++i) {
    const TPoint& p = c[i];
    const TPoint& q = c[(i + 1) % c.size()];
    cumulative[i + 1] = cumulative[i] + std::hypot(q.x - p.x, q.y - p.y);
  }
  const double total = cumulative.back();
  if (total <= 0.0) return Contour(n, c.front());
  size_t seg = 0;
  for (size_t k = 0; k < n; ++k) {
    const double d = total * static_cast<double>(k) / static_cast<double>(n);
    while (seg + 1 < c.size() && cumulative[seg + 1] <= d) ++seg;
    const double len = cumulative[seg + 1] - cumulative[seg];
    const double u = len > 0.0 ? (d - cumulative[seg]) / len : 0.0;
    const TPoint& p = c[seg];
    const TPoint& q = c[(seg + 1) % c.size()];
    out.push_back({Lerp(p.x, q.x, u), Lerp(p.y, q.y, u)});
  }
  return out;
}

MaskGeometry LerpPolygons(const Contour& a, const Contour& b, double t) {
  Contour c(a.size());
  for (size_t i = 0; i < a.size(); ++i) c[i] = {Lerp(a[i].x, b[i].x, t), Lerp(a[i].y, b[i].y, t)};
  return MaskGeometry::MakePolygon(c);
}

bool Centre(const MaskGeometry& g, double& cx, double& cy) {
  double b[4];
  if (!GeometryBounds(g, b)) return false;
  cx = (b[0] + b[2]) * 0.5;
  cy = (b[1] + b[3]) * 0.5;
  return true;
}

MaskGeometry Grow(const MaskGeometry& g, double s) {
  double cx, cy;
  if (!Centre(g, cx, cy)) return MaskGeometry();
  return ScaleAbout(g, cx, cy, s);
}

MaskGeometry InterpolateLeaves(const MaskGeometry& a, const MaskGeometry& b, double t) {
  if (a.kind == b.kind && a.kind != MaskGeometry::Polygon) {
    MaskGeometry g = a;
    for (int i = 0; i < 4; ++i) g.v[i] = Lerp(a.v[i], b.v[i], t);
    return g;
  }
  const bool polyA = a.kind == MaskGeometry::Polygon || a.kind == MaskGeometry::Rect;
  const bool polyB = b.kind == MaskGeometry::Polygon || b.kind == MaskGeometry::Rect;
  if (polyA && polyB) {
    const Contour pa = a.kind == MaskGeometry::Rect ? RectContour(a) : a.points;
    const Contour pb = b.kind == MaskGeometry::Rect ? RectContour(b) : b.points;
    if (pa.size() == pb.size()) return LerpPolygons(pa, pb, t);
  }
  const Contour oa = LeafOutline(a), ob = LeafOutline(b);
  const size_t n = std::max<size_t>(64, std::max(oa.size(), ob.size()));
  return LerpPolygons(Resample(oa, n), Resample(ob, n), t);
}

}  // namespace

MaskGeometry MaskGeometry::MakeRect(double l, double t, double r, double b) {
  MaskGeometry g;
  g.kind = Rect;
  g.v[0] = l, g.v[1] = t, g.v[2] = r, g.v[3] = b;
  return g;
}

MaskGeometry MaskGeometry::MakeEllipse(double cx, double cy, double rx, double ry) {
  MaskGeometry g;
  g.kind = Ellipse;
  g.v[0] = cx, g.v[1] = cy, g.v[2] = rx, g.v[3] = ry;
  return g;
}

MaskGeometry MaskGeometry::MakeLine(double x1, double y1, double x2, double y2) {
  MaskGeometry g;
  g.kind = Line;
  g.v[0] = x1, g.v[1] = y1, g.v[2] = x2, g.v[3] = y2;
  return g;
}

MaskGeometry MaskGeometry::MakePolygon(const std::vector<Kinefold::TPoint>& points) {
  MaskGeometry g;
  g.kind = Polygon;
  g.points = points;
  return g;
}

MaskGeometry MaskGeometry::MakeGroup(const std::vector<MaskGeometry>& children) {
  MaskGeometry g;
  g.kind = Group;
  g.children = children;
  return g;
}

bool IsFinite(const MaskGeometry& geometry) {
  for (double v : geometry.v)
    if (!std::isfinite(v)) return false;
  for (const TPoint& p : geometry.points)
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
  for (const MaskGeometry& child : geometry.children)
    if (!IsFinite(child)) return false;
  return true;
}

std::vector<Contour> Outline(const MaskGeometry& geometry) {
  std::vector<Contour> out;
  OutlineInto(geometry, out);
  return out;
}

bool Contains(const std::vector<Contour>& contours, double x, double y) {
  bool inside = false;
  for (const Contour& c : contours) {
    if (c.size() < 3) continue;
    for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
      const TPoint& p = c[i];
      const TPoint& q = c[j];
      if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x)
        inside = !inside;
    }
  }
  return inside;
}

bool GeometryBounds(const MaskGeometry& g, double out[4]) {
  auto set = [&](double l, double t, double r, double b) {
    out[0] = std::min(l, r), out[1] = std::min(t, b);
    out[2] = std::max(l, r), out[3] = std::max(t, b);
    return true;
  };
  switch (g.kind) {
    case MaskGeometry::Empty:
      return false;
    case MaskGeometry::Rect:
    case MaskGeometry::Line:
      return set(g.v[0], g.v[1], g.v[2], g.v[3]);
    case MaskGeometry::Ellipse:
      return set(g.v[0] - std::fabs(g.v[2]), g.v[1] - std::fabs(g.v[3]), g.v[0] + std::fabs(g.v[2]),
                 g.v[1] + std::fabs(g.v[3]));
    case MaskGeometry::Polygon: {
      if (g.points.empty()) return false;
      double b[4] = {g.points[0].x, g.points[0].y, g.points[0].x, g.points[0].y};
      for (const TPoint& p : g.points) {
        b[0] = std::min(b[0], p.x), b[1] = std::min(b[1], p.y);
        b[2] = std::max(b[2], p.x), b[3] = std::max(b[3], p.y);
      }
      return set(b[0], b[1], b[2], b[3]);
    }
    case MaskGeometry::Group: {
      bool any = false;
      for (const MaskGeometry& child : g.children) {
        double b[4];
        if (!GeometryBounds(child, b)) continue;
        if (!any) {
          std::copy(b, b + 4, out);
          any = true;
          continue;
        }
        out[0] = std::min(out[0], b[0]), out[1] = std::min(out[1], b[1]);
        out[2] = std::max(out[2], b[2]), out[3] = std::max(out[3], b[3]);
      }
      return any;
    }
  }
  return false;
}

MaskGeometry ScaleAbout(const MaskGeometry& geometry, double cx, double cy, double s) {
  MaskGeometry g = geometry;
  auto px = [&](double x) { return cx + (x - cx) * s; };
  auto py = [&](double y) { return cy + (y - cy) * s; };
  switch (g.kind) {
    case MaskGeometry::Rect:
    case MaskGeometry::Line:
      g.v[0] = px(g.v[0]), g.v[1] = py(g.v[1]), g.v[2] = px(g.v[2]), g.v[3] = py(g.v[3]);
      break;
    case MaskGeometry::Ellipse:
      g.v[0] = px(g.v[0]), g.v[1] = py(g.v[1]), g.v[2] *= s, g.v[3] *= s;
      break;
    case MaskGeometry::Polygon:
      for (TPoint& p : g.points) p = {px(p.x), py(p.y)};
      break;
    case MaskGeometry::Group:
      for (MaskGeometry& child : g.children) child = ScaleAbout(child, cx, cy, s);
      break;
    case MaskGeometry::Empty:
      break;
  }
  return g;
}

MaskGeometry Interpolate(const MaskGeometry& from, const MaskGeometry& to, double t) {
  if (t <= 0.0) return from;
  if (t >= 1.0) return to;
  if (from.kind == MaskGeometry::Empty) return Grow(to, t);
  if (to.kind == MaskGeometry::Empty) return Grow(from, 1.0 - t);
  if (from.kind == MaskGeometry::Group || to.kind == MaskGeometry::Group) {
    const std::vector<MaskGeometry> a =
        from.kind == MaskGeometry::Group ? from.children : std::vector<MaskGeometry>{from};
    const std::vector<MaskGeometry> b =
        to.kind == MaskGeometry::Group ? to.children : std::vector<MaskGeometry>{to};
    std::vector<MaskGeometry> children;
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) children.push_back(Interpolate(a[i], b[i], t));
    for (size_t i = common; i < a.size(); ++i) children.push_back(Grow(a[i], 1.0 - t));
    for (size_t i = common; i < b.size(); ++i) children.push_back(Grow(b[i], t));
    return MaskGeometry::MakeGroup(children);
  }
  return InterpolateLeaves(from, to, t);
}

}  // namespace platform
