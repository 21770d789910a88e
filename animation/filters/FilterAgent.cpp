#include "filters/FilterAgent.h"

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
