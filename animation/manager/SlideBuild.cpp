// The slide build: lays a slide's effects out on the slide's timeline.
#include "manager/AnimationManager.h"

void AnimationManager::BuildSlide(const boost::shared_ptr<ISlide>& slide, int32_t a, int32_t b) {
  boost::shared_ptr<IEffectList> effects = slide ? slide->GetEffectList(a, b) : nullptr;
  if (!effects) {
    slideLength_ = 0;
    slideLengthAfterTriggers_ = 0;
    return;
  }
  mediaSource_ = effects;
}
