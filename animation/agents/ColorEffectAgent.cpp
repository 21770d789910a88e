#include "agents/ColorEffectAgent.h"

#include <algorithm>
#include <cmath>

#include "agents/TransformOps.h"
#include "host/Properties.h"

namespace {

// Host trees are shallow; a deeper walk would be a cycle.
const int kMaxPartDepth = 64;
const int32_t kFillSolid = 1;
const int32_t kFillGroup = 3;

// A colour whose sheet says it is opaque but that carries no alpha is opaque.
Kinefold::TColor SheetColour(const boost::shared_ptr<IInterface>& sheet, EPropertyId key) {
  Kinefold::TColor c = GetColor(sheet, key);
  if (GetBool(sheet, ePropOpaqueColor) && c.alpha == 0) c.alpha = 255;
  return c;
}

int32_t FillTypeOf(const boost::shared_ptr<IInterface>& object) {
  return GetInt(GetSheet(object, ePropFillSheet), ePropFillType);
}

// Truncated and kept within 0..100.
int32_t Percent(double value) {
  if (!(value > 0.0)) return 0;
  return value >= 100.0 ? 100 : static_cast<int32_t>(value);
}

double HueChannel(double p, double q, double x) {
  if (x < 0.0) x += 1.0;
  if (x > 1.0) x -= 1.0;
  if (x < 1.0 / 6.0) return p + (q - p) * 6.0 * x;
  if (x < 1.0 / 2.0) return q;
  if (x < 2.0 / 3.0) return p + (q - p) * (2.0 / 3.0 - x) * 6.0;
  return p;
}

uint32_t Channel255(double value) {
  const double v = std::trunc(value * 255.0);
  if (!(v > 0.0)) return 0;
  return v >= 255.0 ? 255 : static_cast<uint32_t>(v);
}

Kinefold::TColorMatrix Identity() {
  return Kinefold::TColorMatrix();
}

}  // namespace

ColorEffectAgent::ColorEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                                   uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, 1, accel, decel) {}

ColorEffectAgent::Hsl ColorEffectAgent::RgbToHsl(uint32_t red, uint32_t green, uint32_t blue) {
  Hsl out;
  const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
  const double hi = std::max({r, g, b});
  const double lo = std::min({r, g, b});
  const double l = (hi + lo) / 2.0;
  out.lightness = static_cast<int32_t>(l * 100.0);
  if (std::max({red, green, blue}) == std::min({red, green, blue})) return out;
  const double d = hi - lo;
  const double s = l < 0.5 ? d / (hi + lo) : d / (2.0 - hi - lo);
  double h = 0.0;
  if (red >= green && red >= blue)
    h = (g - b) / d;
  else if (green >= blue)
    h = (b - r) / d + 2.0;
  else
    h = (r - g) / d + 4.0;
  h *= 60.0;
  if (h < 0.0) h += 360.0;
  out.hue = static_cast<int32_t>(h);
  out.saturation = static_cast<int32_t>(s * 100.0);
  return out;
}

Kinefold::TColor ColorEffectAgent::HslToRgb(int32_t hue, int32_t saturation, int32_t lightness,
                                            uint32_t alpha) {
  Kinefold::TColor out;
  out.alpha = alpha;
  if (saturation == 0) {
    const int64_t grey = static_cast<int64_t>(lightness) * 255 / 100;
    out.red = out.green = out.blue =
        static_cast<uint32_t>(std::min<int64_t>(255, std::max<int64_t>(0, grey)));
    return out;
  }
  const double h = hue / 360.0;
  const double s = saturation / 100.0;
  const double l = lightness / 100.0;
  const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double p = 2.0 * l - q;
  double redHue = h + 1.0 / 3.0;
  if (redHue > 1.0) redHue -= 1.0;
  double blueHue = h - 1.0 / 3.0;
  if (blueHue < 0.0) blueHue += 1.0;
  out.red = Channel255(HueChannel(p, q, redHue));
  out.green = Channel255(HueChannel(p, q, h));
  out.blue = Channel255(HueChannel(p, q, blueHue));
  return out;
}

Kinefold::TColor ColorEffectAgent::ShiftHsl(const Kinefold::TColor& colour, int32_t dh, int32_t ds,
                                            int32_t dl, double progress) {
  const Hsl base = RgbToHsl(colour.red, colour.green, colour.blue);
  int64_t target = (static_cast<int64_t>(base.hue) + dh) % 360;
  if (target < 0) target += 360;
  int64_t delta = target - base.hue;
  if (delta < 0) delta += 360;
  int64_t hue = base.hue + static_cast<int64_t>(delta * progress);
  if (hue > 360) hue %= 360;
  const int32_t saturation = Percent(std::trunc(base.saturation + ds * progress));
  const int32_t lightness = Percent(std::trunc(base.lightness + dl * progress));
  return HslToRgb(static_cast<int32_t>(hue), saturation, lightness, colour.alpha);
}

void ColorEffectAgent::Initialise(const boost::shared_ptr<IScreenObject>& context) {
  colourInitialised_ = true;
  const boost::shared_ptr<IInterface>& b = Behaviour();
  if (Has(b, ePropToValueText)) toColour_ = GetColor(b, ePropToValueText);
  attribute_ = GetInt(b, ePropAttribute);
  Gather(context, 0);
}

