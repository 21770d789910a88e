#include "pptx/Mappings.h"

#include <map>

#include "host/Document.h"

namespace pptx {

bool PresetClassCode(const std::string& name, int& code) {
  static const std::map<std::string, int> table = {{"entr", 0}, {"exit", 1}, {"emph", 2},
                                                   {"path", 3}, {"verb", 4}, {"mediacall", 5}};
  auto it = table.find(name);
  if (it == table.end()) return false;
  code = it->second;
  return true;
}

bool NodeTypeCode(const std::string& name, int& code) {
  static const std::map<std::string, int> table = {
      {"clickEffect", 0}, {"withEffect", 1}, {"afterEffect", 2}};
  auto it = table.find(name);
  if (it == table.end()) return false;
  code = it->second;
  return true;
}

bool MapFilter(const std::string& filter, FilterCode& out) {
  std::string name = filter, variant;
  size_t open = filter.find('(');
  if (open != std::string::npos) {
    size_t close = filter.find(')', open);
    if (close == std::string::npos) return false;
    name = filter.substr(0, open);
    variant = filter.substr(open + 1, close - open - 1);
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();

  struct Row {
    int kind;
    std::map<std::string, int> variants;  // empty: no variant expected
  };
  static const std::map<std::string, Row> table = {
      {"fade", {eFilterFade, {}}},
      {"dissolve", {eFilterDissolve, {}}},
      {"wedge", {eFilterWedge, {}}},
      {"slide",
       {eFilterPeekIn,
        {{"fromLeft", eSubtypeLeft},
         {"fromRight", eSubtypeRight},
         {"fromBottom", eSubtypeBottom},
         {"fromTop", eSubtypeTop}}}},
      {"wipe",
       {eFilterWipe,
        {{"left", eSubtypeLeft},
         {"right", eSubtypeRight},
         {"down", eSubtypeBottom},
         {"up", eSubtypeTop}}}},
      {"blinds",
       {eFilterBlinds, {{"horizontal", eSubtypeHorizontal}, {"vertical", eSubtypeVertical}}}},
      {"checkerboard",
       {eFilterCheckerBoard, {{"across", eSubtypeHorizontal}, {"down", eSubtypeVertical}}}},
      {"randombar",
       {eFilterRandomBars, {{"horizontal", eSubtypeHorizontal}, {"vertical", eSubtypeVertical}}}},
      {"strips",
       {eFilterStrips,
        {{"upLeft", eSubtypeUpLeft},
         {"upRight", eSubtypeUpRight},
         {"downLeft", eSubtypeDownLeft},
         {"downRight", eSubtypeDownRight}}}},
      {"barn",
       {eFilterSplit,
        {{"inHorizontal", eSubtypeInHorizontal},
         {"inVertical", eSubtypeInVertical},
         {"outHorizontal", eSubtypeOutHorizontal},
         {"outVertical", eSubtypeOutVertical}}}},
      {"box", {eFilterBox, {{"in", eSubtypeIn}, {"out", eSubtypeOut}}}},
      {"circle", {eFilterCircle, {{"in", eSubtypeIn}, {"out", eSubtypeOut}}}},
      {"diamond", {eFilterDiamond, {{"in", eSubtypeIn}, {"out", eSubtypeOut}}}},
      {"plus", {eFilterPlus, {{"in", eSubtypeIn}, {"out", eSubtypeOut}}}},
  };
  if (name == "wheel") {
    static const std::map<std::string, int> spokes = {{"1", eFilterWheel1},
                                                      {"2", eFilterWheel2},
                                                      {"3", eFilterWheel3},
                                                      {"4", eFilterWheel4},
                                                      {"8", eFilterWheel8}};
    auto it = spokes.find(variant.empty() ? "1" : variant);
    if (it == spokes.end()) return false;
    out.kind = it->second;
    out.subtype = eSubtypeNone;
    return true;
  }
  auto row = table.find(name);
  if (row == table.end()) return false;
  out.kind = row->second.kind;
  out.subtype = eSubtypeNone;
  if (row->second.variants.empty()) return true;
  auto v = row->second.variants.find(variant);
  if (v == row->second.variants.end()) {
    // A filter written without its variant takes a default one.
    if (!variant.empty()) return false;
    static const std::map<int, int> defaults = {{eFilterPeekIn, eSubtypeBottom},
                                                {eFilterWipe, eSubtypeLeft},
                                                {eFilterBlinds, eSubtypeHorizontal},
                                                {eFilterCheckerBoard, eSubtypeHorizontal},
                                                {eFilterRandomBars, eSubtypeHorizontal},
                                                {eFilterStrips, eSubtypeDownLeft},
                                                {eFilterSplit, eSubtypeOutVertical},
                                                {eFilterBox, eSubtypeIn},
                                                {eFilterCircle, eSubtypeIn},
                                                {eFilterDiamond, eSubtypeIn},
                                                {eFilterPlus, eSubtypeIn}};
    out.subtype = defaults.at(out.kind);
    return true;
  }
  out.subtype = v->second;
  return true;
}

bool MapAttribute(const std::string& name, uint32_t behaviourKind, const TargetFacts& target,
                  int& kind) {
  static const std::map<std::string, int> plain = {
      {"ppt_x", eAttrX},
      {"ppt_y", eAttrY},
      {"ppt_w", eAttrWidth},
      {"ppt_h", eAttrHeight},
      {"style.opacity", eAttrOpacity},
      {"r", eAttrRotation},
      {"ppt_r", eAttrRotation},
      {"style.rotation", eAttrRotation},
      {"style.visibility", eAttrVisibility},
      {"style.fontStyle", eAttrFontStyle},
      {"style.fontWeight", eAttrFontWeight},
      {"style.textDecorationUnderline", eAttrUnderline},
      {"style.fontFamily", eAttrFontFamily},
      {"style.fontSize", eAttrFontSize},
      {"xshear", eAttrShear},
  };
  auto it = plain.find(name);
  if (it != plain.end()) {
    kind = it->second;
    return true;
  }

  bool textColour = name == "style.color";
  bool fillColour = name == "fillcolor" || name == "fill.color" || name == "fillColor";
  bool lineColour = name == "stroke.color" || name == "strokecolor";
  bool objectColour = name == "ppt_c";
  if (textColour || fillColour || lineColour || objectColour) {
    if (behaviourKind == eBehaviourColor) {
      // The colour agent recolours text (9), fill (15), lines (19) or all (6).
      kind = textColour   ? eAttrColour
             : fillColour ? eAttrFillColour
             : lineColour ? eAttrLineColour
                          : eAttrShapeAndTextColour;
      return true;
    }
    // Set and property agents can only draw the whole shape in one colour
    // (9); that is right when the attribute's part is all the shape draws,
    // otherwise drawing nothing is closer to the intent.
    bool wholeShape = false;
    if (textColour) wholeShape = target.hasText && !target.hasFill && !target.hasLine;
    if (fillColour) wholeShape = !target.hasText;
    if (lineColour) wholeShape = target.hasLine && !target.hasFill && !target.hasText;
    if (objectColour) wholeShape = true;
    kind = wholeShape   ? eAttrColour
           : textColour ? eAttrShapeAndTextColour
           : fillColour ? eAttrFillColour
                        : eAttrLineColour;
    return true;
  }

  // Settings the output has no notion of: accepted, drawn as nothing.
  static const char* quiet[] = {"fill.", "stroke.", "shadow.", "skew.", "imageData.", "style.text"};
  for (const char* prefix : quiet)
    if (name.rfind(prefix, 0) == 0) {
      kind = eAttrNothing;
      return true;
    }
  if (name == "yshear" || name == "ScaleX" || name == "ScaleY" || name == "style.fontVariant") {
    kind = eAttrNothing;
    return true;
  }
  kind = eAttrNothing;
  return false;
}

}  // namespace pptx
