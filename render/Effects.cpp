#include "render/Effects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/PictureDecoder.h"

namespace render {
namespace {

// One pass of a running-sum box blur over `count` samples `step` apart.
void BlurLine(unsigned char* first, int count, int step, int radius, std::vector<int>& scratch) {
  scratch.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) scratch[static_cast<size_t>(i)] = first[i * step];
  const int window = 2 * radius + 1;
  int sum = 0;
  for (int i = -radius; i <= radius; ++i)
    if (i >= 0 && i < count) sum += scratch[static_cast<size_t>(i)];
  for (int i = 0; i < count; ++i) {
    first[i * step] = static_cast<unsigned char>((sum + window / 2) / window);
    const int out = i - radius, in = i + radius + 1;
    if (out >= 0) sum -= scratch[static_cast<size_t>(out)];
    if (in < count) sum += scratch[static_cast<size_t>(in)];
  }
}

bool Recolours(const platform::PictureData& d) {
  return d.grey || d.duotone || d.brightness != 0.0 || d.contrast != 0.0 || d.opacity < 1.0;
}

// The device-space bounds (left, top, right, bottom) of the box (x, y, width,
// height) under `m`, moved by (dx, dy).
void DeviceBounds(const cairo_matrix_t& m, const double box[4], double dx, double dy,
                  double bounds[4]) {
  bounds[0] = bounds[1] = INFINITY;
  bounds[2] = bounds[3] = -INFINITY;
  for (int corner = 0; corner < 4; ++corner) {
    double x = box[0] + (corner & 1 ? box[2] : 0.0), y = box[1] + (corner & 2 ? box[3] : 0.0);
    cairo_matrix_transform_point(&m, &x, &y);
    bounds[0] = std::min(bounds[0], x + dx);
    bounds[1] = std::min(bounds[1], y + dy);
    bounds[2] = std::max(bounds[2], x + dx);
    bounds[3] = std::max(bounds[3], y + dy);
  }
}

int Clamp255(double v) {
  return static_cast<int>(std::lround(std::max(0.0, std::min(255.0, v))));
}

}  // namespace

void BoxBlur(cairo_surface_t* surface, int radius) {
  if (radius <= 0) return;
  cairo_surface_flush(surface);
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_A8 && format != CAIRO_FORMAT_ARGB32) return;
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  if (!data || w <= 0 || h <= 0) return;
  // ARGB32 is blurred channel by channel (premultiplied, so colours stay
  // consistent with alpha).
  const int channels = format == CAIRO_FORMAT_A8 ? 1 : 4;
  std::vector<int> scratch;
  for (int pass = 0; pass < 3; ++pass)
    for (int c = 0; c < channels; ++c) {
      for (int y = 0; y < h; ++y) BlurLine(data + y * stride + c, w, channels, radius, scratch);
      for (int x = 0; x < w; ++x) BlurLine(data + x * channels + c, h, stride, radius, scratch);
    }
  cairo_surface_mark_dirty(surface);
}

