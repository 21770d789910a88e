#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "formula/ExpParser.h"

using namespace RegParser;

namespace {

// The tree as an s-expression: "_" is an empty operand, "v<i>" a variable of
// index i (v-1 for a name outside the table).
std::string Shape(const boost::shared_ptr<Node>& node) {
  if (!node) return "_";
  std::ostringstream out;
  const Node* n = node.get();
  if (auto number = dynamic_cast<const NumberNode*>(n)) {
    out << number->GetValue();
  } else if (auto variable = dynamic_cast<const VariableNode*>(n)) {
    out << "v" << variable->GetIndex();
  } else if (auto function = dynamic_cast<const FunctionNode*>(n)) {
    static const char* const kNames[] = {"sin", "cos", "tan", "min", "max", "abs"};
    out << "(" << kNames[function->GetFunctionId()] << " " << Shape(function->GetArgument());
    if (auto min = dynamic_cast<const MinNode*>(n)) out << " " << Shape(min->GetSecondArgument());
    if (auto max = dynamic_cast<const MaxNode*>(n)) out << " " << Shape(max->GetSecondArgument());
    out << ")";
  } else {
    const char* op = dynamic_cast<const PlusNode*>(n)    ? "+"
                     : dynamic_cast<const MinusNode*>(n) ? "-"
                     : dynamic_cast<const MultNode*>(n)  ? "*"
                                                         : "/";
    out << "(" << op << " " << Shape(n->GetLeft()) << " " << Shape(n->GetRight()) << ")";
  }
  return out.str();
}

int Depth(const boost::shared_ptr<Node>& node) {
  if (!node) return 0;
  int below = std::max(Depth(node->GetLeft()), Depth(node->GetRight()));
  if (auto function = dynamic_cast<const FunctionNode*>(node.get())) {
    below = std::max(below, Depth(function->GetArgument()));
    if (auto min = dynamic_cast<const MinNode*>(node.get()))
      below = std::max(below, Depth(min->GetSecondArgument()));
    if (auto max = dynamic_cast<const MaxNode*>(node.get()))
      below = std::max(below, Depth(max->GetSecondArgument()));
  }
  return 1 + below;
}

std::wstring Repeat(const std::wstring& piece, int times) {
  std::wstring text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

struct FormulaCase {
  const wchar_t* formula;
  double value;
  const char* shape;  // nullptr: not checked
};

const FormulaCase kCases[] = {
    // precedence and associativity
    {L"2+3*4", 14, "(+ 2 (* 3 4))"},
    {L"(2+3)*4", 20, "(* (+ 2 3) 4)"},
    {L"2-3-4", -5, "(- (- 2 3) 4)"},
    {L"8/2/2", 2, "(/ (/ 8 2) 2)"},
    {L"2 * 3 ", 6, "(* 2 3)"},
    // unary minus binds to one factor; there is no unary plus
    {L"-2*3", -6, "(* (- 0 2) 3)"},
    {L"--2", 2, "(- 0 (- 0 2))"},
    {L"2*-3", -6, "(* 2 (- 0 3))"},
    {L"+2", 2, "(+ _ 2)"},
    // division by zero of either sign
    {L"1/0", 0, "(/ 1 0)"},
    {L"0/0", 0, nullptr},
    {L"1/(0*-1)", 0, nullptr},
    // functions
    {L"cos(0)", 1, "(cos 0)"},
    {L"abs(-3)", 3, "(abs (- 0 3))"},
    {L"tan(0)", 0, "(tan 0)"},
    {L"min(2,3)", 2, "(min 2 3)"},
    {L"min(3,2)", 2, nullptr},
    {L"max(2,3)", 3, "(max 2 3)"},
    {L"max(3,2)", 3, nullptr},
    {L"max(1,2)+1", 3, "(+ (max 1 2) 1)"},
    {L"min(2+1,3-2)*2", 2, "(* (min (+ 2 1) (- 3 2)) 2)"},
    {L"abs(min(-3,2))", 3, nullptr},
    {L"sin(cos(0)-1)", 0, nullptr},
    {L"sin(pi/2)", 1, "(sin (/ v0 2))"},
    // numbers: single precision, points only
    {L"0.1", static_cast<double>(0.1f), "0.1"},  // 0.100000001490116...
    {L".5", 0.5, "0.5"},
    {L"3.", 3, "3"},
    {L"1.2.3", static_cast<double>(1.2f), nullptr},
    {L"1e5", 1, "1"},
    {L"1 2", 2, "2"},  // the number is taken after the next token is read
    // names are case-sensitive and end at a digit
    {L"pi", 3.14159265359, "v0"},
    {L"e", 2.71828182846, "v1"},
    {L"PI", 0, "v-1"},
    {L"x2", 0, "v-1"},
    {L"pi e", 2.71828182846, "v1"},
    // function names only where the previous token ended
    {L" sin(1)", 0, "v-1"},
    {L"1+ sin(1)", 1, "(+ 1 v-1)"},
    {L"2*sin(0)+1", 1, nullptr},
    {L"sinx", 0, "(sin _)"},
    // the first token that continues nothing ends the parse
    {L"2^3", 2, "2"},
    {L"2)3", 2, "2"},
    {L"(2)3", 2, "2"},
    {L"(1,2)", 1, "1"},
    // missing operands are empty and count as 0
    {L"", 0, "_"},
    {L")", 0, "_"},
    {L"1+", 1, "(+ 1 _)"},
    {L"*2", 0, "(* _ 2)"},
    {L"cos()", 1, "(cos _)"},
    {L"sin(", 0, "(sin _)"},
    {L"(1+2", 0, "_"},
    {L"min(1)", 0, "(min 1 _)"},
    {L"-", 0, "(- 0 _)"},
    // characters beyond ASCII go by their low 8 bits
    {L"1\u012B2", 3, "(+ 1 2)"},  // low byte '+'
    {L"\u01282)", 2, "2"},        // low byte '('
    {L"\u0131", 0, "0"},          // low byte '1': a number whose text is no number
    {L"\u0141", 0, "_"},          // low byte 'A': not a letter
    {L"\u00E9", 0, "_"},
    {L"pi\u00E9", 3.14159265359, "v0"},
    {L"\u00A02", 0, "_"},  // no-break space is not a blank
    {L"\U0010FFFF", 0, "_"},
};

TEST(Formula, EdgeCases) {
  for (const FormulaCase& c : kCases) {
    SCOPED_TRACE(std::string(c.formula, c.formula + std::wcslen(c.formula)));
    ExpParser parser;
    parser.Parse(c.formula);
    EXPECT_EQ(parser.Evaluate({}), c.value);
    if (c.shape) {
      EXPECT_EQ(Shape(parser.GetRoot()), c.shape);
    }
  }
}

// One parser across formulas. A fresh one has nothing to evaluate; each parse
// replaces the tree, and formulas met before come back with their own tree and
// end state. The names have their places in the variable table, which each
// evaluation reads afresh; pi and e have defaults.
TEST(Formula, OneParserAcrossFormulas) {
  ExpParser parser;
  auto parse = [&](const wchar_t* formula) {
    parser.Parse(formula);
    return parser.Evaluate({});
  };
  EXPECT_FALSE(parser.GetRoot());
  EXPECT_EQ(parser.Evaluate({}), 0.0);
  EXPECT_EQ(parse(L"1+2"), 3.0);
  EXPECT_EQ(parse(L""), 0.0);
  EXPECT_FALSE(parser.GetRoot());
  EXPECT_EQ(parse(L"2*3"), 6.0);
  const int32_t token = parser.GetToken();
  EXPECT_EQ(parse(L"1+2"), 3.0);
  EXPECT_EQ(parse(L"2*3"), 6.0);
  EXPECT_EQ(parser.GetToken(), token);

  const wchar_t* const names[] = {L"pi",     L"e", L"#ppt_x", L"#ppt_y", L"#ppt_h", L"#ppt_w",
                                  L"#ppt_c", L"$", L"ppt_x",  L"ppt_y",  L"ppt_w",  L"ppt_h"};
  VariableMap values;
  for (int32_t i = 0; i < 12; ++i) values[i] = 100.0 + i;
  for (int32_t i = 0; i < 12; ++i) {
    parser.Parse(names[i]);
    EXPECT_EQ(Shape(parser.GetRoot()), "v" + std::to_string(i));
    EXPECT_EQ(parser.Evaluate(values), 100.0 + i) << i;
  }

  parser.Parse(L"#ppt_x");
  EXPECT_EQ(parser.Evaluate({{2, 0.25}}), 0.25);
  EXPECT_EQ(parser.Evaluate({}), 0.0) << "each evaluation replaces the variables";

  parser.Parse(L"pi");
  EXPECT_EQ(parser.Evaluate({{0, 3.0}}), 3.0);
  EXPECT_EQ(parser.Evaluate({{2, 1.0}}), 3.14159265359);
  EXPECT_EQ(parser.GetVariables(), (VariableMap{{0, 3.14159265359}, {1, 2.71828182846}, {2, 1.0}}));
  parser.Parse(L"#ppt_x");
  EXPECT_EQ(parser.Evaluate(parser.GetVariables()), 1.0) << "the parser's own map as input";

  parser.Parse(L"nope");
  EXPECT_EQ(parser.Evaluate({{-1, 5.0}, {12, 5.0}}), 0.0) << "unknown names never read the map";

  parser.Parse(L"#ppt_x+sin(2*pi*$)*0.1");
  EXPECT_NEAR(parser.Evaluate({{2, 0.25}, {7, 0.25}}), 0.25 + static_cast<double>(0.1f), 1e-12);

  // Evaluating again with the same names skips nothing that changed, down to
  // the sign of a zero.
  parser.Parse(L"$");
  EXPECT_FALSE(std::signbit(parser.Evaluate({{7, 0.0}})));
  EXPECT_TRUE(std::signbit(parser.Evaluate({{7, -0.0}})));
  EXPECT_EQ(parser.Evaluate({{7, 2.0}}), 2.0);
  EXPECT_EQ(parser.Evaluate({{7, 2.0}, {0, 1.0}}), 2.0);
  EXPECT_EQ(parser.GetVariables().at(0), 1.0);
  EXPECT_EQ(parser.Evaluate({{7, 2.0}}), 2.0);
  EXPECT_EQ(parser.GetVariables().at(0), 3.14159265359) << "pi comes back once not given";
}

// Nesting and chains far deeper than any real formula: the parse finishes, the
// tree stays within the depth limit and evaluates without overflowing the stack.
// Characters beyond ASCII and of negative value are classified by their low
// 8 bits, never handed to the C classification functions.
TEST(Formula, HostileInput) {
  const int n = 100000;
  const std::pair<std::wstring, double> cases[] = {
      {Repeat(L"(", n), 0},
      {Repeat(L"-", n) + L"2", 0},
      {Repeat(L"-(", n) + L"2", 0},
      {Repeat(L"sin(", n), 0},
      {Repeat(L"min(", n), 0},
      {Repeat(L"abs(", n) + L"1", 0},
      {L"1" + Repeat(L"+1", n), 256},  // the first 256 terms
      {L"1" + Repeat(L"*1", n), 1},
      {Repeat(L"(", 200) + L"7" + Repeat(L")", 200), 7},
      {Repeat(L"(", 300) + L"7" + Repeat(L")", 300), 0},
      {Repeat(L"1+(", 100) + L"1" + Repeat(L")", 100), 101},
      {Repeat(L"1+(", 5000) + L"1" + Repeat(L")", 5000), 1},  // every bracket cut
      {Repeat(L" ", n) + L"1", 1},
      {Repeat(L"9", n), std::numeric_limits<double>::infinity()},
      {{wchar_t(-1), wchar_t(0x7FFFFFFF), wchar_t(0x80000028), L'1'}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(
        std::string(c.first.begin(), c.first.begin() + std::min<size_t>(12, c.first.size())));
    ExpParser parser;
    parser.Parse(c.first);
    EXPECT_LE(Depth(parser.GetRoot()), ExpParser::kMaxDepth);
    EXPECT_EQ(parser.Evaluate({}), c.second);
  }
}

}  // namespace
