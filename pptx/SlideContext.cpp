#include "pptx/SlideContext.h"

#include <cstring>

#include "document/Shape.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

// The master placeholder that a slide or layout placeholder of `type` takes
// its defaults from: titles from the title, dates, footers and numbers from
// their own, everything else from the body.
int MasterType(int type) {
  switch (type) {
    case platform::ePlaceholderTitle:
    case platform::ePlaceholderCentredTitle:
      return platform::ePlaceholderTitle;
    case platform::ePlaceholderDate:
    case platform::ePlaceholderSlideNumber:
    case platform::ePlaceholderFooter:
    case platform::ePlaceholderHeader:
      return type;
    default:
      return platform::ePlaceholderBody;
  }
}

}  // namespace

int PlaceholderType(const pugi::xml_node& ph) {
  static const char* names[] = {"",        "title", "body",  "ctrTitle", "subTitle", "dt",
                                "sldNum",  "ftr",   "hdr",   "obj",      "chart",    "tbl",
                                "clipArt", "dgm",   "media", "sldImg",   "pic"};
  const char* type = ph.attribute("type").as_string();
  if (!*type) return platform::ePlaceholderObject;
  for (int i = 1; i <= platform::ePlaceholderPicture; ++i)
    if (!std::strcmp(type, names[i])) return i;
  return platform::ePlaceholderObject;
}

std::vector<PlaceholderRef> CollectPlaceholders(const pugi::xml_node& spTree) {
  std::vector<PlaceholderRef> result;
  for (pugi::xml_node shape : Elements(spTree)) {
    pugi::xml_node nv = Child(shape, "nvSpPr");
    if (!nv) nv = Child(shape, "nvPicPr");
    if (!nv) nv = Child(shape, "nvGraphicFramePr");
    pugi::xml_node ph = Path(nv, {"nvPr", "ph"});
    if (!ph) continue;
    PlaceholderRef ref;
    ref.type = PlaceholderType(ph);
    int64_t idx = 0;
    if (ParseInteger(ph.attribute("idx").as_string(), idx) && idx >= 0 && idx <= 0xFFFFFFFFll)
      ref.index = idx;
    ref.shape = shape;
    result.push_back(ref);
  }
  return result;
}

pugi::xml_node FindPlaceholder(const StyleSource* source, int type, long long index,
                               bool byTypeOnly) {
  if (!source) return pugi::xml_node();
  if (!byTypeOnly && index >= 0)
    for (const PlaceholderRef& ref : source->placeholders)
      if (ref.index == index) return ref.shape;
  int wanted = byTypeOnly ? MasterType(type) : type;
  for (const PlaceholderRef& ref : source->placeholders)
    if (ref.type == wanted) return ref.shape;
  if (!byTypeOnly) {
    // Title and centred title stand for each other on layouts.
    for (const PlaceholderRef& ref : source->placeholders)
      if (MasterType(ref.type) == platform::ePlaceholderTitle &&
          MasterType(type) == platform::ePlaceholderTitle)
        return ref.shape;
  }
  return pugi::xml_node();
}

double NumberAttr(SlideContext& ctx, const pugi::xml_node& node, const char* name, double fallback,
                  const std::string& where) {
  pugi::xml_attribute attr = node.attribute(name);
  if (!attr) return fallback;
  double value = 0;
  if (!ParseDecimal(attr.as_string(), value)) {
    ctx.Diag().Warn("invalid number",
                    where + ": " + node.name() + "/@" + name + " = \"" + attr.as_string() + "\"");
    return fallback;
  }
  return value;
}

}  // namespace pptx
