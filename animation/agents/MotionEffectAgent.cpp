#include "agents/MotionEffectAgent.h"

#include <locale>
#include <sstream>

#include <boost/make_shared.hpp>

#include "agents/TransformOps.h"
#include "host/Properties.h"

namespace {

// Playback speed that runs a motion backwards.
const int kReverseSpeed = -100000;

Kinefold::TPathRect ToPathRect(const TRect& r) {
  Kinefold::TPathRect p;
  p.left = r.left;
  p.top = r.top;
  p.right = r.right;
  p.bottom = r.bottom;
  return p;
}

}  // namespace

MotionEffectAgent::MotionEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                                     const boost::shared_ptr<PublishContext>& metrics,
                                     uint32_t accel, uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, 1, accel, decel) {}

bool MotionEffectAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                       EInterfaceId id) {
  if (id == eIidMotionAgent) return AnswerInterface<MotionEffectAgent>(this, out, sharesOwner);
  return BaseEffectAgent::QueryInterface(out, sharesOwner, id);
}

// A by offset or a from/to pair gives a straight path; else the path text.
void MotionEffectAgent::InitMotion(const boost::shared_ptr<IScreenObject>& context) {
  motionInitialised_ = true;
  Init(context);
  originX_ = (Bounds().left + Bounds().right) * 0.5;
  originY_ = (Bounds().top + Bounds().bottom) * 0.5;
  const boost::shared_ptr<IInterface>& b = Behaviour();
  const bool absolute = GetInt(b, ePropMotionPathMode) == 0;
  const Kinefold::TPathRect origin = ToPathRect(Bounds());
  const Kinefold::TPathRect scale = ToPathRect(SlideRect());
  if (Has(b, ePropMotionBy)) {
    const Kinefold::TPoint by = GetPoint(b, ePropMotionBy);
    path_ = boost::make_shared<Kinefold::SimplePath>(0.0, 0.0, by.x, by.y, origin, scale, absolute);
  } else if (Has(b, ePropMotionTo)) {
    const Kinefold::TPoint from = GetPoint(b, ePropMotionFrom);
    const Kinefold::TPoint to = GetPoint(b, ePropMotionTo);
    path_ = boost::make_shared<Kinefold::SimplePath>(from.x, from.y, to.x, to.y, origin, scale,
                                                     absolute);
  } else {
    path_ = boost::make_shared<Kinefold::MotionPath>(
        GetString(b, ePropMotionPath), origin, scale, absolute,
        Metrics() ? Metrics()->PathSegmentsLeft() : nullptr);
  }
}

void MotionEffectAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  if (!motionInitialised_) InitMotion(context);
  double p = GetProgress(t);
  int speed = 1;
  if (Has(Behaviour(), ePropSpeed306))
    speed = transform::TruncToInt(GetFloat(Behaviour(), ePropSpeed306));
  if (speed == kReverseSpeed) p = 1.0 - p;

  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(context);
  double* m = shape ? shape->GetTransform() : nullptr;
  if (!m) return;
  const double distance = (path_ ? path_->GetLength() : 0.0) * p;
  double x = 0.0, y = 0.0;
  transform::MapPoint(m, originX_, originY_, x, y);
  double px = x, py = y;
  if (path_) path_->GetPoint(distance, px, py);
  m[transform::kTx] += px - x;
  m[transform::kTy] += py - y;
}

// Straight paths are written in the player's fractions; a path text goes out
// as authored, less its end command.
std::wstring MotionEffectAgent::GetWebPathText(const boost::shared_ptr<IScreenObject>& context,
                                               double& centreX, double& centreY,
                                               bool& slideOrigin) {
  if (!motionInitialised_) InitMotion(context);
  centreX = originX_;
  centreY = originY_;
  const boost::shared_ptr<IInterface>& b = Behaviour();
  slideOrigin = Has(b, ePropMotionOrigin) && GetInt(b, ePropMotionOrigin) == 0;
  const double w = std::fabs(SlideRect().right - SlideRect().left);
  const double h = std::fabs(SlideRect().bottom - SlideRect().top);
  std::wostringstream text;
  text.imbue(std::locale::classic());
  if (Has(b, ePropMotionBy)) {
    const Kinefold::TPoint by = GetPoint(b, ePropMotionBy);
    text << L"M 0 0 L " << by.x / h << L" " << by.y / w;
    return text.str();
  }
  if (Has(b, ePropMotionTo)) {
    const Kinefold::TPoint from = GetPoint(b, ePropMotionFrom);
    const Kinefold::TPoint to = GetPoint(b, ePropMotionTo);
    text << L"M " << from.x / h << L" " << from.y / w << L" L " << to.x / h << L" " << to.y / w;
    return text.str();
  }
  std::wstring path = GetString(b, ePropMotionPath);
  if (!path.empty() && (path.back() == L'E' || path.back() == L'e')) path.pop_back();
  if (!path.empty() && path.back() == L' ') path.pop_back();
  return path;
}
