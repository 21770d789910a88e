// The timing reader's media nodes, and the sound and video objects of the
// effect list built from the media settings they gave.
#include "pptx/TimingReader.h"

#include "pptx/TimingReaderImpl.h"

namespace pptx {
namespace detail {

void Reader::ReadMediaNode(const pugi::xml_node& element) {
  pugi::xml_node media = Child(element, "cMediaNode");
  std::string where = ctx_.part + ": " + LocalName(element) + " node";
  std::wstring id = ShapeRef(Path(media, {"tgtEl", "spTgt"}).attribute("spid").as_string(), where);
  if (id.empty()) return;
  boost::shared_ptr<platform::Shape> shape = ctx_.slide.FindShape(id);
  if (!shape || shape->Media() == platform::MediaKind::None) {
    ctx_.Diag().Warn("media node without media", where + ": shape " + platform::ToUtf8(id));
    return;
  }
  platform::MediaInfo info = shape->mediaInfo;
  double volume = 0;
  if (ParseDecimal(media.attribute("vol").as_string(), volume))
    info.volume = std::min(1.0, std::max(0.0, volume / 100000.0));
  bool flag = false;
  if (ParseBoolean(media.attribute("mute").as_string(), flag)) info.muted = flag;
  if (ParseBoolean(media.attribute("showWhenStopped").as_string(), flag))
    info.hiddenWhenStopped = !flag;
  pugi::xml_node cTn = Child(media, "cTn");
  if (cTn.attribute("repeatCount")) {
    int repeat = RepeatCount(cTn, where);
    info.loops = repeat == -1;
    info.repeatCount = repeat == -1 ? -1 : std::max(1, repeat / 1000);
  }
  shape->SetMediaInfo(info);
}

}  // namespace detail

void AddMediaObjects(SlideContext& context) {
  const boost::shared_ptr<platform::EffectList>& effects = context.slide.Effects();
  for (const auto& shape : context.slide.AllShapes()) {
    if (shape->Media() == platform::MediaKind::None) continue;
    platform::Media& media = shape->Media() == platform::MediaKind::Audio
                                 ? effects->AddSound(shape->Id())
                                 : effects->AddVideo(shape->Id());
    const platform::MediaInfo& info = shape->mediaInfo;
    media.Set<double>(ePropMediaValue304, info.volume);
    media.Set<int>(ePropMediaValue351, info.loops ? 1 : 0);
    if (info.loops || info.repeatCount != 1)
      media.Set<int>(ePropMediaRepeatCount, info.loops ? -1 : info.repeatCount);
  }
}

}  // namespace pptx
