// The tables that turn timing-tree words into the numbers the animation
// library reads: preset classes, node types, filter strings and attribute
// names. docs/pptx-mapping.md lists them all.
#pragma once

#include <cstdint>
#include <string>

namespace pptx {

// presetClass: entr 0, exit 1, emph 2, path 3, verb 4, mediacall 5.
bool PresetClassCode(const std::string& name, int& code);
// nodeType: clickEffect 0, withEffect 1, afterEffect 2.
bool NodeTypeCode(const std::string& name, int& code);

// Filter subtypes (key 375); -1 when the filter has no variant.
enum FilterSubtype : int {
  eSubtypeNone = -1,
  eSubtypeLeft = 0,  // the edge the effect starts from
  eSubtypeRight = 1,
  eSubtypeBottom = 2,
  eSubtypeTop = 3,
  eSubtypeUpLeft = 4,  // strips: the direction the staircase moves
  eSubtypeUpRight = 5,
  eSubtypeDownLeft = 6,
  eSubtypeDownRight = 7,
  eSubtypeHorizontal = 8,
  eSubtypeVertical = 9,
  eSubtypeInHorizontal = 10,  // split
  eSubtypeInVertical = 11,
  eSubtypeOutHorizontal = 12,
  eSubtypeOutVertical = 13,
  eSubtypeIn = 14,  // box, circle, diamond, plus
  eSubtypeOut = 15,
};

struct FilterCode {
  int kind = 11;  // key 374 (EFilterKind)
  int subtype = eSubtypeNone;
};

// "wipe(left)" -> wipe, left. False for filters the library cannot draw.
bool MapFilter(const std::string& filter, FilterCode& out);

// Attribute kinds (key 330) chosen for what each agent does with them.
enum AttributeKind : int {
  eAttrX = 0,
  eAttrY = 1,
  eAttrWidth = 2,
  eAttrHeight = 3,
  eAttrOpacity = 4,
  eAttrRotation = 5,
  eAttrShapeAndTextColour = 6,  // colour agent: shape and text; set/property: nothing
  eAttrVisibility = 7,
  eAttrColour = 9,  // colour agent: text colour; set/property: the whole shape in one colour
  eAttrFontStyle = 10,
  eAttrFontWeight = 11,
  eAttrUnderline = 12,
  eAttrFontFamily = 13,
  eAttrFontSize = 14,
  eAttrFillColour = 15,  // colour agent: fill; set/property: nothing
  eAttrNothing = 16,     // no agent draws it
  eAttrLineColour = 19,  // colour agent: lines; set/property: nothing
  eAttrShear = 20,
};

// What the attribute kinds of colour attributes depend on.
struct TargetFacts {
  bool hasText = false;
  bool hasFill = false;
  bool hasLine = false;
};

// The attribute kind of `name` for a behaviour of `behaviourKind` (3 property
// animation, 4 colour animation, 10 set, ...). False for names we do not know
// (they get eAttrNothing).
bool MapAttribute(const std::string& name, uint32_t behaviourKind, const TargetFacts& target,
                  int& kind);

}  // namespace pptx
