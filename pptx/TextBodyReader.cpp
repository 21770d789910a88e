// A shape's text body: its paragraphs and runs with the list styles of the
// presentation, master and placeholders merged in, bullets and numbering.
#include "pptx/TextBodyReader.h"

#include <algorithm>
#include <cwctype>

#include "pptx/TextStyles.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

// Reads the bodyPr settings into the text body (later layers override).
void ReadBodyProps(SlideContext& ctx, const pugi::xml_node& bodyPr, platform::TextBody& body,
                   double& fontScale, const std::string& where) {
  if (!bodyPr) return;
  if (bodyPr.attribute("lIns"))
    body.insetLeft = EmuToUnits(NumberAttr(ctx, bodyPr, "lIns", 91440, where));
  if (bodyPr.attribute("tIns"))
    body.insetTop = EmuToUnits(NumberAttr(ctx, bodyPr, "tIns", 45720, where));
  if (bodyPr.attribute("rIns"))
    body.insetRight = EmuToUnits(NumberAttr(ctx, bodyPr, "rIns", 91440, where));
  if (bodyPr.attribute("bIns"))
    body.insetBottom = EmuToUnits(NumberAttr(ctx, bodyPr, "bIns", 45720, where));
  std::string anchor = bodyPr.attribute("anchor").as_string();
  if (anchor == "t") body.anchor = platform::TextAnchor::Top;
  if (anchor == "ctr") body.anchor = platform::TextAnchor::Middle;
  if (anchor == "b") body.anchor = platform::TextAnchor::Bottom;
  std::string wrap = bodyPr.attribute("wrap").as_string();
  if (!wrap.empty()) body.wrap = wrap != "none";
  if (Child(bodyPr, "spAutoFit")) body.fitsText = true;
  if (Child(bodyPr, "noAutofit") || Child(bodyPr, "normAutofit")) body.fitsText = false;
  std::string vert = bodyPr.attribute("vert").as_string();
  if (!vert.empty()) body.turn = vert == "vert270" ? 270 : vert == "horz" ? 0 : 90;
  if (Child(bodyPr, "noAutofit") || Child(bodyPr, "spAutoFit")) body.shrinkOnOverflow = false;
  if (pugi::xml_node autofit = Child(bodyPr, "normAutofit")) {
    body.shrinkOnOverflow = true;
    double scale = 0;
    if (ParseDecimal(autofit.attribute("fontScale").as_string(), scale) && scale > 0 &&
        scale <= 100000)
      fontScale = scale / 100000.0;
    double reduction = 0;
    if (ParseDecimal(autofit.attribute("lnSpcReduction").as_string(), reduction))
      body.lineSpacingReduction = std::max(0.0, std::min(90000.0, reduction)) / 100000.0;
  }
}

// Loads the picture of a picture bullet's a:blip, whose relationship belongs
// to the part that holds it: the slide's, its layout's or its master's.
void ReadBulletPicture(SlideContext& ctx, const pugi::xml_node& blip, platform::Paragraph& para,
                       const std::string& where) {
  std::string part = ctx.part;
  for (const StyleSource* source :
       {static_cast<const StyleSource*>(ctx.layout), static_cast<const StyleSource*>(ctx.master)})
    if (source && source->document && blip.root() == source->document->root()) part = source->part;
  const Relationship* rel = ctx.package.FindRelationship(part, NsAttr(blip, "embed").as_string());
  std::string bytes;
  if (!rel || rel->external ||
      !ctx.package.TryRead(rel->target, bytes, where + " bullet picture")) {
    ctx.Diag().Warn("picture bullet not loaded", where);
    return;
  }
  para.bullet = L"\u2003";
  para.bulletPicture.assign(bytes.begin(), bytes.end());
  para.bulletPictureType = ctx.package.ContentType(rel->target);
}

}  // namespace

