// The timing tree read into effects: one small deck per feature, checked on
// the keys the animation library reads.
#include "DeckFixture.h"

using namespace testdeck;

namespace {

const int kIndefinite = -1;

TEST(TimingReader, PresetClassesNodeTypesAndOrder) {
  std::string target = x::ShapeTarget(2);
  std::vector<x::Effect> effects;
  const struct {
    const char* presetClass;
    const char* nodeType;
    int presetClassCode, nodeTypeCode;
  } rows[] = {{"entr", "clickEffect", 0, 0},
              {"exit", "withEffect", 1, 1},
              {"emph", "afterEffect", 2, 2},
              {"path", "clickEffect", 3, 0},
              {"verb", "withEffect", 4, 1}};
  for (const auto& row : rows) {
    x::Effect e = MakeEffect(row.presetClass, row.nodeType, x::Filter(target, "fade", true, 500));
    e.presetId = 10;
    e.presetSubtype = 4;
    effects.push_back(e);
  }
  pptx::Diagnostics diag;
  auto slide = ReadSlide("preset_classes", TextShape(2, 1), MainSequence(effects), diag);
  ASSERT_EQ(slide->Effects()->Effects().size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    auto effect = EffectAt(slide, i);
    EXPECT_EQ(Int(effect, ePropPresetClass), rows[i].presetClassCode) << rows[i].presetClass;
    EXPECT_EQ(Int(effect, ePropNodeType), rows[i].nodeTypeCode) << rows[i].nodeType;
    EXPECT_EQ(effect->presetId, 10);
    EXPECT_EQ(effect->presetSubtype, 4);
    EXPECT_EQ(effect->GetTargetId(), L"2");
    EXPECT_FALSE(effect->GetTriggerCondition());
  }
  EXPECT_EQ(diag.WarningCount(), 0u);
}

TEST(TimingReader, EffectDelayIsItsOwnNodesNotTheGroupOffset) {
  std::string target = x::ShapeTarget(2);
  x::Effect first = MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 800));
  first.length = 800;
  x::Effect second = MakeEffect("emph", "afterEffect", x::Rotate(target, 21600000, 1000));
  second.delay = 250;  // the writer also puts 800 on the after-group container
  pptx::Diagnostics diag;
  auto slide = ReadSlide("effect_delay", TextShape(2, 1), MainSequence({first, second}), diag);
  EXPECT_EQ(
      (Numbers{Double(EffectAt(slide, 0), ePropDelay), Double(EffectAt(slide, 1), ePropDelay)}),
      (Numbers{0, 250}));
}

TEST(TimingReader, DurationsAndTheEffectsOwnLength) {
  std::string target = x::ShapeTarget(2);
  std::string timed = x::Set(target, "style.visibility", "visible", 0, 1) +
                      x::Anim(target, "ppt_x", 700, "calcmode=\"lin\" valueType=\"num\"",
                              x::Tav("0", "#ppt_x") + x::Tav("100000", "#ppt_x")) +
                      x::Set(target, "style.opacity", "0.5", 400, 500);
  std::string endless = x::Anim(target, "ppt_y", 0, "by=\"0.1\"");
  size_t at = endless.find("dur=\"0\"");
  endless.replace(at, 7, "dur=\"indefinite\"");
  pptx::Diagnostics diag;
  auto slide = ReadSlide("durations", TextShape(2, 1),
                         MainSequence({MakeEffect("entr", "clickEffect", timed),
                                       MakeEffect("emph", "clickEffect", endless)}),
                         diag);
  auto effect = EffectAt(slide, 0);
  EXPECT_EQ((Numbers{Double(Main(effect, 0), ePropDuration), Double(Main(effect, 1), ePropDuration),
                     Double(Main(effect, 2), ePropDelay)}),
            (Numbers{1, 700, 400}));
  EXPECT_EQ(effect->GetOwnDuration(), 900u);  // the longest delay plus duration
  auto indefinite = EffectAt(slide, 1);
  EXPECT_EQ(Int(Main(indefinite, 0), ePropDuration), kIndefinite);
  EXPECT_EQ(indefinite->GetOwnDuration(), 0xFFFFFFFFu);
}

