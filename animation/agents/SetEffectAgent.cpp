#include "agents/SetEffectAgent.h"

#include <boost/make_shared.hpp>

#include "agents/TransformOps.h"
#include "host/Properties.h"

namespace {

const double kPi = 3.141592653589793;

bool IsShapeAttribute(int32_t attribute) {
  return (attribute >= 0 && attribute <= 7) || attribute == 9 ||
         (attribute >= 15 && attribute <= 20);
}

bool IsTextAttribute(int32_t attribute) {
  return attribute >= 10 && attribute <= 14;
}

}  // namespace

SetEffectAgent::SetEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                               const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                               uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, 1, accel, decel),
      parser_(boost::make_shared<RegParser::ExpParser>()) {
  const int32_t kind = attribute_ = GetInt(behaviour, ePropAttribute);
  if (IsShapeAttribute(kind))
    shapeLevel_.Set(1);
  else if (IsTextAttribute(kind))
    shapeLevel_.Set(0);
}

bool SetEffectAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                    EInterfaceId id) {
  if (id == eIidSetAgent) return AnswerInterface<SetEffectAgent>(this, out, sharesOwner);
  return BaseEffectAgent::QueryInterface(out, sharesOwner, id);
}

void SetEffectAgent::GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) {
  if (key == ePropAttribute) {
    out = boost::make_shared<PropertyValue<int>>(Attribute());
    return;
  }
  BaseEffectAgent::GetProperty(out, key);
}

void SetEffectAgent::SetTiming(uint32_t start, uint32_t duration) {
  StoreTiming(start, duration);
}

void SetEffectAgent::Reset() {
  BaseEffectAgent::Reset();
  ReleaseBehaviour();
  numericValue_.Clear();
  visible_.Clear();
}

// The behaviour is only read: its attribute is read once.
int32_t SetEffectAgent::Attribute() const {
  return Behaviour() ? attribute_ : GetInt(Behaviour(), ePropAttribute);
}

double SetEffectAgent::FormulaValue(const std::wstring& formula) {
  parser_->Parse(formula);
  return parser_->Evaluate(variables_);
}

double SetEffectAgent::NumericValue() {
  if (!numericValue_.isSet)
    numericValue_.Set(FormulaValue(GetString(Behaviour(), ePropToValueText)));
  return numericValue_.Get();
}

void SetEffectAgent::Prepare(const boost::shared_ptr<IScreenObject>& context) {
  prepared_ = true;
  numericValue_.Clear();
  visible_.Clear();
  Init(context);
  geometry_.Take(*this, context);
  geometry_.FillVariables(variables_);
}

void SetEffectAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  const uint32_t level = shapeLevel_.Get();
  if (level == 0) attribute::ClearChangedFlags(context);
  if (!CheckTime(context, t) || !Behaviour()) return;
  const bool text = attribute::IsText(context);
  if (level == 1 && !text) ApplyShape(context);
  if (level == 0 && text) ApplyText(context);
}

void SetEffectAgent::ApplyShape(const boost::shared_ptr<IScreenObject>& context) {
  if (!prepared_) Prepare(context);
  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(context);
  double* m = shape ? shape->GetTransform() : nullptr;
  Kinefold::TColorMatrix* colour = shape ? shape->GetColorTransform() : nullptr;
  const attribute::Geometry& g = geometry_;
  const boost::shared_ptr<IInterface>& b = Behaviour();
  switch (Attribute()) {
    case 0:
      if (m) m[transform::kTx] += NumericValue() * g.slideWidth - g.mappedX;
      break;
    case 1:
      if (m) m[transform::kTy] += NumericValue() * g.slideHeight - g.mappedY;
      break;
    case 4: {
      const double v = NumericValue();
      attribute::Show(context);
      if (colour) colour->alphaAdd = transform::TruncToInt(v * 255.0 - 255.0);
      break;
    }
    case 5:
      if (m) transform::RotateAbout(m, NumericValue() * kPi / 180.0, g.cx, g.cy);
      break;
    case 7:
      if (!visible_.isSet) visible_.Set(GetString(b, ePropToValueText) == L"visible");
      if (visible_.Get())
        attribute::Show(context);
      else
        attribute::Hide(context);
      break;
    case 9:
      if (colour) {
        const Kinefold::TColor c = GetColor(b, ePropToValueText);
        colour->redMul = colour->greenMul = colour->blueMul = 0.0;
        colour->redAdd = static_cast<int32_t>(c.red);
        colour->greenAdd = static_cast<int32_t>(c.green);
        colour->blueAdd = static_cast<int32_t>(c.blue);
      }
      break;
    case 20:
      if (m) attribute::Shear(m, NumericValue(), g.cy);
      break;
    default:
      break;
  }
}

