#include "path/Path.h"

namespace Kinefold {

SimplePath::SimplePath(double fromX, double fromY, double toX, double toY,
                       const TPathRect& originRect, const TPathRect& scaleRect, bool absolute)
    : Path(originRect, scaleRect, absolute) {
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
  Place(fromX, fromY, x1, y1);
  Place(toX, toY, x2, y2);
  SetLine(std::make_unique<StraightLine>(x1, y1, x2, y2));
}

MotionPath::MotionPath(const std::wstring& expression, const TPathRect& originRect,
                       const TPathRect& scaleRect, bool absolute, size_t* slideSegments)
    : Path(originRect, scaleRect, absolute),
      expression_(expression),
      slideSegments_(slideSegments) {
  ParseExpr();
}

}  // namespace Kinefold
