#include "filters/FadeAgent.h"

#include "agents/TransformOps.h"
#include "host/Properties.h"

FadeAgent::FadeAgent(const boost::shared_ptr<IInterface>& behaviour,
                     const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                     uint32_t decel)
    : FilterAgent(behaviour, metrics, 1, accel, decel) {}

// The additive alpha runs from -255 (invisible) to 0 for a fade in, and from
// 0 to -255 for a fade out.
void FadeAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  if (!IsInitialised()) Init(context);
  const bool fadeOut = GetInt(Behaviour(), ePropFadeOut) != 0;
  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(context);
  Kinefold::TColorMatrix* colour = shape ? shape->GetColorTransform() : nullptr;
  if (!colour) return;
  const double p = GetProgress(t);
  colour->alphaMul = 1.0;
  colour->alphaAdd = transform::TruncToInt(fadeOut ? 0.0 - p * 255.0 : p * 255.0 - 255.0);
}
