#include "document/Slide.h"

namespace platform {
namespace {

template <class T>
boost::shared_ptr<T> At(const std::vector<boost::shared_ptr<T>>& items, uint32_t index) {
  if (index >= items.size()) return boost::shared_ptr<T>();
  return items[index];
}

bool AnswerSheet(const boost::shared_ptr<PropertySheet>& sheet, boost::shared_ptr<IInterface>* out,
                 bool* sharesOwner, EInterfaceId id) {
  if (id != eIidPropertySheet) return false;
  if (out) {
    *out = sheet;
    if (sharesOwner) *sharesOwner = false;
  }
  return true;
}

}  // namespace

bool Media::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id) {
  return AnswerSheet(sheet_, out, sharesOwner, id);
}

bool EffectList::QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) {
  return false;
}

boost::shared_ptr<IAnimationEffect> EffectList::GetEffect(uint32_t index) {
  return At(effects_, index);
}
boost::shared_ptr<IMedia> EffectList::GetSound(uint32_t index) {
  return At(sounds_, index);
}
boost::shared_ptr<IMedia> EffectList::GetVideo(uint32_t index) {
  return At(videos_, index);
}

boost::shared_ptr<IMedia> EffectList::FindSound(const std::wstring& id) {
  for (const auto& sound : sounds_)
    if (sound->GetId() == id) return sound;
  return boost::shared_ptr<IMedia>();
}

boost::shared_ptr<IMedia> EffectList::FindVideo(const std::wstring& id) {
  for (const auto& video : videos_)
    if (video->GetId() == id) return video;
  return boost::shared_ptr<IMedia>();
}

Effect& EffectList::AddEffect(const std::wstring& targetId) {
  effects_.push_back(boost::make_shared<Effect>(targetId));
  return *effects_.back();
}

Media& EffectList::AddSound(const std::wstring& id) {
  sounds_.push_back(boost::make_shared<Media>(id));
  return *sounds_.back();
}

Media& EffectList::AddVideo(const std::wstring& id) {
  videos_.push_back(boost::make_shared<Media>(id));
  return *videos_.back();
}

Slide::Slide()
    : effects_(boost::make_shared<EffectList>()), sheet_(boost::make_shared<PropertySheet>()) {}

bool Slide::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner, EInterfaceId id) {
  return AnswerSheet(sheet_, out, sharesOwner, id);
}

boost::shared_ptr<IShape> Slide::GetShape(uint32_t index) {
  return At(shapes_, index);
}

boost::shared_ptr<IEffectList> Slide::GetEffectList(int32_t, int32_t) {
  return effects_;
}

Shape& Slide::AddShape(const std::wstring& id, const boost::shared_ptr<Shape>& group) {
  auto shape = boost::make_shared<Shape>(id);
  AddShape(shape, group);
  return *shape;
}

void Slide::AddShape(const boost::shared_ptr<Shape>& shape, const boost::shared_ptr<Shape>& group) {
  if (group) {
    group->AddChild(shape);
    // Keep members right after their group and its earlier members.
    size_t at = shapes_.size();
    for (size_t i = 0; i < shapes_.size(); ++i) {
      if (shapes_[i] != group) continue;
      at = i + 1;
      while (at < shapes_.size()) {
        boost::shared_ptr<Shape> p = shapes_[at]->Parent();
        bool inside = false;
        for (; p; p = p->Parent())
          if (p == group) inside = true;
        if (!inside) break;
        ++at;
      }
      break;
    }
    shapes_.insert(shapes_.begin() + static_cast<std::ptrdiff_t>(at), shape);
  } else {
    topLevel_.push_back(shape);
    shapes_.push_back(shape);
  }
}

boost::shared_ptr<Shape> Slide::FindShape(const std::wstring& id) const {
  for (const auto& shape : shapes_)
    if (shape->Id() == id) return shape;
  return boost::shared_ptr<Shape>();
}

}  // namespace platform
