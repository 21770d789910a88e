// The static appearance of a slide for the web player, drawn by the frame
// renderer in layers: a background with everything that no effect animates,
// and one layer per screen object that an effect animates (a shape, its text
// body, or each paragraph, word or letter that an effect iterates over).
// A layer holds only what no layer inside it holds, so layers nest the way
// their screen objects do and the player composes them.
#pragma once

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Slide.h"
#include "publisher/SlideScreen.h"
#include "publisher/TextLayout.h"

namespace cli {

struct Layer {
  std::string name;                 // the screen object's name, e.g. "2", "2/p0/w1"
  int parent = -1;                  // index of the layer it sits in; -1 for the slide
  double bounds[4] = {0, 0, 0, 0};  // left, top, right, bottom in slide units
  double ink[4] = {0, 0, 0, 0};     // what its picture covers: left, top, width, height
  std::string file;                 // its picture, relative to the output folder
  bool blank = false;               // a word or letter of white space only
};

// Static content that lies above a top layer in the drawing order: drawn
// after that layer (and everything in it).
struct Overlay {
  int after = -1;
  double ink[4] = {0, 0, 0, 0};
  std::string file;
};

class LayerPlan {
 public:
  // The layers of the screen objects named `targets` (names that are not
  // drawable nodes, such as run views, stand for their shape's text body).
  LayerPlan(const boost::shared_ptr<platform::Slide>& slide,
            const boost::shared_ptr<platform::ITextMeasurer>& measurer,
            const std::vector<std::string>& targets);

  const std::vector<Layer>& Layers() const { return layers_; }
  const std::vector<Overlay>& Overlays() const { return overlays_; }
  // The layer that stands for the screen object `name`; -1 when none does.
  int LayerOf(const std::string& name) const;

  // Draws the background, every layer and the static content above each top
  // layer into SVG files named `prefix`-bg.svg, `prefix`-l<k>.svg and
  // `prefix`-bg<n>.svg in `folder` (file names relative to `folder`'s parent
  // go into the layers and overlays). The background's name is returned.
  // False, with one error line, when a file cannot be written.
  bool Draw(const std::string& folder, const std::string& relative, const std::string& prefix,
            std::string& background, std::ostream& err);

 private:
  platform::ScreenNode* Resolve(const std::string& name) const;
  void Isolate(int layer, int segment);

  boost::shared_ptr<platform::Slide> slide_;
  boost::shared_ptr<platform::ITextMeasurer> measurer_;
  boost::shared_ptr<platform::SlideScreen> screen_;
  std::vector<Layer> layers_;
  std::vector<Overlay> overlays_;
  std::vector<platform::ScreenNode*> nodes_;  // per layer
};

}  // namespace cli
