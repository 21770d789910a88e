// Property sheets: values read and written by integer key (interface 28), the
// value objects they hold (interface 29), and the conversions between them.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "host/Interface.h"
#include "host/Kinefold.h"
#include "host/PropertyIds.h"

class IPropertySheet;
class PropertySheetList;

// Type tags answered by IPropertyValue::GetType.
enum EPropertyType : uint32_t {
  ePropTypeInt = 1,
  ePropTypeFloat = 2,
  ePropTypeDouble = 3,
  ePropTypeString = 5,
  ePropTypeBool = 8,
  ePropTypePoint = 9,
  ePropTypeColor = 10,
  ePropTypeSheet = 11,
  ePropTypeSheetList = 12,
};

class IPropertyValue : public IInterface {
 public:
  virtual uint32_t GetType() = 0;
};

class IPropertySheet : public IInterface {
 public:
  // Sets `out` to the value stored under `key`, or to null when there is none.
  virtual void GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) = 0;
  virtual void SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) = 0;
};

template <class T>
struct PropertyTypeTag;
template <>
struct PropertyTypeTag<int> {
  static const uint32_t value = ePropTypeInt;
};
template <>
struct PropertyTypeTag<float> {
  static const uint32_t value = ePropTypeFloat;
};
template <>
struct PropertyTypeTag<double> {
  static const uint32_t value = ePropTypeDouble;
};
template <>
struct PropertyTypeTag<std::wstring> {
  static const uint32_t value = ePropTypeString;
};
template <>
struct PropertyTypeTag<bool> {
  static const uint32_t value = ePropTypeBool;
};
template <>
struct PropertyTypeTag<Kinefold::TPoint> {
  static const uint32_t value = ePropTypePoint;
};
template <>
struct PropertyTypeTag<Kinefold::TColor> {
  static const uint32_t value = ePropTypeColor;
};
template <>
struct PropertyTypeTag<boost::shared_ptr<IPropertySheet>> {
  static const uint32_t value = ePropTypeSheet;
};
template <>
struct PropertyTypeTag<boost::shared_ptr<PropertySheetList>> {
  static const uint32_t value = ePropTypeSheetList;
};

// A value of type T with its type tag; answers only interface 29.
template <class T>
class PropertyValue : public IPropertyValue {
 public:
  explicit PropertyValue(const T& value) : value_(value) {}

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override {
    if (id != eIidPropertyValue) return false;
    return AnswerInterface<IPropertyValue>(this, out, sharesOwner);
  }
  uint32_t GetType() override { return PropertyTypeTag<T>::value; }
  const T& Get() const { return value_; }

 private:
  T value_;
};

// An ordered list of property sheets.
class PropertySheetList {
 public:
  size_t GetCount() const { return items_.size(); }
  const boost::shared_ptr<IPropertySheet>& GetItem(size_t index) const {
    if (index >= items_.size()) throw std::out_of_range("invalid vector<T> subscript");
    return items_[index];
  }
  void Add(const boost::shared_ptr<IPropertySheet>& sheet) { items_.push_back(sheet); }

 private:
  std::vector<boost::shared_ptr<IPropertySheet>> items_;
};

// Converts a property value to T. A null value, or one that cannot be read as T,
// gives the zero value of T (0, 0.0, false, empty string, null pointer).
// Numbers convert between each other (truncating toward zero into integers),
// strings holding a number read as that number, and numbers read as strings in
// their shortest decimal form.
template <class T>
T property_cast(const boost::shared_ptr<IPropertyValue>& value);

template <>
int property_cast<int>(const boost::shared_ptr<IPropertyValue>& value);
template <>
float property_cast<float>(const boost::shared_ptr<IPropertyValue>& value);
template <>
double property_cast<double>(const boost::shared_ptr<IPropertyValue>& value);
template <>
bool property_cast<bool>(const boost::shared_ptr<IPropertyValue>& value);
template <>
std::wstring property_cast<std::wstring>(const boost::shared_ptr<IPropertyValue>& value);
template <>
Kinefold::TPoint property_cast<Kinefold::TPoint>(const boost::shared_ptr<IPropertyValue>& value);
template <>
Kinefold::TColor property_cast<Kinefold::TColor>(const boost::shared_ptr<IPropertyValue>& value);
template <>
boost::shared_ptr<IPropertySheet> property_cast<boost::shared_ptr<IPropertySheet>>(
    const boost::shared_ptr<IPropertyValue>& value);
template <>
boost::shared_ptr<PropertySheetList> property_cast<boost::shared_ptr<PropertySheetList>>(
    const boost::shared_ptr<IPropertyValue>& value);
