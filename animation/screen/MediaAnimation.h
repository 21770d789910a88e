// Animations of a slide's sounds and videos: they copy the timing the slide
// build stored on the media object onto the screen object that plays it.
#pragma once

#include <boost/shared_ptr.hpp>

#include "host/Document.h"
#include "screen/IScreenAnimation.h"

class AudioAnimation : public IAudioAnimation {
 public:
  explicit AudioAnimation(const boost::shared_ptr<IMedia>& sound) : sound_(sound) {}
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void ApplyMedia(const boost::shared_ptr<IScreenObject>& target) override;

 private:
  boost::shared_ptr<IMedia> sound_;
};

class VideoAnimation : public IVideoAnimation {
 public:
  explicit VideoAnimation(const boost::shared_ptr<IMedia>& video) : video_(video) {}
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void ApplyMedia(const boost::shared_ptr<IScreenObject>& target) override;

 private:
  boost::shared_ptr<IMedia> video_;
};
