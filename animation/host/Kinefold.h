// Value types shared with the host: points, colours and colour transforms.
#pragma once

#include <cstdint>

namespace Kinefold {

struct TPoint {
  double x = 0.0;
  double y = 0.0;
};

// Components on the 0..255 scale.
struct TColor {
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
  uint32_t alpha = 0;
};

// A channel is drawn as value * multiplier + offset (0..255 scale).
// Both groups are in the order alpha, red, green, blue.
struct TColorMatrix {
  double alphaMul = 1.0;
  double redMul = 1.0;
  double greenMul = 1.0;
  double blueMul = 1.0;
  int32_t alphaAdd = 0;
  int32_t redAdd = 0;
  int32_t greenAdd = 0;
  int32_t blueAdd = 0;
};

inline bool operator==(const TPoint& a, const TPoint& b) {
  return a.x == b.x && a.y == b.y;
}
inline bool operator==(const TColor& a, const TColor& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}
inline bool operator==(const TColorMatrix& a, const TColorMatrix& b) {
  return a.alphaMul == b.alphaMul && a.redMul == b.redMul && a.greenMul == b.greenMul &&
         a.blueMul == b.blueMul && a.alphaAdd == b.alphaAdd && a.redAdd == b.redAdd &&
         a.greenAdd == b.greenAdd && a.blueAdd == b.blueAdd;
}
inline bool operator!=(const TColorMatrix& a, const TColorMatrix& b) {
  return !(a == b);
}

}  // namespace Kinefold
