#include "pptx/ShapeReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <boost/make_shared.hpp>

#include "common/Utf8.h"
#include "document/Shape.h"
#include "pptx/EffectReader.h"
#include "pptx/FillReader.h"
#include "pptx/GraphicReader.h"
#include "pptx/PictureReader.h"
#include "pptx/TextBodyReader.h"
#include "pptx/TextStyles.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

using platform::Shape;
using platform::ShapeKind;

const double kPi = 3.14159265358979323846;

// Maps a group's child coordinates (EMU) to slide units:
// (x, y) -> (a*x + c*y + tx, b*x + d*y + ty).
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  void Map(double x, double y, double& ox, double& oy) const {
    ox = a * x + c * y + tx;
    oy = b * x + d * y + ty;
  }
  // this after `inner`: p -> this(inner(p)).
  Affine After(const Affine& inner) const {
    Affine r;
    r.a = a * inner.a + c * inner.b;
    r.b = b * inner.a + d * inner.b;
    r.c = a * inner.c + c * inner.d;
    r.d = b * inner.c + d * inner.d;
    r.tx = a * inner.tx + c * inner.ty + tx;
    r.ty = b * inner.tx + d * inner.ty + ty;
    return r;
  }
};

struct Xfrm {
  bool present = false;
  double x = 0, y = 0, cx = 0, cy = 0;  // EMU
  double rotation = 0;                  // degrees
  bool flipH = false, flipV = false;
  bool hasChild = false;
  double chX = 0, chY = 0, chCx = 0, chCy = 0;
};

std::string Where(SlideContext& ctx, const std::wstring& id) {
  return ctx.part + ": shape " + platform::ToUtf8(id);
}

// The coordinate range of the document format, in EMU. Offsets and extents
// beyond it are clamped with a warning: a shape 1e30 units wide would leave
// every later computation without precision.
const double kMinCoordinate = -27273042329600.0;
const double kMaxCoordinate = 27273042316900.0;

double Bounded(SlideContext& ctx, double value, double low, const char* kind,
               const std::string& where) {
  if (value >= low && value <= kMaxCoordinate) return value;
  ctx.Diag().Warn(kind, where);
  return value < low ? low : kMaxCoordinate;
}

Xfrm ReadXfrm(SlideContext& ctx, const pugi::xml_node& xfrm, const std::string& where) {
  Xfrm out;
  if (!xfrm) return out;
  pugi::xml_node off = Child(xfrm, "off"), ext = Child(xfrm, "ext");
  out.present = off || ext;
  out.x = NumberAttr(ctx, off, "x", 0, where);
  out.y = NumberAttr(ctx, off, "y", 0, where);
  out.cx = NumberAttr(ctx, ext, "cx", 0, where);
  out.cy = NumberAttr(ctx, ext, "cy", 0, where);
  if (out.cx < 0 || out.cy < 0) {
    ctx.Diag().Warn("negative extent", where);
    out.cx = std::max(0.0, out.cx);
    out.cy = std::max(0.0, out.cy);
  }
  out.x = Bounded(ctx, out.x, kMinCoordinate, "offset out of range", where);
  out.y = Bounded(ctx, out.y, kMinCoordinate, "offset out of range", where);
  out.cx = Bounded(ctx, out.cx, 0.0, "extent out of range", where);
  out.cy = Bounded(ctx, out.cy, 0.0, "extent out of range", where);
  out.rotation = NumberAttr(ctx, xfrm, "rot", 0, where) / 60000.0;
  bool flag = false;
  out.flipH = ParseBoolean(xfrm.attribute("flipH").as_string(), flag) && flag;
  out.flipV = ParseBoolean(xfrm.attribute("flipV").as_string(), flag) && flag;
  pugi::xml_node chOff = Child(xfrm, "chOff"), chExt = Child(xfrm, "chExt");
  if (chOff || chExt) {
    out.hasChild = true;
    out.chX = NumberAttr(ctx, chOff, "x", 0, where);
    out.chY = NumberAttr(ctx, chOff, "y", 0, where);
    out.chCx = NumberAttr(ctx, chExt, "cx", 0, where);
    out.chCy = NumberAttr(ctx, chExt, "cy", 0, where);
    out.chX = Bounded(ctx, out.chX, kMinCoordinate, "offset out of range", where);
    out.chY = Bounded(ctx, out.chY, kMinCoordinate, "offset out of range", where);
    out.chCx = Bounded(ctx, out.chCx, kMinCoordinate, "extent out of range", where);
    out.chCy = Bounded(ctx, out.chCy, kMinCoordinate, "extent out of range", where);
  }
  return out;
}

