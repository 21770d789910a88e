#include "pptx/GraphicReader.h"

#include <algorithm>
#include <cmath>

#include <boost/make_shared.hpp>

#include "pptx/ChartReader.h"
#include "pptx/FillReader.h"
#include "pptx/PictureReader.h"
#include "pptx/ShapeReader.h"
#include "pptx/TextStyles.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

using platform::Shape;
using ShapePtr = boost::shared_ptr<Shape>;

ShapePtr NewPart(double x, double y, double w, double h) {
  auto part = boost::make_shared<Shape>(L"part");
  part->SetBounds(x, y, w, h);
  return part;
}

ShapePtr Border(double x0, double y0, double x1, double y1, const platform::LineStyle& line) {
  auto part = NewPart(x0, y0, x1 - x0, y1 - y0);
  part->SetKind(platform::ShapeKind::Connector);
  part->SetGeometry("line");
  part->SetLine(line);
  return part;
}

double Emu(const pugi::xml_node& node, const char* name, double fallback) {
  double v = 0;
  return ParseDecimal(node.attribute(name).as_string(), v) && v >= 0 ? v : fallback;
}

bool On(const pugi::xml_node& node, const char* name) {
  bool v = false;
  return ParseBoolean(node.attribute(name).as_string(), v) && v;
}

// ----------------------------------------------------------------- tables ---

// The parts of the deck's table style that cells take.
struct CellLook {
  platform::FillStyle fill;
  bool hasFill = false;
  Kinefold::TColor text{0, 0, 0, 255};
  bool hasText = false, bold = false;
  platform::LineStyle edges[4];  // left, top, right, bottom
  bool hasEdge[4] = {false, false, false, false};
};

pugi::xml_node TableStyle(SlideContext& ctx, const std::string& id) {
  if (id.empty()) return pugi::xml_node();
  const std::string main = ctx.package.MainPart();
  const Relationship* rel = ctx.package.FindRelationshipOfType(main, "tableStyles");
  if (!rel || rel->external || !ctx.package.Has(rel->target)) return pugi::xml_node();
  std::shared_ptr<pugi::xml_document> doc = ctx.package.ReadXml(rel->target);
  for (pugi::xml_node style : Children(Child(*doc, "tblStyleLst"), "tblStyle"))
    if (id == style.attribute("styleId").as_string()) return style;
  return pugi::xml_node();
}

// Applies one region of a table style (wholeTbl, band1H, firstRow, ...) to a
// cell on the given outer edges.
void ApplyRegion(SlideContext& ctx, const pugi::xml_node& region, const bool outer[4],
                 CellLook& look) {
  if (!region) return;
  pugi::xml_node text = Child(region, "tcTxStyle");
  if (text) {
    if (ctx.colours.ResolveChild(text, look.text)) look.hasText = true;
    if (text.attribute("b")) look.bold = std::string(text.attribute("b").as_string()) == "on";
  }
  pugi::xml_node tcStyle = Child(region, "tcStyle");
  if (pugi::xml_node fill = Child(tcStyle, "fill")) {
    for (pugi::xml_node f : Elements(fill))
      if (ReadFillElement(ctx.colours, f, look.fill)) look.hasFill = true;
  } else if (pugi::xml_node ref = Child(tcStyle, "fillRef")) {
    Kinefold::TColor c;
    if (ctx.colours.ResolveChild(ref, c)) {
      look.fill.type = platform::eFillSolid;
      look.fill.colour = c;
      look.hasFill = true;
    }
  }
  pugi::xml_node borders = Child(tcStyle, "tcBdr");
  const char* outerNames[4] = {"left", "top", "right", "bottom"};
  const char* innerNames[4] = {"insideV", "insideH", "insideV", "insideH"};
  for (int e = 0; e < 4; ++e) {
    pugi::xml_node edge = Child(borders, outer[e] ? outerNames[e] : innerNames[e]);
    if (pugi::xml_node ln = Child(edge, "ln")) {
      platform::LineStyle line;
      if (ReadShapeLine(ctx, ln, line)) {
        look.edges[e] = line;
        look.hasEdge[e] = true;
      }
    }
  }
}

