// Minimal publisher entry points so that everything links; the screen-object
// model replaces this file.
#include "host/Screen.h"

boost::shared_ptr<IScreenShape> ScreenShapeFactroy::GetScreenShape(EInterfaceId) {
  return boost::shared_ptr<IScreenShape>();
}
boost::shared_ptr<ICompoundScreenShape> ScreenShapeFactroy::GetCompoundScreenShape(EInterfaceId) {
  return boost::shared_ptr<ICompoundScreenShape>();
}
void PublisherUtils::ChangeShapeColor(const boost::shared_ptr<IScreenObject>&,
                                      const Kinefold::TColorMatrix&) {}
void PublisherUtils::ChangeTextColor(const boost::shared_ptr<IScreenObject>&,
                                     const Kinefold::TColorMatrix&) {}
void PublisherUtils::AnimateFillColor(const boost::shared_ptr<IScreenObject>&,
                                      Kinefold::TColorMatrix&, const Kinefold::TColor&, bool) {}
void PublisherUtils::AnimateLineColor(const boost::shared_ptr<IScreenObject>&,
                                      Kinefold::TColorMatrix&,
                                      const std::vector<Kinefold::TColor>&) {}
void PublisherUtils::ChangeShapeColorByHSL(const boost::shared_ptr<IScreenObject>&, int32_t,
                                           int32_t, int32_t, double) {}
bool PublisherUtils::GetFirstCharColor(const boost::shared_ptr<IScreenObject>&,
                                       Kinefold::TColor&) {
  return false;
}
boost::shared_ptr<IActionObject> CreateScreenActionObject(EActionType, ESoundType) {
  return boost::shared_ptr<IActionObject>();
}
