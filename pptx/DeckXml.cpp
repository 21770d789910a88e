// The markup helpers of the deck writer: shapes, text bodies, pictures, media,
// groups and tables, and the timing markup (targets, behaviours, media nodes).
#include <cmath>
#include <string>
#include <vector>

#include "pptx/DeckWriter.h"

namespace pptx {
namespace {

std::string Emu(double units) {
  return std::to_string(static_cast<long long>(std::llround(units * 9525.0)));
}

}  // namespace

namespace xml {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

Para P(const std::string& text) {
  Para p;
  p.runs.push_back(Run{text, "", ""});
  return p;
}

std::string TextBody(const std::vector<Para>& paragraphs, const std::string& bodyPr) {
  std::string xml =
      "<p:txBody>" + (bodyPr.empty() ? std::string("<a:bodyPr/>") : bodyPr) + "<a:lstStyle/>";
  for (const Para& p : paragraphs) {
    xml += "<a:p>";
    if (p.level || !p.pPr.empty()) {
      xml += "<a:pPr lvl=\"" + std::to_string(p.level) + "\"";
      bool children = p.pPr.find('<') != std::string::npos;
      xml += children ? ">" + p.pPr + "</a:pPr>" : " " + p.pPr + "/>";
    }
    for (const Run& r : p.runs) {
      if (r.text == "\n") {
        xml += "<a:br/>";
        continue;
      }
      xml += "<a:r><a:rPr lang=\"en-US\" " + r.attrs + ">";
      if (!r.colour.empty())
        xml += "<a:solidFill><a:srgbClr val=\"" + r.colour + "\"/></a:solidFill>";
      xml += "</a:rPr><a:t>" + Escape(r.text) + "</a:t></a:r>";
    }
    xml += "</a:p>";
  }
  return xml + "</p:txBody>";
}

std::string Xfrm(double x, double y, double w, double h, double rotation) {
  std::string rot =
      rotation != 0 ? " rot=\"" + std::to_string(std::llround(rotation * 60000)) + "\"" : "";
  return "<a:xfrm" + rot + "><a:off x=\"" + Emu(x) + "\" y=\"" + Emu(y) + "\"/><a:ext cx=\"" +
         Emu(w) + "\" cy=\"" + Emu(h) + "\"/></a:xfrm>";
}

std::string Shape(int id, const std::string& name, double x, double y, double w, double h,
                  const std::string& fill, const std::string& line, const std::vector<Para>& text,
                  const std::string& geometry) {
  std::string xml = "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" +
                    Escape(name) + "\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr>" +
                    Xfrm(x, y, w, h) + "<a:prstGeom prst=\"" + geometry +
                    "\"><a:avLst/></a:prstGeom>";
  xml +=
      fill.empty() ? "<a:noFill/>" : "<a:solidFill><a:srgbClr val=\"" + fill + "\"/></a:solidFill>";
  xml += line.empty() ? "<a:ln><a:noFill/></a:ln>"
                      : "<a:ln w=\"19050\"><a:solidFill><a:srgbClr val=\"" + line +
                            "\"/></a:solidFill></a:ln>";
  xml += "</p:spPr>";
  if (!text.empty()) xml += TextBody(text, "<a:bodyPr anchor=\"ctr\"/>");
  return xml + "</p:sp>";
}

std::string Placeholder(int id, const std::string& name, const std::string& type, int idx,
                        const std::vector<Para>& text) {
  std::string ph = "<p:ph" + (type.empty() ? std::string() : " type=\"" + type + "\"") +
                   (idx >= 0 ? " idx=\"" + std::to_string(idx) + "\"" : "") + "/>";
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + Escape(name) +
         "\"/><p:cNvSpPr><a:spLocks noGrp=\"1\"/></p:cNvSpPr><p:nvPr>" + ph +
         "</p:nvPr></p:nvSpPr><p:spPr/>" + TextBody(text) + "</p:sp>";
}

std::string Picture(int id, const std::string& name, double x, double y, double w, double h,
                    const std::string& rid) {
  return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + Escape(name) +
         "\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr><p:blipFill><a:blip r:embed=\"" + rid +
         "\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill><p:spPr>" + Xfrm(x, y, w, h) +
         "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>";
}

std::string Media(int id, const std::string& name, bool video, double x, double y, double w,
                  double h, const std::string& mediaRid, const std::string& posterRid,
                  double trimStartMs, double trimEndMs,
                  const std::vector<std::pair<std::string, double>>& bookmarks) {
  std::string media = "<p14:media r:embed=\"" + mediaRid + "\">";
  if (trimStartMs != 0 || trimEndMs != 0)
    media += "<p14:trim st=\"" + std::to_string(trimStartMs) + "\" end=\"" +
             std::to_string(trimEndMs) + "\"/>";
  if (!bookmarks.empty()) {
    media += "<p14:bmkLst>";
    for (const auto& b : bookmarks)
      media +=
          "<p14:bmk name=\"" + Escape(b.first) + "\" time=\"" + std::to_string(b.second) + "\"/>";
    media += "</p14:bmkLst>";
  }
  media += "</p14:media>";
  return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + Escape(name) +
         "\"/><p:cNvPicPr/><p:nvPr><a:" + (video ? "videoFile" : "audioFile") + " r:link=\"" +
         mediaRid + "\"/><p:extLst><p:ext uri=\"{DAA4B4D4-6D71-4841-9C94-3DE7FCFB9230}\">" + media +
         "</p:ext></p:extLst></p:nvPr></p:nvPicPr><p:blipFill><a:blip r:embed=\"" + posterRid +
         "\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill><p:spPr>" + Xfrm(x, y, w, h) +
         "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>";
}

std::string Group(int id, const std::string& name, double x, double y, double w, double h,
                  double childX, double childY, double childW, double childH,
                  const std::string& members, double rotation) {
  std::string rot =
      rotation != 0 ? " rot=\"" + std::to_string(std::llround(rotation * 60000)) + "\"" : "";
  return "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + Escape(name) +
         "\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr><a:xfrm" + rot + "><a:off x=\"" +
         Emu(x) + "\" y=\"" + Emu(y) + "\"/><a:ext cx=\"" + Emu(w) + "\" cy=\"" + Emu(h) +
         "\"/><a:chOff x=\"" + Emu(childX) + "\" y=\"" + Emu(childY) + "\"/><a:chExt cx=\"" +
         Emu(childW) + "\" cy=\"" + Emu(childH) + "\"/></a:xfrm></p:grpSpPr>" + members +
         "</p:grpSp>";
}

std::string Connector(int id, const std::string& name, double x, double y, double w, double h,
                      const std::string& line) {
  return "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + Escape(name) +
         "\"/><p:cNvCxnSpPr/><p:nvPr/></p:nvCxnSpPr><p:spPr>" + Xfrm(x, y, w, h) +
         "<a:prstGeom prst=\"straightConnector1\"><a:avLst/></a:prstGeom><a:ln "
         "w=\"28575\"><a:solidFill><a:srgbClr val=\"" +
         line + "\"/></a:solidFill></a:ln></p:spPr></p:cxnSp>";
}

std::string Table(int id, const std::string& name, double x, double y, double w, double h) {
  return "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" +
         Escape(name) +
         "\"/><p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr><p:xfrm><a:off x=\"" + Emu(x) +
         "\" y=\"" + Emu(y) + "\"/><a:ext cx=\"" + Emu(w) + "\" cy=\"" + Emu(h) +
         "\"/></p:xfrm><a:graphic><a:graphicData "
         "uri=\"http://schemas.openxmlformats.org/drawingml/2006/table\"><a:tbl><a:tblGrid>"
         "<a:gridCol w=\"" +
         Emu(w) + "\"/></a:tblGrid><a:tr h=\"" + Emu(h) +
         "\"><a:tc><a:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:t>cell</a:t></a:r></a:p>"
         "</a:txBody><a:tcPr/></a:tc></a:tr></a:tbl></a:graphicData></a:graphic></p:graphicFrame>";
}

std::string ShapeTarget(int spid) {
  return "<p:tgtEl><p:spTgt spid=\"" + std::to_string(spid) + "\"/></p:tgtEl>";
}

std::string ParagraphTarget(int spid, int first, int last) {
  return "<p:tgtEl><p:spTgt spid=\"" + std::to_string(spid) + "\"><p:txEl><p:pRg st=\"" +
         std::to_string(first) + "\" end=\"" + std::to_string(last) +
         "\"/></p:txEl></p:spTgt></p:tgtEl>";
}

std::string BackgroundTarget(int spid) {
  return "<p:tgtEl><p:spTgt spid=\"" + std::to_string(spid) + "\"><p:bg/></p:spTgt></p:tgtEl>";
}

namespace {

std::string Behaviour(const std::string& target, uint32_t duration, uint32_t delay,
                      const std::string& attribute, const std::string& cTnAttrs = "") {
  std::string xml = "<p:cBhvr><p:cTn id=\"#\" dur=\"" + std::to_string(duration) + "\"" +
                    (cTnAttrs.empty() ? std::string() : " " + cTnAttrs) + ">";
  if (delay) xml += "<p:stCondLst><p:cond delay=\"" + std::to_string(delay) + "\"/></p:stCondLst>";
  xml += "</p:cTn>" + target;
  if (!attribute.empty())
    xml += "<p:attrNameLst><p:attrName>" + attribute + "</p:attrName></p:attrNameLst>";
  return xml + "</p:cBhvr>";
}

}  // namespace

std::string Set(const std::string& target, const std::string& attribute, const std::string& value,
                uint32_t delay, uint32_t duration) {
  return "<p:set>" + Behaviour(target, duration, delay, attribute, "fill=\"hold\"") +
         "<p:to><p:strVal val=\"" + Escape(value) + "\"/></p:to></p:set>";
}

std::string Filter(const std::string& target, const std::string& filter, bool in,
                   uint32_t duration) {
  return std::string("<p:animEffect transition=\"") + (in ? "in" : "out") + "\" filter=\"" +
         filter + "\">" + Behaviour(target, duration, 0, "") + "</p:animEffect>";
}

std::string Anim(const std::string& target, const std::string& attribute, uint32_t duration,
                 const std::string& attrs, const std::string& tavs, const std::string& cTnAttrs) {
  std::string timing = cTnAttrs.find("fill=") == std::string::npos
                           ? "fill=\"hold\"" + (cTnAttrs.empty() ? "" : " " + cTnAttrs)
                           : cTnAttrs;
  return "<p:anim " + attrs + ">" + Behaviour(target, duration, 0, attribute, timing) +
         (tavs.empty() ? std::string() : "<p:tavLst>" + tavs + "</p:tavLst>") + "</p:anim>";
}

std::string Tav(const std::string& tm, const std::string& value, const std::string& fmla) {
  std::string xml = "<p:tav";
  if (!tm.empty()) xml += " tm=\"" + tm + "\"";
  if (!fmla.empty()) xml += " fmla=\"" + Escape(fmla) + "\"";
  xml += "><p:val>";
  if (!value.empty() && (std::isdigit(static_cast<unsigned char>(value[0])) || value[0] == '-'))
    xml += "<p:fltVal val=\"" + value + "\"/>";
  else
    xml += "<p:strVal val=\"" + Escape(value) + "\"/>";
  return xml + "</p:val></p:tav>";
}

std::string Motion(const std::string& target, const std::string& path, uint32_t duration,
                   const std::string& attrs) {
  return "<p:animMotion origin=\"layout\" path=\"" + Escape(path) +
         "\" pathEditMode=\"relative\" " + attrs + ">" +
         Behaviour(target, duration, 0, "ppt_x</p:attrName><p:attrName>ppt_y", "fill=\"hold\"") +
         "</p:animMotion>";
}

std::string Rotate(const std::string& target, long long by, uint32_t duration) {
  return "<p:animRot by=\"" + std::to_string(by) + "\">" +
         Behaviour(target, duration, 0, "r", "fill=\"hold\"") + "</p:animRot>";
}

std::string Scale(const std::string& target, double byX, double byY, uint32_t duration) {
  return "<p:animScale>" + Behaviour(target, duration, 0, "", "fill=\"hold\"") + "<p:by x=\"" +
         std::to_string(std::llround(byX * 1000)) + "\" y=\"" +
         std::to_string(std::llround(byY * 1000)) + "\"/></p:animScale>";
}

std::string Colour(const std::string& target, const std::string& attribute,
                   const std::string& toRgb, uint32_t duration) {
  return "<p:animClr clrSpc=\"rgb\" dir=\"cw\">" +
         Behaviour(target, duration, 0, attribute, "fill=\"hold\"") + "<p:to><a:srgbClr val=\"" +
         toRgb + "\"/></p:to></p:animClr>";
}

std::string PlayMedia(int spid, uint32_t duration, double fromSeconds) {
  char from[32];
  std::snprintf(from, sizeof from, "%.1f", fromSeconds);
  return std::string("<p:cmd type=\"call\" cmd=\"playFrom(") + from + ")\">" +
         Behaviour(ShapeTarget(spid), duration, 0, "", "fill=\"hold\"") + "</p:cmd>";
}

std::string EffectSound(const std::string& rId, const std::string& name, int volume) {
  const std::string vol = volume ? " vol=\"" + std::to_string(volume) + "\"" : "";
  return "<p:audio><p:cMediaNode" + vol +
         "><p:cTn id=\"#\" display=\"0\" masterRel=\"sameClick\"><p:stCondLst><p:cond "
         "evt=\"begin\" delay=\"0\"><p:tn val=\"5\"/></p:cond></p:stCondLst></p:cTn><p:tgtEl>"
         "<p:sndTgt r:embed=\"" +
         Escape(rId) + "\" name=\"" + Escape(name) + "\"/></p:tgtEl></p:cMediaNode></p:audio>";
}

std::string ClickCondition(int spid) {
  return "<p:cond evt=\"onClick\" delay=\"0\">" + ShapeTarget(spid) + "</p:cond>";
}

std::string BookmarkCondition(int spid, const std::string& bookmark) {
  return "<p:cond evt=\"onMediaBookmark\" delay=\"0\"><p:tgtEl><p14:bmkTgt spid=\"" +
         std::to_string(spid) + "\" bmkName=\"" + Escape(bookmark) + "\"/></p:tgtEl></p:cond>";
}

namespace {

std::string EffectXml(const Effect& e) {
  std::string xml =
      "<p:par><p:cTn id=\"#\" presetID=\"" + std::to_string(e.presetId) + "\" presetClass=\"" +
      e.presetClass + "\" presetSubtype=\"" + std::to_string(e.presetSubtype) +
      "\" fill=\"hold\" grpId=\"" + std::to_string(e.groupId) + "\" nodeType=\"" + e.nodeType +
      "\"" + (e.attrs.empty() ? std::string() : " " + e.attrs) + "><p:stCondLst><p:cond delay=\"" +
      std::to_string(e.delay) + "\"/></p:stCondLst>" + e.iterate + "<p:childTnLst>" + e.behaviours +
      "</p:childTnLst>";
  if (!e.subTnLst.empty()) xml += "<p:subTnLst>" + e.subTnLst + "</p:subTnLst>";
  return xml + "</p:cTn></p:par>";
}

std::string Container(const std::string& children, const std::string& condition) {
  return "<p:par><p:cTn id=\"#\" fill=\"hold\"><p:stCondLst>" + condition +
         "</p:stCondLst><p:childTnLst>" + children + "</p:childTnLst></p:cTn></p:par>";
}

// Click groups of with/after groups of effects, as presentation programs write them.
std::string Groups(const std::vector<Effect>& effects, bool main) {
  std::string xml, clickGroup, subGroup;
  uint32_t groupTime = 0, subLength = 0;
  bool open = false;
  auto closeSub = [&]() {
    if (subGroup.empty()) return;
    clickGroup += Container(subGroup, "<p:cond delay=\"" + std::to_string(groupTime) + "\"/>");
    groupTime += subLength;
    subGroup.clear();
    subLength = 0;
  };
  auto closeClick = [&](bool first) {
    closeSub();
    if (clickGroup.empty()) return;
    std::string condition = "<p:cond delay=\"indefinite\"/>";
    if (first && main)
      condition += "<p:cond evt=\"onBegin\" delay=\"0\"><p:tn val=\"2\"/></p:cond>";
    xml += Container(clickGroup, condition);
    clickGroup.clear();
    groupTime = 0;
  };
  bool firstGroupAutomatic = false;
  for (size_t i = 0; i < effects.size(); ++i) {
    const Effect& e = effects[i];
    if (e.nodeType == "clickEffect" || !open) {
      if (open) closeClick(firstGroupAutomatic && xml.empty());
      if (!open) firstGroupAutomatic = e.nodeType != "clickEffect";
      open = true;
    } else if (e.nodeType == "afterEffect") {
      closeSub();
    }
    subGroup += EffectXml(e);
    subLength = std::max(subLength, e.delay + e.length);
  }
  if (open) closeClick(firstGroupAutomatic && xml.empty());
  return xml;
}

}  // namespace

std::string Timing(const std::vector<Sequence>& sequences, const std::string& buildList,
                   const std::string& mediaNodes) {
  std::string children;
  for (const Sequence& seq : sequences) {
    if (seq.triggerCondition.empty()) {
      children +=
          "<p:seq concurrent=\"1\" nextAc=\"seek\"><p:cTn id=\"#\" dur=\"indefinite\" "
          "nodeType=\"mainSeq\"><p:childTnLst>" +
          Groups(seq.effects, true) +
          "</p:childTnLst></p:cTn><p:prevCondLst><p:cond evt=\"onPrev\" "
          "delay=\"0\"><p:tgtEl><p:sldTgt/></p:tgtEl></p:cond></p:prevCondLst>"
          "<p:nextCondLst><p:cond evt=\"onNext\" delay=\"0\"><p:tgtEl><p:sldTgt/>"
          "</p:tgtEl></p:cond></p:nextCondLst></p:seq>";
    } else {
      children +=
          "<p:seq concurrent=\"1\" nextAc=\"seek\"><p:cTn id=\"#\" "
          "restart=\"whenNotActive\" fill=\"hold\" evtFilter=\"cancelBubble\" "
          "nodeType=\"interactiveSeq\"><p:stCondLst>" +
          seq.triggerCondition +
          "</p:stCondLst><p:endSync evt=\"end\" delay=\"0\"><p:rtn val=\"all\"/>"
          "</p:endSync><p:childTnLst>" +
          Groups(seq.effects, false) +
          "</p:childTnLst></p:cTn><p:nextCondLst><p:cond evt=\"onNext\" "
          "delay=\"0\"><p:tgtEl><p:sldTgt/></p:tgtEl></p:cond></p:nextCondLst></p:seq>";
    }
  }
  std::string xml =
      "<p:timing><p:tnLst><p:par><p:cTn id=\"#\" dur=\"indefinite\" "
      "restart=\"never\" nodeType=\"tmRoot\"><p:childTnLst>" +
      children + mediaNodes + "</p:childTnLst></p:cTn></p:par></p:tnLst>";
  if (!buildList.empty()) xml += "<p:bldLst>" + buildList + "</p:bldLst>";
  xml += "</p:timing>";
  // Number the time nodes in document order.
  std::string numbered;
  int next = 1;
  size_t at = 0;
  const std::string mark = "id=\"#\"";
  for (size_t found; (found = xml.find(mark, at)) != std::string::npos; at = found + mark.size())
    numbered += xml.substr(at, found - at) + "id=\"" + std::to_string(next++) + "\"";
  return numbered + xml.substr(at);
}

std::string BuildParagraph(int spid, int groupId, const std::string& build, bool animBg) {
  std::string xml =
      "<p:bldP spid=\"" + std::to_string(spid) + "\" grpId=\"" + std::to_string(groupId) + "\"";
  if (!build.empty()) xml += " build=\"" + build + "\"";
  if (animBg) xml += " animBg=\"1\"";
  return xml + "/>";
}

std::string MediaNode(int spid, bool video, int volume, const std::string& repeat) {
  std::string kind = video ? "video" : "audio";
  return "<p:" + kind + "><p:cMediaNode vol=\"" + std::to_string(volume) +
         "\"><p:cTn id=\"#\" fill=\"hold\" display=\"0\"" +
         (repeat.empty() ? std::string() : " repeatCount=\"" + repeat + "\"") +
         "><p:stCondLst><p:cond delay=\"indefinite\"/></p:stCondLst></p:cTn>" + ShapeTarget(spid) +
         "</p:cMediaNode></p:" + kind + ">";
}

}  // namespace xml
}  // namespace pptx
