#include "screen/TimingTranslator.h"

#include <algorithm>

#include <boost/make_shared.hpp>

#include "agents/AudioEffectAgent.h"
#include "agents/AutoReverseAgent.h"
#include "agents/PersistentAgent.h"
#include "agents/RepeatAgent.h"
#include "host/Properties.h"
#include "screen/AgentSelection.h"
#include "screen/EffectAgentFactory.h"
#include "screen/ScreenAnimation.h"

namespace {

const uint32_t kIndefinite = 0xFFFFFFFFu;
// Sub-animation triggers and starts.
const int kTriggerNextClick = 2;
const int kStartWholeEffect = 2;
const int kStartAfterMain = 1;
const int kDefaultSubStart = 12;

std::wstring NameOf(const boost::shared_ptr<IScreenObject>& object) {
  std::wstring name;
  if (object) object->GetName(name);
  return name;
}

// The paragraphs of a text element.
boost::shared_ptr<IItemList> ParagraphsOf(const boost::shared_ptr<IScreenObject>& text) {
  if (boost::shared_ptr<IItemList> items = QueryAs<IItemList>(text, eIidTextBody19)) return items;
  return QueryAs<IItemList>(text, eIidParagraphList);
}

// The units of a paragraph (words or letters), or the letters of a word.
boost::shared_ptr<IItemList> UnitsOf(const boost::shared_ptr<IScreenObject>& element) {
  if (boost::shared_ptr<IItemList> items = QueryAs<IItemList>(element, eIidParagraphList))
    return items;
  return QueryAs<IItemList>(element, eIidRunGroup);
}

template <class Visit>
void ForEachItem(const boost::shared_ptr<IItemList>& items, Visit visit) {
  if (!items) return;
  const uint32_t count = items->GetItemCount();
  for (uint32_t i = 0; i < count; ++i)
    if (boost::shared_ptr<IScreenObject> item = items->GetItem(i)) visit(i, item);
}

void MarkSeparate(const boost::shared_ptr<IScreenObject>& element) {
  if (boost::shared_ptr<ISeparable> separable = QueryAs<ISeparable>(element, eIidSeparable))
    separable->MarkSeparate();
}

bool StartsWithBlank(const std::wstring& text) {
  return !text.empty() && (text[0] == L' ' || text[0] == L'\t');
}

}  // namespace

TimingTranslator::TimingTranslator(ScreenAnimation& owner, const Settings& settings)
    : owner_(owner),
      settings_(settings),
      length_(owner.EffectLength()),
      background_(GetBool(owner.Effect(), ePropAnimateBackground)),
      wholeText_(GetBool(owner.Effect(), ePropWholeText)) {}

bool TimingTranslator::InRange(uint32_t index) const {
  const int64_t i = index;
  return settings_.first <= i && i <= settings_.last;
}

void TimingTranslator::ChooseTarget(const boost::shared_ptr<IScreenObject>& node) {
  if (targetChosen_) return;
  targetChosen_ = true;
  owner_.currentTarget_ = node;
}

void TimingTranslator::MarkParagraphs(const boost::shared_ptr<IScreenObject>& text) {
  ForEachItem(ParagraphsOf(text), [this](uint32_t k, const boost::shared_ptr<IScreenObject>& p) {
    if (settings_.byParagraph && !InRange(k)) return;
    MarkSeparate(p);
    if (settings_.iterateType == 2)
      ForEachItem(UnitsOf(p), [](uint32_t, const boost::shared_ptr<IScreenObject>& unit) {
        MarkSeparate(unit);
      });
  });
}

void TimingTranslator::MarkIteratedUnits(const boost::shared_ptr<IScreenObject>& target) {
  const bool iterated = settings_.iterateType >= 1;
  if (boost::shared_ptr<IShapeTarget> shape = QueryAs<IShapeTarget>(target, eIidShapeTarget)) {
    if (background_) return;
    for (uint32_t i = 0; i < shape->GetChildCount(); ++i) {
      boost::shared_ptr<IScreenObject> child = shape->GetChild(i);
      if (!Supports(child, eIidParagraphList)) continue;
      if (iterated)
        MarkParagraphs(child);
      else if (settings_.byParagraph)
        MarkSeparate(child);
    }
  } else if (iterated && Supports(target, eIidTextBody17)) {
    MarkParagraphs(target);
  }
}

