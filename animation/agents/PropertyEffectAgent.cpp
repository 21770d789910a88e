#include "agents/PropertyEffectAgent.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <vector>

#include <boost/make_shared.hpp>

#include "agents/TransformOps.h"
#include "agents/VelocityProfile.h"
#include "host/Properties.h"

namespace {

const double kPi = 3.141592653589793;
// Host trees are shallow; a deeper walk would be a cycle.
const int kMaxPartDepth = 64;

bool IsShapeAttribute(int32_t attribute) {
  return (attribute >= 0 && attribute <= 9) || (attribute >= 15 && attribute <= 20);
}

bool IsTextAttribute(int32_t attribute) {
  return attribute >= 10 && attribute <= 14;
}

Kinefold::TColorMatrix* ColourTransformOf(const boost::shared_ptr<IScreenObject>& object) {
  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(object);
  return shape ? shape->GetColorTransform() : nullptr;
}

void ShowPart(const boost::shared_ptr<IScreenObject>& object, int depth) {
  if (!object || depth > kMaxPartDepth) return;
  if (Kinefold::TColorMatrix* colour = ColourTransformOf(object)) colour->alphaMul = 1.0;
  if (boost::shared_ptr<IShapeTarget> compound = QueryAs<IShapeTarget>(object, eIidShapeTarget))
    for (uint32_t i = 0; i < compound->GetChildCount(); ++i)
      ShowPart(compound->GetChild(i), depth + 1);
}

void HidePart(const boost::shared_ptr<IScreenObject>& object, int depth) {
  if (!object || depth > kMaxPartDepth) return;
  boost::shared_ptr<IShapeTarget> compound = QueryAs<IShapeTarget>(object, eIidShapeTarget);
  if (compound && compound->GetChildCount() > 0) {
    for (uint32_t i = 0; i < compound->GetChildCount(); ++i)
      HidePart(compound->GetChild(i), depth + 1);
    return;
  }
  // A leaf, or a compound without parts, hides itself.
  if (Kinefold::TColorMatrix* colour = ColourTransformOf(object)) colour->alphaMul = 0.0;
}

void VisitItems(const boost::shared_ptr<IItemList>& items,
                const std::function<void(const boost::shared_ptr<IScreenObject>&)>& visit) {
  if (!items) return;
  const uint32_t count = items->GetItemCount();
  for (uint32_t i = 0; i < count; ++i)
    if (boost::shared_ptr<IScreenObject> item = items->GetItem(i)) visit(item);
}

}  // namespace

