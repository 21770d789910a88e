// Decodes the pictures embedded in a deck into cairo image surfaces: PNG,
// JPEG when built with libjpeg, and through gdk-pixbuf when built with it GIF,
// BMP, TIFF and (with its WMF loader installed) WMF. EMF has no Debian
// decoder and is not drawn.
#pragma once

#include <cairo.h>

#include "document/Shape.h"

namespace render {

// A new ARGB32 surface (release with cairo_surface_destroy), or null when the
// bytes are not a picture this build can read.
cairo_surface_t* DecodePicture(const platform::PictureData& picture);

// The resolution a decoded picture's file states, in pixels per inch (96
// when it states none); a picture is tiled at the size this gives it.
void PictureResolution(cairo_surface_t* picture, double& x, double& y);
void SetPictureResolution(cairo_surface_t* picture, double x, double y);

// True when this build reads JPEG pictures.
bool DecodesJpeg();

}  // namespace render
