// Temporary: stands in for the screen animation factory until it lands.
#include "screen/ScreenAnimation.h"

boost::shared_ptr<IScreenAnimation> CreateScreenAnimation(const boost::shared_ptr<IAnimationEffect>&,
                                                          const boost::shared_ptr<PublishContext>&) {
  return boost::shared_ptr<IScreenAnimation>();
}
