// Dissolve: the bounds (widened by 30 on each side of an extent below 60)
// are cut into 20 x 20 cells that appear in random order, as many as the
// progress asks for. An entrance collects them in an empty mask, an exit
// starts from the whole bounds and cuts them out. When time goes back below
// what was shown, the cells start over. Once every cell is shown, later
// frames add no mask of their own.
#pragma once

#include <utility>
#include <vector>

#include "filters/GeneralAgent.h"

class DissolveOutAgent : public GeneralAgent {
 public:
  DissolveOutAgent(const boost::shared_ptr<IInterface>& behaviour,
                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                   uint32_t decel);

  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  void BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;

  uint32_t Rows() const { return rows_; }
  uint32_t Columns() const { return columns_; }
  uint32_t Shown() const { return shown_; }
  const std::vector<uint32_t>& Remaining() const { return remaining_; }
  // (row, column) of every cell, row by row.
  const std::vector<std::pair<uint32_t, uint32_t>>& Cells() const { return cells_; }

 private:
  void Restart();
  boost::shared_ptr<IScreenShape> BuildCell(uint32_t row, uint32_t column) const;

  std::vector<uint32_t> remaining_;
  std::vector<std::pair<uint32_t, uint32_t>> cells_;
  uint32_t columns_ = 0;
  uint32_t rows_ = 0;
  uint32_t shown_ = 0;
};
