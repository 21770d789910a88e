// The picture a:blipFill embeds and the media a picture shape plays.
#pragma once

#include <string>

#include <pugixml.hpp>

#include "document/Shape.h"
#include "pptx/SlideContext.h"

namespace pptx {

// Loads the embedded picture of `blipFill` into `shape`; false when there is
// none or it cannot be read (linked pictures are warned about, not loaded).
bool ReadPicture(SlideContext& ctx, const pugi::xml_node& blipFill, platform::Shape& shape,
                 const std::string& where);

// Loads the picture stored in `part`, stretched over the shape.
bool ReadPicturePart(SlideContext& ctx, const std::string& part, platform::Shape& shape,
                     const std::string& where);

// Reads the audio or video that `nvPr` names into `shape`'s media.
void ReadMedia(SlideContext& ctx, const pugi::xml_node& nvPr, platform::Shape& shape,
               const std::string& where);

}  // namespace pptx
