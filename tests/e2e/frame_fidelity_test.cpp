// Pixel probes of what real slides show besides their own shapes: layout and
// master shapes and backgrounds, gradients, tables, diagram drawings, charts,
// pictures and their recolouring, shadows, glows, soft edges and reflections, each on a small
// generated deck drawn at a quarter of its size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "pptx/DeckReader.h"
#include "pptx/DeckWriter.h"
#include "publisher/SlideScreen.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"

namespace {

namespace x = pptx::xml;

const std::string kA = "http://schemas.openxmlformats.org/drawingml/2006/";
const std::string kLayout = "ppt/slideLayouts/slideLayout1.xml";

std::string Solid(const std::string& rgb) {
  return "<a:solidFill><a:srgbClr val=\"" + rgb + "\"/></a:solidFill>";
}

// A two-stop gradient along `angle` (1/60000 degree), or shaded by an a:path.
std::string Gradient(const std::string& from, const std::string& to, int angle,
                     const std::string& path = "") {
  return "<a:gradFill><a:gsLst><a:gs pos=\"0\"><a:srgbClr val=\"" + from +
         "\"/></a:gs><a:gs pos=\"100000\"><a:srgbClr val=\"" + to + "\"/></a:gs></a:gsLst>" +
         (path.empty() ? "<a:lin ang=\"" + std::to_string(angle) + "\"/>" : path) + "</a:gradFill>";
}

std::string Emu(double units) {
  return std::to_string(static_cast<long long>(units * 9525));
}

std::string Effects(const std::string& effects) {
  return "<a:effectLst>" + effects + "</a:effectLst>";
}

// A graphic frame of `uri` data.
std::string Frame(double x, double y, double w, double h, const std::string& uri,
                  const std::string& content) {
  return R"(<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id="2" name="frame"/></p:nvGraphicFramePr>
<p:xfrm><a:off x=")" +
         Emu(x) + "\" y=\"" + Emu(y) + "\"/><a:ext cx=\"" + Emu(w) + "\" cy=\"" + Emu(h) +
         "\"/></p:xfrm><a:graphic><a:graphicData uri=\"" + uri + "\">" + content +
         "</a:graphicData></a:graphic></p:graphicFrame>";
}

// A table of these column widths and a:tr rows.
std::string Table(const std::vector<double>& columns, const std::string& rows) {
  std::string grid;
  for (double w : columns) grid += "<a:gridCol w=\"" + Emu(w) + "\"/>";
  return "<a:tbl><a:tblPr/><a:tblGrid>" + grid + "</a:tblGrid>" + rows + "</a:tbl>";
}

std::string Row(double h, const std::string& cells) {
  return "<a:tr h=\"" + Emu(h) + "\">" + cells + "</a:tr>";
}

std::string Cell(const std::string& fill, const std::string& attrs = "",
                 const std::string& paras = "<a:p><a:endParaRPr/></a:p>",
                 const std::string& tcPr = "") {
  return "<a:tc" + attrs + "><a:txBody>" + paras + "</a:txBody><a:tcPr" + tcPr + ">" + fill +
         "</a:tcPr></a:tc>";
}

// A rectangle with more p:spPr children (fill, line, effects), then `rest`.
std::string Sp(int id, double x, double y, double w, double h, const std::string& spPr,
               const std::string& rest = "") {
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) +
         "\" name=\"s\"/></p:nvSpPr><p:spPr>" + x::Xfrm(x, y, w, h) +
         "<a:prstGeom prst=\"rect\"/>" + spPr + "</p:spPr>" + rest + "</p:sp>";
}

// A text box with an a:bodyPr of attributes (and children) `bodyPr`, and paragraphs `paras`.
std::string TextBox(int id, double x, double y, double w, double h, const std::string& bodyPr,
                    const std::string& paras) {
  return Sp(id, x, y, w, h, "",
            "<p:txBody><a:bodyPr " + bodyPr + "</a:bodyPr><a:lstStyle/>" + paras + "</p:txBody>");
}

// A run of `size` hundredths of a point with more a:rPr children.
std::string TextRun(int size, const std::string& rPr, const std::string& text) {
  return "<a:r><a:rPr sz=\"" + std::to_string(size) + "\">" + rPr + "</a:rPr><a:t>" + text +
         "</a:t></a:r>";
}