namespace attribute {

double Fraction(double a, double b) {
  return b == 0.0 ? 0.0 : a / b;
}

void Geometry::Take(const BaseEffectAgent& agent, const boost::shared_ptr<IScreenObject>& context) {
  const TRect& r = agent.Bounds();
  w = std::fabs(r.right - r.left);
  h = std::fabs(r.bottom - r.top);
  cx = r.left + w * 0.5;
  cy = r.top + h * 0.5;
  slideWidth = agent.SlideRect().right;
  slideHeight = agent.SlideRect().bottom;
  if (slideWidth == 0.0 || slideHeight == 0.0) {
    fractions[0] = fractions[1] = fractions[2] = fractions[3] = 0.0;
  } else {
    fractions[0] = cx / slideWidth;
    fractions[1] = cy / slideHeight;
    fractions[2] = h / slideHeight;
    fractions[3] = w / slideWidth;
  }
  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(context);
  const double* m = shape ? shape->GetTransform() : nullptr;
  if (!m) {
    mappedX = cx;
    mappedY = cy;
    mappedW = w;
    mappedH = h;
    return;
  }
  transform::MapPoint(m, cx, cy, mappedX, mappedY);
  mappedW = m[transform::kA] * w + m[transform::kC] * h;
  mappedH = m[transform::kB] * w + m[transform::kD] * h;
}

void Geometry::FillVariables(RegParser::VariableMap& variables) const {
  variables[RegParser::kVariablePptX] = Fraction(mappedX, slideWidth);
  variables[RegParser::kVariablePptY] = Fraction(mappedY, slideHeight);
  variables[RegParser::kVariablePptW] = Fraction(mappedW, slideWidth);
  variables[RegParser::kVariablePptH] = Fraction(mappedH, slideHeight);
  variables[RegParser::kVariableHashPptX] = fractions[0];
  variables[RegParser::kVariableHashPptY] = fractions[1];
  variables[RegParser::kVariableHashPptW] = fractions[3];
  variables[RegParser::kVariableHashPptH] = fractions[2];
}

bool IsText(const boost::shared_ptr<IScreenObject>& context) {
  return Supports(context, eIidTextRun);
}

void Show(const boost::shared_ptr<IScreenObject>& object) {
  ShowPart(object, 0);
}

void Hide(const boost::shared_ptr<IScreenObject>& object) {
  HidePart(object, 0);
}

void Shear(double* m, double factor, double cy) {
  const double tx = m[transform::kTx];
  const double ty = m[transform::kTy];
  m[transform::kA] = 1.0;
  m[transform::kB] = 0.0;
  m[transform::kC] = factor;
  m[transform::kD] = 1.0;
  m[transform::kTx] = tx - factor * cy;
  m[transform::kTy] = ty;
}

void ForEachTextRun(const boost::shared_ptr<IScreenObject>& context,
                    const std::function<void(const boost::shared_ptr<IScreenObject>&)>& visit) {
  if (!IsText(context)) return;
  if (boost::shared_ptr<IItemList> paragraphs = QueryAs<IItemList>(context, eIidTextBody19)) {
    VisitItems(paragraphs, [&](const boost::shared_ptr<IScreenObject>& paragraph) {
      VisitItems(QueryAs<IItemList>(paragraph, eIidRunGroup), visit);
    });
  } else if (boost::shared_ptr<IItemList> runs = QueryAs<IItemList>(context, eIidRunGroup)) {
    VisitItems(runs, visit);
  } else if (Supports(context, eIidRunItem)) {
    visit(context);
  }
}

void ForEachCharProps(
    const boost::shared_ptr<IScreenObject>& context,
    const std::function<void(const boost::shared_ptr<IScreenObject>& run,
                             const boost::shared_ptr<IInterface>& props)>& visit) {
  ForEachTextRun(context, [&](const boost::shared_ptr<IScreenObject>& run) {
    if (GetInt(run, ePropRunKind) != 0) return;
    if (boost::shared_ptr<IInterface> props = GetSheet(run, ePropRunCharProps)) visit(run, props);
  });
}

void ClearChangedFlags(const boost::shared_ptr<IScreenObject>& context) {
  ForEachTextRun(context, [](const boost::shared_ptr<IScreenObject>& run) {
    if (boost::shared_ptr<IInterface> props = GetSheet(run, ePropRunCharProps))
      SetBool(props, ePropCharPropsChanged, false);
  });
}

void WriteFontSize(const boost::shared_ptr<IScreenObject>& context, double factor,
                   Optional<double>& lastFontSize) {
  ForEachCharProps(context, [&](const boost::shared_ptr<IScreenObject>& run,
                                const boost::shared_ptr<IInterface>& props) {
    const double size = GetDouble(GetSheet(run, ePropRunAuthoredCharProps), ePropFontSize) * factor;
    if (!lastFontSize.isSet || std::fabs(lastFontSize.Get() - size) >= 1e-08)
      SetBool(props, ePropCharPropsChanged, true);
    lastFontSize.Set(size);
    SetDouble(props, ePropFontSize, size);
  });
}

}  // namespace attribute

PropertyEffectAgent::PropertyEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                                         const boost::shared_ptr<PublishContext>& metrics,
                                         uint32_t accel, uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, 1, accel, decel),
      parser_(boost::make_shared<RegParser::ExpParser>()),
      ownAccel_(accel / 100000.0),
      ownDecel_(decel / 100000.0),
      formulaShapes_{{L"*(*)", 0},
                     {L"-(*)/", 1},
                     {L"+((-*(-))*--(-*(-))*())*(-)", 2},
                     {L"+((-*(-))*-+(-*(-))*())*(-)", 3}} {
  const int32_t kind = attribute_ = GetInt(behaviour, ePropAttribute);
  if (IsShapeAttribute(kind))
    shapeLevel_.Set(1);
  else if (IsTextAttribute(kind))
    shapeLevel_.Set(0);
}

bool PropertyEffectAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                         EInterfaceId id) {
  if (id == eIidPropertyAgent) return AnswerInterface<PropertyEffectAgent>(this, out, sharesOwner);
  return BaseEffectAgent::QueryInterface(out, sharesOwner, id);
}

