#include "pptx/ChartBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "pptx/ChartPlot.h"

namespace pptx {
namespace {

const double kPi = 3.14159265358979323846;

struct Box {
  double x, y, w, h;
};

struct LegendEntry {
  std::wstring name;
  platform::FillStyle fill;
  platform::LineStyle line;  // lines: a short line and their marker instead of a square
  ChartMarker marker;
};

std::vector<LegendEntry> LegendEntries(const ChartModel& model) {
  std::vector<LegendEntry> out;
  if (PerPoint(model)) {
    const ChartSeries& s = model.series.front();
    for (size_t i = 0; i < s.values.size() && i < 256; ++i) {
      LegendEntry e;
      e.name = i < model.categories.size() ? model.categories[i] : std::to_wstring(i + 1);
      e.fill = PointFill(model, 0, i);
      out.push_back(e);
    }
    return out;
  }
  for (const ChartSeries& s : model.series) {
    LegendEntry e;
    e.name = s.name;
    e.fill = s.fill;
    if (model.groups[s.group].kind == "line") {
      e.line = s.line;
      e.marker = s.marker;
      e.marker.size = std::min(e.marker.size, model.legendText.size * 0.7);
    }
    out.push_back(e);
  }
  // Entries the legend leaves out, by their index before any reordering.
  for (size_t i = out.size(); i-- > 0;)
    if (std::find(model.legendHidden.begin(), model.legendHidden.end(), i) !=
        model.legendHidden.end())
      out.erase(out.begin() + static_cast<std::ptrdiff_t>(i));
  // Stacked columns list their series top down, as they are stacked.
  const ChartGroup& group = model.groups.front();
  if (group.kind == "bar" && !model.horizontal && group.grouping != "clustered" &&
      (model.legendPosition == "r" || model.legendPosition == "l"))
    std::reverse(out.begin(), out.end());
  return out;
}

void AddLegend(const ChartModel& model, const Box& area, std::vector<ChartPart>& parts, Box& rest) {
  const std::vector<LegendEntry> entries = LegendEntries(model);
  if (entries.empty()) return;
  const platform::CharProps& text = model.legendText;
  const double line = LineHeight(text), swatch = text.size * platform::kUnitsPerPoint * 0.7;
  const double gap = line * 0.4;
  std::vector<double> widths;
  double widest = 0;
  for (const auto& e : entries) {
    widths.push_back(std::min(TextWidth(e.name, text) + line * 0.3, area.w * 0.9));
    widest = std::max(widest, widths.back());
  }
  const std::string pos = model.legendPosition;
  const bool across = pos == "t" || pos == "b";
  // Rows of entries: one row across when they fit, else a grid of columns as
  // wide as the widest entry (one column down the side).
  std::vector<std::vector<size_t>> rows(1);
  std::vector<double> rowWidth(1, 0.0);
  std::vector<double> offset(entries.size(), 0.0);  // each entry's x in its row
  double flowWidth = 0;
  for (double w : widths) flowWidth += swatch + gap / 2 + w + gap;
  if (across && flowWidth <= area.w) {
    for (size_t i = 0; i < entries.size(); ++i) {
      offset[i] = rowWidth[0];
      rows[0].push_back(i);
      rowWidth[0] += swatch + gap / 2 + widths[i] + gap;
    }
  } else {
    const double cell = swatch + gap / 2 + widest + gap;
    const size_t columns =
        across ? std::max<size_t>(1, static_cast<size_t>(area.w / std::max(1.0, cell))) : 1;
    rows.assign((entries.size() + columns - 1) / columns, {});
    rowWidth.assign(rows.size(), std::min(entries.size(), columns) * cell);
    for (size_t i = 0; i < entries.size(); ++i) {
      rows[i / columns].push_back(i);
      offset[i] = (i % columns) * cell;
    }
  }
  double legendW = 0;
  for (double w : rowWidth) legendW = std::max(legendW, w);
  legendW = std::min(legendW, area.w);
  const double legendH = std::min(rows.size() * line, area.h);
  Box box{area.x + area.w - legendW, area.y + (area.h - legendH) / 2, legendW, legendH};
  if (pos == "l") box.x = area.x;
  if (pos == "t") box = {area.x + (area.w - legendW) / 2, area.y, legendW, legendH};
  if (pos == "b")
    box = {area.x + (area.w - legendW) / 2, area.y + area.h - legendH, legendW, legendH};
  if (pos == "tr") box.y = area.y;
  if (model.legendBox) {
    const ChartBox& m = *model.legendBox;
    box.x = area.x + m.x * area.w;
    box.y = area.y + m.y * area.h;
    if (m.w > 0 && m.h > 0) {
      box.x += (m.w * area.w - legendW) / 2;
      box.y += (m.h * area.h - legendH) / 2;
    }
  } else if (!model.legendOverlays) {
    if (pos == "l") {
      rest.x += legendW + gap;
      rest.w -= legendW + gap;
    } else if (pos == "t") {
      rest.y += legendH + gap;
      rest.h -= legendH + gap;
    } else if (pos == "b") {
      rest.h -= legendH + gap;
    } else {
      rest.w -= legendW + gap;
    }
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    const double y = box.y + r * line;
    if (y + line > box.y + legendH + 0.5) break;
    for (size_t i : rows[r]) {
      const double x = box.x + (across ? (legendW - rowWidth[r]) / 2 : 0) + offset[i];
      const LegendEntry& e = entries[i];
      if (e.line.present || e.marker.symbol != "none") {
        if (e.line.present)
          parts.push_back(LinePart(x, y + line / 2, x + swatch, y + line / 2, e.line));
        if (e.marker.symbol != "none")
          parts.push_back(MarkerPart(e.marker, x + swatch / 2, y + line / 2));
      } else {
        auto square = RectPart(x, y + (line - swatch) / 2, swatch, swatch);
        square->SetFill(e.fill);
        parts.push_back(square);
      }
      parts.push_back(TextPart(x + swatch + gap / 2, y, widths[i], line, e.name, text,
                               platform::TextAlign::Left));
    }
  }
}

// A pie, or a doughnut's rings (its first series innermost), from 12 o'clock
// clockwise.
void AddPie(const ChartModel& model, const Box& box, std::vector<ChartPart>& parts) {
  const double r = std::min(box.w, box.h) / 2, cx = box.x + box.w / 2, cy = box.y + box.h / 2;
  const double hole = model.kind == "doughnut" ? r * model.holeSize / 100 : 0;
  const size_t rings = model.kind == "doughnut" ? model.series.size() : 1;
  std::vector<ChartPart> labels;
  for (size_t n = 0; n < rings; ++n) {
    const ChartSeries& s = model.series[n];
    double total = 0;
    for (const auto& v : s.values)
      if (v) total += std::max(0.0, *v);
    if (total <= 0) continue;
    const double inner = hole + (r - hole) * n / rings, outer = hole + (r - hole) * (n + 1) / rings;
    double angle = -90.0;
    for (size_t i = 0; i < s.values.size(); ++i) {
      const double swing = s.values[i] ? std::max(0.0, *s.values[i]) / total * 360.0 : 0;
      if (swing <= 0) continue;
      std::vector<std::pair<double, double>> pts;
      const int steps = std::max(2, static_cast<int>(swing / 4));
      for (int k = 0; k <= steps; ++k) {
        const double a = (angle + swing * k / steps) * kPi / 180.0;
        pts.emplace_back(cx + outer * std::cos(a), cy + outer * std::sin(a));
      }
      for (int k = steps; k >= 0 && inner > 0; --k) {
        const double a = (angle + swing * k / steps) * kPi / 180.0;
        pts.emplace_back(cx + inner * std::cos(a), cy + inner * std::sin(a));
      }
      if (inner <= 0) pts.emplace_back(cx, cy);
      auto slice = PolygonPart(pts, true);
      slice->SetFill(PointFill(model, n, i));
      if (s.line.present) slice->SetLine(s.line);
      parts.push_back(slice);
      const std::wstring text = LabelText(model, n, i);
      if (!text.empty()) {
        const double mid = (angle + swing / 2) * kPi / 180.0;
        const double at = inner > 0 ? (inner + outer) / 2 : outer * 0.65;
        const double w = TextWidth(text, s.labelText) + 4, h = LineHeight(s.labelText);
        labels.push_back(TextPart(cx + at * std::cos(mid) - w / 2, cy + at * std::sin(mid) - h / 2,
                                  w, h, text, s.labelText, platform::TextAlign::Centre));
      }
      angle += swing;
    }
  }
  parts.insert(parts.end(), labels.begin(), labels.end());
}

}  // namespace

void BuildChart(const ChartModel& model, double x, double y, double w, double h,
                std::vector<ChartPart>& parts) {
  if (w <= 0 || h <= 0 || model.series.empty()) return;
  if (model.chartFill.type != platform::eFillNone || model.chartLine.present) {
    auto back = RectPart(x, y, w, h);
    back->SetFill(model.chartFill);
    back->SetLine(model.chartLine);
    parts.push_back(back);
  }
  const double pad = std::max(4.0, std::min(w, h) * 0.025);
  const Box frame{x, y, w, h};
  Box rest{x + pad, y + pad, w - 2 * pad, h - 2 * pad};
  if (model.hasTitle && !model.title.empty()) {
    double height = 0, widest = 0;
    for (const platform::Paragraph& p : model.title) {
      double size = p.endProps ? p.endProps->size : 10, width = 0;
      if (!p.runs.empty()) size = 0;
      for (const auto& run : p.runs) {
        size = std::max(size, run.props.size);
        width += TextWidth(run.text, run.props);
      }
      height += size * platform::kUnitsPerPoint * 1.2;
      widest = std::max(widest, width);
    }
    // Titles wrap at four fifths of the chart's width.
    const double width = rest.w * 0.8;
    const int lines = std::max(1, static_cast<int>(std::ceil(widest / std::max(1.0, width))));
    height *= lines;
    auto title = RectPart(rest.x + (rest.w - width) / 2, rest.y, width, height);
    if (model.titleBox) {
      const double tw = std::min(widest * 1.1, w * 0.8);
      title->SetBounds(x + model.titleBox->x * w, y + model.titleBox->y * h, tw, height);
    }
    platform::TextBody body;
    body.insetLeft = body.insetRight = body.insetTop = body.insetBottom = 0;
    body.paragraphs = model.title;
    title->SetTextBody(body);
    parts.push_back(title);
    if (!model.titleOverlays) {
      const double bottom = title->Y() + height + pad;
      if (bottom > rest.y) {
        rest.h -= bottom - rest.y;
        rest.y = bottom;
      }
    }
  }
  if (model.hasLegend) {
    // A legend placed by hand is placed in the whole frame.
    Box area = model.legendBox ? frame : rest;
    AddLegend(model, area, parts, rest);
  }
  if (rest.w <= 1 || rest.h <= 1) return;
  Box plot = rest;
  bool inner = false;
  if (model.plotBox && model.plotBox->w > 0 && model.plotBox->h > 0) {
    plot = {x + model.plotBox->x * w, y + model.plotBox->y * h, model.plotBox->w * w,
            model.plotBox->h * h};
    inner = model.plotBoxInner;
  }
  if (model.kind == "pie" || model.kind == "doughnut") {
    if (!model.plotBox) {
      const double side = std::min(plot.w, plot.h) * 0.9;
      plot = {plot.x + (plot.w - side) / 2, plot.y + (plot.h - side) / 2, side, side};
    }
    AddPie(model, plot, parts);
    return;
  }
  BuildPlot(model, plot.x, plot.y, plot.w, plot.h, inner, parts);
}

}  // namespace pptx
