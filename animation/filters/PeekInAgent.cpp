#include "filters/PeekInAgent.h"

#include "filters/MaskPrimitives.h"

PeekInAgent::PeekInAgent(const boost::shared_ptr<IInterface>& behaviour,
                         const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                         uint32_t decel)
    : FilterAgent(behaviour, metrics, 1, accel, decel) {}

void PeekInAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  prepared_ = true;
  Init(target);
  WidenSmall(0.0);
  const TRect& a = MaskArea();
  boost::shared_ptr<IScreenShape> frame = masks::FilledRectangle(a.left, a.top, a.right, a.bottom);
  mask_ = ScreenShapeFactroy::GetCompoundScreenShape(eIidMaskContainer);
  mask_->SetContent(frame);
  if (boost::shared_ptr<ICompoundShape> compound = CompoundOf(target)) {
    compound->InsertChild(mask_, 0);
    compound->SetChildActive(true, mask_);
  }
}

void PeekInAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  boost::shared_ptr<IShapeTarget> target = QueryAs<IShapeTarget>(context, eIidShapeTarget);
  double* position = target ? target->GetPosition() : nullptr;
  if (!position) return;
  const int subtype = Subtype();
  const double w = AreaWidth(), h = AreaHeight();
  if (PresetClassValue() == 0) {  // an entrance starts one extent away
    switch (subtype) {
      case 0:
        position[0] -= w;
        break;
      case 1:
        position[0] += w;
        break;
      case 2:
        position[1] += h;
        break;
      case 3:
        position[1] -= h;
        break;
      default:
        break;
    }
  }
  const double p = GetProgress(t);
  double dx = 0.0, dy = 0.0;
  switch (subtype) {
    case 0:
      dx = p * w;
      break;
    case 1:
      dx = -p * w;
      break;
    case 2:
      dy = -p * h;
      break;
    case 3:
      dy = p * h;
      break;
    default:
      break;
  }
  const double sign = Transition() == 0 ? 1.0 : -1.0;
  position[0] += sign * dx;
  position[1] += sign * dy;
}
