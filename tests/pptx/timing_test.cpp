// The timing tree read into effects: a few decks of many effects, checked on
// the keys the animation library reads.
#include "DeckFixture.h"

using namespace testdeck;

namespace {

// Preset classes and node types by code, and repeat counts in thousandths
// (an endless one has an end condition), read from one main sequence.
TEST(TimingReader, PresetClassesNodeTypesAndRepeatCounts) {
  const struct {
    const char* presetClass;
    const char* nodeType;
    const char* attrs;
    const char* read;  // class and node type codes, repeat count
    int endKind;       // 371 of the end condition, 0 when there is none
  } rows[] = {
      {"entr", "clickEffect", "", "0 0 1", 0},
      {"exit", "withEffect", R"(repeatCount="2000")", "1 1 2000", 0},
      {"emph", "afterEffect", R"(repeatCount="2500")", "2 2 2500", 0},
      {"path", "clickEffect", R"(repeatCount="indefinite")", "3 0 -1", 12},
      {"verb", "withEffect", R"(repeatCount="500")", "4 1 1", 0},
      {"emph", "afterEffect", R"(repeatCount="99999999999")", "2 2 1000000", 0},
      {"emph", "clickEffect", R"(repeatCount="often")", "2 0 1", 0},
  };
  std::vector<x::Effect> effects;
  for (const auto& row : rows) {
    effects.push_back(
        MakeEffect(row.presetClass, row.nodeType, x::Rotate(x::ShapeTarget(2), 60000, 500)));
    effects.back().attrs = row.attrs;
    effects.back().presetId = 10;
    effects.back().presetSubtype = 4;
  }
  pptx::Diagnostics diag;
  auto slide = ReadSlide("preset_classes", TextShape(2, 1), MainSequence(effects), diag);
  EXPECT_EQ(Warned(diag),
            "invalid repeat count x1, repeat count below one x1, repeat count too large x1");
  ASSERT_EQ(slide->Effects()->Effects().size(), 7u);
  for (size_t i = 0; i < 7; ++i) {
    auto e = EffectAt(slide, i);
    EXPECT_EQ(Keys(e, {ePropPresetClass, ePropNodeType, ePropRepeatCount}), rows[i].read) << i;
    EXPECT_EQ(
        std::make_tuple(e->presetId, e->presetSubtype, e->GetTargetId(), !e->GetTriggerCondition()),
        std::make_tuple(10, 4, std::wstring(L"2"), true))
        << i;
    // No list at all without an end condition.
    auto ends = GetSheetList(boost::shared_ptr<IInterface>(e), ePropSubEffects);
    const int end = !ends                   ? 0
                    : ends->GetCount() == 1 ? GetInt(ends->GetItem(0), ePropSubAnimStart)
                                            : -1;
    EXPECT_EQ(end, rows[i].endKind) << i;
  }
}

// Durations, delays and the effect's own length, the longest delay plus
// duration; an effect's delay is its own node's, not its group's offset.
// Easing, reversing and fill on the effect and its behaviour; iteration by
// letter (a share of the effect) or by word (a time).
TEST(TimingReader, DurationsDelaysEasingIterationAndBadTimes) {
  std::string target = x::ShapeTarget(2);
  x::Effect timed =
      MakeEffect("entr", "clickEffect",
                 x::Set(target, "style.visibility", "visible", 0, 1) +
                     x::Anim(target, "ppt_x", 700, "calcmode=\"lin\" valueType=\"num\"",
                             x::Tav("0", "#ppt_x") + x::Tav("100000", "#ppt_x")) +
                     x::Set(target, "style.opacity", "0.5", 400, 500));
  timed.length = 900;
  x::Effect after = MakeEffect("emph", "afterEffect", x::Rotate(target, 21600000, 1000));
  after.delay = 250;  // the writer also puts 900 on the after-group container
  std::string endless = x::Anim(target, "ppt_y", 0, "by=\"0.1\"");
  endless.replace(endless.find("dur=\"0\""), 7, "dur=\"indefinite\"");
  x::Effect eased =
      MakeEffect("emph", "clickEffect",
                 x::Anim(target, "ppt_w", 500, "by=\"0.1\"", "",
                         R"(accel="20000" decel="80000" autoRev="1" fill="freeze" spd="-100000")"));
  eased.attrs = R"(accel="50000" decel="50000" autoRev="1")";
  x::Effect letters = MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 500));
  letters.iterate = R"(<p:iterate type="lt"><p:tmPct val="10000"/></p:iterate>)";
  x::Effect words = MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 500));
  words.iterate = R"(<p:iterate type="wd"><p:tmAbs val="250"/></p:iterate>)";
  // Bad time values skip their behaviour, or their effect.
  std::string negative = x::Filter(target, "fade", true, 500);
  negative.replace(negative.find("dur=\"500\""), 9, "dur=\"-500\"");
  std::string soon = x::Filter(target, "fade", true, 500);
  soon.replace(soon.find("dur=\"500\""), 9, "dur=\"soon\"");
  std::string timing = MainSequence(
      {timed, after, MakeEffect("emph", "clickEffect", endless), eased, letters, words,
       MakeEffect("entr", "clickEffect", negative + soon + x::Rotate(target, 60000, 300)),
       MakeEffect("entr", "clickEffect", x::Filter(target, "fade", true, 500))});
  timing.replace(timing.rfind("<p:cond delay=\"0\"/>"), 19, "<p:cond delay=\"x\"/>");
  pptx::Diagnostics diag;
  auto slide = ReadSlide("durations", TextShape(2, 2), timing, diag);
  EXPECT_EQ(Warned(diag), "effect skipped x1, invalid time value x3");
  ASSERT_EQ(slide->Effects()->Effects().size(), 7u);
  EXPECT_EQ(EffectAt(slide, 6)->GetMainBehaviourCount(), 1u);  // only the rotation is left
  auto effect = EffectAt(slide, 0);
  // Behaviour durations and delay, then the two effects' delays.
  EXPECT_EQ(Keys(Main(effect, 0), {ePropDuration}) + ", " + Keys(Main(effect, 1), {ePropDuration}) +
                ", " + Keys(Main(effect, 2), {ePropDelay, ePropDuration}) + ", " +
                Keys(Main(EffectAt(slide, 2), 0), {ePropDuration}) + "; " +
                Keys(effect, {ePropDelay}) + " " + Keys(EffectAt(slide, 1), {ePropDelay}),
            "1, 700, 400 500, -1; 0 250");
  EXPECT_EQ((std::vector<uint32_t>{effect->GetOwnDuration(), EffectAt(slide, 2)->GetOwnDuration()}),
            (std::vector<uint32_t>{900, 0xFFFFFFFFu}));
  // The effect holds (fill 2), the behaviour freezes (fill 1); both reverse.
  EXPECT_EQ(Values(EffectAt(slide, 3), {ePropAccel, ePropDecel, ePropAutoReverse, ePropFill}),
            (Numbers{50000, 50000, 1, 2}));
  EXPECT_EQ(Values(Main(EffectAt(slide, 3), 0),
                   {ePropAccel, ePropDecel, ePropAutoReverse, ePropFill, ePropSpeed306}),
            (Numbers{20000, 80000, 1, 1, -100000}));
  const auto iteration = {ePropIterateType, ePropIteratePercent, ePropIterateTime, ePropFlag325};
  EXPECT_EQ(Keys(EffectAt(slide, 4), iteration) + ", " + Keys(EffectAt(slide, 5), iteration),
            "2 10 - 1, 1 - 250 1");
}