// A paragraph of solid blocks (U+2588), words parted by spaces, at 40 points.
std::string Blocks(const std::string& pPr, const std::vector<int>& words) {
  std::string text;
  for (int letters : words) {
    if (!text.empty()) text += " ";
    for (int i = 0; i < letters; ++i) text += "\u2588";
  }
  return "<a:p><a:pPr " + pPr + "><a:buNone/></a:pPr>" + TextRun(4000, Solid("000000"), text) +
         "</a:p>";
}

// A 1 x 1 BMP of (0, 200, 0); with `two`, 2 x 1: red on the left, blue on the right.
std::string Bmp(bool two = false) {
  const unsigned char bytes[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54,  0, 0, 0,  40,
                                 0,   0,   0,  1, 0, 0, 0, 1, 0, 0, 0,   1, 0, 24, 0,
                                 0,   0,   0,  0, 4, 0, 0, 0, 0, 0, 0,   0, 0, 0,  0,
                                 0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 200, 0, 0};
  std::string bmp(reinterpret_cast<const char*>(bytes), sizeof bytes);
  if (!two) return bmp;
  bmp[2] = 62;
  bmp[18] = 2;
  bmp[34] = 8;
  return bmp.substr(0, 54) + std::string("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8);  // 4-byte rows
}

// A black horizontal line 8 units wide with more a:ln children.
std::string Line(int id, double x, double y, double w, const std::string& more) {
  return "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id=\"" + std::to_string(id) +
         "\" name=\"line\"/></p:nvCxnSpPr><p:spPr>" + x::Xfrm(x, y, w, 0) +
         "<a:prstGeom prst=\"line\"/><a:ln w=\"" + Emu(8) + "\">" + Solid("000000") + more +
         "</a:ln></p:spPr></p:cxnSp>";
}

// A 200 x 200 picture of the relationship `rid` with more a:blip and p:spPr children.
std::string Pic(int id, double x, double y, const std::string& rid, const std::string& blip,
                const std::string& spPr, const std::string& crop = "") {
  return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) +
         "\" name=\"pic\"/></p:nvPicPr><p:blipFill><a:blip r:embed=\"" + rid + "\">" + blip +
         "</a:blip>" + crop + "<a:stretch><a:fillRect/></a:stretch></p:blipFill><p:spPr>" +
         x::Xfrm(x, y, 200, 200) + "<a:prstGeom prst=\"rect\"/>" + spPr + "</p:spPr></p:pic>";
}

// An outer shadow 40 units away in the direction `dir` (1/60000 degree).
std::string Shadow(int dir, const std::string& rgb) {
  return Effects("<a:outerShdw dist=\"" + Emu(40) + "\" dir=\"" + std::to_string(dir) +
                 "\"><a:srgbClr val=\"" + rgb + "\"/></a:outerShdw>");
}

// The layout part with this background and these shapes.
std::pair<std::string, std::string> Layout(const std::string& bg, const std::string& shapes) {
  return {
      kLayout, R"(<p:sldLayout xmlns:a=")" + kA +
                   R"(main" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main">
<p:cSld>)" + bg + R"(<p:spTree>)" +
                   shapes + R"(</p:spTree></p:cSld></p:sldLayout>)"};
}

// The chart part with this plot area.
std::pair<std::string, std::string> Chart(const std::string& chart) {
  return {"ppt/charts/chart1.xml", "<c:chartSpace xmlns:c=\"" + kA + "chart\" xmlns:a=\"" + kA +
                                       "main\"><c:chart>" + chart + "</c:chart></c:chartSpace>"};
}

