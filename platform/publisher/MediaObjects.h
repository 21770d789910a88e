// The screen objects that play a shape's sound or video: a media object (52)
// whose sheet receives the media timing settings, and a video player (93).
// They are not drawn and are not parts of the shape; the frame driver hands
// them to the media animations.
#pragma once

#include <cstdint>
#include <string>

#include <boost/shared_ptr.hpp>

#include "common/PropertySheet.h"
#include "host/Screen.h"

namespace platform {

class MediaScreenObject : public IScreenObject, public IMediaScreenObject {
 public:
  MediaScreenObject(const std::wstring& name, const double bounds[4]);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }
  boost::shared_ptr<IPropertySheet> GetMediaSheet() override { return sheet_; }

  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }

 private:
  std::wstring name_;
  double bounds_[4];
  boost::shared_ptr<PropertySheet> sheet_;
};

class VideoPlayerObject : public IScreenObject, public IVideoPlayer {
 public:
  VideoPlayerObject(const std::wstring& name, const double bounds[4]);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }
  void SetStartTime(int32_t value) override {
    startTime_ = value;
    hasStartTime_ = true;
  }
  void SetSecondSetting(int32_t value) override {
    secondSetting_ = value;
    hasSecondSetting_ = true;
  }

  bool HasStartTime() const { return hasStartTime_; }
  int32_t StartTime() const { return startTime_; }
  bool HasSecondSetting() const { return hasSecondSetting_; }
  int32_t SecondSetting() const { return secondSetting_; }

 private:
  std::wstring name_;
  double bounds_[4];
  int32_t startTime_ = 0;
  int32_t secondSetting_ = 0;
  bool hasStartTime_ = false;
  bool hasSecondSetting_ = false;
};

}  // namespace platform