void ReadTextBody(SlideContext& ctx, platform::Shape& shape, const pugi::xml_node& txBody,
                  const TextSources& sources, const std::string& where) {
  ListStyle list;
  // The presentation's default style is for text outside placeholders; the
  // master's title and body styles stand alone.
  if (sources.placeholderType == 0) list.Merge(ctx.defaultTextStyle, ctx.colours);
  if (ctx.master) {
    int type = sources.placeholderType;
    if (type == platform::ePlaceholderTitle || type == platform::ePlaceholderCentredTitle)
      list.Merge(ctx.master->titleStyle, ctx.colours);
    else if (type != 0)
      list.Merge(ctx.master->bodyStyle, ctx.colours);
    else
      list.Merge(ctx.master->otherStyle, ctx.colours);
  }
  platform::TextBody body;
  double fontScale = 1.0;
  for (const pugi::xml_node& ph : sources.inherited) {
    pugi::xml_node inheritedBody = Child(ph, "txBody");
    list.Merge(Child(inheritedBody, "lstStyle"), ctx.colours);
    ReadBodyProps(ctx, Child(inheritedBody, "bodyPr"), body, fontScale, where);
  }
  if (sources.hasFontColour) list.SetColour(sources.fontColour);
  if (!sources.fontFace.empty()) list.SetFont(sources.fontFace);
  list.Merge(Child(txBody, "lstStyle"), ctx.colours);
  // Text shrinks further than its stored scale only when the shape itself asks
  // for it: a master's or layout's autofit alone leaves the stored sizes be.
  body.shrinkOnOverflow = false;
  ReadBodyProps(ctx, Child(txBody, "bodyPr"), body, fontScale, where);

  int numbering[9] = {0};
  std::string numberingScheme[9];
  for (pugi::xml_node p : Children(txBody, "p")) {
    if (body.paragraphs.size() >= ctx.Limits().maxListEntries) {
      ctx.Diag().Warn("paragraph limit reached", where + ": later paragraphs skipped");
      break;
    }
    pugi::xml_node pPr = Child(p, "pPr");
    int64_t level = 0;
    if (pugi::xml_attribute lvl = pPr.attribute("lvl")) {
      if (!ParseInteger(lvl.as_string(), level) || level < 0 || level > 8) {
        ctx.Diag().Warn("invalid paragraph level", where + ": lvl \"" + lvl.as_string() + "\"");
        level = std::max<int64_t>(0, std::min<int64_t>(8, level));
      }
    }
    ParaStyle style = list.levels[level];
    style.Merge(ReadParaStyle(pPr, ctx.colours));

    platform::Paragraph para;
    para.level = static_cast<int>(level);
    if (style.align) para.align = *style.align;
    if (style.marginLeft) para.marginLeft = *style.marginLeft;
    if (style.indent) para.indent = *style.indent;
    for (pugi::xml_node item : Elements(p)) {
      bool isBreak = Is(item, "br");
      if (!isBreak && !Is(item, "r") && !Is(item, "fld")) continue;
      platform::TextRun run;
      CharStyle chars = style.chars;
      chars.Merge(ReadCharStyle(Child(item, "rPr"), ctx.colours));
      chars.ApplyTo(run.props);
      run.props.size *= fontScale;
      if (isBreak) {
        run.text = std::wstring(1, platform::kLineBreak);
      } else {
        run.text = WideText(Child(item, "t").text().get());
        if (chars.capitals && *chars.capitals)
          for (wchar_t& c : run.text) c = static_cast<wchar_t>(std::towupper(c));
        // Line feeds and vertical tabs inside a run break the line too.
        for (wchar_t& c : run.text)
          if (c == L'\n' || c == L'\v' || c == L'\r') c = platform::kLineBreak;
      }
      if (!run.text.empty()) para.runs.push_back(run);
    }
    if (para.runs.empty()) {
      CharStyle chars = style.chars;
      chars.Merge(ReadCharStyle(Child(p, "endParaRPr"), ctx.colours));
      platform::CharProps end;
      chars.ApplyTo(end);
      end.size *= fontScale;
      para.endProps = end;
    }
    // Spacing, against the paragraph's first font size.
    double size = para.runs.empty() ? para.endProps->size : para.runs.front().props.size;
    if (style.lineSpacingPercent) para.lineSpacing = *style.lineSpacingPercent / 100.0;
    if (style.lineSpacingPoints && size > 0)
      para.lineSpacing = *style.lineSpacingPoints / (size * 1.2);
    if (style.spaceBeforePoints) para.spaceBefore = *style.spaceBeforePoints;
    if (style.spaceBeforePercent) para.spaceBefore = *style.spaceBeforePercent / 100.0 * size;
    if (style.spaceAfterPoints) para.spaceAfter = *style.spaceAfterPoints;
    if (style.spaceAfterPercent) para.spaceAfter = *style.spaceAfterPercent / 100.0 * size;
    // Bullets show on paragraphs with text only; numbering counts them.
    bool hasText = !para.Text().empty();
    double lookAlike = 1.0;
    for (int deeper = static_cast<int>(level) + 1; deeper < 9; ++deeper) numbering[deeper] = 0;
    if (style.autoNumber && hasText) {
      if (numberingScheme[level] != *style.autoNumber) numbering[level] = 0;
      numberingScheme[level] = *style.autoNumber;
      int start = style.autoNumberStart ? *style.autoNumberStart : 1;
      para.bullet = AutoNumberText(*style.autoNumber, start + numbering[level]++);
    } else {
      numbering[level] = 0;
      if (style.bulletChar && hasText) {
        para.bullet =
            BulletText(*style.bulletChar, style.bulletFont ? *style.bulletFont : "", &lookAlike);
        // A symbol font's glyph turned into its Unicode twin is set in the text's font.
        if (style.bulletFont && para.bullet == *style.bulletChar)
          para.bulletFont = *style.bulletFont;
        // Symbol bullets sit half their stated size above the baseline.
        if (para.bullet != *style.bulletChar) para.bulletCentre = 0.5 / lookAlike;
      } else if (style.bulletBlip && hasText) {
        ReadBulletPicture(ctx, *style.bulletBlip, para, where);
      }
    }
    if (style.bulletColour && *style.bulletColour) {
      para.bulletColoured = true;
      para.bulletColour = **style.bulletColour;
    }
    if (style.bulletScale) para.bulletScale = *style.bulletScale;
    if (style.bulletPoints) para.bulletPoints = *style.bulletPoints * fontScale;
    para.bulletScale *= lookAlike;
    para.bulletPoints *= lookAlike;
    body.paragraphs.push_back(para);
  }
  shape.SetTextBody(body);
  shape.AddInterface(static_cast<EInterfaceId>(platform::eShapeKindTextId));
}

}  // namespace pptx
