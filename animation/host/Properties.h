// Property accessors: read and write a key on whatever property sheet an
// object offers through interface 28. Objects without a sheet read as null
// values (the zero value of the type) and ignore writes.
#pragma once

#include <string>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include "host/PropertySheet.h"

inline boost::shared_ptr<IPropertySheet> SheetOf(const boost::shared_ptr<IInterface>& object) {
  return QueryAs<IPropertySheet>(object, eIidPropertySheet);
}

inline boost::shared_ptr<IPropertyValue> GetValue(const boost::shared_ptr<IInterface>& object,
                                                  EPropertyId key) {
  boost::shared_ptr<IPropertyValue> value;
  if (boost::shared_ptr<IPropertySheet> sheet = SheetOf(object)) sheet->GetProperty(value, key);
  return value;
}

inline bool Has(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return static_cast<bool>(GetValue(object, key));
}

inline int GetInt(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<int>(GetValue(object, key));
}
inline float GetFloat(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<float>(GetValue(object, key));
}
inline double GetDouble(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<double>(GetValue(object, key));
}
inline bool GetBool(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<bool>(GetValue(object, key));
}
inline std::wstring GetString(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<std::wstring>(GetValue(object, key));
}
inline Kinefold::TPoint GetPoint(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<Kinefold::TPoint>(GetValue(object, key));
}
inline Kinefold::TColor GetColor(const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<Kinefold::TColor>(GetValue(object, key));
}
inline boost::shared_ptr<IPropertySheet> GetSheet(const boost::shared_ptr<IInterface>& object,
                                                  EPropertyId key) {
  return property_cast<boost::shared_ptr<IPropertySheet>>(GetValue(object, key));
}
inline boost::shared_ptr<PropertySheetList> GetSheetList(
    const boost::shared_ptr<IInterface>& object, EPropertyId key) {
  return property_cast<boost::shared_ptr<PropertySheetList>>(GetValue(object, key));
}

template <class T>
inline void SetValue(const boost::shared_ptr<IInterface>& object, EPropertyId key, const T& v) {
  if (boost::shared_ptr<IPropertySheet> sheet = SheetOf(object))
    sheet->SetProperty(key, boost::make_shared<PropertyValue<T>>(v));
}

inline void SetInt(const boost::shared_ptr<IInterface>& object, EPropertyId key, int v) {
  SetValue<int>(object, key, v);
}
inline void SetDouble(const boost::shared_ptr<IInterface>& object, EPropertyId key, double v) {
  SetValue<double>(object, key, v);
}
inline void SetBool(const boost::shared_ptr<IInterface>& object, EPropertyId key, bool v) {
  SetValue<bool>(object, key, v);
}
inline void SetString(const boost::shared_ptr<IInterface>& object, EPropertyId key,
                      const std::wstring& v) {
  SetValue<std::wstring>(object, key, v);
}
inline void SetPoint(const boost::shared_ptr<IInterface>& object, EPropertyId key,
                     const Kinefold::TPoint& v) {
  SetValue<Kinefold::TPoint>(object, key, v);
}
