// The pictures of picture shapes and picture-filled shapes, and the audio or
// video a picture shape stands for (its part or link, trim and bookmarks).
#include "pptx/PictureReader.h"

#include "pptx/EffectReader.h"
#include "pptx/FillReader.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {

bool ReadPicture(SlideContext& ctx, const pugi::xml_node& blipFill, platform::Shape& shape,
                 const std::string& where) {
  pugi::xml_node blip = Child(blipFill, "blip");
  std::string id = NsAttr(blip, "embed").as_string();
  if (id.empty()) id = NsAttr(blip, "link").as_string();
  if (id.empty()) return false;
  const Relationship* rel = ctx.package.FindRelationship(ctx.part, id);
  if (!rel) {
    ctx.Diag().Warn("dangling relationship", where + ": image " + id);
    return false;
  }
  if (rel->external) {
    ctx.Diag().Warn("linked picture not loaded", where + ": " + rel->target);
    return false;
  }
  if (!ReadPicturePart(ctx, rel->target, shape, where)) return false;
  ReadPictureLayout(blipFill, shape.picture);
  ReadBlipEffects(ctx.colours, blip, shape.picture);
  return true;
}

bool ReadPicturePart(SlideContext& ctx, const std::string& part, platform::Shape& shape,
                     const std::string& where) {
  platform::PictureData data;
  std::string bytes;
  if (!ctx.package.TryRead(part, bytes, where + " picture")) return false;
  data.bytes.assign(bytes.begin(), bytes.end());
  data.contentType = ctx.package.ContentType(part);
  shape.picture = data;
  shape.picturePart = part;
  return true;
}

void ReadMedia(SlideContext& ctx, const pugi::xml_node& nvPr, platform::Shape& shape,
               const std::string& where) {
  platform::MediaKind kind = platform::MediaKind::None;
  pugi::xml_node file;
  for (pugi::xml_node child : Elements(nvPr)) {
    if (Is(child, "videoFile") || Is(child, "quickTimeFile"))
      kind = platform::MediaKind::Video;
    else if (Is(child, "audioFile") || Is(child, "wavAudioFile") || Is(child, "audioCd"))
      kind = platform::MediaKind::Audio;
    else
      continue;
    file = child;
    break;
  }
  if (kind == platform::MediaKind::None) return;
  platform::MediaInfo info;
  pugi::xml_node media;
  for (pugi::xml_node ext : Children(Child(nvPr, "extLst"), "ext"))
    if (pugi::xml_node m = Child(ext, "media")) media = m;
  std::string id = NsAttr(media, "embed").as_string();
  if (id.empty()) id = NsAttr(media, "link").as_string();
  if (id.empty()) id = NsAttr(file, "embed").as_string();
  if (id.empty()) id = NsAttr(file, "link").as_string();
  if (!id.empty()) {
    if (const Relationship* rel = ctx.package.FindRelationship(ctx.part, id)) {
      if (rel->external)
        info.link = rel->target;
      else
        info.partName = rel->target;
      if (!rel->external) info.contentType = ctx.package.ContentType(rel->target);
      if (!rel->external && !ctx.package.Has(rel->target))
        ctx.Diag().Warn("missing part", rel->target + " (" + where + " media)");
    } else {
      ctx.Diag().Warn("dangling relationship", where + ": media " + id);
    }
  }
  if (pugi::xml_node trim = Child(media, "trim")) {
    double ms = 0;
    if (trim.attribute("st") && !ParseTimeOffset(trim.attribute("st").as_string(), ms))
      ctx.Diag().Warn("invalid media time", where + ": trim start");
    else
      info.trimStartMs = ms;
    ms = 0;
    if (trim.attribute("end") && !ParseTimeOffset(trim.attribute("end").as_string(), ms))
      ctx.Diag().Warn("invalid media time", where + ": trim end");
    else
      info.trimEndMs = ms;
  }
  for (pugi::xml_node bmk : Children(Child(media, "bmkLst"), "bmk")) {
    if (info.bookmarks.size() >= ctx.Limits().maxListEntries) {
      ctx.Diag().Warn("bookmark limit reached", where);
      break;
    }
    double ms = 0;
    if (!ParseTimeOffset(bmk.attribute("time").as_string(), ms)) {
      ctx.Diag().Warn("invalid media time",
                      where + ": bookmark \"" + bmk.attribute("name").as_string() + "\"");
      continue;
    }
    info.bookmarks.push_back({WideText(bmk.attribute("name").as_string()), ms});
  }
  shape.SetMedia(kind);
  shape.SetMediaInfo(info);
}

}  // namespace pptx
