#include "publisher/MaskList.h"

#include <algorithm>

namespace platform {

std::vector<MaskEntry>::iterator MaskList::Find(const boost::shared_ptr<IScreenShape>& child) {
  return std::find_if(entries_->begin(), entries_->end(),
                      [&](const MaskEntry& e) { return e.shape == child; });
}

boost::shared_ptr<IScreenShape> MaskList::GetChild(uint32_t index) {
  if (index >= entries_->size()) return boost::shared_ptr<IScreenShape>();
  return (*entries_)[index].shape;
}

void MaskList::InsertChild(const boost::shared_ptr<IScreenShape>& child, int32_t position) {
  if (!child) return;
  MaskEntry entry;
  entry.shape = child;
  auto it = Find(child);
  if (it != entries_->end()) {
    entry = *it;
    entries_->erase(it);
  }
  size_t at = position < 0 ? 0 : static_cast<size_t>(position);
  at = std::min(at, entries_->size());
  entries_->insert(entries_->begin() + static_cast<std::ptrdiff_t>(at), entry);
}

void MaskList::SetChildActive(bool active, const boost::shared_ptr<IScreenShape>& child) {
  auto it = Find(child);
  if (it != entries_->end()) it->active = active;
}

void MaskList::DetachChild(const boost::shared_ptr<IScreenShape>& child) {
  auto it = Find(child);
  if (it == entries_->end()) return;
  if (it->detached)
    entries_->erase(it);
  else
    it->detached = true;
}

std::vector<boost::shared_ptr<IScreenShape>> MaskList::ActiveShapes() const {
  std::vector<boost::shared_ptr<IScreenShape>> shapes;
  for (const MaskEntry& e : *entries_)
    if (e.active) shapes.push_back(e.shape);
  return shapes;
}

bool MaskList::HasActive() const {
  for (const MaskEntry& e : *entries_)
    if (e.active) return true;
  return false;
}

}  // namespace platform
