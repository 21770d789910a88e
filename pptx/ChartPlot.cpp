#include "pptx/ChartPlot.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "pptx/Xml.h"

namespace pptx {
namespace {

const double kPi = 3.14159265358979323846;
// The share of its slot that a category's label may take across.
const double kLabelShare = 0.95;

struct Range {
  double low = 0, high = 0;
  bool any = false;
  void Add(double v) {
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    any = true;
  }
};

// Where each point's bar or line starts and ends on the value axis.
struct Stack {
  std::vector<std::vector<std::optional<std::pair<double, double>>>> spans;  // [series][point]
  Range range;
};

// The values of an axis's ticks, low to high.
std::vector<double> Ticks(const AxisScale& scale) {
  std::vector<double> out;
  const double steps = std::floor((scale.high - scale.low) / scale.step + 1e-6);
  for (int i = 0; i <= steps && i <= 1000; ++i) out.push_back(scale.low + i * scale.step);
  return out;
}

bool Stacked(const ChartGroup& group) {
  return group.grouping == "stacked" || group.grouping == "percentStacked";
}

Stack StackValues(const ChartModel& model, size_t points) {
  Stack out;
  out.spans.resize(model.series.size());
  for (size_t g = 0; g < model.groups.size(); ++g) {
    const ChartGroup& group = model.groups[g];
    const bool stacked = Stacked(group), percent = group.grouping == "percentStacked";
    std::vector<double> total(points, 0.0), up(points, 0.0), down(points, 0.0);
    for (const ChartSeries& s : model.series)
      for (size_t i = 0; s.group == g && i < s.values.size() && i < points; ++i)
        if (s.values[i]) total[i] += std::fabs(*s.values[i]);
    for (size_t k = 0; k < model.series.size(); ++k) {
      const ChartSeries& s = model.series[k];
      if (s.group != g) continue;
      out.spans[k].resize(points);
      for (size_t i = 0; i < s.values.size() && i < points; ++i) {
        if (!s.values[i]) continue;
        double v = *s.values[i];
        if (percent) v = total[i] > 0 ? v / total[i] : 0;
        double from = 0;
        if (stacked) {
          double& base = v < 0 && group.kind == "bar" ? down[i] : up[i];
          from = base;
          base += v;
        }
        out.spans[k][i] = std::make_pair(from, from + v);
        if (stacked) out.range.Add(from);
        out.range.Add(from + v);
      }
    }
  }
  return out;
}

}  // namespace

ChartPart MarkerPart(const ChartMarker& marker, double x, double y) {
  const double r = marker.size * platform::kUnitsPerPoint / 2;
  const std::string& symbol = marker.symbol;
  ChartPart part;
  if (symbol == "diamond")
    part = PolygonPart({{x, y - r}, {x + r, y}, {x, y + r}, {x - r, y}}, true);
  else if (symbol == "triangle")
    part = PolygonPart({{x, y - r}, {x + r, y + r}, {x - r, y + r}}, true);
  else if (symbol == "x" || symbol == "star")
    part = PolygonPart({{x - r, y - r}, {x + r, y + r}, {x, y}, {x + r, y - r}, {x - r, y + r}},
                       false);
  else if (symbol == "plus")
    part = PolygonPart({{x, y - r}, {x, y + r}, {x, y}, {x - r, y}, {x + r, y}}, false);
  else if (symbol == "dash")
    part = PolygonPart({{x - r, y}, {x + r, y}}, false);
  else
    part = RectPart(x - r, y - r, 2 * r, 2 * r);
  if (symbol == "circle" || symbol == "dot") part->SetGeometry("ellipse");
  const bool open = symbol == "x" || symbol == "star" || symbol == "plus" || symbol == "dash";
  if (!open) part->SetFill(marker.fill);
  platform::LineStyle line = marker.line;
  if (open && !line.present) {
    line.present = true;
    line.colour = marker.fill.colour;
  }
  part->SetLine(line);
  return part;
}

bool PerPoint(const ChartModel& model) {
  return model.varyColours &&
         (model.series.size() == 1 || model.kind == "pie" || model.kind == "doughnut");
}

std::wstring LabelText(const ChartModel& model, size_t series, size_t point) {
  const ChartSeries& s = model.series[series];
  ChartLabel label = s.label;
  for (const auto& own : s.pointLabels)
    if (own.first == point) label = own.second;
  if (!label.Shown() || point >= s.values.size() || !s.values[point]) return std::wstring();
  std::vector<std::wstring> pieces;
  if (label.series) pieces.push_back(s.name);
  if (label.category)
    pieces.push_back(point < model.categories.size() ? model.categories[point]
                                                     : std::to_wstring(point + 1));
  if (label.value)
    pieces.push_back(
        FormatNumber(*s.values[point], s.labelFormat.empty() ? s.format : s.labelFormat));
  if (label.percent) {
    double total = 0;
    for (const auto& v : s.values)
      if (v) total += std::fabs(*v);
    pieces.push_back(FormatNumber(total > 0 ? std::fabs(*s.values[point]) / total : 0, "0%"));
  }
  std::wstring out;
  const std::wstring separator = WideText(label.separator.c_str());
  for (const auto& piece : pieces) out += (out.empty() ? L"" : separator) + piece;
  return out;
}

platform::FillStyle PointFill(const ChartModel& model, size_t series, size_t point) {
  const ChartSeries& s = model.series[series];
  platform::FillStyle fill = s.fill;
  if (PerPoint(model)) {
    // One colour per point: the accents in turn, as the first series' colour starts them.
    static const Kinefold::TColor kAccents[6] = {{68, 114, 196, 255},  {237, 125, 49, 255},
                                                 {165, 165, 165, 255}, {255, 192, 0, 255},
                                                 {91, 155, 213, 255},  {112, 173, 71, 255}};
    fill.type = platform::eFillSolid;
    fill.colour =
        model.accents.empty() ? kAccents[point % 6] : model.accents[point % model.accents.size()];
  }
  for (const auto& own : s.pointFills)
    if (own.first == point) fill = own.second;
  return fill;
}

void BuildPlot(const ChartModel& model, double px, double py, double pw, double ph, bool inner,
               std::vector<ChartPart>& parts) {
  size_t points = model.categories.size();
  for (const ChartSeries& s : model.series) points = std::max(points, s.values.size());
  if (points == 0 || pw <= 0 || ph <= 0) return;
  const Stack stack = StackValues(model, points);
  const ChartAxis& va = model.valueAxis;
  const ChartAxis& ca = model.categoryAxis;
  const bool vertical = !model.horizontal;
  const bool valueLabels = va.present && !va.deleted && va.labels;
  const bool categoryLabels = ca.present && !ca.deleted && ca.labels;
  const double vLine = LineHeight(va.text), cLine = LineHeight(ca.text);
  const double gap = 0.4 * vLine;

  // The value axis's scale, and its labels' room.
  const bool percent = model.groups.front().grouping == "percentStacked";
  std::string format = va.format.empty() ? model.series.front().format : va.format;
  if (percent && va.format.empty()) format = "0%";
  auto scaleFor = [&](double length) {
    double low = stack.range.low, high = stack.range.high;
    if (!stack.range.any) high = 1;
    // Room of a twentieth of the values' spread beyond them, then a zero
    // floor unless the values lie close together.
    const double spread = high - low;
    if (!percent && high > 0) high += spread * 0.05;
    if (!percent && low < 0) low -= spread * 0.05;
    if (low > 0 && (high - low) / high >= 1.0 / 6) low = 0;
    if (high < 0 && (high - low) / -low >= 1.0 / 6) high = 0;
    if (va.min) low = *va.min;
    if (va.max) high = *va.max;
    const double per = vertical ? vLine : vLine * 2.5;
    const int steps = std::max(2, std::min(10, static_cast<int>(length / per)));
    AxisScale scale = NiceScale(low, high, steps);
    if (va.majorUnit && (scale.high - scale.low) / *va.majorUnit < 1000) {
      scale.step = *va.majorUnit;
      scale.low = std::floor(scale.low / scale.step + 1e-9) * scale.step;
      scale.high = std::ceil(high / scale.step - 1e-9) * scale.step;
    }
    if (va.min) scale.low = *va.min;
    if (va.max) scale.high = *va.max;
    if (scale.high <= scale.low) scale.high = scale.low + scale.step;
    if (!std::isfinite(scale.low) || !std::isfinite(scale.high) || !(scale.step > 0) ||
        (scale.high - scale.low) / scale.step > 1000)
      scale = AxisScale();
    return scale;
  };
  auto labelText = [&](const AxisScale& scale, double v) {
    return FormatNumber(std::round(v / scale.step) * scale.step + 0.0, format);
  };
  auto labelsWidth = [&](const AxisScale& scale) {
    double widest = 0;
    for (double v : Ticks(scale))
      widest = std::max(widest, TextWidth(labelText(scale, v), va.text));
    return widest;
  };
  AxisScale scale = scaleFor(vertical ? ph : pw);

  // Category labels: as they are, wrapped to their slot, or turned.
  std::vector<std::wstring> names(points);
  for (size_t i = 0; i < points; ++i)
    names[i] = i < model.categories.size() ? model.categories[i] : std::to_wstring(i + 1);
  double widestName = 0;
  for (const auto& n : names) widestName = std::max(widestName, TextWidth(n, ca.text));
  double angle = 0;
  int wrapLines = 1;
  auto categoryRoom = [&](double slot) {
    angle = 0;
    wrapLines = 1;
    if (!vertical) return std::min(widestName, pw * 0.4) + gap;
    if (ca.rotation && *ca.rotation != 0) {
      angle = *ca.rotation;
    } else if (widestName > slot * kLabelShare) {
      // Wrapped when every word fits the slot, else turned.
      int most = 0;
      for (const auto& n : names) {
        const int lines = WrappedLines(n, ca.text, slot * kLabelShare);
        most = lines == 0 ? 99 : std::max(most, lines);
      }
      if (most <= 5)
        wrapLines = most;
      else
        angle = -45;
    }
    const double a = std::fabs(angle) * kPi / 180;
    const double room =
        angle != 0 ? widestName * std::sin(a) + cLine * std::cos(a) : wrapLines * cLine;
    return std::min(room, ph * 0.45) + gap;
  };

  if (!inner) {
    if (vertical) {
      if (valueLabels) {
        const double room = labelsWidth(scale) + gap;
        px += room;
        pw -= room;
      }
      if (categoryLabels) ph -= categoryRoom(pw / points);
      if (valueLabels) {
        py += vLine / 2;
        ph -= vLine / 2;
      }
    } else {
      if (categoryLabels) {
        const double room = categoryRoom(0);
        px += room;
        pw -= room;
      }
      if (valueLabels) {
        ph -= vLine + gap;
        pw -= labelsWidth(scale) / 2;
      }
    }
    if (pw <= 1 || ph <= 1) return;
    scale = scaleFor(vertical ? ph : pw);
  } else if (categoryLabels) {
    categoryRoom(vertical ? pw / points : 0);
  }

  const double slot = (vertical ? pw : ph) / points;
  auto valueAt = [&](double v) {
    double f = (v - scale.low) / (scale.high - scale.low);
    if (va.reversed) f = 1 - f;
    f = std::max(-0.001, std::min(1.001, f));
    return vertical ? py + ph - f * ph : px + f * pw;
  };
  // Where category i's slot starts along its axis (in increasing x or y).
  auto slotStart = [&](size_t i) {
    const size_t k = (vertical != ca.reversed) ? i : points - 1 - i;
    return (vertical ? px : py) + slot * k;
  };
  const double cross = valueAt(std::max(scale.low, std::min(scale.high, 0.0)));

  if (model.plotFill.type != platform::eFillNone) {
    auto back = RectPart(px, py, pw, ph);
    back->SetFill(model.plotFill);
    parts.push_back(back);
  }
  if (va.gridlines && va.grid.present)
    for (double v : Ticks(scale)) {
      const double at = valueAt(v);
      parts.push_back(vertical ? LinePart(px, at, px + pw, at, va.grid)
                               : LinePart(at, py, at, py + ph, va.grid));
    }
  if (ca.gridlines && ca.grid.present)
    for (size_t i = 0; i <= points; ++i) {
      const double at = (vertical ? px : py) + slot * i;
      parts.push_back(vertical ? LinePart(at, py, at, py + ph, ca.grid)
                               : LinePart(px, at, px + pw, at, ca.grid));
    }

  // Series. Bars of one chart share each category's slot in lanes.
  std::vector<size_t> lane(model.series.size(), 0), lanesOf(model.groups.size(), 0);
  for (size_t k = 0; k < model.series.size(); ++k) lane[k] = lanesOf[model.series[k].group]++;
  std::vector<ChartPart> labels;
  for (size_t n = 0; n < model.series.size(); ++n) {
    // Areas that are not stacked are drawn last series first, so that the
    // first stays in front.
    size_t k = n;
    const ChartGroup& first = model.groups[model.series[n].group];
    if (first.kind == "area" && first.grouping == "standard") {
      size_t begin = n, end = n;
      while (begin > 0 && model.series[begin - 1].group == model.series[n].group) --begin;
      while (end + 1 < model.series.size() && model.series[end + 1].group == model.series[n].group)
        ++end;
      k = begin + end - n;
    }
    const ChartSeries& s = model.series[k];
    const ChartGroup& group = model.groups[s.group];
    const size_t count = lanesOf[s.group];
    const bool stacked = Stacked(group);
    const double g = group.gapWidth / 100, ov = group.overlap / 100;
    const double lanes = stacked ? 1 : count - (count - 1) * ov;
    const double bar = slot / (lanes + g);
    const auto& spans = stack.spans[k];
    const double lh = LineHeight(s.labelText);
    auto label = [&](const std::wstring& text, double cx, double cy, double w) {
      labels.push_back(
          TextPart(cx - w / 2, cy - lh / 2, w, lh, text, s.labelText, platform::TextAlign::Centre));
    };
    if (group.kind == "bar") {
      for (size_t i = 0; i < points; ++i) {
        if (!spans[i]) continue;
        const double along =
            slotStart(i) + (slot - bar * lanes) / 2 + (stacked ? 0 : lane[k] * bar * (1 - ov));
        const double a = valueAt(spans[i]->first), b = valueAt(spans[i]->second);
        auto part = vertical ? RectPart(along, std::min(a, b), bar, std::fabs(b - a))
                             : RectPart(std::min(a, b), along, std::fabs(b - a), bar);
        part->SetFill(PointFill(model, k, i));
        if (s.line.present) part->SetLine(s.line);
        parts.push_back(part);
        const std::wstring text = LabelText(model, k, i);
        if (text.empty()) continue;
        const std::string pos =
            s.labelPosition.empty() ? (stacked ? "ctr" : "outEnd") : s.labelPosition;
        const bool up = (b <= a) == vertical;  // the bar grows towards smaller y or larger x
        double at = (a + b) / 2;
        const double room = vertical ? lh * 0.6 : TextWidth(text, s.labelText) * 0.6 + 2;
        if (pos == "outEnd") at = b + (up == vertical ? -room : room);
        if (pos == "inEnd") at = b + (up == vertical ? room : -room);
        if (pos == "inBase") at = a + (up == vertical ? -room : room);
        const double wide = std::max(bar, TextWidth(text, s.labelText) + 4);
        if (vertical)
          label(text, along + bar / 2, at, wide);
        else
          label(text, at, along + bar / 2, wide);
      }
      continue;
    }
    // Lines and areas through the slot centres; a missing value breaks a line.
    std::vector<std::vector<std::pair<double, double>>> runs(1);
    std::vector<std::pair<double, double>> top, bottom;
    for (size_t i = 0; i < points; ++i) {
      const double c = slotStart(i) + slot / 2;
      if (!spans[i]) {
        if (!runs.back().empty()) runs.emplace_back();
        continue;
      }
      const double v = valueAt(spans[i]->second), base = valueAt(spans[i]->first);
      auto p = vertical ? std::make_pair(c, v) : std::make_pair(v, c);
      runs.back().push_back(p);
      top.push_back(p);
      bottom.push_back(vertical ? std::make_pair(c, base) : std::make_pair(base, c));
      const std::wstring text = LabelText(model, k, i);
      if (!text.empty()) {
        const double w = TextWidth(text, s.labelText) + 4;
        if (vertical)
          label(text, c, v - lh * 0.8, w);
        else
          label(text, v + w / 2 + 2, c, w);
      }
    }
    if (group.kind == "area") {
      if (top.size() < 2) continue;
      std::vector<std::pair<double, double>> outline = top;
      outline.insert(outline.end(), bottom.rbegin(), bottom.rend());
      auto part = PolygonPart(outline, true);
      part->SetFill(s.fill);
      if (s.line.present) part->SetLine(s.line);
      parts.push_back(part);
      continue;
    }
    for (const auto& run : runs) {
      if (run.size() < 2 || !s.line.present) continue;
      auto part = PolygonPart(run, false);
      part->SetLine(s.line);
      parts.push_back(part);
    }
    if (s.marker.symbol == "none") continue;
    for (size_t i = 0; i < points; ++i) {
      if (!spans[i] || std::find(s.unmarked.begin(), s.unmarked.end(), i) != s.unmarked.end())
        continue;
      const double c = slotStart(i) + slot / 2, v = valueAt(spans[i]->second);
      parts.push_back(vertical ? MarkerPart(s.marker, c, v) : MarkerPart(s.marker, v, c));
    }
  }

  // Axis lines: the category axis where the values cross zero, the value
  // axis at the start of the categories.
  if (model.plotLine.present) {
    auto frame = RectPart(px, py, pw, ph);
    frame->SetLine(model.plotLine);
    parts.push_back(frame);
  }
  if (ca.present && !ca.deleted && ca.line.present)
    parts.push_back(vertical ? LinePart(px, cross, px + pw, cross, ca.line)
                             : LinePart(cross, py, cross, py + ph, ca.line));
  if (va.present && !va.deleted && va.line.present)
    parts.push_back(vertical ? LinePart(px, py, px, py + ph, va.line)
                             : LinePart(px, py + ph, px + pw, py + ph, va.line));

  // Tick labels.
  if (valueLabels)
    for (double v : Ticks(scale)) {
      const std::wstring text = labelText(scale, v);
      const double at = valueAt(v), w = TextWidth(text, va.text) + vLine;
      if (vertical)
        parts.push_back(TextPart(px - gap - w, at - vLine / 2, w, vLine, text, va.text,
                                 platform::TextAlign::Right));
      else
        parts.push_back(TextPart(at - w / 2, py + ph + gap, w, vLine, text, va.text,
                                 platform::TextAlign::Centre, false, platform::TextAnchor::Top));
    }
  if (categoryLabels) {
    const double a = angle * kPi / 180;
    size_t every = 1;
    if (vertical && angle != 0)
      every = static_cast<size_t>(
          std::ceil(cLine * 0.9 / std::max(1e-6, slot * std::fabs(std::sin(a)))));
    else if (!vertical)
      every = static_cast<size_t>(std::ceil(cLine * 0.9 / std::max(1e-6, slot)));
    every = std::max<size_t>(1, every);
    for (size_t i = 0; i < points; i += every) {
      const double c = slotStart(i) + slot / 2;
      if (!vertical) {
        const double w = std::min(widestName, pw * 0.4 + px) + cLine;
        parts.push_back(TextPart(px - gap - w, c - cLine / 2, w, cLine, names[i], ca.text,
                                 platform::TextAlign::Right));
      } else if (angle == 0) {
        const double h = wrapLines * cLine;
        parts.push_back(TextPart(c - slot * kLabelShare / 2, py + ph + gap, slot * kLabelShare, h,
                                 names[i], ca.text, platform::TextAlign::Centre, wrapLines > 1,
                                 platform::TextAnchor::Top));
      } else {
        // Turned about the end that meets the axis.
        const double len = TextWidth(names[i], ca.text) + cLine;
        const bool up = angle < 0;
        const double ex = c, ey = py + ph + gap + cLine / 2 * std::fabs(std::cos(a));
        const double dir = up ? 1 : -1;  // the end of the text is the box's right (up) or left end
        const double cx = ex - dir * std::cos(a) * len / 2, cy = ey - dir * std::sin(a) * len / 2;
        auto part = TextPart(cx - len / 2, cy - cLine / 2, len, cLine, names[i], ca.text,
                             up ? platform::TextAlign::Right : platform::TextAlign::Left);
        part->SetRotation(angle);
        parts.push_back(part);
      }
    }
  }
  parts.insert(parts.end(), labels.begin(), labels.end());
}

}  // namespace pptx
