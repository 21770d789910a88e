#include "publisher/SlideScreen.h"

#include <boost/make_shared.hpp>

namespace platform {

boost::shared_ptr<SlideScreen> SlideScreen::Build(
    const boost::shared_ptr<Slide>& slide, const boost::shared_ptr<ITextMeasurer>& measurer) {
  boost::shared_ptr<SlideScreen> screen(new SlideScreen());
  screen->slide_ = slide;
  screen->measurer_ = measurer ? measurer : boost::make_shared<EstimateMeasurer>();
  if (!slide) return screen;
  for (const auto& shape : slide->TopLevelShapes())
    screen->topLevel_.push_back(screen->BuildShape(shape));
  for (const auto& node : screen->topLevel_) screen->Index(node);
  return screen;
}

boost::shared_ptr<ShapeNode> SlideScreen::BuildShape(const boost::shared_ptr<Shape>& shape) {
  auto node = boost::make_shared<ShapeNode>(
      shape, *measurer_, WalksCharactersByLetter(slide_->Effects().get(), shape->Id()));
  for (const auto& member : shape->Children()) node->AddMember(BuildShape(member));
  return node;
}

void SlideScreen::Index(const boost::shared_ptr<ShapeNode>& shape) {
  shapes_.push_back(shape);
  auto add = [this](const std::wstring& name, const boost::shared_ptr<IScreenObject>& object) {
    byName_.emplace(name, object);
  };
  nodes_.push_back(shape.get());
  add(shape->Name(), shape);
  nodesByName_.emplace(shape->Name(), shape);
  if (shape->IsGroup()) {
    for (const auto& member : shape->Parts()) Index(boost::dynamic_pointer_cast<ShapeNode>(member));
  } else {
    for (const auto& part : shape->Parts()) {
      part->Walk([&](ScreenNode& node) {
        nodes_.push_back(&node);
        boost::shared_ptr<ScreenNode> self = node.shared_from_this();
        add(node.Name(), self);
        nodesByName_.emplace(node.Name(), self);
      });
    }
  }
  if (const auto& runs = shape->Runs()) {
    add(runs->Name(), runs);
    add(runs->Text()->Name(), runs->Text());
    for (const auto& paragraph : runs->Text()->Paragraphs()) add(paragraph->Name(), paragraph);
  }
  for (const auto& run : shape->AllRuns()) {
    add(run->Name(), run);
    runs_.push_back(run.get());
  }
  if (shape->Media()) media_.emplace(shape->Name(), shape->Media());
  if (shape->Player()) players_.emplace(shape->Name(), shape->Player());
}

boost::shared_ptr<IScreenObject> SlideScreen::Find(const std::wstring& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? boost::shared_ptr<IScreenObject>() : it->second;
}

boost::shared_ptr<ScreenNode> SlideScreen::FindNode(const std::wstring& name) const {
  auto it = nodesByName_.find(name);
  return it == nodesByName_.end() ? boost::shared_ptr<ScreenNode>() : it->second;
}

boost::shared_ptr<ShapeNode> SlideScreen::FindShape(const std::wstring& id) const {
  return boost::dynamic_pointer_cast<ShapeNode>(FindNode(id));
}

boost::shared_ptr<MediaScreenObject> SlideScreen::MediaFor(const std::wstring& id) {
  auto it = media_.find(id);
  if (it != media_.end()) return it->second;
  const double none[4] = {0, 0, 0, 0};
  auto media = boost::make_shared<MediaScreenObject>(id + L"/media", none);
  media_.emplace(id, media);
  return media;
}

boost::shared_ptr<VideoPlayerObject> SlideScreen::PlayerFor(const std::wstring& id) {
  auto it = players_.find(id);
  if (it != players_.end()) return it->second;
  const double none[4] = {0, 0, 0, 0};
  auto player = boost::make_shared<VideoPlayerObject>(id + L"/player", none);
  players_.emplace(id, player);
  return player;
}

void SlideScreen::ResetFrame() {
  for (ScreenNode* node : nodes_) node->ResetFrame();
  for (FormattingRun* run : runs_) run->ResetFrame();
}

void SlideScreen::CaptureAuthored() {
  for (ScreenNode* node : nodes_) node->CaptureAuthored();
}

}  // namespace platform
