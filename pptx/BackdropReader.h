// What a slide shows under its own shapes besides a plain colour: a gradient
// or picture background (its own, else its layout's, else its master's) and
// the shapes of its master and layout. Placeholders of the master and layout
// are not drawn (they only lend styles), the master's shapes are left out
// when the layout or the slide says showMasterSp="0", and the layout's when
// the slide does.
#pragma once

#include <pugixml.hpp>

#include "pptx/SlideContext.h"

namespace pptx {

void ReadBackdrop(SlideContext& context, const pugi::xml_node& slideRoot);

}  // namespace pptx
