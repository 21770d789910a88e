#include "screen/WebRecordWriter.h"

#include <cmath>
#include <vector>

#include <boost/make_shared.hpp>

#include "agents/AudioEffectAgent.h"
#include "agents/MotionEffectAgent.h"
#include "agents/PropertyEffectAgent.h"
#include "agents/SetEffectAgent.h"
#include "host/Properties.h"
#include "screen/EffectAgentFactory.h"
#include "screen/ScreenAnimation.h"

namespace {

const uint32_t kIndefinite = 0xFFFFFFFFu;
const double kAngleUnits = 60000.0;  // per degree
const float kNoTime = 1e-5f;         // shorter easing times are not written
// Sub-animation triggers and starts.
const int kTriggerNextClick = 2;
const int kStartAfterMain = 1;
const int kDefaultSubStart = 12;
// A sub-effect that lasts until the next click rather than to the slide's end.
const int kUntilNextClick = 8;
// The web player's variable of a scale, outside the attribute codes.
const int32_t kScaleVariable = 19;

using WEBDECK::PptxHTMLObjPropHolder;

// Times are written as the signed 32-bit value of their bits: a length past
// 2^31 - 1 ms reads as negative. An indefinite length plays as 1 ms: the
// player holds the end state.
int32_t WebDuration(uint32_t ms) {
  return ms == kIndefinite ? 1 : static_cast<int32_t>(ms);
}

std::vector<int32_t> Components(const Kinefold::TColor& c) {
  return {static_cast<int32_t>(c.red), static_cast<int32_t>(c.green), static_cast<int32_t>(c.blue),
          static_cast<int32_t>(c.alpha)};
}

// A scale target relative to the scale the player has already reached.
double Relative(double target, double last) {
  return std::trunc(last) != 100.0 && last > 0.0 ? target * 100.0 / last : target;
}

}  // namespace

int32_t WebRecordWriter::VariableType(int32_t attribute) {
  switch (attribute) {
    case 0:
      return 12;  // x
    case 1:
      return 13;  // y
    case 2:
      return 10;  // width
    case 3:
      return 11;  // height
    case 4:
      return 14;  // opacity
    case 5:
      return 15;  // rotation
    case 6:
      return 3;  // colour
    case 7:
      return 17;  // visibility
    case 9:
      return 0;  // fill colour
    case 10:
      return 4;  // italic
    case 11:
      return 5;  // bold
    case 12:
      return 6;  // underline
    case 13:
      return 7;  // font
    case 14:
      return 8;  // font size
    case 15:
      return 1;  // fill colour of the fill
    case 17:
      return 9;
    case 19:
      return 2;  // line colour
    case 20:
      return 16;  // shear
    default:
      return -1;
  }
}

int32_t WebRecordWriter::FilterEffectType(int32_t filterKind) {
  if (filterKind >= eFilterBlinds && filterKind <= eFilterStrips) return 30 + filterKind;
  switch (filterKind) {
    case eFilterDissolve:
      return 41;
    case eFilterRandomBars:
      return 42;
    case eFilterWedge:
      return 43;
    case eFilterWheel1:
    case eFilterWheel2:
    case eFilterWheel3:
    case eFilterWheel4:
    case eFilterWheel8:
      return 44;
    default:
      return -1;
  }
}

size_t WebRecordWriter::ShapeSideCount() const {
  return owner_.shapeBehaviours_.size() + owner_.shapeSubAnimations_.size();
}

boost::shared_ptr<PptxHTMLObjPropHolder> WebRecordWriter::Record() const {
  return owner_.htmlContent_->GetHTMLObj();
}

