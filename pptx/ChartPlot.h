// The plot area of a bar, line or area chart: its gridlines, series, axis
// lines, tick labels and data labels, placed in a box of the slide.
#pragma once

#include <string>
#include <vector>

#include "pptx/ChartModel.h"
#include "pptx/ChartParts.h"

namespace pptx {

// `inner`: the box is the plot area itself, its axis labels go outside it;
// else the labels are kept inside the box.
void BuildPlot(const ChartModel& model, double x, double y, double w, double h, bool inner,
               std::vector<ChartPart>& parts);

// Whether colours vary by point: the legend lists the points then.
bool PerPoint(const ChartModel& model);

// The fill of the series' point (its own, a c:dPt's, or one colour per point).
platform::FillStyle PointFill(const ChartModel& model, size_t series, size_t point);

// A data label's text: the series' name, the category, the value and the
// share of the series' total that it shows; empty when it shows none.
std::wstring LabelText(const ChartModel& model, size_t series, size_t point);

// A line's marker centred on (x, y).
ChartPart MarkerPart(const ChartMarker& marker, double x, double y);

}  // namespace pptx
