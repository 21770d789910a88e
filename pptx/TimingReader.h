// The slide's timing tree (p:timing) into its effect list: the main sequence
// and the interactive sequences with their triggers, each effect with its
// behaviours and sub-animations, and the settings of the slide's media.
// Shapes must have been read first: text targets, attribute kinds and media
// look at them.
#pragma once

#include <pugixml.hpp>

#include "pptx/SlideContext.h"

namespace pptx {

void ReadTiming(SlideContext& context, const pugi::xml_node& timing);

// Adds a sound or video object to the effect list for every media shape of
// the slide, with the settings the timing tree gave it.
void AddMediaObjects(SlideContext& context);

}  // namespace pptx