void DrawShadow(cairo_t* cr, const platform::ShadowStyle& shadow, const Kinefold::TColor& colour,
                const double box[4], const cairo_matrix_t& slide,
                const std::function<void(cairo_t*)>& silhouette) {
  if (!shadow.present || colour.alpha == 0) return;
  double dx = shadow.dx, dy = shadow.dy;
  cairo_matrix_transform_distance(&slide, &dx, &dy);
  const double scale = std::sqrt(std::fabs(slide.xx * slide.yy - slide.xy * slide.yx));
  const double blur = shadow.blur * scale;
  if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(blur)) return;
  // Three box passes of radius r spread about as far as a Gaussian with a
  // deviation of r; the blur radius spans about two deviations.
  const int radius = static_cast<int>(std::lround(std::min(blur / 2.0, 200.0)));

  // The device area the moved, blurred silhouette can touch, within the clip.
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  double bounds[4];
  DeviceBounds(m, box, dx, dy, bounds);
  double l = bounds[0], t = bounds[1], r = bounds[2], b = bounds[3];
  const double pad = 3.0 * radius + 2.0;
  double cl, ct, cr2, cb;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_clip_extents(cr, &cl, &ct, &cr2, &cb);
  cairo_restore(cr);
  l = std::max(l - pad, cl);
  t = std::max(t - pad, ct);
  r = std::min(r + pad, cr2);
  b = std::min(b + pad, cb);
  if (!(r > l && b > t) || r - l > 16384 || b - t > 16384) return;
  const int x0 = static_cast<int>(std::floor(l)), y0 = static_cast<int>(std::floor(t));
  const int w = static_cast<int>(std::ceil(r)) - x0, h = static_cast<int>(std::ceil(b)) - y0;

  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
  cairo_t* mc = cairo_create(mask);
  cairo_matrix_t moved = m;
  moved.x0 += dx - x0;
  moved.y0 += dy - y0;
  cairo_set_matrix(mc, &moved);
  cairo_set_source_rgba(mc, 0, 0, 0, 1);
  silhouette(mc);
  cairo_destroy(mc);
  BoxBlur(mask, radius);

  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_rgba(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0,
                        colour.alpha / 255.0);
  cairo_mask_surface(cr, mask, x0, y0);
  cairo_restore(cr);
  cairo_surface_destroy(mask);
}

void DrawWithEdgeEffects(cairo_t* cr, double softEdge, const platform::ReflectionStyle& reflection,
                         const double frame[4], const double box[4], const cairo_matrix_t& slide,
                         const std::function<void(cairo_t*)>& body,
                         const std::function<void(cairo_t*)>& silhouette) {
  const double scale = std::sqrt(std::fabs(slide.xx * slide.yy - slide.xy * slide.yx));
  const double soft = softEdge * scale, blur = reflection.blur * scale;
  const bool softened = std::isfinite(soft) && soft >= 0.5;
  const bool reflected = reflection.present && std::isfinite(blur);
  // The shape is drawn into a layer of its device area first.
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  double bounds[4];
  DeviceBounds(m, box, 0, 0, bounds);
  double l = bounds[0], t = bounds[1], r = bounds[2], b = bounds[3];
  if ((!softened && !reflected) || !(r > l && b > t) || r - l > 8192 || b - t > 8192) {
    body(cr);
    return;
  }
  const int x0 = static_cast<int>(std::floor(l)) - 1, y0 = static_cast<int>(std::floor(t)) - 1;
  const int w = static_cast<int>(std::ceil(r)) + 1 - x0,
            h = static_cast<int>(std::ceil(b)) + 1 - y0;
  cairo_matrix_t shifted = m;
  shifted.x0 -= x0;
  shifted.y0 -= y0;
  cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* lc = cairo_create(layer);
  cairo_set_matrix(lc, &shifted);
  body(lc);

  if (softened) {
    // A blurred silhouette is half opaque at the edge; stretching its upper
    // half gives an opacity that rises from nothing at the edge to nearly
    // full about the radius inside.
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* mc = cairo_create(mask);
    cairo_set_matrix(mc, &shifted);
    cairo_set_source_rgba(mc, 0, 0, 0, 1);
    silhouette(mc);
    cairo_destroy(mc);
    BoxBlur(mask, static_cast<int>(std::lround(std::min(soft / 2.0, 200.0))));
    cairo_surface_flush(mask);
    unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        unsigned char& a = data[y * stride + x];
        a = static_cast<unsigned char>(std::max(0, 2 * a - 255));
      }
    cairo_surface_mark_dirty(mask);
    cairo_identity_matrix(lc);
    cairo_set_operator(lc, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(lc, mask, 0, 0);
    cairo_paint(lc);
    cairo_surface_destroy(mask);
  }
  cairo_destroy(lc);

  if (reflected) {
    const int radius = static_cast<int>(std::lround(std::min(blur / 2.0, 200.0)));
    const int pad = 3 * radius;
    cairo_surface_t* copy =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w + 2 * pad, h + 2 * pad);
    cairo_t* cc = cairo_create(copy);
    cairo_set_source_surface(cc, layer, pad, pad);
    cairo_paint(cc);
    cairo_destroy(cc);
    BoxBlur(copy, radius);
    // Mirrored about the frame's bottom edge, moved down by the gap.
    const double bottom = frame[1] + frame[3];
    cairo_matrix_t mirror, pattern;
    cairo_matrix_init(&mirror, 1, 0, 0, -1, 0, 2 * bottom + reflection.dist);
    cairo_matrix_multiply(&pattern, &mirror, &m);
    pattern.x0 -= x0 - pad;
    pattern.y0 -= y0 - pad;
    cairo_pattern_t* source = cairo_pattern_create_for_surface(copy);
    cairo_pattern_set_matrix(source, &pattern);
    const double top = bottom + reflection.dist;
    cairo_pattern_t* fade =
        cairo_pattern_create_linear(0, top, 0, top + reflection.endPos * frame[3]);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, reflection.startAlpha);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, reflection.endAlpha);
    cairo_pattern_set_extend(fade, CAIRO_EXTEND_NONE);
    cairo_save(cr);
    cairo_set_source(cr, source);
    cairo_mask(cr, fade);
    cairo_restore(cr);
    cairo_pattern_destroy(fade);
    cairo_pattern_destroy(source);
    cairo_surface_destroy(copy);
  }

  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, layer, x0, y0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(layer);
}

