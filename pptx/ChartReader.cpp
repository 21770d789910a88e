#include "pptx/ChartReader.h"

#include <algorithm>
#include <cmath>

#include "pptx/ChartBuilder.h"
#include "pptx/FillReader.h"
#include "pptx/GraphicReader.h"
#include "pptx/ShapeReader.h"
#include "pptx/TextStyles.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

// A c:xxx val="..." flag; an element without val is on.
bool Flag(const pugi::xml_node& parent, const char* name, bool fallback) {
  pugi::xml_node node = Child(parent, name);
  if (!node) return fallback;
  bool v = true;
  return node.attribute("val") ? ParseBoolean(node.attribute("val").as_string(), v) && v : true;
}

std::string Value(const pugi::xml_node& parent, const char* name) {
  return Child(parent, name).attribute("val").as_string();
}

std::optional<double> Number(const pugi::xml_node& parent, const char* name) {
  double v = 0;
  if (ParseDecimal(Value(parent, name).c_str(), v) && std::isfinite(v)) return v;
  return std::nullopt;
}

// Characters of a c:txPr (its first paragraph's defRPr) over `base`.
platform::CharProps TextOf(SlideContext& ctx, const pugi::xml_node& txPr,
                           const platform::CharProps& base) {
  platform::CharProps props = base;
  ReadCharStyle(Path(txPr, {"p", "pPr", "defRPr"}), ctx.colours).ApplyTo(props);
  return props;
}

std::optional<double> Rotation(const pugi::xml_node& txPr) {
  double rot = 0;
  pugi::xml_attribute attr = Child(txPr, "bodyPr").attribute("rot");
  if (!attr || !ParseDecimal(attr.as_string(), rot) || std::fabs(rot) > 5400000)
    return std::nullopt;
  return rot / 60000.0;
}

std::optional<ChartBox> ManualBox(const pugi::xml_node& layout, bool* inner = nullptr) {
  pugi::xml_node manual = Child(layout, "manualLayout");
  if (!manual) return std::nullopt;
  if (Value(manual, "xMode") == "factor" || Value(manual, "yMode") == "factor") return std::nullopt;
  ChartBox box;
  box.x = Number(manual, "x").value_or(-1);
  box.y = Number(manual, "y").value_or(-1);
  box.w = Number(manual, "w").value_or(0);
  box.h = Number(manual, "h").value_or(0);
  if (box.x < 0 || box.y < 0 || box.x > 1 || box.y > 1 || box.w < 0 || box.h < 0)
    return std::nullopt;
  if (inner) *inner = Value(manual, "layoutTarget") == "inner";
  return box;
}

std::wstring Trimmed(const std::wstring& text) {
  const size_t a = text.find_first_not_of(L' ');
  if (a == std::wstring::npos) return std::wstring();
  return text.substr(a, text.find_last_not_of(L' ') - a + 1);
}

// Text of a c:tx, c:cat or the like: a literal, or a string or number cache;
// blanks around each piece are dropped.
std::vector<std::wstring> CachedStrings(const pugi::xml_node& node) {
  std::vector<std::wstring> out;
  pugi::xml_node cache;
  for (const char* path : {"strRef", "numRef", "multiLvlStrRef"}) {
    pugi::xml_node ref = Child(node, path);
    if (!ref) continue;
    cache = Child(ref, "strCache");
    if (!cache) cache = Child(ref, "numCache");
    if (!cache) cache = Path(ref, {"multiLvlStrCache", "lvl"});
    break;
  }
  if (!cache) cache = Child(node, "strLit");
  if (!cache) cache = Child(node, "numLit");
  const std::string format = Child(cache, "formatCode").text().get();
  for (pugi::xml_node pt : Children(cache, "pt")) {
    const size_t idx = pt.attribute("idx").as_uint(0);
    if (idx >= 1000) continue;
    if (out.size() <= idx) out.resize(idx + 1);
    const char* text = Child(pt, "v").text().get();
    double v = 0;
    if (Is(cache, "numCache") || Is(cache, "numLit"))
      out[idx] = ParseDecimal(text, v) ? FormatNumber(v, format) : WideText(text);
    else
      out[idx] = WideText(text);
    out[idx] = Trimmed(out[idx]);
  }
  return out;
}

