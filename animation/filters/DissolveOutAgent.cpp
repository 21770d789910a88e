#include "filters/DissolveOutAgent.h"

#include <cstdlib>
#include <ctime>

#include "filters/MaskPrimitives.h"

DissolveOutAgent::DissolveOutAgent(const boost::shared_ptr<IInterface>& behaviour,
                                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                                   uint32_t decel)
    : GeneralAgent(behaviour, metrics, accel, decel) {}

void DissolveOutAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  GeneralAgent::PrepareAction(target);
  WidenSmall(0.0);
  columns_ = 20;
  rows_ = 20;
  Restart();
}

void DissolveOutAgent::Restart() {
  NewMaskGroup();
  cells_.clear();
  remaining_.clear();
  for (uint32_t row = 0; row < rows_; ++row) {
    for (uint32_t column = 0; column < columns_; ++column) {
      remaining_.push_back(static_cast<uint32_t>(cells_.size()));
      cells_.emplace_back(row, column);
    }
  }
  if (PresetClassValue() == 1) {
    const TRect& a = MaskArea();
    MaskGroup()->AddChild(masks::FilledRectangle(a.left, a.top, a.right, a.bottom));
  }
}

void DissolveOutAgent::BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  const uint32_t total = rows_ * columns_;
  const uint32_t k = PiecesFor(GetProgress(t), total);
  if (k < shown_) {  // time went back
    shown_ = 0;
    Restart();
  }
  shown_ = k;
  if (remaining_.empty()) return;
  while (total - remaining_.size() < k && !remaining_.empty()) {
    const std::pair<uint32_t, uint32_t> cell = cells_[TakeRandom(remaining_)];
    if (boost::shared_ptr<IScreenShape> shape = BuildCell(cell.first, cell.second))
      MaskGroup()->AddChild(shape);
  }
  ReplaceMask(context, MaskGroup());
}

boost::shared_ptr<IScreenShape> DissolveOutAgent::BuildCell(uint32_t row, uint32_t column) const {
  boost::shared_ptr<IScreenShape> cell = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
  if (!Supports(cell, eIidRectangleShape)) return boost::shared_ptr<IScreenShape>();
  const TRect& a = MaskArea();
  const double cw = AreaWidth() / columns_, ch = AreaHeight() / rows_;
  cell->SetGeometry(a.left + column * cw, a.top + row * ch, a.left + (column + 1) * cw,
                    a.top + (row + 1) * ch);
  cell->SetFilled(1);
  return cell;
}