void WebRecordWriter::WriteEffectRecord() {
  ScreenAnimation& a = owner_;
  if (!a.currentTarget_ || !a.htmlManager_ || !a.effectNode_) return;
  std::wstring name = a.currentTargetName_;
  if (name.empty()) a.currentTarget_->GetName(name);
  a.htmlContent_ = boost::make_shared<WebdeckAnimationContent>(name, a.effectId_);
  // An exit that starts hidden shows the shape the way an entrance does.
  a.htmlContent_->presetClass =
      a.initiallyHidden_ ? 0 : static_cast<int32_t>(a.presetClassCell_->Get());
  PptxHTMLObjPropHolder& o = *Record();

  const boost::shared_ptr<IInterface> e = a.Effect();
  const uint32_t d = a.effectNode_->GetOwnDuration();
  const uint32_t delay = static_cast<uint32_t>(GetInt(e, ePropDelay)) + a.htmlDelayOffset_;
  // An indefinite repeat is written as 0.
  int32_t repeat = static_cast<int32_t>(a.repeatCount_.Get());
  if (repeat < 0) repeat = 0;
  const float accel = GetFloat(e, ePropAccel) / 100000.0f * static_cast<float>(d);
  const float decel = GetFloat(e, ePropDecel) / 100000.0f * static_cast<float>(d);
  const bool rewind = Has(e, ePropFill) && GetInt(e, ePropFill) == 0;
  bool untilNextClick = false;
  bool untilSlideEnd = false;
  if (repeat == 0) {
    if (boost::shared_ptr<PropertySheetList> subs = GetSheetList(e, ePropSubEffects)) {
      for (size_t i = 0; i < subs->GetCount(); ++i) {
        if (GetInt(subs->GetItem(i), ePropSubAnimStart) == kUntilNextClick)
          untilNextClick = true;
        else
          untilSlideEnd = true;
      }
    }
  }

  const size_t n = ShapeSideCount();
  if (n > 1) o.AddIntProperty(WEBDECK::kEffectType, 5);
  if (delay != 0) o.AddIntProperty(WEBDECK::kEffectDelay, static_cast<int32_t>(delay));
  o.AddIntProperty(WEBDECK::kEffectDuration, WebDuration(d));
  if (repeat != 1) o.AddIntProperty(WEBDECK::kEffectRepeat, repeat);
  if (GetBool(e, ePropAutoReverse)) o.AddBoolProperty(WEBDECK::kEffectAutoReverse, true);

  double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
  if (const double* bounds = a.currentTarget_->GetBounds()) {
    left = bounds[0];
    top = bounds[1];
    right = bounds[2];
    bottom = bounds[3];
  }
  auto origin = boost::make_shared<WEBDECK::PptxJSArrHolder>(WEBDECK::kInitialPosition);
  origin->AddObject(boost::make_shared<WEBDECK::PptxJSFloatPropertyHolder>(
      "", static_cast<float>((left + right) * 0.5), -1));
  origin->AddObject(boost::make_shared<WEBDECK::PptxJSFloatPropertyHolder>(
      "", static_cast<float>((top + bottom) * 0.5), -1));
  o.AddPptxJSPropertyHolder("", origin);

  if (accel > kNoTime) o.AddFloatProperty(WEBDECK::kEffectAccelerateTime, accel, -1);
  if (decel > kNoTime) o.AddFloatProperty(WEBDECK::kEffectDecelerateTime, decel, -1);
  if (rewind) o.AddBoolProperty(WEBDECK::kEffectRewindWhenDone, true);
  if (untilNextClick) o.AddBoolProperty(WEBDECK::kEffectPlayTillNextClick, true);
  if (untilSlideEnd) o.AddBoolProperty(WEBDECK::kEffectPlayTillSlideEnd, true);

  if (n > 1)
    a.htmlSubList_ = boost::make_shared<WEBDECK::PptxJSObjectArrHolder>(WEBDECK::kEffectSubList);
}

