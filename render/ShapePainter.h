// Draws document shapes that have no screen objects of their own: the shapes
// of a slide's layout and master, and what a graphic frame shows (table cells,
// a diagram's stored drawing). The fill, picture and line helpers are shared
// with the frame renderer's drawing of screen shapes.
#pragma once

#include <functional>

#include <cairo.h>
#include <pango/pangocairo.h>
#include <boost/shared_ptr.hpp>

#include "document/Shape.h"
#include "host/Kinefold.h"
#include "publisher/TextLayout.h"

namespace render {

// The decoded picture of a shape (owned by the caller's cache), or null.
using PictureSource = std::function<cairo_surface_t*(const boost::shared_ptr<platform::Shape>&)>;
// The decoded picture of a paragraph's picture bullet (owned by the caller's
// cache), or null.
using BulletSource = std::function<cairo_surface_t*(const platform::Paragraph&)>;

// Fills the current path of `cr` (kept) with `fill`: its gradient over the box
// (x, y, width, height), else the plain colour `solid`.
void FillCurrentPath(cairo_t* cr, const platform::FillStyle& fill, const Kinefold::TColor& solid,
                     const double box[4], const Kinefold::TColorMatrix& colour);
// Paints `picture` (cropped as `data` says) over the box, inside the current
// path of `cr` (kept).
void PaintPicture(cairo_t* cr, cairo_surface_t* picture, const platform::PictureData& data,
                  const double box[4], const Kinefold::TColorMatrix& colour);
// Strokes the current path of `cr` (kept) with the line's width and dashes.
void StrokeCurrentPath(cairo_t* cr, const platform::LineStyle& line, const Kinefold::TColor& ink,
                       const Kinefold::TColorMatrix& colour);

// Draws the outer shadow and the glow of `shape` under its fill (or picture,
// when `filled`) and line (when `stroked`), in the current user space of `cr`
// (the shape's own, flips included); `slide` maps slide units to device
// space. The colour transform's opacity applies to both.
void PaintShapeShadow(cairo_t* cr, const platform::Shape& shape, bool filled, bool stroked,
                      const Kinefold::TColorMatrix& colour, const cairo_matrix_t& slide);
// Draws what `body` paints of `shape` (its fill, picture and line, in the
// current user space of `cr`) with the shape's soft edges and reflection;
// `filled` and `stroked` as for the shadow.
void PaintShapeBody(cairo_t* cr, const platform::Shape& shape, bool filled, bool stroked,
                    const cairo_matrix_t& slide, const std::function<void(cairo_t*)>& body);
// Draws `picture`, a paragraph's picture bullet, one bullet size high, its
// bottom on the first line's baseline, at the bullet's place; `alpha` is its
// opacity.
void PaintBulletPicture(cairo_t* cr, cairo_surface_t* picture, const platform::ParagraphPlace& pp,
                        double alpha);
// Draws the glow and then the outer shadow of `layout`, a run with the
// character properties `props`, shown at (x, top) in the current user space
// of `cr`, at the opacity `alpha` (0..255) of its letters. A run without a
// shadow of its own takes `fallback` when there is one.
void PaintTextShadow(cairo_t* cr, PangoLayout* layout, const platform::CharProps& props,
                     const platform::ShadowStyle* fallback, int alpha, double x, double top);
// The shadow that the text of `shape` takes from the shape: its own, when it
// has neither fill, line nor picture to cast it; else null.
const platform::ShadowStyle* TextShadowOf(const platform::Shape& shape);
// The slide space `m` turned for vertical text about the centre of its box
// (left, top, right, bottom); `m` itself for horizontal text.
cairo_matrix_t TurnForText(const platform::TextBody& body, const double box[4],
                           const cairo_matrix_t& m);

class ShapePainter {
 public:
  ShapePainter(cairo_t* cr, PangoContext* pango, platform::ITextMeasurer& measurer,
               PictureSource pictures, BulletSource bullets)
      : cr_(cr),
        pango_(pango),
        measurer_(measurer),
        pictures_(std::move(pictures)),
        bullets_(std::move(bullets)) {}

  // Draws `shape` (a group: its members) in the slide space `m`.
  void Paint(const boost::shared_ptr<platform::Shape>& shape, const cairo_matrix_t& m,
             const Kinefold::TColorMatrix& colour, const platform::FillStyle* groupFill = nullptr);
  // Draws the parts of a graphic frame in the slide space `m`.
  void PaintParts(const platform::Shape& frame, const cairo_matrix_t& m,
                  const Kinefold::TColorMatrix& colour);

 private:
  void PaintText(const platform::Shape& shape, const cairo_matrix_t& m,
                 const Kinefold::TColorMatrix& colour);
  void ShowText(const std::wstring& text, const platform::CharProps& props,
                const Kinefold::TColor& ink, double x, double baseline);

  cairo_t* cr_;
  PangoContext* pango_;
  platform::ITextMeasurer& measurer_;
  PictureSource pictures_;
  BulletSource bullets_;
  const platform::ShadowStyle* textShadow_ = nullptr;  // of the text being drawn
};

}  // namespace render
