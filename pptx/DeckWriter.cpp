#include "pptx/DeckWriter.h"

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

namespace pptx {
namespace {

const char* kNamespaces =
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\" "
    "xmlns:p14=\"http://schemas.microsoft.com/office/powerpoint/2010/main\"";
const char* kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const char* kPmlType = "application/vnd.openxmlformats-officedocument.presentationml.";
const time_t kStamp = 1577836800;  // 2020-01-01

std::string Emu(double units) {
  return std::to_string(static_cast<long long>(std::llround(units * 9525.0)));
}

std::string Relationships(const std::vector<DeckWriter::Slide::Rel>& rels) {
  std::string xml = std::string(kHeader) +
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                    "relationships\">";
  for (const auto& rel : rels) {
    xml += "<Relationship Id=\"" + rel.id + "\" Type=\"";
    xml += rel.type.find("://") != std::string::npos ? rel.type : kRelNs + rel.type;
    xml += "\" Target=\"" + xml::Escape(rel.target) + "\"";
    if (rel.external) xml += " TargetMode=\"External\"";
    xml += "/>";
  }
  return xml + "</Relationships>";
}

std::string Theme() {
  std::string xml = std::string(kHeader) + "<a:theme " + kNamespaces + " name=\"Test\">";
  xml +=
      "<a:themeElements><a:clrScheme name=\"Test\">"
      "<a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
      "<a:lt1><a:sysClr val=\"window\" lastClr=\"FFFFFF\"/></a:lt1>"
      "<a:dk2><a:srgbClr val=\"44546A\"/></a:dk2><a:lt2><a:srgbClr val=\"E7E6E6\"/></a:lt2>"
      "<a:accent1><a:srgbClr val=\"4472C4\"/></a:accent1>"
      "<a:accent2><a:srgbClr val=\"ED7D31\"/></a:accent2>"
      "<a:accent3><a:srgbClr val=\"A5A5A5\"/></a:accent3>"
      "<a:accent4><a:srgbClr val=\"FFC000\"/></a:accent4>"
      "<a:accent5><a:srgbClr val=\"5B9BD5\"/></a:accent5>"
      "<a:accent6><a:srgbClr val=\"70AD47\"/></a:accent6>"
      "<a:hlink><a:srgbClr val=\"0563C1\"/></a:hlink>"
      "<a:folHlink><a:srgbClr val=\"954F72\"/></a:folHlink></a:clrScheme>"
      "<a:fontScheme name=\"Test\"><a:majorFont><a:latin typeface=\"DejaVu Sans\"/><a:ea "
      "typeface=\"\"/><a:cs typeface=\"\"/></a:majorFont><a:minorFont><a:latin "
      "typeface=\"DejaVu Sans\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/></a:minorFont>"
      "</a:fontScheme><a:fmtScheme name=\"Test\"><a:fillStyleLst>"
      "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
      "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
      "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:fillStyleLst><a:lnStyleLst>"
      "<a:ln w=\"12700\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
      "<a:ln w=\"19050\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
      "<a:ln w=\"28575\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
      "</a:lnStyleLst><a:effectStyleLst><a:effectStyle><a:effectLst/></a:effectStyle>"
      "<a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/>"
      "</a:effectStyle></a:effectStyleLst><a:bgFillStyleLst>"
      "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
      "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
      "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:bgFillStyleLst>"
      "</a:fmtScheme></a:themeElements></a:theme>";
  return xml;
}

std::string LevelStyle(int level, int size, const std::string& attrs,
                       const std::string& bullets = "") {
  std::string n = std::to_string(level);
  return "<a:lvl" + n + "pPr marL=\"" + std::to_string((level - 1) * 457200) + "\" " + attrs + ">" +
         bullets + "<a:defRPr sz=\"" + std::to_string(size) +
         "\"><a:solidFill><a:schemeClr val=\"tx1\"/></a:solidFill><a:latin "
         "typeface=\"+mn-lt\"/></a:defRPr></a:lvl" +
         n + "pPr>";
}

std::string PlaceholderShape(int id, const char* name, const char* type, int idx, double x,
                             double y, double w, double h, const std::string& bodyPr) {
  std::string ph = std::string("<p:ph") + (type[0] ? std::string(" type=\"") + type + "\"" : "") +
                   (idx >= 0 ? " idx=\"" + std::to_string(idx) + "\"" : "") + "/>";
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name +
         "\"/><p:cNvSpPr/><p:nvPr>" + ph + "</p:nvPr></p:nvSpPr><p:spPr>" + xml::Xfrm(x, y, w, h) +
         "</p:spPr><p:txBody>" + bodyPr +
         "<a:lstStyle/><a:p><a:endParaRPr/></a:p></p:txBody></p:sp>";
}

std::string SpTree(const std::string& shapes) {
  return "<p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/>"
         "</p:nvGrpSpPr><p:grpSpPr/>" +
         shapes + "</p:spTree>";
}

}  // namespace

DeckWriter::DeckWriter(double width, double height) : width_(width), height_(height) {}

DeckWriter::Slide& DeckWriter::AddSlide() {
  slides_.emplace_back();
  return slides_.back();
}

void DeckWriter::AddPart(const std::string& name, const std::string& bytes,
                         const std::string& contentType) {
  extraParts_.emplace_back(name, bytes);
  extraTypes_[name] = contentType;
}

void DeckWriter::ReplacePart(const std::string& name, const std::string& bytes) {
  replaced_[name] = bytes;
}

void DeckWriter::RemovePart(const std::string& name) {
  removed_.push_back(name);
}

std::map<std::string, std::string> DeckWriter::Parts() const {
  std::map<std::string, std::string> parts;
  std::string types = std::string(kHeader) +
                      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "content-types\"><Default Extension=\"rels\" "
                      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                      "<Default Extension=\"png\" ContentType=\"image/png\"/>"
                      "<Default Extension=\"jpeg\" ContentType=\"image/jpeg\"/>"
                      "<Default Extension=\"wav\" ContentType=\"audio/wav\"/>"
                      "<Default Extension=\"mp4\" ContentType=\"video/mp4\"/>";
  types += std::string("<Override PartName=\"/ppt/presentation.xml\" ContentType=\"") + kPmlType +
           "presentation.main+xml\"/>";
  types += std::string("<Override PartName=\"/ppt/slideMasters/slideMaster1.xml\" ContentType=\"") +
           kPmlType + "slideMaster+xml\"/>";
  types += std::string("<Override PartName=\"/ppt/slideLayouts/slideLayout1.xml\" ContentType=\"") +
           kPmlType + "slideLayout+xml\"/>";
  types +=
      "<Override PartName=\"/ppt/theme/theme1.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>";
  for (size_t i = 0; i < slides_.size(); ++i)
    types += "<Override PartName=\"/ppt/slides/slide" + std::to_string(i + 1) +
             ".xml\" ContentType=\"" + kPmlType + "slide+xml\"/>";
  for (const auto& part : extraTypes_)
    types += "<Override PartName=\"/" + part.first + "\" ContentType=\"" + part.second + "\"/>";
  parts["[Content_Types].xml"] = types + "</Types>";

  parts["_rels/.rels"] = Relationships({{"rId1", "officeDocument", "ppt/presentation.xml", false}});

  std::vector<Slide::Rel> presentationRels = {
      {"rId1", "slideMaster", "slideMasters/slideMaster1.xml", false},
      {"rId2", "theme", "theme/theme1.xml", false}};
  std::string presentation = std::string(kHeader) + "<p:presentation " + kNamespaces +
                             "><p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" "
                             "r:id=\"rId1\"/></p:sldMasterIdLst><p:sldIdLst>";
  for (size_t i = 0; i < slides_.size(); ++i) {
    std::string rid = "rId" + std::to_string(i + 10);
    presentation += "<p:sldId id=\"" + std::to_string(256 + i) + "\" r:id=\"" + rid + "\"/>";
    presentationRels.push_back(
        {rid, "slide", "slides/slide" + std::to_string(i + 1) + ".xml", false});
  }
  presentation += "</p:sldIdLst><p:sldSz cx=\"" + Emu(width_) + "\" cy=\"" + Emu(height_) +
                  "\"/><p:notesSz cx=\"6858000\" cy=\"9144000\"/><p:defaultTextStyle>" +
                  LevelStyle(1, 1800, "") + LevelStyle(2, 1800, "") +
                  "</p:defaultTextStyle></p:presentation>";
  parts["ppt/presentation.xml"] = presentation;
  parts["ppt/_rels/presentation.xml.rels"] = Relationships(presentationRels);

  double w = width_, h = height_;
  std::string masterShapes =
      PlaceholderShape(2, "Title Placeholder 1", "title", -1, w * 0.07, h * 0.05, w * 0.86, h * 0.2,
                       "<a:bodyPr anchor=\"ctr\"/>") +
      PlaceholderShape(3, "Text Placeholder 2", "body", 1, w * 0.07, h * 0.27, w * 0.86, h * 0.65,
                       "<a:bodyPr/>");
  parts["ppt/slideMasters/slideMaster1.xml"] =
      std::string(kHeader) + "<p:sldMaster " + kNamespaces +
      "><p:cSld><p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"bg1\"/></p:bgRef></p:bg>" +
      SpTree(masterShapes) +
      "</p:cSld><p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" "
      "accent2=\"accent2\" accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" "
      "accent6=\"accent6\" hlink=\"hlink\" folHlink=\"folHlink\"/><p:sldLayoutIdLst>"
      "<p:sldLayoutId id=\"2147483649\" r:id=\"rId1\"/></p:sldLayoutIdLst><p:txStyles>"
      "<p:titleStyle>" +
      LevelStyle(1, 4400, "algn=\"l\"") + "</p:titleStyle><p:bodyStyle>" +
      LevelStyle(1, 2800, "indent=\"-228600\"",
                 "<a:buFont typeface=\"Arial\"/><a:buChar char=\"&#8226;\"/>") +
      LevelStyle(2, 2400, "indent=\"-228600\"", "<a:buChar char=\"&#8211;\"/>") +
      "</p:bodyStyle><p:otherStyle>" + LevelStyle(1, 1800, "") +
      "</p:otherStyle></p:txStyles></p:sldMaster>";
  parts["ppt/slideMasters/_rels/slideMaster1.xml.rels"] =
      Relationships({{"rId1", "slideLayout", "../slideLayouts/slideLayout1.xml", false},
                     {"rId2", "theme", "../theme/theme1.xml", false}});
  std::string layoutShapes =
      PlaceholderShape(2, "Title 1", "title", -1, w * 0.07, h * 0.05, w * 0.86, h * 0.2, "") +
      PlaceholderShape(3, "Content Placeholder 2", "", 1, w * 0.07, h * 0.27, w * 0.86, h * 0.65,
                       "");
  parts["ppt/slideLayouts/slideLayout1.xml"] =
      std::string(kHeader) + "<p:sldLayout " + kNamespaces +
      " type=\"obj\"><p:cSld name=\"Title and Content\">" + SpTree(layoutShapes) +
      "</p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>";
  parts["ppt/slideLayouts/_rels/slideLayout1.xml.rels"] =
      Relationships({{"rId1", "slideMaster", "../slideMasters/slideMaster1.xml", false}});
  parts["ppt/theme/theme1.xml"] = Theme();

  for (size_t i = 0; i < slides_.size(); ++i) {
    const Slide& slide = slides_[i];
    std::string name = "ppt/slides/slide" + std::to_string(i + 1) + ".xml";
    parts[name] = std::string(kHeader) + "<p:sld " + kNamespaces +
                  (slide.hidden ? " show=\"0\"" : "") + "><p:cSld>" + SpTree(slide.shapes) +
                  "</p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr>" + slide.transition +
                  slide.timing + "</p:sld>";
    std::vector<Slide::Rel> rels = {
        {"rIdLayout", "slideLayout", "../slideLayouts/slideLayout1.xml", false}};
    rels.insert(rels.end(), slide.relationships.begin(), slide.relationships.end());
    parts["ppt/slides/_rels/slide" + std::to_string(i + 1) + ".xml.rels"] = Relationships(rels);
  }
  for (const auto& part : extraParts_) parts[part.first] = part.second;
  for (const auto& part : replaced_) parts[part.first] = part.second;
  for (const std::string& name : removed_) parts.erase(name);
  return parts;
}

std::string DeckWriter::Bytes() const {
  std::map<std::string, std::string> parts = Parts();
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (!source) return std::string();
  zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
  if (!archive) {
    zip_source_free(source);
    return std::string();
  }
  zip_source_keep(source);
  // [Content_Types].xml first, as packages usually have it.
  std::vector<std::string> order;
  order.push_back("[Content_Types].xml");
  for (const auto& part : parts)
    if (part.first != "[Content_Types].xml") order.push_back(part.first);
  for (const std::string& name : order) {
    auto it = parts.find(name);
    if (it == parts.end()) continue;
    zip_source_t* data = zip_source_buffer(archive, it->second.data(), it->second.size(), 0);
    zip_int64_t index = data ? zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (data) zip_source_free(data);
      zip_discard(archive);
      zip_source_free(source);
      return std::string();
    }
    // A fixed time stamp, so that the same deck always gives the same bytes.
    zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), kStamp, 0);
  }
  if (zip_close(archive) < 0) {
    zip_discard(archive);
    zip_source_free(source);
    return std::string();
  }
  std::string bytes;
  if (zip_source_open(source) == 0) {
    char buffer[65536];
    zip_int64_t n;
    while ((n = zip_source_read(source, buffer, sizeof buffer)) > 0)
      bytes.append(buffer, static_cast<size_t>(n));
    zip_source_close(source);
  }
  zip_source_free(source);
  return bytes;
}

bool DeckWriter::Save(const std::string& path) const {
  std::string bytes = Bytes();
  if (bytes.empty()) return false;
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace pptx
