// The outlines of preset shapes, and of custom geometry that uses guides, as
// paths of plain numbers. The presets are described in the preset table
// (PresetTable.h); each is compiled once, on first use.
#pragma once

#include <string>
#include <vector>

#include "document/Shape.h"
#include "render/GeometryGuides.h"

namespace render {

// The paths of preset `name` for a shape of `width` by `height` with the given
// adjust values (missing ones take their defaults), in the shape's own
// coordinates: (0, 0) is its top left corner. A path with a size of its own
// (GeometryPath::width, height) keeps its coordinates over that size. False
// when there is no such preset.
bool PresetOutline(const std::string& name, double width, double height, const AdjustValues& adjust,
                   std::vector<platform::GeometryPath>* out);

// Every preset name, sorted.
std::vector<std::string> PresetNames();

// What the drawing of `name` leaves out or simplifies; empty when it follows
// the shape's outline.
std::string PresetNote(const std::string& name);

// Custom geometry with its guides evaluated, for a shape of `width` by
// `height` slide units. Guides see w and h in EMU, as the document writes
// them; coordinates they give to a path without a size of its own are turned
// into slide units. False, with the reason in `error`, when a guide is
// malformed or a name is unknown.
bool ResolveCustomGeometry(const platform::Geometry& geometry, double width, double height,
                           std::vector<platform::GeometryPath>* out, std::string* error);

}  // namespace render
