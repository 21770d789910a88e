#include "publisher/MediaObjects.h"

namespace platform {

MediaScreenObject::MediaScreenObject(const std::wstring& name, const double bounds[4])
    : name_(name), sheet_(boost::make_shared<PropertySheet>()) {
  for (int i = 0; i < 4; ++i) bounds_[i] = bounds[i];
}

bool MediaScreenObject::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                       EInterfaceId id) {
  if (id == eIidMediaScreenObject)
    return AnswerInterface<IMediaScreenObject>(this, out, sharesOwner);
  if (id == eIidPropertySheet)
    return AnswerInterface<IPropertySheet>(sheet_.get(), out, sharesOwner);
  return false;
}

VideoPlayerObject::VideoPlayerObject(const std::wstring& name, const double bounds[4])
    : name_(name) {
  for (int i = 0; i < 4; ++i) bounds_[i] = bounds[i];
}

bool VideoPlayerObject::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                       EInterfaceId id) {
  if (id == eIidVideoPlayer) return AnswerInterface<IVideoPlayer>(this, out, sharesOwner);
  return false;
}

}  // namespace platform
