#include "filters/GeneralAgent.h"

#include <cstdlib>

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

GeneralAgent::GeneralAgent(const boost::shared_ptr<IInterface>& behaviour,
                           const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                           uint32_t decel)
    : FilterAgent(behaviour, metrics, 2, accel, decel) {}

void GeneralAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  prepared_ = true;
  Init(target);
  NewMaskGroup();
}

void GeneralAgent::NewMaskGroup() {
  maskGroup_ = masks::Group();
  maskGroup_->SetFilled(1);
}

// Without PrepareAction there are no bounds to build on: nothing is drawn.
void GeneralAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (CheckTime(context, t) && prepared_) BuildFrame(context, t);
}

bool GeneralAgent::OnBeforeStart(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) {
  if (currentMask_) {
    if (boost::shared_ptr<ICompoundShape> compound = CompoundOf(context)) {
      const std::wstring name = NameOf(currentMask_);
      for (uint32_t i = 0; i < compound->GetChildCount(); ++i)
        if (NameOf(compound->GetChild(i)) == name) compound->SetChildActive(false, currentMask_);
    }
  }
  return FilterAgent::OnBeforeStart(context, t);
}

void GeneralAgent::ReplaceMask(const boost::shared_ptr<IScreenObject>& context,
                               const boost::shared_ptr<IScreenShape>& content) {
  boost::shared_ptr<ICompoundShape> compound = CompoundOf(context);
  if (!compound) return;
  if (currentMask_) {
    const std::wstring name = NameOf(currentMask_);
    for (uint32_t i = 0; i < compound->GetChildCount(); ++i)
      if (NameOf(compound->GetChild(i)) == name) compound->DetachChild(currentMask_);
  }
  currentMask_ = ScreenShapeFactroy::GetCompoundScreenShape(eIidMaskContainer);
  currentMask_->SetContent(content);
  compound->InsertChild(currentMask_, 0);
  compound->DetachChild(currentMask_);
  compound->SetChildActive(true, currentMask_);
}

uint32_t GeneralAgent::PiecesFor(double progress, uint32_t total) {
  if (progress == 0.0) return 1;
  const int k = transform::TruncToInt(progress * total + 0.5);
  return k > 0 ? static_cast<uint32_t>(k) : 1;
}

uint32_t GeneralAgent::TakeRandom(std::vector<uint32_t>& remaining) {
  const uint32_t j = static_cast<uint32_t>(std::rand()) % static_cast<uint32_t>(remaining.size());
  const uint32_t index = remaining[j];
  remaining.erase(remaining.begin() + j);
  return index;
}
