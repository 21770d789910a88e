#include "screen/ScreenAnimation.h"

#include <algorithm>
#include <cmath>

#include <boost/make_shared.hpp>

#include "agents/AudioEffectAgent.h"
#include "agents/SetEffectAgent.h"
#include "host/Properties.h"
#include "screen/AgentSelection.h"
#include "screen/EffectAgentFactory.h"
#include "screen/FrameClock.h"
#include "screen/TimingTranslator.h"
#include "screen/WebRecordWriter.h"

namespace {

const uint32_t kIndefinite = 0xFFFFFFFFu;

std::wstring NameOf(const boost::shared_ptr<IScreenObject>& object) {
  std::wstring name;
  if (object) object->GetName(name);
  return name;
}

bool InRange(int32_t index, int32_t first, int32_t last) {
  return first <= index && index <= last;
}

}  // namespace

ScreenAnimation::ScreenAnimation(const boost::shared_ptr<IAnimationEffect>& effect,
                                 const boost::shared_ptr<PublishContext>& context)
    : effectNode_(effect),
      presetClassCell_(boost::make_shared<PresetClassCell>()),
      context_(context) {
  const boost::shared_ptr<IInterface> e = effect;
  presetClassCell_->Set(static_cast<uint32_t>(GetInt(e, ePropPresetClass)));
  if (!effect) return;

  // Each behaviour is classified by the agent it would get; behaviours
  // without an agent drop out of the effect.
  auto classify = [&](const boost::shared_ptr<IBehaviourNode>& node, bool sub) {
    boost::shared_ptr<EffectAgent> agent = CreateEffectAgent(e, context_, node);
    if (!agent) return;
    const bool shape = agent->AppliesToShape() != 0;
    if (Has(node, ePropDuration)) {
      std::vector<uint32_t>& durations = sub ? (shape ? shapeSubDurations_ : textSubDurations_)
                                             : (shape ? shapeDurations_ : textDurations_);
      durations.push_back(static_cast<uint32_t>(GetInt(node, ePropDuration)));
    }
    if (sub) {
      (shape ? shapeSubAnimations_ : textSubAnimations_).push_back(node);
      if (node->GetKind() == eBehaviourAudio) hasSound_ = true;
    } else {
      (shape ? shapeBehaviours_ : textBehaviours_).push_back(node);
    }
  };
  for (uint32_t i = 0; i < effect->GetMainBehaviourCount(); ++i)
    classify(effect->GetMainBehaviour(i), false);
  for (uint32_t i = 0; i < effect->GetSubAnimationCount(); ++i)
    classify(effect->GetSubAnimation(i), true);

  SetInt(e, ePropMinimumLength, static_cast<int>(DefaultLength()));

  // Given in thousandths; 1 and indefinite stand as they are. An effect that
  // gives no count plays once.
  uint32_t repeat =
      Has(e, ePropRepeatCount) ? static_cast<uint32_t>(GetInt(e, ePropRepeatCount)) : 1;
  if (repeat != 1 && repeat != kIndefinite) repeat /= 1000;
  repeatCount_.Set(repeat);

  const bool text = !textBehaviours_.empty() || !textSubAnimations_.empty();
  const bool shape = !shapeBehaviours_.empty() || !shapeSubAnimations_.empty();
  targetMode_ = text && shape ? 2 : (shape ? 1 : 0);
}

ScreenAnimation::~ScreenAnimation() = default;

bool ScreenAnimation::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                     EInterfaceId id) {
  if (id != eIidScreenAnimation) return false;
  return AnswerInterface<ScreenAnimation>(this, out, sharesOwner);
}

uint32_t ScreenAnimation::DefaultLength() const {
  if (!context_) return 0;
  return frame_clock::DefaultLength(context_->DefaultEffectFrames(), context_->FrameRate());
}

uint32_t ScreenAnimation::FrameLength() const {
  if (!context_) return 0;
  return frame_clock::FrameLength(context_->FrameRate());
}

uint32_t ScreenAnimation::EffectLength() const {
  if (!effectNode_) return 0;
  const uint32_t minimum = DefaultLength();
  uint32_t d = effectNode_->GetOwnDuration();
  if (d == kIndefinite || (d > 0 && d < minimum)) d = minimum;
  return d;
}

