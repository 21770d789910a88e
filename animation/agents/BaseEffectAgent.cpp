#include "agents/BaseEffectAgent.h"

#include <utility>

BaseEffectAgent::BaseEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                                 const boost::shared_ptr<PublishContext>& metrics, uint32_t kind,
                                 uint32_t accel, uint32_t decel)
    : EffectAgent(behaviour, kind, accel, decel), metrics_(metrics) {}

bool BaseEffectAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                     EInterfaceId id) {
  if (id == eIidBaseEffectAgent) return AnswerInterface<BaseEffectAgent>(this, out, sharesOwner);
  return EffectAgent::QueryInterface(out, sharesOwner, id);
}

void BaseEffectAgent::Reset() {
  initialised_ = false;
}

void BaseEffectAgent::Init(const boost::shared_ptr<IScreenObject>& context) {
  bounds_ = TRect();
  if (const double* b = context ? context->GetBounds() : nullptr) {
    bounds_.left = b[0];
    bounds_.top = b[1];
    bounds_.right = b[2];
    bounds_.bottom = b[3];
  }
  if (bounds_.left > bounds_.right) std::swap(bounds_.left, bounds_.right);
  if (bounds_.top > bounds_.bottom) std::swap(bounds_.top, bounds_.bottom);
  slideRect_ = TRect();
  if (metrics_) {
    slideRect_.right = metrics_->SlideWidth();
    slideRect_.bottom = metrics_->SlideHeight();
  }
  initialised_ = true;
}
