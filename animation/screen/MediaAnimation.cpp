#include "screen/MediaAnimation.h"

#include "host/Properties.h"

namespace {

enum class Conversion { None, SecondsToMs };

struct CopyRow {
  EPropertyId from;
  EPropertyId to;
  EPropertyType type;
  Conversion conversion;
};

const CopyRow kAudioRows[] = {
    {ePropMediaValue304, ePropOutSound392, ePropTypeDouble, Conversion::None},
    {ePropMediaRepeatCount, ePropOutMediaRepeatCount, ePropTypeInt, Conversion::None},
    {ePropMediaValue351, ePropOutSound406, ePropTypeInt, Conversion::None},
    {ePropMediaStart, ePropOutMediaStartMs, ePropTypeDouble, Conversion::SecondsToMs},
    {ePropMediaEnd, ePropOutMediaEnd, ePropTypeDouble, Conversion::None},
    {ePropDelay, ePropOutDelay, ePropTypeInt, Conversion::None},
    {ePropSoundStartTime, ePropOutSoundStartTime, ePropTypeInt, Conversion::None},
    {ePropMediaDuration, ePropOutSoundDuration, ePropTypeInt, Conversion::None},
    {ePropHtmlAnimIndex, ePropOutHtmlAnimIndex, ePropTypeInt, Conversion::None},
    {ePropClickOffset, ePropOutClickOffset, ePropTypeInt, Conversion::None},
};

const CopyRow kVideoRows[] = {
    {ePropMediaValue304, ePropOutVideo393, ePropTypeDouble, Conversion::None},
    {ePropDelay, ePropOutDelay, ePropTypeInt, Conversion::None},
    {ePropVideoStartTime, ePropOutVideoStartTime, ePropTypeInt, Conversion::None},
    {ePropMediaStart, ePropOutMediaStartMs, ePropTypeDouble, Conversion::SecondsToMs},
    {ePropMediaDuration, ePropOutVideoDuration, ePropTypeInt, Conversion::None},
};

// Copies the rows the media object has, then the two settings that are always written.
template <size_t N>
void CopyMediaSettings(const boost::shared_ptr<IInterface>& media,
                       const boost::shared_ptr<IPropertySheet>& target, const CopyRow (&rows)[N]) {
  boost::shared_ptr<IInterface> sheet = target;
  for (const CopyRow& row : rows) {
    if (!Has(media, row.from)) continue;
    if (row.type == ePropTypeDouble) {
      double v = GetDouble(media, row.from);
      if (row.conversion == Conversion::SecondsToMs) v *= 1000.0;
      SetDouble(sheet, row.to, v);
    } else {
      SetInt(sheet, row.to, GetInt(media, row.from));
    }
  }
  SetInt(sheet, ePropOutMediaSetting122, GetInt(media, ePropMediaSetting122));
  SetInt(sheet, ePropOutMediaSetting123, GetInt(media, ePropMediaSetting123));
}

// Media screen objects of a group are reached through its child list, depth first.
template <class Apply>
bool ForEachChild(const boost::shared_ptr<IScreenObject>& target, Apply apply) {
  boost::shared_ptr<IChildList> children = QueryAs<IChildList>(target, eIidChildList);
  if (!children) return false;
  for (uint32_t i = 0; i < children->GetChildCount(); ++i) apply(children->GetChild(i));
  return true;
}

}  // namespace

bool AudioAnimation::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                    EInterfaceId id) {
  if (id != eIidAudioAgent) return false;
  return AnswerInterface<IAudioAnimation>(this, out, sharesOwner);
}

void AudioAnimation::ApplyMedia(const boost::shared_ptr<IScreenObject>& target) {
  if (ForEachChild(target, [this](const boost::shared_ptr<IScreenObject>& c) { ApplyMedia(c); }))
    return;
  boost::shared_ptr<IMediaScreenObject> media =
      QueryAs<IMediaScreenObject>(target, eIidMediaScreenObject);
  if (!media || !sound_) return;
  if (boost::shared_ptr<IPropertySheet> sheet = media->GetMediaSheet())
    CopyMediaSettings(sound_, sheet, kAudioRows);
}

bool VideoAnimation::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                    EInterfaceId id) {
  if (id != eIidVideoAnimation) return false;
  return AnswerInterface<IVideoAnimation>(this, out, sharesOwner);
}

void VideoAnimation::ApplyMedia(const boost::shared_ptr<IScreenObject>& target) {
  if (ForEachChild(target, [this](const boost::shared_ptr<IScreenObject>& c) { ApplyMedia(c); }))
    return;
  if (boost::shared_ptr<IMediaScreenObject> media =
          QueryAs<IMediaScreenObject>(target, eIidMediaScreenObject)) {
    if (!video_) return;
    if (boost::shared_ptr<IPropertySheet> sheet = media->GetMediaSheet())
      CopyMediaSettings(video_, sheet, kVideoRows);
    return;
  }
  boost::shared_ptr<IVideoPlayer> player = QueryAs<IVideoPlayer>(target, eIidVideoPlayer);
  if (!player || !video_) return;
  if (Has(video_, ePropVideoStartTime)) player->SetStartTime(GetInt(video_, ePropVideoStartTime));
  if (Has(video_, ePropMediaValue351)) player->SetSecondSetting(GetInt(video_, ePropMediaValue351));
}
