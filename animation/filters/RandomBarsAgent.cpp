#include "filters/RandomBarsAgent.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

RandomBarsAgent::RandomBarsAgent(const boost::shared_ptr<IInterface>& behaviour,
                                 const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                                 uint32_t decel)
    : GeneralAgent(behaviour, metrics, accel, decel) {}

// No more bars than whole units across the bars' direction.
void RandomBarsAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  GeneralAgent::PrepareAction(target);
  const double extent = Subtype() == 8 ? AreaHeight() : AreaWidth();
  const int units = std::max(0, transform::TruncToInt(extent));
  barCount_ = std::min(barCount_, static_cast<uint32_t>(units));
  Restart();
}

void RandomBarsAgent::Restart() {
  NewMaskGroup();
  remaining_.clear();
  for (uint32_t i = 0; i < barCount_; ++i) remaining_.push_back(i);
  if (PresetClassValue() == 1) {
    const TRect& a = MaskArea();
    MaskGroup()->AddChild(masks::FilledRectangle(a.left, a.top, a.right, a.bottom));
  }
}

void RandomBarsAgent::BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  const uint32_t k = PiecesFor(GetProgress(t), barCount_);
  if (k < shown_) {  // time went back
    shown_ = 0;
    Restart();
  }
  shown_ = k;
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  while (barCount_ - remaining_.size() < k && !remaining_.empty()) {
    const uint32_t index = TakeRandom(remaining_);
    if (boost::shared_ptr<IScreenShape> bar = BuildBar(index)) MaskGroup()->AddChild(bar);
  }
  ReplaceMask(context, MaskGroup());
}

// Bars span the bounds widened by 30 on each side of an extent below 60; the
// widening sticks, so it happens once.
boost::shared_ptr<IScreenShape> RandomBarsAgent::BuildBar(uint32_t index) {
  WidenSmall(0.0);
  boost::shared_ptr<IScreenShape> bar = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
  if (!Supports(bar, eIidRectangleShape)) return boost::shared_ptr<IScreenShape>();
  const TRect& a = MaskArea();
  if (Subtype() == 8) {
    const double bh = barCount_ ? AreaHeight() / barCount_ : 1.0;
    bar->SetGeometry(a.left, a.top + index * bh, a.right, a.top + (index + 1) * bh);
  } else {
    const double bw = AreaWidth() / barCount_;
    bar->SetGeometry(a.left + index * bw, a.top, a.left + (index + 1) * bw, a.bottom);
  }
  bar->SetFilled(1);
  return bar;
}