// Places `shape` from its frame in child coordinates through `toSlide`.
void Place(Shape& shape, const Xfrm& xfrm, const Affine& toSlide) {
  double cx = 0, cy = 0;
  toSlide.Map(xfrm.x + xfrm.cx / 2, xfrm.y + xfrm.cy / 2, cx, cy);
  double width = std::hypot(toSlide.a, toSlide.b) * xfrm.cx;
  double height = std::hypot(toSlide.c, toSlide.d) * xfrm.cy;
  double angle = std::atan2(toSlide.b, toSlide.a) * 180.0 / kPi;
  bool mirrored = toSlide.a * toSlide.d - toSlide.b * toSlide.c < 0;
  double rotation = (mirrored ? -xfrm.rotation : xfrm.rotation) + angle;
  rotation = std::fmod(rotation, 360.0);
  if (rotation < 0) rotation += 360.0;
  if (std::fabs(rotation) < 1e-9 || std::fabs(rotation - 360.0) < 1e-9) rotation = 0;
  shape.SetBounds(cx - width / 2, cy - height / 2, width, height);
  shape.SetRotation(rotation);
  shape.SetFlip(xfrm.flipH != mirrored, xfrm.flipV);
}

// The map from a group's child coordinates to slide units.
Affine GroupMap(const Xfrm& xfrm, const Affine& parent) {
  double sx = xfrm.chCx > 0 ? xfrm.cx / xfrm.chCx : 1.0;
  double sy = xfrm.chCy > 0 ? xfrm.cy / xfrm.chCy : 1.0;
  Affine local;
  local.a = sx;
  local.d = sy;
  local.tx = xfrm.x - xfrm.chX * sx;
  local.ty = xfrm.y - xfrm.chY * sy;
  // Rotation and flips of the group turn its members about its centre.
  double cx = xfrm.x + xfrm.cx / 2, cy = xfrm.y + xfrm.cy / 2;
  double rad = xfrm.rotation * kPi / 180.0;
  double fx = xfrm.flipH ? -1 : 1, fy = xfrm.flipV ? -1 : 1;
  Affine turn;
  turn.a = std::cos(rad) * fx;
  turn.b = std::sin(rad) * fx;
  turn.c = -std::sin(rad) * fy;
  turn.d = std::cos(rad) * fy;
  turn.tx = cx - (turn.a * cx + turn.c * cy);
  turn.ty = cy - (turn.b * cx + turn.d * cy);
  return parent.After(turn.After(local));
}

