// Parses arbitrary input as motion path text and walks the path.
//
// The first byte chooses how the rest becomes a wide string, as in the formula
// target: an even byte takes one character per byte, an odd byte takes raw
// wchar_t units. The second byte chooses a relative or an absolute path.
//
// Besides the sanitizers, the target checks that a path's length is never
// negative or NaN and that every point on it is a number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "WideInput.h"
#include "path/Path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const bool rawUnits = (data[0] & 1) != 0;
  const bool absolute = (data[1] & 1) != 0;
  data += 2;
  size -= 2;

  const std::wstring text = fuzz::WideInput(rawUnits, data, size);

  const Kinefold::TPathRect shape{100.0, 50.0, 300.0, 250.0};
  const Kinefold::TPathRect slide{0.0, 0.0, 1280.0, 720.0};
  Kinefold::MotionPath path(text, shape, slide, absolute);
  const double length = path.GetLength();
  if (std::isnan(length) || length < 0.0) __builtin_trap();
  for (int i = -1; i <= 9; ++i) {
    double x = 0.0, y = 0.0;
    path.GetPoint(length * i / 8.0, x, y);
    if (std::isfinite(length) && (std::isnan(x) || std::isnan(y))) __builtin_trap();
  }
  return 0;
}