uint32_t ScreenAnimation::PercentOf(double percent, uint32_t length) {
  const double value = std::trunc(percent / 100.0 * length);
  if (!(value > 0.0)) return 0;
  return value >= 4294967295.0 ? kIndefinite : static_cast<uint32_t>(value);
}

int32_t ScreenAnimation::IterateType() const {
  const int32_t type = GetInt(Effect(), ePropIterateType);
  return type == 1 || type == 2 ? type : 0;
}

// One pass over the target: the effect's length once per text unit, the units
// starting an interval apart; a shape animated before its text adds a pass.
// The sums are 32-bit: a text without units (n = 0) gives d less one interval,
// which wraps when the interval is the longer.
void ScreenAnimation::ComputeDuration(const boost::shared_ptr<IShape>& shape) {
  const boost::shared_ptr<IInterface> e = Effect();
  const uint32_t d = EffectLength();
  int32_t type = GetInt(e, ePropIterateType);
  const uint32_t interval = Has(e, ePropIterateTime)
                                ? static_cast<uint32_t>(GetInt(e, ePropIterateTime))
                                : PercentOf(GetInt(e, ePropIteratePercent), d);
  const bool byParagraph = GetBool(e, ePropByParagraph);
  const int32_t first = byParagraph ? GetInt(e, ePropParagraphFirst) : 0;
  const int32_t last = byParagraph ? GetInt(e, ePropParagraphLast) : 0;
  const bool background = GetBool(e, ePropAnimateBackground);

  boost::shared_ptr<IChildList> children = QueryAs<IChildList>(shape, eIidChildList);
  textIterationActive_ = false;
  if (Supports(children, eIidTextBody17)) {
    bool flat = true;
    const bool threeD = ParserUtils::Is3dShape(shape, flat);
    textIterationActive_ = !(threeD && flat);
  }
  if (!textIterationActive_) type = 0;

  uint32_t units = 1;
  if (type != 0 && !background) {
    units = 0;  // iterate types other than by word and by letter count no units
    const EPropertyId count = type == 1 ? ePropWordCount : ePropLetterCount;
    const uint32_t childCount =
        (type == 1 || type == 2) && children ? children->GetChildCount() : 0;
    for (uint32_t c = 0; c < childCount; ++c) {
      boost::shared_ptr<IItemList> paragraphs =
          QueryAs<IItemList>(children->GetChild(c), eIidTextBody19);
      if (!paragraphs) continue;
      for (uint32_t k = 0; k < paragraphs->GetItemCount(); ++k) {
        if (byParagraph && !InRange(static_cast<int32_t>(k), first, last)) continue;
        boost::shared_ptr<IInterface> paragraph = paragraphs->GetItem(k);
        units += static_cast<uint32_t>(GetInt(paragraph, count));
      }
    }
  }
  uint32_t base = (units - 1) * interval + d;
  if (!background && !byParagraph && !GetBool(e, ePropWholeText) && textIterationActive_ &&
      type >= 1)
    base += d;
  baseDuration_.Set(base);
}

// One pass, twice over when the effect reverses, times the repeats, in
// 32-bit arithmetic: a length past the clock's range wraps.
uint32_t ScreenAnimation::GetDuration() {
  uint32_t length = baseDuration_.Get();
  if (!autoReverse_.isSet) autoReverse_.Set(GetBool(Effect(), ePropAutoReverse));
  if (autoReverse_.Get()) length *= 2;
  const uint32_t repeat = repeatCount_.Get();
  if (repeat < kIndefinite) length *= repeat;
  return length;
}

void ScreenAnimation::Build(const boost::shared_ptr<IScreenObject>& target,
                            const std::vector<AnimationStep>& steps) {
  steps_.insert(steps_.end(), steps.begin(), steps.end());
  studied_.clear();
  if (!target || !effectNode_) return;
  if (targetMode_ == 0 && !Supports(target, eIidTextRun)) return;
  if (targetMode_ == 1 && !Supports(target, eIidShapeTarget)) return;

  const boost::shared_ptr<IInterface> e = Effect();
  TimingTranslator::Settings settings;
  settings.iterateType = IterateType();
  if (settings.iterateType != 0) {
    if (Has(e, ePropIterateTime)) {
      settings.interval = static_cast<uint32_t>(GetInt(e, ePropIterateTime));
    } else {
      settings.interval = static_cast<uint32_t>(GetInt(e, ePropIteratePercent));
      settings.intervalIsPercent = true;
    }
  }
  settings.byParagraph = GetBool(e, ePropByParagraph);
  if (settings.byParagraph) {
    settings.first = GetInt(e, ePropParagraphFirst);
    settings.last = GetInt(e, ePropParagraphLast);
  }
  TimingTranslator translator(*this, settings);
  translator.MarkIteratedUnits(target);
  translator.TranslateTimingTree(target);
}

