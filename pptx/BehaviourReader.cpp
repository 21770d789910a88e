// The timing reader's behaviour elements: common timing keys, anim, animClr,
// motion, values, repeats unrolled into copies, and the per-slide budget.
#include "pptx/TimingReaderImpl.h"

namespace pptx {
namespace detail {

bool Reader::ReadCommon(const pugi::xml_node& cTn, BehaviourNode& node, bool sub, uint32_t offset,
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

boost::shared_ptr<BehaviourNode> Reader::ReadBehaviour(const pugi::xml_node& element, bool sub,
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
      ReadPoints(element, *node, 1000.0, {ePropBy, ePropFrom, ePropTo}, where);
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

void Reader::ReadValue(const pugi::xml_node& holder, BehaviourNode& node, EPropertyId key,
                       bool numbers) {
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

void Reader::ReadAnim(const pugi::xml_node& element, BehaviourNode& node,
                      const std::string& where) {
  if (element.attribute("by"))
    node.Set<std::wstring>(ePropBy, WideText(element.attribute("by").as_string()));
  if (element.attribute("from"))
    node.Set<std::wstring>(ePropFrom, WideText(element.attribute("from").as_string()));
  if (element.attribute("to"))
    node.Set<std::wstring>(ePropTo, WideText(element.attribute("to").as_string()));
  std::vector<pugi::xml_node> points = Children(Child(element, "tavLst"), "tav");
  if (points.empty()) return;
  if (points.size() > ctx_.Limits().maxListEntries) {
    ctx_.Diag().Warn(
        "time-value list too long",
        where + ": the first " + std::to_string(ctx_.Limits().maxListEntries) + " points are read");
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
      sheet->Set<std::wstring>(ePropTavFormula, WideText(points[i].attribute("fmla").as_string()));
    list->Add(sheet);
  }
  if (normalised)
    ctx_.Diag().Warn("key times out of order or range", where + ": moved into 0 to 100 percent");
  node.Sheet()->SetList(ePropTimeValueList, list);
}

void Reader::ReadAnimClr(const pugi::xml_node& element, BehaviourNode& node) {
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

void Reader::ReadMotion(const pugi::xml_node& element, BehaviourNode& node,
                        const std::string& where) {
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
  ReadPoints(element, node, 100000.0, {ePropMotionBy, ePropMotionFrom, ePropMotionTo}, where);
  // Paths start where the shape stands: their points are offsets from it in
  // fractions of the slide, whatever the origin says (it names the frame
  // the fractions are of). A locked path ("fixed") stays put while the
  // slide is edited; that changes nothing when it plays.
  node.Set<int>(ePropMotionPathMode, 1);
  std::string edit = element.attribute("pathEditMode").as_string();
  node.Set<int>(ePropMotionOrigin, edit == "fixed" ? 0 : 1);
  node.pathEditMode = WideText(edit.c_str());
}

void Reader::ReadPoints(const pugi::xml_node& element, BehaviourNode& node, double unit,
                        const EPropertyId (&keys)[3], const std::string& where) {
  const char* const names[3] = {"by", "from", "to"};
  for (int i = 0; i < 3; ++i) {
    pugi::xml_node point = Child(element, names[i]);
    if (!point) continue;
    Kinefold::TPoint p;
    if (!ParseDecimal(point.attribute("x").as_string(), p.x) ||
        !ParseDecimal(point.attribute("y").as_string(), p.y)) {
      ctx_.Diag().Warn("invalid number", where + ": " + names[i] + " point");
      continue;
    }
    p.x /= unit;
    p.y /= unit;
    node.Set<Kinefold::TPoint>(keys[i], p);
  }
}

void Reader::CollectBehaviours(const pugi::xml_node& list, uint32_t offset, size_t depth,
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

bool Reader::CopiesRepeatExactly(const BehaviourNode& node) {
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

void Reader::UnrollRepeats(std::vector<boost::shared_ptr<BehaviourNode>>& out,
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
    ctx_.Diag().Warn("endless behaviour repeat", where + ": one pass drawn, the effect is endless");
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

bool Reader::BehaviourBudget(const std::string& where) {
  (void)where;
  return ++behaviourCount_ <= ctx_.Limits().maxBehavioursPerSlide;
}

}  // namespace detail

}  // namespace pptx
