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

template <class P>
Point At(const P& path, double distance) {
  Point p{-1, -1};
  path.GetPoint(distance, p.x, p.y);
  return p;
}

// Points along lines and paths, within their length, before it and past it.
TEST(Paths, PointsAlong) {
  const Kinefold::StraightLine line(0, 0, 30, 40), dot(7, 8, 7, 8);
  const SimplePath relative(0, 0, 0.5, 0.25, kShape, kSlide, false);
  const SimplePath absolute(0, 0, 0.5, 0.25, kShape, kSlide, true);
  const MotionPath straight(L"M 0 0 L 0.25 0 E", kShape, kSlide, false);
  const MotionPath corner(L"M 0 0 L 0.25 0 L 0.25 0.5", kShape, kSlide, false);
  const MotionPath still(L"M 0.5 0.5 E", kShape, kSlide, false);  // a move alone
  EXPECT_EQ(line.GetLength(), 50.0);
  EXPECT_DOUBLE_EQ(relative.GetLength(), std::hypot(360.0, 135.0));
  EXPECT_EQ(still.GetLength(), 0.0);
  const struct {
    const char* name;
    Point at, expected;
  } rows[] = {
      {"line half way", At(line, 25), {15, 20}},
      {"line extrapolates", At(line, 100), {60, 80}},
      {"a line of no length stays", At(dot, 10), {7, 8}},
      {"relative from the shape's centre", At(relative, 0), {150, 200}},
      {"relative end", At(relative, relative.GetLength()), {510, 335}},
      {"absolute from the slide's corner", At(absolute, absolute.GetLength() / 2), {180, 67.5}},
      {"half the first leg", At(corner, 90), {240, 200}},
      {"half the second leg", At(corner, 315), {330, 335}},
      {"before the start", At(straight, -20), {150, 200}},
      {"past the end", At(straight, 1000), {330, 200}},
      {"a path without segments stays at its start", At(still, 5), {510, 470}},
  };
  for (const auto& row : rows) {
    EXPECT_NEAR(row.at.x, row.expected.x, 1e-9) << row.name;
    EXPECT_NEAR(row.at.y, row.expected.y, 1e-9) << row.name;
  }
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
    const Point end = At(path, path.GetLength());
    EXPECT_NEAR(path.GetLength(), row.length, 1e-3) << path.GetExpression();
    EXPECT_NEAR(std::hypot(end.x - row.end.x, end.y - row.end.y), 0, 1e-9) << path.GetExpression();
  }
}

TEST(MotionPath, CurvesAreWalkedAtConstantSpeed) {
  // A quarter circle of radius 0.5 of a square slide, as a cubic whose
  // control points lie 0.5 x 0.5523 along the tangents.
  const TPathRect square{0, 0, 1000, 1000};
  MotionPath path(L"M 0.5 0 C 0.5 0.276142 0.276142 0.5 0 0.5 E", square, square, true);
  EXPECT_NEAR(path.GetLength(), kPi / 2 * 500, 0.5);
  for (double f : {0.25, 0.5, 0.75}) {
    const Point p = At(path, path.GetLength() * f);
    EXPECT_NEAR(std::hypot(p.x, p.y), 500, 0.2) << f;
    EXPECT_NEAR(std::atan2(p.y, p.x), f * kPi / 2, 2e-3) << f;
  }
  // A relative curve is the same curve moved to the current point.
  MotionPath moved(L"M 0.5 0 c 0 0.276142 -0.223858 0.5 -0.5 0.5", square, square, true);
  EXPECT_NEAR(moved.GetLength(), path.GetLength(), 1e-3);
}

TEST(MotionPath, MalformedTextGivesAStillPath) {
  for (const wchar_t* text :
       {L"", L"E", L"M 0 0 L 0.5", L"M 0 0 X 1 1", L"0 0 L 1 1", L"M 0 0 Z 3", L"M 1e999 0 L 0 0",
        L"M - 0 L 1 1", L"M 0 0 C 1 2 3 4 5", L"M 0 0 L 1e306 0", L"L 0 -1e308 L 0 -1e308"}) {
    MotionPath path(text, kShape, kSlide, false);
    const Point p = At(path, 10);
    EXPECT_EQ(std::make_tuple(path.GetLength(), p.x, p.y), std::make_tuple(0.0, 150.0, 200.0))
        << text;
  }
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

}  // namespace