const std::vector<boost::shared_ptr<EffectAgent>>* ScreenAnimation::AgentsFor(
    const boost::shared_ptr<IScreenObject>& target) const {
  if (!target) return nullptr;
  const AgentMap& agents = Supports(target, eIidTextRun) ? textAgents_ : shapeAgents_;
  auto it = agents.find(NameOf(target));
  return it == agents.end() ? nullptr : &it->second;
}

const std::vector<AgentFacts>* ScreenAnimation::StudiedAgentsFor(
    const boost::shared_ptr<IScreenObject>& target) {
  if (!target) return nullptr;
  StudiedTarget& entry = studied_[target.get()];
  // A new object at the address of one that is gone is studied afresh.
  if (entry.target.expired()) {
    entry.target = target;
    const std::vector<boost::shared_ptr<EffectAgent>>* agents = AgentsFor(target);
    entry.filed = agents != nullptr;
    entry.agents = agents ? StudyAgents(*agents) : std::vector<AgentFacts>();
  }
  return entry.filed ? &entry.agents : nullptr;
}

// After the effect's end only agents placed after it still draw, unless the
// effect holds its state.
void ScreenAnimation::Apply(const boost::shared_ptr<IScreenObject>& target, uint32_t time) {
  if (time < startTime_) return;
  if (!fill_.isSet) fill_.Set(GetInt(Effect(), ePropFill));
  const int fill = fill_.Get();
  const uint32_t length = GetDuration();
  const bool ended = static_cast<uint64_t>(time) > static_cast<uint64_t>(startTime_) + length &&
                     fill != 1 && fill != 2;
  const std::vector<AgentFacts>* agents = StudiedAgentsFor(target);
  if (!agents) return;
  const uint32_t u = time - startTime_;
  ChooseAgents(*agents, u, chosen_);
  for (const ChosenAgent& chosen : chosen_) {
    const boost::shared_ptr<EffectAgent>& stored = (*agents)[chosen.index].stored;
    if (ended && stored->GetStart() < length) continue;
    stored->Apply(target, u);
  }
}

// The sound starts on the first frame its agent is applied; when it plays per
// text unit it starts again at each unit's offset, once per offset.
void ScreenAnimation::GetSoundAction(boost::shared_ptr<IActionObject>& action,
                                     const boost::shared_ptr<IScreenObject>& target,
                                     uint32_t time) {
  action.reset();
  if (time < startTime_ ||
      static_cast<uint64_t>(time) > static_cast<uint64_t>(startTime_) + GetDuration())
    return;
  const std::vector<AgentFacts>* agents = StudiedAgentsFor(target);
  if (!agents) return;
  const uint32_t u = time - startTime_;
  boost::shared_ptr<AudioEffectAgent> audio;
  ChooseAgents(*agents, u, chosen_);
  for (const ChosenAgent& chosen : chosen_)
    if ((audio = QueryAs<AudioEffectAgent>((*agents)[chosen.index].inner, eIidAudioAgent))) break;
  if (!audio) return;

  const boost::shared_ptr<IActionObject>& sound = audio->GetActionObject();
  bool matched = false;
  if (sound && sound->PlaysPerUnit()) {
    const uint32_t frame = FrameLength();
    for (auto it = soundStartOffsets_.begin(); it != soundStartOffsets_.end(); ++it) {
      if (u - *it < frame) {
        soundStartOffsets_.erase(it);
        matched = true;
        break;
      }
      if (*it > u) break;
    }
  }
  if (!audio->HasBegun()) {
    audio->SetBegun(1);
    action = sound;
  } else if (matched) {
    action = sound;
  }
}

