#include "filters/MorphFilterAgent.h"

#include <cmath>

MorphFilterAgent::MorphFilterAgent(const boost::shared_ptr<IInterface>& behaviour,
                                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                                   uint32_t decel)
    : FilterAgent(behaviour, metrics, 1, accel, decel) {}

uint32_t MorphFilterAgent::RatioFor(double progress) {
  const double ratio = std::trunc(progress * 65535.0);
  if (!(ratio > 0.0)) return 0;  // NaN too
  if (ratio >= 65535.0) return 65535;
  return static_cast<uint32_t>(ratio);
}

void MorphFilterAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  PrepareOnce(context);
  SwitchMask(context, true, RatioFor(GetProgress(t)));
}

bool MorphFilterAgent::OnBeforeStart(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) {
  SwitchMask(context, false, 0);
  return FilterAgent::OnBeforeStart(context, t);
}

bool MorphFilterAgent::OnAfterEnd(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) {
  SwitchMask(context, false, 0);
  return FilterAgent::OnAfterEnd(context, t);
}

void MorphFilterAgent::PrepareOnce(const boost::shared_ptr<IScreenObject>& context) {
  if (prepared_) return;
  prepared_ = true;
  Init(context);
}

void MorphFilterAgent::AttachMask(const boost::shared_ptr<IScreenObject>& context,
                                  const boost::shared_ptr<IScreenShape>& morph) {
  boost::shared_ptr<ICompoundScreenShape> container =
      ScreenShapeFactroy::GetCompoundScreenShape(eIidMaskContainer);
  container->GetName(maskName_);
  container->SetContent(morph);
  if (boost::shared_ptr<ICompoundShape> compound = CompoundOf(context)) {
    compound->InsertChild(container, 0);
    compound->SetChildActive(false, container);
  }
}

void MorphFilterAgent::SwitchMask(const boost::shared_ptr<IScreenObject>& context, bool on,
                                  uint32_t ratio) {
  // No container was attached (PrepareAction has not run): nothing is ours.
  if (maskName_.empty()) return;
  boost::shared_ptr<ICompoundShape> compound = CompoundOf(context);
  if (!compound) return;
  for (uint32_t i = 0; i < compound->GetChildCount(); ++i) {
    boost::shared_ptr<IScreenShape> child = compound->GetChild(i);
    if (!child || NameOf(child) != maskName_) continue;
    compound->SetChildActive(on, child);
    if (!on) continue;
    boost::shared_ptr<IScreenShape> content;
    child->GetContentShape(content, 0);
    if (boost::shared_ptr<IScreenShape> morph = QueryAs<IScreenShape>(content, eIidMorphShape))
      morph->SetRatio(ratio);
  }
}
