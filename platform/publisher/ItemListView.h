// Read-only views of a vector of screen objects as an item list (interfaces
// 19, 20, 48, 63) or a child list (interface 8). They live inside the object
// that answers for them and never answer a query themselves.
#pragma once

#include <cstdint>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "host/Screen.h"

namespace platform {

template <class Item>
class ItemListView : public IItemList {
 public:
  explicit ItemListView(const std::vector<boost::shared_ptr<Item>>* items) : items_(items) {}

  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  uint32_t GetItemCount() override { return static_cast<uint32_t>(items_->size()); }
  boost::shared_ptr<IScreenObject> GetItem(uint32_t index) override {
    if (index >= items_->size()) return boost::shared_ptr<IScreenObject>();
    return (*items_)[index];
  }

 private:
  const std::vector<boost::shared_ptr<Item>>* items_;
};

template <class Item>
class ChildListView : public IChildList {
 public:
  explicit ChildListView(const std::vector<boost::shared_ptr<Item>>* items) : items_(items) {}

  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  uint32_t GetChildCount() override { return static_cast<uint32_t>(items_->size()); }
  boost::shared_ptr<IScreenObject> GetChild(uint32_t index) override {
    if (index >= items_->size()) return boost::shared_ptr<IScreenObject>();
    return (*items_)[index];
  }

 private:
  const std::vector<boost::shared_ptr<Item>>* items_;
};

}  // namespace platform