std::string ReadGeometry(SlideContext& ctx, const pugi::xml_node& spPr, Shape& shape,
                         const std::string& where) {
  if (pugi::xml_node prst = Child(spPr, "prstGeom")) {
    shape.geometry.preset = prst.attribute("prst").as_string("rect");
    for (pugi::xml_node gd : Children(Child(prst, "avLst"), "gd")) {
      std::string fmla = gd.attribute("fmla").as_string();
      double value = 0;
      if (fmla.rfind("val ", 0) == 0 && ParseDecimal(fmla.c_str() + 4, value))
        shape.geometry.adjust.emplace_back(gd.attribute("name").as_string(), value);
    }
    return shape.geometry.preset;
  }
  pugi::xml_node cust = Child(spPr, "custGeom");
  if (!cust) return shape.geometry.preset;
  // Adjust values and guides are kept as formulas; the renderer evaluates
  // them with the shape's size.
  std::vector<platform::GeometryGuide> guides;
  for (const char* list : {"avLst", "gdLst"})
    for (pugi::xml_node gd : Children(Child(cust, list), "gd")) {
      if (guides.size() >= ctx.Limits().maxListEntries) break;
      guides.push_back({gd.attribute("name").as_string(), gd.attribute("fmla").as_string()});
    }
  std::vector<platform::GeometryPath> paths;
  bool ok = true;
  for (pugi::xml_node path : Children(Child(cust, "pathLst"), "path")) {
    platform::GeometryPath out;
    out.width = NumberAttr(ctx, path, "w", 0, where);
    out.height = NumberAttr(ctx, path, "h", 0, where);
    // Without a size of its own the path uses the shape's EMU; plain numbers
    // are turned into slide units here, guide values when they are drawn.
    const bool ownSize = out.width > 0 && out.height > 0;
    if (!ownSize) out.width = out.height = 0;
    const double lengthScale = ownSize ? 1.0 : 1.0 / kEmuPerUnit;
    out.filled = std::strcmp(path.attribute("fill").as_string(), "none") != 0;
    bool stroke = true;
    out.stroked = !ParseBoolean(path.attribute("stroke").as_string(), stroke) || stroke;
    // A number, or the name of a guide.
    auto operand = [&](const pugi::xml_attribute& attr, platform::PathCommand& command, int i,
                       double scale) {
      const char* text = attr.as_string();
      if (ParseDecimal(text, command.v[i])) {
        command.v[i] *= scale;
      } else if (*text && !std::strpbrk(text, " \t\r\n")) {
        command.ref[i] = text;
      } else {
        ok = false;
      }
    };
    for (pugi::xml_node cmd : Elements(path)) {
      platform::PathCommand command;
      std::vector<pugi::xml_node> points = Children(cmd, "pt");
      auto point = [&](size_t i) {
        if (i >= points.size()) {
          ok = false;
          return;
        }
        operand(points[i].attribute("x"), command, static_cast<int>(2 * i), lengthScale);
        operand(points[i].attribute("y"), command, static_cast<int>(2 * i + 1), lengthScale);
      };
      if (Is(cmd, "moveTo") || Is(cmd, "lnTo")) {
        command.kind =
            Is(cmd, "moveTo") ? platform::PathCommand::MoveTo : platform::PathCommand::LineTo;
        point(0);
      } else if (Is(cmd, "cubicBezTo")) {
        command.kind = platform::PathCommand::CubicTo;
        for (size_t i = 0; i < 3; ++i) point(i);
      } else if (Is(cmd, "quadBezTo")) {
        command.kind = platform::PathCommand::QuadTo;
        for (size_t i = 0; i < 2; ++i) point(i);
      } else if (Is(cmd, "arcTo")) {
        command.kind = platform::PathCommand::ArcTo;
        const char* names[] = {"wR", "hR", "stAng", "swAng"};
        for (int i = 0; i < 4; ++i)
          operand(cmd.attribute(names[i]), command, i, i < 2 ? lengthScale : 1.0 / 60000.0);
      } else if (Is(cmd, "close")) {
        command.kind = platform::PathCommand::Close;
      } else {
        continue;
      }
      if (!ok) break;
      out.commands.push_back(command);
      if (out.commands.size() > ctx.Limits().maxListEntries * 10) {
        ok = false;
        break;
      }
    }
    if (!ok) break;
    paths.push_back(out);
  }
  if (!ok) {
    ctx.Diag().Warn("invalid custom geometry", where + ": drawn as its bounding rectangle");
    return shape.geometry.preset = "rect";
  }
  shape.geometry.preset = "custom";
  shape.geometry.paths = paths;
  shape.geometry.guides = guides;
  return shape.geometry.preset;
}

// Fill of spPr-like nodes. Returns false when the node states no fill.
bool ReadFill(SlideContext& ctx, const pugi::xml_node& props, platform::FillStyle& fill) {
  for (pugi::xml_node child : Elements(props))
    if (ReadFillElement(ctx.colours, child, fill)) return true;
  return false;
}

