// Checkerboard: a grid of at most 10 rows and 7 columns of cells about 20
// units across, every other row (subtype 8) or column (otherwise) shifted by
// half a cell; each cell grows from a one-unit sliver at its left (subtype 8)
// or top edge to the whole cell. The bounds are widened by 5 on every side.
#pragma once

#include "filters/InOutAgent.h"

class CheckerBoardAgent : public InOutAgent {
 public:
  CheckerBoardAgent(const boost::shared_ptr<IInterface>& behaviour,
                    const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                    uint32_t decel);

  // Takes the bounds afresh every time; entrances morph from the slivers to
  // the cells, exits back.
  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  boost::shared_ptr<IScreenShape> BuildFullShape() override;

  // Rows and columns of the grid for the current mask area (at least one
  // each, so that a shape under 20 units still gets a cell).
  int Rows() const;
  int Columns() const;

 private:
  boost::shared_ptr<IScreenShape> BuildCells(bool full);
};
