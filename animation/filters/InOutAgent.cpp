#include "filters/InOutAgent.h"

#include "filters/MaskPrimitives.h"

namespace {

struct FramePair {
  boost::shared_ptr<IScreenShape> empty;  // the full shape cancelled by its bounds
  boost::shared_ptr<IScreenShape> holed;  // the bounds with the collapsed shape cut out
};

FramePair MakeFramePair(const boost::shared_ptr<IScreenShape>& full,
                        const boost::shared_ptr<IScreenShape>& collapsed) {
  const double* b = full ? full->GetBounds() : nullptr;
  const double none[4] = {0.0, 0.0, 0.0, 0.0};
  if (!b) b = none;
  boost::shared_ptr<IScreenShape> frame = masks::FilledRectangle(b[0], b[1], b[2], b[3]);
  FramePair pair;
  pair.empty = masks::Group();
  pair.empty->SetFilled(1);
  pair.empty->AddChild(full);
  pair.empty->AddChild(frame);
  pair.holed = masks::Group();
  pair.holed->SetFilled(1);
  pair.holed->AddChild(collapsed);
  pair.holed->AddChild(frame);
  return pair;
}

}  // namespace

InOutAgent::InOutAgent(const boost::shared_ptr<IInterface>& behaviour,
                       const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                       uint32_t decel)
    : MorphFilterAgent(behaviour, metrics, accel, decel) {}

boost::shared_ptr<IScreenShape> InOutAgent::BuildCollapsedShape() {
  return boost::shared_ptr<IScreenShape>();
}

boost::shared_ptr<IScreenShape> InOutAgent::BuildFullShape() {
  return boost::shared_ptr<IScreenShape>();
}

void InOutAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  PrepareOnce(target);
  BuildMorph(target, Subtype() == kInward);
}

void InOutAgent::BuildMorph(const boost::shared_ptr<IScreenObject>& target, bool inward) {
  const boost::shared_ptr<IScreenShape> full = BuildFullShape();
  const boost::shared_ptr<IScreenShape> collapsed = BuildCollapsedShape();
  const boost::shared_ptr<IScreenShape> morph = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
  switch (PresetClassValue()) {
    case 0:  // entrance
      if (inward) {
        const FramePair pair = MakeFramePair(full, collapsed);
        morph->SetStartShape(pair.empty);
        morph->SetEndShape(pair.holed);
      } else {
        morph->SetStartShape(collapsed);
        morph->SetEndShape(full);
      }
      break;
    case 1:  // exit
      if (inward) {
        morph->SetStartShape(full);
        morph->SetEndShape(collapsed);
      } else {
        const FramePair pair = MakeFramePair(full, collapsed);
        morph->SetStartShape(pair.holed);
        morph->SetEndShape(pair.empty);
      }
      break;
    default:  // neither: the morph stays without shapes and does not clip
      break;
  }
  AttachMask(target, morph);
}
