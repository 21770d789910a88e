// The screen-object tree built from a document slide: which node answers
// which interface, names, keys, shared runs, bounds of text units; and the
// text layout: wrapping, alignment, anchoring, bullets and line breaks.
#include <gtest/gtest.h>

#include <vector>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Properties.h"
#include "publisher/SlideScreen.h"
#include "publisher/TextLayout.h"
#include "support/Values.h"

using platform::SlideScreen;

namespace {

boost::shared_ptr<platform::Slide> MakeSlide() {
  auto slide = boost::make_shared<platform::Slide>();
  slide->AddShape(L"2")
      .SetBounds(100, 100, 300, 120)
      .SetSolidFill({200, 30, 30, 255})
      .SetText({L"Hello world", L"Second"});
  slide->AddShape(L"3").SetBounds(50, 300, 200, 50).SetText({L"Plain box"});
  platform::Shape& group = slide->AddShape(L"4");
  group.SetKind(platform::ShapeKind::Group).SetBounds(400, 50, 200, 200);
  auto groupPtr = slide->FindShape(L"4");
  slide->AddShape(L"5", groupPtr).SetBounds(400, 50, 80, 80).SetSolidFill({0, 0, 255, 255});
  platform::FillStyle groupFill;
  groupFill.type = platform::eFillGroup;
  slide->AddShape(L"6", groupPtr).SetBounds(500, 150, 80, 80).SetFill(groupFill);
  return slide;
}

// The interfaces an object answers, as "4 8 9".
std::string Answers(const boost::shared_ptr<IScreenObject>& object) {
  std::string out;
  for (int id : {4, 8, 9, 10, 12, 19, 20, 21, 26, 39, 48, 49, 52, 63, 66, 93})
    if (Supports(object, static_cast<EInterfaceId>(id)))
      out += (out.empty() ? "" : " ") + std::to_string(id);
  return out;
}

// The items `object` lists under `id`.
std::vector<boost::shared_ptr<IScreenObject>> Items(const boost::shared_ptr<IInterface>& object,
                                                    EInterfaceId id) {
  std::vector<boost::shared_ptr<IScreenObject>> items;
  auto list = QueryAs<IItemList>(object, id);
  for (uint32_t i = 0; list && i < list->GetItemCount(); ++i) items.push_back(list->GetItem(i));
  return items;
}

class ScreenTree : public ::testing::Test {
 protected:
  void SetUp() override { screen = SlideScreen::Build(MakeSlide()); }
  boost::shared_ptr<IScreenObject> Get(const std::wstring& name) {
    auto object = screen->Find(name);
    EXPECT_TRUE(object) << std::string(name.begin(), name.end());
    return object;
  }
  boost::shared_ptr<SlideScreen> screen;
};

// A group is one target: members are its parts and items, not a child list.
TEST_F(ScreenTree, NodesAnswerTheirInterfaces) {
  struct Case {
    const wchar_t* name;
    const char* ids;
  } cases[] = {{L"2", "8 9 10 12 39 49"},
               {L"2/shape", "9 10 12"},
               {L"2/shape/fill", "9 12"},
               {L"2/text", "8 9 10 12 19 63 66"},
               {L"2/p0", "8 9 10 12 20 63 66"},
               {L"2/p0/w1", "8 9 10 12 63 66"},
               {L"2/p0/w1/l2", "9 12 26 66"},
               {L"2/runs", "4 8"},
               {L"2/runs/text", "4 19 63"},
               {L"2/runs/p1", "4 20 63"},
               {L"2/p0/r0", "4 21"},
               {L"4", "9 10 12 39 48 49"},
               {L"5", "8 9 10 12 39 49"}};
  for (const Case& c : cases) {
    auto object = Get(c.name);
    EXPECT_EQ(Answers(object), c.ids) << std::string(c.name, c.name + wcslen(c.name));
    std::wstring name;
    object->GetName(name);
    EXPECT_EQ(name, c.name);
  }
}

TEST_F(ScreenTree, PartsAreTheChildListAndQueriesShareTheOwner) {
  auto shape = Get(L"2");
  auto list = QueryAs<IChildList>(shape, eIidChildList);
  auto target = QueryAs<IShapeTarget>(shape, eIidShapeTarget);
  ASSERT_TRUE(list && target);
  ASSERT_EQ(list->GetChildCount(), 2u);
  EXPECT_EQ(target->GetChildCount(), 2u);
  EXPECT_EQ(list->GetChild(0), target->GetChild(0));
  EXPECT_FALSE(list->GetChild(2));
  EXPECT_EQ(list->GetChild(1), Get(L"2/text"));
  // The geometry part's flag follows what the shape draws.
  EXPECT_TRUE(QueryAs<IShapeTarget>(Get(L"2/shape"), eIidShapeTarget)->GetShapeFlag());
  EXPECT_FALSE(QueryAs<IShapeTarget>(Get(L"3/shape"), eIidShapeTarget)->GetShapeFlag());
  // The interface keeps the node alive once everything else is gone.
  screen.reset();
  shape.reset();
  EXPECT_EQ(target->GetChildCount(), 2u);
}

TEST_F(ScreenTree, TextKeysAndSharedRuns) {
  // The space takes no step; the run view's paragraph has the same keys.
  for (const wchar_t* p : {L"2/p0", L"2/runs/p0"})
    EXPECT_EQ(Values(Get(p), {ePropParagraphIndex, ePropWordCount, ePropLetterCount}),
              (Numbers{0, 2, 10}));
  EXPECT_EQ(GetInt(Get(L"2/p1"), ePropParagraphIndex), 1);
  EXPECT_EQ(GetString(Get(L"2/p0/w0"), ePropText), L"Hello ");
  EXPECT_EQ(GetString(Get(L"2/p0/w0/l5"), ePropText), L" ");
  EXPECT_TRUE(GetBool(Get(L"2/p0/w0/l5"), ePropNoTimeStep));
  EXPECT_FALSE(GetBool(Get(L"2/p0/w0/l4"), ePropNoTimeStep));
  EXPECT_FALSE(Has(Get(L"2/shape"), ePropIsBackground));
  auto runs = GetSheetList(Get(L"2/runs/p0"), ePropRunList);
  ASSERT_TRUE(runs);
  ASSERT_EQ(runs->GetCount(), 2u);
  EXPECT_EQ(GetInt(runs->GetItem(0), ePropRunLength), 1);

  // One authored run, split at the word boundary, shared by the paragraph
  // and the run view.
  auto shared = Items(Get(L"2/p0"), eIidRunGroup);
  ASSERT_EQ(shared.size(), 2u);
  EXPECT_EQ(shared, Items(Get(L"2/runs/p0"), eIidRunGroup));
  auto run = shared[0];
  EXPECT_EQ(GetInt(run, ePropRunKind), 0);
  auto current = GetSheet(run, ePropRunCharProps);
  auto authored = GetSheet(run, ePropRunAuthoredCharProps);
  ASSERT_TRUE(current && authored);
  EXPECT_NE(current, authored);
  EXPECT_EQ(Values(current, {ePropFontSize}), Values(authored, {ePropFontSize}));
  EXPECT_DOUBLE_EQ(GetDouble(current, ePropFontSize), 18.0);

  auto text = QueryAs<IChildList>(Get(L"2/runs"), eIidChildList);
  ASSERT_EQ(text->GetChildCount(), 1u);
  EXPECT_EQ(Items(text->GetChild(0), eIidTextBody19),
            (std::vector<boost::shared_ptr<IScreenObject>>{Get(L"2/runs/p0"), Get(L"2/runs/p1")}));
}

TEST(ScreenRuns, LetterRunsOnlyWhereACharacterEffectWalksLetters) {
  // "ab c", a line break and "d" (three authored runs); the run view's 63
  // list and the runs of its first word, by effect: bold and size by letter,
  // bold by word, colour and visibility by letter.
  struct Case {
    int iterate;
    uint32_t kind;
    int attribute;
    std::vector<std::wstring> units;
    uint32_t runs;
    int firstWordUnits;
  } cases[] = {{2, eBehaviourSet, 11, {L"a", L"b ", L"c", L"d"}, 5, 2},
               {2, eBehaviourProperty, 14, {L"a", L"b ", L"c", L"d"}, 5, 2},
               {1, eBehaviourSet, 11, {L"ab ", L"c", L"\u2028", L"d"}, 4, 1},
               {2, eBehaviourColor, 9, {L"ab ", L"c", L"\u2028", L"d"}, 4, 1},
               {2, eBehaviourSet, 7, {L"ab ", L"c", L"\u2028", L"d"}, 4, 1}};
  for (const Case& c : cases) {
    auto slide = boost::make_shared<platform::Slide>();
    platform::Paragraph p;
    for (const wchar_t* text : {L"ab c", L"\u2028", L"d"}) p.runs.push_back({text, {}});
    platform::TextBody body;
    body.paragraphs.push_back(p);
    slide->AddShape(L"2").SetBounds(0, 0, 300, 100).SetTextBody(body);
    slide->Effects()
        ->AddEffect(L"2")
        .Set<int>(ePropIterateType, c.iterate)
        .AddBehaviour(c.kind)
        .Set<int>(ePropAttribute, c.attribute);
    auto screen = SlideScreen::Build(slide);
    auto view = screen->Find(L"2/runs/p0");
    std::vector<std::wstring> texts;
    for (const auto& unit : Items(view, eIidParagraphList))
      texts.push_back(GetString(unit, ePropText));
    EXPECT_EQ(texts, c.units) << c.kind << " " << c.attribute;
    // Every run, the line break's too, is on the paragraph's run list.
    EXPECT_EQ(Items(view, eIidRunGroup).size(), c.runs);
    EXPECT_EQ(GetInt(GetSheetList(view, ePropRunList)->GetItem(0), ePropRunLength),
              c.firstWordUnits);
  }
}

TEST_F(ScreenTree, TextUnitsHaveBoundsInsideTheShape) {
  const double* shape = Get(L"2")->GetBounds();
  const double* text = Get(L"2/text")->GetBounds();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(text[i], shape[i]);
  double lastRight = -1;
  for (int i = 0; i < 5; ++i) {
    const double* b = Get(L"2/p0/w0/l" + std::to_wstring(i))->GetBounds();
    EXPECT_GT(b[2], b[0]);
    EXPECT_GT(b[3], b[1]);
    EXPECT_GE(b[0], shape[0]);
    EXPECT_LE(b[2], shape[2]);
    EXPECT_GE(b[0], lastRight - 1e-9);
    lastRight = b[2];
  }
  const double* w0 = Get(L"2/p0/w0")->GetBounds();
  const double* w1 = Get(L"2/p0/w1")->GetBounds();
  EXPECT_LT(w0[2], w1[0]);  // the trailing space is not part of the word's box
  const double* p0 = Get(L"2/p0")->GetBounds();
  const double* p1 = Get(L"2/p1")->GetBounds();
  EXPECT_LE(p0[3], p1[1] + 1e-9);
  // Every drawable node starts at its own place.
  auto target = QueryAs<IShapeTarget>(Get(L"2/p1"), eIidShapeTarget);
  EXPECT_EQ(target->GetPosition()[0], p1[0]);
  EXPECT_EQ(target->GetPosition()[1], p1[1]);
}

TEST_F(ScreenTree, DocumentLinksGroupItemsAndDrawingOrder) {
  auto member = QueryAs<IDocumentShapeLink>(Get(L"6"), eIidDocumentShape39);
  ASSERT_TRUE(member);
  auto fill = GetSheet(member->GetDocumentShape(), ePropFillSheet);
  EXPECT_EQ(GetInt(fill, ePropFillType), platform::eFillGroup);
  auto related = member->GetRelatedShape();
  ASSERT_TRUE(Supports(related, eIidGroupShape));
  auto items = Items(related, eIidGroupShape);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(GetInt(GetSheet(items[1], ePropFillSheet), ePropFillType), platform::eFillGroup);
  // A top-level shape is related to itself; its sheet carries the fill too.
  auto top = QueryAs<IDocumentShapeLink>(Get(L"2"), eIidShape49);
  EXPECT_EQ(GetInt(GetSheet(top->GetRelatedShape(), ePropFillSheet), ePropFillType),
            platform::eFillSolid);
  auto groupTarget = QueryAs<IShapeTarget>(Get(L"4"), eIidShapeTarget);
  ASSERT_EQ(groupTarget->GetChildCount(), 2u);
  EXPECT_EQ(groupTarget->GetChild(0), Get(L"5"));
  // Look-up and drawing order.
  ASSERT_EQ(screen->TopLevel().size(), 3u);
  EXPECT_EQ(screen->TopLevel()[2]->Name(), L"4");
  ASSERT_EQ(screen->Shapes().size(), 5u);
  EXPECT_EQ(screen->Shapes()[3]->Name(), L"5");
  EXPECT_FALSE(screen->Find(L"nope"));
  EXPECT_TRUE(screen->FindShape(L"6"));
  EXPECT_FALSE(screen->FindShape(L"2/text"));
}

TEST(ScreenMedia, MediaShapesGetMediaObjects) {
  auto slide = boost::make_shared<platform::Slide>();
  slide->AddShape(L"8").SetBounds(0, 0, 10, 10).SetMedia(platform::MediaKind::Video);
  auto screen = SlideScreen::Build(slide);
  auto shape = screen->FindShape(L"8");
  ASSERT_TRUE(shape->Media() && shape->Player());
  EXPECT_EQ(screen->MediaFor(L"8"), shape->Media());
  const boost::shared_ptr<IScreenObject> media = shape->Media(), player = shape->Player();
  EXPECT_TRUE(QueryAs<IMediaScreenObject>(media, eIidMediaScreenObject)->GetMediaSheet());
  QueryAs<IVideoPlayer>(player, eIidVideoPlayer)->SetStartTime(250);
  EXPECT_EQ(shape->Player()->StartTime(), 250);
  // A sound without a shape gets an object of its own, the same every time.
  EXPECT_EQ(screen->MediaFor(L"snd"), screen->MediaFor(L"snd"));
}

using namespace platform;

// Every character 10 units wide; ascent 8, descent 2.
class FixedMeasurer : public ITextMeasurer {
 public:
  void Advances(const std::wstring& text, const CharProps&, std::vector<double>& out) override {
    out.assign(text.size(), 10.0);
  }
  FontMetrics Metrics(const CharProps&) override { return FontMetrics{8.0, 2.0}; }
};

TextBody Body(const std::vector<std::wstring>& paragraphs) {
  TextBody body;
  body.insetLeft = body.insetRight = body.insetTop = body.insetBottom = 0.0;
  for (const auto& text : paragraphs) {
    Paragraph p;
    if (!text.empty()) p.runs.push_back(TextRun{text, CharProps()});
    body.paragraphs.push_back(p);
  }
  return body;
}

const double kBox[4] = {0, 0, 100, 100};
using Doubles = std::vector<double>;

// A line's top, baseline and bottom; a letter's line, x and advance.
Doubles Line(const LinePlace& l) {
  return {l.top, l.baseline, l.bottom};
}
Doubles Letter(const LetterPlace& l) {
  return {double(l.line), l.x, l.advance};
}

TEST(TextLayout, WrapsAtWordsAndBreaksLongWords) {
  FixedMeasurer m;
  // "aaa bbb ccc": words of 30 plus a space; the box holds 10 characters.
  TextPlace place = LayoutText(Body({L"aaa bbb ccc"}), kBox, m);
  const ParagraphPlace& p = place.paragraphs[0];
  ASSERT_EQ(p.lines.size(), 2u);
  EXPECT_EQ(Letter(p.letters[8]), (Doubles{1, 0, 10}));  // "ccc" moves down
  EXPECT_EQ(Line(p.lines[0]), (Doubles{0, 8, 10}));
  EXPECT_EQ(Line(p.lines[1]), (Doubles{10, 18, 20}));

  place = LayoutText(Body({L"abcdefghijklmno"}), kBox, m);
  ASSERT_EQ(place.paragraphs[0].lines.size(), 2u);
  EXPECT_EQ(place.paragraphs[0].letters[10].line, 1u);

  TextBody noWrap = Body({L"aaa bbb ccc"});
  noWrap.wrap = false;
  EXPECT_EQ(LayoutText(noWrap, kBox, m).paragraphs[0].lines.size(), 1u);
}

TEST(TextLayout, AlignmentAnchorAndSpacing) {
  FixedMeasurer m;
  struct Case {
    TextAlign align;
    TextAnchor anchor;
    double left, top;
  } cases[] = {{TextAlign::Left, TextAnchor::Top, 0, 0},
               {TextAlign::Centre, TextAnchor::Middle, 35, 45},
               {TextAlign::Right, TextAnchor::Bottom, 70, 90}};
  for (const Case& c : cases) {
    TextBody body = Body({L"abc"});
    body.paragraphs[0].align = c.align;
    body.anchor = c.anchor;
    const TextPlace place = LayoutText(body, kBox, m);
    const double* bounds = place.paragraphs[0].bounds;
    EXPECT_EQ(Doubles(bounds, bounds + 4), (Doubles{c.left, c.top, c.left + 30, c.top + 10}));
  }
  TextBody spaced = Body({L"a", L"b"});
  spaced.paragraphs[1].spaceBefore = 6;  // points: 8 slide units
  spaced.paragraphs[1].lineSpacing = 1.5;
  EXPECT_EQ(Line(LayoutText(spaced, kBox, m).paragraphs[1].lines[0]), (Doubles{18, 31, 33}));
  spaced.lineSpacingReduction = 0.2;  // autofit: every line 20% closer
  EXPECT_EQ(Line(LayoutText(spaced, kBox, m).paragraphs[1].lines[0]), (Doubles{16, 26, 28}));
}

TEST(TextLayout, BulletsHangAndBreaksEndLines) {
  FixedMeasurer m;
  TextBody body = Body({L"ab", L""});
  body.paragraphs[0].bullet = L"*";
  body.paragraphs[0].marginLeft = 20;
  body.paragraphs[0].indent = -20;
  body.paragraphs[1].bullet = L"*";  // empty paragraphs show no bullet
  TextPlace place = LayoutText(body, kBox, m);
  EXPECT_TRUE(place.paragraphs[0].hasBullet);
  EXPECT_DOUBLE_EQ(place.paragraphs[0].bulletX, 0.0);
  EXPECT_EQ(Letter(place.paragraphs[0].letters[0]), (Doubles{0, 20, 10}));
  EXPECT_FALSE(place.paragraphs[1].hasBullet);
  EXPECT_EQ(place.paragraphs[1].lines.size(), 1u);

  place = LayoutText(Body({L"ab\vcd\t"}), kBox, m);
  const ParagraphPlace& p = place.paragraphs[0];
  ASSERT_EQ(p.lines.size(), 2u);
  EXPECT_EQ(Letter(p.letters[3]), (Doubles{1, 0, 10}));
  EXPECT_EQ(Letter(p.letters[5]), (Doubles{1, 20, 76}));  // tab to the next inch (96 units)
}

TEST(TextLayout, OverriddenPropertiesAreMeasured) {
  EstimateMeasurer m;
  TextBody body = Body({L"ab"});
  CharProps big;
  big.size = 36;
  const TextPlace normal = LayoutText(body, kBox, m);
  const TextPlace large =
      LayoutText(body, kBox, m, [&](size_t, size_t i) { return i == 0 ? &big : nullptr; });
  EXPECT_NEAR(large.paragraphs[0].letters[0].advance, 2 * normal.paragraphs[0].letters[0].advance,
              1e-9);
  EXPECT_GT(large.paragraphs[0].lines[0].bottom, normal.paragraphs[0].lines[0].bottom);
}

}  // namespace
