#include "pptx/BackdropReader.h"

#include <boost/make_shared.hpp>

#include "pptx/FillReader.h"
#include "pptx/GraphicReader.h"
#include "pptx/ShapeReader.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

bool Hides(const pugi::xml_node& root) {
  bool show = true;
  return ParseBoolean(root.attribute("showMasterSp").as_string(), show) && !show;
}

// A background that is more than a colour, as a shape over the whole slide.
void ReadBackground(SlideContext& ctx, const pugi::xml_node& bg, const std::string& part) {
  platform::FillStyle fill;
  pugi::xml_node element;
  Kinefold::TColor phClr;
  const Kinefold::TColor* placeholder = nullptr;
  if (pugi::xml_node props = Child(bg, "bgPr")) {
    for (pugi::xml_node child : Elements(props))
      if (Is(child, "gradFill") || Is(child, "blipFill") || Is(child, "solidFill") ||
          Is(child, "pattFill") || Is(child, "noFill")) {
        element = child;
        break;
      }
  } else if (pugi::xml_node ref = Child(bg, "bgRef")) {
    // A theme's picture would be looked up from the theme part: not drawn.
    element = ThemeFillStyle(ctx.colours, ref.attribute("idx").as_int());
    ctx.colours.ResolveChild(ref, phClr);
    placeholder = &phClr;
  }
  if (!element) return;
  auto shape = boost::make_shared<platform::Shape>(L"background");
  shape->SetBounds(0, 0, ctx.slide.width, ctx.slide.height);
  if (Is(element, "gradFill")) {
    ReadGradientFill(ctx.colours, element, fill, placeholder);
    if (fill.stops.empty()) return;
    shape->SetFill(fill);
  } else if (Is(element, "blipFill") && !placeholder) {
    SlideContext owner(ctx.package, ctx.slide);
    owner.part = part;
    owner.colours = ctx.colours;
    if (!ReadShapePicture(owner, element, *shape)) return;
  } else if (Is(element, "pattFill")) {
    ReadFillElement(ctx.colours, element, fill, placeholder);
    shape->SetFill(fill);
  } else {
    return;  // plain colours are the slide's background colour
  }
  ctx.slide.backdrop.push_back(shape);
}

void AddShapes(SlideContext& ctx, const StyleSource* source, const char* rootName) {
  if (!source || !source->document) return;
  for (const BackdropShapes& read : source->backdrops) {
    if (read.layout != ctx.layout || !read.colours.SameMapping(ctx.colours)) continue;
    for (const auto& warning : read.warnings) ctx.Diag().Warn(warning.first, warning.second);
    ctx.slide.backdrop.insert(ctx.slide.backdrop.end(), read.shapes.begin(), read.shapes.end());
    return;
  }
  BackdropShapes read;
  read.layout = ctx.layout;
  read.colours = ctx.colours;
  pugi::xml_node tree = Path(*source->document, {rootName, "cSld", "spTree"});
  struct Recording {
    Diagnostics& diagnostics;
    ~Recording() { diagnostics.Record(nullptr); }
  } recording{ctx.Diag()};
  ctx.Diag().Record(&read.warnings);
  for (const auto& shape : ReadForeignShapes(ctx, source->part, tree))
    if (shape->PlaceholderType() == platform::ePlaceholderNone) read.shapes.push_back(shape);
  ctx.Diag().Record(nullptr);
  ctx.slide.backdrop.insert(ctx.slide.backdrop.end(), read.shapes.begin(), read.shapes.end());
  source->backdrops.push_back(std::move(read));
}

}  // namespace

void ReadBackdrop(SlideContext& ctx, const pugi::xml_node& slideRoot) {
  pugi::xml_node bg = Path(slideRoot, {"cSld", "bg"});
  std::string owner = ctx.part;
  if (!bg && ctx.layout && ctx.layout->background) {
    bg = ctx.layout->background;
    owner = ctx.layout->part;
  }
  if (!bg && ctx.master && ctx.master->background) {
    bg = ctx.master->background;
    owner = ctx.master->part;
  }
  if (bg) ReadBackground(ctx, bg, owner);

  if (Hides(slideRoot)) return;
  pugi::xml_node layoutRoot = ctx.layout && ctx.layout->document
                                  ? Child(*ctx.layout->document, "sldLayout")
                                  : pugi::xml_node();
  if (!Hides(layoutRoot)) AddShapes(ctx, ctx.master, "sldMaster");
  AddShapes(ctx, ctx.layout, "sldLayout");
}

}  // namespace pptx