bool Near(uint32_t pixel, uint32_t rgb, int tolerance) {
  for (int shift : {16, 8, 0}) {
    const int a = (pixel >> shift) & 0xFF, b = (rgb >> shift) & 0xFF;
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

struct Case {
  const char* name;
  std::string shapes;
  std::string probes;  // "x,y RRGGBB ...": slide units of the 1280 x 720 deck, the colour there
  std::vector<std::pair<std::string, std::string>> parts = {};  // name, XML
};

TEST(FrameFidelity, WhatSlidesShowBesidesTheirOwnShapes) {
  const std::string dsp = "http://schemas.microsoft.com/office/drawing/2008/diagram";
  const std::string chartFrame = Frame(0, 0, 1280, 720, kA + "chart",
                                       "<c:chart xmlns:c=\"" + kA + "chart\" r:id=\"rIdChart\"/>");
  const std::string black = Solid("000000");
  const std::string glow = "<a:glow rad=\"" + Emu(40) + "\"><a:srgbClr val=\"FF0000\"/></a:glow>";
  x::Para blocks = x::P("\u2588\u2588\u2588\u2588");
  blocks.runs[0].attrs = "sz=\"4000\"";
  // `n` paragraphs of one block at 40 points in `font`.
  const auto lines = [](const std::string& font, int n) {
    std::string paras;
    for (int i = 0; i < n; ++i)
      paras += "<a:p>" + TextRun(4000, "<a:latin typeface=\"" + font + "\"/>", "\u2588") + "</a:p>";
    return paras;
  };
  const std::vector<Case> cases = {
      {"layout shapes under the slide's, layout placeholders left out",
       x::Shape(2, "own", 400, 0, 200, 100, "0000FF"),
       "640,660 FF0000 500,50 0000FF 640,300 FFFFFF",
       {Layout("", x::Shape(5, "bar", 0, 600, 1280, 120, "FF0000") +
                       x::Placeholder(6, "ph", "body", 1, {x::P("prompt")}))}},
      {"gradient background of the layout, gradient fill of a shape, a rectangular path gradient",
       x::Shape(2, "", 0, 0, 10, 10, "") +
           Sp(3, 400, 200, 400, 400, Gradient("FFFF00", "00FFFF", 5400000)) +
           Sp(4, 850, 100, 400, 200,
              Gradient("FFFF00", "0000FF", 0,
                       R"(<a:path path="rect">
<a:fillToRect l="50000" t="50000" r="50000" b="50000"/>
</a:path>)")),
       // Nine tenths of the way from the centre to the top edge: nearly blue (a circle would
       // still be mostly yellow there).
       "4,360 FF0000 1276,360 0000FF 600,204 FFFF00 600,596 00FFFF 1050,110 1919E6",
       {Layout("<p:bg><p:bgPr>" + Gradient("FF0000", "0000FF", 0) + "</p:bgPr></p:bg>", "")}},
      {"table cells with fills and a merged first row",
       Frame(100, 100, 400, 200, kA + "table",
             Table({200, 200},
                   Row(100, Cell(Solid("FF0000"), " gridSpan=\"2\"") + Cell("", " hMerge=\"1\"")) +
                       Row(100, Cell(Solid("00FF00")) + Cell(Solid("0000FF"))))),
       "380,150 FF0000 150,250 00FF00 450,250 0000FF"},
      {"a table row grows with its text and pushes the next row down",
       Frame(100, 100, 400, 120, kA + "table",
             Table({400}, Row(20, Cell(Solid("FF0000"), "", lines("Calibri", 3))) +
                              Row(100, Cell(Solid("0000FF"))))),
       // Three lines as tall as the font (53 units at 40 points in Calibri): the first row
       // ends near 270, the second reaches past the frame.
       "450,200 FF0000 450,260 FF0000 450,285 0000FF 450,340 0000FF"},
      {"vertical text in a table cell runs down the cell",
       Frame(100, 100, 100, 400, kA + "table",
             Table({100}, Row(400, Cell("", "", Blocks("", {8}), " vert=\"vert\"")))),
       // Eight blocks of 40 points reach some 300 units down; set across, they would end by 320.
       "170,380 000000"},
      {"a chart: plot area placed by hand, gridlines under the bars, a point's own colour, a "
       "data label over its bar",
       chartFrame,
       // Plot 320..960 x 180..540, a step of 90 per unit; bars 400..560 and 720..880. The
       // label "2" with two blocks sits centred over the first bar, below y 360.
       "640,450 FF0000 340,270 FF0000 340,405 FFFFFF 480,450 0000FF 800,300 00FF00 "
       "500,322 000000 480,250 FFFFFF",
       {Chart(R"(<c:plotArea><c:layout><c:manualLayout><c:layoutTarget val="inner"/>
<c:xMode val="edge"/><c:yMode val="edge"/><c:x val="0.25"/><c:y val="0.25"/><c:w val="0.5"/>
<c:h val="0.5"/></c:manualLayout></c:layout><c:barChart><c:barDir val="col"/><c:ser><c:spPr>)" +
              Solid("0000FF") + R"(</c:spPr><c:dPt><c:idx val="1"/><c:spPr>)" + Solid("00FF00") +
              R"(</c:spPr></c:dPt><c:dLbls><c:numFmt formatCode="0&quot;██&quot;"/><c:txPr><a:p>
<a:pPr><a:defRPr sz="4000">)" +
              black + R"(</a:defRPr></a:pPr></a:p></c:txPr><c:showVal val="1"/></c:dLbls>
<c:val><c:numRef><c:numCache><c:pt idx="0"><c:v>2</c:v></c:pt><c:pt idx="1"><c:v>4</c:v></c:pt>
</c:numCache></c:numRef></c:val></c:ser><c:gapWidth val="100"/></c:barChart>
<c:catAx><c:delete val="1"/></c:catAx><c:valAx><c:scaling><c:max val="4"/><c:min val="0"/>
</c:scaling><c:delete val="1"/><c:majorGridlines><c:spPr><a:ln w="76200">)" +
              Solid("FF0000") +
              R"(</a:ln></c:spPr></c:majorGridlines><c:majorUnit val="1"/></c:valAx>
</c:plotArea>)")}},
      {"a doughnut from 12 o'clock clockwise, each point in its own colour",
       chartFrame,
       // Centred at (640, 360), radius about 308, the hole half of it.
       "790,210 FF0000 790,510 0000FF 490,510 0000FF 640,360 FFFFFF",
       {Chart(R"(<c:autoTitleDeleted val="1"/><c:plotArea><c:doughnutChart><c:ser><c:dPt>
<c:idx val="0"/><c:spPr>)" + Solid("FF0000") + R"(</c:spPr></c:dPt><c:dPt><c:idx val="1"/>
<c:spPr>)" +
              Solid("0000FF") + R"(</c:spPr></c:dPt><c:val><c:numRef><c:numCache>
<c:pt idx="0"><c:v>1</c:v></c:pt><c:pt idx="1"><c:v>3</c:v></c:pt></c:numCache></c:numRef>
</c:val></c:ser><c:holeSize val="50"/></c:doughnutChart></c:plotArea>)")}},
      {"a diagram's stored drawing",
       Frame(200, 100, 400, 400, kA + "diagram",
             "<dgm:relIds xmlns:dgm=\"" + kA + "diagram\" r:dm=\"rIdData\" r:lo=\"\" r:qs=\"\" " +
                 "r:cs=\"\"/>"),
       "350,150 00FF00 250,150 FFFFFF",
       {{"ppt/diagrams/data1.xml", "<dgm:dataModel xmlns:dgm=\"" + kA + "diagram\" xmlns:a=\"" +
                                       kA + R"(main"><dgm:extLst><a:ext uri="x">
<dsp:dataModelExt xmlns:dsp=")" + dsp + R"(" relId="rIdDrawing"/></a:ext></dgm:extLst>
</dgm:dataModel>)"},
        {"ppt/diagrams/drawing1.xml", "<dsp:drawing xmlns:dsp=\"" + dsp + "\" xmlns:a=\"" + kA +
                                          R"(main"><dsp:spTree><dsp:sp><dsp:nvSpPr>
<dsp:cNvPr id="0" name=""/>
</dsp:nvSpPr><dsp:spPr>)" +
x::Xfrm(100, 0, 100, 100) + "<a:prstGeom prst=\"rect\"/>" +
                                          Solid("00FF00") +
                                          "</dsp:spPr></dsp:sp></dsp:spTree></dsp:drawing>"}}},
      {"a BMP picture, and a picture cropped to its right half",
       x::Picture(2, "bmp", 0, 0, 200, 200, "rIdBmp") +
           Pic(3, 400, 0, "rIdTwo", "", "", "<a:srcRect l=\"50000\"/>"),
       "100,100 00C800 500,100 0000FF 590,100 0000FF"},
      {"dash patterns, line ends and round corners",
       Line(2, 100, 100, 400, "<a:prstDash val=\"dash\"/>") +
           Line(3, 100, 300, 400, "<a:tailEnd type=\"triangle\" w=\"lg\" len=\"lg\"/>") +
           Sp(4, 700, 100, 200, 100,
              "<a:noFill/><a:ln w=\"" + Emu(40) + "\">" + black + "<a:round/></a:ln>"),
       // Dashes of 4 and gaps of 3 line widths (8 units); a large head is 5 widths.
       "116,100 000000 144,100 FFFFFF 470,310 000000 300,310 FFFFFF 690,150 000000 682,82 FFFFFF"},
      {"outer shadows of a picture, a shape and a group, duotone and grey pictures, a scaled and "
       "moved tile",
       Pic(2, 0, 0, "rIdBmp", R"(<a:duotone><a:srgbClr val="000000"/><a:srgbClr val="FF0000"/>
</a:duotone>)",
           "") +
           Pic(3, 400, 0, "rIdBmp", "<a:grayscl/>", Shadow(0, "0000FF")) +
           Sp(4, 100, 400, 200, 100, Solid("00FF00") + Shadow(5400000, "FF0000")) + [] {
             std::string group = x::Group(6, "g", 1000, 0, 100, 100, 1000, 0, 100, 100,
                                          x::Shape(7, "m", 1000, 0, 100, 100, "00FF00"));
             return group.insert(group.find("</p:grpSpPr>"), Shadow(0, "FF0000"));
           }() +
           Sp(5, 800, 400, 400, 100,
              R"(<a:blipFill><a:blip r:embed="rIdTwo"/><a:tile tx=")" + Emu(50) +
                  R"(" sx="10000000" sy="10000000"/></a:blipFill>)"),
       // (0, 200, 0) is 46% grey. The 2 x 1 tile grows to 200 x 100 from x = 850
       // (probes at its pixels' centres).
       "100,100 750000 500,100 757575 620,100 0000FF 500,220 FFFFFF 200,450 00FF00 "
       "200,525 FF0000 1120,50 FF0000 800,450 0000FF 900,450 FF0000 1000,450 0000FF"},
      {"a glow around a shape and around letters",
       Sp(2, 400, 300, 200, 100, Solid("00FF00") + Effects(glow)) +
           TextBox(3, 800, 300, 400, 100, "lIns=\"0\" tIns=\"0\">",
                   "<a:p>" + TextRun(4000, black + Effects(glow), "\u2588") + "</a:p>"),
       // Nearly solid at the shape's and the letter's edges, gone well past the radius.
       "500,294 FF0000 500,350 00FF00 500,180 FFFFFF 794,340 FF0000 812,340 000000 "
       "1000,340 FFFFFF"},
      {"soft edges; a reflection mirrored below its shape, fading",
       Sp(2, 100, 300, 200, 200,
          Solid("00FF00") + Effects("<a:softEdge rad=\"" + Emu(40) + "\"/>")) +
           Sp(3, 800, 300, 200, 100,
              Gradient("FF0000", "0000FF", 5400000) +
                  Effects(R"(<a:reflection stA="100000" endA="0" endPos="100000" sy="-100000"
algn="bl"/>)")),
       // The red to blue gradient runs down: its mirror starts blue, just below it.
       "102,400 FFFFFF 200,400 00FF00 900,396 0000FF 900,404 0000FF 900,520 FFFFFF"},
      {"an OLE object's picture kept only in the legacy drawing",
       Frame(0, 0, 200, 200, "http://schemas.openxmlformats.org/presentationml/2006/ole",
             R"(<p:oleObj spid="_x0000_s2" r:id="rIdOle"><p:embed/></p:oleObj>)"),
       "100,100 00C800",
       {{"ppt/drawings/vmlDrawing1.vml",
         R"(<xml xmlns:v="urn:schemas-microsoft-com:vml"
xmlns:o="urn:schemas-microsoft-com:office:office">
<v:shape id="_x0000_s2"><v:imagedata o:relid="rIdImg"/></v:shape></xml>)"},
        {"ppt/drawings/_rels/vmlDrawing1.vml.rels",
         R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rIdImg" Target="../media/image1.bmp"
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image"/>
</Relationships>)"}}},
      {"text that overflows a box that shrinks it",
       Sp(2, 0, 0, 400, 200, "",
          x::TextBody(std::vector<x::Para>(8, blocks), "<a:bodyPr><a:normAutofit/></a:bodyPr>")),
       "40,20 000000 40,300 FFFFFF"},
      {"justified lines reach the right edge but the last; vertical text turns",
       TextBox(2, 100, 100, 320, 200, "lIns=\"0\" rIns=\"0\" tIns=\"0\">",
               Blocks("algn=\"just\"", {3, 3, 3, 3})) +
           TextBox(3, 800, 100, 100, 400, "vert=\"vert\" lIns=\"0\" tIns=\"0\" rIns=\"0\">",
                   Blocks("", {4})),
       // Blocks of about 0.7 em: three make a word of some 110 units; one line holds two words.
       "104,120 000000 412,120 000000 412,180 FFFFFF 880,120 000000 820,120 FFFFFF"},
      {"an empty paragraph as tall as its end characters; unwrapped text wider than its fitted box",
       TextBox(2, 100, 100, 400, 400, "tIns=\"0\">",
               Blocks("", {1}) + "<a:p><a:endParaRPr sz=\"1000\"/></a:p>" + Blocks("", {1})) +
           TextBox(3, 800, 100, 100, 100, "wrap=\"none\"><a:spAutoFit/>", Blocks("", {8})),
       // Lines of 40 points are 64 units tall, of 10 points 16: the third block starts at
       // 100 + 62 + 16.
       "120,198 000000 700,130 000000 1000,130 000000"},
      {"lines 1.2 times their font size apart, whatever the font's own line height",
       TextBox(2, 100, 100, 200, 600, "lIns=\"0\" tIns=\"0\">", lines("Arial", 8)),
       // Eight lines of 40 points, 64 units apart: the last block reaches past 600.
       "120,604 000000 120,624 FFFFFF"},
      {"bullet colour and size; a symbol font's bullet centred half its size above the baseline",
       TextBox(2, 100, 300, 600, 100, "lIns=\"0\" tIns=\"0\">",
               R"(<a:p><a:pPr marL="0" indent="0"><a:buClr><a:srgbClr val="FF0000"/></a:buClr>
<a:buSzPct val="300000"/><a:buChar char="█"/></a:pPr>)" +
                   TextRun(2000, black, "\u2588\u2588") + "</a:p>") +
           TextBox(3, 800, 300, 400, 100, "lIns=\"0\" tIns=\"0\">",
                   R"(<a:p><a:pPr marL="0" indent="0"><a:buClr><a:srgbClr val="FF0000"/></a:buClr>
<a:buFont typeface="Wingdings"/><a:buChar char="n"/></a:pPr>)" +
                       TextRun(4000, "", "x") + "</a:p>"),
       // A bullet of 60 points is some 60 units wide; the text follows it. The square of 40
       // points (53 units) is centred 27 units above the baseline at 353, clear of it.
       "116,318 FF0000 150,318 FF0000 190,318 000000 812,312 FF0000 812,350 FFFFFF"},
      {"a picture bullet as high as the bullet's size, the text after it",
       TextBox(2, 100, 300, 600, 100, "lIns=\"0\" tIns=\"0\">",
               R"(<a:p><a:pPr marL="0" indent="0"><a:buSzPct val="300000"/>
<a:buBlip><a:blip r:embed="rIdBmp"/></a:buBlip></a:pPr>)" +
                   TextRun(2000, black, "\u2588\u2588") + "</a:p>"),
       // A picture of 60 points is 80 units square, from x = 100, its bottom on the baseline.
       "110,290 00C800 170,300 00C800 200,320 000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = c.shapes;
    // Every slide has both pictures, and relationships to every part a case may add.
    slide.relationships = {
        {"rIdBmp", "image", "../media/image1.bmp"},
        {"rIdTwo", "image", "../media/image2.bmp"},
        {"rIdChart", "chart", "../charts/chart1.xml"},
        {"rIdData", "diagramData", "../diagrams/data1.xml"},
        {"rIdDrawing", "http://schemas.microsoft.com/office/2007/relationships/diagramDrawing",
         "../diagrams/drawing1.xml"},
        {"rIdVml", "vmlDrawing", "../drawings/vmlDrawing1.vml"}};
    writer.AddPart("ppt/media/image1.bmp", Bmp(), "image/bmp");
    writer.AddPart("ppt/media/image2.bmp", Bmp(true), "image/bmp");
    for (const auto& part : c.parts) {
      if (part.first == kLayout)
        writer.ReplacePart(kLayout, part.second);
      else
        writer.AddPart(part.first, part.second, "application/xml");
    }
    pptx::Diagnostics diagnostics;
    pptx::Deck deck = pptx::ReadDeckFromMemory("probe.pptx", writer.Bytes(), diagnostics);
    ASSERT_EQ(deck.slides.size(), 1u);
    auto screen =
        platform::SlideScreen::Build(deck.slides[0], boost::make_shared<render::PangoMeasurer>());
    render::Image image = render::FrameRenderer().Render(*screen, 320, 180);
    std::istringstream probes(c.probes);
    double x, y;
    char comma;
    uint32_t rgb;
    while (probes >> x >> comma >> y >> std::hex >> rgb >> std::dec) {
      const uint32_t pixel = image.Pixel(static_cast<int>(x / 4), static_cast<int>(y / 4));
      EXPECT_TRUE(Near(pixel, rgb, 40))
          << "at (" << x << ", " << y << "): " << std::hex << pixel << " instead of " << rgb;
    }
    EXPECT_TRUE(probes.eof()) << "a probe does not read: " << c.probes;
  }
}

}  // namespace
