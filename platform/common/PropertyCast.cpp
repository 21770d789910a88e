// Conversions of property values: what the common library gives for each
// requested type, whatever type the stored value has.
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

#include "common/CNumber.h"
#include "host/PropertySheet.h"

namespace {

template <class T>
const T* Peek(const boost::shared_ptr<IPropertyValue>& value) {
  if (!value || value->GetType() != PropertyTypeTag<T>::value) return nullptr;
  return &static_cast<PropertyValue<T>*>(value.get())->Get();
}

// Reads a number at the start of a string, with "." as the decimal point
// whatever the locale; false when there is none.
bool ParseNumber(const std::wstring& text, double& out) {
  // A number is plain ASCII: its text ends at the first other character.
  std::string ascii;
  for (wchar_t c : text) {
    if (c <= 0 || c >= 0x80) break;
    ascii += static_cast<char>(c);
  }
  const char* begin = ascii.c_str();
  return platform::ReadCNumber(begin, begin + ascii.size(), out) != begin;
}

bool AsDouble(const boost::shared_ptr<IPropertyValue>& value, double& out) {
  if (!value) return false;
  switch (value->GetType()) {
    case ePropTypeInt:
      out = *Peek<int>(value);
      return true;
    case ePropTypeFloat:
      out = *Peek<float>(value);
      return true;
    case ePropTypeDouble:
      out = *Peek<double>(value);
      return true;
    case ePropTypeBool:
      out = *Peek<bool>(value) ? 1.0 : 0.0;
      return true;
    case ePropTypeString:
      return ParseNumber(*Peek<std::wstring>(value), out);
    default:
      return false;
  }
}

// Truncates toward zero, saturating at the ends of the int range.
int ToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

}  // namespace

template <>
int property_cast<int>(const boost::shared_ptr<IPropertyValue>& value) {
  if (const int* v = Peek<int>(value)) return *v;
  double d = 0.0;
  return AsDouble(value, d) ? ToInt(d) : 0;
}

template <>
float property_cast<float>(const boost::shared_ptr<IPropertyValue>& value) {
  if (const float* v = Peek<float>(value)) return *v;
  double d = 0.0;
  return AsDouble(value, d) ? static_cast<float>(d) : 0.0f;
}

template <>
double property_cast<double>(const boost::shared_ptr<IPropertyValue>& value) {
  double d = 0.0;
  return AsDouble(value, d) ? d : 0.0;
}

template <>
bool property_cast<bool>(const boost::shared_ptr<IPropertyValue>& value) {
  if (const bool* v = Peek<bool>(value)) return *v;
  if (const std::wstring* s = Peek<std::wstring>(value)) return *s == L"true" || *s == L"1";
  double d = 0.0;
  return AsDouble(value, d) && d != 0.0;
}

template <>
std::wstring property_cast<std::wstring>(const boost::shared_ptr<IPropertyValue>& value) {
  if (!value) return std::wstring();
  if (const std::wstring* s = Peek<std::wstring>(value)) return *s;
  if (const bool* b = Peek<bool>(value)) return *b ? L"true" : L"false";
  if (const int* i = Peek<int>(value)) return std::to_wstring(*i);
  double d = 0.0;
  if (AsDouble(value, d)) {
    std::wostringstream text;
    text.imbue(std::locale::classic());
    text.precision(value->GetType() == ePropTypeFloat ? 9 : 17);
    text << d;
    // Prefer the shortest form that reads back to the same value.
    for (int precision = 1; precision <= 17; ++precision) {
      std::wostringstream shorter;
      shorter.imbue(std::locale::classic());
      shorter.precision(precision);
      shorter << d;
      double back = 0.0;
      if (ParseNumber(shorter.str(), back) &&
          (value->GetType() == ePropTypeFloat ? static_cast<float>(back) == static_cast<float>(d)
                                              : back == d))
        return shorter.str();
    }
    return text.str();
  }
  return std::wstring();
}

template <>
Kinefold::TPoint property_cast<Kinefold::TPoint>(const boost::shared_ptr<IPropertyValue>& value) {
  if (const Kinefold::TPoint* p = Peek<Kinefold::TPoint>(value)) return *p;
  return Kinefold::TPoint();
}

template <>
Kinefold::TColor property_cast<Kinefold::TColor>(const boost::shared_ptr<IPropertyValue>& value) {
  if (const Kinefold::TColor* c = Peek<Kinefold::TColor>(value)) return *c;
  // An integer reads as 0xRRGGBB, opaque.
  if (const int* i = Peek<int>(value)) {
    Kinefold::TColor c;
    c.red = (static_cast<uint32_t>(*i) >> 16) & 0xFF;
    c.green = (static_cast<uint32_t>(*i) >> 8) & 0xFF;
    c.blue = static_cast<uint32_t>(*i) & 0xFF;
    c.alpha = 255;
    return c;
  }
  return Kinefold::TColor();
}

template <>
boost::shared_ptr<IPropertySheet> property_cast<boost::shared_ptr<IPropertySheet>>(
    const boost::shared_ptr<IPropertyValue>& value) {
  if (const auto* s = Peek<boost::shared_ptr<IPropertySheet>>(value)) return *s;
  return boost::shared_ptr<IPropertySheet>();
}

template <>
boost::shared_ptr<PropertySheetList> property_cast<boost::shared_ptr<PropertySheetList>>(
    const boost::shared_ptr<IPropertyValue>& value) {
  if (const auto* l = Peek<boost::shared_ptr<PropertySheetList>>(value)) return *l;
  return boost::shared_ptr<PropertySheetList>();
}
