#include "agents/ScaleEffectAgent.h"

#include <cmath>

#include "agents/TransformOps.h"
#include "host/Properties.h"

ScaleEffectAgent::ScaleEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                                   uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, 1, accel, decel) {}

bool ScaleEffectAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                      EInterfaceId id) {
  if (id == eIidScaleAgent) return AnswerInterface<ScaleEffectAgent>(this, out, sharesOwner);
  return BaseEffectAgent::QueryInterface(out, sharesOwner, id);
}

bool ScaleEffectAgent::HasEmptyBounds() const {
  return Bounds().right - Bounds().left == 0.0 && Bounds().bottom - Bounds().top == 0.0;
}

// A to value scales from the from value (a missing component from 100 %); a
// by value always scales from 100 %.
void ScaleEffectAgent::InitScale(const boost::shared_ptr<IScreenObject>& context) {
  scaleInitialised_ = true;
  Init(context);
  const boost::shared_ptr<IInterface>& b = Behaviour();
  Kinefold::TPoint from;
  if (Has(b, ePropFrom)) from = GetPoint(b, ePropFrom);
  if (HasEmptyBounds()) return;
  baseX_ = baseY_ = 1.0;
  Kinefold::TPoint to;
  if (Has(b, ePropTo)) {
    to = GetPoint(b, ePropTo);
    if (from.x == 0.0) from.x = baseX_ * 100.0;
    if (from.y == 0.0) from.y = baseY_ * 100.0;
  } else {
    to = GetPoint(b, ePropBy);
    from.x = from.y = 100.0;
  }
  fromX_ = from.x;
  fromY_ = from.y;
  toX_ = to.x;
  toY_ = to.y;
}

void ScaleEffectAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  if (!scaleInitialised_) InitScale(context);
  if (HasEmptyBounds()) return;
  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(context);
  double* m = shape ? shape->GetTransform() : nullptr;
  if (!m) return;
  const double p = GetProgress(t);
  double x = 0.0, y = 0.0;
  transform::MapPoint(m, (Bounds().left + Bounds().right) * 0.5,
                      (Bounds().top + Bounds().bottom) * 0.5, x, y);
  const double sx = (p * (toX_ - fromX_) + fromX_) / 100.0;
  const double sy = (p * (toY_ - fromY_) + fromY_) / 100.0;
  const bool animateX = std::fabs(fromX_ - toX_) >= 1e-15;
  const bool animateY = std::fabs(fromY_ - toY_) >= 1e-15;
  if (animateX || animateY)
    transform::ScaleAbout(m, animateX ? sx : 1.0, animateY ? sy : 1.0, x, y);
}
