// The pieces charts are drawn with: plain shapes, lines, polygons and text
// boxes in slide units, the room text takes, number formats and the steps
// of a value axis.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Shape.h"

namespace pptx {

using ChartPart = boost::shared_ptr<platform::Shape>;

ChartPart RectPart(double x, double y, double w, double h);
ChartPart LinePart(double x0, double y0, double x1, double y1, const platform::LineStyle& line);
ChartPart PolygonPart(const std::vector<std::pair<double, double>>& points, bool closed);

// A text box without insets: one paragraph (lines broken at '\n'), aligned
// in the box and anchored to its middle unless told; wrapped when `wrap`.
ChartPart TextPart(double x, double y, double w, double h, const std::wstring& text,
                   const platform::CharProps& props, platform::TextAlign align, bool wrap = false,
                   platform::TextAnchor anchor = platform::TextAnchor::Middle);

// Estimated room of a line of text: its width and its line height, slide units.
double TextWidth(const std::wstring& text, const platform::CharProps& props);
double LineHeight(const platform::CharProps& props);
// The lines a text takes when wrapped at blanks to `width`; 0 when a word is
// wider than that.
int WrappedLines(const std::wstring& text, const platform::CharProps& props, double width);

// A number written in a simple number format: "General", "0", "0.0",
// "#,##0", "0%", "$#,##0.00" and the like (the first section; literal text
// kept). Dates and the like are written as "General" (ten digits at most).
std::wstring FormatNumber(double value, const std::string& format);

// A value axis's range and step: [low, high] covers the values in whole
// steps of 1, 2 or 5 times a power of ten, at most `maxSteps` of them.
struct AxisScale {
  double low = 0, high = 1, step = 0.2;
};
AxisScale NiceScale(double dataLow, double dataHigh, int maxSteps);

}  // namespace pptx
