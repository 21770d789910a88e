// The query protocol, property sheets, casts and accessors.
#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>

#include <boost/make_shared.hpp>
#include <boost/weak_ptr.hpp>

#include "common/PropertySheet.h"
#include "host/Properties.h"

namespace {

// An object offering two interfaces from one body, its sheet as a member.
class Widget : public IPropertySheet, public IPropertyValue {
 public:
  explicit Widget(bool* destroyed) : destroyed_(destroyed) {}
  ~Widget() override { *destroyed_ = true; }
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override {
    if (id == eIidPropertySheet) return AnswerInterface<IPropertySheet>(&sheet_, out, sharesOwner);
    if (id == eIidPropertyValue) return AnswerInterface<IPropertyValue>(this, out, sharesOwner);
    return false;
  }
  void GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) override {
    sheet_.GetProperty(out, key);
  }
  void SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) override {
    sheet_.SetProperty(key, value);
  }
  uint32_t GetType() override { return 0; }

 private:
  bool* destroyed_;
  platform::PropertySheet sheet_;
};

class NoSheet : public IInterface {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
};

}  // namespace

TEST(QueryProtocol, QueriedInterfaceAloneKeepsItsObjectAlive) {
  bool destroyed = false;
  boost::shared_ptr<IPropertyValue> value;
  boost::shared_ptr<IPropertySheet> sheet;
  {
    boost::shared_ptr<IPropertySheet> widget = boost::make_shared<Widget>(&destroyed);
    value = QueryAs<IPropertyValue>(widget, eIidPropertyValue);
    sheet = QueryAs<IPropertySheet>(widget, eIidPropertySheet);
    ASSERT_TRUE(value);
    ASSERT_TRUE(sheet);
  }
  EXPECT_FALSE(destroyed);
  value.reset();
  EXPECT_FALSE(destroyed) << "the member sheet still holds the object";
  sheet.reset();
  EXPECT_TRUE(destroyed);
}

TEST(QueryProtocol, NullOutPointerOnlyAnswers) {
  bool destroyed = false;
  boost::shared_ptr<IPropertySheet> widget = boost::make_shared<Widget>(&destroyed);
  EXPECT_TRUE(Supports(widget, eIidPropertySheet));
  EXPECT_FALSE(Supports(widget, eIidChildList));
  EXPECT_FALSE(QueryAs<IPropertySheet>(widget, eIidChildList));
  EXPECT_FALSE(Supports(boost::shared_ptr<IInterface>(), eIidPropertySheet));
}

TEST(PropertyAccessors, ObjectWithoutSheetOrKeyReadsZeroAndIgnoresWrites) {
  boost::shared_ptr<IInterface> none = boost::make_shared<NoSheet>();
  boost::shared_ptr<IInterface> empty = boost::make_shared<platform::PropertySheet>();
  for (const auto& object : {none, empty, boost::shared_ptr<IInterface>()}) {
    EXPECT_FALSE(Has(object, ePropDuration));
    EXPECT_EQ(GetInt(object, ePropDuration), 0);
    EXPECT_EQ(GetFloat(object, ePropAccel), 0.0f);
    EXPECT_EQ(GetDouble(object, ePropMediaStart), 0.0);
    EXPECT_FALSE(GetBool(object, ePropAutoReverse));
    EXPECT_EQ(GetString(object, ePropText), L"");
    EXPECT_EQ(GetPoint(object, ePropMotionBy).x, 0.0);
    EXPECT_EQ(GetColor(object, ePropFillColor).alpha, 0u);
    EXPECT_FALSE(GetSheet(object, ePropFillSheet));
    EXPECT_FALSE(GetSheetList(object, ePropBookmarks));
  }
  SetInt(none, ePropDuration, 5);
  EXPECT_FALSE(Has(none, ePropDuration));
  SetInt(empty, ePropDuration, 5);
  EXPECT_EQ(GetInt(empty, ePropDuration), 5);
}

TEST(PropertyAccessors, SettersStoreTaggedValues) {
  boost::shared_ptr<IInterface> sheet = boost::make_shared<platform::PropertySheet>();
  SetInt(sheet, ePropDelay, -1);
  SetDouble(sheet, ePropMediaStart, 1.5);
  SetBool(sheet, ePropAutoReverse, true);
  SetString(sheet, ePropText, L"hidden");
  SetPoint(sheet, ePropMotionBy, {0.25, -0.5});
  struct Row {
    EPropertyId key;
    uint32_t tag;
  } rows[] = {{ePropDelay, 1},
              {ePropMediaStart, 3},
              {ePropAutoReverse, 8},
              {ePropText, 5},
              {ePropMotionBy, 9}};
  for (const Row& row : rows) EXPECT_EQ(GetValue(sheet, row.key)->GetType(), row.tag) << row.key;
  EXPECT_EQ(static_cast<uint32_t>(GetInt(sheet, ePropDelay)), 0xFFFFFFFFu);
  EXPECT_EQ(GetPoint(sheet, ePropMotionBy).y, -0.5);
}

// The same in the C locale and in one that writes decimals with a comma: the
// conversions never follow the process's locale.
TEST(PropertyCast, ConvertsBetweenValueTypesInAnyLocale) {
  auto check = [] {
    auto i = boost::make_shared<PropertyValue<int>>(7);
    auto f = boost::make_shared<PropertyValue<float>>(-2.75f);
    auto d = boost::make_shared<PropertyValue<double>>(50000.7);
    auto s = boost::make_shared<PropertyValue<std::wstring>>(L"0.5");
    auto word = boost::make_shared<PropertyValue<std::wstring>>(L"visible");
    auto b = boost::make_shared<PropertyValue<bool>>(true);
    auto rgb = boost::make_shared<PropertyValue<int>>(0x336699);

    EXPECT_EQ(property_cast<int>(f), -2);  // toward zero
    EXPECT_EQ(property_cast<int>(d), 50000);
    EXPECT_EQ(property_cast<float>(d), 50000.7f);
    EXPECT_EQ(property_cast<double>(s), 0.5);
    EXPECT_EQ(property_cast<double>(word), 0.0);
    EXPECT_EQ(property_cast<int>(b), 1);
    EXPECT_TRUE(property_cast<bool>(i));
    EXPECT_EQ(property_cast<std::wstring>(i), L"7");
    EXPECT_EQ(property_cast<std::wstring>(d), L"50000.7");
    EXPECT_EQ(property_cast<std::wstring>(f), L"-2.75");
    EXPECT_EQ(property_cast<std::wstring>(b), L"true");
    EXPECT_EQ(property_cast<Kinefold::TColor>(rgb), (Kinefold::TColor{0x33, 0x66, 0x99, 255}));
    EXPECT_FALSE(property_cast<boost::shared_ptr<IPropertySheet>>(i));
    EXPECT_EQ(property_cast<int>(boost::make_shared<PropertyValue<double>>(1e300)), 2147483647);
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

TEST(PropertySheetList, IndexOutOfRangeThrows) {
  PropertySheetList list;
  list.Add(boost::make_shared<platform::PropertySheet>());
  EXPECT_EQ(list.GetCount(), 1u);
  EXPECT_TRUE(list.GetItem(0));
  try {
    list.GetItem(1);
    FAIL() << "expected out_of_range";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
}
