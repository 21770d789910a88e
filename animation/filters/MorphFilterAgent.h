// A filter whose mask is one morph shape, built once: every frame only
// switches the mask on and sets the morph's ratio from the progress.
//
// The mask container is attached to the shape switched off; the agent
// switches it on while it draws and off again on the frames where its time is
// clamped to the start or end (Apply then switches it on at the clamped time).
#pragma once

#include <string>

#include "filters/FilterAgent.h"

class MorphFilterAgent : public FilterAgent {
 public:
  MorphFilterAgent(const boost::shared_ptr<IInterface>& behaviour,
                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                   uint32_t decel);

  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  bool OnBeforeStart(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) override;
  bool OnAfterEnd(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) override;

  const std::wstring& MaskName() const { return maskName_; }
  bool IsPrepared() const { return prepared_; }

  // The morph ratio (0..65535) for a progress: truncated, held to the range.
  static uint32_t RatioFor(double progress);

 protected:
  // Init once: the first caller takes the bounds.
  void PrepareOnce(const boost::shared_ptr<IScreenObject>& context);
  void SetPrepared() { prepared_ = true; }
  // Puts `morph` into a new mask container and attaches that to the context,
  // switched off.
  void AttachMask(const boost::shared_ptr<IScreenObject>& context,
                  const boost::shared_ptr<IScreenShape>& morph);

 private:
  // Switches every mask child named maskName on (with the ratio for t) or off.
  void SwitchMask(const boost::shared_ptr<IScreenObject>& context, bool on, uint32_t ratio);

  bool prepared_ = false;
  std::wstring maskName_;
};
