// Fades the shape in from invisible or out to invisible.
#pragma once

#include "filters/FilterAgent.h"

class FadeAgent : public FilterAgent {
 public:
  FadeAgent(const boost::shared_ptr<IInterface>& behaviour,
            const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
};
