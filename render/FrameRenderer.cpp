#include "render/FrameRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <pango/pangocairo.h>

#include "common/Utf8.h"
#include "publisher/ColorMath.h"
#include "publisher/MaskShapes.h"
#include "publisher/NodeColours.h"
#include "render/Effects.h"
#include "render/PangoText.h"
#include "render/PictureDecoder.h"
#include "render/ShapePainter.h"
#include "render/ShapePath.h"

namespace render {

using platform::ScreenNode;
using platform::ShapeNode;
using platform::TextNode;
using Role = platform::ScreenNode::Role;

namespace {

constexpr double kPi = 3.14159265358979323846;

void WarnOnce(const std::string& what) {
  static std::mutex mutex;
  static std::set<std::string> warned;
  std::lock_guard<std::mutex> lock(mutex);
  if (warned.insert(what).second) std::fprintf(stderr, "slideanim: %s\n", what.c_str());
}

cairo_matrix_t FromTransform(const double* t) {
  cairo_matrix_t m;
  // tx, ty, b, c, a, d: x' = a*x + c*y + tx, y' = b*x + d*y + ty.
  cairo_matrix_init(&m, t[4], t[2], t[3], t[5], t[0], t[1]);
  return m;
}

// `first` applied before `then`.
cairo_matrix_t Then(const cairo_matrix_t& first, const cairo_matrix_t& then) {
  cairo_matrix_t out;
  cairo_matrix_multiply(&out, &first, &then);
  return out;
}

bool Invertible(const cairo_matrix_t& m) {
  const double det = m.xx * m.yy - m.xy * m.yx;
  return std::isfinite(det) && std::fabs(det) > 1e-12 && std::isfinite(m.x0) && std::isfinite(m.y0);
}

bool Transparent(const Kinefold::TColorMatrix& c) {
  return 255.0 * c.alphaMul + c.alphaAdd <= 0.5;
}

void SetColour(cairo_t* cr, const Kinefold::TColor& c) {
  cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

bool PlainLetter(const ScreenNode& letter) {
  return platform::IsIdentityTransform(letter.Frame().transform) &&
         platform::IsIdentityColour(letter.Frame().colour) && !letter.Masks().HasActive();
}

}  // namespace

// One drawing of one frame.
class FrameRenderer::Pass {
 public:
  Pass(FrameRenderer& owner, cairo_t* cr, platform::ITextMeasurer& measurer)
      : owner_(owner),
        cr_(cr),
        measurer_(measurer),
        pango_(NewContext(cr)),
        painter_(
            cr, pango_, measurer,
            [&owner](const boost::shared_ptr<platform::Shape>& shape) {
              return owner.Picture(shape);
            },
            [&owner](const platform::Paragraph& para) { return owner.BulletPicture(para); }) {}
  ~Pass() {
    std::lock_guard<std::recursive_mutex> lock(TextLock());
    g_object_unref(pango_);
  }

  ShapePainter& Painter() { return painter_; }

  void DrawNode(ScreenNode& node, const cairo_matrix_t& parent,
                const Kinefold::TColorMatrix& colour);

 private:
  static PangoContext* NewContext(cairo_t* cr) {
    std::lock_guard<std::recursive_mutex> lock(TextLock());
    return NewDrawingContext(cr);
  }
  void Clip(const ScreenNode& node, const cairo_matrix_t& space);
  void DrawLeaf(ScreenNode& leaf, const cairo_matrix_t& m, const Kinefold::TColorMatrix& colour);
  void DrawWord(TextNode& word, const cairo_matrix_t& m, const Kinefold::TColorMatrix& colour);
  void DrawLetter(TextNode& letter, const cairo_matrix_t& m, const Kinefold::TColorMatrix& colour);
  void DrawText(const std::wstring& text, const platform::CharProps& props,
                const Kinefold::TColor& colour, double x, double baseline, const cairo_matrix_t& m);
  // `inks`: the colour of each letter of `text`.
  void DrawText(const std::wstring& text, const platform::CharProps& props,
                const std::vector<Kinefold::TColor>& inks, double x, double baseline,
                const cairo_matrix_t& m);

