// The action object of a sound to start: its settings are on its sheet (28).
#pragma once

#include <boost/shared_ptr.hpp>

#include "common/PropertySheet.h"
#include "host/Screen.h"

namespace platform {

class ScreenActionObject : public IActionObject {
 public:
  ScreenActionObject(EActionType action, ESoundType sound);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  // Sounds restart with each iterated text unit.
  bool PlaysPerUnit() override { return true; }

  EActionType Action() const { return action_; }
  ESoundType Sound() const { return sound_; }
  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }

 private:
  EActionType action_;
  ESoundType sound_;
  boost::shared_ptr<PropertySheet> sheet_;
};

}  // namespace platform