void PropertyEffectAgent::GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) {
  if (key == ePropAttribute) {
    out = boost::make_shared<PropertyValue<int>>(Attribute());
    return;
  }
  BaseEffectAgent::GetProperty(out, key);
}

// The behaviour is only read: its attribute is read once.
int32_t PropertyEffectAgent::Attribute() const {
  return Behaviour() ? attribute_ : GetInt(Behaviour(), ePropAttribute);
}

void PropertyEffectAgent::Reset() {
  BaseEffectAgent::Reset();
  ReleaseBehaviour();
  listRead_.Clear();
  list_.reset();
}

// Character changes are noted afresh on every frame, whether or not the
// agent draws on it.
void PropertyEffectAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  const uint32_t level = shapeLevel_.Get();
  if (level == 0) attribute::ClearChangedFlags(context);
  if (!CheckTime(context, t) || !Behaviour()) return;
  const bool text = attribute::IsText(context);
  if (level == 1 && !text) ApplyShapeAttribute(context, t);
  if (level == 0 && text) ApplyTextAttribute(context, t);
}

bool PropertyEffectAgent::OnAfterEnd(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) {
  if (Attribute() == 9) {
    if (Kinefold::TColorMatrix* colour = ColourTransformOf(context)) {
      colour->redMul = colour->greenMul = colour->blueMul = 1.0;
      colour->redAdd = colour->greenAdd = colour->blueAdd = 0;
    }
  }
  return BaseEffectAgent::OnAfterEnd(context, t);
}

void PropertyEffectAgent::Prepare(const boost::shared_ptr<IScreenObject>& context) {
  if (attribute::IsText(context)) {
    textPrepared_ = true;
    return;
  }
  prepared_ = true;
  Init(context);
  geometry_.Take(*this, context);
  geometry_.FillVariables(variables_);
  variablesGiven_ = false;

  // The same trapezoid as the agent's progress, kept for easing list times.
  const VelocityProfile p = VelocityProfile::For(GetDuration(), ownAccel_, ownDecel_);
  ownProfile_.accelTime.Set(p.accelTime);
  ownProfile_.decelTime.Set(p.decelTime);
  ownProfile_.accelRate.Set(p.accelRate);
  ownProfile_.decelRate.Set(p.decelRate);
}

uint32_t PropertyEffectAgent::EasedTime(uint32_t u) {
  const Profile& p = ownProfile_;
  const double ta = p.accelTime.Get();
  const double td = p.decelTime.Get();
  if (!p.accelTime.isSet || !p.decelTime.isSet || (ta == 0.0 && td == 0.0)) return u;
  const uint32_t duration = GetDuration();
  const double total = duration;
  VelocityProfile profile;
  profile.accelTime = ta;
  profile.decelTime = td;
  profile.accelRate = p.accelRate.Get();
  profile.decelRate = p.decelRate.Get();
  const double q = profile.ProgressAt(u, total);
  if (!(q >= 0.0)) return 0;
  if (q > 1.0) return duration;
  return static_cast<uint32_t>(total * q);
}

double PropertyEffectAgent::FormulaValue(const std::wstring& formula) {
  parser_->Parse(formula);
  return parser_->Evaluate(variables_);
}

// Evaluate(variables_) without comparing the maps on every call: the parser
// keeps the variables it was given until variables_ is filled anew.
double PropertyEffectAgent::TreeValue(const boost::shared_ptr<RegParser::Node>& tree) {
  if (!variablesGiven_) {
    parser_->SetVariables(variables_);
    variablesGiven_ = true;
  }
  return tree ? tree->Evaluate() : 0.0;
}

