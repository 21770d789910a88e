// The screen objects of one slide, built from the document model: top-level
// shape nodes in drawing order (group members under their group), lookup by
// name, and the frame reset of every node.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Slide.h"
#include "publisher/MediaObjects.h"
#include "publisher/ShapeNode.h"
#include "publisher/TextLayout.h"

namespace platform {

class SlideScreen {
 public:
  // Builds the tree. Text is measured with `measurer` (the built-in estimate
  // when null); the renderer should be given the same measurer it draws with.
  static boost::shared_ptr<SlideScreen> Build(
      const boost::shared_ptr<Slide>& slide,
      const boost::shared_ptr<ITextMeasurer>& measurer = boost::shared_ptr<ITextMeasurer>());

  const boost::shared_ptr<Slide>& GetSlide() const { return slide_; }
  const boost::shared_ptr<ITextMeasurer>& Measurer() const { return measurer_; }
  // Top-level shape nodes in drawing order.
  const std::vector<boost::shared_ptr<ShapeNode>>& TopLevel() const { return topLevel_; }
  // Every shape node, each group followed by its members.
  const std::vector<boost::shared_ptr<ShapeNode>>& Shapes() const { return shapes_; }

  // Any screen object of the slide by name: drawable nodes, run views and
  // formatting runs. Null when there is none.
  boost::shared_ptr<IScreenObject> Find(const std::wstring& name) const;
  boost::shared_ptr<ScreenNode> FindNode(const std::wstring& name) const;
  boost::shared_ptr<ShapeNode> FindShape(const std::wstring& id) const;

  // The object that plays media `id`: the media shape's own, or one made for
  // a sound or video that has no shape on the slide.
  boost::shared_ptr<MediaScreenObject> MediaFor(const std::wstring& id);
  // The video player of media `id`, made on first use.
  boost::shared_ptr<VideoPlayerObject> PlayerFor(const std::wstring& id);

  // Restores every node's frame state (and every run's character
  // properties) from the authored state.
  void ResetFrame();
  // Makes the current frame state of every node its authored state. The frame
  // driver calls it once the animations are built and revealed parts hidden.
  void CaptureAuthored();

  size_t NodeCount() const { return nodes_.size(); }

 private:
  SlideScreen() = default;
  boost::shared_ptr<ShapeNode> BuildShape(const boost::shared_ptr<Shape>& shape);
  void Index(const boost::shared_ptr<ShapeNode>& node);

  boost::shared_ptr<Slide> slide_;
  boost::shared_ptr<ITextMeasurer> measurer_;
  std::vector<boost::shared_ptr<ShapeNode>> topLevel_;
  std::vector<boost::shared_ptr<ShapeNode>> shapes_;
  std::vector<ScreenNode*> nodes_;
  std::vector<FormattingRun*> runs_;
  std::unordered_map<std::wstring, boost::shared_ptr<IScreenObject>> byName_;
  std::unordered_map<std::wstring, boost::shared_ptr<ScreenNode>> nodesByName_;
  std::unordered_map<std::wstring, boost::shared_ptr<MediaScreenObject>> media_;
  std::unordered_map<std::wstring, boost::shared_ptr<VideoPlayerObject>> players_;
};

}  // namespace platform