TEST(TimingReader, TextTargetsAndBuilds) {
  auto show = [](const std::string& target, const char* nodeType = "clickEffect") {
    return MakeEffect("entr", nodeType, x::Set(target, "style.visibility", "visible"));
  };
  x::Effect whole = MakeEffect("emph", "clickEffect", x::Rotate(x::ShapeTarget(3), 60000, 500));
  whole.groupId = 1;
  x::Effect attached = MakeEffect("emph", "clickEffect", x::Rotate(x::ShapeTarget(4), 60000, 500));
  attached.groupId = 2;
  std::string builds = x::BuildParagraph(2, 0, "p", true) + x::BuildParagraph(3, 1, "") +
                       x::BuildParagraph(4, 2, "", true);
  pptx::Diagnostics diag;
  auto slide =
      ReadSlide("text_targets", TextShape(2, 3) + TextShape(3, 1) + TextShape(4, 1),
                MainSequence({show(x::BackgroundTarget(2)), show(x::ParagraphTarget(2, 0, 0)),
                              show(x::ParagraphTarget(2, 1, 9), "withEffect"),
                              show(x::ParagraphTarget(2, 5, 6)), whole, attached},
                             builds),
                diag);
  ASSERT_EQ(slide->Effects()->Effects().size(), 5u);  // the range outside the text is skipped
  EXPECT_EQ(diag.Count("paragraph range out of bounds"), 2u);
  // Background; paragraph 0; limited to the last paragraph; built "whole"
  // (the default) without its attached shape: the text alone; with it: the
  // shape animates with its text.
  const char* const expected[] = {"1 - - - -", "- 1 0 0 -", "- 1 1 2 -", "- - - - 1", "- - - - -"};
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(Keys(EffectAt(slide, i), {ePropAnimateBackground, ePropByParagraph,
                                        ePropParagraphFirst, ePropParagraphLast, ePropWholeText}),
              expected[i])
        << i;
}