TEST(TimingReader, RepeatCountsInThousandths) {
  const struct {
    const char* attrs;
    int expected;
    const char* warning;  // empty: none
    int endKind;          // 371 of the end condition, 0 when there is none
  } rows[] = {{"", 1, "", 0},
              {"repeatCount=\"2000\"", 2000, "", 0},
              {"repeatCount=\"2500\"", 2500, "", 0},
              {"repeatCount=\"indefinite\"", kIndefinite, "", 12},
              {"repeatCount=\"500\"", 1, "repeat count below one", 0},
              {"repeatCount=\"99999999999\"", 1000000, "repeat count too large", 0},
              {"repeatCount=\"often\"", 1, "invalid repeat count", 0}};
  for (const auto& row : rows) {
    x::Effect e = MakeEffect("emph", "clickEffect", x::Rotate(x::ShapeTarget(2), 60000, 500));
    e.attrs = row.attrs;
    pptx::Diagnostics diag;
    auto slide = ReadSlide("repeat_count", TextShape(2, 1), MainSequence({e}), diag);
    auto effect = EffectAt(slide, 0);
    ASSERT_TRUE(effect) << row.attrs;
    EXPECT_EQ(Int(effect, ePropRepeatCount), row.expected) << row.attrs;
    if (*row.warning) {
      EXPECT_TRUE(diag.Has(row.warning)) << row.attrs;
    } else {
      EXPECT_EQ(diag.WarningCount(), 0u) << row.attrs;
    }
    boost::shared_ptr<PropertySheetList> ends =
        GetSheetList(boost::shared_ptr<IInterface>(effect), ePropSubEffects);
    if (row.endKind) {
      ASSERT_TRUE(ends && ends->GetCount() == 1);
      EXPECT_EQ(GetInt(ends->GetItem(0), ePropSubAnimStart), row.endKind);
    } else {
      EXPECT_FALSE(ends);
    }
  }
}

TEST(TimingReader, EasingReverseAndFillOnEffectsAndBehaviours) {
  std::string target = x::ShapeTarget(2);
  x::Effect e = MakeEffect(
      "emph", "clickEffect",
      x::Anim(target, "ppt_w", 500, "by=\"0.1\"", "",
              "accel=\"20000\" decel=\"80000\" autoRev=\"1\" fill=\"freeze\" spd=\"-100000\""));
  e.attrs = "accel=\"50000\" decel=\"50000\" autoRev=\"1\"";
  pptx::Diagnostics diag;
  auto slide = ReadSlide("easing", TextShape(2, 1), MainSequence({e}), diag);
  auto effect = EffectAt(slide, 0);
  // The effect holds (fill 2), the behaviour freezes (fill 1); both reverse.
  EXPECT_EQ(Values(effect, {ePropAccel, ePropDecel, ePropAutoReverse, ePropFill}),
            (Numbers{50000, 50000, 1, 2}));
  EXPECT_EQ(
      Values(Main(effect, 0), {ePropAccel, ePropDecel, ePropAutoReverse, ePropFill, ePropSpeed306}),
      (Numbers{20000, 80000, 1, 1, -100000}));
}

