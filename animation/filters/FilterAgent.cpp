#include "filters/FilterAgent.h"

#include <cmath>

#include "agents/TransformOps.h"
#include "host/Properties.h"

FilterAgent::FilterAgent(const boost::shared_ptr<IInterface>& behaviour,
                         const boost::shared_ptr<PublishContext>& metrics, uint32_t kind,
                         uint32_t accel, uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, kind, accel, decel) {}

bool FilterAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                 EInterfaceId id) {
  if (id == eIidFilterAgent) return AnswerInterface<FilterAgent>(this, out, sharesOwner);
  return BaseEffectAgent::QueryInterface(out, sharesOwner, id);
}

void FilterAgent::Reset() {
  BaseEffectAgent::Reset();
  ReleaseBehaviour();
}

void FilterAgent::Init(const boost::shared_ptr<IScreenObject>& context) {
  BaseEffectAgent::Init(context);
  area_ = Bounds();
}

double FilterAgent::AreaWidth() const {
  return std::fabs(area_.right - area_.left);
}

double FilterAgent::AreaHeight() const {
  return std::fabs(area_.bottom - area_.top);
}

void FilterAgent::Widen(double dx, double dy) {
  area_.left -= dx;
  area_.right += dx;
  area_.top -= dy;
  area_.bottom += dy;
}

void FilterAgent::WidenSmall(double otherwise) {
  const double dx = AreaWidth() < 60.0 ? 30.0 : otherwise;
  const double dy = AreaHeight() < 60.0 ? 30.0 : otherwise;
  Widen(dx, dy);
}

int FilterAgent::CentreX() const {
  return transform::TruncToInt((area_.left + area_.right) * 0.5);
}

int FilterAgent::CentreY() const {
  return transform::TruncToInt((area_.top + area_.bottom) * 0.5);
}

uint32_t FilterAgent::PresetClassValue() const {
  const boost::shared_ptr<PresetClassCell>& cell = PresetClass();
  return cell ? cell->Get() : 0;
}

int FilterAgent::Subtype() const {
  return GetInt(Behaviour(), ePropFilterSubtype);
}

int FilterAgent::Transition() const {
  return GetInt(Behaviour(), ePropFadeOut);
}

boost::shared_ptr<ICompoundShape> FilterAgent::CompoundOf(
    const boost::shared_ptr<IScreenObject>& context) {
  return QueryAs<ICompoundShape>(context, eIidCompoundShape);
}

std::wstring FilterAgent::NameOf(const boost::shared_ptr<IScreenShape>& shape) {
  std::wstring name;
  if (shape) shape->GetName(name);
  return name;
}
