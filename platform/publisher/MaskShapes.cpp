#include "publisher/MaskShapes.h"

#include <atomic>
#include <cmath>

#include <boost/make_shared.hpp>

namespace platform {
namespace {

// Deeper nesting than this (or a shape that contains itself) has no area.
constexpr int kMaxDepth = 64;

std::atomic<unsigned long> g_maskCount{0};

bool IsShapeKind(EInterfaceId kind) {
  switch (kind) {
    case eIidCircleShape:
    case eIidRectangleShape:
    case eIidLineShape:
    case eIidPolygonShape:
    case eIidEllipseShape:
    case eIidGroupShape:
    case eIidMorphShape:
    case eIidMaskContainer:
      return true;
    default:
      return false;
  }
}

const MaskShape* Ours(const boost::shared_ptr<IScreenShape>& shape) {
  return dynamic_cast<const MaskShape*>(shape.get());
}

boost::shared_ptr<IPropertyValue> Read(const PropertySheet& sheet, EPropertyId key) {
  boost::shared_ptr<IPropertyValue> value;
  const_cast<PropertySheet&>(sheet).GetProperty(value, key);
  return value;
}

}  // namespace

void MaskSheet::SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) {
  if (key == ePropPolygonVertex && value)
    vertices_.push_back(property_cast<Kinefold::TPoint>(value));
  PropertySheet::SetProperty(key, value);
}

MaskShape::MaskShape(EInterfaceId kind)
    : kind_(kind),
      name_(L"mask" + std::to_wstring(++g_maskCount)),
      sheet_(boost::make_shared<MaskSheet>()) {}

bool MaskShape::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                               EInterfaceId id) {
  if (id == eIidPropertySheet)
    return AnswerInterface<IPropertySheet>(sheet_.get(), out, sharesOwner);
  if (id != kind_ || !IsShapeKind(id)) return false;
  if (id == eIidMaskContainer) return AnswerInterface<ICompoundScreenShape>(this, out, sharesOwner);
  return AnswerInterface<IScreenShape>(this, out, sharesOwner);
}

const double* MaskShape::GetBounds() {
  if (hasGeometry_) return geometry_;
  if (!GeometryBounds(Geometry(), bounds_))
    for (double& v : bounds_) v = 0.0;
  return bounds_;
}

void MaskShape::GetContentShape(boost::shared_ptr<IScreenShape>& out, int32_t index) {
  out.reset();
  if (kind_ == eIidMaskContainer && index == 0) out = content_;
}

void MaskShape::SetGeometry(double a, double b, double c, double d) {
  geometry_[0] = a, geometry_[1] = b, geometry_[2] = c, geometry_[3] = d;
  hasGeometry_ = true;
}

void MaskShape::AddChild(const boost::shared_ptr<IScreenShape>& child) {
  if (kind_ == eIidGroupShape && child) children_.push_back(child);
}

void MaskShape::SetStartShape(const boost::shared_ptr<IScreenShape>& shape) {
  if (kind_ == eIidMorphShape) start_ = shape;
}

void MaskShape::SetEndShape(const boost::shared_ptr<IScreenShape>& shape) {
  if (kind_ == eIidMorphShape) end_ = shape;
}

void MaskShape::SetRatio(uint32_t ratio) {
  ratio_ = std::min<uint32_t>(ratio, 65535u);
}

void MaskShape::SetContent(const boost::shared_ptr<IScreenShape>& content) {
  if (kind_ == eIidMaskContainer) content_ = content;
}

MaskGeometry MaskShape::Geometry() const {
  return Resolve(0);
}

bool MaskShape::Clips() const {
  if (kind_ != eIidMaskContainer) return true;
  if (!content_) return false;
  const MaskShape* content = Ours(content_);
  if (content && content->kind_ == eIidMorphShape && !content->start_ && !content->end_)
    return false;
  return true;
}

MaskGeometry MaskShape::Resolve(int depth) const {
  if (depth > kMaxDepth) return MaskGeometry();
  auto resolve = [depth](const boost::shared_ptr<IScreenShape>& shape) {
    const MaskShape* s = Ours(shape);
    return s ? s->Resolve(depth + 1) : MaskGeometry();
  };
  const double* g = geometry_;
  switch (kind_) {
    case eIidRectangleShape:
      return hasGeometry_ ? MaskGeometry::MakeRect(g[0], g[1], g[2], g[3]) : MaskGeometry();
    case eIidLineShape:
      return hasGeometry_ ? MaskGeometry::MakeLine(g[0], g[1], g[2], g[3]) : MaskGeometry();
    case eIidPolygonShape:
      return MaskGeometry::MakePolygon(sheet_->Vertices());
    case eIidCircleShape: {
      auto radius = Read(*sheet_, ePropCircleRadius);
      if (radius) {
        const Kinefold::TPoint c =
            property_cast<Kinefold::TPoint>(Read(*sheet_, ePropCircleCentre));
        const double r = property_cast<double>(radius);
        return MaskGeometry::MakeEllipse(c.x, c.y, r, r);
      }
      if (!hasGeometry_) return MaskGeometry();
      const double r = std::min(std::fabs(g[2] - g[0]), std::fabs(g[3] - g[1])) * 0.5;
      return MaskGeometry::MakeEllipse((g[0] + g[2]) * 0.5, (g[1] + g[3]) * 0.5, r, r);
    }
    case eIidEllipseShape: {
      auto rx = Read(*sheet_, ePropEllipseRadiusX);
      auto ry = Read(*sheet_, ePropEllipseRadiusY);
      if (rx || ry) {
        const Kinefold::TPoint c =
            property_cast<Kinefold::TPoint>(Read(*sheet_, ePropEllipseCentre));
        return MaskGeometry::MakeEllipse(c.x, c.y, property_cast<double>(rx),
                                         property_cast<double>(ry));
      }
      if (!hasGeometry_) return MaskGeometry();
      return MaskGeometry::MakeEllipse((g[0] + g[2]) * 0.5, (g[1] + g[3]) * 0.5,
                                       std::fabs(g[2] - g[0]) * 0.5, std::fabs(g[3] - g[1]) * 0.5);
    }
    case eIidGroupShape: {
      std::vector<MaskGeometry> children;
      children.reserve(children_.size());
      for (const auto& child : children_) children.push_back(resolve(child));
      return MaskGeometry::MakeGroup(children);
    }
    case eIidMorphShape: {
      if (start_ && end_) return Interpolate(resolve(start_), resolve(end_), ratio_ / 65535.0);
      if (start_) return resolve(start_);
      if (end_) return resolve(end_);
      return MaskGeometry();
    }
    case eIidMaskContainer:
      return resolve(content_);
    default:
      return MaskGeometry();
  }
}

MaskGeometry GeometryOf(const boost::shared_ptr<IScreenShape>& shape) {
  const MaskShape* s = Ours(shape);
  return s ? s->Geometry() : MaskGeometry();
}

}  // namespace platform

boost::shared_ptr<IScreenShape> ScreenShapeFactroy::GetScreenShape(EInterfaceId kind) {
  return boost::make_shared<platform::MaskShape>(kind);
}

boost::shared_ptr<ICompoundScreenShape> ScreenShapeFactroy::GetCompoundScreenShape(EInterfaceId) {
  return boost::make_shared<platform::MaskShape>(eIidMaskContainer);
}
