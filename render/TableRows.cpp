#include "render/TableRows.h"

#include <algorithm>

#include <boost/make_shared.hpp>

namespace render {

double CellTextHeight(const platform::Shape& cell, platform::ITextMeasurer& measurer) {
  // Vertical text runs along the row: it does not make the row taller.
  if (!cell.HasTextBody() || cell.Text().paragraphs.empty() || cell.Text().turn != 0) return 0.0;
  platform::TextBody body = cell.Text();
  body.anchor = platform::TextAnchor::Top;
  const double box[4] = {cell.X(), cell.Y(), cell.X() + cell.Width(), cell.Y() + cell.Height()};
  const platform::TextPlace place = platform::LayoutText(body, box, measurer);
  double bottom = box[1] + body.insetTop;
  for (const platform::ParagraphPlace& p : place.paragraphs)
    if (!p.lines.empty()) bottom = std::max(bottom, p.lines.back().bottom);
  return bottom - box[1] + body.insetBottom;
}

std::vector<boost::shared_ptr<platform::Shape>> FitTableRows(const platform::Shape& frame,
                                                             platform::ITextMeasurer& measurer) {
  const int rows = static_cast<int>(frame.tableRows.size());
  if (rows == 0) return frame.parts;
  auto inGrid = [rows](const platform::Shape& part) {
    return part.tableTop >= 0 && part.tableBottom > part.tableTop && part.tableBottom <= rows;
  };
  // Cells of one row first, then cells spanning rows grow the last row they span.
  std::vector<double> height = frame.tableRows;
  for (bool spanning : {false, true})
    for (const auto& part : frame.parts) {
      if (!inGrid(*part) || (part->tableBottom - part->tableTop > 1) != spanning) continue;
      const double need = CellTextHeight(*part, measurer);
      double have = 0.0;
      for (int r = part->tableTop; r < part->tableBottom; ++r) have += height[r];
      if (need > have) height[part->tableBottom - 1] += need - have;
    }
  // How far each grid line moves down.
  std::vector<double> shift(rows + 1, 0.0);
  for (int r = 0; r < rows; ++r) shift[r + 1] = shift[r] + height[r] - frame.tableRows[r];
  if (shift[rows] <= 1e-6) return frame.parts;
  std::vector<boost::shared_ptr<platform::Shape>> parts;
  parts.reserve(frame.parts.size());
  for (const auto& part : frame.parts) {
    const int top = part->tableTop, bottom = part->tableBottom;
    if (top < 0 || bottom < top || bottom > rows) {
      parts.push_back(part);
      continue;
    }
    auto moved = boost::make_shared<platform::Shape>(*part);
    moved->SetBounds(part->X(), part->Y() + shift[top], part->Width(),
                     part->Height() + shift[bottom] - shift[top]);
    parts.push_back(moved);
  }
  return parts;
}

}  // namespace render
