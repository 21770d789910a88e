// A chart drawn as shapes in its frame: the chart area, the title, the
// legend, and the plot area of bars, lines or areas (ChartPlot) or of a pie.
#pragma once

#include <vector>

#include "pptx/ChartModel.h"
#include "pptx/ChartParts.h"

namespace pptx {

void BuildChart(const ChartModel& model, double x, double y, double w, double h,
                std::vector<ChartPart>& parts);

}  // namespace pptx