void ReadTable(SlideContext& ctx, const pugi::xml_node& tbl, Shape& frame) {
  std::vector<double> colX{0};
  for (pugi::xml_node col : Children(Child(tbl, "tblGrid"), "gridCol"))
    colX.push_back(colX.back() + EmuToUnits(Emu(col, "w", 0)));
  std::vector<pugi::xml_node> rows = Children(tbl, "tr");
  std::vector<double> rowY{0};
  for (const pugi::xml_node& tr : rows) rowY.push_back(rowY.back() + EmuToUnits(Emu(tr, "h", 0)));
  const size_t cols = colX.size() - 1, nrows = rows.size();
  if (cols == 0 || nrows == 0 || cols * nrows > 10000) return;
  pugi::xml_node tblPr = Child(tbl, "tblPr");
  pugi::xml_node style = TableStyle(ctx, Child(tblPr, "tableStyleId").text().get());
  const double x0 = frame.X(), y0 = frame.Y();
  for (size_t r = 0; r < nrows; ++r) frame.tableRows.push_back(rowY[r + 1] - rowY[r]);
  std::vector<ShapePtr> borders;
  for (size_t r = 0; r < nrows; ++r) {
    std::vector<pugi::xml_node> cells = Children(rows[r], "tc");
    for (size_t c = 0; c < cells.size() && c < cols; ++c) {
      const pugi::xml_node tc = cells[c];
      if (On(tc, "hMerge") || On(tc, "vMerge")) continue;
      const size_t span =
          std::max<size_t>(1, std::min<size_t>(cols - c, tc.attribute("gridSpan").as_uint(1)));
      const size_t rspan =
          std::max<size_t>(1, std::min<size_t>(nrows - r, tc.attribute("rowSpan").as_uint(1)));
      const double x = x0 + colX[c], y = y0 + rowY[r];
      const double w = colX[c + span] - colX[c], h = rowY[r + rspan] - rowY[r];
      const bool outer[4] = {c == 0, r == 0, c + span == cols, r + rspan == nrows};
      CellLook look;
      ApplyRegion(ctx, Child(style, "wholeTbl"), outer, look);
      const size_t dataRow = On(tblPr, "firstRow") ? r - 1 : r;
      if (On(tblPr, "bandRow") && !(On(tblPr, "firstRow") && r == 0))
        ApplyRegion(ctx, Child(style, dataRow % 2 == 0 ? "band1H" : "band2H"), outer, look);
      if (On(tblPr, "bandCol"))
        ApplyRegion(ctx, Child(style, c % 2 == 0 ? "band1V" : "band2V"), outer, look);
      if (On(tblPr, "firstCol") && c == 0) ApplyRegion(ctx, Child(style, "firstCol"), outer, look);
      if (On(tblPr, "lastCol") && c + span == cols)
        ApplyRegion(ctx, Child(style, "lastCol"), outer, look);
      if (On(tblPr, "lastRow") && r + rspan == nrows)
        ApplyRegion(ctx, Child(style, "lastRow"), outer, look);
      if (On(tblPr, "firstRow") && r == 0) ApplyRegion(ctx, Child(style, "firstRow"), outer, look);

      auto cell = NewPart(x, y, w, h);
      cell->tableTop = static_cast<int>(r);
      cell->tableBottom = static_cast<int>(r + rspan);
      pugi::xml_node tcPr = Child(tc, "tcPr");
      platform::FillStyle fill;
      if (ReadShapeFill(ctx, tcPr, fill))
        cell->SetFill(fill);
      else if (look.hasFill)
        cell->SetFill(look.fill);
      if (pugi::xml_node txBody = Child(tc, "txBody")) {
        ReadPlainTextBody(ctx, *cell, txBody);
        platform::TextBody body = cell->Text();
        body.insetLeft = EmuToUnits(Emu(tcPr, "marL", 91440));
        body.insetRight = EmuToUnits(Emu(tcPr, "marR", 91440));
        body.insetTop = EmuToUnits(Emu(tcPr, "marT", 45720));
        body.insetBottom = EmuToUnits(Emu(tcPr, "marB", 45720));
        body.fontLineHeights = true;
        const std::string vert = tcPr.attribute("vert").as_string();
        if (!vert.empty()) body.turn = vert == "vert270" ? 270 : vert == "horz" ? 0 : 90;
        const std::string anchor = tcPr.attribute("anchor").as_string();
        body.anchor = anchor == "ctr" ? platform::TextAnchor::Middle
                      : anchor == "b" ? platform::TextAnchor::Bottom
                                      : platform::TextAnchor::Top;
        const bool ownColour = txBody.find_node(
            [](const pugi::xml_node& n) { return Is(n, "rPr") && Child(n, "solidFill"); });
        for (platform::Paragraph& p : body.paragraphs)
          for (platform::TextRun& run : p.runs) {
            if (look.hasText && !ownColour) run.props.colour = look.text;
            if (look.bold) run.props.bold = true;
          }
        cell->SetTextBody(body);
      }
      frame.parts.push_back(cell);
      // Borders: the cell's own, else the style's.
      const char* own[4] = {"lnL", "lnT", "lnR", "lnB"};
      for (int e = 0; e < 4; ++e) {
        platform::LineStyle line = look.edges[e];
        bool stated = look.hasEdge[e];
        if (pugi::xml_node ln = Child(tcPr, own[e])) {
          platform::LineStyle mine;
          if (ReadShapeLine(ctx, ln, mine)) {
            line = mine;
            stated = true;
          }
        }
        if (!stated || !line.present) continue;
        const double ex0 = e == 2 ? x + w : x, ey0 = e == 3 ? y + h : y;
        const double ex1 = e == 0 ? x : x + w, ey1 = e == 1 ? y : y + h;
        borders.push_back(Border(ex0, ey0, ex1, ey1, line));
        borders.back()->tableTop = static_cast<int>(e == 3 ? r + rspan : r);
        borders.back()->tableBottom = static_cast<int>(e == 1 ? r : r + rspan);
      }
    }
  }
  frame.parts.insert(frame.parts.end(), borders.begin(), borders.end());
}

