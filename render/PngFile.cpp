#include "render/PngFile.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace render {
namespace {

bool Opaque(const unsigned char* data, int width, int height, int stride) {
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x)
      if ((row[x] >> 24) != 0xFF) return false;
  }
  return true;
}

// One row of premultiplied native-endian pixels as RGB or unpremultiplied RGBA bytes.
void ConvertRow(const uint32_t* in, int width, bool alpha, unsigned char* out) {
  for (int x = 0; x < width; ++x) {
    const uint32_t p = in[x];
    uint32_t a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    if (!alpha) {
      *out++ = static_cast<unsigned char>(r);
      *out++ = static_cast<unsigned char>(g);
      *out++ = static_cast<unsigned char>(b);
      continue;
    }
    if (a == 0) {
      r = g = b = 0;
    } else if (a != 0xFF) {
      r = (r * 255 + a / 2) / a;
      g = (g * 255 + a / 2) / a;
      b = (b * 255 + a / 2) / a;
    }
    *out++ = static_cast<unsigned char>(r);
    *out++ = static_cast<unsigned char>(g);
    *out++ = static_cast<unsigned char>(b);
    *out++ = static_cast<unsigned char>(a);
  }
}

// libpng reports errors by longjmp; nothing with a destructor lives between
// the setjmp and the jump.
bool Encode(FILE* file, const unsigned char* data, int width, int height, int stride, bool alpha,
            unsigned char* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 3);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    ConvertRow(reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride), width,
               alpha, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePngFile(cairo_surface_t* surface, const std::string& path) {
  if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return false;
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return false;
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  if (!data || width <= 0 || height <= 0) return false;
  const bool alpha = format == CAIRO_FORMAT_ARGB32 && !Opaque(data, width, height, stride);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool encoded = Encode(file, data, width, height, stride, alpha, row.data());
  const bool closed = std::fclose(file) == 0;
  if (encoded && closed) return true;
  std::remove(path.c_str());
  return false;
}

}  // namespace render
