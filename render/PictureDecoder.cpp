#include "render/PictureDecoder.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#ifdef SLIDEANIM_HAVE_JPEG
#include <jpeglib.h>
#endif
#ifdef SLIDEANIM_HAVE_PIXBUF
#include <gdk-pixbuf/gdk-pixbuf.h>
#endif

namespace render {
namespace {

bool StartsWith(const std::vector<unsigned char>& bytes, const unsigned char* magic, size_t n) {
  return bytes.size() >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

struct Reader {
  const std::vector<unsigned char>* bytes;
  size_t offset;
};

cairo_status_t ReadChunk(void* closure, unsigned char* data, unsigned int length) {
  Reader* r = static_cast<Reader*>(closure);
  if (r->offset + length > r->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, r->bytes->data() + r->offset, length);
  r->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

const cairo_user_data_key_t kResolutionKey = {0};

void ReadPngBytes(png_structp png, png_bytep data, png_size_t length) {
  Reader* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (r->offset + length > r->bytes->size()) png_error(png, "truncated");
  std::memcpy(data, r->bytes->data() + r->offset, length);
  r->offset += length;
}

// The pHYs resolution of a PNG file, read by libpng from its header.
bool PngResolution(const std::vector<unsigned char>& bytes, double& x, double& y) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  Reader reader{&bytes, 0};
  volatile bool found = false;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_set_read_fn(png, &reader, ReadPngBytes);
    png_read_info(png, info);
    png_uint_32 px = 0, py = 0;
    int unit = 0;
    if (png_get_pHYs(png, info, &px, &py, &unit) && unit == PNG_RESOLUTION_METER && px && py) {
      x = px * 0.0254;
      y = py * 0.0254;
      found = true;
    }
  }
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  return found;
}

cairo_surface_t* DecodePng(const std::vector<unsigned char>& bytes) {
  Reader reader{&bytes, 0};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadChunk, &reader);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  double x = 0, y = 0;
  if (PngResolution(bytes, x, y)) SetPictureResolution(s, x, y);
  return s;
}

#ifdef SLIDEANIM_HAVE_JPEG
struct JpegError {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Warnings about damaged data are not printed; what can be decoded is drawn.
void OnJpegMessage(j_common_ptr) {}

cairo_surface_t* DecodeJpeg(const std::vector<unsigned char>& bytes) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = OnJpegError;
  error.base.output_message = OnJpegMessage;
  cairo_surface_t* volatile surface = nullptr;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    if (surface) cairo_surface_destroy(surface);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int w = static_cast<int>(info.output_width), h = static_cast<int>(info.output_height);
  surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  // The row buffer belongs to the decoder, so an error jump leaks nothing.
  JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              static_cast<JDIMENSION>(w) * 3, 1);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, rows, 1);
    const JSAMPROW row = rows[0];
    uint32_t* out = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x)
      out[x] = 0xFF000000u | (uint32_t(row[x * 3]) << 16) | (uint32_t(row[x * 3 + 1]) << 8) |
               row[x * 3 + 2];
  }
  // Density unit 1: dots per inch, 2: dots per centimetre.
  const double perInch = info.density_unit == 1 ? 1.0 : info.density_unit == 2 ? 2.54 : 0.0;
  if (perInch > 0 && info.X_density && info.Y_density)
    SetPictureResolution(surface, info.X_density * perInch, info.Y_density * perInch);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  cairo_surface_mark_dirty(surface);
  return surface;
}
#endif

#ifdef SLIDEANIM_HAVE_PIXBUF
// A loader asked for `size` (width, height; none when zero) of the picture.
void OnSizePrepared(GdkPixbufLoader* loader, gint, gint, gpointer size) {
  const int* wanted = static_cast<const int*>(size);
  if (wanted[0] > 0 && wanted[1] > 0) gdk_pixbuf_loader_set_size(loader, wanted[0], wanted[1]);
}

// The decoded picture, owned by `loader` (null when it cannot be read), and
// whether its format is a vector one.
GdkPixbuf* Load(GdkPixbufLoader* loader, const std::vector<unsigned char>& bytes, int size[2],
                bool& vector) {
  g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), size);
  GdkPixbuf* pixbuf = nullptr;
  if (gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr) &&
      gdk_pixbuf_loader_close(loader, nullptr)) {
    pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
  } else {
    gdk_pixbuf_loader_close(loader, nullptr);
  }
  vector = false;
  if (GdkPixbufFormat* format = gdk_pixbuf_loader_get_format(loader)) {
    gchar* name = gdk_pixbuf_format_get_name(format);
    vector = gdk_pixbuf_format_is_scalable(format) || (name && std::strcmp(name, "wmf") == 0);
    g_free(name);
  }
  return pixbuf;
}

