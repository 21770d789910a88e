// Draws the current frame of a slide's screen objects with cairo and pango.
//
// Every node is drawn with its frame state composed over its parent's: the
// transform (a node's transform applies to its whole subtree), the colour
// transform (parent first, then child; channel * multiplier + offset on the
// 0..255 scale, alpha included), the position (a change moves the subtree)
// and the active mask children (the node and its subtree stay visible only
// inside each mask's area; masks follow the node's transform but not its
// position, so a shape can slide under its own mask). A shape's authored
// rotation turns the shape with its text about its centre; flips mirror its
// geometry only.
//
// The renderer reads platform screen objects only.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <cairo.h>
#include <boost/shared_ptr.hpp>

#include "publisher/SlideScreen.h"
#include "publisher/TextLayout.h"
#include "render/Image.h"

namespace render {

class FrameRenderer {
 public:
  // `measurer` lays text out again when an animation changes character
  // properties; by default the one the screen was built with.
  explicit FrameRenderer(const boost::shared_ptr<platform::ITextMeasurer>& measurer =
                             boost::shared_ptr<platform::ITextMeasurer>());
  ~FrameRenderer();
  FrameRenderer(const FrameRenderer&) = delete;
  FrameRenderer& operator=(const FrameRenderer&) = delete;

  // The slide's current frame, stretched over a width x height image (an
  // invalid image when either is not positive).
  Image Render(const platform::SlideScreen& screen, int width, int height);
  // Draws the current frame into `cr`, whose user space is in slide units.
  void Draw(cairo_t* cr, const platform::SlideScreen& screen);

 private:
  class Pass;

  cairo_surface_t* Picture(const boost::shared_ptr<platform::Shape>& shape);
  cairo_surface_t* BulletPicture(const platform::Paragraph& para);

  boost::shared_ptr<platform::ITextMeasurer> measurer_;
  std::map<const platform::Shape*, std::pair<boost::shared_ptr<platform::Shape>, cairo_surface_t*>>
      pictures_;
  // Decoded picture bullets by their bytes: a deck repeats one bullet picture
  // in many paragraphs, and each is drawn every frame.
  std::map<std::vector<unsigned char>, cairo_surface_t*> bulletPictures_;
};

}  // namespace render