// Line of a:ln. Returns false when nothing about the line's presence is stated.
bool ReadLine(SlideContext& ctx, const pugi::xml_node& ln, platform::LineStyle& line,
              const std::string& where) {
  if (!ln) return false;
  if (ln.attribute("w")) line.width = EmuToUnits(NumberAttr(ctx, ln, "w", 9525, where));
  std::string dash = Child(ln, "prstDash").attribute("val").as_string();
  line.dashed = !dash.empty() && dash != "solid";
  ReadLineDetails(ln, line);
  if (Child(ln, "noFill")) {
    line.present = false;
    return true;
  }
  if (pugi::xml_node fill = Child(ln, "solidFill")) {
    line.present = true;
    ctx.colours.ResolveChild(fill, line.colour);
    return true;
  }
  if (pugi::xml_node grad = Child(ln, "gradFill")) {
    line.present = true;
    ctx.colours.ResolveChild(Path(grad, {"gsLst", "gs"}), line.colour);
    return true;
  }
  return false;
}

// The style reference (p:style) colours and indices.
struct StyleRef {
  int fillIndex = 0, lineIndex = 0, effectIndex = 0;
  bool hasFill = false, hasLine = false, hasFont = false, hasEffect = false;
  Kinefold::TColor fillColour, lineColour, fontColour, effectColour;
  std::string fontFace;
};

StyleRef ReadStyleRef(SlideContext& ctx, const pugi::xml_node& style) {
  StyleRef ref;
  if (!style) return ref;
  if (pugi::xml_node fill = Child(style, "fillRef")) {
    ref.fillIndex = fill.attribute("idx").as_int();
    ref.hasFill = ctx.colours.ResolveChild(fill, ref.fillColour);
  }
  if (pugi::xml_node line = Child(style, "lnRef")) {
    ref.lineIndex = line.attribute("idx").as_int();
    ref.hasLine = ctx.colours.ResolveChild(line, ref.lineColour);
  }
  if (pugi::xml_node effect = Child(style, "effectRef")) {
    ref.effectIndex = effect.attribute("idx").as_int();
    ref.hasEffect = ctx.colours.ResolveChild(effect, ref.effectColour);
  }
  if (pugi::xml_node font = Child(style, "fontRef")) {
    ref.hasFont = ctx.colours.ResolveChild(font, ref.fontColour);
    std::string idx = font.attribute("idx").as_string();
    if (idx == "major") ref.fontFace = ctx.colours.Font("+mj-lt");
    if (idx == "minor") ref.fontFace = ctx.colours.Font("+mn-lt");
  }
  return ref;
}

// Fill and line of a shape: its own properties, else its placeholder's on the
// layout and master, else its style reference.
void ReadFillAndLine(SlideContext& ctx, Shape& shape, const pugi::xml_node& spPr,
                     const std::vector<pugi::xml_node>& inherited, const StyleRef& style,
                     const std::string& where) {
  // The shape's own style reference comes before what its placeholder
  // inherits; the layout's placeholder before the master's.
  platform::FillStyle fill;
  bool fillStated = ReadFill(ctx, spPr, fill);
  if (!fillStated && style.fillIndex > 0) {
    fillStated = true;
    pugi::xml_node themed = ThemeFillStyle(ctx.colours, style.fillIndex);
    if (themed && style.hasFill) {
      ReadFillElement(ctx.colours, themed, fill, &style.fillColour);
    } else if (style.hasFill) {
      fill.type = platform::eFillSolid;
      fill.colour = style.fillColour;
    }
  }
  for (size_t i = inherited.size(); !fillStated && i-- > 0;)
    fillStated = ReadFill(ctx, Child(inherited[i], "spPr"), fill);
  shape.SetFill(fill);

  platform::LineStyle line;
  bool lineStated = ReadLine(ctx, Child(spPr, "ln"), line, where);
  if (!lineStated && style.lineIndex > 0 && style.hasLine) {
    // Keep what the shape's own a:ln says about width and dashes.
    lineStated = true;
    line.present = true;
    line.colour = style.lineColour;
    const Theme* theme = ctx.colours.GetTheme();
    size_t slot = static_cast<size_t>(style.lineIndex - 1);
    if (theme && slot < theme->lineWidths.size() && !Child(spPr, "ln").attribute("w"))
      line.width = theme->lineWidths[slot];
  }
  for (size_t i = inherited.size(); !lineStated && i-- > 0;)
    lineStated = ReadLine(ctx, Path(inherited[i], {"spPr", "ln"}), line, where);
  shape.SetLine(line);

  // Effects: the shape's own list, else its style reference's theme effect
  // style, else its placeholder's list.
  pugi::xml_node effects = Child(spPr, "effectLst");
  const Kinefold::TColor* phClr = nullptr;
  if (!effects && style.effectIndex > 0) {
    effects = ThemeEffectStyle(ctx.colours, style.effectIndex);
    phClr = style.hasEffect ? &style.effectColour : nullptr;
  }
  for (size_t i = inherited.size(); !effects && i-- > 0;)
    effects = Path(inherited[i], {"spPr", "effectLst"});
  ReadShadow(ctx.colours, effects, shape.shadow, phClr);
  ReadGlow(ctx.colours, effects, shape.glow, phClr);
  ReadSoftEdgeAndReflection(effects, shape.softEdge, shape.reflection);
}

