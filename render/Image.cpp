#include "render/Image.h"

#include <algorithm>
#include <cstdlib>

#include "render/PngFile.h"

namespace render {
namespace {

uint32_t Unpremultiply(uint32_t p) {
  const uint32_t a = p >> 24;
  if (a == 0) return 0;
  if (a == 255) return p;
  auto channel = [&](int shift) {
    const uint32_t c = (p >> shift) & 0xFF;
    return std::min<uint32_t>(255, (c * 255 + a / 2) / a) << shift;
  };
  return (a << 24) | channel(16) | channel(8) | channel(0);
}

}  // namespace

Image::Image(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = other.surface_;
    other.surface_ = nullptr;
  }
  return *this;
}

Image::~Image() {
  if (surface_) cairo_surface_destroy(surface_);
}

int Image::Width() const {
  return surface_ ? cairo_image_surface_get_width(surface_) : 0;
}
int Image::Height() const {
  return surface_ ? cairo_image_surface_get_height(surface_) : 0;
}

uint32_t Image::Pixel(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  cairo_surface_flush(surface_);
  const unsigned char* row =
      cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
  return Unpremultiply(reinterpret_cast<const uint32_t*>(row)[x]);
}

bool Image::WritePng(const std::string& path) const {
  return surface_ && WritePngFile(surface_, path);
}

Image Image::ReadPng(const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return Image();
  }
  if (cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32) return Image(s);
  // Bring other formats to ARGB32.
  Image out(cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
  cairo_t* cr = cairo_create(out.Surface());
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return out;
}

ImageDifference Compare(const Image& actual, const Image& expected, int tolerance) {
  ImageDifference d;
  d.sameSize = actual.Valid() && expected.Valid() && actual.Width() == expected.Width() &&
               actual.Height() == expected.Height();
  if (!d.sameSize) return d;
  const int w = actual.Width(), h = actual.Height();
  d.picture = Image(w, h);
  cairo_surface_flush(d.picture.Surface());
  unsigned char* out = cairo_image_surface_get_data(d.picture.Surface());
  const int stride = cairo_image_surface_get_stride(d.picture.Surface());
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(out + y * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t a = actual.Pixel(x, y), e = expected.Pixel(x, y);
      int worst = 0;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                         static_cast<int>((e >> shift) & 0xFF)));
      ++d.pixels;
      d.largest = std::max(d.largest, worst);
      if (worst > tolerance) {
        ++d.differing;
        row[x] = 0xFFFF0000u;
      } else {
        // A faded grey copy of the expected pixel, for orientation.
        const uint32_t grey = (((e >> 16) & 0xFF) + ((e >> 8) & 0xFF) + (e & 0xFF)) / 3 / 4 + 191;
        row[x] = 0xFF000000u | (grey << 16) | (grey << 8) | grey;
      }
    }
  }
  cairo_surface_mark_dirty(d.picture.Surface());
  return d;
}

}  // namespace render