void ReadValues(const pugi::xml_node& val, ChartSeries& series) {
  pugi::xml_node cache = Path(val, {"numRef", "numCache"});
  if (!cache) cache = Child(val, "numLit");
  series.format = Child(cache, "formatCode").text().get();
  for (pugi::xml_node pt : Children(cache, "pt")) {
    const size_t idx = pt.attribute("idx").as_uint(0);
    double v = 0;
    if (idx >= 1000 || !ParseDecimal(Child(pt, "v").text().get(), v) || !(std::fabs(v) < 1e15))
      continue;
    if (series.values.size() <= idx) series.values.resize(idx + 1);
    series.values[idx] = v;
  }
  const size_t count = Child(cache, "ptCount").attribute("val").as_uint(0);
  if (count > series.values.size() && count < 1000) series.values.resize(count);
}

Kinefold::TColor Accent(SlideContext& ctx, size_t k) {
  Kinefold::TColor c{68, 114, 196, 255};
  if (const Theme* theme = ctx.colours.GetTheme()) {
    auto it = theme->colours.find("accent" + std::to_string(k % 6 + 1));
    if (it != theme->colours.end()) c = it->second;
  }
  return c;
}

// A number format of its own; empty when it follows the values' (sourceLinked).
std::string OwnFormat(const pugi::xml_node& numFmt) {
  bool linked = false;
  ParseBoolean(numFmt.attribute("sourceLinked").as_string(), linked);
  return linked ? std::string() : numFmt.attribute("formatCode").as_string();
}

// What c:dLbls or c:dLbl states a label shows, over `label`.
void ReadLabel(const pugi::xml_node& node, ChartLabel& label) {
  if (Flag(node, "delete", false)) {
    label = ChartLabel();
    return;
  }
  label.value = Flag(node, "showVal", label.value);
  label.category = Flag(node, "showCatName", label.category);
  label.series = Flag(node, "showSerName", label.series);
  label.percent = Flag(node, "showPercent", label.percent);
  if (pugi::xml_node separator = Child(node, "separator")) label.separator = separator.text().get();
}

void ReadLabels(SlideContext& ctx, const pugi::xml_node& dLbls, const platform::CharProps& base,
                ChartSeries& series) {
  if (!dLbls) return;
  ReadLabel(dLbls, series.label);
  for (pugi::xml_node one : Children(dLbls, "dLbl")) {
    ChartLabel label = series.label;
    ReadLabel(one, label);
    series.pointLabels.emplace_back(Child(one, "idx").attribute("val").as_uint(0), label);
  }
  if (Child(dLbls, "dLblPos")) series.labelPosition = Value(dLbls, "dLblPos");
  series.labelFormat = OwnFormat(Child(dLbls, "numFmt"));
  if (pugi::xml_node txPr = Child(dLbls, "txPr")) series.labelText = TextOf(ctx, txPr, base);
}

void ReadAxis(SlideContext& ctx, const pugi::xml_node& ax, const platform::CharProps& base,
              ChartAxis& axis) {
  axis.present = true;
  axis.deleted = Flag(ax, "delete", false);
  axis.labels = Value(ax, "tickLblPos") != "none";
  axis.position = Value(ax, "axPos");
  pugi::xml_node scaling = Child(ax, "scaling");
  axis.reversed = Value(scaling, "orientation") == "maxMin";
  axis.min = Number(scaling, "min");
  axis.max = Number(scaling, "max");
  axis.majorUnit = Number(ax, "majorUnit");
  if (axis.majorUnit && *axis.majorUnit <= 0) axis.majorUnit.reset();
  axis.format = OwnFormat(Child(ax, "numFmt"));
  if (pugi::xml_node grid = Child(ax, "majorGridlines")) {
    axis.gridlines = true;
    axis.grid.present = true;
    axis.grid.colour = {134, 134, 134, 255};
    axis.grid.width = 1.0;
    ReadShapeLine(ctx, Path(grid, {"spPr", "ln"}), axis.grid);
  }
  axis.line.present = true;
  axis.line.colour = {134, 134, 134, 255};
  axis.line.width = 1.0;
  ReadShapeLine(ctx, Path(ax, {"spPr", "ln"}), axis.line);
  axis.text = TextOf(ctx, Child(ax, "txPr"), base);
  axis.rotation = Rotation(Child(ax, "txPr"));
}

