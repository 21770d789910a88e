// The nodes of a parsed animation formula. A parent owns its operands through
// shared pointers and the parser owns the root. An operand that could not be
// read is an empty pointer and counts as 0.0 wherever it is evaluated.
//
// Every node is created into a shared pointer of its concrete class (which also
// destroys it); the base classes have protected, non-virtual destructors so a
// node is never deleted through a base pointer.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <boost/shared_ptr.hpp>

namespace RegParser {

// Variable values by index (see kVariableNames).
using VariableMap = std::map<int32_t, double>;

// Kind tags of the nodes.
constexpr int32_t kNodeVariable = 0;
constexpr int32_t kNodeOperation = 1;
constexpr int32_t kNodeNumber = 3;
constexpr int32_t kNodeFunction = 4;

// Function ids of the function nodes.
constexpr int32_t kFunctionSin = 0;
constexpr int32_t kFunctionCos = 1;
constexpr int32_t kFunctionTan = 2;
constexpr int32_t kFunctionMin = 3;
constexpr int32_t kFunctionMax = 4;
constexpr int32_t kFunctionAbs = 5;

// The variable names a formula may use; a name's index is its row. The order is
// part of the interface: callers fill the variable map by these numbers.
constexpr int32_t kVariablePi = 0;        // "pi", 3.14159265359 unless supplied
constexpr int32_t kVariableE = 1;         // "e", 2.71828182846 unless supplied
constexpr int32_t kVariableHashPptX = 2;  // "#ppt_x"
constexpr int32_t kVariableHashPptY = 3;  // "#ppt_y"
constexpr int32_t kVariableHashPptH = 4;  // "#ppt_h"
constexpr int32_t kVariableHashPptW = 5;  // "#ppt_w"
constexpr int32_t kVariableHashPptC = 6;  // "#ppt_c"
constexpr int32_t kVariableValue = 7;     // "$", the interpolated value
constexpr int32_t kVariablePptX = 8;      // "ppt_x"
constexpr int32_t kVariablePptY = 9;      // "ppt_y"
constexpr int32_t kVariablePptW = 10;     // "ppt_w"
constexpr int32_t kVariablePptH = 11;     // "ppt_h"
constexpr int32_t kVariableCount = 12;
extern const wchar_t* const kVariableNames[kVariableCount];

// The row of a name in kVariableNames (exact, case-sensitive), or -1.
int32_t FindVariable(const std::wstring& name);

class Node {
 public:
  virtual double Evaluate() const = 0;

  int32_t GetKind() const { return kind_; }
  const boost::shared_ptr<Node>& GetLeft() const { return left_; }
  const boost::shared_ptr<Node>& GetRight() const { return right_; }

 protected:
  explicit Node(int32_t kind) : kind_(kind) {}
  Node(int32_t kind, const boost::shared_ptr<Node>& left, const boost::shared_ptr<Node>& right)
      : left_(left), right_(right), kind_(kind) {}
  ~Node() = default;

  // The operand's value; an empty operand is 0.0.
  static double EvaluateOperand(const boost::shared_ptr<Node>& operand) {
    return operand ? operand->Evaluate() : 0.0;
  }

  boost::shared_ptr<Node> left_;
  boost::shared_ptr<Node> right_;
  int32_t kind_;
};

// A two-operand operator: evaluates the right operand, then the left one, and
// combines them with Operate.
class OperationNode : public Node {
 public:
  double Evaluate() const final;
  virtual double Operate(double left, double right) const = 0;

