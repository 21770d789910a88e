// What the reader knows while it reads one slide: the package, the slide's
// layout and master (their placeholders, text styles and theme), its colour
// map, and the slide being filled.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "document/Slide.h"
#include "pptx/Package.h"
#include "pptx/Theme.h"

namespace pptx {

struct PlaceholderRef {
  int type = 0;          // PlaceholderKind
  long long index = -1;  // idx, -1 when absent
  pugi::xml_node shape;
};

struct LayoutInfo;

// The shapes of a master or layout that a slide shows under its own, as
// slides with one layout and one colour mapping see them: read once for all
// such slides and shared by them (nothing changes a shape once it is read),
// with the warnings that reading them gave, to give again for every slide.
struct BackdropShapes {
  const LayoutInfo* layout = nullptr;
  ColourContext colours;
  std::vector<boost::shared_ptr<platform::Shape>> shapes;
  std::vector<std::pair<std::string, std::string>> warnings;
};

// A master or a layout: the parts of it that slides inherit.
struct StyleSource {
  std::string part;
  std::shared_ptr<pugi::xml_document> document;
  std::vector<PlaceholderRef> placeholders;
  pugi::xml_node background;  // p:bg, when present
  pugi::xml_node colourMap;   // master: p:clrMap; layout: a:overrideClrMapping
  mutable std::vector<BackdropShapes> backdrops;
};

struct MasterInfo : StyleSource {
  std::shared_ptr<pugi::xml_document> themeDocument;  // the theme's fill styles point into it
  Theme theme;
  pugi::xml_node titleStyle, bodyStyle, otherStyle;
};

struct LayoutInfo : StyleSource {
  const MasterInfo* master = nullptr;
};

struct SlideContext {
  SlideContext(Package& package, platform::Slide& slide) : package(package), slide(slide) {}

  Package& package;
  platform::Slide& slide;
  std::string part;
  const LayoutInfo* layout = nullptr;
  const MasterInfo* master = nullptr;
  pugi::xml_node defaultTextStyle;  // the presentation's
  ColourContext colours;
  size_t shapeCount = 0;
  bool shapeLimitReported = false;
  std::set<std::wstring> usedIds;
  long long nextId = 1;  // above every numeric cNvPr id of the slide

  Diagnostics& Diag() { return package.Diag(); }
  const ReadLimits& Limits() const { return package.Limits(); }
};

// A number attribute of `node`, or `fallback` when it is absent or invalid
// (an invalid one is warned about at `where`).
double NumberAttr(SlideContext& ctx, const pugi::xml_node& node, const char* name, double fallback,
                  const std::string& where);

// Placeholder kind from a ph element's type attribute (absent: object).
int PlaceholderType(const pugi::xml_node& ph);
// Reads the placeholders of a master or layout's shape tree.
std::vector<PlaceholderRef> CollectPlaceholders(const pugi::xml_node& spTree);
// The placeholder of `source` that a placeholder (type, index) inherits from.
pugi::xml_node FindPlaceholder(const StyleSource* source, int type, long long index,
                               bool byTypeOnly);

}  // namespace pptx
