#include "render/GeometryGuides.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "common/CNumber.h"

namespace render {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAngleUnit = 60000.0;  // units per degree

double Radians(double angle) {
  return angle / kAngleUnit * kPi / 180.0;
}

// The built-in names in slot order; their values come from BuiltIns().
const char* const kBuiltInNames[] = {
    "w",     "h",   "l",   "t",    "r",    "b",    "hc",   "vc",   "ss",   "ls",   "wd2",
    "wd3",   "wd4", "wd5", "wd6",  "wd8",  "wd10", "wd12", "wd32", "hd2",  "hd3",  "hd4",
    "hd5",   "hd6", "hd8", "hd10", "hd12", "hd32", "ssd2", "ssd4", "ssd6", "ssd8", "ssd16",
    "ssd32", "cd2", "cd4", "cd8",  "3cd4", "3cd8", "5cd8", "7cd8"};
constexpr int kBuiltInCount = static_cast<int>(sizeof(kBuiltInNames) / sizeof(kBuiltInNames[0]));

void BuiltIns(double w, double h, double* out) {
  const double ss = std::min(w, h), ls = std::max(w, h);
  const double values[kBuiltInCount] = {
      w,       h,        0,       0,        w,       h,       w / 2,   h / 2,    ss,
      ls,      w / 2,    w / 3,   w / 4,    w / 5,   w / 6,   w / 8,   w / 10,   w / 12,
      w / 32,  h / 2,    h / 3,   h / 4,    h / 5,   h / 6,   h / 8,   h / 10,   h / 12,
      h / 32,  ss / 2,   ss / 4,  ss / 6,   ss / 8,  ss / 16, ss / 32, 10800000, 5400000,
      2700000, 16200000, 8100000, 13500000, 18900000};
  std::copy(values, values + kBuiltInCount, out);
}

bool ParseNumber(const std::string& token, double* out) {
  if (token.empty()) return false;
  double value = 0.0;
  const char* end = token.c_str() + token.size();
  if (platform::ReadCNumber(token.c_str(), end, value) != end || !std::isfinite(value))
    return false;
  *out = value;
  return true;
}

}  // namespace

bool ParseGuideOp(const std::string& name, GuideOp* op, int* arity) {
  static const struct {
    const char* name;
    GuideOp op;
    int arity;
  } kOps[] = {{"*/", GuideOp::MulDiv, 3}, {"+-", GuideOp::AddSub, 3}, {"+/", GuideOp::AddDiv, 3},
              {"?:", GuideOp::IfElse, 3}, {"abs", GuideOp::Abs, 1},   {"at2", GuideOp::At2, 2},
              {"cat2", GuideOp::Cat2, 3}, {"cos", GuideOp::Cos, 2},   {"max", GuideOp::Max, 2},
              {"min", GuideOp::Min, 2},   {"mod", GuideOp::Mod, 3},   {"pin", GuideOp::Pin, 3},
              {"sat2", GuideOp::Sat2, 3}, {"sin", GuideOp::Sin, 2},   {"sqrt", GuideOp::Sqrt, 1},
              {"tan", GuideOp::Tan, 2},   {"val", GuideOp::Val, 1}};
  for (const auto& entry : kOps)
    if (name == entry.name) {
      *op = entry.op;
      *arity = entry.arity;
      return true;
    }
  return false;
}

double ApplyGuideOp(GuideOp op, double x, double y, double z) {
  double r = 0.0;
  switch (op) {
    case GuideOp::MulDiv:
      r = x * y / z;
      break;
    case GuideOp::AddSub:
      r = x + y - z;
      break;
    case GuideOp::AddDiv:
      r = (x + y) / z;
      break;
    case GuideOp::IfElse:
      r = x > 0 ? y : z;
      break;
    case GuideOp::Abs:
      r = std::fabs(x);
      break;
    case GuideOp::At2:
      r = std::atan2(y, x) * 180.0 / kPi * kAngleUnit;
      break;
    case GuideOp::Cat2:
      r = x * std::cos(std::atan2(z, y));
      break;
    case GuideOp::Cos:
      r = x * std::cos(Radians(y));
      break;
    case GuideOp::Max:
      r = std::max(x, y);
      break;
    case GuideOp::Min:
      r = std::min(x, y);
      break;
    case GuideOp::Mod:
      r = std::sqrt(x * x + y * y + z * z);
      break;
    case GuideOp::Pin:
      r = y < x ? x : (y > z ? z : y);
      break;
    case GuideOp::Sat2:
      r = x * std::sin(std::atan2(z, y));
      break;
    case GuideOp::Sin:
      r = x * std::sin(Radians(y));
      break;
    case GuideOp::Sqrt:
      r = std::sqrt(x);
      break;
    case GuideOp::Tan:
      r = x * std::tan(Radians(y));
      break;
    case GuideOp::Val:
      r = x;
      break;
  }
  return std::isfinite(r) ? r : 0.0;
}

GuideList::GuideList() {
  for (const char* name : kBuiltInNames) Define(name);
}

int GuideList::Define(const std::string& name) {
  const int slot = slots_++;
  names_[name] = slot;
  adjustNames_.emplace_back();
  adjustDefaults_.push_back(0.0);
  return slot;
}

void GuideList::AddAdjust(const std::string& name, double fallback) {
  const int slot = Define(name);
  adjustNames_[static_cast<size_t>(slot)] = name;
  adjustDefaults_[static_cast<size_t>(slot)] = fallback;
}

bool GuideList::Resolve(const std::string& token, Operand* out, std::string* error) const {
  auto it = names_.find(token);
  if (it != names_.end()) {
    out->slot = it->second;
    return true;
  }
  if (ParseNumber(token, &out->number)) {
    out->slot = -1;
    return true;
  }
  if (error) *error = "unknown guide \"" + token + "\"";
  return false;
}

bool GuideList::AddGuide(const std::string& name, const std::string& formula, std::string* error) {
  std::istringstream in(formula);
  std::string opName, extra;
  std::vector<std::string> args;
  in >> opName;
  Step step;
  int arity = 0;
  if (!ParseGuideOp(opName, &step.op, &arity)) {
    if (error) *error = "guide \"" + name + "\": unknown operator \"" + opName + "\"";
    return false;
  }
  for (int i = 0; i < arity; ++i) {
    std::string token;
    if (!(in >> token)) {
      if (error) *error = "guide \"" + name + "\": \"" + opName + "\" needs more arguments";
      return false;
    }
    if (!Resolve(token, &step.args[i], error)) {
      if (error) *error = "guide \"" + name + "\": " + *error;
      return false;
    }
  }
  if (in >> extra) {
    if (error) *error = "guide \"" + name + "\": too many arguments";
    return false;
  }
  step.slot = Define(name);
  steps_.push_back(step);
  return true;
}

std::vector<double> GuideList::Evaluate(double width, double height,
                                        const AdjustValues& adjust) const {
  std::vector<double> values(static_cast<size_t>(slots_), 0.0);
  BuiltIns(width, height, values.data());
  for (size_t slot = kBuiltInCount; slot < values.size(); ++slot) {
    if (adjustNames_[slot].empty()) continue;
    values[slot] = adjustDefaults_[slot];
    for (const auto& given : adjust)
      if (given.first == adjustNames_[slot] && std::isfinite(given.second)) {
        values[slot] = given.second;
        break;
      }
  }
  for (const Step& step : steps_)
    values[static_cast<size_t>(step.slot)] =
        ApplyGuideOp(step.op, Value(values, step.args[0]), Value(values, step.args[1]),
                     Value(values, step.args[2]));
  return values;
}

}  // namespace render
