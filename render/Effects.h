// Effects drawn around and over shapes: the blurred outer shadow of a
// silhouette, soft edges and reflections, and the recolouring of decoded pictures.
#pragma once

#include <functional>

#include <cairo.h>

#include "document/Shape.h"

namespace render {

// Blurs the alpha of an A8 or ARGB32 image surface in place: three passes
// of a box blur of `radius` pixels each way, close to a Gaussian blur with
// a deviation of about radius.
void BoxBlur(cairo_surface_t* surface, int radius);

// Draws `shadow` in `colour` under a silhouette: `silhouette` paints it,
// opaque, with the current matrix of `cr` into a mask, which is moved by the
// shadow's offset, blurred and painted through the current clip of `cr`.
// `box` (left, top, width, height in the current user space) bounds what the
// silhouette paints; `slide` maps slide units to device space and gives the
// offset's direction and the blur's scale.
void DrawShadow(cairo_t* cr, const platform::ShadowStyle& shadow, const Kinefold::TColor& colour,
                const double box[4], const cairo_matrix_t& slide,
                const std::function<void(cairo_t*)>& silhouette);

// Draws what `body` paints (in the current user space of `cr`) with soft
// edges and a reflection: its opacity fades to nothing over `softEdge` slide
// units inside the edge of what `silhouette` paints, opaque, and a mirrored
// copy, blurred and fading, goes below `frame` (left, top, width, height in
// the current user space). `box` bounds what `body` paints; `slide` maps
// slide units to device space and gives the blurs' scale. Without either
// effect (or for a layer too large to hold) `body` paints straight onto `cr`.
void DrawWithEdgeEffects(cairo_t* cr, double softEdge, const platform::ReflectionStyle& reflection,
                         const double frame[4], const double box[4], const cairo_matrix_t& slide,
                         const std::function<void(cairo_t*)>& body,
                         const std::function<void(cairo_t*)>& silhouette);

// The decoded `picture` recoloured as the picture's effects say (grey,
// duotone, brightness and contrast, opacity): the same surface changed in
// place, or an ARGB32 copy that replaces it (the original is released).
cairo_surface_t* WithPictureEffects(cairo_surface_t* picture, const platform::PictureData& data);

}  // namespace render
