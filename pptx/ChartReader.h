// Charts of graphic frames: the chart part's first bar, line, area, pie or
// doughnut chart read into a ChartModel and drawn as the frame's parts.
#pragma once

#include <pugixml.hpp>

#include "document/Shape.h"
#include "pptx/ChartModel.h"
#include "pptx/SlideContext.h"

namespace pptx {

// Reads the chart part that `chartRef` (c:chart) names and adds its drawing,
// and the shapes drawn over it, to the frame's parts; false when there is no
// chart it can draw.
bool ReadChart(SlideContext& context, const pugi::xml_node& chartRef, platform::Shape& frame);

// Reads c:chartSpace; false when it holds none of the charts above with values.
bool ReadChartModel(SlideContext& context, const pugi::xml_node& chartSpace, ChartModel& model);

}  // namespace pptx
