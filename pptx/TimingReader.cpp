#include "pptx/TimingReader.h"

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
#include "pptx/Units.h"
#include "pptx/Xml.h"

namespace pptx {
namespace {

using platform::BehaviourNode;
using platform::Effect;

const int kMaxRepeatThousandths = 1000000;  // a thousand repetitions

// Truncates toward zero into the int range (NaN gives 0).
int SaturatedInt(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : std::numeric_limits<int>::min();
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

bool IsBehaviour(const pugi::xml_node& node) {
  static const char* names[] = {"anim",      "animClr", "animEffect", "animMotion", "animRot",
                                "animScale", "set",     "cmd",        "audio",      "video"};
  for (const char* name : names)
    if (Is(node, name)) return true;
  return false;
}

bool IsContainer(const pugi::xml_node& node) {
  return Is(node, "par") || Is(node, "seq") || Is(node, "excl");
}

// The common time node of a behaviour or media node.
pugi::xml_node BehaviourTimeNode(const pugi::xml_node& behaviour) {
  if (Is(behaviour, "audio") || Is(behaviour, "video"))
    return Path(behaviour, {"cMediaNode", "cTn"});
  return Path(behaviour, {"cBhvr", "cTn"});
}

pugi::xml_node BehaviourTarget(const pugi::xml_node& behaviour) {
  if (Is(behaviour, "audio") || Is(behaviour, "video"))
    return Path(behaviour, {"cMediaNode", "tgtEl"});
  return Path(behaviour, {"cBhvr", "tgtEl"});
}

std::string Quote(const char* text) {
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

  void Read(const pugi::xml_node& timing) {
    ReadBuildList(Child(timing, "bldLst"));
    pugi::xml_node root = Path(timing, {"tnLst", "par", "cTn"});
    if (!root) {
      if (Child(timing, "tnLst")) ctx_.Diag().Warn("timing without root node", ctx_.part);
      return;
    }
    pugi::xml_node main;
    std::vector<pugi::xml_node> interactive;
    for (pugi::xml_node child : Elements(Child(root, "childTnLst"))) {
      if (Is(child, "seq")) {
        pugi::xml_node cTn = Child(child, "cTn");
        std::string type = cTn.attribute("nodeType").as_string();
        bool triggered = HasTrigger(cTn);
        if (type == "mainSeq" || (type.empty() && !triggered && !main)) {
          if (main) {
            ctx_.Diag().Warn("second main sequence", ctx_.part + ": read after the first");
            interactive.push_back(child);
          } else {
            main = child;
          }
        } else {
          interactive.push_back(child);
        }
      } else if (Is(child, "audio") || Is(child, "video")) {
        ReadMediaNode(child);
      } else if (IsContainer(child)) {
        ctx_.Diag().Warn("effects outside a sequence",
                         ctx_.part + ": a " + LocalName(child) + " under the root is not read");
      }
    }
    if (main) ReadSequence(main, boost::shared_ptr<TriggerCondition>());
    for (const pugi::xml_node& seq : interactive) {
      boost::shared_ptr<TriggerCondition> trigger = MakeTrigger(Child(seq, "cTn"));
      ReadSequence(seq, trigger);
    }
  }

 private:
  // ---- build list and triggers -------------------------------------------

  void ReadBuildList(const pugi::xml_node& list) {
    for (pugi::xml_node build : Children(list, "bldP")) {
      std::wstring id = ShapeRef(build.attribute("spid").as_string(), "bldP");
      if (id.empty()) continue;
      BuildInfo info;
      if (build.attribute("build")) info.build = build.attribute("build").as_string();
      bool flag = false;
      info.animBg = ParseBoolean(build.attribute("animBg").as_string(), flag) && flag;
      builds_[{id, build.attribute("grpId").as_int()}] = info;
    }
  }

  static bool HasTrigger(const pugi::xml_node& cTn) {
    for (pugi::xml_node cond : Children(Child(cTn, "stCondLst"), "cond")) {
      std::string evt = cond.attribute("evt").as_string();
      if (evt == "onClick" || evt == "onMediaBookmark") return true;
    }
    return false;
  }

  boost::shared_ptr<TriggerCondition> MakeTrigger(const pugi::xml_node& cTn) {
    for (pugi::xml_node cond : Children(Child(cTn, "stCondLst"), "cond")) {
      std::string evt = cond.attribute("evt").as_string();
      pugi::xml_node tgtEl = Child(cond, "tgtEl");
      if (evt == "onClick" || evt == "onDblClick") {
        std::wstring id = ShapeRef(Child(tgtEl, "spTgt").attribute("spid").as_string(), "trigger");
        if (!id.empty()) return platform::MakeClickTrigger(id);
      } else if (evt == "onMediaBookmark") {
        pugi::xml_node bmk = Child(tgtEl, "bmkTgt");
        std::wstring id = ShapeRef(bmk.attribute("spid").as_string(), "bookmark trigger");
        if (!id.empty())
          return platform::MakeBookmarkTrigger(id, WideText(bmk.attribute("bmkName").as_string()));
      }
    }
    ctx_.Diag().Warn("unsupported trigger",
                     ctx_.part + ": an interactive sequence without a click or bookmark trigger");
    auto trigger = boost::make_shared<TriggerCondition>();
    trigger->target = boost::make_shared<TriggerTarget>();
    trigger->target->firstName = L"-1";
    trigger->target->secondName = L"-1";
    return trigger;
  }

  // ---- sequences and effects ---------------------------------------------

  void ReadSequence(const pugi::xml_node& seq, const boost::shared_ptr<TriggerCondition>& trigger) {
    Walk(Path(seq, {"cTn", "childTnLst"}), trigger, 1, 0, 0);
  }

  // Containers of a sequence: click groups, then their with/after groups,
  // then the effects. A missing nodeType is inferred from the position.
  void Walk(const pugi::xml_node& list, const boost::shared_ptr<TriggerCondition>& trigger,
            size_t depth, size_t groupIndex, size_t subIndex) {
    size_t index = 0;
    for (pugi::xml_node child : Elements(list)) {
      if (!IsContainer(child)) {
        if (IsBehaviour(child))
          ctx_.Diag().Warn("behaviour outside an effect",
                           ctx_.part + ": " + child.name() + " is not read");
        continue;
      }
      pugi::xml_node cTn = Child(child, "cTn");
      if (IsEffectNode(cTn)) {
        int inferred = index > 0 ? 1 : (subIndex > 0 ? 2 : 0);
        (void)groupIndex;
        ReadEffect(cTn, trigger, inferred);
      } else if (depth + 1 > ctx_.Limits().maxDepth) {
        ctx_.Diag().Warn("nesting too deep", ctx_.part + ": timing containers nested deeper than " +
                                                 std::to_string(ctx_.Limits().maxDepth));
      } else {
        Walk(Child(cTn, "childTnLst"), trigger, depth + 1, depth == 1 ? index : groupIndex,
             depth == 2 ? index : (depth == 1 ? 0 : subIndex));
      }
      ++index;
    }
  }

  static bool IsEffectNode(const pugi::xml_node& cTn) {
    if (cTn.attribute("presetClass")) return true;
    int code = 0;
    if (NodeTypeCode(cTn.attribute("nodeType").as_string(), code)) return true;
    for (pugi::xml_node child : Elements(Child(cTn, "childTnLst")))
      if (IsBehaviour(child)) return true;
    return false;
  }

  std::string EffectWhere(const pugi::xml_node& cTn) {
    return ctx_.part + ": effect " + cTn.attribute("id").as_string("?");
  }

  // A time attribute; true when absent (out unchanged) or valid.
  bool TimeAttr(const pugi::xml_node& node, const char* name, uint32_t& out,
                const std::string& where) {
    pugi::xml_attribute attr = node.attribute(name);
    if (!attr) return true;
    uint32_t value = 0;
    if (!ParseTime(attr.as_string(), value)) {
      ctx_.Diag().Warn("invalid time value", where + ": " + name + " = " + Quote(attr.as_string()));
      return false;
    }
    out = value;
    return true;
  }

  // The delay of a time node's start condition (the one without an event).
  bool Delay(const pugi::xml_node& cTn, uint32_t& out, const std::string& where) {
    out = 0;
    for (pugi::xml_node cond : Children(Child(cTn, "stCondLst"), "cond")) {
      if (cond.attribute("evt")) continue;
      uint32_t delay = 0;
      if (!TimeAttr(cond, "delay", delay, where)) return false;
      if (delay == kIndefinite) {
        ctx_.Diag().Warn("indefinite delay", where + ": read as 0");
        delay = 0;
      }
      out = delay;
      return true;
    }
    return true;
  }

  // Fraction attributes (accel, decel) in thousandths of a percent, 0..100000.
  bool Fraction(const pugi::xml_node& cTn, const char* name, float& out, const std::string& where) {
    pugi::xml_attribute attr = cTn.attribute(name);
    if (!attr) return false;
    double value = 0;
    if (!ParseDecimal(attr.as_string(), value) || value < 0 || value > 100000) {
      ctx_.Diag().Warn("invalid acceleration",
                       where + ": " + name + " = " + Quote(attr.as_string()));
      return false;
    }
    out = static_cast<float>(value);
    return true;
  }

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
  int RepeatCount(const pugi::xml_node& cTn, const std::string& where) {
    pugi::xml_attribute attr = cTn.attribute("repeatCount");
    if (!attr) return 1;
    if (!std::strcmp(attr.as_string(), "indefinite")) return -1;
    double value = 0;
    if (!ParseDecimal(attr.as_string(), value) || value < 0) {
      ctx_.Diag().Warn("invalid repeat count", where + ": " + Quote(attr.as_string()));
      return 1;
    }
    if (value > kMaxRepeatThousandths) {
      ctx_.Diag().Warn("repeat count too large",
                       where + ": " + Quote(attr.as_string()) + " limited to 1000 repetitions");
      return kMaxRepeatThousandths;
    }
    if (value < 1000) {
      if (value != 0) ctx_.Diag().Warn("repeat count below one", where + ": played once");
      return 1;
    }
    return static_cast<int>(value);
  }

  static int FillCode(const std::string& fill) {
    if (fill == "remove") return 0;
    if (fill == "freeze") return 1;
    if (fill == "hold") return 2;
    if (fill == "transition") return 3;
    return -1;
  }

  std::wstring ShapeRef(const char* spid, const std::string& what) {
    int64_t value = 0;
    if (!ParseInteger(spid, value) || value < 0 || value > 0xFFFFFFFFll) {
      ctx_.Diag().Warn("invalid shape reference", ctx_.part + ": " + what + " spid " + Quote(spid));
      return std::wstring();
    }
    return std::to_wstring(value);
  }

  Target ReadTarget(const pugi::xml_node& tgtEl, const std::string& where) {
    Target target;
    if (!tgtEl) return target;
    if (pugi::xml_node sp = Child(tgtEl, "spTgt")) {
      target.shapeId = ShapeRef(sp.attribute("spid").as_string(), where);
      if (pugi::xml_node txEl = Child(sp, "txEl")) {
        if (pugi::xml_node range = Child(txEl, "pRg")) {
          target.text = true;
          int64_t st = 0, end = 0;
          if (!ParseInteger(range.attribute("st").as_string(), st) ||
              !ParseInteger(range.attribute("end").as_string(), end) || st < 0 || end < st ||
              end > 0x7FFFFFFF) {
            ctx_.Diag().Warn("invalid paragraph range",
                             where + ": " + Quote(range.attribute("st").as_string()) + " to " +
                                 Quote(range.attribute("end").as_string()));
            target.shapeId.clear();
            return target;
          }
          target.first = static_cast<int>(st);
          target.last = static_cast<int>(end);
        } else if (pugi::xml_node chars = Child(txEl, "charRg")) {
          target.text = target.characters = true;
          target.first = chars.attribute("st").as_int();
          target.last = chars.attribute("end").as_int();
        }
      } else if (Child(sp, "bg")) {
        target.background = true;
      } else if (pugi::xml_node sub = Child(sp, "subSp")) {
        target.subShape = ShapeRef(sub.attribute("spid").as_string(), where);
      } else if (Child(sp, "graphicEl") || Child(sp, "oleChartEl")) {
        target.element = true;
      }
    } else if (pugi::xml_node ink = Child(tgtEl, "inkTgt")) {
      target.shapeId = ShapeRef(ink.attribute("spid").as_string(), where);
    } else if (pugi::xml_node snd = Child(tgtEl, "sndTgt")) {
      target.sound = true;
      target.soundId = NsAttr(snd, "embed").as_string();
      target.soundName = WideText(snd.attribute("name").as_string());
    } else if (Child(tgtEl, "sldTgt")) {
      target.slide = true;
    }
    return target;
  }

  TargetFacts Facts(const std::wstring& id) {
    TargetFacts facts;
    boost::shared_ptr<platform::Shape> shape = ctx_.slide.FindShape(id);
    if (!shape) return facts;
    facts.hasText = shape->HasTextBody() && !shape->Text().Empty();
    facts.hasFill = shape->Fill().type != platform::eFillNone || !shape->picture.bytes.empty() ||
                    shape->Kind() == platform::ShapeKind::Picture;
    facts.hasLine = shape->Line().present;
    return facts;
  }

  // Widens a character range to the paragraphs it touches; false when it
  // lies outside the text.
  bool CharactersToParagraphs(const platform::Shape& shape, Target& target) {
    int offset = 0, first = -1, last = -1;
    const auto& paragraphs = shape.Text().paragraphs;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
      int length = static_cast<int>(paragraphs[i].Text().size()) + 1;
      if (first < 0 && target.first < offset + length) first = static_cast<int>(i);
      if (target.last >= offset) last = static_cast<int>(i);
      offset += length;
    }
    if (first < 0 || last < first) return false;
    target.first = first;
    target.last = last;
    return true;
  }

  // Sets the common keys of a behaviour from its time node; false when the
  // behaviour is unusable.
  bool ReadCommon(const pugi::xml_node& cTn, BehaviourNode& node, bool sub, uint32_t offset,
                  const std::string& where) {
    uint32_t duration = kIndefinite;
    bool hasDuration = cTn.attribute("dur");
    if (!TimeAttr(cTn, "dur", duration, where)) return false;
    if (hasDuration || !sub) node.Duration(static_cast<int>(duration));
    uint32_t delay = 0;
    if (!Delay(cTn, delay, where)) return false;
    uint64_t total = static_cast<uint64_t>(delay) + offset;
    node.Delay(static_cast<int>(std::min<uint64_t>(total, kIndefinite - 1)));
    Acceleration(cTn, node, where);
    bool flag = false;
    if (cTn.attribute("autoRev") && ParseBoolean(cTn.attribute("autoRev").as_string(), flag))
      node.Set<bool>(ePropAutoReverse, flag);
    int fill = FillCode(cTn.attribute("fill").as_string());
    if (fill >= 0) node.Set<int>(ePropFill, fill);
    // Playback speed in thousandths of a percent; -100000 plays backwards.
    if (pugi::xml_attribute spd = cTn.attribute("spd")) {
      double speed = 0;
      if (ParseDecimal(spd.as_string(), speed) && std::fabs(speed) <= 1e9)
        node.Set<float>(ePropSpeed306, static_cast<float>(speed));
      else
        ctx_.Diag().Warn("invalid number", where + ": spd = " + Quote(spd.as_string()));
    }
    // Sounds repeat themselves; the passes of a main behaviour are unrolled
    // by CollectBehaviours; a sub-animation plays once.
    if (cTn.attribute("repeatCount")) {
      int repeat = RepeatCount(cTn, where);
      if (node.GetKind() == eBehaviourAudio || !sub)
        node.Set<int>(ePropRepeatCount, repeat);
      else if (repeat != 1)
        ctx_.Diag().Warn("sub-animation repeat not supported", where + ": played once");
    }
    if (cTn.attribute("tmFilter"))
      ctx_.Diag().Warn("time filter not supported", where + ": played with its plain timing");
    if (sub) {
      if (!std::strcmp(cTn.attribute("masterRel").as_string(), "nextClick"))
        node.Set<int>(ePropSubAnimTrigger, 2);
      bool after = false;
      if (ParseBoolean(cTn.attribute("afterEffect").as_string(), after) && after) {
        node.Set<int>(ePropSubAnimStart, 1);
      } else {
        for (pugi::xml_node cond : Children(Child(cTn, "stCondLst"), "cond")) {
          std::string evt = cond.attribute("evt").as_string();
          if (evt == "begin" || evt == "onBegin") node.Set<int>(ePropSubAnimStart, 2);
        }
      }
    }
    return true;
  }

  // One behaviour element; null when it is skipped.
  boost::shared_ptr<BehaviourNode> ReadBehaviour(const pugi::xml_node& element, bool sub,
                                                 uint32_t offset, Target& target,
                                                 const std::string& effectWhere) {
    std::string where = effectWhere + ": " + LocalName(element);
    uint32_t kind = 0;
    if (Is(element, "anim"))
      kind = eBehaviourProperty;
    else if (Is(element, "animClr"))
      kind = eBehaviourColor;
    else if (Is(element, "animEffect"))
      kind = eBehaviourFilter;
    else if (Is(element, "animMotion"))
      kind = eBehaviourMotion;
    else if (Is(element, "animRot"))
      kind = eBehaviourRotation;
    else if (Is(element, "animScale"))
      kind = eBehaviourScale;
    else if (Is(element, "set"))
      kind = eBehaviourSet;
    else if (Is(element, "cmd"))
      kind = eBehaviourCommand;
    else if (Is(element, "audio"))
      kind = eBehaviourAudio;
    else {
      ctx_.Diag().Warn("unsupported behaviour", where + " is not read");
      return nullptr;
    }
    auto node = boost::make_shared<BehaviourNode>(kind);
    node->element = WideText(LocalName(element));
    pugi::xml_node cTn = BehaviourTimeNode(element);
    if (!ReadCommon(cTn, *node, sub, offset, where)) return nullptr;
    target = ReadTarget(BehaviourTarget(element), where);

    std::string attribute = Path(element, {"cBhvr", "attrNameLst", "attrName"}).text().get();
    node->attributeName = WideText(attribute.c_str());
    if (!attribute.empty() || kind == eBehaviourProperty || kind == eBehaviourSet ||
        kind == eBehaviourColor) {
      int code = eAttrNothing;
      if (!MapAttribute(attribute, kind, Facts(target.shapeId), code))
        ctx_.Diag().Warn("unknown attribute",
                         where + ": " + Quote(attribute.c_str()) + " is animated as nothing");
      node->Set<int>(ePropAttribute, code);
    }

    switch (kind) {
      case eBehaviourProperty:
        ReadAnim(element, *node, where);
        break;
      case eBehaviourColor:
        ReadAnimClr(element, *node);
        break;
      case eBehaviourFilter: {
        std::string filter = element.attribute("filter").as_string();
        node->filter = WideText(filter.c_str());
        FilterCode code;
        if (!MapFilter(filter, code)) {
          ctx_.Diag().Warn("unknown filter",
                           where + ": " + Quote(filter.c_str()) + " is drawn as nothing");
          code = FilterCode();
        }
        node->Set<int>(ePropFilterKind, code.kind);
        node->Set<int>(ePropFilterSubtype, code.subtype);
        node->Set<int>(ePropFadeOut,
                       std::strcmp(element.attribute("transition").as_string(), "out") == 0);
        break;
      }
      case eBehaviourMotion:
        ReadMotion(element, *node, where);
        break;
      case eBehaviourRotation:
        for (const char* name : {"by", "from", "to"}) {
          pugi::xml_attribute a = element.attribute(name);
          if (!a) continue;
          double value = 0;
          if (!ParseDecimal(a.as_string(), value) || std::fabs(value) > 2e9) {
            ctx_.Diag().Warn("invalid number", where + ": " + name + " = " + Quote(a.as_string()));
            continue;
          }
          EPropertyId key = !std::strcmp(name, "by")     ? ePropBy
                            : !std::strcmp(name, "from") ? ePropFrom
                                                         : ePropTo;
          node->Set<int>(key, static_cast<int>(value));
        }
        break;
      case eBehaviourScale:
        for (const char* name : {"by", "from", "to"}) {
          pugi::xml_node point = Child(element, name);
          if (!point) continue;
          Kinefold::TPoint p;
          if (!ParseDecimal(point.attribute("x").as_string(), p.x) ||
              !ParseDecimal(point.attribute("y").as_string(), p.y)) {
            ctx_.Diag().Warn("invalid number", where + ": " + name + " point");
            continue;
          }
          p.x /= 1000.0;
          p.y /= 1000.0;
          EPropertyId key = !std::strcmp(name, "by")     ? ePropBy
                            : !std::strcmp(name, "from") ? ePropFrom
                                                         : ePropTo;
          node->Set<Kinefold::TPoint>(key, p);
        }
        break;
      case eBehaviourSet:
        ReadValue(Child(element, "to"), *node, ePropToValueText, false);
        break;
      case eBehaviourCommand:
        node->command = WideText(element.attribute("cmd").as_string());
        break;
      case eBehaviourAudio: {
        pugi::xml_node media = Child(element, "cMediaNode");
        double volume = 0;
        if (ParseDecimal(media.attribute("vol").as_string(), volume))
          node->Set<double>(ePropMediaValue304, std::min(1.0, std::max(0.0, volume / 100000.0)));
        if (target.sound) {
          node->sound.name = target.soundName;
          if (const Relationship* rel = ctx_.package.FindRelationship(ctx_.part, target.soundId)) {
            node->sound.partName = rel->target;
            node->sound.contentType = ctx_.package.ContentType(rel->target);
            if (!rel->external)
              node->Set<std::wstring>(ePropSoundPart, WideText(rel->target.c_str()));
          } else if (!target.soundId.empty()) {
            ctx_.Diag().Warn("dangling relationship", where + ": sound " + target.soundId);
          }
        }
        break;
      }
      default:
        break;
    }
    return node;
  }

  // A value element (strVal, fltVal, intVal, boolVal, clrVal) under `holder`.
  void ReadValue(const pugi::xml_node& holder, BehaviourNode& node, EPropertyId key, bool numbers) {
    if (pugi::xml_node s = Child(holder, "strVal")) {
      node.Set<std::wstring>(key, WideText(s.attribute("val").as_string()));
    } else if (pugi::xml_node f = Child(holder, "fltVal")) {
      double v = 0;
      ParseDecimal(f.attribute("val").as_string(), v);
      if (numbers)
        node.Set<float>(key, static_cast<float>(v));
      else
        node.Set<std::wstring>(key, WideText(f.attribute("val").as_string()));
    } else if (pugi::xml_node i = Child(holder, "intVal")) {
      int64_t v = 0;
      ParseInteger(i.attribute("val").as_string(), v);
      if (numbers)
        node.Set<float>(key, static_cast<float>(v));
      else
        node.Set<std::wstring>(key, std::to_wstring(v));
    } else if (pugi::xml_node b = Child(holder, "boolVal")) {
      bool v = false;
      ParseBoolean(b.attribute("val").as_string(), v);
      node.Set<std::wstring>(key, v ? L"true" : L"false");
    } else if (pugi::xml_node c = Child(holder, "clrVal")) {
      Kinefold::TColor colour;
      if (ctx_.colours.ResolveChild(c, colour)) node.Set<Kinefold::TColor>(key, colour);
    }
  }

  void ReadAnim(const pugi::xml_node& element, BehaviourNode& node, const std::string& where) {
    if (element.attribute("by"))
      node.Set<std::wstring>(ePropBy, WideText(element.attribute("by").as_string()));
    if (element.attribute("from"))
      node.Set<std::wstring>(ePropFrom, WideText(element.attribute("from").as_string()));
    if (element.attribute("to"))
      node.Set<std::wstring>(ePropTo, WideText(element.attribute("to").as_string()));
    std::vector<pugi::xml_node> points = Children(Child(element, "tavLst"), "tav");
    if (points.empty()) return;
    if (points.size() > ctx_.Limits().maxListEntries) {
      ctx_.Diag().Warn("time-value list too long",
                       where + ": the first " + std::to_string(ctx_.Limits().maxListEntries) +
                           " points are read");
      points.resize(ctx_.Limits().maxListEntries);
    }
    auto list = boost::make_shared<PropertySheetList>();
    double previous = 0;
    bool normalised = false;
    for (size_t i = 0; i < points.size(); ++i) {
      auto sheet = boost::make_shared<platform::PropertySheet>();
      // Times in thousandths of a percent; absent times spread evenly.
      double percent = points.size() > 1 ? 100.0 * static_cast<double>(i) / (points.size() - 1) : 0;
      pugi::xml_attribute tm = points[i].attribute("tm");
      double value = 0;
      if (tm && std::strcmp(tm.as_string(), "indefinite") != 0) {
        if (ParseDecimal(tm.as_string(), value))
          percent = value / 1000.0;
        else
          ctx_.Diag().Warn("invalid time value", where + ": tav tm = " + Quote(tm.as_string()));
      }
      double clamped = std::min(100.0, std::max(previous, percent));
      if (clamped != percent) normalised = true;
      previous = clamped;
      sheet->Set<double>(ePropTavTime, clamped);
      BehaviourNode holder(0);
      ReadValue(Child(points[i], "val"), holder, ePropTavValue, true);
      boost::shared_ptr<IPropertyValue> v;
      holder.Sheet()->GetProperty(v, ePropTavValue);
      if (v) sheet->SetProperty(ePropTavValue, v);
      if (points[i].attribute("fmla"))
        sheet->Set<std::wstring>(ePropTavFormula,
                                 WideText(points[i].attribute("fmla").as_string()));
      list->Add(sheet);
    }
    if (normalised)
      ctx_.Diag().Warn("key times out of order or range", where + ": moved into 0 to 100 percent");
    node.Sheet()->SetList(ePropTimeValueList, list);
  }

  void ReadAnimClr(const pugi::xml_node& element, BehaviourNode& node) {
    bool hsl = !std::strcmp(element.attribute("clrSpc").as_string(), "hsl");
    node.Set<int>(ePropColorSpace, hsl ? 1 : 0);
    pugi::xml_node by = Child(element, "by");
    if (pugi::xml_node h = Child(by, "hsl")) {
      node.Set<int>(ePropHueBy, SaturatedInt(h.attribute("h").as_double() / 60000.0));
      node.Set<int>(ePropSaturationBy, SaturatedInt(h.attribute("s").as_double() / 1000.0));
      node.Set<int>(ePropLightnessBy, SaturatedInt(h.attribute("l").as_double() / 1000.0));
    } else if (pugi::xml_node rgb = Child(by, "rgb")) {
      // Percentages of full scale, onto the 0..255 offsets the agents add.
      auto scale = [](double v) { return SaturatedInt(std::round(v / 100000.0 * 255.0)); };
      node.Set<int>(ePropRedBy, scale(rgb.attribute("r").as_double()));
      node.Set<int>(ePropGreenBy, scale(rgb.attribute("g").as_double()));
      node.Set<int>(ePropBlueBy, scale(rgb.attribute("b").as_double()));
    }
    Kinefold::TColor colour;
    if (ctx_.colours.ResolveChild(Child(element, "to"), colour))
      node.Set<Kinefold::TColor>(ePropToValueText, colour);
  }

  void ReadMotion(const pugi::xml_node& element, BehaviourNode& node, const std::string& where) {
    if (pugi::xml_attribute path = element.attribute("path")) {
      // Every text unit parses its own copy of the path: a path text past the
      // limit is dropped, and the shape stays where it is.
      const size_t length = std::strlen(path.as_string());
      if (length > ctx_.Limits().maxPathText)
        ctx_.Diag().Warn("motion path too long", where + ": " + std::to_string(length) +
                                                     " characters, more than " +
                                                     std::to_string(ctx_.Limits().maxPathText));
      else
        node.Set<std::wstring>(ePropMotionPath, WideText(path.as_string()));
    }
    // Points in thousandths of a percent of the slide: fractions of it.
    for (const char* name : {"by", "from", "to"}) {
      pugi::xml_node point = Child(element, name);
      if (!point) continue;
      Kinefold::TPoint p;
      if (!ParseDecimal(point.attribute("x").as_string(), p.x) ||
          !ParseDecimal(point.attribute("y").as_string(), p.y)) {
        ctx_.Diag().Warn("invalid number", where + ": " + name + " point");
        continue;
      }
      p.x /= 100000.0;
      p.y /= 100000.0;
      EPropertyId key = !std::strcmp(name, "by")     ? ePropMotionBy
                        : !std::strcmp(name, "from") ? ePropMotionFrom
                                                     : ePropMotionTo;
      node.Set<Kinefold::TPoint>(key, p);
    }
    // Paths start where the shape stands: their points are offsets from it in
    // fractions of the slide, whatever the origin says (it names the frame
    // the fractions are of). A locked path ("fixed") stays put while the
    // slide is edited; that changes nothing when it plays.
    node.Set<int>(ePropMotionPathMode, 1);
    std::string edit = element.attribute("pathEditMode").as_string();
    node.Set<int>(ePropMotionOrigin, edit == "fixed" ? 0 : 1);
    node.pathEditMode = WideText(edit.c_str());
  }

  // Behaviours of an effect's child list; nested containers add their delay.
  void CollectBehaviours(const pugi::xml_node& list, uint32_t offset, size_t depth,
                         std::vector<boost::shared_ptr<BehaviourNode>>& out,
                         std::vector<Target>& targets, const std::string& where) {
    for (pugi::xml_node child : Elements(list)) {
      if (IsContainer(child)) {
        if (depth + 1 > ctx_.Limits().maxDepth) {
          ctx_.Diag().Warn("nesting too deep", where + ": nested time nodes skipped");
          continue;
        }
        if (Is(child, "seq"))
          ctx_.Diag().Warn("sequence inside an effect", where + ": its children start together");
        uint32_t delay = 0;
        if (!Delay(Child(child, "cTn"), delay, where)) continue;
        CollectBehaviours(Path(child, {"cTn", "childTnLst"}), offset + std::min(delay, 0x7FFFFFFFu),
                          depth + 1, out, targets, where);
        continue;
      }
      if (Is(child, "video")) {
        ctx_.Diag().Warn("video node inside an effect", where + ": not read");
        continue;
      }
      if (out.size() >= ctx_.Limits().maxBehavioursPerEffect || !BehaviourBudget(where)) {
        ctx_.Diag().Warn("behaviour limit reached", where + ": later behaviours skipped");
        return;
      }
      Target target;
      boost::shared_ptr<BehaviourNode> node = ReadBehaviour(child, false, offset, target, where);
      if (!node) continue;
      out.push_back(node);
      targets.push_back(target);
      UnrollRepeats(out, targets, where + ": " + LocalName(child));
    }
  }

  // Whether copies of a behaviour played one after another draw what its
  // repeats draw. Each copy starts over from the behaviour's start state as
  // a repeat does, except the copies of a rotation, and of a scale without a
  // from value: they add onto what the copies before them left. That shows
  // only when a pass does not end where it started: it does not reverse, turn
  // whole turns or scale by 100 %.
  static bool CopiesRepeatExactly(const BehaviourNode& node) {
    const boost::shared_ptr<IInterface> sheet = node.Sheet();
    if (GetBool(sheet, ePropAutoReverse)) return true;
    if (node.GetKind() == eBehaviourRotation) {
      const double turn = Has(sheet, ePropTo)
                              ? GetDouble(sheet, ePropTo) - GetDouble(sheet, ePropFrom)
                              : GetDouble(sheet, ePropBy);
      return std::fmod(turn, 21600000.0) == 0.0;  // 360° in 1/60000 degree
    }
    if (node.GetKind() == eBehaviourScale && !Has(sheet, ePropFrom)) {
      const Kinefold::TPoint size = GetPoint(sheet, Has(sheet, ePropTo) ? ePropTo : ePropBy);
      return size.x == 100.0 && size.y == 100.0;
    }
    return true;
  }

  // Plays the repeats of the last behaviour of `out` as copies of it, one
  // pass (twice its duration when it reverses) after another. A count with a
  // fraction plays its whole passes and holds the end state for the rest;
  // an endless one plays once. The node that ends the passes keeps what is
  // left of the count, so the effect's length counts every pass.
  void UnrollRepeats(std::vector<boost::shared_ptr<BehaviourNode>>& out,
                     std::vector<Target>& targets, const std::string& where) {
    const boost::shared_ptr<BehaviourNode> node = out.back();
    const boost::shared_ptr<IInterface> sheet = node;
    if (node->GetKind() == eBehaviourAudio || !Has(sheet, ePropRepeatCount)) return;
    const int repeat = GetInt(sheet, ePropRepeatCount);
    const uint32_t duration = static_cast<uint32_t>(GetInt(sheet, ePropDuration));
    if (repeat == 1 || duration == kIndefinite) {
      node->Sheet()->Remove(ePropRepeatCount);
      return;
    }
    if (repeat < 0) {
      ctx_.Diag().Warn("endless behaviour repeat",
                       where + ": one pass drawn, the effect is endless");
      return;
    }
    if (repeat % 1000 != 0)
      ctx_.Diag().Warn("fractional behaviour repeat",
                       where + ": " + std::to_string(repeat / 1000) +
                           " whole passes drawn, then the end state held");
    if (!CopiesRepeatExactly(*node))
      ctx_.Diag().Warn("repeated turn or scale adds up",
                       where + ": each pass goes on from where the one before ended");
    const uint64_t pass =
        static_cast<uint64_t>(duration) * (GetBool(sheet, ePropAutoReverse) ? 2 : 1);
    const uint64_t delay = static_cast<uint32_t>(GetInt(sheet, ePropDelay));
    node->Sheet()->Remove(ePropRepeatCount);
    int left = repeat;  // thousandths still to play, the last node's pass included
    boost::shared_ptr<BehaviourNode> last = node;
    for (uint64_t k = 1; left >= 2000; ++k) {
      if (out.size() >= ctx_.Limits().maxBehavioursPerEffect || !BehaviourBudget(where)) {
        ctx_.Diag().Warn("behaviour limit reached", where + ": later passes show the end state");
        break;
      }
      left -= 1000;
      last = node->Clone();
      last->Delay(static_cast<int>(std::min<uint64_t>(delay + k * pass, kIndefinite - 1)));
      out.push_back(last);
      targets.push_back(targets.back());
    }
    if (left != 1000) last->Set<int>(ePropRepeatCount, left);
  }

  void ReadEffect(const pugi::xml_node& cTn, const boost::shared_ptr<TriggerCondition>& trigger,
                  int inferredNodeType) {
    std::string where = EffectWhere(cTn);
    if (effects_->Effects().size() >= ctx_.Limits().maxEffectsPerSlide) {
      if (!effectLimitReported_)
        ctx_.Diag().Warn("effect limit reached",
                         ctx_.part + ": more than " +
                             std::to_string(ctx_.Limits().maxEffectsPerSlide) +
                             " effects; the rest are skipped");
      effectLimitReported_ = true;
      return;
    }
    uint32_t delay = 0;
    if (!Delay(cTn, delay, where)) {
      ctx_.Diag().Warn("effect skipped", where + ": unusable timing");
      return;
    }
    uint32_t ownDuration = 0;
    if (!TimeAttr(cTn, "dur", ownDuration, where)) {
      ctx_.Diag().Warn("effect skipped", where + ": unusable timing");
      return;
    }

    std::vector<boost::shared_ptr<BehaviourNode>> mains;
    std::vector<Target> targets;
    CollectBehaviours(Child(cTn, "childTnLst"), 0, 0, mains, targets, where);

    // The effect animates what its first behaviour that names a shape animates.
    const Target* target = nullptr;
    for (const Target& t : targets)
      if (!t.shapeId.empty()) {
        target = &t;
        break;
      }
    if (!target) {
      ctx_.Diag().Warn("effect without target", where + ": no behaviour names a shape");
      return;
    }
    for (const Target& t : targets)
      if (!t.shapeId.empty() && t.shapeId != target->shapeId)
        ctx_.Diag().Warn("behaviour of another shape",
                         where + ": behaviours of one effect animate its first target");
    Target range = *target;
    boost::shared_ptr<platform::Shape> shape = ctx_.slide.FindShape(range.shapeId);
    if (!shape)
      ctx_.Diag().Warn(
          "effect on a missing shape",
          where + ": shape " + platform::ToUtf8(range.shapeId) + " is not on the slide");
    if (range.text && shape) {
      int count = static_cast<int>(shape->Text().paragraphs.size());
      if (range.characters && !CharactersToParagraphs(*shape, range))
        count = -1;
      else if (range.characters)
        ctx_.Diag().Warn("character range widened", where + ": animated by whole paragraphs");
      if (count < 0 || range.first >= count) {
        ctx_.Diag().Warn("paragraph range out of bounds",
                         where + ": paragraphs " + std::to_string(range.first) + " to " +
                             std::to_string(range.last) + " of a text of " +
                             std::to_string(std::max(count, 0)) + "; effect skipped");
        return;
      }
      if (range.last >= count) {
        ctx_.Diag().Warn("paragraph range out of bounds",
                         where + ": range end " + std::to_string(range.last) + " limited to " +
                             std::to_string(count - 1));
        range.last = count - 1;
      }
    }
    if (range.element)
      ctx_.Diag().Warn("chart or diagram element",
                       where + ": the element's effect animates the whole frame");

    auto effect = boost::make_shared<Effect>(range.shapeId);
    effect->SetTrigger(trigger);

    // Preset class: as written, else read from what the effect does.
    int presetClass = 2;
    std::string className = cTn.attribute("presetClass").as_string();
    effect->presetClassName = WideText(className.c_str());
    if (!PresetClassCode(className, presetClass)) {
      if (!className.empty())
        ctx_.Diag().Warn("unknown preset class", where + ": " + Quote(className.c_str()));
      presetClass = 2;
      if (!mains.empty() && mains.front()->GetKind() == eBehaviourSet &&
          GetInt(mains.front(), ePropAttribute) == eAttrVisibility) {
        std::wstring to = GetString(mains.front(), ePropToValueText);
        if (to == L"visible") presetClass = 0;
        if (to == L"hidden") presetClass = 1;
      }
    }
    effect->PresetClass(presetClass);
    effect->presetId = cTn.attribute("presetID").as_int();
    effect->presetSubtype = cTn.attribute("presetSubtype").as_int();
    effect->groupId = cTn.attribute("grpId").as_int(-1);

    int nodeType = inferredNodeType;
    std::string nodeTypeName = cTn.attribute("nodeType").as_string();
    if (!nodeTypeName.empty() && !NodeTypeCode(nodeTypeName, nodeType)) {
      ctx_.Diag().Warn("unknown node type", where + ": " + Quote(nodeTypeName.c_str()));
      nodeType = inferredNodeType;
    }
    effect->NodeType(nodeType);
    effect->Delay(static_cast<int>(delay));

    int repeat = RepeatCount(cTn, where);
    effect->Set<int>(ePropRepeatCount, repeat);
    if (repeat == -1) {
      // How long an endless repeat lasts: to the next click, else the slide's end.
      bool untilClick = false;
      for (pugi::xml_node cond : Children(Child(cTn, "endCondLst"), "cond"))
        if (!std::strcmp(cond.attribute("evt").as_string(), "onNext")) untilClick = true;
      auto ends = boost::make_shared<PropertySheetList>();
      auto end = boost::make_shared<platform::PropertySheet>();
      end->Set<int>(ePropSubAnimStart, untilClick ? 8 : 12);
      ends->Add(end);
      effect->Sheet()->SetList(ePropSubEffects, ends);
    }
    Acceleration(cTn, *effect, where);
    bool flag = false;
    if (cTn.attribute("autoRev") && ParseBoolean(cTn.attribute("autoRev").as_string(), flag))
      effect->Set<bool>(ePropAutoReverse, flag);
    int fill = FillCode(cTn.attribute("fill").as_string());
    if (fill >= 0) effect->Set<int>(ePropFill, fill);

    // Text: a paragraph range builds by paragraph; a whole-object build.
    if (range.text) {
      effect->Set<bool>(ePropByParagraph, true);
      effect->Set<int>(ePropParagraphFirst, range.first);
      effect->Set<int>(ePropParagraphLast, range.last);
    }
    if (range.background) effect->Set<bool>(ePropAnimateBackground, true);
    if (!range.subShape.empty()) effect->Set<std::wstring>(ePropAnimationMark, range.subShape);
    auto build = builds_.find({range.shapeId, effect->groupId});
    // Built as one object without its attached shape ("animBg" off): the
    // text moves alone and the shape's own drawing stays where it is.
    if (build != builds_.end() && build->second.build == "whole" && !build->second.animBg &&
        !range.text)
      effect->Set<bool>(ePropWholeText, true);

    if (pugi::xml_node iterate = Child(cTn, "iterate")) {
      std::string type = iterate.attribute("type").as_string("el");
      int code = type == "wd" ? 1 : type == "lt" ? 2 : 0;
      effect->Set<int>(ePropIterateType, code);
      if (code >= 1) effect->Set<bool>(ePropFlag325, true);
      bool backwards = false;
      if (ParseBoolean(iterate.attribute("backwards").as_string(), backwards) && backwards)
        ctx_.Diag().Warn("backwards iteration", where + ": played forwards");
      if (pugi::xml_node abs = Child(iterate, "tmAbs")) {
        uint32_t interval = 0;
        if (TimeAttr(abs, "val", interval, where) && interval != kIndefinite)
          effect->Set<int>(ePropIterateTime, static_cast<int>(interval));
      } else {
        double percent = 10000;
        pugi::xml_node pct = Child(iterate, "tmPct");
        if (pct && (!ParseDecimal(pct.attribute("val").as_string(), percent) || percent < 0 ||
                    percent > 100000)) {
          ctx_.Diag().Warn("invalid number", where + ": iterate tmPct");
          percent = 10000;
        }
        effect->Set<int>(ePropIteratePercent, static_cast<int>(std::lround(percent / 1000.0)));
      }
    }

    // A media call: where to play from, and for how long. Pausing and
    // stopping have no place on the slide's timeline.
    if (presetClass == 5) {
      bool plays = false;
      for (const auto& node : mains) {
        if (node->GetKind() != eBehaviourCommand) continue;
        std::string cmd = platform::ToUtf8(node->command);
        double seconds = 0;
        if (cmd.rfind("playFrom(", 0) == 0 && cmd.back() == ')') {
          if (ParseDecimal(cmd.substr(9, cmd.size() - 10).c_str(), seconds) && seconds >= 0)
            effect->Set<double>(ePropMediaStart, seconds);
          else
            ctx_.Diag().Warn("invalid number", where + ": " + Quote(cmd.c_str()) + " plays from 0");
        } else if (cmd != "play") {
          continue;
        }
        plays = true;
        effect->Set<int>(ePropMediaDuration, GetInt(node, ePropDuration));
        break;
      }
      if (!plays) {
        ctx_.Diag().Warn("media command not animated",
                         where + ": only playing media has a place on the timeline");
        return;
      }
    }

    for (const auto& node : mains) effect->AddBehaviour(node);
    for (pugi::xml_node sub : Elements(Child(cTn, "subTnLst"))) {
      if (effect->GetMainBehaviourCount() + effect->GetSubAnimationCount() >=
              ctx_.Limits().maxBehavioursPerEffect ||
          !BehaviourBudget(where)) {
        ctx_.Diag().Warn("behaviour limit reached", where + ": later sub-animations skipped");
        break;
      }
      if (IsContainer(sub)) {
        ctx_.Diag().Warn("unsupported behaviour",
                         where + ": nested " + sub.name() + " in a sub-animation list is not read");
        continue;
      }
      Target subTarget;
      if (boost::shared_ptr<BehaviourNode> node = ReadBehaviour(sub, true, 0, subTarget, where))
        effect->AddSubAnimation(node);
    }
    effects_->AddEffect(effect);
  }

  // Counts one more behaviour of the slide; false once the slide's budget is spent.
  bool BehaviourBudget(const std::string& where) {
    (void)where;
    return ++behaviourCount_ <= ctx_.Limits().maxBehavioursPerSlide;
  }

  // ---- media ---------------------------------------------------------------

  void ReadMediaNode(const pugi::xml_node& element) {
    pugi::xml_node media = Child(element, "cMediaNode");
    std::string where = ctx_.part + ": " + LocalName(element) + " node";
    std::wstring id =
        ShapeRef(Path(media, {"tgtEl", "spTgt"}).attribute("spid").as_string(), where);
    if (id.empty()) return;
    boost::shared_ptr<platform::Shape> shape = ctx_.slide.FindShape(id);
    if (!shape || shape->Media() == platform::MediaKind::None) {
      ctx_.Diag().Warn("media node without media", where + ": shape " + platform::ToUtf8(id));
      return;
    }
    platform::MediaInfo info = shape->mediaInfo;
    double volume = 0;
    if (ParseDecimal(media.attribute("vol").as_string(), volume))
      info.volume = std::min(1.0, std::max(0.0, volume / 100000.0));
    bool flag = false;
    if (ParseBoolean(media.attribute("mute").as_string(), flag)) info.muted = flag;
    if (ParseBoolean(media.attribute("showWhenStopped").as_string(), flag))
      info.hiddenWhenStopped = !flag;
    pugi::xml_node cTn = Child(media, "cTn");
    if (cTn.attribute("repeatCount")) {
      int repeat = RepeatCount(cTn, where);
      info.loops = repeat == -1;
      info.repeatCount = repeat == -1 ? -1 : std::max(1, repeat / 1000);
    }
    shape->SetMediaInfo(info);
  }

  SlideContext& ctx_;
  boost::shared_ptr<platform::EffectList> effects_;
  std::map<std::pair<std::wstring, int>, BuildInfo> builds_;
  bool effectLimitReported_ = false;
  size_t behaviourCount_ = 0;
};

}  // namespace

void ReadTiming(SlideContext& context, const pugi::xml_node& timing) {
  Reader(context).Read(timing);
}

void AddMediaObjects(SlideContext& context) {
  const boost::shared_ptr<platform::EffectList>& effects = context.slide.Effects();
  for (const auto& shape : context.slide.AllShapes()) {
    if (shape->Media() == platform::MediaKind::None) continue;
    platform::Media& media = shape->Media() == platform::MediaKind::Audio
                                 ? effects->AddSound(shape->Id())
                                 : effects->AddVideo(shape->Id());
    const platform::MediaInfo& info = shape->mediaInfo;
    media.Set<double>(ePropMediaValue304, info.volume);
    media.Set<int>(ePropMediaValue351, info.loops ? 1 : 0);
    if (info.loops || info.repeatCount != 1)
      media.Set<int>(ePropMediaRepeatCount, info.loops ? -1 : info.repeatCount);
  }
}

}  // namespace pptx