std::vector<platform::Paragraph> RichText(SlideContext& ctx, const pugi::xml_node& rich,
                                          const platform::CharProps& base) {
  std::vector<platform::Paragraph> out;
  for (pugi::xml_node p : Children(rich, "p")) {
    platform::Paragraph para;
    para.align = platform::TextAlign::Centre;
    platform::CharProps props = base;
    ReadCharStyle(Path(p, {"pPr", "defRPr"}), ctx.colours).ApplyTo(props);
    for (pugi::xml_node r : Elements(p)) {
      if (!Is(r, "r") && !Is(r, "fld")) continue;
      platform::CharProps own = props;
      ReadCharStyle(Child(r, "rPr"), ctx.colours).ApplyTo(own);
      para.runs.push_back(platform::TextRun{WideText(Child(r, "t").text().get()), own});
    }
    platform::CharProps end = props;
    ReadCharStyle(Child(p, "endParaRPr"), ctx.colours).ApplyTo(end);
    para.endProps = end;
    out.push_back(para);
  }
  return out;
}

double Fraction(const pugi::xml_node& node, const char* name) {
  double v = 0;
  return ParseDecimal(Child(node, name).text().get(), v) ? std::max(0.0, std::min(1.0, v)) : 0.0;
}

// Shapes drawn over the chart (c:userShapes), each placed by its anchor: the
// corners as fractions of the chart (relSizeAnchor), or a corner and a size.
void ReadUserShapes(SlideContext& ctx, const std::string& chartPart, platform::Shape& frame) {
  const Relationship* rel = ctx.package.FindRelationshipOfType(chartPart, "chartUserShapes");
  if (!rel || rel->external || !ctx.package.Has(rel->target)) return;
  std::shared_ptr<pugi::xml_document> doc;
  try {
    doc = ctx.package.ReadXml(rel->target);
  } catch (const std::exception& error) {
    ctx.Diag().Warn("chart drawing not read", rel->target + ": " + error.what());
    return;
  }
  const double fx = frame.X(), fy = frame.Y(), fw = frame.Width(), fh = frame.Height();
  for (pugi::xml_node anchor : Elements(Child(*doc, "userShapes"))) {
    const bool relative = Is(anchor, "relSizeAnchor");
    if (!relative && !Is(anchor, "absSizeAnchor")) continue;
    pugi::xml_node from = Child(anchor, "from"), to = Child(anchor, "to"),
                   ext = Child(anchor, "ext");
    const double x0 = fx + Fraction(from, "x") * fw, y0 = fy + Fraction(from, "y") * fh;
    const double x1 = relative ? fx + Fraction(to, "x") * fw
                               : x0 + EmuToUnits(std::max(0.0, ext.attribute("cx").as_double()));
    const double y1 = relative ? fy + Fraction(to, "y") * fh
                               : y0 + EmuToUnits(std::max(0.0, ext.attribute("cy").as_double()));
    pugi::xml_document tree;
    pugi::xml_node spTree = tree.append_child("spTree");
    for (pugi::xml_node e : Elements(anchor))
      if (!Is(e, "from") && !Is(e, "to") && !Is(e, "ext")) spTree.append_copy(e);
    for (const auto& shape :
         ReadForeignShapes(ctx, rel->target, spTree, fx * kEmuPerUnit, fy * kEmuPerUnit)) {
      if (shape->Kind() != platform::ShapeKind::Group)
        shape->SetBounds(x0, y0, std::max(0.0, x1 - x0), std::max(0.0, y1 - y0));
      frame.parts.push_back(shape);
    }
  }
}

}  // namespace

