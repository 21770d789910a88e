#include "render/FrameRenderer.h"

#include <cmath>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include <pango/pangocairo.h>

#include "common/Utf8.h"
#include "publisher/ColorMath.h"
#include "publisher/MaskShapes.h"
#include "publisher/NodeColours.h"
#include "render/PangoText.h"
#include "render/PictureDecoder.h"
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

// A copy of an image surface with the colour transform applied to every pixel.
cairo_surface_t* Recoloured(cairo_surface_t* source, const Kinefold::TColorMatrix& m) {
  const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(out);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(out);
  unsigned char* data = cairo_image_surface_get_data(out);
  const int stride = cairo_image_surface_get_stride(out);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      Kinefold::TColor c;
      c.alpha = a;
      if (a) {
        c.red = ((p >> 16) & 0xFF) * 255 / a;
        c.green = ((p >> 8) & 0xFF) * 255 / a;
        c.blue = (p & 0xFF) * 255 / a;
      }
      const Kinefold::TColor t = platform::ApplyMatrix(c, m);
      row[x] = (t.alpha << 24) | ((t.red * t.alpha / 255) << 16) |
               ((t.green * t.alpha / 255) << 8) | (t.blue * t.alpha / 255);
    }
  }
  cairo_surface_mark_dirty(out);
  return out;
}

}  // namespace

// One drawing of one frame.
class FrameRenderer::Pass {
 public:
  Pass(FrameRenderer& owner, cairo_t* cr, platform::ITextMeasurer& measurer)
      : owner_(owner), cr_(cr), measurer_(measurer), pango_(pango_cairo_create_context(cr)) {}
  ~Pass() { g_object_unref(pango_); }

  void DrawNode(ScreenNode& node, const cairo_matrix_t& parent,
                const Kinefold::TColorMatrix& colour);

 private:
  void Clip(const ScreenNode& node, const cairo_matrix_t& space);
  void DrawLeaf(ScreenNode& leaf, const cairo_matrix_t& m, const Kinefold::TColorMatrix& colour);
  void DrawWord(TextNode& word, const cairo_matrix_t& m, const Kinefold::TColorMatrix& colour);
  void DrawLetter(TextNode& letter, const cairo_matrix_t& m, const Kinefold::TColorMatrix& colour);
  void DrawText(const std::wstring& text, const platform::CharProps& props,
                const Kinefold::TColor& colour, double x, double baseline, const cairo_matrix_t& m);

