// A shape's text body, read with the styles it inherits from the
// presentation, the master and its placeholders on the layout and master.
#pragma once

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "document/Shape.h"
#include "pptx/SlideContext.h"

namespace pptx {

// Where a shape's text takes its styles from besides its own list style.
struct TextSources {
  int placeholderType = 0;                // 0: not a placeholder
  std::vector<pugi::xml_node> inherited;  // placeholder shapes: master first, then layout
  // The style reference's font colour and face.
  bool hasFontColour = false;
  Kinefold::TColor fontColour;
  std::string fontFace;
};

void ReadTextBody(SlideContext& ctx, platform::Shape& shape, const pugi::xml_node& txBody,
                  const TextSources& sources, const std::string& where);

}  // namespace pptx
