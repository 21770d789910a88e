// The query protocol, property sheets, casts and accessors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>

#include <boost/make_shared.hpp>

#include "common/PropertySheet.h"
#include "host/Properties.h"

namespace {

// A value that also answers for a sheet it holds as a member.
class Widget : public IPropertyValue {
 public:
  explicit Widget(bool* destroyed) : destroyed_(destroyed) {}
  ~Widget() override { *destroyed_ = true; }
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override {
    if (id == eIidPropertySheet) return AnswerInterface<IPropertySheet>(&sheet_, out, sharesOwner);
    if (id == eIidPropertyValue) return AnswerInterface<IPropertyValue>(this, out, sharesOwner);
    return false;
  }
  uint32_t GetType() override { return 0; }

 private:
  bool* destroyed_;
  platform::PropertySheet sheet_;
};

template <class T>
boost::shared_ptr<IPropertyValue> Value(T v) {
  return boost::make_shared<PropertyValue<T>>(v);
}

}  // namespace

// A queried interface alone keeps its object alive; a null out pointer only
// asks whether the interface is there.
TEST(QueryProtocol, AnswersAndOwnership) {
  bool destroyed = false;
  boost::shared_ptr<IPropertyValue> value;
  boost::shared_ptr<IPropertySheet> sheet;
  {
    boost::shared_ptr<IPropertyValue> widget = boost::make_shared<Widget>(&destroyed);
    value = QueryAs<IPropertyValue>(widget, eIidPropertyValue);
    sheet = QueryAs<IPropertySheet>(widget, eIidPropertySheet);
    ASSERT_TRUE(value && sheet);
    EXPECT_TRUE(Supports(widget, eIidPropertySheet));
    EXPECT_FALSE(Supports(widget, eIidChildList));
    EXPECT_FALSE(QueryAs<IPropertySheet>(widget, eIidChildList));
  }
  EXPECT_FALSE(Supports(boost::shared_ptr<IInterface>(), eIidPropertySheet));
  EXPECT_FALSE(destroyed);
  value.reset();
  EXPECT_FALSE(destroyed) << "the member sheet still holds the object";
  sheet.reset();
  EXPECT_TRUE(destroyed);
}

// An object without a sheet or the key reads zero and ignores writes.
TEST(PropertyAccessors, ReadsAndWrites) {
  boost::shared_ptr<IInterface> none = Value(1);  // a value has no sheet
  boost::shared_ptr<IInterface> empty = boost::make_shared<platform::PropertySheet>();
  for (const auto& object : {none, empty, boost::shared_ptr<IInterface>()}) {
    EXPECT_EQ(
        std::make_tuple(Has(object, ePropDuration), GetInt(object, ePropDuration),
                        GetFloat(object, ePropAccel), GetDouble(object, ePropMediaStart),
                        GetBool(object, ePropAutoReverse), GetString(object, ePropText),
                        GetPoint(object, ePropMotionBy).x, GetColor(object, ePropFillColor).alpha),
        std::make_tuple(false, 0, 0.0f, 0.0, false, std::wstring(), 0.0, 0u));
    EXPECT_FALSE(GetSheet(object, ePropFillSheet) || GetSheetList(object, ePropBookmarks));
  }
  SetInt(none, ePropDuration, 5);
  EXPECT_FALSE(Has(none, ePropDuration));
  // A sheet keeps each value with the tag of its type.
  SetInt(empty, ePropDelay, -1);
  SetDouble(empty, ePropMediaStart, 1.5);
  SetBool(empty, ePropAutoReverse, true);
  SetString(empty, ePropText, L"hidden");
  SetPoint(empty, ePropMotionBy, {0.25, -0.5});
  std::vector<uint32_t> tags;
  for (EPropertyId key : {ePropDelay, ePropMediaStart, ePropAutoReverse, ePropText, ePropMotionBy})
    tags.push_back(GetValue(empty, key)->GetType());
  EXPECT_EQ(tags, (std::vector<uint32_t>{1, 3, 8, 5, 9}));
  EXPECT_EQ(static_cast<uint32_t>(GetInt(empty, ePropDelay)), 0xFFFFFFFFu);
  EXPECT_EQ(GetPoint(empty, ePropMotionBy).y, -0.5);
  // A list of sheets throws past its end.
  PropertySheetList list;
  list.Add(boost::make_shared<platform::PropertySheet>());
  EXPECT_TRUE(list.GetCount() == 1 && list.GetItem(0));
  EXPECT_THAT([&] { list.GetItem(1); }, testing::ThrowsMessage<std::out_of_range>(
                                            testing::StrEq("invalid vector<T> subscript")));
}

// The same in the C locale and in one that writes decimals with a comma: the
// conversions never follow the process's locale.
TEST(PropertyCast, ConvertsBetweenValueTypesInAnyLocale) {
  auto check = [] {
    const auto i = Value(7), b = Value(true), f = Value(-2.75f), d = Value(50000.7);
    EXPECT_EQ(property_cast<int>(f), -2);  // toward zero
    EXPECT_EQ(property_cast<int>(d), 50000);
    EXPECT_EQ(property_cast<float>(d), 50000.7f);
    EXPECT_EQ(property_cast<double>(Value(std::wstring(L"0.5"))), 0.5);
    EXPECT_EQ(property_cast<double>(Value(std::wstring(L"visible"))), 0.0);
    EXPECT_EQ(property_cast<int>(b), 1);
    EXPECT_TRUE(property_cast<bool>(i));
    EXPECT_EQ(property_cast<std::wstring>(i), L"7");
    EXPECT_EQ(property_cast<std::wstring>(d), L"50000.7");
    EXPECT_EQ(property_cast<std::wstring>(f), L"-2.75");
    EXPECT_EQ(property_cast<std::wstring>(b), L"true");
    EXPECT_EQ(property_cast<Kinefold::TColor>(Value(0x336699)),
              (Kinefold::TColor{0x33, 0x66, 0x99, 255}));
    EXPECT_FALSE(property_cast<boost::shared_ptr<IPropertySheet>>(i));
    EXPECT_EQ(property_cast<int>(Value(1e300)), 2147483647);
  };
  check();
  struct ClassicAgain {
    ~ClassicAgain() { std::locale::global(std::locale::classic()); }
  } again;
  try {
    std::locale::global(std::locale("de_DE.UTF-8"));
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup makes it)";
  }
  check();
}
