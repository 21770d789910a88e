// An ARGB image (cairo's premultiplied 32-bit format), with PNG input and
// output and a per-pixel comparison for tests.
#pragma once

#include <cstdint>
#include <string>

#include <cairo.h>

namespace render {

class Image {
 public:
  Image() = default;
  Image(int width, int height);  // transparent
  // Takes over a reference to `surface`.
  explicit Image(cairo_surface_t* surface) : surface_(surface) {}
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  Image(Image&& other) noexcept : surface_(other.surface_) { other.surface_ = nullptr; }
  Image& operator=(Image&& other) noexcept;
  ~Image();

  bool Valid() const { return surface_ != nullptr; }
  int Width() const;
  int Height() const;
  cairo_surface_t* Surface() const { return surface_; }

  // Unpremultiplied 0xAARRGGBB of a pixel; 0 outside the image.
  uint32_t Pixel(int x, int y) const;

  bool WritePng(const std::string& path) const;
  // An invalid image when the file cannot be read as a PNG.
  static Image ReadPng(const std::string& path);

 private:
  cairo_surface_t* surface_ = nullptr;
};

struct ImageDifference {
  bool sameSize = false;
  long pixels = 0;     // pixels compared
  long differing = 0;  // pixels with a channel off by more than the tolerance
  int largest = 0;     // largest channel difference seen
  Image picture;       // differing pixels in red over a faded copy of `expected`
};

ImageDifference Compare(const Image& actual, const Image& expected, int tolerance);

}  // namespace render
