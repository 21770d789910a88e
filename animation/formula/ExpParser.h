// The animation formula parser: a small recursive-descent parser that turns a
// formula such as  #ppt_x+sin(2*pi*$)*0.1  into a tree of nodes, and evaluates
// that tree for a given set of variable values.
//
// Grammar (two-operand operators are left-associative; "*" and "/" bind tighter
// than "+" and "-"):
//   expression := term { ("+" | "-") term }
//   term       := factor { ("*" | "/") factor }
//   factor     := number | name | "-" factor | "(" expression (")" | ",")
//               | ("sin" | "cos" | "tan" | "abs") "(" expression ")"
//               | ("min" | "max") "(" expression "," expression ")"
//
// Reading rules worth knowing:
// - A function name is only recognised where the previous token ended, before
//   blanks are skipped: " sin(1)" reads the name "sin", which is no variable.
// - Numbers are digits and points only (no sign, no exponent; "1.2.3" is one
//   number worth 1.2), read in single precision and widened: 0.1 gives
//   0.100000001490116.
// - There is no unary plus. A "," ends a bracket like ")" does (this is what
//   ends the first argument of min and max).
// - The first token that continues nothing ends the parse and the rest of the
//   text is ignored: "2^3" and "2)3" give 2, "(1,2)" gives 1.
//
// Malformed text is never reported; it leaves empty operands in the tree. An
// empty operand evaluates to 0.0, so an empty formula gives 0.0, "1+" gives 1,
// "cos()" gives 1 and an unclosed "(" gives 0.0 for the whole bracket. Division
// by zero gives 0.0, and so does a name outside the variable table or a
// variable the caller does not supply.
//
// Depth limit: the tree and the parser's recursion are at most kMaxDepth levels
// deep, so hostile input (thousands of "(" or "-", or of chained operators)
// cannot exhaust the stack while parsing, evaluating or releasing a tree. An
// operand that would nest deeper is read as an empty operand and ends the
// parse there; the rest of the text is ignored. Only the first 2^31 - 1
// characters of a formula are read.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include <boost/shared_ptr.hpp>

#include "formula/Node.h"

namespace RegParser {

// Token codes. The function codes are their three letters packed into one
// integer, first letter in the highest byte.
constexpr int32_t kTokenName = 0;
constexpr int32_t kTokenNumber = 1;
constexpr int32_t kTokenNone = 33;  // unrecognised character, end of text, initial state
constexpr int32_t kTokenOpen = '(';
constexpr int32_t kTokenClose = ')';
constexpr int32_t kTokenTimes = '*';
constexpr int32_t kTokenPlus = '+';
constexpr int32_t kTokenComma = ',';
constexpr int32_t kTokenMinus = '-';
constexpr int32_t kTokenDivide = '/';
constexpr int32_t kTokenSin = 0x73696E;
constexpr int32_t kTokenCos = 0x636F73;
constexpr int32_t kTokenTan = 0x74616E;
constexpr int32_t kTokenMin = 0x6D696E;
constexpr int32_t kTokenMax = 0x6D6178;
constexpr int32_t kTokenAbs = 0x616273;

class ExpParser {
 public:
  // Deepest tree, and deepest nesting of operands while parsing.
  static constexpr int32_t kMaxDepth = 256;

  // The values pi and e get unless the caller supplies indices 0 and 1.
  static constexpr double kPi = 3.14159265359;
  static constexpr double kE = 2.71828182846;

  ExpParser() = default;
  virtual ~ExpParser();
  ExpParser(const ExpParser&) = delete;
  ExpParser& operator=(const ExpParser&) = delete;

  // Parses the formula; the new tree replaces the previous one.
  void Parse(const std::wstring& formula);

  // Takes the variables (SetVariables) and returns the value of the last parsed
  // formula; 0.0 when nothing was parsed or the tree is empty.
  double Evaluate(const VariableMap& variables);

  // Replaces the variables by a copy of the given map, adding pi and e where
  // the map does not hold indices 0 and 1.
  void SetVariables(const VariableMap& variables);
  // Changes one variable, as SetVariables would with that one changed in the
  // map last given.
  void SetVariable(int32_t index, double value);

  const boost::shared_ptr<Node>& GetRoot() const { return root_; }
  int32_t GetToken() const { return token_; }
  const VariableMap& GetVariables() const { return variables_; }

 private:
  // A parsed operand and the height of its tree (0 for an empty operand).
  struct Operand {
    boost::shared_ptr<Node> node;
    int32_t height = 0;
  };

  void NextToken();
  void ReadNumber(wchar_t first, const wchar_t* prefix);
  void ReadName(wchar_t first);

  Operand ParseExpression();
  Operand ParseTerm();
  Operand ParseFactor();
  Operand ParseFactorToken();

  // False, after ending the parse, when a tree of this height is too deep.
  bool Fits(int32_t height);

  bool AtEnd() const { return static_cast<size_t>(position_) >= text_.size(); }

  int32_t position_ = 0;
  std::wstring text_;
  int32_t token_ = kTokenNone;
  std::wstring name_;
  double number_ = 0.0;
  boost::shared_ptr<Node> root_;
  VariableMap variables_;
  int32_t depth_ = 0;  // operands being parsed, one inside the other

  // Formulas parsed before, with the state their parse ended in: agents
  // evaluate the same few formulas on every frame.
  struct Parsed {
    int32_t position = 0;
    int32_t token = kTokenNone;
    std::wstring name;
    double number = 0.0;
    boost::shared_ptr<Node> root;
  };
  std::map<std::wstring, Parsed> parsed_;
  // The variables last given (pi and e not added); none after this parser's
  // own map was given.
  std::unique_ptr<VariableMap> given_;
};

}  // namespace RegParser
