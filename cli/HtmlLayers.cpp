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

// Shows only what layer `layer` holds (-1: the background): fills and
// letters whose nearest layer is another one are made transparent.
void LayerPlan::Isolate(int layer) {
  screen_->ResetFrame();
  std::vector<int> owners;
  std::function<void(ScreenNode&, int)> visit = [&](ScreenNode& node, int owner) {
    auto it = std::find(nodes_.begin(), nodes_.end(), &node);
    if (it != nodes_.end()) owner = static_cast<int>(it - nodes_.begin());
    platform::FrameState& frame = node.MutableFrame();
    frame.colour = Kinefold::TColorMatrix();
    frame.masks.clear();
    const auto role = node.GetRole();
    if ((role == ScreenNode::Role::Fill || role == ScreenNode::Role::Letter) && owner != layer)
      frame.colour.alphaMul = 0.0;
    for (const auto& part : node.Parts()) visit(*part, owner);
  };
  for (const auto& top : screen_->TopLevel()) visit(*top, -1);
}

namespace {

// Draws the screen into an SVG file that holds only the drawn part
// (`box`: left, top, width, height in slide units), or the whole slide when
// `whole` is set.
bool DrawSvg(const std::string& path, const platform::SlideScreen& screen,
             render::FrameRenderer& renderer, double width, double height, bool whole,
             double box[4]) {
  box[0] = 0, box[1] = 0, box[2] = width, box[3] = height;
  if (!whole) {
    cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t* cr = cairo_create(recording);
    renderer.Draw(cr, screen);
    cairo_destroy(cr);
    double x = 0, y = 0, w = 0, h = 0;
    cairo_recording_surface_ink_extents(recording, &x, &y, &w, &h);
    cairo_surface_destroy(recording);
    // Whole units, so that the layer's pixels line up with the slide's.
    box[0] = std::floor(x), box[1] = std::floor(y);
    box[2] = std::max(1.0, std::ceil(x + w) - box[0]);
    box[3] = std::max(1.0, std::ceil(y + h) - box[1]);
  }
  cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), box[2], box[3]);
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
  const double width = slide_->width > 0 ? slide_->width : 1280;
  const double height = slide_->height > 0 ? slide_->height : 720;
  const Kinefold::TColor paper = slide_->background;
  for (int i = -1; i < static_cast<int>(layers_.size()); ++i) {
    const std::string name =
        prefix + (i < 0 ? std::string("-bg") : "-l" + std::to_string(i)) + ".svg";
    Isolate(i);
    // Layers are transparent where they hold nothing; the background is not.
    slide_->background.alpha = i < 0 ? paper.alpha : 0;
    double box[4];
    const bool ok = DrawSvg(JoinPath(folder, name), *screen_, renderer, width, height, i < 0, box);
    if (i >= 0) std::copy(box, box + 4, layers_[static_cast<size_t>(i)].ink);
    slide_->background = paper;
    if (!ok) {
      err << "error: " << JoinPath(folder, name) << ": cannot write the layer\n";
      return false;
    }
    if (i < 0)
      background = JoinPath(relative, name);
    else
      layers_[static_cast<size_t>(i)].file = JoinPath(relative, name);
  }
  return true;
}

}  // namespace cli
