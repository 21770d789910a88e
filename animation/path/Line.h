// Lines that a motion walks by distance. Everything here is inline: the
// common library derives its own line (the flattened parsed path) from Line.
#pragma once

#include <cmath>

namespace Kinefold {

class Line {
 public:
  virtual double GetLength() const = 0;
  // The point at distance `distance` from the line's start.
  virtual void GetPoint(double distance, double& x, double& y) const = 0;
  virtual ~Line() {}
};

class StraightLine : public Line {
 public:
  StraightLine(double x1, double y1, double x2, double y2)
      : x1_(x1),
        y1_(y1),
        x2_(x2),
        y2_(y2),
        length_(std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1))) {}

  double GetLength() const override { return length_; }
  // Distances outside [0, length] extrapolate along the line.
  void GetPoint(double distance, double& x, double& y) const override {
    if (length_ == 0.0) {
      x = x1_;
      y = y1_;
      return;
    }
    const double f = distance / length_;
    x = x1_ + (x2_ - x1_) * f;
    y = y1_ + (y2_ - y1_) * f;
  }

 private:
  double x1_, y1_, x2_, y2_;
  double length_;
};

}  // namespace Kinefold