// GIF, BMP, TIFF, ICO and, with the Debian package libwmf-0.2-7-gtk, WMF:
// whatever gdk-pixbuf's loaders read (the first frame of an animation).
// Vector pictures (WMF) come at their nominal size, often a few hundred
// pixels wide: they are read again with their longer side at 2048 pixels.
cairo_surface_t* DecodeWithPixbuf(const std::vector<unsigned char>& bytes) {
  int size[2] = {0, 0};
  bool vector = false;
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  GdkPixbuf* pixbuf = Load(loader, bytes, size, vector);
  if (pixbuf && vector) {
    const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
    const double scale = 2048.0 / std::max(1, std::max(w, h));
    if (scale > 1.0 && w > 0 && h > 0) {
      size[0] = std::max(1, static_cast<int>(std::lround(w * scale)));
      size[1] = std::max(1, static_cast<int>(std::lround(h * scale)));
      GdkPixbufLoader* large = gdk_pixbuf_loader_new();
      if (GdkPixbuf* again = Load(large, bytes, size, vector)) {
        g_object_unref(loader);
        loader = large;
        pixbuf = again;
      } else {
        g_object_unref(large);
      }
    }
  }
  cairo_surface_t* surface = nullptr;
  const int w = pixbuf ? gdk_pixbuf_get_width(pixbuf) : 0;
  const int h = pixbuf ? gdk_pixbuf_get_height(pixbuf) : 0;
  if (pixbuf && w > 0 && h > 0 && w <= 16384 && h <= 16384 &&
      gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
      gdk_pixbuf_get_bits_per_sample(pixbuf) == 8) {
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf) && channels == 4;
    const int inStride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* in = gdk_pixbuf_read_pixels(pixbuf);
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
      const guchar* p = in + y * inStride;
      uint32_t* out = reinterpret_cast<uint32_t*>(data + y * stride);
      for (int x = 0; x < w; ++x, p += channels) {
        const uint32_t a = alpha ? p[3] : 255;
        out[x] = (a << 24) | ((p[0] * a / 255) << 16) | ((p[1] * a / 255) << 8) | (p[2] * a / 255);
      }
    }
    cairo_surface_mark_dirty(surface);
  }
  g_object_unref(loader);
  return surface;
}
#endif

}  // namespace

cairo_surface_t* DecodePicture(const platform::PictureData& picture) {
  static const unsigned char png[] = {0x89, 'P', 'N', 'G'};
  static const unsigned char jpeg[] = {0xFF, 0xD8, 0xFF};
  if (StartsWith(picture.bytes, png, sizeof png)) return DecodePng(picture.bytes);
#ifdef SLIDEANIM_HAVE_JPEG
  if (StartsWith(picture.bytes, jpeg, sizeof jpeg)) return DecodeJpeg(picture.bytes);
#else
  (void)jpeg;
#endif
#ifdef SLIDEANIM_HAVE_PIXBUF
  if (!picture.bytes.empty()) return DecodeWithPixbuf(picture.bytes);
#endif
  return nullptr;
}

void PictureResolution(cairo_surface_t* picture, double& x, double& y) {
  const double* stated =
      picture ? static_cast<const double*>(cairo_surface_get_user_data(picture, &kResolutionKey))
              : nullptr;
  x = stated ? stated[0] : 96.0;
  y = stated ? stated[1] : 96.0;
}

void SetPictureResolution(cairo_surface_t* picture, double x, double y) {
  // Below 1 or above 10000 pixels per inch the file is taken to be wrong.
  if (!picture || !(x >= 1 && x <= 10000 && y >= 1 && y <= 10000)) return;
  double* stated = new double[2]{x, y};
  if (cairo_surface_set_user_data(picture, &kResolutionKey, stated, [](void* p) {
        delete[] static_cast<double*>(p);
      }) != CAIRO_STATUS_SUCCESS)
    delete[] stated;
}

bool DecodesJpeg() {
#ifdef SLIDEANIM_HAVE_JPEG
  return true;
#else
  return false;
#endif
}

}  // namespace render
