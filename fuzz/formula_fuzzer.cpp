// Parses and evaluates arbitrary input as formula text.
//
// The first byte chooses how the rest becomes a wide string: an even byte
// takes one character per byte (values 0 to 255), an odd byte takes raw
// wchar_t units, so every 32-bit value reaches the tokenizer.
//
// Besides the sanitizers, the target checks that a tree never grows deeper
// than the parser's limit and that parsing the same text again with the same
// parser gives the same value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "WideInput.h"
#include "formula/ExpParser.h"

namespace {

// Height of the tree, walked without recursion so that it also measures a tree
// that is too deep.
int32_t Height(const boost::shared_ptr<RegParser::Node>& root) {
  using RegParser::Node;
  int32_t height = 0;
  std::vector<std::pair<const Node*, int32_t>> pending;
  if (root) pending.emplace_back(root.get(), 1);
  while (!pending.empty()) {
    auto [node, level] = pending.back();
    pending.pop_back();
    if (level > height) height = level;
    const Node* children[4] = {node->GetLeft().get(), node->GetRight().get(), nullptr, nullptr};
    if (node->GetKind() == RegParser::kNodeFunction) {
      auto function = static_cast<const RegParser::FunctionNode*>(node);
      children[2] = function->GetArgument().get();
      if (function->GetFunctionId() == RegParser::kFunctionMin) {
        children[3] = static_cast<const RegParser::MinNode*>(node)->GetSecondArgument().get();
      } else if (function->GetFunctionId() == RegParser::kFunctionMax) {
        children[3] = static_cast<const RegParser::MaxNode*>(node)->GetSecondArgument().get();
      }
    }
    for (const Node* child : children) {
      if (child) pending.emplace_back(child, level + 1);
    }
  }
  return height;
}

bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool rawUnits = (data[0] & 1) != 0;
  ++data;
  --size;

  const std::wstring text = fuzz::WideInput(rawUnits, data, size);

  const RegParser::VariableMap variables = {
      {2, 0.25}, {3, 0.5}, {4, 0.125}, {5, 0.375}, {6, 0.5},  {7, 0.75},
      {8, 0.3},  {9, 0.6}, {10, 0.2},  {11, 0.4},  {-1, 9.0}, {12, 9.0},
  };
  RegParser::ExpParser parser;
  parser.Parse(text);
  if (Height(parser.GetRoot()) > RegParser::ExpParser::kMaxDepth) __builtin_trap();
  const double first = parser.Evaluate(variables);
  parser.Parse(text);
  const double second = parser.Evaluate(variables);
  if (!Same(first, second)) __builtin_trap();
  return 0;
}