// Lines come from the members of a group, the fill from the document shape
// behind a shape; anything else is searched part by part.
void ColorEffectAgent::Gather(const boost::shared_ptr<IScreenObject>& object, int depth) {
  if (!object || depth > kMaxPartDepth) return;
  if (boost::shared_ptr<IItemList> members = QueryAs<IItemList>(object, eIidItemList48)) {
    for (uint32_t i = 0; i < members->GetItemCount(); ++i) {
      boost::shared_ptr<IInterface> line = GetSheet(members->GetItem(i), ePropLineSheet);
      if (line && Has(line, ePropLineColor))
        lineColours_.push_back(SheetColour(line, ePropLineColor));
    }
    return;
  }
  if ((Supports(object, eIidDocumentShape39) || Supports(object, eIidShape49)) &&
      Supports(object, eIidScreenShape9)) {
    boost::shared_ptr<IDocumentShapeLink> link =
        QueryAs<IDocumentShapeLink>(object, eIidDocumentShape39);
    if (!link) link = QueryAs<IDocumentShapeLink>(object, eIidShape49);
    if (!link) return;
    boost::shared_ptr<IInterface> fill = GetSheet(link->GetDocumentShape(), ePropFillSheet);
    if (fill && GetInt(fill, ePropFillType) == kFillSolid && Has(fill, ePropFillColor))
      fillColour_ = SheetColour(fill, ePropFillColor);
    boost::shared_ptr<IInterface> related = link->GetRelatedShape();
    if (FillTypeOf(related) == kFillGroup) {
      fillFlag_ = true;
    } else if (boost::shared_ptr<IItemList> items = QueryAs<IItemList>(related, eIidItemList48)) {
      for (uint32_t i = 0; i < items->GetItemCount() && !fillFlag_; ++i)
        fillFlag_ = FillTypeOf(items->GetItem(i)) == kFillGroup;
    }
    return;
  }
  if (boost::shared_ptr<IShapeTarget> compound = QueryAs<IShapeTarget>(object, eIidShapeTarget))
    for (uint32_t i = 0; i < compound->GetChildCount(); ++i)
      Gather(compound->GetChild(i), depth + 1);
}

void ColorEffectAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  if (!colourInitialised_) Initialise(context);
  const boost::shared_ptr<IInterface>& b = Behaviour();
  const double p = GetProgress(t);
  const int32_t space = GetInt(b, ePropColorSpace);
  if (space == 1 && Has(b, ePropHueBy))
    ApplyHsl(context, p);
  else if (space == 0 && Has(b, ePropRedBy))
    ApplyRgb(context, p);
  else
    ApplyTowards(context, p);
}

// The shape's colours are shifted by the publisher; the text is drawn in its
// first character's colour shifted here.
void ColorEffectAgent::ApplyHsl(const boost::shared_ptr<IScreenObject>& context, double p) {
  const boost::shared_ptr<IInterface>& b = Behaviour();
  const int32_t dh = GetInt(b, ePropHueBy);
  const int32_t ds = GetInt(b, ePropSaturationBy);
  const int32_t dl = GetInt(b, ePropLightnessBy);
  if (attribute_ == 15) {
    PublisherUtils::ChangeShapeColorByHSL(context, dh, ds, dl, p);
    return;
  }
  if (attribute_ != 6 && attribute_ != 9) return;
  Kinefold::TColorMatrix text = Identity();
  Kinefold::TColor first{0, 0, 0, 255};
  if (PublisherUtils::GetFirstCharColor(context, first)) {
    const Kinefold::TColor c = ShiftHsl(first, dh, ds, dl, p);
    text.alphaMul = text.redMul = text.greenMul = text.blueMul = 0.0;
    text.alphaAdd = static_cast<int32_t>(c.alpha);
    text.redAdd = static_cast<int32_t>(c.red);
    text.greenAdd = static_cast<int32_t>(c.green);
    text.blueAdd = static_cast<int32_t>(c.blue);
  }
  if (attribute_ == 6) PublisherUtils::ChangeShapeColorByHSL(context, dh, ds, dl, p);
  PublisherUtils::ChangeTextColor(context, text);
}

void ColorEffectAgent::ApplyRgb(const boost::shared_ptr<IScreenObject>& context, double p) {
  const boost::shared_ptr<IInterface>& b = Behaviour();
  Kinefold::TColorMatrix m = Identity();
  m.alphaAdd = 255;
  m.redAdd = transform::TruncToInt(GetInt(b, ePropRedBy) * p);
  m.greenAdd = transform::TruncToInt(GetInt(b, ePropGreenBy) * p);
  m.blueAdd = transform::TruncToInt(GetInt(b, ePropBlueBy) * p);
  Paint(context, m, false);
}

void ColorEffectAgent::ApplyTowards(const boost::shared_ptr<IScreenObject>& context, double p) {
  Kinefold::TColorMatrix m = Identity();
  m.redMul = m.greenMul = m.blueMul = 1.0 - p;
  m.redAdd = transform::TruncToInt(toColour_.red * p);
  m.greenAdd = transform::TruncToInt(toColour_.green * p);
  m.blueAdd = transform::TruncToInt(toColour_.blue * p);
  Paint(context, m, fillFlag_);
}

void ColorEffectAgent::Paint(const boost::shared_ptr<IScreenObject>& context,
                             Kinefold::TColorMatrix m, bool fillFlag) {
  switch (attribute_) {
    case 6:
      PublisherUtils::ChangeShapeColor(context, m);
      PublisherUtils::ChangeTextColor(context, m);
      break;
    case 9:
      PublisherUtils::ChangeTextColor(context, m);
      break;
    case 15:
      PublisherUtils::AnimateFillColor(context, m, fillColour_, fillFlag);
      break;
    case 19:
      PublisherUtils::AnimateLineColor(context, m, lineColours_);
      break;
    default:
      break;
  }
}