// A colour change makes a part count as a shape even when the host has not
// flagged it as one.
bool TimingTranslator::ShapeTest(const boost::shared_ptr<IScreenObject>& child) {
  shapeTestMade_ = true;
  boost::shared_ptr<IShapeTarget> shape = QueryAs<IShapeTarget>(child, eIidShapeTarget);
  shapeTestPassed_ = true;
  if (shape && shape->GetShapeFlag()) return true;
  const auto& behaviours =
      Supports(child, eIidTextRun) ? owner_.textBehaviours_ : owner_.shapeBehaviours_;
  for (const boost::shared_ptr<IBehaviourNode>& node : behaviours) {
    if (node && node->GetKind() == eBehaviourColor) {
      if (shape) shape->SetShapeFlag(true);
      return true;
    }
  }
  shapeTestPassed_ = false;
  return false;
}

void TimingTranslator::TranslateTimingTree(const boost::shared_ptr<IScreenObject>& target) {
  if (Supports(target, eIidSingleTarget) || !Supports(target, eIidChildList)) {
    ChooseTarget(target);
    bool unused = false;
    TranslateEffectForTarget(target, 0, true, unused);
    return;
  }
  boost::shared_ptr<IChildList> children = QueryAs<IChildList>(target, eIidChildList);
  const std::wstring mark = GetString(owner_.Effect(), ePropAnimationMark);
  const bool iterating = owner_.textIterationActive_;
  bool soundFlag = false;
  boost::shared_ptr<IScreenObject> lastShapeChild;
  for (uint32_t i = 0; i < children->GetChildCount(); ++i) {
    boost::shared_ptr<IScreenObject> child = children->GetChild(i);
    if (!child) continue;
    if (Supports(child, eIidParagraphList) || Supports(child, eIidTextBody19)) {
      if (background_) continue;
      TranslateText(child);
      // The text carries the sound that its shape would otherwise start.
      if (soundFlag && !settings_.byParagraph) {
        RemoveAudioAgents(lastShapeChild);
        soundFlag = false;
      }
      continue;
    }
    if (!mark.empty()) {
      if (NameOf(child) != mark) continue;
      ChooseTarget(child);
      bool unused = false;
      TranslateEffectForTarget(child, 0, true, unused);
      continue;
    }
    if (Has(child, ePropIsBackground) && GetBool(child, ePropIsBackground) != background_) continue;
    if (settings_.byParagraph && Has(child, ePropParagraphIndex) &&
        !InRange(static_cast<uint32_t>(GetInt(child, ePropParagraphIndex))))
      continue;
    // With iterated text, the shape part plays first only when it shows.
    if (iterating && !background_ && (settings_.byParagraph || wholeText_ || !ShapeTest(child)))
      continue;
    if (!targetChosen_) {
      if (settings_.byParagraph || background_ || !iterating) {
        ChooseTarget(child);
        if (!iterating) owner_.currentTargetName_ = NameOf(child);
      } else {
        ChooseTarget(target);
      }
    }
    TranslateEffectForTarget(child, 0, true, soundFlag);
    lastShapeChild = child;
  }
}

void TimingTranslator::RemoveAudioAgents(const boost::shared_ptr<IScreenObject>& node) {
  if (!node) return;
  AgentMap& map = Supports(node, eIidTextRun) ? owner_.textAgents_ : owner_.shapeAgents_;
  auto it = map.find(NameOf(node));
  if (it == map.end()) return;
  auto& agents = it->second;
  agents.erase(std::remove_if(agents.begin(), agents.end(),
                              [](const boost::shared_ptr<EffectAgent>& agent) {
                                return Supports(LookThrough(agent), eIidAudioAgent);
                              }),
               agents.end());
}

