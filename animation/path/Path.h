// Motion paths: a line in slide coordinates placed from a description whose
// coordinates are fractions of the slide.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "path/Line.h"

namespace Kinefold {

// Left, top, right, bottom.
struct TPathRect {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
};

class Path {
 public:
  Path(const TPathRect& originRect, const TPathRect& scaleRect, bool absolute)
      : scaleRect_(scaleRect), originRect_(originRect), absolute_(absolute) {}
  virtual ~Path() {}
  Path(const Path&) = delete;
  Path& operator=(const Path&) = delete;

  // Leaves x and y as they are when the path has no line.
  virtual void GetPoint(double distance, double& x, double& y) const {
    if (line_) line_->GetPoint(distance, x, y);
  }
  double GetLength() const { return line_ ? line_->GetLength() : 0.0; }
  const Line* GetLine() const { return line_.get(); }
  bool IsAbsolute() const { return absolute_; }

  // Places a point given in fractions of the scale rectangle: relative to the
  // centre of the origin rectangle, or to the slide's corner when absolute.
  void Place(double fx, double fy, double& x, double& y) const {
    const double w = std::fabs(scaleRect_.right - scaleRect_.left);
    const double h = std::fabs(scaleRect_.bottom - scaleRect_.top);
    double ox = 0.0;
    double oy = 0.0;
    if (!absolute_) {
      ox = originRect_.left + std::fabs(originRect_.right - originRect_.left) * 0.5;
      oy = originRect_.top + std::fabs(originRect_.bottom - originRect_.top) * 0.5;
    }
    x = w * fx + ox;
    y = h * fy + oy;
  }

 protected:
  void SetLine(std::unique_ptr<Line> line) { line_ = std::move(line); }

 private:
  std::unique_ptr<Line> line_;
  TPathRect scaleRect_;
  TPathRect originRect_;
  bool absolute_;
};

// A straight move from one point to another.
class SimplePath : public Path {
 public:
  SimplePath(double fromX, double fromY, double toX, double toY, const TPathRect& originRect,
             const TPathRect& scaleRect, bool absolute);
};

// A path given in the motion-path syntax (see docs/motion-paths.md).
// `slideSegments`, when given, counts the straight segments that the motion
// paths of the whole slide may still take; every text unit parses its own
// copy of a path, so one path's own limit does not bound a slide. Once it is
// spent, the rest of a path is one chord to its end.
class MotionPath : public Path {
 public:
  MotionPath(const std::wstring& expression, const TPathRect& originRect,
             const TPathRect& scaleRect, bool absolute, size_t* slideSegments = nullptr);

  const std::wstring& GetExpression() const { return expression_; }
  size_t* SlideSegments() const { return slideSegments_; }

  // Builds the line from the expression; defined by the common library.
  void ParseExpr();

 private:
  std::wstring expression_;
  size_t* slideSegments_;
};

}  // namespace Kinefold