  FrameRenderer& owner_;
  cairo_t* cr_;
  platform::ITextMeasurer& measurer_;
  PangoContext* pango_;
  ShapePainter painter_;
  const platform::TextPlace* place_ = nullptr;         // of the text being drawn
  const platform::ShadowStyle* textShadow_ = nullptr;  // its shape's, see TextShadowOf
};

void FrameRenderer::Pass::DrawNode(ScreenNode& node, const cairo_matrix_t& parent,
                                   const Kinefold::TColorMatrix& colour) {
  const platform::FrameState& f = node.Frame();
  // A NaN or an infinity would put the cairo context in an error state and
  // lose the rest of the frame: such a node is left out of this frame.
  if (!platform::IsFiniteFrame(f)) return;
  for (const auto& shape : node.Masks().ActiveShapes()) {
    auto* mask = dynamic_cast<platform::MaskShape*>(shape.get());
    if (mask && mask->Clips() && !platform::IsFinite(mask->Geometry())) return;
  }
  const cairo_matrix_t m = Then(FromTransform(f.transform), parent);
  if (!Invertible(m)) return;
  const Kinefold::TColorMatrix c = platform::Compose(colour, f.colour);
  if (Transparent(c)) return;

  cairo_matrix_t maskSpace = m, content = m;
  // Position changes move the node and its subtree, not its masks.
  const double dx = f.position[0] - node.Authored().position[0];
  const double dy = f.position[1] - node.Authored().position[1];
  if (node.AnswersTarget() && (dx != 0.0 || dy != 0.0)) {
    cairo_matrix_t shift;
    cairo_matrix_init_translate(&shift, dx, dy);
    content = Then(shift, m);
  }
  auto* shape = dynamic_cast<ShapeNode*>(&node);
  if (shape && shape->Document()->Rotation() != 0.0) {
    const double* b = node.Bounds();
    const double cx = (b[0] + b[2]) * 0.5, cy = (b[1] + b[3]) * 0.5;
    cairo_matrix_t r;
    cairo_matrix_init_translate(&r, cx, cy);
    cairo_matrix_rotate(&r, shape->Document()->Rotation() * kPi / 180.0);
    cairo_matrix_translate(&r, -cx, -cy);
    maskSpace = Then(r, maskSpace);
    content = Then(r, content);
  }

  cairo_save(cr_);
  Clip(node, maskSpace);
  const platform::TextPlace* outerPlace = place_;
  const platform::ShadowStyle* outerShadow = textShadow_;
  platform::TextPlace relaid;
  switch (node.GetRole()) {
    case Role::Fill:
      DrawLeaf(node, content, c);
      break;
    case Role::TextBody: {
      ShapeNode* owner = static_cast<TextNode&>(node).Shape();
      textShadow_ = TextShadowOf(*owner->Document());
      if (owner->TextPropsChanged()) {
        relaid = owner->CurrentPlace(measurer_);
        place_ = &relaid;
      } else {
        place_ = &owner->Place();
      }
      content = TurnForText(owner->Document()->Text(), node.Bounds(), content);
      break;
    }
    case Role::Paragraph: {
      auto& paragraph = static_cast<TextNode&>(node);
      if (place_ && paragraph.ParagraphIndex() < place_->paragraphs.size()) {
        const platform::ParagraphPlace& pp = place_->paragraphs[paragraph.ParagraphIndex()];
        if (pp.hasBullet) {
          // The bullet shows and fades with the paragraph's first letter.
          Kinefold::TColorMatrix bulletColour = c;
          for (const ScreenNode* unit = &node; !unit->Parts().empty();) {
            unit = unit->Parts().front().get();
            bulletColour = platform::Compose(bulletColour, unit->Frame().colour);
          }
          const platform::Paragraph& para =
              paragraph.Shape()->Document()->Text().paragraphs[paragraph.ParagraphIndex()];
          const std::wstring& bullet = para.bullet;
          if (!Transparent(bulletColour) && !para.bulletPicture.empty()) {
            cairo_set_matrix(cr_, &content);
            PaintBulletPicture(
                cr_, owner_.BulletPicture(para), pp,
                platform::ApplyMatrix(Kinefold::TColor{0, 0, 0, 255}, bulletColour).alpha / 255.0);
          } else if (!Transparent(bulletColour))
            DrawText(bullet, pp.bulletProps,
                     platform::ApplyMatrix(pp.bulletProps.colour, bulletColour), pp.bulletX,
                     pp.lines.front().baseline - pp.bulletRise, content);
        }
      }
      break;
    }
    case Role::Word:
      DrawWord(static_cast<TextNode&>(node), content, c);
      break;
    case Role::Letter:
      DrawLetter(static_cast<TextNode&>(node), content, c);
      break;
    default:
      break;
  }
  if (node.GetRole() != Role::Word)
    for (const auto& part : node.Parts()) DrawNode(*part, content, c);
  place_ = outerPlace;
  textShadow_ = outerShadow;
  cairo_restore(cr_);
}

void FrameRenderer::Pass::Clip(const ScreenNode& node, const cairo_matrix_t& space) {
  for (const auto& shape : node.Masks().ActiveShapes()) {
    auto* mask = dynamic_cast<platform::MaskShape*>(shape.get());
    if (!mask || !mask->Clips()) continue;
    cairo_set_matrix(cr_, &space);
    cairo_new_path(cr_);
    for (const platform::Contour& contour : platform::Outline(mask->Geometry())) {
      for (size_t i = 0; i < contour.size(); ++i) {
        if (i == 0)
          cairo_move_to(cr_, contour[i].x, contour[i].y);
        else
          cairo_line_to(cr_, contour[i].x, contour[i].y);
      }
      cairo_close_path(cr_);
    }
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr_);
  }
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
}

void FrameRenderer::Pass::DrawLeaf(ScreenNode& leaf, const cairo_matrix_t& m,
                                   const Kinefold::TColorMatrix& colour) {
  ShapeNode* shape = platform::ShapeOfLeaf(leaf);
  if (!shape) return;
  const platform::Shape& doc = *shape->Document();
  cairo_set_matrix(cr_, &m);
  if (doc.FlipH() || doc.FlipV()) {
    const double cx = doc.X() + doc.Width() / 2, cy = doc.Y() + doc.Height() / 2;
    cairo_translate(cr_, cx, cy);
    cairo_scale(cr_, doc.FlipH() ? -1 : 1, doc.FlipV() ? -1 : 1);
    cairo_translate(cr_, -cx, -cy);
  }
  Kinefold::TColor fill, line;
  const bool hasFill = platform::FillColour(leaf, fill);
  const bool hasLine = platform::LineColour(leaf, line);
  cairo_surface_t* picture =
      doc.picture.bytes.empty() ? nullptr : owner_.Picture(shape->Document());

  // A gradient keeps its stops unless an animation sets the fill colour.
  const platform::FillStyle* style = nullptr;
  for (const ShapeNode* s = shape; s && !leaf.Frame().fill.set; s = s->ParentGroup())
    if (s->Document()->Fill().type != platform::eFillGroup) {
      style = &s->Document()->Fill();
      break;
    }
  const platform::FillStyle solid;
  const double box[4] = {doc.X(), doc.Y(), doc.Width(), doc.Height()};
  // The shadow's offset keeps to the slide's axes when the shape turns.
  cairo_matrix_t slide = m;
  cairo_matrix_rotate(&slide, -doc.Rotation() * kPi / 180.0);
  PaintShapeShadow(cr_, doc, hasFill || picture, hasLine, colour, slide);
  PaintShapeBody(cr_, doc, hasFill || picture, hasLine, slide, [&](cairo_t* cr) {
    ForEachShapePath(cr, doc, [&](bool fillable, bool strokable) {
      if (fillable && hasFill) FillCurrentPath(cr, style ? *style : solid, fill, box, colour);
      if (fillable && picture) PaintPicture(cr, picture, doc.picture, box, colour);
      if (strokable && hasLine) StrokeCurrentPath(cr, doc.Line(), line, colour);
      cairo_new_path(cr);
    });
  });
  if (!doc.parts.empty()) painter_.PaintParts(doc, m, colour);
}

void FrameRenderer::Pass::DrawWord(TextNode& word, const cairo_matrix_t& m,
                                   const Kinefold::TColorMatrix& colour) {
  if (!place_ || word.ParagraphIndex() >= place_->paragraphs.size()) return;
  const platform::ParagraphPlace& pp = place_->paragraphs[word.ParagraphIndex()];
  // Letters that are drawn as they stand go out in pieces of one line and one
  // set of character properties, the pieces the layout measured, whatever the
  // runs they belong to: a piece is shaped as one text, each letter in its
  // own colour. The others are drawn on their own.
  std::wstring text;
  std::vector<Kinefold::TColor> inks;
  size_t first = 0;
  size_t line = 0;
  const platform::FormattingRun* run = nullptr;
  platform::CharProps props, runProps;
  auto flush = [&]() {
    if (!text.empty()) DrawText(text, props, inks, pp.letters[first].x, pp.lines[line].baseline, m);
    text.clear();
    inks.clear();
  };
  for (const auto& part : word.Parts()) {
    auto& letter = static_cast<TextNode&>(*part);
    const size_t index = letter.FirstLetter();
    if (index >= pp.letters.size() || !letter.Run()) continue;
    if (!PlainLetter(letter)) {
      flush();
      DrawNode(letter, m, colour);
      continue;
    }
    const wchar_t ch = letter.Char();
    if (ch == L'\t' || platform::IsLineBreak(ch)) {
      flush();
      continue;
    }
    if (letter.Run().get() != run) {
      run = letter.Run().get();
      runProps = run->Current();
    }
    if (text.empty() || pp.letters[index].line != line ||
        !platform::SameCharProps(runProps, props) || !platform::FollowsOn(pp, index)) {
      flush();
      first = index;
      line = pp.letters[index].line;
      props = runProps;
    }
    text += ch;
    inks.push_back(platform::ApplyMatrix(platform::TextColour(letter), colour));
  }
  flush();
}

void FrameRenderer::Pass::DrawLetter(TextNode& letter, const cairo_matrix_t& m,
                                     const Kinefold::TColorMatrix& colour) {
  if (!place_ || letter.ParagraphIndex() >= place_->paragraphs.size() || !letter.Run()) return;
  const platform::ParagraphPlace& pp = place_->paragraphs[letter.ParagraphIndex()];
  const size_t index = letter.FirstLetter();
  const wchar_t ch = letter.Char();
  if (index >= pp.letters.size() || ch == L'\t' || platform::IsLineBreak(ch)) return;
  DrawText(std::wstring(1, ch), letter.Run()->Current(),
           platform::ApplyMatrix(platform::TextColour(letter), colour), pp.letters[index].x,
           pp.lines[pp.letters[index].line].baseline, m);
}

void FrameRenderer::Pass::DrawText(const std::wstring& text, const platform::CharProps& props,
                                   const Kinefold::TColor& colour, double x, double baseline,
                                   const cairo_matrix_t& m) {
  DrawText(text, props, std::vector<Kinefold::TColor>(text.size(), colour), x, baseline, m);
}

void FrameRenderer::Pass::DrawText(const std::wstring& text, const platform::CharProps& props,
                                   const std::vector<Kinefold::TColor>& inks, double x,
                                   double baseline, const cairo_matrix_t& m) {
  bool visible = false, oneInk = true;
  for (const Kinefold::TColor& ink : inks) {
    visible = visible || ink.alpha != 0;
    oneInk = oneInk && ink == inks.front();
  }
  if (!visible || inks.size() != text.size()) return;
  std::lock_guard<std::recursive_mutex> lock(TextLock());
  cairo_set_matrix(cr_, &m);
  pango_cairo_update_context(cr_, pango_);
  PangoLayout* layout = pango_layout_new(pango_);
  SetLayoutText(layout, text, props);
  if (!oneInk) {
    // Colours do not split the shaping: each letter gets its colour as an
    // attribute of its bytes.
    PangoAttrList* attrs = pango_attr_list_copy(pango_layout_get_attributes(layout));
    if (!attrs) attrs = pango_attr_list_new();
    guint start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      const guint end = start + static_cast<guint>(platform::ToUtf8(text.substr(i, 1)).size());
      const Kinefold::TColor& c = inks[i];
      PangoAttribute* fg = pango_attr_foreground_new(static_cast<guint16>(c.red * 257),
                                                     static_cast<guint16>(c.green * 257),
                                                     static_cast<guint16>(c.blue * 257));
      // An alpha of 0 would read as "not set": the faintest alpha draws nothing.
      PangoAttribute* alpha =
          pango_attr_foreground_alpha_new(static_cast<guint16>(std::max(1u, c.alpha * 257)));
      for (PangoAttribute* a : {fg, alpha}) {
        a->start_index = start;
        a->end_index = end;
        pango_attr_list_insert(attrs, a);
      }
      start = end;
    }
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
  }
  const double top =
      baseline - static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
  uint32_t alpha = 0;
  for (const Kinefold::TColor& ink : inks) alpha = std::max(alpha, ink.alpha);
  PaintTextShadow(cr_, layout, props, textShadow_, static_cast<int>(alpha), x, top);
  cairo_move_to(cr_, x, top);
  SetColour(cr_, inks.front());
  pango_cairo_show_layout(cr_, layout);
  g_object_unref(layout);
}