bool ScreenAnimation::IsFinal() {
  for (const AgentMap* map : {&textAgents_, &shapeAgents_})
    for (const auto& entry : *map)
      for (const boost::shared_ptr<EffectAgent>& agent : entry.second)
        if (!agent->IsFinished() || Supports(agent, eIidPersistentAgent70)) return false;
  return true;
}

int32_t ScreenAnimation::GetPresetClass() {
  return GetInt(Effect(), ePropPresetClass);
}

int32_t ScreenAnimation::GetNodeType() {
  return GetInt(Effect(), ePropNodeType);
}

void ScreenAnimation::CollectTargetNames(std::map<std::wstring, uint32_t>& names) {
  for (const AgentMap* map : {&textAgents_, &shapeAgents_})
    for (const auto& entry : *map) names.insert(std::make_pair(entry.first, 0u));
}

bool ScreenAnimation::RemoveSoundBehaviour(const boost::shared_ptr<IInterface>&) {
  for (auto* list : {&shapeSubAnimations_, &textSubAnimations_}) {
    auto it = std::find_if(list->begin(), list->end(), [](const auto& node) {
      return node && node->GetKind() == eBehaviourAudio;
    });
    if (it != list->end()) {
      list->erase(it);
      return true;
    }
  }
  return false;
}

void ScreenAnimation::GetEffectName(std::wstring& name) {
  name.clear();
  if (effectNode_) name = GetString(Effect(), ePropEffectName353);
}

void ScreenAnimation::AttachHtmlManager(const boost::shared_ptr<WebdeckAnimationManager>& manager) {
  htmlManager_ = manager;
  if (manager) effectId_ = L"effect_ID" + std::to_wstring(manager->GetUniqueAnimCount());
}

// An exit whose first shape behaviour at time 0 sets the shape hidden starts
// hidden.
// An exit whose first act is to hide the shape has it hidden from its start.
void ScreenAnimation::ComputeInitiallyHidden() {
  if (presetClassCell_->Get() != 1) return;
  for (const boost::shared_ptr<IBehaviourNode>& node : shapeBehaviours_) {
    const boost::shared_ptr<IInterface> b = node;
    if (!node || GetInt(b, ePropDelay) != 0 || node->GetKind() != eBehaviourSet) continue;
    const boost::shared_ptr<EffectAgent> set =
        boost::make_shared<SetEffectAgent>(b, context_, 0, 0);
    if (GetInt(set, ePropAttribute) != 7) continue;
    const boost::shared_ptr<IInterface>& setBehaviour = set->Behaviour();
    if (Has(setBehaviour, ePropToValueText) &&
        GetString(setBehaviour, ePropToValueText) == L"hidden")
      initiallyHidden_ = 1;
  }
}

bool ScreenAnimation::HasColorBehaviour() {
  for (const boost::shared_ptr<IBehaviourNode>& node : shapeBehaviours_)
    if (node && node->GetKind() == eBehaviourColor) return true;
  return false;
}

void ScreenAnimation::MarkClickSubAnimations() {
  for (const boost::shared_ptr<IBehaviourNode>& node : shapeSubAnimations_) {
    const boost::shared_ptr<IInterface> s = node;
    if (Has(s, ePropSubAnimTrigger) && GetInt(s, ePropSubAnimTrigger) == 2)
      SetBool(s, ePropWaitsForClick, true);
  }
}

// The web output's records, written where the timing translation reaches
// each of them.
void ScreenAnimation::WriteEffectRecord() {
  WebRecordWriter(*this).WriteEffectRecord();
}

void ScreenAnimation::WriteBehaviourRecord(const boost::shared_ptr<IBehaviourNode>& behaviour,
                                           const Optional<uint32_t>& duration) {
  WebRecordWriter(*this).WriteBehaviourRecord(behaviour, duration.Get());
}

void ScreenAnimation::WriteSoundRecord(const boost::shared_ptr<EffectAgent>& audio) {
  WebRecordWriter(*this).WriteSoundRecord(audio);
}

void ScreenAnimation::FinishEffectRecord() {
  WebRecordWriter(*this).FinishEffectRecord();
}

boost::shared_ptr<IScreenAnimation> CreateScreenAnimation(
    const boost::shared_ptr<IAnimationEffect>& effect,
    const boost::shared_ptr<PublishContext>& context) {
  return boost::make_shared<ScreenAnimation>(effect, context);
}
