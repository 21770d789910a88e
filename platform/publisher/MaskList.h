// The mask children of a drawable node (interface 12), kept apart from the
// node's parts. It works on the node's frame state, so a frame reset restores
// the list that the node had after the slide was built.
#pragma once

#include <cstdint>
#include <vector>

#include "publisher/FrameState.h"

namespace platform {

class MaskList : public ICompoundShape {
 public:
  explicit MaskList(std::vector<MaskEntry>* entries) : entries_(entries) {}

  // Answered by the node that owns the list.
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  uint32_t GetChildCount() override { return static_cast<uint32_t>(entries_->size()); }
  // Null past the end.
  boost::shared_ptr<IScreenShape> GetChild(uint32_t index) override;
  // Inserts at `position` (clamped to the list); the child starts active. A
  // child that is already in the list moves there and keeps its state.
  void InsertChild(const boost::shared_ptr<IScreenShape>& child, int32_t position) override;
  void SetChildActive(bool active, const boost::shared_ptr<IScreenShape>& child) override;
  // Marks the child as belonging to this frame only: it stays (and can be
  // switched) until the next frame reset drops it. Detaching a child that is
  // already detached removes it at once.
  void DetachChild(const boost::shared_ptr<IScreenShape>& child) override;

  // The children that clip this frame, in list order.
  std::vector<boost::shared_ptr<IScreenShape>> ActiveShapes() const;
  bool HasActive() const;

 private:
  std::vector<MaskEntry>::iterator Find(const boost::shared_ptr<IScreenShape>& child);

  std::vector<MaskEntry>* entries_;
};

}  // namespace platform