// Units start an interval apart; a shape that shows is animated for one
// effect length before its text.
void TimingTranslator::TranslateText(const boost::shared_ptr<IScreenObject>& child) {
  boost::shared_ptr<IItemList> paragraphs = ParagraphsOf(child);
  bool firstUnit = true;
  bool soundRecord = true;
  auto translate = [&](const boost::shared_ptr<IScreenObject>& unit, uint32_t start) {
    const bool allowSound = firstUnit && soundRecord;
    if (firstUnit) ChooseTarget(unit);
    firstUnit = false;
    bool unused = false;
    TranslateEffectForTarget(unit, start, allowSound, unused);
  };

  if (settings_.iterateType == 0) {
    if (!settings_.byParagraph) {
      translate(child, 0);
      return;
    }
    ForEachItem(paragraphs, [&](uint32_t k, const boost::shared_ptr<IScreenObject>& p) {
      if (InRange(k)) translate(p, 0);
    });
    return;
  }

  const uint32_t d = length_;
  const uint32_t raw = settings_.interval;
  const uint32_t scaled = ScreenAnimation::PercentOf(raw, d);
  const uint32_t interval = settings_.intervalIsPercent ? scaled : raw;
  uint32_t unitStart = 0;
  uint32_t runStart = 0;
  bool recordOffsets = true;
  if (!settings_.byParagraph && !wholeText_ && owner_.textIterationActive_ &&
      (!shapeTestMade_ || shapeTestPassed_) && scaled != 0) {
    recordOffsets = false;
    soundRecord = false;
    unitStart = runStart = d;
  }
  std::vector<uint32_t>& offsets = owner_.soundStartOffsets_;

  ForEachItem(paragraphs, [&](uint32_t k, const boost::shared_ptr<IScreenObject>& p) {
    if (settings_.byParagraph && !InRange(k)) return;
    if (settings_.byParagraph && !wholeText_) unitStart = runStart = 0;
    boost::shared_ptr<IItemList> units = UnitsOf(p);
    if (settings_.iterateType == 1) {
      if (!Supports(p, eIidTextRun)) {
        ForEachItem(units, [&](uint32_t, const boost::shared_ptr<IScreenObject>& unit) {
          if (recordOffsets) offsets.push_back(runStart);
          translate(unit, runStart);
          runStart += interval;
        });
        return;
      }
      // A run list gives how many units each word covers.
      const int words = GetInt(p, ePropWordCount);
      boost::shared_ptr<PropertySheetList> runs = GetSheetList(p, ePropRunList);
      const uint32_t unitCount = units ? units->GetItemCount() : 0;
      uint32_t next = 0;
      for (int j = 0; j < words; ++j) {
        uint32_t length = 0;
        if (runs && static_cast<size_t>(j) < runs->GetCount())
          length = static_cast<uint32_t>(std::max(0, GetInt(runs->GetItem(j), ePropRunLength)));
        bool first = true;
        for (uint32_t n = 0; n < length && next < unitCount; ++n) {
          boost::shared_ptr<IScreenObject> unit = units->GetItem(next++);
          if (!unit) continue;
          if (first && recordOffsets) offsets.push_back(runStart);
          first = false;
          translate(unit, runStart);
        }
        runStart += interval;
      }
      return;
    }
    // By letter: blanks are animated with the letter before them.
    ForEachItem(units, [&](uint32_t, const boost::shared_ptr<IScreenObject>& unit) {
      if (!Supports(unit, eIidTextRun)) {
        ForEachItem(UnitsOf(unit), [&](uint32_t, const boost::shared_ptr<IScreenObject>& letter) {
          translate(letter, unitStart);
          if (GetBool(letter, ePropNoTimeStep)) return;
          if (recordOffsets) offsets.push_back(unitStart);
          unitStart += interval;
        });
        return;
      }
      if (StartsWithBlank(GetString(unit, ePropText))) return;
      translate(unit, unitStart);
      if (recordOffsets) offsets.push_back(unitStart);
      unitStart += interval;
    });
  });
}

uint32_t TimingTranslator::NextClickStart() const {
  const uint64_t effectEnd = static_cast<uint64_t>(owner_.startTime_) + owner_.GetDuration();
  uint64_t click = effectEnd;
  if (!owner_.steps_.empty()) {
    click = owner_.steps_.back().endTime;
    for (const AnimationStep& step : owner_.steps_) {
      if (step.endTime >= effectEnd) {
        click = step.endTime;
        break;
      }
    }
  }
  // One frame after the click; a click that never comes never starts it.
  const uint64_t start =
      click - std::min<uint64_t>(click, owner_.startTime_) + owner_.FrameLength();
  return static_cast<uint32_t>(std::min<uint64_t>(start, kIndefinite));
}

