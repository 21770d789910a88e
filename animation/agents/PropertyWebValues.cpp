// The property agent's web values: formulas scanned into tokens for the web
// player, and the value lists and from/to/by triples written as JSON arrays.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <vector>

#include <boost/make_shared.hpp>

#include "agents/PropertyEffectAgent.h"
#include "host/Properties.h"

namespace {

struct FunctionToken {
  const wchar_t* text;
  int32_t token;
  int32_t webCode;
};

// Read where a token starts, before blanks are skipped, as the parser does.
const FunctionToken kFunctionTokens[] = {
    {L"sin", RegParser::kTokenSin, 0}, {L"cos", RegParser::kTokenCos, 1},
    {L"tan", RegParser::kTokenTan, 2}, {L"min", RegParser::kTokenMin, 3},
    {L"max", RegParser::kTokenMax, 4}, {L"abs", RegParser::kTokenAbs, 5},
};

int32_t WebFunctionCode(int32_t token) {
  for (const FunctionToken& f : kFunctionTokens)
    if (f.token == token) return f.webCode;
  return -1;
}

bool IsAsciiBlank(wchar_t c) {
  return c == L' ' || (c >= L'\t' && c <= L'\r');
}
bool IsAsciiLetter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}
bool IsAsciiDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// Digits and points in single precision, like the parser's numbers: the
// first point ends the fraction, so "1.2.3" is worth 1.2.
float ReadWebNumber(const std::wstring& text) {
  std::string narrow(text.begin(), text.end());
  float value = 0.0f;
  const std::from_chars_result r =
      std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  return r.ec == std::errc() ? value : 0.0f;
}

bool IsArithmetic(const PropertyEffectAgent::Node& node) {
  return node.kind == PropertyEffectAgent::Node::kOperator;
}

// The tokens of a formula; false for a character that no formula holds.
bool ScanFormula(const std::wstring& text, std::vector<PropertyEffectAgent::Node>& tokens) {
  using Node = PropertyEffectAgent::Node;
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    bool function = false;
    for (const FunctionToken& f : kFunctionTokens) {
      if (n - i >= 3 && text.compare(i, 3, f.text) == 0) {
        Node node;
        node.kind = Node::kFunction;
        node.code = f.token;
        tokens.push_back(node);
        i += 3;
        function = true;
        break;
      }
    }
    if (function) continue;
    while (i < n && IsAsciiBlank(text[i])) ++i;
    if (i >= n) break;
    const wchar_t c = text[i++];
    Node node;
    switch (c) {
      case L'+':
      case L'-':
      case L'*':
      case L'/':
        node.kind = Node::kOperator;
        node.code = c;
        tokens.push_back(node);
        continue;
      case L'(':
        node.kind = Node::kOpen;
        node.code = c;
        tokens.push_back(node);
        continue;
      case L')':
        node.kind = Node::kClose;
        node.code = c;
        tokens.push_back(node);
        continue;
      case L',':
        node.kind = Node::kComma;
        node.code = c;
        tokens.push_back(node);
        continue;
      default:
        break;
    }
    if (IsAsciiDigit(c) || c == L'.') {
      std::wstring digits = c == L'.' ? L"0." : std::wstring(1, c);
      while (i < n && (IsAsciiDigit(text[i]) || text[i] == L'.')) digits += text[i++];
      const float value = ReadWebNumber(digits);
      // "number operator number" folds into one number, unless the operator
      // is the text's second token.
      const size_t size = tokens.size();
      if (size >= 3 && IsArithmetic(tokens[size - 1]) && tokens[size - 2].kind == Node::kNumber) {
        const int32_t op = tokens.back().code;
        tokens.pop_back();
        float& earlier = tokens.back().value;
        if (op == L'+')
          earlier = earlier + value;
        else if (op == L'-')
          earlier = earlier - value;
        else if (op == L'*')
          earlier = earlier * value;
        else
          earlier = earlier / value;
        continue;
      }
      node.kind = Node::kNumber;
      node.value = value;
      tokens.push_back(node);
      continue;
    }
    if (IsAsciiLetter(c) || c == L'#' || c == L'$') {
      while (i < n &&
             (IsAsciiLetter(text[i]) || text[i] == L'_' || text[i] == L'#' || text[i] == L'$'))
        ++i;
      node.kind = Node::kName;
      tokens.push_back(node);
      continue;
    }
    return false;
  }
  return true;
}

void AddFloat(const boost::shared_ptr<WEBDECK::PptxJSArrHolder>& array, double value) {
  array->AddObject(
      boost::make_shared<WEBDECK::PptxJSFloatPropertyHolder>("", static_cast<float>(value), -1));
}

}  // namespace

bool PropertyEffectAgent::EncodeFormulaShape(
    const std::wstring& formula, const boost::shared_ptr<WEBDECK::PptxJSArrHolder>& array,
    double time, double scale) {
  std::vector<Node> tokens;
  if (!array || !ScanFormula(formula, tokens)) return false;
  std::wstring shape;
  for (const Node& node : tokens)
    if (node.kind == Node::kOperator || node.kind == Node::kOpen || node.kind == Node::kClose)
      shape += static_cast<wchar_t>(node.code);
  auto found = formulaShapes_.find(shape);
  if (found == formulaShapes_.end()) return false;

  AddFloat(array, time);
  array->AddObject(boost::make_shared<WEBDECK::PptxJSStringPropertyHolder>("", L"for"));
  array->AddObject(boost::make_shared<WEBDECK::PptxJSIntPropertyHolder>("", found->second));
  AddFloat(array, scale);
  for (const Node& node : tokens)
    if (node.kind == Node::kFunction)
      array->AddObject(
          boost::make_shared<WEBDECK::PptxJSIntPropertyHolder>("", WebFunctionCode(node.code)));
  for (const Node& node : tokens)
    if (node.kind == Node::kNumber) AddFloat(array, node.value);
  return true;
}

