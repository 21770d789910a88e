#include "agents/AudioEffectAgent.h"

#include "host/Properties.h"

AudioEffectAgent::AudioEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                                   uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, 1, accel, decel) {
  // The sound is named by the embedded part it plays, when the reader linked one.
  if (behaviour && Has(behaviour, ePropSoundPart))
    soundName_ = GetString(behaviour, ePropSoundPart);
}

bool AudioEffectAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                      EInterfaceId id) {
  if (id == eIidAudioAgent) return AnswerInterface<AudioEffectAgent>(this, out, sharesOwner);
  return BaseEffectAgent::QueryInterface(out, sharesOwner, id);
}

void AudioEffectAgent::PrepareAction(const boost::shared_ptr<IScreenObject>&) {
  action_ = CreateScreenActionObject(eActionTypeSound, eSoundTypeEffect);
  const boost::shared_ptr<IInterface> action = action_;
  SetString(action, ePropOutSoundName, soundName_);
  const boost::shared_ptr<IInterface>& b = Behaviour();
  if (!b) return;
  if (Has(b, ePropMediaValue304))
    SetDouble(action, ePropOutSound392, GetDouble(b, ePropMediaValue304));
  // The repeat count is given in thousandths.
  if (Has(b, ePropRepeatCount))
    SetInt(action, ePropOutRepeatCount, GetInt(b, ePropRepeatCount) / 1000);
  // The start position is given in seconds.
  if (Has(b, ePropMediaStart))
    SetDouble(action, ePropOutMediaStartMs, GetDouble(b, ePropMediaStart) * 1000.0);
  if (Has(b, ePropMediaEnd)) SetDouble(action, ePropOutMediaEnd, GetDouble(b, ePropMediaEnd));
  if (Has(b, ePropDelay)) SetInt(action, ePropOutDelay, GetInt(b, ePropDelay));
}
