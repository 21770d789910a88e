#include <gtest/gtest.h>

#include <cmath>

#include "path/Path.h"

namespace {

using Kinefold::MotionPath;
using Kinefold::SimplePath;
using Kinefold::TPathRect;

const double kPi = 3.141592653589793;
const TPathRect kSlide{0, 0, 720, 540};
const TPathRect kShape{100, 100, 200, 300};  // centre (150, 200)

struct Point {
  double x, y;
};

Point At(const Kinefold::Path& path, double distance) {
  Point p{-1, -1};
  path.GetPoint(distance, p.x, p.y);
  return p;
}

TEST(StraightLine, WalksAndExtrapolates) {
  Kinefold::StraightLine line(0, 0, 30, 40);
  EXPECT_EQ(line.GetLength(), 50.0);
  double x = 0, y = 0;
  line.GetPoint(25, x, y);
  EXPECT_EQ(x, 15.0);
  EXPECT_EQ(y, 20.0);
  line.GetPoint(100, x, y);
  EXPECT_EQ(x, 60.0);
  Kinefold::StraightLine dot(7, 8, 7, 8);
  dot.GetPoint(10, x, y);
  EXPECT_EQ(x, 7.0);
  EXPECT_EQ(y, 8.0);
}

TEST(SimplePath, PlacesFractionsAroundTheShapeCentre) {
  SimplePath relative(0, 0, 0.5, 0.25, kShape, kSlide, false);
  EXPECT_DOUBLE_EQ(relative.GetLength(), std::hypot(360.0, 135.0));
  EXPECT_DOUBLE_EQ(At(relative, 0).x, 150);
  EXPECT_DOUBLE_EQ(At(relative, 0).y, 200);
  EXPECT_DOUBLE_EQ(At(relative, relative.GetLength()).x, 510);
  EXPECT_DOUBLE_EQ(At(relative, relative.GetLength()).y, 335);

  SimplePath absolute(0, 0, 0.5, 0.25, kShape, kSlide, true);
  EXPECT_DOUBLE_EQ(At(absolute, absolute.GetLength() / 2).x, 180);
  EXPECT_DOUBLE_EQ(At(absolute, absolute.GetLength() / 2).y, 67.5);
}

TEST(MotionPath, LinesAbsoluteAndRelative) {
  const struct {
    const wchar_t* text;
    double length;
    Point end;
  } rows[] = {
      {L"M 0 0 L 0.25 0 E", 180, {330, 200}},
      {L"M0,0L0.25,0L0.25,0.5E", 450, {330, 470}},
      {L"m 0 0 l 0.25 0 l 0 0.5 e", 450, {330, 470}},
      {L"M 0 0 L 0.25 0 0.25 0.5", 450, {330, 470}},  // coordinates repeat the line
      {L"M 0 0 L 0.25 0 L 0.25 0.5 Z", 450 + std::hypot(180, 270), {150, 200}},
      {L"M 0.1 0 M 0 0 L 2.5E-1 0 E", 180, {330, 200}},  // exponent, then end
      {L"M -4.16667E-6 0 L 0.25 0 E", 180.003, {330, 200}},
  };
  for (const auto& row : rows) {
    MotionPath path(row.text, kShape, kSlide, false);
    EXPECT_NEAR(path.GetLength(), row.length, 1e-3) << path.GetExpression();
    Point end = At(path, path.GetLength());
    EXPECT_NEAR(end.x, row.end.x, 1e-9) << path.GetExpression();
    EXPECT_NEAR(end.y, row.end.y, 1e-9) << path.GetExpression();
  }
  MotionPath corner(L"M 0 0 L 0.25 0 L 0.25 0.5", kShape, kSlide, false);
  EXPECT_NEAR(At(corner, 90).x, 240, 1e-9);   // half of the first leg
  EXPECT_NEAR(At(corner, 315).y, 335, 1e-9);  // half of the second
}

TEST(MotionPath, CurvesAreWalkedAtConstantSpeed) {
  // A quarter circle of radius 0.5 of a square slide, as a cubic.
  const double k = 0.5 * 0.5522847498;
  std::wstring text =
      L"M 0.5 0 C 0.5 " + std::to_wstring(k) + L" " + std::to_wstring(k) + L" 0.5 0 0.5 E";
  const TPathRect square{0, 0, 1000, 1000};
  MotionPath path(text, square, square, true);
  const double radius = 500;
  EXPECT_NEAR(path.GetLength(), kPi / 2 * radius, 0.5);
  for (double f : {0.25, 0.5, 0.75}) {
    Point p = At(path, path.GetLength() * f);
    const double angle = std::atan2(p.y, p.x);
    EXPECT_NEAR(std::hypot(p.x, p.y), radius, 0.2) << f;
    EXPECT_NEAR(angle, f * kPi / 2, 2e-3) << f;
  }
  // A relative curve is the same curve moved to the current point.
  std::wstring relative =
      L"M 0.5 0 c 0 " + std::to_wstring(k) + L" " + std::to_wstring(k - 0.5) + L" 0.5 -0.5 0.5";
  MotionPath moved(relative, square, square, true);
  EXPECT_NEAR(moved.GetLength(), path.GetLength(), 1e-3);
}

TEST(MotionPath, MalformedTextGivesAStillPath) {
  for (const wchar_t* text :
       {L"", L"E", L"M 0 0 L 0.5", L"M 0 0 X 1 1", L"0 0 L 1 1", L"M 0 0 Z 3", L"M 1e999 0 L 0 0",
        L"M - 0 L 1 1", L"M 0 0 C 1 2 3 4 5", L"M 0 0 L 1e306 0", L"L 0 -1e308 L 0 -1e308"}) {
    MotionPath path(text, kShape, kSlide, false);
    EXPECT_EQ(path.GetLength(), 0.0) << text;
    Point p = At(path, 10);
    EXPECT_EQ(p.x, 150.0) << text;
    EXPECT_EQ(p.y, 200.0) << text;
  }
  // A move alone is a path without segments that stays at its start.
  MotionPath still(L"M 0.5 0.5 E", kShape, kSlide, false);
  EXPECT_EQ(still.GetLength(), 0.0);
  EXPECT_DOUBLE_EQ(At(still, 5).x, 510);
}

// The slide's budget is shared by its paths; once it is spent, the rest of a
// path is one chord to its end, however long its text.
TEST(MotionPath, ASpentSlideBudgetJoinsTheRestIntoAChord) {
  size_t left = 3;
  MotionPath first(L"M 0 0 L 0.1 0 L 0.2 0 L 0.3 0", kShape, kSlide, false, &left);
  EXPECT_EQ(left, 0u);
  EXPECT_DOUBLE_EQ(first.GetLength(), 0.3 * 720);
  MotionPath second(L"M 0 0 L 0.1 0 L 0.1 0.1 C 0 0 1 1 0.2 0.3", kShape, kSlide, false, &left);
  EXPECT_DOUBLE_EQ(second.GetLength(), std::hypot(0.2 * 720, 0.3 * 540));
  EXPECT_DOUBLE_EQ(At(second, 1e9).x, 150 + 0.2 * 720);
  EXPECT_EQ(left, 0u);
}

TEST(MotionPath, DistancesOutsideThePathStayAtItsEnds) {
  MotionPath path(L"M 0 0 L 0.25 0 E", kShape, kSlide, false);
  EXPECT_DOUBLE_EQ(At(path, -20).x, 150);
  EXPECT_DOUBLE_EQ(At(path, 1000).x, 330);
}

}  // namespace