void SetEffectAgent::ApplyText(const boost::shared_ptr<IScreenObject>& context) {
  const boost::shared_ptr<IInterface>& b = Behaviour();
  using Run = const boost::shared_ptr<IScreenObject>&;
  using Props = const boost::shared_ptr<IInterface>&;
  switch (Attribute()) {
    case 10: {
      const bool italic = GetString(b, ePropToValueText) == L"italic";
      attribute::ForEachCharProps(context,
                                  [&](Run, Props props) { SetBool(props, ePropItalic, italic); });
      break;
    }
    case 11: {
      const std::wstring s = GetString(b, ePropToValueText);
      if (s != L"normal" && s != L"bold") break;
      const bool bold = s == L"bold";
      attribute::ForEachCharProps(context,
                                  [&](Run, Props props) { SetBool(props, ePropBold, bold); });
      break;
    }
    case 12: {
      const int underline = GetString(b, ePropToValueText) == L"true" ? 2 : 0;
      attribute::ForEachCharProps(
          context, [&](Run, Props props) { SetInt(props, ePropUnderline, underline); });
      break;
    }
    case 13: {
      const std::wstring s = GetString(b, ePropToValueText);
      attribute::ForEachCharProps(
          context, [&](Run, Props props) { SetString(props, ePropCharString96, s); });
      break;
    }
    case 14:
      attribute::WriteFontSize(context, GetDouble(b, ePropToValueText), lastFontSize_);
      break;
    default:
      break;
  }
}

void SetEffectAgent::BuildWebValue(boost::shared_ptr<WEBDECK::PptxJSPropertyHolder>& out,
                                   const boost::shared_ptr<IScreenObject>& context, double& value) {
  attribute::Geometry& g = geometry_;
  if (!prepared_) {
    // The web player places the shape itself: only its authored geometry counts.
    Init(context);
    g.Take(*this, context);
    g.mappedX = g.cx;
    g.mappedY = g.cy;
    g.mappedW = g.w;
    g.mappedH = g.h;
    g.FillVariables(variables_);
  }
  const boost::shared_ptr<IInterface>& b = Behaviour();
  boost::shared_ptr<IPropertyValue> raw = GetValue(b, ePropToValueText);
  const std::wstring s =
      raw && raw->GetType() == ePropTypeString ? property_cast<std::wstring>(raw) : std::wstring();
  const double v = s.empty() ? 0.0 : FormulaValue(s);

  const std::string name = WEBDECK::kEffectChangeToValue;
  auto number = [&](double n) {
    value = n;
    out = boost::make_shared<WEBDECK::PptxJSFloatPropertyHolder>(name, static_cast<float>(n), -1);
  };
  auto flag = [&](bool f) { out = boost::make_shared<WEBDECK::PptxJSBoolPropertyHolder>(name, f); };
  switch (Attribute()) {
    case 0:
      number(v * g.slideWidth);
      break;
    case 1:
      number(v * g.slideHeight);
      break;
    case 4:
      number(v);
      break;
    case 5:
      number(v * kPi / 180.0);
      break;
    case 7:
      value = s == L"visible" ? 1.0 : 0.0;
      flag(s == L"visible");
      break;
    case 10:
      flag(s == L"italic");
      break;
    case 11:
      flag(s == L"bold");
      break;
    case 12:
      flag(s == L"true");
      break;
    case 13:
      out = boost::make_shared<WEBDECK::PptxJSStringPropertyHolder>(name, s);
      break;
    case 14:
      number(GetDouble(b, ePropToValueText));
      break;
    case 20:
      number(v);
      break;
    default:
      number(0.0);
      break;
  }
}