FrameRenderer::FrameRenderer(const boost::shared_ptr<platform::ITextMeasurer>& measurer)
    : measurer_(measurer) {}

FrameRenderer::~FrameRenderer() {
  for (auto& entry : pictures_)
    if (entry.second.second) cairo_surface_destroy(entry.second.second);
  for (auto& entry : bulletPictures_)
    if (entry.second) cairo_surface_destroy(entry.second);
}

cairo_surface_t* FrameRenderer::BulletPicture(const platform::Paragraph& para) {
  auto it = bulletPictures_.find(para.bulletPicture);
  if (it != bulletPictures_.end()) return it->second;
  platform::PictureData data;
  data.bytes = para.bulletPicture;
  data.contentType = para.bulletPictureType;
  cairo_surface_t* surface = DecodePicture(data);
  if (!surface) WarnOnce("cannot draw a bullet picture of type \"" + data.contentType + "\"");
  bulletPictures_[para.bulletPicture] = surface;
  return surface;
}

cairo_surface_t* FrameRenderer::Picture(const boost::shared_ptr<platform::Shape>& shape) {
  auto it = pictures_.find(shape.get());
  if (it != pictures_.end()) return it->second.second;
  cairo_surface_t* surface = WithPictureEffects(DecodePicture(shape->picture), shape->picture);
  if (!surface) WarnOnce("cannot draw a picture of type \"" + shape->picture.contentType + "\"");
  pictures_[shape.get()] = std::make_pair(shape, surface);
  return surface;
}