void WebRecordWriter::WriteBehaviourRecord(const boost::shared_ptr<IBehaviourNode>& behaviour,
                                           uint32_t duration) {
  ScreenAnimation& a = owner_;
  if (!a.currentTarget_ || !a.htmlContent_ || !behaviour) return;
  const boost::shared_ptr<IInterface> b = behaviour;
  const size_t n = ShapeSideCount();
  boost::shared_ptr<PptxHTMLObjPropHolder> part =
      n > 1 ? boost::make_shared<PptxHTMLObjPropHolder>("") : Record();
  uint32_t dur = duration;

  if (Has(b, ePropAccel)) {
    const float accel = GetFloat(b, ePropAccel) / 100000.0f * static_cast<float>(dur);
    if (accel > kNoTime) part->AddFloatProperty(WEBDECK::kEffectAccelerateTime, accel, -1);
  }
  if (Has(b, ePropDecel)) {
    const float decel = GetFloat(b, ePropDecel) / 100000.0f * static_cast<float>(dur);
    if (decel > kNoTime) part->AddFloatProperty(WEBDECK::kEffectDecelerateTime, decel, -1);
  }
  if (Has(b, ePropAutoReverse) && GetBool(b, ePropAutoReverse))
    part->AddBoolProperty(WEBDECK::kEffectAutoReverse, true);

  int32_t delay = GetInt(b, ePropDelay);
  const int trigger = Has(b, ePropSubAnimTrigger) ? GetInt(b, ePropSubAnimTrigger) : 0;
  const int start = Has(b, ePropSubAnimStart) ? GetInt(b, ePropSubAnimStart) : kDefaultSubStart;
  if (trigger == kTriggerNextClick) part->AddBoolProperty(WEBDECK::kIsSubAnimOnNextClick, true);
  if (trigger == 0 && start == kStartAfterMain) {
    // After the main behaviours: it ends with the effect; when it is the
    // longer one the delay is negative, so it started before the effect.
    const uint32_t d = a.effectNode_->GetOwnDuration();
    delay = static_cast<int32_t>(d - dur);
  }

  switch (behaviour->GetKind()) {
    case eBehaviourProperty:
      WritePropertyKeys(*part, b);
      break;
    case eBehaviourColor:
      WriteColourKeys(*part, b);
      break;
    case eBehaviourFilter:
      WriteFilterKeys(*part, b);
      break;
    case eBehaviourMotion:
      WriteMotionKeys(*part, b);
      break;
    case eBehaviourRotation:
      WriteRotationKeys(*part, b);
      break;
    case eBehaviourScale:
      WriteScaleKeys(*part, b);
      break;
    case eBehaviourSet:
      WriteSetKeys(*part, b);
      dur = 1;  // a set takes effect at once
      break;
    default:  // commands and sounds have no keys of their own
      break;
  }

  if (n > 1) {
    part->AddIntProperty(WEBDECK::kEffectDuration, WebDuration(dur));
    if (delay != 0) part->AddIntProperty(WEBDECK::kEffectDelay, delay);
    if (!a.htmlSubList_)
      a.htmlSubList_ = boost::make_shared<WEBDECK::PptxJSObjectArrHolder>(WEBDECK::kEffectSubList);
    a.htmlSubList_->AddObject(part);
  }
}

void WebRecordWriter::WritePropertyKeys(PptxHTMLObjPropHolder& part,
                                        const boost::shared_ptr<IInterface>& behaviour) {
  ScreenAnimation& a = owner_;
  auto agent = boost::make_shared<PropertyEffectAgent>(behaviour, a.context_, 0, 0);
  boost::shared_ptr<WEBDECK::PptxJSArrHolder> values;
  agent->BuildWebValues(values, a.currentTarget_, a.htmlPositionCache_, a.htmlPropertyDescribed_);
  a.htmlPropertyDescribed_ = true;
  part.AddIntProperty(WEBDECK::kEffectType, agent->GetWebEffectType());
  part.AddIntProperty(WEBDECK::kEffectVariableType,
                      VariableType(GetInt(behaviour, ePropAttribute)));
  part.AddPptxJSPropertyHolder(WEBDECK::kEffectAnimationValues, values);
}

