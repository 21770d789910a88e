#include "render/ShapePainter.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <vector>

#include "publisher/ColorMath.h"
#include "render/Effects.h"
#include "render/Gradient.h"
#include "render/PangoText.h"
#include "render/PictureDecoder.h"
#include "render/ShapePath.h"
#include "render/TableRows.h"

namespace render {
namespace {

constexpr double kPi = 3.14159265358979323846;

void SetColour(cairo_t* cr, const Kinefold::TColor& c) {
  cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

bool Recolours(const Kinefold::TColorMatrix& m) {
  return m.redMul != 1.0 || m.greenMul != 1.0 || m.blueMul != 1.0 || m.redAdd || m.greenAdd ||
         m.blueAdd;
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

void FillCurrentPath(cairo_t* cr, const platform::FillStyle& fill, const Kinefold::TColor& solid,
                     const double box[4], const Kinefold::TColorMatrix& colour) {
  cairo_pattern_t* gradient = fill.type == platform::eFillGradient
                                  ? GradientPattern(fill, box[0], box[1], box[2], box[3], colour)
                                  : nullptr;
  if (gradient) {
    cairo_set_source(cr, gradient);
    cairo_pattern_destroy(gradient);
  } else {
    SetColour(cr, platform::ApplyMatrix(solid, colour));
  }
  cairo_fill_preserve(cr);
}

void PaintPicture(cairo_t* cr, cairo_surface_t* picture, const platform::PictureData& data,
                  const double box[4], const Kinefold::TColorMatrix& colour) {
  const int w = cairo_image_surface_get_width(picture);
  const int h = cairo_image_surface_get_height(picture);
  if (w <= 0 || h <= 0) return;
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_surface_t* source = Recolours(colour) ? Recoloured(picture, colour) : picture;
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source);
  cairo_matrix_t place;
  if (data.tile) {
    // A tile takes the size its file's resolution gives it, scaled, aligned
    // in the box and moved by its offset.
    double dpiX = 96, dpiY = 96;
    PictureResolution(picture, dpiX, dpiY);
    const double tw = w * 96.0 / dpiX * data.tileScaleX, th = h * 96.0 / dpiY * data.tileScaleY;
    const double ox = box[0] + data.tileOffsetX + data.tileAlignX * (box[2] - tw) / 2;
    const double oy = box[1] + data.tileOffsetY + data.tileAlignY * (box[3] - th) / 2;
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_matrix_init_scale(&place, w / tw, h / th);
    cairo_matrix_translate(&place, -ox, -oy);
  } else {
    // The shown part of the picture (cropped sides) stretches over the box.
    const double sx = w * data.cropLeft, sy = h * data.cropTop;
    const double sw = w * (1.0 - data.cropLeft - data.cropRight);
    const double sh = h * (1.0 - data.cropTop - data.cropBottom);
    if (sw <= 0 || sh <= 0 || box[2] <= 0 || box[3] <= 0) {
      cairo_pattern_destroy(pattern);
      if (source != picture) cairo_surface_destroy(source);
      cairo_restore(cr);
      return;
    }
    // Pattern space maps user space onto the picture's pixels.
    cairo_matrix_init_translate(&place, sx, sy);
    cairo_matrix_scale(&place, sw / box[2], sh / box[3]);
    cairo_matrix_translate(&place, -box[0], -box[1]);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  }
  cairo_pattern_set_matrix(pattern, &place);
  cairo_set_source(cr, pattern);
  const double alpha =
      Recolours(colour) ? 1.0 : (255.0 * colour.alphaMul + colour.alphaAdd) / 255.0;
  cairo_paint_with_alpha(cr, std::max(0.0, std::min(1.0, alpha)));
  cairo_pattern_destroy(pattern);
  if (source != picture) cairo_surface_destroy(source);
  cairo_restore(cr);
}

namespace {

// A line end of `type` with its tip at (x, y), pointing along (dx, dy).
void DrawLineEnd(cairo_t* cr, const std::string& type, int widthSize, int lengthSize,
                 double lineWidth, double x, double y, double dx, double dy) {
  const double norm = std::hypot(dx, dy);
  if (type.empty() || norm <= 0) return;
  dx /= norm;
  dy /= norm;
  const double factors[3] = {2.0, 3.0, 5.0};
  const double w = factors[std::min(2, std::max(0, widthSize))] * std::max(lineWidth, 0.75) / 2;
  const double l = factors[std::min(2, std::max(0, lengthSize))] * std::max(lineWidth, 0.75);
  const double nx = -dy, ny = dx;  // across the line
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  if (type == "oval") {
    cairo_translate(cr, x, y);
    cairo_rotate(cr, std::atan2(dy, dx));
    cairo_scale(cr, l / 2, w);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_fill(cr);
  } else if (type == "diamond") {
    cairo_move_to(cr, x + dx * l / 2, y + dy * l / 2);
    cairo_line_to(cr, x + nx * w, y + ny * w);
    cairo_line_to(cr, x - dx * l / 2, y - dy * l / 2);
    cairo_line_to(cr, x - nx * w, y - ny * w);
    cairo_close_path(cr);
    cairo_fill(cr);
  } else if (type == "arrow") {
    cairo_move_to(cr, x - dx * l + nx * w, y - dy * l + ny * w);
    cairo_line_to(cr, x, y);
    cairo_line_to(cr, x - dx * l - nx * w, y - dy * l - ny * w);
    cairo_stroke(cr);
  } else {  // triangle, stealth
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x - dx * l + nx * w, y - dy * l + ny * w);
    if (type == "stealth") cairo_line_to(cr, x - dx * l * 0.6, y - dy * l * 0.6);
    cairo_line_to(cr, x - dx * l - nx * w, y - dy * l - ny * w);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// Draws the line ends of an open path (the current path of `cr`).
void DrawLineEnds(cairo_t* cr, const platform::LineStyle& line, double width) {
  if (line.headEnd.empty() && line.tailEnd.empty()) return;
  cairo_path_t* path = cairo_copy_path_flat(cr);
  std::vector<std::pair<double, double>> points;
  bool closed = false;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t& d = path->data[i];
    if (d.header.type == CAIRO_PATH_CLOSE_PATH) closed = true;
    if ((d.header.type == CAIRO_PATH_MOVE_TO && points.empty()) ||
        d.header.type == CAIRO_PATH_LINE_TO)
      points.emplace_back(path->data[i + 1].point.x, path->data[i + 1].point.y);
  }
  cairo_path_destroy(path);
  if (closed || points.size() < 2) return;
  // The direction from the nearest distinct point.
  size_t a = 1;
  while (a + 1 < points.size() && points[a] == points[0]) ++a;
  size_t b = points.size() - 2;
  while (b > 0 && points[b] == points.back()) --b;
  DrawLineEnd(cr, line.headEnd, line.headWidth, line.headLength, width, points[0].first,
              points[0].second, points[0].first - points[a].first,
              points[0].second - points[a].second);
  DrawLineEnd(cr, line.tailEnd, line.tailWidth, line.tailLength, width, points.back().first,
              points.back().second, points.back().first - points[b].first,
              points.back().second - points[b].second);
}

}  // namespace

void StrokeCurrentPath(cairo_t* cr, const platform::LineStyle& line, const Kinefold::TColor& ink,
                       const Kinefold::TColorMatrix& colour) {
  SetColour(cr, platform::ApplyMatrix(ink, colour));
  const double width = line.width > 0 ? line.width : 0.75;
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, line.join == 1   ? CAIRO_LINE_JOIN_ROUND
                          : line.join == 2 ? CAIRO_LINE_JOIN_BEVEL
                                           : CAIRO_LINE_JOIN_MITER);
  cairo_set_line_cap(cr, line.cap == 1   ? CAIRO_LINE_CAP_ROUND
                         : line.cap == 2 ? CAIRO_LINE_CAP_SQUARE
                                         : CAIRO_LINE_CAP_BUTT);
  if (!line.dashes.empty()) {
    std::vector<double> dashes;
    for (double d : line.dashes) dashes.push_back(std::max(0.1, d) * width);
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
  } else if (line.dashed) {
    const double dash[2] = {width * 3, width * 2};
    cairo_set_dash(cr, dash, 2, 0);
  } else {
    cairo_set_dash(cr, nullptr, 0, 0);
  }
  cairo_stroke_preserve(cr);
  DrawLineEnds(cr, line, width);
}

namespace {

// Paints the fill (when `filled`) and line (when `stroked`) of `doc` in the
// current source of `cr`.
void PaintSilhouette(cairo_t* cr, const platform::Shape& doc, bool filled, bool stroked) {
  ForEachShapePath(cr, doc, [&](bool fillable, bool strokable) {
    if (fillable && filled) cairo_fill_preserve(cr);
    if (strokable && stroked)
      StrokeCurrentPath(cr, doc.Line(), Kinefold::TColor{0, 0, 0, 255}, Kinefold::TColorMatrix());
    cairo_new_path(cr);
  });
}

void PaintShapeGlow(cairo_t* cr, const platform::Shape& doc, bool filled, bool stroked,
                    const Kinefold::TColorMatrix& colour, const cairo_matrix_t& slide) {
  const platform::ShadowStyle& glow = doc.glow;
  if (!glow.present) return;
  Kinefold::TColor ink = glow.colour;
  ink.alpha = platform::ApplyMatrix(ink, colour).alpha;
  // The silhouette grows by the glow's radius, then blurs over about as much,
  // so that the halo is nearly solid at the shape's edge and gone a radius
  // or two further out.
  const double line = stroked ? doc.Line().width : 0.0;
  const double reach = 2 * glow.blur + 5 * line;
  const double box[4] = {doc.X() - reach, doc.Y() - reach, doc.Width() + 2 * reach,
                         doc.Height() + 2 * reach};
  DrawShadow(cr, glow, ink, box, slide, [&](cairo_t* mask) {
    cairo_set_line_width(mask, 2 * glow.blur + line);
    cairo_set_line_join(mask, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(mask, CAIRO_LINE_CAP_ROUND);
    ForEachShapePath(mask, doc, [&](bool fillable, bool strokable) {
      if (fillable && filled) cairo_fill_preserve(mask);
      if ((fillable && filled) || (strokable && stroked)) cairo_stroke_preserve(mask);
      cairo_new_path(mask);
    });
  });
}

}  // namespace

void PaintShapeShadow(cairo_t* cr, const platform::Shape& doc, bool filled, bool stroked,
                      const Kinefold::TColorMatrix& colour, const cairo_matrix_t& slide) {
  if (!filled && !stroked) return;
  PaintShapeGlow(cr, doc, filled, stroked, colour, slide);
  if (!doc.shadow.present) return;
  Kinefold::TColor ink = doc.shadow.colour;
  ink.alpha = platform::ApplyMatrix(ink, colour).alpha;
  // Line ends reach a few line widths past the geometry.
  const double reach = stroked ? 5 * std::max(doc.Line().width, 0.75) : 0.0;
  const double box[4] = {doc.X() - reach, doc.Y() - reach, doc.Width() + 2 * reach,
                         doc.Height() + 2 * reach};
  DrawShadow(cr, doc.shadow, ink, box, slide,
             [&](cairo_t* mask) { PaintSilhouette(mask, doc, filled, stroked); });
}

void PaintShapeBody(cairo_t* cr, const platform::Shape& doc, bool filled, bool stroked,
                    const cairo_matrix_t& slide, const std::function<void(cairo_t*)>& body) {
  const double reach = stroked ? 5 * std::max(doc.Line().width, 0.75) : 0.0;
  const double frame[4] = {doc.X(), doc.Y(), doc.Width(), doc.Height()};
  const double box[4] = {doc.X() - reach, doc.Y() - reach, doc.Width() + 2 * reach,
                         doc.Height() + 2 * reach};
  DrawWithEdgeEffects(cr, doc.softEdge, doc.reflection, frame, box, slide, body,
                      [&](cairo_t* mask) { PaintSilhouette(mask, doc, filled, stroked); });
}

void PaintBulletPicture(cairo_t* cr, cairo_surface_t* picture, const platform::ParagraphPlace& pp,
                        double alpha) {
  if (!picture || pp.lines.empty() || alpha <= 0) return;
  const int pw = cairo_image_surface_get_width(picture);
  const int ph = cairo_image_surface_get_height(picture);
  const double height = pp.bulletProps.size * platform::kUnitsPerPoint;
  if (pw > 0 && ph > 0 && height > 0) {
    const double width = height * pw / ph;
    const double top = pp.lines.front().baseline - pp.bulletRise - height;
    cairo_save(cr);
    cairo_translate(cr, pp.bulletX, top);
    cairo_scale(cr, width / pw, height / ph);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_rectangle(cr, 0, 0, pw, ph);
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
  }
}

const platform::ShadowStyle* TextShadowOf(const platform::Shape& shape) {
  const bool bare = shape.Fill().type == platform::eFillNone && !shape.Line().present &&
                    shape.picture.bytes.empty();
  return bare && shape.shadow.present ? &shape.shadow : nullptr;
}

void PaintTextShadow(cairo_t* cr, PangoLayout* layout, const platform::CharProps& props,
                     const platform::ShadowStyle* fallback, int alpha, double x, double top) {
  const platform::ShadowStyle& own = props.shadow;
  const platform::ShadowStyle& shadow = own.present || !fallback ? own : *fallback;
  const platform::ShadowStyle& glow = props.glow;
  if ((!shadow.present && !glow.present) || alpha <= 0) return;
  auto faded = [alpha](Kinefold::TColor ink) {
    ink.alpha = ink.alpha * static_cast<uint32_t>(std::min(alpha, 255)) / 255;
    return ink;
  };
  PangoRectangle inkRect, logical;
  pango_layout_get_extents(layout, &inkRect, &logical);
  const double box[4] = {x + static_cast<double>(inkRect.x) / PANGO_SCALE,
                         top + static_cast<double>(inkRect.y) / PANGO_SCALE,
                         static_cast<double>(inkRect.width) / PANGO_SCALE,
                         static_cast<double>(inkRect.height) / PANGO_SCALE};
  cairo_matrix_t slide;
  cairo_get_matrix(cr, &slide);
  if (glow.present) {
    // As a shape's glow: the letters' outline grows by the radius, then blurs.
    const double reach = 2 * glow.blur;
    const double grown[4] = {box[0] - reach, box[1] - reach, box[2] + 2 * reach,
                             box[3] + 2 * reach};
    DrawShadow(cr, glow, faded(glow.colour), grown, slide, [&](cairo_t* mask) {
      cairo_set_line_width(mask, 2 * glow.blur);
      cairo_set_line_join(mask, CAIRO_LINE_JOIN_ROUND);
      cairo_move_to(mask, x, top);
      pango_cairo_layout_path(mask, layout);
      cairo_fill_preserve(mask);
      cairo_stroke(mask);
    });
  }
  if (!shadow.present) return;
  DrawShadow(cr, shadow, faded(shadow.colour), box, slide, [&](cairo_t* mask) {
    cairo_move_to(mask, x, top);
    pango_cairo_show_layout(mask, layout);
  });
}

void ShapePainter::Paint(const boost::shared_ptr<platform::Shape>& shape, const cairo_matrix_t& m,
                         const Kinefold::TColorMatrix& colour,
                         const platform::FillStyle* groupFill) {
  const platform::Shape& doc = *shape;
  if (doc.Kind() == platform::ShapeKind::Group) {
    const platform::FillStyle* fill =
        doc.Fill().type == platform::eFillGroup ? groupFill : &doc.Fill();
    for (const auto& child : doc.Children()) Paint(child, m, colour, fill);
    return;
  }
  cairo_save(cr_);
  cairo_matrix_t turned = m;
  if (doc.Rotation() != 0.0) {
    const double cx = doc.X() + doc.Width() / 2, cy = doc.Y() + doc.Height() / 2;
    cairo_matrix_translate(&turned, cx, cy);
    cairo_matrix_rotate(&turned, doc.Rotation() * kPi / 180.0);
    cairo_matrix_translate(&turned, -cx, -cy);
  }
  cairo_set_matrix(cr_, &turned);
  if (doc.FlipH() || doc.FlipV()) {
    const double cx = doc.X() + doc.Width() / 2, cy = doc.Y() + doc.Height() / 2;
    cairo_translate(cr_, cx, cy);
    cairo_scale(cr_, doc.FlipH() ? -1 : 1, doc.FlipV() ? -1 : 1);
    cairo_translate(cr_, -cx, -cy);
  }
  const platform::FillStyle& fill =
      doc.Fill().type == platform::eFillGroup && groupFill ? *groupFill : doc.Fill();
  const bool hasFill = fill.type == platform::eFillSolid || fill.type == platform::eFillGradient ||
                       fill.type == platform::eFillPattern;
  cairo_surface_t* picture = doc.picture.bytes.empty() ? nullptr : pictures_(shape);
  const double box[4] = {doc.X(), doc.Y(), doc.Width(), doc.Height()};
  PaintShapeShadow(cr_, doc, hasFill || picture, doc.Line().present, colour, m);
  PaintShapeBody(cr_, doc, hasFill || picture, doc.Line().present, m, [&](cairo_t* cr) {
    ForEachShapePath(cr, doc, [&](bool fillable, bool strokable) {
      if (fillable && hasFill) FillCurrentPath(cr, fill, fill.colour, box, colour);
      if (fillable && picture) PaintPicture(cr, picture, doc.picture, box, colour);
      if (strokable && doc.Line().present)
        StrokeCurrentPath(cr, doc.Line(), doc.Line().colour, colour);
      cairo_new_path(cr);
    });
  });
  cairo_restore(cr_);
  PaintParts(doc, turned, colour);
  if (doc.HasTextBody()) PaintText(doc, turned, colour);
}

void ShapePainter::PaintParts(const platform::Shape& frame, const cairo_matrix_t& m,
                              const Kinefold::TColorMatrix& colour) {
  for (const auto& part : FitTableRows(frame, measurer_)) Paint(part, m, colour);
}

cairo_matrix_t TurnForText(const platform::TextBody& body, const double box[4],
                           const cairo_matrix_t& m) {
  if (body.turn == 0) return m;
  const double cx = (box[0] + box[2]) * 0.5, cy = (box[1] + box[3]) * 0.5;
  cairo_matrix_t turn, out;
  cairo_matrix_init_translate(&turn, cx, cy);
  cairo_matrix_rotate(&turn, body.turn * kPi / 180.0);
  cairo_matrix_translate(&turn, -cx, -cy);
  cairo_matrix_multiply(&out, &turn, &m);
  return out;
}

void ShapePainter::PaintText(const platform::Shape& shape, const cairo_matrix_t& m,
                             const Kinefold::TColorMatrix& colour) {
  const platform::TextBody& body = shape.Text();
  if (body.Empty()) return;
  const double box[4] = {shape.X(), shape.Y(), shape.X() + shape.Width(),
                         shape.Y() + shape.Height()};
  const platform::TextPlace place = platform::LayoutText(body, box, measurer_);
  textShadow_ = TextShadowOf(shape);
  const cairo_matrix_t turned = TurnForText(body, box, m);
  std::lock_guard<std::recursive_mutex> lock(TextLock());
  cairo_save(cr_);
  cairo_set_matrix(cr_, &turned);
  pango_cairo_update_context(cr_, pango_);
  for (size_t k = 0; k < body.paragraphs.size() && k < place.paragraphs.size(); ++k) {
    const platform::Paragraph& para = body.paragraphs[k];
    const platform::ParagraphPlace& pp = place.paragraphs[k];
    if (pp.hasBullet && !para.bulletPicture.empty())
      PaintBulletPicture(
          cr_, bullets_(para), pp,
          platform::ApplyMatrix(Kinefold::TColor{0, 0, 0, 255}, colour).alpha / 255.0);
    else if (pp.hasBullet && !pp.lines.empty())
      ShowText(para.bullet, pp.bulletProps, platform::ApplyMatrix(pp.bulletProps.colour, colour),
               pp.bulletX, pp.lines.front().baseline - pp.bulletRise);
    const platform::ParagraphUnits units = platform::SplitUnits(para);
    std::wstring text;
    size_t first = 0, run = 0, line = 0;
    auto flush = [&]() {
      if (!text.empty() && run < para.runs.size() && line < pp.lines.size())
        ShowText(text, para.runs[run].props,
                 platform::ApplyMatrix(para.runs[run].props.colour, colour), pp.letters[first].x,
                 pp.lines[line].baseline);
      text.clear();
    };
    for (size_t i = 0; i < units.letters.size() && i < pp.letters.size(); ++i) {
      const wchar_t ch = units.letters[i].ch;
      if (ch == L'\t' || platform::IsLineBreak(ch)) {
        flush();
        continue;
      }
      if (text.empty() || units.letters[i].run != run || pp.letters[i].line != line ||
          !platform::FollowsOn(pp, i)) {
        flush();
        first = i;
        run = units.letters[i].run;
        line = pp.letters[i].line;
      }
      text += ch;
    }
    flush();
  }
  cairo_restore(cr_);
}

void ShapePainter::ShowText(const std::wstring& text, const platform::CharProps& props,
                            const Kinefold::TColor& ink, double x, double baseline) {
  if (ink.alpha == 0) return;
  std::lock_guard<std::recursive_mutex> lock(TextLock());
  PangoLayout* layout = pango_layout_new(pango_);
  SetLayoutText(layout, text, props);
  const double top =
      baseline - static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
  PaintTextShadow(cr_, layout, props, textShadow_, static_cast<int>(ink.alpha), x, top);
  cairo_move_to(cr_, x, top);
  SetColour(cr_, ink);
  pango_cairo_show_layout(cr_, layout);
  g_object_unref(layout);
}

}  // namespace render