void TimingTranslator::TranslateEffectForTarget(const boost::shared_ptr<IScreenObject>& node,
                                                uint32_t start, bool allowSound, bool& soundFlag) {
  owner_.WriteEffectRecord();
  const bool text = Supports(node, eIidTextRun);
  const auto& behaviours = text ? owner_.textBehaviours_ : owner_.shapeBehaviours_;
  const auto& durations = text ? owner_.textDurations_ : owner_.shapeDurations_;
  const auto& subs = text ? owner_.textSubAnimations_ : owner_.shapeSubAnimations_;
  const auto& subDurations = text ? owner_.textSubDurations_ : owner_.shapeSubDurations_;
  std::vector<boost::shared_ptr<EffectAgent>>& filed =
      (text ? owner_.textAgents_ : owner_.shapeAgents_)[NameOf(node)];

  const boost::shared_ptr<IInterface> effect = owner_.Effect();
  const boost::shared_ptr<PublishContext>& context = owner_.context_;
  const uint32_t whole = owner_.GetDuration();  // P
  const uint32_t repeat = owner_.repeatCount_.Get();
  const bool reverseEffect = GetBool(effect, ePropAutoReverse);
  uint32_t total = length_;

  auto durationAt = [](const std::vector<uint32_t>& list, size_t k) {
    Optional<uint32_t> d;
    if (k < list.size()) d.Set(list[k]);
    return d;
  };

  for (size_t k = 0; k < behaviours.size(); ++k) {
    const boost::shared_ptr<IBehaviourNode>& behaviour = behaviours[k];
    const boost::shared_ptr<IInterface> b = behaviour;
    owner_.WriteBehaviourRecord(behaviour, durationAt(durations, k));
    const uint32_t dur = static_cast<uint32_t>(GetInt(b, ePropDuration));
    const uint32_t delay = static_cast<uint32_t>(GetInt(b, ePropDelay));
    // An indefinite behaviour keeps the effect's agents drawing after its end.
    if (dur == kIndefinite) SetInt(effect, ePropFill, 2);
    uint32_t one = owner_.baseDuration_.Get();
    boost::shared_ptr<EffectAgent> agent = CreateEffectAgent(effect, context, behaviour);
    if (!agent) continue;
    agent->SetPresetClass(owner_.presetClassCell_);
    agent->SetTiming(start + delay, dur);

    if (reverseEffect) {
      agent = boost::make_shared<AutoReverseAgent>(agent, one, 0, 0);
      one *= 2;  // wraps past the clock's range, as the effect's length does
    } else if (GetBool(b, ePropAutoReverse)) {
      agent = boost::make_shared<AutoReverseAgent>(agent, 0, 0);
    }

    bool hold = false;
    uint32_t holdUntil = whole;
    if (GetInt(b, ePropFill) == 2) {
      hold = true;
      holdUntil = kIndefinite;
    } else {
      switch (behaviour->GetKind()) {
        case eBehaviourSet:
          hold = GetInt(effect, ePropPresetClass) != 2;  // emphasis sets do not stay
          break;
        case eBehaviourProperty:
          hold = GetInt(b, ePropAttribute) != 9;
          break;
        case eBehaviourMotion:
        case eBehaviourRotation:
        case eBehaviourScale:
          hold = true;
          break;
        default:
          break;
      }
    }
    if (hold) agent = boost::make_shared<PersistentAgent>(agent, holdUntil);

    if (repeat > 1 && repeat < kIndefinite) {
      agent = boost::make_shared<RepeatAgent>(agent, repeat, one, 0, 0);
      one *= repeat;
      agent->SetTiming(0, whole);
    }
    total = std::max(total, one);
    agent->PrepareAction(node);
    filed.push_back(agent);
  }

  uint32_t subDur = 0;
  for (size_t k = 0; k < subs.size(); ++k) {
    const boost::shared_ptr<IBehaviourNode>& sub = subs[k];
    const boost::shared_ptr<IInterface> s = sub;
    owner_.WriteBehaviourRecord(sub, durationAt(subDurations, k));
    int trigger = Has(s, ePropSubAnimTrigger) ? GetInt(s, ePropSubAnimTrigger) : 0;
    if (Has(s, ePropDuration)) subDur = static_cast<uint32_t>(GetInt(s, ePropDuration));
    int subStart = Has(s, ePropSubAnimStart) ? GetInt(s, ePropSubAnimStart) : kDefaultSubStart;
    // A click sub-animation that the build turned into a follow-up plays after
    // the main behaviours.
    if (Has(s, ePropWaitsForClick) && GetBool(s, ePropWaitsForClick) &&
        trigger == kTriggerNextClick) {
      trigger = 0;
      subStart = kStartAfterMain;
    }
    boost::shared_ptr<EffectAgent> agent = CreateEffectAgent(effect, context, sub);
    if (!agent) continue;
    if (sub->GetKind() == eBehaviourAudio && allowSound) {
      soundFlag = true;
      if (!owner_.soundRecordWritten_) {
        owner_.WriteSoundRecord(agent);
        owner_.soundRecordWritten_ = true;
      }
    }
    agent->SetPresetClass(owner_.presetClassCell_);
    if (trigger == kTriggerNextClick)
      agent->SetTiming(NextClickStart(), subDur);
    else if (trigger == 0 && subStart == kStartWholeEffect)
      agent->SetTiming(0, whole);
    else if (trigger == 0 && subStart == kStartAfterMain)
      agent->SetTiming(total, subDur);
    else
      agent->SetTiming(length_ + start, subDur);
    agent = boost::make_shared<PersistentAgent>(agent, kIndefinite);
    agent->PrepareAction(node);
    filed.push_back(agent);
  }
  owner_.FinishEffectRecord();
}