 protected:
  OperationNode(const boost::shared_ptr<Node>& left, const boost::shared_ptr<Node>& right)
      : Node(kNodeOperation, left, right) {}
  ~OperationNode() = default;
};

class PlusNode final : public OperationNode {
 public:
  PlusNode(const boost::shared_ptr<Node>& left, const boost::shared_ptr<Node>& right)
      : OperationNode(left, right) {}
  double Operate(double left, double right) const override { return left + right; }
};

class MinusNode final : public OperationNode {
 public:
  MinusNode(const boost::shared_ptr<Node>& left, const boost::shared_ptr<Node>& right)
      : OperationNode(left, right) {}
  double Operate(double left, double right) const override { return left - right; }
};

class MultNode final : public OperationNode {
 public:
  MultNode(const boost::shared_ptr<Node>& left, const boost::shared_ptr<Node>& right)
      : OperationNode(left, right) {}
  double Operate(double left, double right) const override { return left * right; }
};

// Division by zero (either sign) gives 0.0.
class DivNode final : public OperationNode {
 public:
  DivNode(const boost::shared_ptr<Node>& left, const boost::shared_ptr<Node>& right)
      : OperationNode(left, right) {}
  double Operate(double left, double right) const override;
};

class NumberNode final : public Node {
 public:
  explicit NumberNode(double value) : Node(kNodeNumber), value_(value) {}
  double Evaluate() const override { return value_; }
  double GetValue() const { return value_; }

 private:
  double value_;
};

// A function of one argument; min and max add a second one.
class FunctionNode : public Node {
 public:
  int32_t GetFunctionId() const { return functionId_; }
  const boost::shared_ptr<Node>& GetArgument() const { return argument_; }

 protected:
  FunctionNode(int32_t functionId, const boost::shared_ptr<Node>& argument)
      : Node(kNodeFunction), functionId_(functionId), argument_(argument) {}
  ~FunctionNode() = default;

  double EvaluateArgument() const { return EvaluateOperand(argument_); }

 private:
  int32_t functionId_;
  boost::shared_ptr<Node> argument_;
};

// sin, cos and tan take radians.
class SinNode final : public FunctionNode {
 public:
  explicit SinNode(const boost::shared_ptr<Node>& argument)
      : FunctionNode(kFunctionSin, argument) {}
  double Evaluate() const override;
};

class CosNode final : public FunctionNode {
 public:
  explicit CosNode(const boost::shared_ptr<Node>& argument)
      : FunctionNode(kFunctionCos, argument) {}
  double Evaluate() const override;
};

class TanNode final : public FunctionNode {
 public:
  explicit TanNode(const boost::shared_ptr<Node>& argument)
      : FunctionNode(kFunctionTan, argument) {}
  double Evaluate() const override;
};

// The argument with its sign bit cleared.
class AbsNode final : public FunctionNode {
 public:
  explicit AbsNode(const boost::shared_ptr<Node>& argument)
      : FunctionNode(kFunctionAbs, argument) {}
  double Evaluate() const override;
};

// Both arguments are evaluated, first then second; the second wins unless it is
// greater than the first.
class MinNode final : public FunctionNode {
 public:
  MinNode(const boost::shared_ptr<Node>& first, const boost::shared_ptr<Node>& second)
      : FunctionNode(kFunctionMin, first), second_(second) {}
  double Evaluate() const override;
  const boost::shared_ptr<Node>& GetSecondArgument() const { return second_; }

 private:
  boost::shared_ptr<Node> second_;
};

// Both arguments are evaluated, first then second; the first wins only when it
// is greater than the second.
class MaxNode final : public FunctionNode {
 public:
  MaxNode(const boost::shared_ptr<Node>& first, const boost::shared_ptr<Node>& second)
      : FunctionNode(kFunctionMax, first), second_(second) {}
  double Evaluate() const override;
  const boost::shared_ptr<Node>& GetSecondArgument() const { return second_; }

 private:
  boost::shared_ptr<Node> second_;
};

// A named variable, bound to its index when built. It reads the variable map of
// the parser that built it, so a tree must not outlive its parser. A name
// outside the table, or an index the map does not hold, evaluates to 0.0.
class VariableNode final : public Node {
 public:
  VariableNode(const std::wstring& name, const VariableMap* variables)
      : Node(kNodeVariable), index_(FindVariable(name)), variables_(variables) {}
  double Evaluate() const override;
  int32_t GetIndex() const { return index_; }

 private:
  int32_t index_;
  const VariableMap* variables_;
};

}  // namespace RegParser
