// Peek: the shape slides into (or out of) its own bounds, widened by 30 on
// each side of an extent below 60, through a mask on those bounds that is
// switched on when the agent is prepared and never changes.
//
// Subtype 0, 1, 2, 3: the shape comes from the left, right, bottom, top. An
// entrance starts one extent away; an exit (transition not 0) moves away the
// same way as far. The shape is moved through its frame position.
#pragma once

#include "filters/FilterAgent.h"

class PeekInAgent : public FilterAgent {
 public:
  PeekInAgent(const boost::shared_ptr<IInterface>& behaviour,
              const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;

  bool IsPrepared() const { return prepared_; }
  const boost::shared_ptr<ICompoundScreenShape>& Mask() const { return mask_; }

 private:
  bool prepared_ = false;
  boost::shared_ptr<ICompoundScreenShape> mask_;
};
