#include "agents/TransformOps.h"

#include <cmath>
#include <limits>

namespace transform {

boost::shared_ptr<IShapeContext> ShapeContextOf(const boost::shared_ptr<IScreenObject>& context) {
  if (boost::shared_ptr<IShapeTarget> target = QueryAs<IShapeTarget>(context, eIidShapeTarget))
    return target;
  return QueryAs<IShapeContext>(context, eIidScreenShape9);
}

void MapPoint(const double* m, double x, double y, double& outX, double& outY) {
  outX = m[kA] * x + m[kC] * y + m[kTx];
  outY = m[kB] * x + m[kD] * y + m[kTy];
}

void ScaleAbout(double* m, double sx, double sy, double x, double y) {
  m[kTx] = sx * (m[kTx] - x) + x;
  m[kTy] = sy * (m[kTy] - y) + y;
  m[kA] *= sx;
  m[kC] *= sx;
  m[kB] *= sy;
  m[kD] *= sy;
}

void RotateAbout(double* m, double radians, double x, double y) {
  // Values this close to 0 are 0, so that quarter turns are exact.
  double s = std::sin(radians);
  double k = std::cos(radians);
  if (std::fabs(s) < 0.0001) s = 0.0;
  if (std::fabs(k) < 0.0001) k = 0.0;
  const double tx = m[kTx], ty = m[kTy], a = m[kA], b = m[kB], c = m[kC], d = m[kD];
  m[kB] = b * k + a * s;
  m[kA] = a * k - b * s;
  m[kC] = c * k - d * s;
  m[kD] = d * k + c * s;
  m[kTx] = tx * k - ty * s + (1.0 - k) * x + s * y;
  m[kTy] = ty * k + tx * s + (1.0 - k) * y - s * x;
}

int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  if (value >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

}  // namespace transform