TEST(TimingReader, IterationByLetterAndWord) {
  std::string target = x::ShapeTarget(2);
  x::Effect letters = MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 500));
  letters.iterate = "<p:iterate type=\"lt\"><p:tmPct val=\"10000\"/></p:iterate>";
  x::Effect words = MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 500));
  words.iterate = "<p:iterate type=\"wd\"><p:tmAbs val=\"250\"/></p:iterate>";
  pptx::Diagnostics diag;
  auto slide = ReadSlide("iterate", TextShape(2, 2), MainSequence({letters, words}), diag);
  auto byLetter = EffectAt(slide, 0);
  EXPECT_EQ(Values(byLetter, {ePropIterateType, ePropIteratePercent}), (Numbers{2, 10}));
  EXPECT_FALSE(HasKey(byLetter, ePropIterateTime));
  EXPECT_TRUE(Bool(byLetter, ePropFlag325));
  auto byWord = EffectAt(slide, 1);
  EXPECT_EQ(Values(byWord, {ePropIterateType, ePropIterateTime}), (Numbers{1, 250}));
  EXPECT_FALSE(HasKey(byWord, ePropIteratePercent));
}

TEST(TimingReader, TextTargetsAndBuilds) {
  x::Effect background = MakeEffect("entr", "clickEffect",
                                    x::Set(x::BackgroundTarget(2), "style.visibility", "visible"));
  x::Effect first = MakeEffect("entr", "clickEffect",
                               x::Set(x::ParagraphTarget(2, 0, 0), "style.visibility", "visible"));
  x::Effect rest = MakeEffect("entr", "withEffect",
                              x::Set(x::ParagraphTarget(2, 1, 9), "style.visibility", "visible"));
  x::Effect outside = MakeEffect(
      "entr", "clickEffect", x::Set(x::ParagraphTarget(2, 5, 6), "style.visibility", "visible"));
  x::Effect whole = MakeEffect("emph", "clickEffect", x::Rotate(x::ShapeTarget(3), 60000, 500));
  whole.groupId = 1;
  x::Effect attached = MakeEffect("emph", "clickEffect", x::Rotate(x::ShapeTarget(4), 60000, 500));
  attached.groupId = 2;
  std::string builds = x::BuildParagraph(2, 0, "p", true) + x::BuildParagraph(3, 1, "") +
                       x::BuildParagraph(4, 2, "", true);
  pptx::Diagnostics diag;
  auto slide =
      ReadSlide("text_targets", TextShape(2, 3) + TextShape(3, 1) + TextShape(4, 1),
                MainSequence({background, first, rest, outside, whole, attached}, builds), diag);
  ASSERT_EQ(slide->Effects()->Effects().size(), 5u);  // the range outside the text is skipped
  auto bg = EffectAt(slide, 0);
  EXPECT_TRUE(Bool(bg, ePropAnimateBackground));
  EXPECT_FALSE(HasKey(bg, ePropByParagraph));
  auto p0 = EffectAt(slide, 1);
  EXPECT_TRUE(Bool(p0, ePropByParagraph));
  EXPECT_EQ(Values(p0, {ePropParagraphFirst, ePropParagraphLast}), (Numbers{0, 0}));
  // Limited to the last paragraph.
  EXPECT_EQ(Values(EffectAt(slide, 2), {ePropParagraphFirst, ePropParagraphLast}), (Numbers{1, 2}));
  EXPECT_EQ(diag.Count("paragraph range out of bounds"), 2u);
  auto asOne = EffectAt(slide, 3);
  // Built "whole" (the default) without its attached shape: the text alone.
  EXPECT_TRUE(Bool(asOne, ePropWholeText));
  EXPECT_FALSE(HasKey(p0, ePropWholeText));
  EXPECT_FALSE(HasKey(EffectAt(slide, 4), ePropWholeText)) << "the shape animates with its text";
}

