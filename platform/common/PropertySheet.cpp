#include "common/PropertySheet.h"

#include <locale>
#include <sstream>

namespace platform {

bool PropertySheet::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                   EInterfaceId id) {
  if (id != eIidPropertySheet) return false;
  return AnswerInterface<IPropertySheet>(this, out, sharesOwner);
}

void PropertySheet::GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) {
  auto it = values_.find(key);
  if (it == values_.end())
    out.reset();
  else
    out = it->second;
}

void PropertySheet::SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) {
  if (value)
    values_[key] = value;
  else
    values_.erase(key);
}

std::vector<EPropertyId> PropertySheet::Keys() const {
  std::vector<EPropertyId> keys;
  keys.reserve(values_.size());
  for (const auto& entry : values_) keys.push_back(entry.first);
  return keys;
}

boost::shared_ptr<PropertySheet> PropertySheet::Clone() const {
  auto copy = boost::make_shared<PropertySheet>();
  copy->values_ = values_;
  return copy;
}

std::wstring DescribeValue(const boost::shared_ptr<IPropertyValue>& value) {
  if (!value) return L"null";
  std::wostringstream text;
  text.imbue(std::locale::classic());
  switch (value->GetType()) {
    case ePropTypeInt:
    case ePropTypeFloat:
    case ePropTypeDouble:
    case ePropTypeBool:
    case ePropTypeString:
      return property_cast<std::wstring>(value);
    case ePropTypePoint: {
      Kinefold::TPoint p = property_cast<Kinefold::TPoint>(value);
      text << L"(" << p.x << L", " << p.y << L")";
      return text.str();
    }
    case ePropTypeColor: {
      Kinefold::TColor c = property_cast<Kinefold::TColor>(value);
      text << L"rgba(" << c.red << L", " << c.green << L", " << c.blue << L", " << c.alpha << L")";
      return text.str();
    }
    case ePropTypeSheet:
      return L"{sheet}";
    case ePropTypeSheetList: {
      auto list = property_cast<boost::shared_ptr<PropertySheetList>>(value);
      text << L"[" << (list ? list->GetCount() : 0) << L" sheets]";
      return text.str();
    }
    default:
      return L"?";
  }
}

}  // namespace platform