cairo_surface_t* WithPictureEffects(cairo_surface_t* picture, const platform::PictureData& d) {
  if (!picture || !Recolours(d)) return picture;
  if (cairo_image_surface_get_format(picture) != CAIRO_FORMAT_ARGB32) {
    cairo_surface_t* copy =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(picture),
                                   cairo_image_surface_get_height(picture));
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    double x = 0, y = 0;
    PictureResolution(picture, x, y);
    SetPictureResolution(copy, x, y);
    cairo_surface_destroy(picture);
    picture = copy;
  }
  cairo_surface_flush(picture);
  const int w = cairo_image_surface_get_width(picture);
  const int h = cairo_image_surface_get_height(picture);
  const int stride = cairo_image_surface_get_stride(picture);
  unsigned char* data = cairo_image_surface_get_data(picture);
  // Contrast stretches about mid grey; brightness then shifts.
  const double c = std::max(-0.99, std::min(0.99, d.contrast));
  const double gain = c >= 0 ? 1.0 / (1.0 - c) : 1.0 + c;
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const int a = static_cast<int>(p >> 24);
      if (!a) continue;
      double rgb[3] = {((p >> 16) & 0xFF) * 255.0 / a, ((p >> 8) & 0xFF) * 255.0 / a,
                       (p & 0xFF) * 255.0 / a};
      if (d.grey || d.duotone) {
        const double grey = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2];
        if (d.duotone) {
          const double k = grey / 255.0;
          rgb[0] = d.duoDark.red + (d.duoLight.red - d.duoDark.red) * k;
          rgb[1] = d.duoDark.green + (d.duoLight.green - d.duoDark.green) * k;
          rgb[2] = d.duoDark.blue + (d.duoLight.blue - d.duoDark.blue) * k;
        } else {
          rgb[0] = rgb[1] = rgb[2] = grey;
        }
      }
      for (double& v : rgb) v = (v - 127.5) * gain + 127.5 + d.brightness * 255.0;
      const int alpha = Clamp255(a * d.opacity);
      uint32_t out = static_cast<uint32_t>(alpha) << 24;
      for (int k = 0; k < 3; ++k)
        out |= static_cast<uint32_t>(Clamp255(rgb[k]) * alpha / 255) << (16 - 8 * k);
      row[x] = out;
    }
  }
  cairo_surface_mark_dirty(picture);
  return picture;
}

}  // namespace render