TEST(TimingReader, SubAnimationsAfterEffectsAndSounds) {
  std::string target = x::ShapeTarget(2);
  x::Effect e = MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 500));
  e.subTnLst =
      "<p:set><p:cBhvr override=\"childStyle\"><p:cTn id=\"#\" dur=\"1\" fill=\"hold\" "
      "masterRel=\"nextClick\" afterEffect=\"1\"/>" +
      target +
      "<p:attrNameLst><p:attrName>style.visibility</p:attrName></p:attrNameLst></p:cBhvr>"
      "<p:to><p:strVal val=\"hidden\"/></p:to></p:set>" +
      x::EffectSound("rIdSound", "chime.wav", 50000);
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& s = writer.AddSlide();
  s.shapes = TextShape(2, 1);
  s.timing = MainSequence({e});
  s.relationships.push_back({"rIdSound", "audio", "../media/chime.wav", false});
  writer.AddPart("ppt/media/chime.wav", "RIFF", "audio/wav");
  pptx::Diagnostics diag;
  pptx::Deck deck = Read("sub_animations", writer, diag);
  auto effect = EffectAt(deck.slides[0], 0);
  ASSERT_EQ(effect->GetSubAnimationCount(), 2u);
  EXPECT_EQ(Values(Sub(effect, 0), {ePropSubAnimTrigger, ePropSubAnimStart, ePropDuration}),
            (Numbers{2, 1, 1}));
  auto sound = Sub(effect, 1);
  EXPECT_EQ(sound->GetKind(), static_cast<uint32_t>(eBehaviourAudio));
  EXPECT_EQ(Int(sound, ePropSubAnimStart), 2);  // plays along the whole effect
  EXPECT_FALSE(HasKey(sound, ePropDuration));
  EXPECT_DOUBLE_EQ(Double(sound, ePropMediaValue304), 0.5);
  EXPECT_EQ(sound->sound.name, L"chime.wav");
  EXPECT_EQ(sound->sound.partName, "ppt/media/chime.wav");
  // The sound agent finds the part it plays on the sheet.
  EXPECT_EQ(GetString(boost::shared_ptr<IInterface>(sound->Sheet()), ePropSoundPart),
            L"ppt/media/chime.wav");
  EXPECT_EQ(diag.WarningCount(), 0u);
}

