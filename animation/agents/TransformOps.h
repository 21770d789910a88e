// The frame transform of a screen object and the two changes the transform
// agents make to it. A transform is six doubles tx, ty, b, c, a, d mapping
// (x, y) to (a*x + c*y + tx, b*x + d*y + ty).
#pragma once

#include <boost/shared_ptr.hpp>

#include "host/Screen.h"

namespace transform {

enum Index { kTx = 0, kTy = 1, kB = 2, kC = 3, kA = 4, kD = 5 };

// The context's transform and colour transform: through its shape-target
// interface when it has one, else through its plain shape interface.
boost::shared_ptr<IShapeContext> ShapeContextOf(const boost::shared_ptr<IScreenObject>& context);

void MapPoint(const double* m, double x, double y, double& outX, double& outY);

// Both changes act after the existing transform, about the point (x, y) in
// the coordinates the shape is drawn in.
void ScaleAbout(double* m, double sx, double sy, double x, double y);
void RotateAbout(double* m, double radians, double x, double y);

// Truncates toward zero into an int; NaN reads 0 and values beyond the range
// stop at its ends.
int TruncToInt(double value);

}  // namespace transform
