// A slide: its shapes, its effect list with sounds and videos, its transition.
#pragma once

#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include "common/PropertySheet.h"
#include "document/Effect.h"
#include "document/Shape.h"
#include "host/Document.h"

namespace platform {

class Media : public IMedia {
 public:
  explicit Media(const std::wstring& id) : id_(id), sheet_(boost::make_shared<PropertySheet>()) {}
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  std::wstring GetId() override { return id_; }
  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }
  template <class T>
  Media& Set(EPropertyId key, const T& value) {
    sheet_->Set<T>(key, value);
    return *this;
  }

 private:
  std::wstring id_;
  boost::shared_ptr<PropertySheet> sheet_;
};

class EffectList : public IEffectList {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  uint32_t GetEffectCount() override { return static_cast<uint32_t>(effects_.size()); }
  boost::shared_ptr<IAnimationEffect> GetEffect(uint32_t index) override;
  uint32_t GetSoundCount() override { return static_cast<uint32_t>(sounds_.size()); }
  boost::shared_ptr<IMedia> GetSound(uint32_t index) override;
  boost::shared_ptr<IMedia> FindSound(const std::wstring& id) override;
  uint32_t GetVideoCount() override { return static_cast<uint32_t>(videos_.size()); }
  boost::shared_ptr<IMedia> GetVideo(uint32_t index) override;
  boost::shared_ptr<IMedia> FindVideo(const std::wstring& id) override;

  Effect& AddEffect(const std::wstring& targetId);
  void AddEffect(const boost::shared_ptr<Effect>& effect) { effects_.push_back(effect); }
  Media& AddSound(const std::wstring& id);
  Media& AddVideo(const std::wstring& id);
  const std::vector<boost::shared_ptr<Effect>>& Effects() const { return effects_; }
  const std::vector<boost::shared_ptr<Media>>& Sounds() const { return sounds_; }
  const std::vector<boost::shared_ptr<Media>>& Videos() const { return videos_; }

 private:
  std::vector<boost::shared_ptr<Effect>> effects_;
  std::vector<boost::shared_ptr<Media>> sounds_;
  std::vector<boost::shared_ptr<Media>> videos_;
};

class Transition : public ITransition {
 public:
  explicit Transition(uint32_t durationMs) : duration_(durationMs) {}
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  uint32_t GetDuration() override { return duration_; }

 private:
  uint32_t duration_;
};

class Slide : public ISlide {
 public:
  Slide();

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  boost::shared_ptr<ITransition> GetTransition() override { return transition_; }
  // Every shape of the slide, group members right after their group.
  uint32_t GetShapeCount() override { return static_cast<uint32_t>(shapes_.size()); }
  boost::shared_ptr<IShape> GetShape(uint32_t index) override;
  int32_t GetSlideKind() override { return kind_; }
  boost::shared_ptr<IEffectList> GetEffectList(int32_t a, int32_t b) override;
  void SetLength(uint32_t lengthMs) override { length_ = lengthMs; }

  // Adds a shape on the slide, or inside `group` when given.
  Shape& AddShape(const std::wstring& id, const boost::shared_ptr<Shape>& group = {});
  void AddShape(const boost::shared_ptr<Shape>& shape, const boost::shared_ptr<Shape>& group = {});
  boost::shared_ptr<Shape> FindShape(const std::wstring& id) const;
  // Top-level shapes in drawing order.
  const std::vector<boost::shared_ptr<Shape>>& TopLevelShapes() const { return topLevel_; }
  const std::vector<boost::shared_ptr<Shape>>& AllShapes() const { return shapes_; }

  const boost::shared_ptr<EffectList>& Effects() { return effects_; }
  void RemoveEffectList() { effects_.reset(); }
  void SetTransition(uint32_t durationMs) {
    transition_ = boost::make_shared<Transition>(durationMs);
  }
  void SetSlideKind(int32_t kind) { kind_ = kind; }
  uint32_t Length() const { return length_; }
  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }

  // Slide size in slide units (1/96 inch), and the background colour.
  double width = 960.0;
  double height = 540.0;
  Kinefold::TColor background{255, 255, 255, 255};
  // Drawn over `background` and under the slide's own shapes: a gradient or
  // picture background (as a shape over the whole slide), then the shapes of
  // the master and the layout. They are not shapes of the slide and never
  // animate.
  std::vector<boost::shared_ptr<Shape>> backdrop;
  // Position in the deck (1-based), the package part it was read from, and
  // whether the deck hides it in the slide show.
  int number = 0;
  std::string partName;
  bool hidden = false;
  // The sound action of the slide's transition: the package part of the
  // embedded sound it starts (empty for none) and whether that sound loops
  // until the next one starts, and whether it stops the sounds playing.
  struct TransitionSound {
    std::string partName;
    bool loops = false;
    bool stopsSounds = false;
  } transitionSound;

 private:
  std::vector<boost::shared_ptr<Shape>> shapes_;
  std::vector<boost::shared_ptr<Shape>> topLevel_;
  boost::shared_ptr<EffectList> effects_;
  boost::shared_ptr<Transition> transition_;
  int32_t kind_ = 0;
  uint32_t length_ = 0xFFFFFFFFu;
  boost::shared_ptr<PropertySheet> sheet_;
};

}  // namespace platform
