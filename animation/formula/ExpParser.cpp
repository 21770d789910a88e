#include "formula/ExpParser.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <cwchar>

#include <locale.h>

#include <boost/make_shared.hpp>

namespace RegParser {

namespace {

// The C classification functions only take values of unsigned char; formula
// text is wide, so only ASCII characters are ever handed to them.
bool IsAscii(wchar_t c) {
  return c >= 0 && c < 0x80;
}
bool IsBlank(wchar_t c) {
  return IsAscii(c) && std::isspace(static_cast<int>(c)) != 0;
}
bool IsLetter(wchar_t c) {
  return IsAscii(c) && std::isalpha(static_cast<int>(c)) != 0;
}
bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

struct FunctionName {
  const wchar_t* text;
  int32_t token;
};

// Compared in this order at the start of every token.
const FunctionName kFunctionNames[] = {
    {L"sin", kTokenSin}, {L"cos", kTokenCos}, {L"tan", kTokenTan},
    {L"min", kTokenMin}, {L"max", kTokenMax}, {L"abs", kTokenAbs},
};

// Reads a number's text as "%f" does in the C locale: formulas always write the
// decimal point as ".", whatever locale the host has set.
float ReadFloat(const std::wstring& text) {
  static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
  const locale_t previous = cLocale ? uselocale(cLocale) : static_cast<locale_t>(0);
  float value = 0.0f;
  if (std::swscanf(text.c_str(), L"%f", &value) != 1) value = 0.0f;
  if (cLocale) uselocale(previous);
  return value;
}

// Counts one level of operand nesting for as long as it lives.
class DepthGuard {
 public:
  explicit DepthGuard(int32_t& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int32_t& depth_;
};

}  // namespace

ExpParser::~ExpParser() = default;

void ExpParser::Parse(const std::wstring& formula) {
  const size_t length = std::min<size_t>(formula.size(), INT32_MAX);
  text_.assign(formula, 0, length);
  depth_ = 0;
  // Trees are only read once built, and their variables are this parser's.
  const auto found = parsed_.find(formula);
  if (found != parsed_.end()) {
    position_ = found->second.position;
    token_ = found->second.token;
    name_ = found->second.name;
    number_ = found->second.number;
    root_ = found->second.root;
    return;
  }
  position_ = 0;
  NextToken();
  root_ = ParseExpression().node;
  if (parsed_.size() >= 64) parsed_.clear();
  parsed_.emplace(formula, Parsed{position_, token_, name_, number_, root_});
}

namespace {

// Equal names and values bit for bit (so 0 and -0 differ, as they do to a
// division).
bool SameBits(const VariableMap& a, const VariableMap& b) {
  if (a.size() != b.size()) return false;
  for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
    if (i->first != j->first || std::memcmp(&i->second, &j->second, sizeof(double)) != 0)
      return false;
  return true;
}

}  // namespace

double ExpParser::Evaluate(const VariableMap& variables) {
  // Agents evaluate with the same variables frame after frame; the parser's
  // own stay as they are then.
  if (!given_ || !SameBits(*given_, variables)) SetVariables(variables);
  return root_ ? root_->Evaluate() : 0.0;
}

void ExpParser::SetVariables(const VariableMap& variables) {
  if (&variables == &variables_) {
    given_.reset();
  } else {
    // Assignments reuse the maps' nodes.
    variables_ = variables;
    if (!given_) given_ = std::make_unique<VariableMap>();
    *given_ = variables;
  }
  variables_.emplace(kVariablePi, kPi);
  variables_.emplace(kVariableE, kE);
}

void ExpParser::SetVariable(int32_t index, double value) {
  variables_[index] = value;
  if (given_) (*given_)[index] = value;
}

void ExpParser::NextToken() {
  if (AtEnd()) {
    token_ = kTokenNone;
    return;
  }
  // Function names are matched where the previous token ended, before blanks
  // are skipped, whatever follows them.
  if (text_.size() - static_cast<size_t>(position_) >= 3) {
    for (const FunctionName& function : kFunctionNames) {
      const wchar_t* at = text_.data() + position_;
      if (at[0] == function.text[0] && at[1] == function.text[1] && at[2] == function.text[2]) {
        position_ += 3;
        token_ = function.token;
        return;
      }
    }
  }
  while (!AtEnd() && IsBlank(text_[position_])) ++position_;
  if (AtEnd()) {
    token_ = kTokenNone;
    return;
  }
  const wchar_t c = text_[position_++];
  // The character is classified by its low 8 bits; the character itself is
  // what the number or the name reads.
  switch (static_cast<unsigned char>(c & 0xFF)) {
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case '-':
    case '/':
      token_ = static_cast<int32_t>(c & 0xFF);
      break;
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
      ReadNumber(c, L"");
      break;
    case '.':
      ReadNumber(c, L"0.");
      break;
    default:
      ReadName(c);
      break;
  }
}

void ExpParser::ReadNumber(wchar_t first, const wchar_t* prefix) {
  std::wstring digits = prefix;
  if (first != L'.') digits += first;
  while (!AtEnd() && (IsDigit(text_[position_]) || text_[position_] == L'.')) {
    digits += text_[position_++];
  }
  // Single precision, widened: the text 0.1 gives 0.100000001490116.
  number_ = static_cast<double>(ReadFloat(digits));
  token_ = kTokenNumber;
}

void ExpParser::ReadName(wchar_t first) {
  if (!IsLetter(first) && first != L'#' && first != L'$') {
    token_ = kTokenNone;  // the character stays consumed
    return;
  }
  name_.assign(1, first);
  while (!AtEnd()) {
    const wchar_t c = text_[position_];
    if (!IsLetter(c) && c != L'_' && c != L'#' && c != L'$') break;
    name_ += c;
    ++position_;
  }
  token_ = kTokenName;
}

bool ExpParser::Fits(int32_t height) {
  if (height <= kMaxDepth) return true;
  // Too deep: end the parse here, so every loop and every pending token read
  // sees the end of the text.
  position_ = static_cast<int32_t>(text_.size());
  token_ = kTokenNone;
  return false;
}

ExpParser::Operand ExpParser::ParseExpression() {
  Operand tree = ParseTerm();
  while (token_ == kTokenPlus || token_ == kTokenMinus) {
    const int32_t op = token_;
    NextToken();
    Operand right = ParseTerm();
    const int32_t height = 1 + std::max(tree.height, right.height);
    if (!Fits(height)) break;
    if (op == kTokenPlus) {
      tree.node = boost::make_shared<PlusNode>(tree.node, right.node);
    } else {
      tree.node = boost::make_shared<MinusNode>(tree.node, right.node);
    }
    tree.height = height;
  }
  return tree;
}

ExpParser::Operand ExpParser::ParseTerm() {
  Operand tree = ParseFactor();
  while (token_ == kTokenTimes || token_ == kTokenDivide) {
    const int32_t op = token_;
    NextToken();
    Operand right = ParseFactor();
    const int32_t height = 1 + std::max(tree.height, right.height);
    if (!Fits(height)) break;
    if (op == kTokenTimes) {
      tree.node = boost::make_shared<MultNode>(tree.node, right.node);
    } else {
      tree.node = boost::make_shared<DivNode>(tree.node, right.node);
    }
    tree.height = height;
  }
  return tree;
}

ExpParser::Operand ExpParser::ParseFactor() {
  // Every nested operand passes through here, so this bounds the recursion.
  if (!Fits(depth_ + 1)) return Operand();
  DepthGuard guard(depth_);
  return ParseFactorToken();
}

ExpParser::Operand ExpParser::ParseFactorToken() {
  Operand result;
  switch (token_) {
    case kTokenSin:
    case kTokenCos:
    case kTokenTan:
    case kTokenAbs: {
      const int32_t function = token_;
      NextToken();  // past the name
      NextToken();  // past the "(" that is taken to follow it
      Operand argument = ParseExpression();
      NextToken();  // past the ")" that is taken to end the argument
      result.height = 1 + argument.height;
      if (!Fits(result.height)) return Operand();
      if (function == kTokenSin) {
        result.node = boost::make_shared<SinNode>(argument.node);
      } else if (function == kTokenCos) {
        result.node = boost::make_shared<CosNode>(argument.node);
      } else if (function == kTokenTan) {
        result.node = boost::make_shared<TanNode>(argument.node);
      } else {
        result.node = boost::make_shared<AbsNode>(argument.node);
      }
      return result;
    }
    case kTokenMin:
    case kTokenMax: {
      const int32_t function = token_;
      NextToken();  // the "(" becomes current and opens a bracket that ends at the ","
      Operand first = ParseExpression();
      NextToken();  // past the ","
      Operand second = ParseExpression();
      NextToken();  // past the ")"
      result.height = 1 + std::max(first.height, second.height);
      if (!Fits(result.height)) return Operand();
      if (function == kTokenMin) {
        result.node = boost::make_shared<MinNode>(first.node, second.node);
      } else {
        result.node = boost::make_shared<MaxNode>(first.node, second.node);
      }
      return result;
    }
    case kTokenOpen: {
      NextToken();
      Operand inner = ParseExpression();
      if (token_ == kTokenClose) {
        NextToken();
        return inner;
      }
      if (token_ == kTokenComma) return inner;  // the "," stays current
      return Operand();                         // unclosed: the bracket is dropped
    }
    case kTokenMinus: {
      NextToken();
      Operand operand = ParseFactor();
      result.height = 1 + std::max<int32_t>(1, operand.height);
      if (!Fits(result.height)) return Operand();
      result.node =
          boost::make_shared<MinusNode>(boost::make_shared<NumberNode>(0.0), operand.node);
      return result;
    }
    // A number or a name is built from the last one read after the next token
    // has been read: in "1 2" the second number is the one taken.
    case kTokenNumber:
      NextToken();
      result.node = boost::make_shared<NumberNode>(number_);
      result.height = 1;
      return result;
    case kTokenName:
      NextToken();
      result.node = boost::make_shared<VariableNode>(name_, &variables_);
      result.height = 1;
      return result;
    default:
      return result;  // starts no operand: empty, nothing consumed
  }
}

}  // namespace RegParser