bool ReadChartModel(SlideContext& ctx, const pugi::xml_node& chartSpace, ChartModel& model) {
  pugi::xml_node chartNode = Child(chartSpace, "chart");
  pugi::xml_node plot = Child(chartNode, "plotArea");
  // The charts of the plot area: a pie or doughnut alone, or the bar, line
  // and area charts that share the axes.
  std::vector<std::pair<pugi::xml_node, std::string>> charts;
  for (pugi::xml_node c : Elements(plot)) {
    const std::string name = LocalName(c);
    for (const char* k : {"bar", "line", "area", "pie", "doughnut"})
      if (name.rfind(k, 0) == 0 && name.find("Chart") != std::string::npos) {
        const bool round = std::string(k) == "pie" || std::string(k) == "doughnut";
        if (charts.empty() ||
            (!round && charts.front().second != "pie" && charts.front().second != "doughnut"))
          charts.emplace_back(c, k);
      }
  }
  if (charts.empty()) return false;
  const pugi::xml_node chart = charts.front().first;
  model.kind = charts.front().second;
  const bool round = model.kind == "pie" || model.kind == "doughnut";
  model.horizontal = model.kind == "bar" && Value(chart, "barDir") == "bar";
  model.varyColours = Flag(chart, "varyColors", round);

  for (size_t k = 0; k < 6; ++k) model.accents.push_back(Accent(ctx, k));
  platform::CharProps base;
  base.font = ctx.colours.Font("+mn-lt");
  base.size = 10;
  base = TextOf(ctx, Child(chartSpace, "txPr"), base);

  static const char* kSymbols[] = {"square", "diamond", "triangle", "circle", "x", "star", "plus"};
  for (const auto& entry : charts) {
    const pugi::xml_node c = entry.first;
    ChartGroup group;
    group.kind = entry.second;
    if (Child(c, "grouping")) group.grouping = Value(c, "grouping");
    if (group.kind != "bar" && group.grouping == "clustered") group.grouping = "standard";
    group.gapWidth = std::max(0.0, std::min(500.0, Number(c, "gapWidth").value_or(150)));
    const bool stacked = group.grouping == "stacked" || group.grouping == "percentStacked";
    group.overlap =
        std::max(-100.0, std::min(100.0, Number(c, "overlap").value_or(stacked ? 100 : 0)));
    const bool line = group.kind == "line";
    const bool markers = line && Flag(c, "marker", true);
    size_t inGroup = 0;
    for (pugi::xml_node ser : Children(c, "ser")) {
      if (model.series.size() >= 64) break;
      ChartSeries s;
      s.group = model.groups.size();
      const size_t k =
          Child(ser, "idx") ? Child(ser, "idx").attribute("val").as_uint(0) : model.series.size();
      std::vector<std::wstring> name = CachedStrings(Child(ser, "tx"));
      if (!name.empty()) s.name = name.front();
      if (s.name.empty()) s.name = WideText(Path(ser, {"tx", "v"}).text().get());
      s.named = !s.name.empty();
      if (s.name.empty()) s.name = L"Series " + std::to_wstring(k + 1);
      ReadValues(Child(ser, "val"), s);
      if (model.categories.empty()) model.categories = CachedStrings(Child(ser, "cat"));
      pugi::xml_node spPr = Child(ser, "spPr");
      s.fill.type = platform::eFillSolid;
      s.fill.colour = Accent(ctx, k);
      ReadShapeFill(ctx, spPr, s.fill);
      s.line.present = line;
      s.line.colour = line ? Accent(ctx, k) : Kinefold::TColor{255, 255, 255, 255};
      s.line.width = line ? 3 : 1;
      ReadShapeLine(ctx, Child(spPr, "ln"), s.line);
      pugi::xml_node marker = Child(ser, "marker");
      s.marker.symbol = Child(marker, "symbol") ? Value(marker, "symbol")
                        : markers               ? kSymbols[inGroup % 7]
                                                : "none";
      if (s.marker.symbol == "auto") s.marker.symbol = kSymbols[inGroup % 7];
      if (!line) s.marker.symbol = "none";
      s.marker.size = std::max(2.0, std::min(72.0, Number(marker, "size").value_or(5)));
      s.marker.fill.type = platform::eFillSolid;
      s.marker.fill.colour = s.line.colour;
      s.marker.line.present = true;
      s.marker.line.colour = s.line.colour;
      s.marker.line.width = 0.75;
      ReadShapeFill(ctx, Child(marker, "spPr"), s.marker.fill);
      ReadShapeLine(ctx, Path(marker, {"spPr", "ln"}), s.marker.line);
      for (pugi::xml_node dPt : Children(ser, "dPt")) {
        const size_t idx = Child(dPt, "idx").attribute("val").as_uint(0);
        platform::FillStyle f = s.fill;
        if (ReadShapeFill(ctx, Child(dPt, "spPr"), f)) s.pointFills.emplace_back(idx, f);
        if (Value(Child(dPt, "marker"), "symbol") == "none") s.unmarked.push_back(idx);
      }
      s.labelText = base;
      ReadLabels(ctx, Child(c, "dLbls"), base, s);
      ReadLabels(ctx, Child(ser, "dLbls"), base, s);
      ++inGroup;
      if (!s.values.empty()) model.series.push_back(s);
    }
    model.groups.push_back(group);
  }
  if (model.series.empty()) return false;
  if (model.kind == "pie") model.series.resize(1);  // a pie shows its first series
  model.holeSize = std::max(10.0, std::min(90.0, Number(chart, "holeSize").value_or(50)));

  // Title: its own text, else the only series' name.
  if (pugi::xml_node title = Child(chartNode, "title")) {
    model.hasTitle = true;
    platform::CharProps props = base;
    props.size = 18;
    props.bold = true;
    props = TextOf(ctx, Child(title, "txPr"), props);
    pugi::xml_node tx = Child(title, "tx");
    if (pugi::xml_node rich = Child(tx, "rich")) {
      model.title = RichText(ctx, rich, props);
    } else {
      std::vector<std::wstring> text = CachedStrings(tx);
      std::wstring line = !text.empty()              ? text.front()
                          : model.series.size() == 1 ? model.series.front().name
                                                     : L"Chart Title";
      platform::Paragraph para;
      para.align = platform::TextAlign::Centre;
      para.runs.push_back(platform::TextRun{line, props});
      model.title.push_back(para);
    }
    model.titleBox = ManualBox(Child(title, "layout"));
    model.titleOverlays = Flag(title, "overlay", false);
  } else if (!Flag(chartNode, "autoTitleDeleted", false) && model.series.size() == 1 &&
             model.series.front().named) {
    model.hasTitle = true;
    platform::CharProps props = base;
    props.size = 18;
    props.bold = true;
    platform::Paragraph para;
    para.align = platform::TextAlign::Centre;
    para.runs.push_back(platform::TextRun{model.series.front().name, props});
    model.title.push_back(para);
  }

  if (pugi::xml_node legend = Child(chartNode, "legend")) {
    model.hasLegend = !Flag(legend, "delete", false);
    if (Child(legend, "legendPos")) model.legendPosition = Value(legend, "legendPos");
    model.legendBox = ManualBox(Child(legend, "layout"));
    model.legendOverlays = Flag(legend, "overlay", false);
    model.legendText = TextOf(ctx, Child(legend, "txPr"), base);
    for (pugi::xml_node entry : Children(legend, "legendEntry"))
      if (Flag(entry, "delete", false))
        model.legendHidden.push_back(Child(entry, "idx").attribute("val").as_uint(0));
  }

  bool inner = false;
  model.plotBox = ManualBox(Child(plot, "layout"), &inner);
  model.plotBoxInner = inner;
  ReadShapeFill(ctx, Child(plot, "spPr"), model.plotFill);
  ReadShapeLine(ctx, Path(plot, {"spPr", "ln"}), model.plotLine);
  ReadShapeFill(ctx, Child(chartSpace, "spPr"), model.chartFill);
  ReadShapeLine(ctx, Path(chartSpace, {"spPr", "ln"}), model.chartLine);

  if (!round) {
    // The chart's own axes, by the ids it lists.
    std::vector<std::string> ids;
    for (pugi::xml_node id : Children(chart, "axId"))
      ids.push_back(id.attribute("val").as_string());
    auto mine = [&](const pugi::xml_node& ax) {
      const std::string id = Value(ax, "axId");
      return ids.empty() || std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    for (pugi::xml_node ax : Elements(plot)) {
      if ((Is(ax, "catAx") || Is(ax, "dateAx")) && !model.categoryAxis.present && mine(ax))
        ReadAxis(ctx, ax, base, model.categoryAxis);
      else if (Is(ax, "valAx") && !model.valueAxis.present && mine(ax))
        ReadAxis(ctx, ax, base, model.valueAxis);
    }
  }
  return true;
}

bool ReadChart(SlideContext& ctx, const pugi::xml_node& chartRef, platform::Shape& frame) {
  const Relationship* rel =
      ctx.package.FindRelationship(ctx.part, NsAttr(chartRef, "id").as_string());
  if (!rel || rel->external || !ctx.package.Has(rel->target)) return false;
  std::shared_ptr<pugi::xml_document> doc = ctx.package.ReadXml(rel->target);
  pugi::xml_node chartSpace = Child(*doc, "chartSpace");
  // A chart may bring its own colour and font schemes and colour map.
  Theme theme = ctx.colours.GetTheme() ? *ctx.colours.GetTheme() : Theme();
  const Relationship* over = ctx.package.FindRelationshipOfType(rel->target, "themeOverride");
  if (over && !over->external && ctx.package.Has(over->target)) {
    std::shared_ptr<pugi::xml_document> overDoc = ctx.package.ReadXml(over->target);
    ReadThemeSchemes(Child(*overDoc, "themeOverride"), theme);
  }
  struct Restore {
    ColourContext& colours;
    const ColourContext saved;
    ~Restore() { colours = saved; }
  } restore{ctx.colours, ctx.colours};
  ctx.colours = ctx.colours.WithTheme(&theme);
  ctx.colours.SetMap(Child(chartSpace, "clrMapOvr"));
  ChartModel model;
  if (!ReadChartModel(ctx, chartSpace, model)) return false;
  BuildChart(model, frame.X(), frame.Y(), frame.Width(), frame.Height(), frame.parts);
  ReadUserShapes(ctx, rel->target, frame);
  return true;
}

}  // namespace pptx
