#include "publisher/ColorMath.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

uint32_t Channel(double value) {
  return static_cast<uint32_t>(std::lround(std::min(255.0, std::max(0.0, value))));
}

double HueChannel(double p, double q, double t) {
  if (t < 0.0) t += 1.0;
  if (t > 1.0) t -= 1.0;
  if (t < 1.0 / 6.0) return p + (q - p) * 6.0 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3.0) return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
  return p;
}

}  // namespace

Kinefold::TColor ApplyMatrix(const Kinefold::TColor& c, const Kinefold::TColorMatrix& m) {
  Kinefold::TColor out;
  out.red = Channel(c.red * m.redMul + m.redAdd);
  out.green = Channel(c.green * m.greenMul + m.greenAdd);
  out.blue = Channel(c.blue * m.blueMul + m.blueAdd);
  out.alpha = Channel(c.alpha * m.alphaMul + m.alphaAdd);
  return out;
}

Kinefold::TColorMatrix Compose(const Kinefold::TColorMatrix& a, const Kinefold::TColorMatrix& b) {
  Kinefold::TColorMatrix m;
  m.alphaMul = a.alphaMul * b.alphaMul;
  m.redMul = a.redMul * b.redMul;
  m.greenMul = a.greenMul * b.greenMul;
  m.blueMul = a.blueMul * b.blueMul;
  m.alphaAdd = static_cast<int32_t>(std::lround(a.alphaAdd * b.alphaMul + b.alphaAdd));
  m.redAdd = static_cast<int32_t>(std::lround(a.redAdd * b.redMul + b.redAdd));
  m.greenAdd = static_cast<int32_t>(std::lround(a.greenAdd * b.greenMul + b.greenAdd));
  m.blueAdd = static_cast<int32_t>(std::lround(a.blueAdd * b.blueMul + b.blueAdd));
  return m;
}

Kinefold::TColor ShiftHsl(const Kinefold::TColor& colour, double dh, double ds, double dl) {
  const double r = colour.red / 255.0, g = colour.green / 255.0, b = colour.blue / 255.0;
  const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
  double h = 0.0, s = 0.0;
  double l = (hi + lo) * 0.5;
  if (hi > lo) {
    const double d = hi - lo;
    s = l < 0.5 ? d / (hi + lo) : d / (2.0 - hi - lo);
    if (hi == r)
      h = (g - b) / d;
    else if (hi == g)
      h = (b - r) / d + 2.0;
    else
      h = (r - g) / d + 4.0;
    h *= 60.0;
  }
  h = std::fmod(h + dh, 360.0);
  if (h < 0.0) h += 360.0;
  s = std::min(1.0, std::max(0.0, s + ds / 100.0));
  l = std::min(1.0, std::max(0.0, l + dl / 100.0));

  Kinefold::TColor out;
  out.alpha = colour.alpha;
  if (s <= 0.0) {
    out.red = out.green = out.blue = Channel(l * 255.0);
    return out;
  }
  const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double p = 2.0 * l - q;
  const double hn = h / 360.0;
  out.red = Channel(HueChannel(p, q, hn + 1.0 / 3.0) * 255.0);
  out.green = Channel(HueChannel(p, q, hn) * 255.0);
  out.blue = Channel(HueChannel(p, q, hn - 1.0 / 3.0) * 255.0);
  return out;
}

}  // namespace platform
