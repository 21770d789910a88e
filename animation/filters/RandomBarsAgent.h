// Random bars: up to 100 bars one unit or more across (vertical, or
// horizontal for subtype 8) appear in random order, as many as the progress
// asks for. An entrance collects them in an empty mask; an exit starts from
// the whole bounds and cuts them out. When time goes back below what was
// shown, the bars start over.
#pragma once

#include <vector>

#include "filters/GeneralAgent.h"

class RandomBarsAgent : public GeneralAgent {
 public:
  RandomBarsAgent(const boost::shared_ptr<IInterface>& behaviour,
                  const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  void BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;

  uint32_t BarCount() const { return barCount_; }
  uint32_t Shown() const { return shown_; }
  const std::vector<uint32_t>& Remaining() const { return remaining_; }

 private:
  void Restart();
  boost::shared_ptr<IScreenShape> BuildBar(uint32_t index);

  std::vector<uint32_t> remaining_;
  uint32_t barCount_ = 100;
  uint32_t shown_ = 0;
};