TEST(TimingReader, InteractiveSequencesShareOneTriggerAndComeAfterTheMainOne) {
  std::string timing = x::Timing(
      {x::Sequence{x::ClickCondition(3),
                   {MakeEffect("entr", "clickEffect",
                               x::Set(x::ShapeTarget(2), "style.visibility", "visible")),
                    MakeEffect("emph", "withEffect", x::Rotate(x::ShapeTarget(2), 60000, 500))}},
       x::Sequence{
           "",
           {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(3), "fade", true, 500))}},
       x::Sequence{
           x::BookmarkCondition(4, "Chorus"),
           {MakeEffect("exit", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", false, 500))}}});
  std::string shapes =
      TextShape(2, 1) + TextShape(3, 1) +
      x::Media(4, "Song", false, 10, 10, 50, 50, "rIdAudio", "rIdPoster", 0, 0, {{"Chorus", 1500}});
  pptx::Diagnostics diag;
  auto slide = ReadSlide("triggers", shapes, timing, diag);
  ASSERT_EQ(slide->Effects()->Effects().size(), 4u);
  EXPECT_FALSE(EffectAt(slide, 0)->GetTriggerCondition());  // the main sequence first
  EXPECT_EQ(EffectAt(slide, 0)->GetTargetId(), L"3");
  auto click = EffectAt(slide, 1)->GetTriggerCondition();
  ASSERT_TRUE(click);
  EXPECT_EQ(click, EffectAt(slide, 2)->GetTriggerCondition());  // one object per sequence
  EXPECT_EQ(click->event.Get(), 4u);
  EXPECT_EQ(click->target->firstName, L"3");
  EXPECT_TRUE(click->target->useFirstName);
  auto bookmark = EffectAt(slide, 3)->GetTriggerCondition();
  ASSERT_TRUE(bookmark);
  EXPECT_NE(bookmark, click);
  EXPECT_EQ(bookmark->event.Get(), 11u);
  EXPECT_EQ(bookmark->target->firstName, L"4");
  EXPECT_EQ(bookmark->target->secondName, L"Chorus");
}

TEST(TimingReader, MediaCallsAndMediaSettings) {
  std::string shapes = x::Media(4, "Clip", true, 100, 100, 320, 180, "rIdVideo", "rIdPoster", 500,
                                250, {{"Intro", 1000}, {"Outro", 9000}});
  x::Effect play = MakeEffect("mediacall", "clickEffect", x::PlayMedia(4, 12000, 1.5));
  x::Effect pause =
      MakeEffect("mediacall", "clickEffect",
                 "<p:cmd type=\"call\" cmd=\"togglePause\"><p:cBhvr><p:cTn id=\"#\" dur=\"1\"/>" +
                     x::ShapeTarget(4) + "</p:cBhvr></p:cmd>");
  std::string timing =
      x::Timing({x::Sequence{"", {play, pause}}}, "", x::MediaNode(4, true, 80000, "indefinite"));
  pptx::Diagnostics diag;
  auto slide = ReadSlide("media", shapes, timing, diag);
  ASSERT_EQ(slide->Effects()->Effects().size(), 1u);  // pausing has no place on the timeline
  EXPECT_EQ(diag.Count("media command not animated"), 1u);
  auto effect = EffectAt(slide, 0);
  EXPECT_EQ(Values(effect, {ePropPresetClass, ePropMediaDuration}), (Numbers{5, 12000}));
  EXPECT_DOUBLE_EQ(Double(effect, ePropMediaStart), 1.5);  // seconds
  auto shape = slide->FindShape(L"4");
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->Media(), platform::MediaKind::Video);
  EXPECT_DOUBLE_EQ(Double(shape, ePropMediaTrimStart), 500.0);
  EXPECT_DOUBLE_EQ(Double(shape, ePropMediaTrimEnd), 250.0);
  boost::shared_ptr<PropertySheetList> bookmarks =
      GetSheetList(boost::shared_ptr<IInterface>(shape), ePropBookmarks);
  ASSERT_TRUE(bookmarks);
  ASSERT_EQ(bookmarks->GetCount(), 2u);
  EXPECT_EQ(platform::ToUtf8(GetString(bookmarks->GetItem(1), ePropBookmarkName)), "Outro");
  EXPECT_DOUBLE_EQ(GetDouble(bookmarks->GetItem(1), ePropBookmarkTime), 9000.0);
  ASSERT_EQ(slide->Effects()->Videos().size(), 1u);
  auto video = slide->Effects()->FindVideo(L"4");
  ASSERT_TRUE(video);
  EXPECT_DOUBLE_EQ(Double(video, ePropMediaValue304), 0.8);
  // Loops until stopped.
  EXPECT_EQ(Values(video, {ePropMediaValue351, ePropMediaRepeatCount}), (Numbers{1, -1}));
}

TEST(TimingReader, BadTimingValuesSkipTheirElement) {
  std::string target = x::ShapeTarget(2);
  std::string negative = x::Filter(target, "fade", true, 500);
  negative.replace(negative.find("dur=\"500\""), 9, "dur=\"-500\"");
  std::string words = x::Filter(target, "fade", true, 500);
  words.replace(words.find("dur=\"500\""), 9, "dur=\"soon\"");
  x::Effect badDelay = MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 500));
  std::string timing = MainSequence(
      {MakeEffect("entr", "clickEffect", negative + words + x::Rotate(target, 60000, 300)),
       badDelay});
  timing.replace(timing.rfind("<p:cond delay=\"0\"/>"), 19, "<p:cond delay=\"x\"/>");
  pptx::Diagnostics diag;
  auto slide = ReadSlide("bad_timing_values", TextShape(2, 1), timing, diag);
  ASSERT_EQ(slide->Effects()->Effects().size(), 1u);
  EXPECT_EQ(EffectAt(slide, 0)->GetMainBehaviourCount(), 1u);  // only the rotation is left
  EXPECT_EQ(diag.Count("invalid time value"), 3u);
  EXPECT_EQ(diag.Count("effect skipped"), 1u);
}

}  // namespace
