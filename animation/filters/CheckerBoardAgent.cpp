#include "filters/CheckerBoardAgent.h"

#include <algorithm>

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

CheckerBoardAgent::CheckerBoardAgent(const boost::shared_ptr<IInterface>& behaviour,
                                     const boost::shared_ptr<PublishContext>& metrics,
                                     uint32_t accel, uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

void CheckerBoardAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  SetPrepared();
  Init(target);
  Widen(5.0, 5.0);
  const boost::shared_ptr<IScreenShape> full = BuildFullShape();
  const boost::shared_ptr<IScreenShape> collapsed = BuildCollapsedShape();
  const boost::shared_ptr<IScreenShape> morph = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
  switch (PresetClassValue()) {
    case 0:
      morph->SetStartShape(collapsed);
      morph->SetEndShape(full);
      break;
    case 1:
      morph->SetStartShape(full);
      morph->SetEndShape(collapsed);
      break;
    default:
      break;
  }
  AttachMask(target, morph);
}

int CheckerBoardAgent::Rows() const {
  return std::max(1, std::min(transform::TruncToInt(AreaHeight() / 20.0), 10));
}

int CheckerBoardAgent::Columns() const {
  return std::max(1, std::min(transform::TruncToInt(AreaWidth() / 20.0), 7));
}

boost::shared_ptr<IScreenShape> CheckerBoardAgent::BuildCollapsedShape() {
  return BuildCells(false);
}

boost::shared_ptr<IScreenShape> CheckerBoardAgent::BuildFullShape() {
  return BuildCells(true);
}

// One row and one column more than the grid, so that the shifted rows or
// columns still cover the whole area.
boost::shared_ptr<IScreenShape> CheckerBoardAgent::BuildCells(bool full) {
  const TRect& a = MaskArea();
  boost::shared_ptr<IScreenShape> group = masks::Group();
  group->SetOutline(0);
  const int rows = Rows(), columns = Columns();
  const double ch = AreaHeight() / rows, cw = AreaWidth() / columns;
  if (Subtype() == 8) {
    for (int j = 0; j <= rows; ++j) {
      const double x0 = a.left - (j % 2 ? cw * 0.5 : 0.0);
      const double top = a.top + j * ch, bottom = a.top + (j + 1) * ch;
      for (int k = 0; k <= columns; ++k) {
        const double left = x0 + k * cw;
        group->AddChild(
            masks::BareRectangle(left, top, full ? x0 + (k + 1) * cw : left + 1.0, bottom));
      }
    }
  } else {
    for (int i = 0; i <= columns; ++i) {
      const double y0 = a.top - (i % 2 ? ch * 0.5 : 0.0);
      const double left = a.left + i * cw, right = a.left + (i + 1) * cw;
      for (int j = 0; j <= rows; ++j) {
        const double top = y0 + j * ch;
        group->AddChild(
            masks::BareRectangle(left, top, right, full ? y0 + (j + 1) * ch : top + 1.0));
      }
    }
  }
  group->SetGeometry(a.left, a.top, a.right, a.bottom);
  group->SetFilled(1);
  return group;
}
