// The screen object of one document shape, with its parts:
//
//   "<id>"                 shape node (group nodes list their members instead)
//   "<id>/shape"           geometry part, one leaf "<id>/shape/fill" that draws
//                          the fill, the line or the picture
//   "<id>/text"            text body; paragraphs "<id>/p<k>", words
//                          "<id>/p<k>/w<j>", letters "<id>/p<k>/w<j>/l<i>"
//   "<id>/runs"            the text-run view (not a part; see TextRuns.h)
//
// The shape node links back to its document shape (39, 49) and, for a group,
// lists its members as items (48).
#pragma once

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "document/Shape.h"
#include "publisher/MediaObjects.h"
#include "publisher/ScreenNode.h"
#include "publisher/TextLayout.h"
#include "publisher/TextNode.h"
#include "publisher/TextRuns.h"

namespace platform {

class ShapeNode : public ScreenNode, public IDocumentShapeLink {
 public:
  // Builds the node and its parts (not group members: see AddMember). With
  // `letterRuns` the formatting runs are split at letters (see TextRuns.h).
  ShapeNode(const boost::shared_ptr<Shape>& shape, ITextMeasurer& measurer,
            bool letterRuns = false);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  boost::shared_ptr<IInterface> GetDocumentShape() override;
  // The group node of a group member; the node itself for a top-level shape.
  boost::shared_ptr<IInterface> GetRelatedShape() override;

  const boost::shared_ptr<Shape>& Document() const { return shape_; }
  bool IsGroup() const { return GetRole() == Role::Group; }
  void AddMember(const boost::shared_ptr<ShapeNode>& member);
  ShapeNode* ParentGroup() const;

  ScreenNode* GeometryPart() const { return geometry_.get(); }
  ScreenNode* FillLeaf() const { return fill_.get(); }
  TextNode* TextBodyNode() const { return textBody_.get(); }
  const boost::shared_ptr<RunView>& Runs() const { return runView_; }
  // Letter nodes by paragraph and letter index (as SplitUnits counts them).
  const std::vector<std::vector<TextNode*>>& Letters() const { return letters_; }
  // Every formatting run of the text, paragraph by paragraph.
  const std::vector<boost::shared_ptr<FormattingRun>>& AllRuns() const { return runs_; }
  // Where the text stands with its authored properties.
  const TextPlace& Place() const { return place_; }
  // True when a run's current properties differ from the authored ones.
  bool TextPropsChanged() const;
  // Lays the text out again with the runs' current properties.
  TextPlace CurrentPlace(ITextMeasurer& measurer) const;

  const boost::shared_ptr<MediaScreenObject>& Media() const { return media_; }
  const boost::shared_ptr<VideoPlayerObject>& Player() const { return player_; }

 protected:
  bool QueryExtra(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id) override;

 private:
  void BuildText(ITextMeasurer& measurer, bool letterRuns);

  boost::shared_ptr<Shape> shape_;
  boost::shared_ptr<ScreenNode> geometry_;
  boost::shared_ptr<ScreenNode> fill_;
  boost::shared_ptr<TextNode> textBody_;
  boost::shared_ptr<RunView> runView_;
  std::vector<std::vector<TextNode*>> letters_;
  std::vector<boost::shared_ptr<FormattingRun>> runs_;
  TextPlace place_;
  ItemListView<ScreenNode> memberItems_;
  boost::shared_ptr<MediaScreenObject> media_;
  boost::shared_ptr<VideoPlayerObject> player_;
};

// True when the document shape draws something of its own: a fill, a line or
// a picture.
bool DrawsSomething(const Shape& shape);

}  // namespace platform
