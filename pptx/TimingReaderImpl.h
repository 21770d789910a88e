// The reader of a slide's timing tree, shared by the files that read its
// parts: the Reader class and the small helpers they all use. Private to pptx/.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <set>

#include <boost/make_shared.hpp>

#include "common/Utf8.h"
#include "document/Effect.h"
#include "host/Properties.h"
#include "pptx/Mappings.h"
#include "pptx/SlideContext.h"
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace detail {

using platform::BehaviourNode;
using platform::Effect;

constexpr int kMaxRepeatThousandths = 1000000;  // a thousand repetitions

// Truncates toward zero into the int range (NaN gives 0).
inline int SaturatedInt(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : std::numeric_limits<int>::min();
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

inline bool IsBehaviour(const pugi::xml_node& node) {
  static const char* names[] = {"anim",      "animClr", "animEffect", "animMotion", "animRot",
                                "animScale", "set",     "cmd",        "audio",      "video"};
  for (const char* name : names)
    if (Is(node, name)) return true;
  return false;
}

inline bool IsContainer(const pugi::xml_node& node) {
  return Is(node, "par") || Is(node, "seq") || Is(node, "excl");
}

// The common time node of a behaviour or media node.
inline pugi::xml_node BehaviourTimeNode(const pugi::xml_node& behaviour) {
  if (Is(behaviour, "audio") || Is(behaviour, "video"))
    return Path(behaviour, {"cMediaNode", "cTn"});
  return Path(behaviour, {"cBhvr", "cTn"});
}

inline pugi::xml_node BehaviourTarget(const pugi::xml_node& behaviour) {
  if (Is(behaviour, "audio") || Is(behaviour, "video"))
    return Path(behaviour, {"cMediaNode", "tgtEl"});
  return Path(behaviour, {"cBhvr", "tgtEl"});
}

inline std::string Quote(const char* text) {
  return std::string("\"") + text + "\"";
}

// What a behaviour animates.
struct Target {
  std::wstring shapeId;  // empty when it names no shape
  bool text = false;     // a paragraph range
  int first = 0, last = 0;
  bool characters = false;  // a character range, widened to its paragraphs
  bool background = false;
  std::wstring subShape;
  bool element = false;  // a chart or diagram element
  bool sound = false;
  std::string soundId;
  std::wstring soundName;
  bool slide = false;
};

struct BuildInfo {
  std::string build = "whole";
  bool animBg = false;
};

class Reader {
 public:
  explicit Reader(SlideContext& ctx) : ctx_(ctx), effects_(ctx.slide.Effects()) {}

  void Read(const pugi::xml_node& timing);

 private:
  // ---- build list and triggers -------------------------------------------

  void ReadBuildList(const pugi::xml_node& list);

  static bool HasTrigger(const pugi::xml_node& cTn);

  boost::shared_ptr<TriggerCondition> MakeTrigger(const pugi::xml_node& cTn);

  // ---- sequences and effects ---------------------------------------------

  void ReadSequence(const pugi::xml_node& seq, const boost::shared_ptr<TriggerCondition>& trigger);

  // Containers of a sequence: click groups, then their with/after groups,
  // then the effects. A missing nodeType is inferred from the position.
  void Walk(const pugi::xml_node& list, const boost::shared_ptr<TriggerCondition>& trigger,
            size_t depth, size_t groupIndex, size_t subIndex);

  static bool IsEffectNode(const pugi::xml_node& cTn);

  std::string EffectWhere(const pugi::xml_node& cTn);

  // A time attribute; true when absent (out unchanged) or valid.
  bool TimeAttr(const pugi::xml_node& node, const char* name, uint32_t& out,
                const std::string& where);

  // The delay of a time node's start condition (the one without an event).
  bool Delay(const pugi::xml_node& cTn, uint32_t& out, const std::string& where);

  // Fraction attributes (accel, decel) in thousandths of a percent, 0..100000.
  bool Fraction(const pugi::xml_node& cTn, const char* name, float& out, const std::string& where);

  // Accel and decel onto `node`. A pair that adds up to more than 100% is
  // scaled down to 100%, keeping its ratio: more would leave the motion
  // without a speed at which it ends on time.
  template <class Node>
  void Acceleration(const pugi::xml_node& cTn, Node& node, const std::string& where) {
    float accel = 0, decel = 0;
    const bool hasAccel = Fraction(cTn, "accel", accel, where);
    const bool hasDecel = Fraction(cTn, "decel", decel, where);
    if (hasAccel && hasDecel && static_cast<double>(accel) + decel > 100000.0) {
      ctx_.Diag().Warn("acceleration over 100%",
                       where + ": accel " + Quote(cTn.attribute("accel").as_string()) +
                           " + decel " + Quote(cTn.attribute("decel").as_string()));
      const double scaled = 100000.0 * accel / (static_cast<double>(accel) + decel);
      accel = static_cast<float>(scaled);
      decel = static_cast<float>(100000.0 - scaled);
    }
    if (hasAccel) node.template Set<float>(ePropAccel, accel);
    if (hasDecel) node.template Set<float>(ePropDecel, decel);
  }

  // Repeat count in thousandths: 1 for none, -1 for indefinite.
  int RepeatCount(const pugi::xml_node& cTn, const std::string& where);

  static int FillCode(const std::string& fill);

  std::wstring ShapeRef(const char* spid, const std::string& what);

  Target ReadTarget(const pugi::xml_node& tgtEl, const std::string& where);

  TargetFacts Facts(const std::wstring& id);

  // Widens a character range to the paragraphs it touches; false when it
  // lies outside the text.
  bool CharactersToParagraphs(const platform::Shape& shape, Target& target);

  // Sets the common keys of a behaviour from its time node; false when the
  // behaviour is unusable.
  bool ReadCommon(const pugi::xml_node& cTn, BehaviourNode& node, bool sub, uint32_t offset,
                  const std::string& where);

  // One behaviour element; null when it is skipped.
  boost::shared_ptr<BehaviourNode> ReadBehaviour(const pugi::xml_node& element, bool sub,
                                                 uint32_t offset, Target& target,
                                                 const std::string& effectWhere);

  // A value element (strVal, fltVal, intVal, boolVal, clrVal) under `holder`.
  void ReadValue(const pugi::xml_node& holder, BehaviourNode& node, EPropertyId key, bool numbers);

  void ReadAnim(const pugi::xml_node& element, BehaviourNode& node, const std::string& where);

  void ReadAnimClr(const pugi::xml_node& element, BehaviourNode& node);

  void ReadMotion(const pugi::xml_node& element, BehaviourNode& node, const std::string& where);

  // The by, from and to points under `element`, divided by `unit`, under
  // `keys` in that order; a point that does not parse is reported and left out.
  void ReadPoints(const pugi::xml_node& element, BehaviourNode& node, double unit,
                  const EPropertyId (&keys)[3], const std::string& where);

  // Behaviours of an effect's child list; nested containers add their delay.
  void CollectBehaviours(const pugi::xml_node& list, uint32_t offset, size_t depth,
                         std::vector<boost::shared_ptr<BehaviourNode>>& out,
                         std::vector<Target>& targets, const std::string& where);

  // Whether copies of a behaviour played one after another draw what its
  // repeats draw. Each copy starts over from the behaviour's start state as
  // a repeat does, except the copies of a rotation, and of a scale without a
  // from value: they add onto what the copies before them left. That shows
  // only when a pass does not end where it started: it does not reverse, turn
  // whole turns or scale by 100 %.
  static bool CopiesRepeatExactly(const BehaviourNode& node);

  // Plays the repeats of the last behaviour of `out` as copies of it, one
  // pass (twice its duration when it reverses) after another. A count with a
  // fraction plays its whole passes and holds the end state for the rest;
  // an endless one plays once. The node that ends the passes keeps what is
  // left of the count, so the effect's length counts every pass.
  void UnrollRepeats(std::vector<boost::shared_ptr<BehaviourNode>>& out,
                     std::vector<Target>& targets, const std::string& where);

  void ReadEffect(const pugi::xml_node& cTn, const boost::shared_ptr<TriggerCondition>& trigger,
                  int inferredNodeType);

  // Counts one more behaviour of the slide; false once the slide's budget is spent.
  bool BehaviourBudget(const std::string& where);

  // ---- media ---------------------------------------------------------------

  void ReadMediaNode(const pugi::xml_node& element);

  SlideContext& ctx_;
  boost::shared_ptr<platform::EffectList> effects_;
  std::map<std::pair<std::wstring, int>, BuildInfo> builds_;
  bool effectLimitReported_ = false;
  size_t behaviourCount_ = 0;
};

}  // namespace detail
}  // namespace pptx