Image FrameRenderer::Render(const platform::SlideScreen& screen, int width, int height) {
  if (width <= 0 || height <= 0) return Image();
  Image image(width, height);
  const auto& slide = screen.GetSlide();
  const double sw = slide && slide->width > 0 ? slide->width : width;
  const double sh = slide && slide->height > 0 ? slide->height : height;
  cairo_t* cr = cairo_create(image.Surface());
  cairo_scale(cr, width / sw, height / sh);
  Draw(cr, screen);
  cairo_destroy(cr);
  cairo_surface_flush(image.Surface());
  return image;
}

void FrameRenderer::Draw(cairo_t* cr, const platform::SlideScreen& screen) {
  cairo_save(cr);
  ApplyTextOptions(cr);
  if (const auto& slide = screen.GetSlide()) {
    SetColour(cr, slide->background);
    cairo_rectangle(cr, 0, 0, slide->width, slide->height);
    cairo_fill(cr);
  }
  cairo_matrix_t base;
  cairo_get_matrix(cr, &base);
  platform::ITextMeasurer& measurer = measurer_ ? *measurer_ : *screen.Measurer();
  Pass pass(*this, cr, measurer);
  if (const auto& slide = screen.GetSlide())
    for (const auto& shape : slide->backdrop)
      pass.Painter().Paint(shape, base, Kinefold::TColorMatrix());
  for (const auto& node : screen.TopLevel()) pass.DrawNode(*node, base, Kinefold::TColorMatrix());
  cairo_restore(cr);
}

}  // namespace render