void GiveShadow(Shape& group, const platform::ShadowStyle& shadow) {
  for (const auto& child : group.Children()) {
    if (child->Kind() == ShapeKind::Group)
      GiveShadow(*child, shadow);
    else if (!child->shadow.present)
      child->shadow = shadow;
  }
}

std::wstring AssignId(SlideContext& ctx, const pugi::xml_node& cNvPr, const std::string& kind) {
  const char* text = cNvPr.attribute("id").as_string();
  int64_t value = 0;
  bool valid = ParseInteger(text, value) && value >= 0 && value <= 0xFFFFFFFFll;
  std::wstring id = valid ? std::to_wstring(value) : std::wstring();
  if (!valid) {
    ctx.Diag().Warn("invalid shape id", ctx.part + ": " + kind + " id \"" + text + "\"");
  } else if (ctx.usedIds.count(id)) {
    ctx.Diag().Warn("duplicate shape id", ctx.part + ": id " + platform::ToUtf8(id) +
                                              " used twice; the later shape gets a new id");
  }
  if (!valid || ctx.usedIds.count(id)) {
    do id = std::to_wstring(ctx.nextId++);
    while (ctx.usedIds.count(id));
  }
  ctx.usedIds.insert(id);
  return id;
}

void ScanIds(const pugi::xml_node& tree, long long& maxId, size_t depth, size_t maxDepth) {
  if (depth > maxDepth) return;
  for (pugi::xml_node shape : Elements(tree)) {
    for (pugi::xml_node nv : Elements(shape)) {
      if (pugi::xml_node cNvPr = Child(nv, "cNvPr")) {
        int64_t v = 0;
        if (ParseInteger(cNvPr.attribute("id").as_string(), v) && v >= maxId) maxId = v + 1;
      }
    }
    if (Is(shape, "grpSp")) ScanIds(shape, maxId, depth + 1, maxDepth);
  }
}

class TreeReader {
 public:
  explicit TreeReader(SlideContext& ctx) : ctx_(ctx) {}

  void ReadTree(const pugi::xml_node& tree, const Affine& toSlide,
                const boost::shared_ptr<Shape>& group, size_t depth) {
    for (pugi::xml_node element : Elements(tree)) {
      if (Is(element, "nvGrpSpPr") || Is(element, "grpSpPr") || Is(element, "extLst")) continue;
      if (ctx_.shapeCount >= ctx_.Limits().maxShapesPerSlide) {
        if (!ctx_.shapeLimitReported)
          ctx_.Diag().Warn("shape limit reached",
                           ctx_.part + ": more than " +
                               std::to_string(ctx_.Limits().maxShapesPerSlide) +
                               " shapes; the rest are skipped");
        ctx_.shapeLimitReported = true;
        return;
      }
      if (Is(element, "sp") || Is(element, "cxnSp") || Is(element, "pic") ||
          Is(element, "graphicFrame") || Is(element, "contentPart") || Is(element, "grpSp")) {
        ReadElement(element, toSlide, group, depth);
      } else {
        ctx_.Diag().Warn("unknown shape element", ctx_.part + ": " + element.name());
      }
    }
  }