void WebRecordWriter::WriteColourKeys(PptxHTMLObjPropHolder& part,
                                      const boost::shared_ptr<IInterface>& b) {
  const int32_t attribute = Has(b, ePropAttribute) ? GetInt(b, ePropAttribute) : 15;
  const char* const space = "ColorSpace";
  if (Has(b, ePropColorSpace) && GetInt(b, ePropColorSpace) != 0) {
    part.AddIntProperty(WEBDECK::kEffectType, 3);
    part.AddIntProperty(WEBDECK::kEffectVariableType, VariableType(attribute));
    part.AddStrProperty(space, L"HSL");
    part.AddIntArrProperty(
        WEBDECK::kEffectAnimationValues,
        {GetInt(b, ePropHueBy), GetInt(b, ePropSaturationBy), GetInt(b, ePropLightnessBy)});
  } else if (Has(b, ePropToValueText)) {
    part.AddIntProperty(WEBDECK::kEffectType, 4);
    part.AddIntProperty(WEBDECK::kEffectVariableType, VariableType(attribute));
    part.AddStrProperty(space, L"RGB");
    part.AddIntArrProperty(WEBDECK::kEffectAnimationValues,
                           Components(GetColor(b, ePropToValueText)));
  } else if (Has(b, ePropRedBy)) {
    part.AddIntProperty(WEBDECK::kEffectType, 3);
    part.AddIntProperty(WEBDECK::kEffectVariableType, VariableType(attribute));
    part.AddStrProperty(space, L"RGB");
    part.AddIntArrProperty(
        WEBDECK::kEffectAnimationValues,
        {GetInt(b, ePropRedBy), GetInt(b, ePropGreenBy), GetInt(b, ePropBlueBy)});
  }
}

void WebRecordWriter::WriteFilterKeys(PptxHTMLObjPropHolder& part,
                                      const boost::shared_ptr<IInterface>& b) {
  const int32_t filter = GetInt(b, ePropFilterKind);
  const int32_t presetClass = static_cast<int32_t>(owner_.presetClassCell_->Get());
  if (filter == eFilterFade) {
    // An opacity ramp: down in an exit, up otherwise.
    const bool exit = presetClass == 1;
    part.AddIntProperty(WEBDECK::kEffectType, 0);
    part.AddIntProperty(WEBDECK::kEffectVariableType, VariableType(4));
    part.AddIntArrProperty(WEBDECK::kEffectAnimationValues, {0, exit ? 1 : 0, 100, exit ? 0 : 1});
    return;
  }
  part.AddIntProperty(WEBDECK::kEffectType, FilterEffectType(filter));
  if (const uint32_t spokes = WheelSpokes(filter))
    part.AddIntProperty(WEBDECK::kWheelEffectNumSpokes, static_cast<int32_t>(spokes));
  const int32_t direction = GetInt(b, ePropFilterSubtype);
  if (direction >= 0 && direction <= 15) part.AddIntProperty(WEBDECK::kEffectDirection, direction);
  if (presetClass == 0 || presetClass == 1)
    part.AddIntProperty(WEBDECK::kEffectPresetClass, presetClass);
}

void WebRecordWriter::WriteMotionKeys(PptxHTMLObjPropHolder& part,
                                      const boost::shared_ptr<IInterface>& b) {
  auto agent = boost::make_shared<MotionEffectAgent>(b, owner_.context_, 0, 0);
  double centreX = 0.0, centreY = 0.0;
  bool slideOrigin = false;
  const std::wstring path =
      agent->GetWebPathText(owner_.currentTarget_, centreX, centreY, slideOrigin);
  part.AddIntProperty(WEBDECK::kEffectType, 6);
  part.AddStrProperty(WEBDECK::kEffectAnimationValues, path);
  // Played at speed -1, the path runs from its end.
  if (std::trunc(GetDouble(b, ePropSpeed306)) == -100000.0)
    part.AddBoolProperty(WEBDECK::kMotionPathReverseDir, true);
}

void WebRecordWriter::WriteRotationKeys(PptxHTMLObjPropHolder& part,
                                        const boost::shared_ptr<IInterface>& b) {
  if (Has(b, ePropFrom) && Has(b, ePropTo)) {
    part.AddIntProperty(WEBDECK::kEffectType, 0);
    part.AddIntProperty(WEBDECK::kEffectVariableType, VariableType(5));
    part.AddFloatArrProperty(WEBDECK::kEffectAnimationValues,
                             {0.0f, static_cast<float>(GetDouble(b, ePropFrom) / kAngleUnits),
                              100.0f, static_cast<float>(GetDouble(b, ePropTo) / kAngleUnits)});
  } else if (Has(b, ePropBy)) {
    part.AddIntProperty(WEBDECK::kEffectType, 2);
    part.AddIntProperty(WEBDECK::kEffectVariableType, VariableType(5));
    part.AddFloatProperty(WEBDECK::kEffectChangeValue,
                          static_cast<float>(GetDouble(b, ePropBy) / kAngleUnits), -1);
  }
}