// One deck: a main sequence whose first effect has sub-animations (an
// after-effect and a sound) and media calls on a video, then a click and a
// bookmark sequence.
TEST(TimingReader, SubAnimationsMediaAndTriggers) {
  x::Effect e = MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(3), "fade", true, 500));
  std::string hide = x::Set(x::ShapeTarget(3), "style.visibility", "hidden");
  hide.insert(hide.find(" fill="), R"( masterRel="nextClick" afterEffect="1")");
  e.subTnLst = hide + x::EffectSound("rIdSound", "chime.wav", 50000);
  x::Effect play = MakeEffect("mediacall", "clickEffect", x::PlayMedia(4, 12000, 1.5));
  x::Effect pause =
      MakeEffect("mediacall", "clickEffect",
                 R"(<p:cmd type="call" cmd="togglePause"><p:cBhvr><p:cTn id="#" dur="1"/>)" +
                     x::ShapeTarget(4) + "</p:cBhvr></p:cmd>");
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& s = writer.AddSlide();
  s.shapes = TextShape(2, 1) + TextShape(3, 1) +
             x::Media(4, "Clip", true, 100, 100, 320, 180, "rIdVideo", "rIdPoster", 500, 250,
                      {{"Intro", 1000}, {"Chorus", 9000}});
  s.timing = x::Timing(
      {x::Sequence{x::ClickCondition(3),
                   {MakeEffect("entr", "clickEffect",
                               x::Set(x::ShapeTarget(2), "style.visibility", "visible")),
                    MakeEffect("emph", "withEffect", x::Rotate(x::ShapeTarget(2), 60000, 500))}},
       x::Sequence{"", {e, play, pause}},
       x::Sequence{
           x::BookmarkCondition(4, "Chorus"),
           {MakeEffect("exit", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", false, 500))}}},
      "", x::MediaNode(4, true, 80000, "indefinite"));
  s.relationships.push_back({"rIdSound", "audio", "../media/chime.wav", false});
  writer.AddPart("ppt/media/chime.wav", "RIFF", "audio/wav");
  pptx::Diagnostics diag;
  auto slide = Read("sub_animations", writer, diag).slides.at(0);
  // Pausing has no place on the timeline; the video's parts are not there.
  EXPECT_EQ(Warned(diag), "dangling relationship x2, media command not animated x1");
  ASSERT_EQ(slide->Effects()->Effects().size(), 5u);

  auto effect = EffectAt(slide, 0);
  ASSERT_EQ(effect->GetSubAnimationCount(), 2u);
  auto sub = [&](uint32_t i) {
    return boost::static_pointer_cast<platform::BehaviourNode>(effect->GetSubAnimation(i));
  };
  EXPECT_EQ(Keys(sub(0), {ePropSubAnimTrigger, ePropSubAnimStart, ePropDuration}), "2 1 1");
  auto sound = sub(1);
  EXPECT_EQ(sound->GetKind(), static_cast<uint32_t>(eBehaviourAudio));
  // Plays along the whole effect, at half volume.
  EXPECT_EQ(Keys(sound, {ePropSubAnimStart, ePropDuration, ePropMediaValue304}), "2 - 0.5");
  // The sound agent finds the part it plays on the sheet.
  EXPECT_EQ(platform::ToUtf8(sound->sound.name) + " " + sound->sound.partName + " " +
                Text(sound->Sheet(), ePropSoundPart),
            "chime.wav ppt/media/chime.wav ppt/media/chime.wav");

  // Playing: class 5, 12 s long, from 1.5 s in.
  EXPECT_EQ(Keys(EffectAt(slide, 1), {ePropPresetClass, ePropMediaDuration, ePropMediaStart}),
            "5 12000 1.5");
  auto shape = slide->FindShape(L"4");
  ASSERT_TRUE(shape && shape->Media() == platform::MediaKind::Video);
  auto bookmarks = GetSheetList(boost::shared_ptr<IInterface>(shape), ePropBookmarks);
  ASSERT_TRUE(bookmarks && bookmarks->GetCount() == 2u);
  // Its trims and second bookmark.
  EXPECT_EQ(Keys(shape, {ePropMediaTrimStart, ePropMediaTrimEnd}) + ", " +
                Text(bookmarks->GetItem(1), ePropBookmarkName) + " " +
                Keys(bookmarks->GetItem(1), {ePropBookmarkTime}),
            "500 250, Chorus 9000");
  auto video = slide->Effects()->FindVideo(L"4");
  ASSERT_TRUE(slide->Effects()->Videos().size() == 1u && video);
  // At 80 % volume, looping until stopped.
  EXPECT_EQ(Keys(video, {ePropMediaValue304, ePropMediaValue351, ePropMediaRepeatCount}),
            "0.8 1 -1");

  // The main sequence first, then one trigger object per sequence: a click
  // (4) on shape 3, a bookmark (11) of shape 4.
  std::vector<std::wstring> triggers;
  for (size_t i = 0; i < 5; ++i) {
    auto c = EffectAt(slide, i)->GetTriggerCondition();
    triggers.push_back(!c ? EffectAt(slide, i)->GetTargetId()
                          : std::to_wstring(c->event.Get()) + L" " + c->target->firstName + L" " +
                                c->target->secondName + (c->target->useFirstName ? L" +" : L""));
  }
  EXPECT_EQ(triggers,
            (std::vector<std::wstring>{L"3", L"4", L"4 3  +", L"4 3  +", L"11 4 Chorus +"}));
  EXPECT_EQ(EffectAt(slide, 2)->GetTriggerCondition(), EffectAt(slide, 3)->GetTriggerCondition());
  EXPECT_NE(EffectAt(slide, 2)->GetTriggerCondition(), EffectAt(slide, 4)->GetTriggerCondition());
}

}  // namespace