  FrameRenderer& owner_;
  cairo_t* cr_;
  platform::ITextMeasurer& measurer_;
  PangoContext* pango_;
  const platform::TextPlace* place_ = nullptr;  // of the text being drawn
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
  platform::TextPlace relaid;
  switch (node.GetRole()) {
    case Role::Fill:
      DrawLeaf(node, content, c);
      break;
    case Role::TextBody: {
      ShapeNode* owner = static_cast<TextNode&>(node).Shape();
      if (owner->TextPropsChanged()) {
        relaid = owner->CurrentPlace(measurer_);
        place_ = &relaid;
      } else {
        place_ = &owner->Place();
      }
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
          const std::wstring bullet =
              paragraph.Shape()->Document()->Text().paragraphs[paragraph.ParagraphIndex()].bullet;
          if (!Transparent(bulletColour))
            DrawText(bullet, pp.bulletProps,
                     platform::ApplyMatrix(pp.bulletProps.colour, bulletColour), pp.bulletX,
                     pp.lines.front().baseline, content);
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

  ForEachShapePath(cr_, doc, [&](bool fillable, bool strokable) {
    if (fillable && hasFill) {
      SetColour(cr_, platform::ApplyMatrix(fill, colour));
      cairo_fill_preserve(cr_);
    }
    if (fillable && picture) {
      cairo_save(cr_);
      cairo_clip_preserve(cr_);
      const int w = cairo_image_surface_get_width(picture);
      const int h = cairo_image_surface_get_height(picture);
      cairo_translate(cr_, doc.X(), doc.Y());
      if (w > 0 && h > 0) cairo_scale(cr_, doc.Width() / w, doc.Height() / h);
      const bool recolour = colour.redMul != 1.0 || colour.greenMul != 1.0 ||
                            colour.blueMul != 1.0 || colour.redAdd || colour.greenAdd ||
                            colour.blueAdd;
      if (recolour) {
        cairo_surface_t* tinted = Recoloured(picture, colour);
        cairo_set_source_surface(cr_, tinted, 0, 0);
        cairo_paint(cr_);
        cairo_surface_destroy(tinted);
      } else {
        cairo_set_source_surface(cr_, picture, 0, 0);
        const double alpha = (255.0 * colour.alphaMul + colour.alphaAdd) / 255.0;
        cairo_paint_with_alpha(cr_, std::max(0.0, std::min(1.0, alpha)));
      }
      cairo_restore(cr_);
    }
    if (strokable && hasLine) {
      SetColour(cr_, platform::ApplyMatrix(line, colour));
      const double width = doc.Line().width > 0 ? doc.Line().width : 0.75;
      cairo_set_line_width(cr_, width);
      if (doc.Line().dashed) {
        const double dash[2] = {width * 3, width * 2};
        cairo_set_dash(cr_, dash, 2, 0);
      } else {
        cairo_set_dash(cr_, nullptr, 0, 0);
      }
      cairo_stroke_preserve(cr_);
    }
    cairo_new_path(cr_);
  });
}

void FrameRenderer::Pass::DrawWord(TextNode& word, const cairo_matrix_t& m,
                                   const Kinefold::TColorMatrix& colour) {
  if (!place_ || word.ParagraphIndex() >= place_->paragraphs.size()) return;
  const platform::ParagraphPlace& pp = place_->paragraphs[word.ParagraphIndex()];
  // Letters that are drawn as they stand go out in pieces of one run, one
  // line and one colour; the others are drawn on their own.
  std::wstring text;
  size_t first = 0;
  const platform::FormattingRun* run = nullptr;
  size_t line = 0;
  Kinefold::TColor ink;
  auto flush = [&]() {
    if (!text.empty() && run)
      DrawText(text, run->Current(), platform::ApplyMatrix(ink, colour), pp.letters[first].x,
               pp.lines[line].baseline, m);
    text.clear();
  };
  for (const auto& part : word.Parts()) {
    auto& letter = static_cast<TextNode&>(*part);
    const size_t index = letter.FirstLetter();
    if (index >= pp.letters.size()) continue;
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
    const Kinefold::TColor c = platform::TextColour(letter);
    if (text.empty() || letter.Run().get() != run || pp.letters[index].line != line ||
        !(c == ink)) {
      flush();
      first = index;
      run = letter.Run().get();
      line = pp.letters[index].line;
      ink = c;
    }
    text += ch;
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
  if (colour.alpha == 0) return;
  cairo_set_matrix(cr_, &m);
  pango_cairo_update_context(cr_, pango_);
  PangoLayout* layout = pango_layout_new(pango_);
  SetLayoutText(layout, text, props);
  const double top =
      baseline - static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
  cairo_move_to(cr_, x, top);
  SetColour(cr_, colour);
  pango_cairo_show_layout(cr_, layout);
  g_object_unref(layout);
}

FrameRenderer::FrameRenderer(const boost::shared_ptr<platform::ITextMeasurer>& measurer)
    : measurer_(measurer) {}

FrameRenderer::~FrameRenderer() {
  for (auto& entry : pictures_)
    if (entry.second.second) cairo_surface_destroy(entry.second.second);
}

cairo_surface_t* FrameRenderer::Picture(const boost::shared_ptr<platform::Shape>& shape) {
  auto it = pictures_.find(shape.get());
  if (it != pictures_.end()) return it->second.second;
  cairo_surface_t* surface = DecodePicture(shape->picture);
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
  for (const auto& node : screen.TopLevel()) pass.DrawNode(*node, base, Kinefold::TColorMatrix());
  cairo_restore(cr);
}

}  // namespace render
