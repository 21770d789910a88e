// What graphic frames show, read into the frame's parts: tables (cell fills,
// borders, merged cells and text, with the deck's table style), a diagram's
// stored drawing, the fallback picture of an OLE object or chart, and charts
// without one drawn from their cached values (ChartReader).
#pragma once

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <pugixml.hpp>

#include "document/Shape.h"
#include "pptx/SlideContext.h"

namespace pptx {

void ReadGraphicFrame(SlideContext& context, const pugi::xml_node& frame, platform::Shape& shape);

// The top-level shapes of a shape tree that lives in another part (a layout,
// a master, a diagram drawing), read with that part's relationships and the
// slide's styles and colours, shifted by (dxEmu, dyEmu). They do not become
// shapes of the slide.
std::vector<boost::shared_ptr<platform::Shape>> ReadForeignShapes(SlideContext& context,
                                                                  const std::string& part,
                                                                  const pugi::xml_node& spTree,
                                                                  double dxEmu = 0,
                                                                  double dyEmu = 0);

}  // namespace pptx