const std::vector<PropertyEffectAgent::ListEntry>& PropertyEffectAgent::ListEntries(
    const PropertySheetList& list) {
  bool same = listEntries_.size() == list.GetCount();
  for (size_t i = 0; same && i < list.GetCount(); ++i)
    same = listEntries_[i].sheet == list.GetItem(i).get();
  if (same) return listEntries_;
  listEntries_.assign(list.GetCount(), ListEntry());
  for (size_t i = 0; i < list.GetCount(); ++i) {
    const boost::shared_ptr<IPropertySheet>& sheet = list.GetItem(i);
    ListEntry& entry = listEntries_[i];
    entry.sheet = sheet.get();
    entry.time = GetDouble(sheet, ePropTavTime);
    boost::shared_ptr<IPropertyValue> value = GetValue(sheet, ePropTavValue);
    entry.formulaValue = value && value->GetType() == ePropTypeString;
    if (entry.formulaValue)
      entry.text = property_cast<std::wstring>(value);
    else
      entry.number = property_cast<double>(value);
    entry.formula = GetString(sheet, ePropTavFormula);
    if (entry.formulaValue) {
      parser_->Parse(entry.text);
      entry.textTree = parser_->GetRoot();
    }
    if (!entry.formula.empty()) {
      parser_->Parse(entry.formula);
      entry.formulaTree = parser_->GetRoot();
    }
  }
  return listEntries_;
}

double PropertyEffectAgent::ListEntryValue(const ListEntry& entry) {
  return entry.formulaValue ? TreeValue(entry.textTree) : entry.number;
}

// Interpolates between the entry last reached and the next one; the formula
// of the entry reached turns the interpolated value ($) into the result.
double PropertyEffectAgent::ListValue(const PropertySheetList& list, uint32_t e) {
  const double duration = GetDuration();
  const std::vector<ListEntry>& entries = ListEntries(list);
  size_t previous = 0;
  const ListEntry* next = nullptr;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && e < duration * (entries[i].time / 100.0)) {
      next = &entries[i];
      break;
    }
    previous = i;
  }
  const ListEntry& reached = entries[previous];
  const double vPrev = ListEntryValue(reached);
  double value = vPrev;
  if (next) {
    const double tPrev = reached.time / 100.0;
    const double tNext = next->time / 100.0;
    const double vNext = ListEntryValue(*next);
    // Entries out of order can put two at the same time; the earlier holds.
    if (tNext != tPrev) value = (e / duration - tPrev) * (vNext - vPrev) / (tNext - tPrev) + vPrev;
  }
  if (reached.formula.empty()) return value;
  variables_[RegParser::kVariableValue] = value;
  if (variablesGiven_) parser_->SetVariable(RegParser::kVariableValue, value);
  return TreeValue(reached.formulaTree);
}

void PropertyEffectAgent::FromAndTo(int32_t kind, const double (&start)[4], double& from,
                                    double& to) {
  const boost::shared_ptr<IInterface>& b = Behaviour();
  from = 0.0;
  if (Has(b, ePropFrom))
    from = FormulaValue(GetString(b, ePropFrom));
  else if (kind >= 0 && kind <= 3)
    from = start[kind];
  else if (kind == 14)
    from = 1.0;
  to = 1.0;
  if (Has(b, ePropTo))
    to = FormulaValue(GetString(b, ePropTo));
  else if (Has(b, ePropBy))
    to = FormulaValue(GetString(b, ePropBy)) + from;
}

double PropertyEffectAgent::FromToByValue(uint32_t e) {
  const double start[4] = {attribute::Fraction(geometry_.cx, geometry_.slideWidth),
                           attribute::Fraction(geometry_.cy, geometry_.slideHeight),
                           attribute::Fraction(geometry_.w, geometry_.slideWidth),
                           attribute::Fraction(geometry_.h, geometry_.slideHeight)};
  double from = 0.0, to = 1.0;
  FromAndTo(Attribute(), start, from, to);
  const uint32_t duration = GetDuration();
  // Without length there is only the end state.
  if (duration == 0) return to;
  return (to - from) * e / duration + from;
}

double PropertyEffectAgent::ValueAt(uint32_t u) {
  const boost::shared_ptr<IInterface>& b = Behaviour();
  if (!b) return 0.0;
  const uint32_t e = EasedTime(u);
  if (!listRead_.isSet) {
    list_ = GetSheetList(b, ePropTimeValueList);
    listRead_.Set(true);
  }
  const PropertySheetList* list = list_.get();
  if (list && list->GetCount() >= 2) return ListValue(*list, e);
  return FromToByValue(e);
}

boost::shared_ptr<IPropertyValue> PropertyEffectAgent::DiscreteValueAt(uint32_t u) {
  boost::shared_ptr<IPropertyValue> value;
  boost::shared_ptr<PropertySheetList> list = GetSheetList(Behaviour(), ePropTimeValueList);
  if (!list) return value;
  const double duration = GetDuration();
  for (size_t i = 0; i < list->GetCount(); ++i) {
    const boost::shared_ptr<IPropertySheet>& entry = list->GetItem(i);
    if (duration * (GetDouble(entry, ePropTavTime) / 100.0) > u) break;
    value = GetValue(entry, ePropTavValue);
    if (!value) value = boost::make_shared<PropertyValue<std::wstring>>(std::wstring());
  }
  return value;
}

