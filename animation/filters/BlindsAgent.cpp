#include "filters/BlindsAgent.h"

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

BlindsAgent::BlindsAgent(const boost::shared_ptr<IInterface>& behaviour,
                         const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                         uint32_t decel)
    : MorphFilterAgent(behaviour, metrics, accel, decel) {}

void BlindsAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  SetPrepared();
  Init(target);
  Widen(20.0, 20.0);
  const TRect& a = MaskArea();
  const bool horizontal = Subtype() == 8;
  const double extent = horizontal ? AreaHeight() : AreaWidth();
  int n = transform::TruncToInt(extent / 20.0);
  double step = 20.0;
  if (n > 10) {
    n = 10;
    step = extent / 10.0;
  }
  boost::shared_ptr<IScreenShape> full = masks::Group();
  boost::shared_ptr<IScreenShape> thin = masks::Group();
  for (int i = 0; i < n; ++i) {
    if (horizontal) {
      full->AddChild(masks::Rectangle(a.left, a.top + i * step, a.right, a.top + (i + 1) * step));
      thin->AddChild(masks::Rectangle(a.left, a.top + i * step, a.right, a.top + i * step + 1.0));
    } else {
      full->AddChild(masks::Rectangle(a.left + i * step, a.top, a.left + (i + 1) * step, a.bottom));
      thin->AddChild(masks::Rectangle(a.left + i * step, a.top, a.left + i * step + 1.0, a.bottom));
    }
  }
  full->SetFilled(1);
  thin->SetFilled(1);
  boost::shared_ptr<IScreenShape> morph = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
  if (Transition() == 0) {
    morph->SetStartShape(thin);
    morph->SetEndShape(full);
  } else {
    morph->SetStartShape(full);
    morph->SetEndShape(thin);
  }
  AttachMask(target, morph);
}