// The player scales from where the last scale left the shape, so a to value
// is written relative to the previous one.
void WebRecordWriter::WriteScaleKeys(PptxHTMLObjPropHolder& part,
                                     const boost::shared_ptr<IInterface>& b) {
  ScreenAnimation& a = owner_;
  double x = 0.0, y = 0.0;
  if (Has(b, ePropTo)) {
    const Kinefold::TPoint to = GetPoint(b, ePropTo);
    x = Relative(to.x, a.lastScaleX_);
    y = Relative(to.y, a.lastScaleY_);
    a.lastScaleX_ = to.x;
    a.lastScaleY_ = to.y;
  } else if (Has(b, ePropBy)) {
    const Kinefold::TPoint by = GetPoint(b, ePropBy);
    x = by.x;
    y = by.y;
  } else {
    return;
  }
  part.AddIntProperty(WEBDECK::kEffectType, 3);
  part.AddIntProperty(WEBDECK::kEffectVariableType, kScaleVariable);
  part.AddFloatArrProperty(WEBDECK::kEffectAnimationValues,
                           {static_cast<float>(x - 100.0), static_cast<float>(y - 100.0)});
}

void WebRecordWriter::WriteSetKeys(PptxHTMLObjPropHolder& part,
                                   const boost::shared_ptr<IInterface>& b) {
  auto agent = boost::make_shared<SetEffectAgent>(b, owner_.context_, 0, 0);
  boost::shared_ptr<WEBDECK::PptxJSPropertyHolder> value;
  double number = 0.0;
  agent->BuildWebValue(value, owner_.currentTarget_, number);
  const int32_t attribute = GetInt(b, ePropAttribute);
  part.AddIntProperty(WEBDECK::kEffectType, 1);
  part.AddIntProperty(WEBDECK::kEffectVariableType, VariableType(attribute));
  const bool colour = attribute == 6 || attribute == 9 || attribute == 15 || attribute == 19;
  if (!colour) {
    part.AddPptxJSPropertyHolder("", value);
    return;
  }
  Kinefold::TColor c{0, 0, 0, 255};
  if (Has(b, ePropToValueText)) c = GetColor(b, ePropToValueText);
  part.AddIntArrProperty(WEBDECK::kEffectChangeToValue, Components(c));
}

void WebRecordWriter::WriteSoundRecord(const boost::shared_ptr<EffectAgent>& audio) {
  ScreenAnimation& a = owner_;
  if (!a.htmlManager_) return;
  std::wstring name;
  if (boost::shared_ptr<AudioEffectAgent> agent = QueryAs<AudioEffectAgent>(audio, eIidAudioAgent))
    name = agent->GetSoundName();
  auto record = boost::make_shared<PptxHTMLObjPropHolder>("");
  record->AddIntProperty(WEBDECK::kEffectType, 8);
  record->AddStrProperty(WEBDECK::kPptxSlideSoundName, name);
  record->AddBoolProperty(WEBDECK::kIsAudioInSubAnim, true);
  if (!a.htmlSubList_)
    a.htmlSubList_ = boost::make_shared<WEBDECK::PptxJSObjectArrHolder>(WEBDECK::kEffectSubList);
  a.htmlSubList_->AddObject(record);
  a.htmlManager_->AddAnimObjToList(name, record);
}

void WebRecordWriter::FinishEffectRecord() {
  ScreenAnimation& a = owner_;
  if (!a.currentTarget_ || !a.htmlContent_) return;
  if (a.htmlSubList_ && ShapeSideCount() >= 2)
    Record()->AddPptxJSPropertyHolder("", a.htmlSubList_);
  if (a.htmlManager_) a.htmlManager_->AddAnimContent(a.htmlContent_);
  a.currentTarget_.reset();
}
