// The screen shapes that ScreenShapeFactroy makes for masks: circle (40),
// rectangle (41), line (42), polygon (43), ellipse (45), group (48), morph
// (53) and the mask container (11).
//
// Kind-specific values arrive through the shape's property sheet: circle
// centre 217 and radius 218, ellipse centre 225 and radii 223 and 224, and
// polygon vertices 222 (every write appends one vertex). SetGeometry gives a
// rectangle's edges, a line's end points, and the bounds of the others.
// SetOutline and SetFilled are recorded; they do not change the area.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "common/PropertySheet.h"
#include "host/Screen.h"
#include "publisher/MaskGeometry.h"

namespace platform {

// The sheet of a mask shape: a write of key 222 appends a vertex.
class MaskSheet : public PropertySheet {
 public:
  void SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) override;
  const std::vector<Kinefold::TPoint>& Vertices() const { return vertices_; }

 private:
  std::vector<Kinefold::TPoint> vertices_;
};

class MaskShape : public ICompoundScreenShape {
 public:
  // `kind` is the factory id: 40, 41, 42, 43, 45, 48, 53, or 11 for a
  // container. Any other id makes a shape without area.
  explicit MaskShape(EInterfaceId kind);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  // The geometry given, else what the shape spans at its current state.
  const double* GetBounds() override;
  void GetName(std::wstring& name) override { name = name_; }
  void SetOutline(int32_t outline) override { outline_ = outline; }
  // A container's content (index 0); null for anything else.
  void GetContentShape(boost::shared_ptr<IScreenShape>& out, int32_t index) override;
  void SetGeometry(double a, double b, double c, double d) override;
  void SetFilled(int32_t filled) override { filled_ = filled; }
  void AddChild(const boost::shared_ptr<IScreenShape>& child) override;
  void SetStartShape(const boost::shared_ptr<IScreenShape>& shape) override;
  void SetEndShape(const boost::shared_ptr<IScreenShape>& shape) override;
  void SetRatio(uint32_t ratio) override;
  void SetContent(const boost::shared_ptr<IScreenShape>& content) override;

  EInterfaceId Kind() const { return kind_; }
  const std::wstring& Name() const { return name_; }
  uint32_t Ratio() const { return ratio_; }
  int32_t Filled() const { return filled_; }
  int32_t Outline() const { return outline_; }
  const std::vector<boost::shared_ptr<IScreenShape>>& Children() const { return children_; }
  const boost::shared_ptr<IScreenShape>& Start() const { return start_; }
  const boost::shared_ptr<IScreenShape>& End() const { return end_; }
  const boost::shared_ptr<IScreenShape>& Content() const { return content_; }
  const boost::shared_ptr<MaskSheet>& Sheet() const { return sheet_; }

  // The area as it stands now (morphs at their current ratio).
  MaskGeometry Geometry() const;
  // False for a container without content, or whose content is a morph with
  // neither a start nor an end shape: such a mask does not clip.
  bool Clips() const;

 private:
  MaskGeometry Resolve(int depth) const;

  EInterfaceId kind_;
  std::wstring name_;
  boost::shared_ptr<MaskSheet> sheet_;
  bool hasGeometry_ = false;
  double geometry_[4] = {0, 0, 0, 0};
  double bounds_[4] = {0, 0, 0, 0};
  int32_t outline_ = -1;
  int32_t filled_ = 0;
  uint32_t ratio_ = 0;
  std::vector<boost::shared_ptr<IScreenShape>> children_;
  boost::shared_ptr<IScreenShape> start_;
  boost::shared_ptr<IScreenShape> end_;
  boost::shared_ptr<IScreenShape> content_;
};

// The geometry of any screen shape made by the factory (an empty area for
// shapes made elsewhere).
MaskGeometry GeometryOf(const boost::shared_ptr<IScreenShape>& shape);

}  // namespace platform
