// Entry point of the timing reader; sequences and their effects, the build
// list, triggers, time attributes and the targets behaviours name.
#include "pptx/TimingReader.h"

#include "pptx/TimingReaderImpl.h"

namespace pptx {
namespace detail {

void Reader::Read(const pugi::xml_node& timing) {
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

void Reader::ReadBuildList(const pugi::xml_node& list) {
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

bool Reader::HasTrigger(const pugi::xml_node& cTn) {
  for (pugi::xml_node cond : Children(Child(cTn, "stCondLst"), "cond")) {
    std::string evt = cond.attribute("evt").as_string();
    if (evt == "onClick" || evt == "onMediaBookmark") return true;
  }
  return false;
}

boost::shared_ptr<TriggerCondition> Reader::MakeTrigger(const pugi::xml_node& cTn) {
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

void Reader::ReadSequence(const pugi::xml_node& seq,
                          const boost::shared_ptr<TriggerCondition>& trigger) {
  Walk(Path(seq, {"cTn", "childTnLst"}), trigger, 1, 0, 0);
}

void Reader::Walk(const pugi::xml_node& list, const boost::shared_ptr<TriggerCondition>& trigger,
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

bool Reader::IsEffectNode(const pugi::xml_node& cTn) {
  if (cTn.attribute("presetClass")) return true;
  int code = 0;
  if (NodeTypeCode(cTn.attribute("nodeType").as_string(), code)) return true;
  for (pugi::xml_node child : Elements(Child(cTn, "childTnLst")))
    if (IsBehaviour(child)) return true;
  return false;
}

std::string Reader::EffectWhere(const pugi::xml_node& cTn) {
  return ctx_.part + ": effect " + cTn.attribute("id").as_string("?");
}

bool Reader::TimeAttr(const pugi::xml_node& node, const char* name, uint32_t& out,
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

bool Reader::Delay(const pugi::xml_node& cTn, uint32_t& out, const std::string& where) {
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

bool Reader::Fraction(const pugi::xml_node& cTn, const char* name, float& out,
                      const std::string& where) {
  pugi::xml_attribute attr = cTn.attribute(name);
  if (!attr) return false;
  double value = 0;
  if (!ParseDecimal(attr.as_string(), value) || value < 0 || value > 100000) {
    ctx_.Diag().Warn("invalid acceleration", where + ": " + name + " = " + Quote(attr.as_string()));
    return false;
  }
  out = static_cast<float>(value);
  return true;
}

int Reader::RepeatCount(const pugi::xml_node& cTn, const std::string& where) {
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

int Reader::FillCode(const std::string& fill) {
  if (fill == "remove") return 0;
  if (fill == "freeze") return 1;
  if (fill == "hold") return 2;
  if (fill == "transition") return 3;
  return -1;
}

std::wstring Reader::ShapeRef(const char* spid, const std::string& what) {
  int64_t value = 0;
  if (!ParseInteger(spid, value) || value < 0 || value > 0xFFFFFFFFll) {
    ctx_.Diag().Warn("invalid shape reference", ctx_.part + ": " + what + " spid " + Quote(spid));
    return std::wstring();
  }
  return std::to_wstring(value);
}

Target Reader::ReadTarget(const pugi::xml_node& tgtEl, const std::string& where) {
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

TargetFacts Reader::Facts(const std::wstring& id) {
  TargetFacts facts;
  boost::shared_ptr<platform::Shape> shape = ctx_.slide.FindShape(id);
  if (!shape) return facts;
  facts.hasText = shape->HasTextBody() && !shape->Text().Empty();
  facts.hasFill = shape->Fill().type != platform::eFillNone || !shape->picture.bytes.empty() ||
                  shape->Kind() == platform::ShapeKind::Picture;
  facts.hasLine = shape->Line().present;
  return facts;
}

bool Reader::CharactersToParagraphs(const platform::Shape& shape, Target& target) {
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

void Reader::ReadEffect(const pugi::xml_node& cTn,
                        const boost::shared_ptr<TriggerCondition>& trigger, int inferredNodeType) {
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
    ctx_.Diag().Warn("effect on a missing shape",
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

}  // namespace detail

void ReadTiming(SlideContext& context, const pugi::xml_node& timing) {
  detail::Reader(context).Read(timing);
}

}  // namespace pptx
