// Table rows that grow with their text: a row is at least as tall as the text
// of each of its cells (margins and paragraph spacing included), the rows
// below move down, and the table may so reach past its frame.
#pragma once

#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Shape.h"
#include "publisher/TextLayout.h"

namespace render {

// The height the text of `cell` takes at the cell's width, insets included
// (an empty paragraph is as tall as its end characters); 0 for a cell without
// paragraphs.
double CellTextHeight(const platform::Shape& cell, platform::ITextMeasurer& measurer);

// The parts of table `frame` with its rows grown to fit their text; the frame's
// own parts when no row grows (and for frames that are not tables).
std::vector<boost::shared_ptr<platform::Shape>> FitTableRows(const platform::Shape& frame,
                                                             platform::ITextMeasurer& measurer);

}  // namespace render
