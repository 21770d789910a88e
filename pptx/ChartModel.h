// What a chart part (c:chartSpace) says about how its first chart looks: the
// cached values and categories, the series' colours, the title, the legend,
// the axes and where the plot area sits. The chart reader fills it in; the
// chart builder turns it into shapes.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/Shape.h"

namespace pptx {

// A box as fractions of the chart's frame (c:manualLayout in edge mode).
struct ChartBox {
  double x = 0, y = 0, w = 0, h = 0;
};

// A point's mark on a line: "square", "circle", "diamond", "triangle", "x",
// "plus", "star", "dash", "dot", or "none".
struct ChartMarker {
  std::string symbol = "none";
  double size = 5;  // points
  platform::FillStyle fill;
  platform::LineStyle line;
};

// One chart of the plot area (c:barChart, c:lineChart ...): its series share
// the way they are drawn.
struct ChartGroup {
  std::string kind;                    // "bar", "line", "area", "pie", "doughnut"
  std::string grouping = "clustered";  // "stacked", "percentStacked", "standard"
  double gapWidth = 150, overlap = 0;  // percent of a bar's width
};

// What a data label shows.
struct ChartLabel {
  bool value = false, category = false, series = false, percent = false;
  std::string separator = ", ";
  bool Shown() const { return value || category || series || percent; }
};

struct ChartSeries {
  size_t group = 0;  // index into ChartModel::groups
  std::wstring name;
  bool named = false;                         // the name is the chart's, not made up
  std::vector<std::optional<double>> values;  // unset where the cache has no point
  std::string format;                         // the values' number format
  platform::FillStyle fill;                   // bars, areas, slices
  platform::LineStyle line;                   // lines; the outline of bars and slices
  std::vector<std::pair<size_t, platform::FillStyle>> pointFills;  // c:dPt
  ChartLabel label;                                                // c:dLbls
  std::vector<std::pair<size_t, ChartLabel>> pointLabels;          // c:dLbl
  std::string labelPosition;                                       // c:dLblPos
  std::string labelFormat;                                         // empty: the values'
  platform::CharProps labelText;
  ChartMarker marker;
  std::vector<size_t> unmarked;  // points whose marker is turned off
};

struct ChartAxis {
  bool present = false;  // the chart has such an axis
  bool deleted = false;  // present but not drawn (its gridlines still are)
  bool labels = true;    // tickLblPos is not "none"
  bool reversed = false;
  std::string position;  // axPos: "b", "l", "t", "r"
  bool gridlines = false;
  platform::LineStyle grid;
  platform::LineStyle line;
  platform::CharProps text;
  std::optional<double> rotation;  // degrees, from txPr's bodyPr rot
  std::optional<double> min, max, majorUnit;
  std::string format;  // empty or "General": as the values or the scale go
};

struct ChartModel {
  std::string kind;  // the first chart's: "bar", "line", "area", "pie", "doughnut"
  bool horizontal = false;
  std::vector<ChartGroup> groups;  // a pie stands alone; the others may share the axes
  bool varyColours = false;        // one colour per point (pies)
  double holeSize = 50;            // a doughnut's hole, percent of its radius
  std::vector<std::wstring> categories;
  std::vector<ChartSeries> series;
  std::vector<Kinefold::TColor> accents;  // the theme's, for one colour per point

  bool hasTitle = false;
  std::vector<platform::Paragraph> title;
  std::optional<ChartBox> titleBox;  // only its corner is used
  bool titleOverlays = false;

  bool hasLegend = false;
  std::string legendPosition = "r";
  std::optional<ChartBox> legendBox;
  bool legendOverlays = false;
  platform::CharProps legendText;
  std::vector<size_t> legendHidden;  // entries left out (c:legendEntry delete)

  std::optional<ChartBox> plotBox;
  bool plotBoxInner = false;  // the box holds the plot area without the axis labels
  platform::FillStyle plotFill, chartFill;
  platform::LineStyle plotLine, chartLine;

  ChartAxis categoryAxis, valueAxis;
};

}  // namespace pptx
