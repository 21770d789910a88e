#include "cli/HtmlLayers.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <functional>
#include <map>
#include <ostream>

#include <cairo-svg.h>

#include "cli/Common.h"
#include "common/Utf8.h"
#include "render/FrameRenderer.h"

namespace cli {

using platform::ScreenNode;

LayerPlan::LayerPlan(const boost::shared_ptr<platform::Slide>& slide,
                     const boost::shared_ptr<platform::ITextMeasurer>& measurer,
                     const std::vector<std::string>& targets)
    : slide_(slide), measurer_(measurer) {
  // A screen of its own, in its authored state: nothing hidden for entrances.
  screen_ = platform::SlideScreen::Build(slide, measurer);
  std::vector<ScreenNode*> wanted;
  for (const std::string& name : targets)
    if (ScreenNode* node = Resolve(name)) wanted.push_back(node);
  // Tree order, so that a layer comes after the layer it sits in.
  std::map<const ScreenNode*, int> index;
  for (const auto& top : screen_->TopLevel())
    top->Walk([&](ScreenNode& node) {
      if (std::find(wanted.begin(), wanted.end(), &node) == wanted.end()) return;
      Layer layer;
      layer.name = Utf8(node.Name());
      std::copy(node.Bounds(), node.Bounds() + 4, layer.bounds);
      const auto role = node.GetRole();
      if (role == ScreenNode::Role::Word || role == ScreenNode::Role::Letter) {
        layer.blank = true;
        node.Walk([&](ScreenNode& unit) {
          if (unit.GetRole() != ScreenNode::Role::Letter) return;
          const wchar_t ch = static_cast<platform::TextNode&>(unit).Char();
          if (!std::iswspace(static_cast<wint_t>(ch))) layer.blank = false;
        });
      }
      for (const ScreenNode* up = node.Parent(); up; up = up->Parent()) {
        auto it = index.find(up);
        if (it != index.end()) {
          layer.parent = it->second;
          break;
        }
      }
      index[&node] = static_cast<int>(layers_.size());
      layers_.push_back(layer);
      nodes_.push_back(&node);
    });
}

ScreenNode* LayerPlan::Resolve(const std::string& name) const {
  const std::wstring wide = platform::FromUtf8(name);
  if (auto node = screen_->FindNode(wide)) return node.get();
  // Run views and formatting runs stand for the text body of their shape.
  const std::wstring shape = wide.substr(0, wide.find(L'/'));
  auto node = screen_->FindShape(shape);
  if (!node) return nullptr;
  if (node->TextBodyNode()) return node->TextBodyNode();
  return node.get();
}

int LayerPlan::LayerOf(const std::string& name) const {
  const ScreenNode* node = Resolve(name);
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i] == node) return static_cast<int>(i);
  return -1;
}

// Shows only what layer `layer` holds, or for -1 the static content of
// `segment`: fills and letters whose nearest layer is another one, or that
// lie in another stretch of the drawing order, are made transparent.
void LayerPlan::Isolate(int layer, int segment) {
  screen_->ResetFrame();
  int roots = 0;  // top layers passed in drawing order
  std::function<void(ScreenNode&, int)> visit = [&](ScreenNode& node, int owner) {
    auto it = std::find(nodes_.begin(), nodes_.end(), &node);
    if (it != nodes_.end()) {
      owner = static_cast<int>(it - nodes_.begin());
      if (layers_[static_cast<size_t>(owner)].parent < 0) ++roots;
    }
    platform::FrameState& frame = node.MutableFrame();
    frame.colour = Kinefold::TColorMatrix();
    frame.masks.clear();
    const auto role = node.GetRole();
    const bool shown = owner == layer && (layer >= 0 || roots == segment);
    if ((role == ScreenNode::Role::Fill || role == ScreenNode::Role::Letter) && !shown)
      frame.colour.alphaMul = 0.0;
    for (const auto& part : node.Parts()) visit(*part, owner);
  };
  for (const auto& top : screen_->TopLevel()) visit(*top, -1);
}

namespace {

// What the renderer draws of the screen, in whole slide units: left, top,
// width, height; a width of 0 when it draws nothing.
void InkOf(const platform::SlideScreen& screen, render::FrameRenderer& renderer, double box[4]) {
  cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
  cairo_t* cr = cairo_create(recording);
  renderer.Draw(cr, screen);
  cairo_destroy(cr);
  double x = 0, y = 0, w = 0, h = 0;
  cairo_recording_surface_ink_extents(recording, &x, &y, &w, &h);
  cairo_surface_destroy(recording);
  box[0] = std::floor(x), box[1] = std::floor(y);
  box[2] = w > 0 && h > 0 ? std::ceil(x + w) - box[0] : 0.0;
  box[3] = w > 0 && h > 0 ? std::ceil(y + h) - box[1] : 0.0;
}

// Draws the screen into an SVG file that holds `box` of the slide.
bool WriteSvg(const std::string& path, const platform::SlideScreen& screen,
              render::FrameRenderer& renderer, const double box[4]) {
  cairo_surface_t* surface =
      cairo_svg_surface_create(path.c_str(), std::max(1.0, box[2]), std::max(1.0, box[3]));
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, -box[0], -box[1]);
  renderer.Draw(cr, screen);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace

bool LayerPlan::Draw(const std::string& folder, const std::string& relative,
                     const std::string& prefix, std::string& background, std::ostream& err) {
  render::FrameRenderer renderer(measurer_);
  const bool sized = slide_->width > 0 && slide_->height > 0;
  const double width = sized ? slide_->width : 1280;
  const double height = sized ? slide_->height : 720;
  const Kinefold::TColor paper = slide_->background;
  auto write = [&](const std::string& name, const double box[4]) {
    const bool ok = WriteSvg(JoinPath(folder, name), *screen_, renderer, box);
    if (!ok) err << "error: " << JoinPath(folder, name) << ": cannot write the layer\n";
    return ok;
  };
  // The background: the slide and the static content before the first layer.
  Isolate(-1, 0);
  const double whole[4] = {0, 0, width, height};
  if (!write(prefix + "-bg.svg", whole)) return false;
  background = JoinPath(relative, prefix + "-bg.svg");
  // Layers, and the static content that follows each top layer, are
  // transparent where they hold nothing.
  slide_->background.alpha = 0;
  bool ok = true;
  int roots = 0;
  for (size_t i = 0; i < layers_.size() && ok; ++i) {
    Layer& layer = layers_[i];
    Isolate(static_cast<int>(i), 0);
    InkOf(*screen_, renderer, layer.ink);
    layer.ink[2] = std::max(1.0, layer.ink[2]);
    layer.ink[3] = std::max(1.0, layer.ink[3]);
    const std::string name = prefix + "-l" + std::to_string(i) + ".svg";
    ok = write(name, layer.ink);
    layer.file = JoinPath(relative, name);
    if (layer.parent >= 0 || !ok) continue;
    Isolate(-1, ++roots);
    Overlay overlay;
    InkOf(*screen_, renderer, overlay.ink);
    if (overlay.ink[2] <= 0) continue;
    overlay.after = static_cast<int>(i);
    const std::string above = prefix + "-bg" + std::to_string(roots) + ".svg";
    ok = write(above, overlay.ink);
    overlay.file = JoinPath(relative, above);
    overlays_.push_back(overlay);
  }
  slide_->background = paper;
  return ok;
}

}  // namespace cli