// Positions are written in slide units and sizes as factors of the shape's
// own; the web player interpolates between the pairs.
void PropertyEffectAgent::BuildWebValues(boost::shared_ptr<WEBDECK::PptxJSArrHolder>& out,
                                         const boost::shared_ptr<IScreenObject>& context,
                                         double (&positionCache)[2], bool earlier) {
  const boost::shared_ptr<IInterface>& b = Behaviour();
  attribute::Geometry& g = geometry_;
  double cx = g.cx, cy = g.cy;
  if (!prepared_ && !textPrepared_) {
    Init(context);
    g.Take(*this, context);
    cx = g.cx;
    cy = g.cy;
    // An animation that restarts from the authored state does not continue
    // from where an earlier one left the shape.
    const int fill = GetInt(b, ePropFill);
    const bool usePrevious = !(Has(b, ePropFill) && (fill == 1 || fill == 2));
    if (earlier && usePrevious) {
      cx = positionCache[0];
      cy = positionCache[1];
    }
    positionCache[0] = cx;
    positionCache[1] = cy;
  }

  // A slide without extent gives fractions of 0, and sizes of 1.
  const double fx = attribute::Fraction(cx, g.slideWidth);
  const double fy = attribute::Fraction(cy, g.slideHeight);
  double fw = attribute::Fraction(g.w, g.slideWidth);
  double fh = attribute::Fraction(g.h, g.slideHeight);
  if (fw == 0.0) fw = 1.0;
  if (fh == 0.0) fh = 1.0;
  variables_[RegParser::kVariablePptX] = variables_[RegParser::kVariableHashPptX] = fx;
  variables_[RegParser::kVariablePptY] = variables_[RegParser::kVariableHashPptY] = fy;
  variables_[RegParser::kVariablePptW] = variables_[RegParser::kVariableHashPptW] = fw;
  variables_[RegParser::kVariablePptH] = variables_[RegParser::kVariableHashPptH] = fh;
  variables_[RegParser::kVariablePi] = RegParser::ExpParser::kPi;
  variables_[RegParser::kVariableE] = RegParser::ExpParser::kE;
  variablesGiven_ = false;

  out = boost::make_shared<WEBDECK::PptxJSArrHolder>(WEBDECK::kEffectAnimationValues);

  boost::shared_ptr<PropertySheetList> list = GetSheetList(b, ePropTimeValueList);
  const size_t entries = list ? list->GetCount() : 0;
  bool hasFormula = false;
  for (size_t i = 0; i < entries; ++i)
    if (Has(list->GetItem(i), ePropTavFormula)) hasFormula = true;

  // Formula values are fractions of the slide; plain list values of a move
  // with formulas are factors of the shape's own position.
  const int32_t kind = Attribute();
  double formulaScale = 1.0;
  double valueScale = 1.0;
  switch (kind) {
    case 0:
      formulaScale = g.slideWidth;
      valueScale = hasFormula ? cx : g.slideWidth;
      break;
    case 1:
      formulaScale = g.slideHeight;
      valueScale = hasFormula ? cy : g.slideHeight;
      break;
    case 2:
      formulaScale = 1.0 / fw;
      break;
    case 3:
      formulaScale = 1.0 / fh;
      break;
    case 8:
      return;
    default:
      break;
  }

  for (size_t i = 0; i < entries; ++i) {
    const boost::shared_ptr<IPropertySheet>& entry = list->GetItem(i);
    const double time = GetDouble(entry, ePropTavTime);
    const std::wstring formula = GetString(entry, ePropTavFormula);
    if (!formula.empty() && EncodeFormulaShape(formula, out, time, formulaScale)) {
      webEffectType_ = 7;
      continue;
    }
    boost::shared_ptr<IPropertyValue> value = GetValue(entry, ePropTavValue);
    if (!value) continue;
    double v = 0.0;
    if (value->GetType() == ePropTypeString) {
      const std::wstring text = property_cast<std::wstring>(value);
      if (kind == 7)
        v = text == L"visible" ? 1.0 : 0.0;
      else
        v = FormulaValue(text) * formulaScale;
    } else {
      v = property_cast<double>(value) * valueScale;
    }
    AddFloat(out, time);
    AddFloat(out, v);
  }
  if (entries > 0) return;

  double from = 0.0, to = 1.0;
  FromAndTo(kind, {fx, fy, fw, fh}, from, to);
  AddFloat(out, 0.0);
  AddFloat(out, from * formulaScale);
  AddFloat(out, 100.0);
  AddFloat(out, to * formulaScale);
  // A reversed move ends where it started.
  const double last = GetBool(b, ePropAutoReverse) ? from * formulaScale : to * formulaScale;
  if (kind == 0) positionCache[0] = last;
  if (kind == 1) positionCache[1] = last;
}
