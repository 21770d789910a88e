// Draws nothing: prepares the sound action that its screen animation hands
// to the host when the effect's sound is to start.
#pragma once

#include <string>

#include "agents/BaseEffectAgent.h"

class AudioEffectAgent : public BaseEffectAgent {
 public:
  AudioEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                   uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void Apply(const boost::shared_ptr<IScreenObject>&, uint32_t) override {}
  uint32_t AppliesToShape() override { return 1; }
  // Makes the sound action and writes the behaviour's sound settings on it.
  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;

  const boost::shared_ptr<IActionObject>& GetActionObject() const { return action_; }
  // Replaces the prepared action (a host may hand in its own).
  void SetActionObject(const boost::shared_ptr<IActionObject>& action) { action_ = action; }
  uint32_t HasBegun() const { return begun_; }
  void SetBegun(uint32_t begun) { begun_ = begun; }
  const std::wstring& GetSoundName() const { return soundName_; }

 private:
  uint32_t begun_ = 0;
  boost::shared_ptr<IActionObject> action_;
  std::wstring soundName_;  // the behaviour's sound part; empty when it names none
};
