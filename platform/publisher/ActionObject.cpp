#include "publisher/ActionObject.h"

#include <boost/make_shared.hpp>

namespace platform {

ScreenActionObject::ScreenActionObject(EActionType action, ESoundType sound)
    : action_(action), sound_(sound), sheet_(boost::make_shared<PropertySheet>()) {}

bool ScreenActionObject::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                        EInterfaceId id) {
  if (id != eIidPropertySheet) return false;
  return AnswerInterface<IPropertySheet>(sheet_.get(), out, sharesOwner);
}

}  // namespace platform

boost::shared_ptr<IActionObject> CreateScreenActionObject(EActionType action, ESoundType sound) {
  return boost::make_shared<platform::ScreenActionObject>(action, sound);
}