std::wstring PropertyEffectAgent::StringAt(uint32_t u) {
  return property_cast<std::wstring>(DiscreteValueAt(u));
}

Kinefold::TColor PropertyEffectAgent::ColourAt(uint32_t u) {
  boost::shared_ptr<IPropertyValue> value = DiscreteValueAt(u);
  if (!value) return Kinefold::TColor{0, 0, 0, 255};
  return property_cast<Kinefold::TColor>(value);
}

void PropertyEffectAgent::ApplyShapeAttribute(const boost::shared_ptr<IScreenObject>& context,
                                              uint32_t t) {
  if (!prepared_) Prepare(context);
  if (!prepared_) return;
  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(context);
  double* m = shape ? shape->GetTransform() : nullptr;
  Kinefold::TColorMatrix* colour = shape ? shape->GetColorTransform() : nullptr;
  const uint32_t u = t - GetStart();
  const attribute::Geometry& g = geometry_;
  const int32_t kind = Attribute();
  double x = g.cx, y = g.cy;  // the centre where the shape is drawn now
  if (m) transform::MapPoint(m, g.cx, g.cy, x, y);

  switch (kind) {
    case 0:
      if (m) m[transform::kTx] += ValueAt(u) * g.slideWidth - x;
      break;
    case 1:
      if (m) m[transform::kTy] += ValueAt(u) * g.slideHeight - y;
      break;
    case 2:
      if (m && g.w != 0.0) transform::ScaleAbout(m, ValueAt(u) * g.slideWidth / g.w, 1.0, x, y);
      break;
    case 3:
      if (m && g.h != 0.0) transform::ScaleAbout(m, 1.0, ValueAt(u) * g.slideHeight / g.h, x, y);
      break;
    case 4: {
      const double v = ValueAt(u);
      attribute::Show(context);
      if (colour) colour->alphaAdd = transform::TruncToInt(v * 255.0 - 255.0 + 0.5);
      break;
    }
    case 5:
      if (m) transform::RotateAbout(m, ValueAt(u) * kPi / 180.0, g.cx, g.cy);
      break;
    case 7:
      if (StringAt(u) == L"visible")
        attribute::Show(context);
      else
        attribute::Hide(context);
      break;
    case 9:
      if (colour) {
        const Kinefold::TColor c = ColourAt(u);
        colour->redMul = colour->greenMul = colour->blueMul = 0.0;
        colour->redAdd = static_cast<int32_t>(c.red);
        colour->greenAdd = static_cast<int32_t>(c.green);
        colour->blueAdd = static_cast<int32_t>(c.blue);
      }
      break;
    case 20:
      if (m) attribute::Shear(m, ValueAt(u), g.cy);
      break;
    default:
      break;
  }
}

void PropertyEffectAgent::ApplyTextAttribute(const boost::shared_ptr<IScreenObject>& context,
                                             uint32_t t) {
  if (!prepared_) Prepare(context);
  const uint32_t u = t - GetStart();
  using Visit = const boost::shared_ptr<IScreenObject>&;
  using Props = const boost::shared_ptr<IInterface>&;
  switch (Attribute()) {
    case 10: {
      const bool italic = StringAt(u) == L"italic";
      attribute::ForEachCharProps(context,
                                  [&](Visit, Props props) { SetBool(props, ePropItalic, italic); });
      break;
    }
    case 11: {
      const std::wstring s = StringAt(u);
      if (s != L"normal" && s != L"bold") break;
      const bool bold = s == L"bold";
      attribute::ForEachCharProps(context,
                                  [&](Visit, Props props) { SetBool(props, ePropBold, bold); });
      break;
    }
    case 13: {
      const std::wstring s = StringAt(u);
      attribute::ForEachCharProps(
          context, [&](Visit, Props props) { SetString(props, ePropCharString96, s); });
      break;
    }
    case 14:
      attribute::WriteFontSize(context, ValueAt(u), lastFontSize_);
      break;
    default:
      break;
  }
}