 private:
  void ReadElement(const pugi::xml_node& element, const Affine& toSlide,
                   const boost::shared_ptr<Shape>& group, size_t depth) {
    pugi::xml_node nv;
    for (pugi::xml_node child : Elements(element))
      if (Child(child, "cNvPr")) {
        nv = child;
        break;
      }
    pugi::xml_node cNvPr = Child(nv, "cNvPr");
    std::string kind = LocalName(element);
    if (!cNvPr && !Is(element, "contentPart")) {
      ctx_.Diag().Warn("shape without properties", ctx_.part + ": " + kind + " skipped");
      return;
    }
    std::wstring id = AssignId(ctx_, cNvPr, kind);
    auto shape = boost::make_shared<Shape>(id);
    shape->SetName(WideText(cNvPr.attribute("name").as_string()));
    std::string where = Where(ctx_, id);
    ++ctx_.shapeCount;
    ctx_.slide.AddShape(shape, group);

    pugi::xml_node nvPr = Child(nv, "nvPr");
    pugi::xml_node ph = Child(nvPr, "ph");
    TextSources sources;
    if (ph) {
      sources.placeholderType = PlaceholderType(ph);
      int64_t idx = -1;
      if (ph.attribute("idx") &&
          (!ParseInteger(ph.attribute("idx").as_string(), idx) || idx < 0 || idx > 0xFFFFFFFFll)) {
        ctx_.Diag().Warn("invalid number", where + ": placeholder idx");
        idx = -1;
      }
      shape->SetPlaceholderType(sources.placeholderType);
      shape->placeholderIndex = idx;
      pugi::xml_node layoutPh = FindPlaceholder(ctx_.layout, sources.placeholderType, idx, false);
      int masterType = sources.placeholderType;
      if (layoutPh) masterType = PlaceholderType(Path(layoutPh, {"nvSpPr", "nvPr", "ph"}));
      pugi::xml_node masterPh = FindPlaceholder(ctx_.master, masterType, -1, true);
      if (masterPh) sources.inherited.push_back(masterPh);
      if (layoutPh) sources.inherited.push_back(layoutPh);
    }

    pugi::xml_node spPr = Child(element, "spPr");
    if (Is(element, "grpSp")) spPr = Child(element, "grpSpPr");
    pugi::xml_node xfrmNode = Child(spPr, "xfrm");
    if (Is(element, "graphicFrame")) xfrmNode = Child(element, "xfrm");
    if (Is(element, "contentPart")) xfrmNode = Path(element, {"xfrm"});
    Xfrm xfrm = ReadXfrm(ctx_, xfrmNode, where);
    // A placeholder without its own frame takes the layout's, else the master's.
    for (auto it = sources.inherited.rbegin(); !xfrm.present && it != sources.inherited.rend();
         ++it)
      xfrm = ReadXfrm(ctx_, Path(*it, {"spPr", "xfrm"}), where);
    Place(*shape, xfrm, toSlide);
    StyleRef style = ReadStyleRef(ctx_, Child(element, "style"));
    sources.hasFontColour = style.hasFont;
    sources.fontColour = style.fontColour;
    sources.fontFace = style.fontFace;

    if (Is(element, "grpSp")) {
      shape->SetKind(ShapeKind::Group);
      shape->AddInterface(static_cast<EInterfaceId>(platform::eShapeKindGroupId));
      shape->groupFrame = {EmuToUnits(xfrm.chX), EmuToUnits(xfrm.chY), EmuToUnits(xfrm.chCx),
                           EmuToUnits(xfrm.chCy)};
      platform::FillStyle fill;
      if (ReadFill(ctx_, spPr, fill)) shape->SetFill(fill);
      if (depth + 1 > ctx_.Limits().maxDepth) {
        ctx_.Diag().Warn("nesting too deep", where + ": groups nested deeper than " +
                                                 std::to_string(ctx_.Limits().maxDepth) +
                                                 "; members skipped");
        return;
      }
      ReadTree(element, GroupMap(xfrm, toSlide), shape, depth + 1);
      // A group's shadow is cast by its members: each one without a shadow
      // of its own casts the group's.
      platform::ShadowStyle shadow;
      if (ReadShadow(ctx_.colours, Child(spPr, "effectLst"), shadow) && shadow.present)
        GiveShadow(*shape, shadow);
      return;
    }
    if (Is(element, "graphicFrame") || Is(element, "contentPart")) {
      shape->SetKind(ShapeKind::GraphicFrame);
      shape->AddInterface(static_cast<EInterfaceId>(platform::eShapeKindGraphicFrameId));
      std::string uri = Path(element, {"graphic", "graphicData"}).attribute("uri").as_string();
      if (Is(element, "contentPart")) {
        shape->graphicKind = "ink";
        shape->unsupported = true;
      } else if (uri.find("/table") != std::string::npos) {
        shape->graphicKind = "table";
      } else if (uri.find("/chart") != std::string::npos) {
        shape->graphicKind = "chart";
      } else if (uri.find("/diagram") != std::string::npos) {
        shape->graphicKind = "diagram";
      } else if (uri.find("/ole") != std::string::npos) {
        shape->graphicKind = "ole";
      } else {
        shape->graphicKind = "other";
      }
      ReadGraphicFrame(ctx_, element, *shape);
      return;
    }
    if (Is(element, "pic")) {
      shape->SetKind(ShapeKind::Picture);
      shape->AddInterface(static_cast<EInterfaceId>(platform::eShapeKindPictureId));
      ReadPicture(ctx_, Child(element, "blipFill"), *shape, where);
      ReadMedia(ctx_, nvPr, *shape, where);
    } else if (Is(element, "cxnSp")) {
      shape->SetKind(ShapeKind::Connector);
    } else {
      shape->SetKind(ShapeKind::Shape);
      if (pugi::xml_node blipFill = Child(spPr, "blipFill"))
        ReadPicture(ctx_, blipFill, *shape, where);
    }
    std::string geometry = ReadGeometry(ctx_, spPr, *shape, where);
    if (!Child(spPr, "prstGeom") && !Child(spPr, "custGeom"))
      for (auto it = sources.inherited.rbegin(); it != sources.inherited.rend(); ++it)
        if (Path(*it, {"spPr", "prstGeom"})) {
          ReadGeometry(ctx_, Child(*it, "spPr"), *shape, where);
          break;
        }
    (void)geometry;
    ReadFillAndLine(ctx_, *shape, spPr, sources.inherited, style, where);
    if (Is(element, "sp") && (Path(spPr, {"sp3d"}) || Path(spPr, {"scene3d"}))) {
      pugi::xml_node sp3d = Child(spPr, "sp3d");
      std::string camera = Path(spPr, {"scene3d", "camera"}).attribute("prst").as_string();
      bool depthShape = sp3d && (sp3d.attribute("extrusionH").as_double() > 0 ||
                                 Child(sp3d, "bevelT") || Child(sp3d, "bevelB"));
      bool turned = !camera.empty() && camera != "orthographicFront";
      shape->threeD = depthShape || turned;
    }
    if (pugi::xml_node txBody = Child(element, "txBody"))
      ReadTextBody(ctx_, *shape, txBody, sources, where);
  }