// --------------------------------------------------------------- diagrams ---

void ReadDiagram(SlideContext& ctx, const pugi::xml_node& relIds, Shape& frame) {
  // The data part names the stored drawing through a relationship of the slide.
  const Relationship* data =
      ctx.package.FindRelationship(ctx.part, NsAttr(relIds, "dm").as_string());
  if (!data || data->external || !ctx.package.Has(data->target)) return;
  std::shared_ptr<pugi::xml_document> dataDoc = ctx.package.ReadXml(data->target);
  pugi::xml_node ext =
      dataDoc->find_node([](const pugi::xml_node& n) { return Is(n, "dataModelExt"); });
  const Relationship* drawing =
      ext ? ctx.package.FindRelationship(ctx.part, ext.attribute("relId").as_string()) : nullptr;
  if (!drawing || drawing->external || !ctx.package.Has(drawing->target)) return;
  std::shared_ptr<pugi::xml_document> doc = ctx.package.ReadXml(drawing->target);
  pugi::xml_node tree = Path(*doc, {"drawing", "spTree"});
  if (!tree) return;
  frame.parts = ReadForeignShapes(ctx, drawing->target, tree, frame.X() * kEmuPerUnit,
                                  frame.Y() * kEmuPerUnit);
}

// ----------------------------------------------------- legacy OLE pictures ---

// Older files keep an OLE object's picture only in the slide's legacy drawing:
// the drawing's shape named by the object's spid holds an image reference.
bool ReadLegacyPicture(SlideContext& ctx, const pugi::xml_node& data, Shape& shape) {
  pugi::xml_node ole = data.find_node([](const pugi::xml_node& n) { return Is(n, "oleObj"); });
  const std::string spid = ole.attribute("spid").as_string();
  if (spid.empty()) return false;
  const std::string where = ctx.part + ": OLE object " + spid;
  for (const Relationship& drawing : ctx.package.Relationships(ctx.part)) {
    if (drawing.type != "vmlDrawing" || drawing.external || !ctx.package.Has(drawing.target))
      continue;
    std::shared_ptr<pugi::xml_document> doc;
    try {
      doc = ctx.package.ReadXml(drawing.target);
    } catch (const std::exception& error) {
      ctx.Diag().Warn("legacy drawing not read", where + ": " + error.what());
      continue;
    }
    pugi::xml_node vml = doc->find_node([&](const pugi::xml_node& n) {
      return Is(n, "shape") &&
             (spid == n.attribute("id").as_string() || spid == NsAttr(n, "spid").as_string());
    });
    pugi::xml_node image =
        vml.find_node([](const pugi::xml_node& n) { return Is(n, "imagedata"); });
    std::string id = NsAttr(image, "relid").as_string();
    if (id.empty()) id = NsAttr(image, "id").as_string();
    const Relationship* rel =
        id.empty() ? nullptr : ctx.package.FindRelationship(drawing.target, id);
    if (rel && !rel->external && ReadPicturePart(ctx, rel->target, shape, where)) return true;
  }
  return false;
}

}  // namespace

std::vector<ShapePtr> ReadForeignShapes(SlideContext& context, const std::string& part,
                                        const pugi::xml_node& spTree, double dxEmu, double dyEmu) {
  platform::Slide scratch;
  scratch.width = context.slide.width;
  scratch.height = context.slide.height;
  SlideContext foreign(context.package, scratch);
  foreign.part = part;
  foreign.layout = context.layout;
  foreign.master = context.master;
  foreign.defaultTextStyle = context.defaultTextStyle;
  foreign.colours = context.colours;
  ReadShapeTree(foreign, spTree, dxEmu, dyEmu);
  return scratch.TopLevelShapes();
}

void ReadGraphicFrame(SlideContext& context, const pugi::xml_node& frame, Shape& shape) {
  pugi::xml_node data = Path(frame, {"graphic", "graphicData"});
  if (!data) return;
  if (shape.graphicKind == "table") {
    ReadTable(context, Child(data, "tbl"), shape);
  } else if (shape.graphicKind == "diagram") {
    ReadDiagram(context, Child(data, "relIds"), shape);
  } else {
    // OLE objects and some charts carry a picture of themselves.
    pugi::xml_node blipFill =
        data.find_node([](const pugi::xml_node& n) { return Is(n, "blipFill"); });
    if (blipFill && ReadShapePicture(context, blipFill, shape)) return;
    if (shape.graphicKind == "ole" && ReadLegacyPicture(context, data, shape)) return;
    if (shape.graphicKind == "chart") ReadChart(context, Child(data, "chart"), shape);
  }
}

}  // namespace pptx
