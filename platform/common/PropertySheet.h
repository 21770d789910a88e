// A property sheet that stores values by key, in key order.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include "host/PropertySheet.h"

namespace platform {

class PropertySheet : public IPropertySheet {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) override;
  void SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) override;

  template <class T>
  PropertySheet& Set(EPropertyId key, const T& value) {
    values_[key] = boost::make_shared<PropertyValue<T>>(value);
    return *this;
  }
  PropertySheet& SetSheet(EPropertyId key, const boost::shared_ptr<IPropertySheet>& sheet) {
    return Set<boost::shared_ptr<IPropertySheet>>(key, sheet);
  }
  PropertySheet& SetList(EPropertyId key, const boost::shared_ptr<PropertySheetList>& list) {
    return Set<boost::shared_ptr<PropertySheetList>>(key, list);
  }
  bool Contains(EPropertyId key) const { return values_.count(key) != 0; }
  void Remove(EPropertyId key) { values_.erase(key); }
  std::vector<EPropertyId> Keys() const;
  // A shallow copy: the copy shares the value objects (values are immutable).
  boost::shared_ptr<PropertySheet> Clone() const;
  void Clear() { values_.clear(); }

 private:
  std::map<EPropertyId, boost::shared_ptr<IPropertyValue>> values_;
};

// Renders a value for diagnostics: numbers, strings, points, colours, and the
// kind of sheets and lists.
std::wstring DescribeValue(const boost::shared_ptr<IPropertyValue>& value);

}  // namespace platform
