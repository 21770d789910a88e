// The values of property animations in the web records, read from the JSON
// text of published slides. The boxes sit on the 720 x 540 slide of the
// published context.
#include <gtest/gtest.h>

#include "web_test_deck.h"

namespace {

using platform::BehaviourNode;
using web::BoxSlide;
using web::Entry;
using web::Number;
using web::ordered_json;
using web::Text;

BehaviourNode& AddProperty(platform::Effect& effect, int attribute) {
  return effect.AddBehaviour(eBehaviourProperty).Set<int>(ePropAttribute, attribute).Duration(1000);
}

BehaviourNode& SetFormulas(BehaviourNode& b, const wchar_t* from, const wchar_t* to,
                           const wchar_t* by) {
  if (from) b.Set<std::wstring>(ePropFrom, from);
  if (to) b.Set<std::wstring>(ePropTo, to);
  if (by) b.Set<std::wstring>(ePropBy, by);
  return b;
}

// From, to and by, in slide units for positions and in factors of the
// shape's own size for width and height.
TEST(WebPropertyValues, FromToBy) {
  const struct {
    const char* name;
    double x, y, w, h;  // the box
    int attribute;
    const wchar_t *from, *to, *by;
    const char* record;
  } rows[] = {
      {"to, from the shape's centre", 50, 50, 100, 100, 0, nullptr, L"0.5", nullptr,
       R"({"type":0,"variable":12,"values":[0.0,100.0,100.0,360.0]})"},
      {"by", 50, 50, 100, 100, 1, nullptr, nullptr, L"0.25",
       R"({"type":0,"variable":13,"values":[0.0,100.0,100.0,235.0]})"},
      {"from and to", 50, 50, 100, 100, 0, L"0.25", L"0.75", nullptr,
       R"({"type":0,"variable":12,"values":[0.0,180.0,100.0,540.0]})"},
      {"neither to nor by", 50, 50, 100, 100, 4, nullptr, nullptr, nullptr,
       R"({"type":0,"variable":14,"values":[0.0,0.0,100.0,1.0]})"},
      {"width of a quarter-wide shape", 0, 0, 180, 100, 2, nullptr, L"0.5", nullptr,
       R"({"type":0,"variable":10,"values":[0.0,1.0,100.0,2.0]})"},
      {"height of a quarter-high shape", 0, 0, 100, 135, 3, nullptr, nullptr, L"0.25",
       R"({"type":0,"variable":11,"values":[0.0,1.0,100.0,2.0]})"},
      {"to by formula", 50, 50, 100, 100, 1, nullptr, L"#ppt_y+#ppt_h", nullptr,
       R"({"type":0,"variable":13,"values":[0.0,100.0,100.0,200.0]})"},
      {"rotation, as it stands", 0, 0, 10, 10, 5, L"0", L"90", nullptr,
       R"({"type":0,"variable":15,"values":[0.0,0.0,100.0,90.0]})"},
      {"attribute 8 has no values", 0, 0, 10, 10, 8, nullptr, L"0.5", nullptr,
       R"({"type":0,"variable":-1,"values":[]})"},
  };
  for (const auto& row : rows) {
    BoxSlide box(row.x, row.y, row.w, row.h);
    SetFormulas(AddProperty(*box.effect, row.attribute), row.from, row.to, row.by);
    EXPECT_EQ(web::OwnKeys(box.slide), ordered_json::parse(row.record)) << row.name;
  }
}

// Property animations of one effect follow on from each other: each starts
// where the one before left the shape, unless it restarts from the authored
// state (fill 1 or 2); a reversed move ends where it started.
TEST(WebPropertyValues, MovesFollowOnFromEachOther) {
  struct Move {
    int attribute;
    const wchar_t* to;
    const wchar_t* by;
    int fill;  // -1: none
    bool reverse;
  };
  const struct {
    const char* name;
    std::vector<Move> moves;
    std::vector<const char*> values;
  } rows[] = {
      {"right, then left",
       {{0, L"0.5", nullptr, -1, false}, {0, L"0.25", nullptr, -1, false}},
       {"[0, 100, 100, 360]", "[0, 360, 100, 180]"}},
      {"there and back, then left",
       {{0, L"0.5", nullptr, -1, true}, {0, L"0.25", nullptr, -1, false}},
       {"[0, 100, 100, 360]", "[0, 100, 100, 180]"}},
      {"restarting from the shape",
       {{0, L"0.5", nullptr, 1, false}, {0, L"0.25", nullptr, 2, false}},
       {"[0, 100, 100, 360]", "[0, 100, 100, 180]"}},
      {"a fill that does not restart",
       {{0, L"0.5", nullptr, -1, false}, {0, L"0.25", nullptr, 0, false}},
       {"[0, 100, 100, 360]", "[0, 360, 100, 180]"}},
      {"down, right, then down again",
       {{1, L"0.5", nullptr, -1, false},
        {0, L"0.25", nullptr, -1, false},
        {1, nullptr, L"0.1", -1, false}},
       {"[0, 100, 100, 270]", "[0, 100, 100, 180]", "[0, 270, 100, 324]"}},
      {"opacity leaves the position alone",
       {{0, L"0.5", nullptr, -1, false},
        {4, L"0.5", nullptr, -1, false},
        {0, nullptr, L"0.125", -1, false}},
       {"[0, 100, 100, 360]", "[0, 0, 100, 0.5]", "[0, 360, 100, 450]"}},
  };
  for (const auto& row : rows) {
    BoxSlide box(50, 50, 100, 100);
    for (const Move& move : row.moves) {
      BehaviourNode& b =
          SetFormulas(AddProperty(*box.effect, move.attribute), nullptr, move.to, move.by);
      if (move.fill >= 0) b.Set<int>(ePropFill, move.fill);
      if (move.reverse) b.Set<bool>(ePropAutoReverse, true);
    }
    const ordered_json parts = web::OnlyRecord(box.slide)["parts"];
    ASSERT_EQ(parts.size(), row.values.size()) << row.name;
    for (size_t i = 0; i < parts.size(); ++i)
      EXPECT_EQ(parts[i]["values"], ordered_json::parse(row.values[i])) << row.name << " " << i;
  }
}

// Time-value lists: strings are formulas in fractions of the slide (or the
// visibility words), numbers are fractions of the slide, or of the shape's
// own position when the list has formulas.
TEST(WebPropertyValues, Lists) {
  const struct {
    const char* name;
    int attribute;
    std::vector<Entry> entries;
    const char* values;
  } rows[] = {
      {"visibility", 7, {{0, Text(L"hidden"), L""}, {50, Text(L"visible"), L""}}, "[0, 0, 50, 1]"},
      {"numbers", 0, {{0, Number(0.25f), L""}, {100, Number(0.5f), L""}}, "[0, 180, 100, 360]"},
      {"formulas",
       0,
       {{0, Text(L"#ppt_x"), L""}, {100, Text(L"#ppt_x+0.25"), L""}},
       "[0, 100, 100, 280]"},
      {"numbers with a formula",
       0,
       {{0, Number(0.5f), L"#ppt_x+$"}, {100, Number(1.0f), L""}},
       "[0, 50, 100, 100]"},
      {"one entry", 1, {{50, Number(0.5f), L""}}, "[50, 270]"},
      {"an entry without value", 4, {{0, nullptr, L""}, {100, Number(0.5f), L""}}, "[100, 0.5]"},
  };
  for (const auto& row : rows) {
    BoxSlide box(50, 50, 100, 100);
    web::SetList(AddProperty(*box.effect, row.attribute), row.entries);
    const ordered_json record = web::OnlyRecord(box.slide);
    EXPECT_EQ(record["type"], 0) << row.name;
    EXPECT_EQ(record["values"], ordered_json::parse(row.values)) << row.name;
  }
}

// Entries whose formula has one of the known shapes become formula records:
// time, "for", the shape, the scale, the functions, then the numbers, with
// "number operator number" folded as it is read.
TEST(WebPropertyValues, FormulaShapedEntries) {
  const struct {
    const char* name;
    const wchar_t* formula;
    const char* first;  // the first entry's values
  } rows[] = {
      {"shape 0", L"$*sin(6.28*$)", R"([0, "for", 0, 540, 0, 6.28])"},
      {"shape 1", L"#ppt_y-sin(pi*$)/3", R"([0, "for", 1, 540, 0, 3])"},
      {"shape 2", L"#ppt_x+(cos(-6.28*(1-$))*-#ppt_x-sin(-6.28*(1-$))*(#ppt_y))*(1-$)",
       R"([0, "for", 2, 540, 1, 0, 6.28, 1, 6.28, 1, 1])"},
      {"shape 3", L"#ppt_y + (sin(-6.28*(1-$)) * -#ppt_x +cos(-6.28*(1-$)) * (#ppt_y)) * (1-$)",
       R"([0, "for", 3, 540, 0, 1, 6.28, 1, 6.28, 1, 1])"},
      {"folded after a bracket", L"#ppt_h*cos(2*3*$)", R"([0, "for", 0, 540, 1, 6])"},
      {"folded left to right", L"$*max(1+2*3-1/2*$)", R"([0, "for", 0, 540, 4, 4])"},
      {"a number with two points", L"$*abs(0.5.5*$)", R"([0, "for", 0, 540, 5, 0.5])"},
      // Not folded at the very start, so the shape is not one of the four.
      {"two numbers first", L"2*3*(4*$)", "[0, 0]"},
      {"unknown shape", L"#ppt_y+$*0.1", "[0, 0]"},
      // pi is a name, not a number: 2*pi stays a product.
      {"named constants", L"#ppt_y+(sin(-2*pi*(1-$))*-#ppt_x+cos(-2*pi*(1-$))*(1-#ppt_y))*(1-$)",
       "[0, 0]"},
      {"a character no formula has", L"$*sin(6.28*$)^2", "[0, 0]"},
  };
  for (const auto& row : rows) {
    BoxSlide box(50, 50, 100, 100);
    web::SetList(AddProperty(*box.effect, 1),
                 {{0, Number(0.0f), row.formula}, {100, Number(1.0f), L""}});
    const ordered_json record = web::OnlyRecord(box.slide);
    ordered_json values = ordered_json::parse(row.first);
    const bool encoded = values.size() > 2;
    // The plain last entry scales by the shape's own position.
    values.push_back(100);
    values.push_back(100);
    EXPECT_EQ(record["values"], values) << row.name;
    EXPECT_EQ(record["type"], encoded ? 7 : 0) << row.name;
  }
}

// The formula scale is the one of the animated attribute: slide width for x,
// the inverse size fraction for width and height, 1 otherwise.
TEST(WebPropertyValues, FormulaScales) {
  const struct {
    int attribute;
    float scale;
  } rows[] = {{0, 720}, {1, 540}, {2, 4}, {3, 2}, {4, 1}};
  for (const auto& row : rows) {
    BoxSlide box(0, 0, 180, 270);
    web::SetList(AddProperty(*box.effect, row.attribute), {{0, Number(0.0f), L"$*sin(1*$)"}});
    const ordered_json values = web::OnlyRecord(box.slide)["values"];
    ASSERT_EQ(values.size(), 6u) << row.attribute;
    EXPECT_EQ(values[3], row.scale) << row.attribute;
  }
}

}  // namespace
