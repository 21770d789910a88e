#include "formula/Node.h"

#include <cmath>

namespace RegParser {

const wchar_t* const kVariableNames[kVariableCount] = {
    L"pi",     L"e", L"#ppt_x", L"#ppt_y", L"#ppt_h", L"#ppt_w",
    L"#ppt_c", L"$", L"ppt_x",  L"ppt_y",  L"ppt_w",  L"ppt_h",
};

int32_t FindVariable(const std::wstring& name) {
  for (int32_t i = 0; i < kVariableCount; ++i) {
    if (name == kVariableNames[i]) return i;
  }
  return -1;
}

double OperationNode::Evaluate() const {
  double right = EvaluateOperand(right_);
  double left = EvaluateOperand(left_);
  return Operate(left, right);
}

double DivNode::Operate(double left, double right) const {
  return right == 0.0 ? 0.0 : left / right;
}

double SinNode::Evaluate() const {
  return std::sin(EvaluateArgument());
}

double CosNode::Evaluate() const {
  return std::cos(EvaluateArgument());
}

double TanNode::Evaluate() const {
  return std::tan(EvaluateArgument());
}

double AbsNode::Evaluate() const {
  return std::fabs(EvaluateArgument());
}

double MinNode::Evaluate() const {
  double first = EvaluateArgument();
  double second = EvaluateOperand(second_);
  return second > first ? first : second;
}

double MaxNode::Evaluate() const {
  double first = EvaluateArgument();
  double second = EvaluateOperand(second_);
  return first > second ? first : second;
}

double VariableNode::Evaluate() const {
  if (index_ < 0 || variables_ == nullptr) return 0.0;
  auto it = variables_->find(index_);
  return it == variables_->end() ? 0.0 : it->second;
}

}  // namespace RegParser
