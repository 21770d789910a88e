// Guide formulas of shape geometry: named values computed in order from the
// shape's size, its adjust values and the guides before them. Preset shapes
// and custom geometry share them.
//
// A formula is an operator and up to three arguments, each a number or a
// name defined before it ("*/ w adj 100000"). Angles are in 60000ths of a
// degree. Operators:
//   */ x y z   x * y / z          +- x y z   x + y - z
//   +/ x y z   (x + y) / z        ?: x y z   y when x > 0, else z
//   abs x      |x|                sqrt x     square root of x
//   val x      x                  mod x y z  length of the vector (x, y, z)
//   max x y, min x y              pin x y z  y kept within x..z
//   sin x y    x * sin(y)         cos x y    x * cos(y)
//   tan x y    x * tan(y)         at2 x y    angle of the point (x, y)
//   cat2 x y z x * cos(angle of (y, z))
//   sat2 x y z x * sin(angle of (y, z))
// A result that is not a finite number (a division by zero, the root of a
// negative number) counts as 0.
//
// Built-in names: w, h, l (0), t (0), r (w), b (h), hc, vc (the centre), ss
// and ls (the shorter and longer side), wdN and hdN (w / N, h / N for N = 2,
// 3, 4, 5, 6, 8, 10, 12, 32), ssdN (ss / N for N = 2, 4, 6, 8, 16, 32) and the
// angles cd2 (180 degrees), cd4, cd8, 3cd4, 3cd8, 5cd8, 7cd8.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace render {

enum class GuideOp {
  MulDiv,
  AddSub,
  AddDiv,
  IfElse,
  Abs,
  At2,
  Cat2,
  Cos,
  Max,
  Min,
  Mod,
  Pin,
  Sat2,
  Sin,
  Sqrt,
  Tan,
  Val
};

// The operator spelled `name` and how many arguments it takes; false when
// there is no such operator.
bool ParseGuideOp(const std::string& name, GuideOp* op, int* arity);

// The value of one formula.
double ApplyGuideOp(GuideOp op, double x, double y, double z);

// Adjust values as the document gives them: name, value.
using AdjustValues = std::vector<std::pair<std::string, double>>;

// An ordered list of named values, compiled once and evaluated for each size
// and set of adjust values. A later definition of a name hides the earlier one
// from the formulas after it.
class GuideList {
 public:
  // A formula argument or path coordinate: a slot of the list, or a number.
  struct Operand {
    int slot = -1;
    double number = 0.0;
  };

  GuideList();

  // An adjust value with its default; the document's value of that name
  // replaces the default when the list is evaluated.
  void AddAdjust(const std::string& name, double fallback);
  // A guide `name` with `formula`; false (with the reason in `error`) when the
  // formula is malformed or names a value not defined before it.
  bool AddGuide(const std::string& name, const std::string& formula, std::string* error);
  // A number or a name defined so far.
  bool Resolve(const std::string& token, Operand* out, std::string* error) const;

  // The value of every slot for a shape of `width` by `height`.
  std::vector<double> Evaluate(double width, double height, const AdjustValues& adjust) const;

  static double Value(const std::vector<double>& values, const Operand& operand) {
    return operand.slot < 0 ? operand.number : values[static_cast<size_t>(operand.slot)];
  }

 private:
  struct Step {
    int slot = 0;
    GuideOp op = GuideOp::Val;
    Operand args[3];
  };

  int Define(const std::string& name);

  std::unordered_map<std::string, int> names_;
  std::vector<std::string> adjustNames_;  // per slot; empty for other slots
  std::vector<double> adjustDefaults_;    // per slot
  std::vector<Step> steps_;
  int slots_ = 0;
};

}  // namespace render