  SlideContext& ctx_;
};

}  // namespace

void ReadShapeTree(SlideContext& context, const pugi::xml_node& spTree, double dxEmu,
                   double dyEmu) {
  long long maxId = 1;
  ScanIds(spTree, maxId, 0, context.Limits().maxDepth);
  context.nextId = maxId;
  Affine toSlide;
  toSlide.a = toSlide.d = 1.0 / kEmuPerUnit;
  toSlide.tx = dxEmu / kEmuPerUnit;
  toSlide.ty = dyEmu / kEmuPerUnit;
  TreeReader(context).ReadTree(spTree, toSlide, boost::shared_ptr<Shape>(), 0);
}

bool ReadShapeFill(SlideContext& context, const pugi::xml_node& props, platform::FillStyle& fill) {
  return ReadFill(context, props, fill);
}

bool ReadShapeLine(SlideContext& context, const pugi::xml_node& ln, platform::LineStyle& line) {
  return ReadLine(context, ln, line, context.part);
}

bool ReadShapePicture(SlideContext& context, const pugi::xml_node& blipFill,
                      platform::Shape& shape) {
  return ReadPicture(context, blipFill, shape, context.part + ": picture");
}

void ReadPlainTextBody(SlideContext& context, platform::Shape& shape,
                       const pugi::xml_node& txBody) {
  ReadTextBody(context, shape, txBody, TextSources(), context.part + ": text");
}

}  // namespace pptx
