#include "pptx/ChartParts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <boost/make_shared.hpp>

#include "pptx/Xml.h"

namespace pptx {

ChartPart RectPart(double x, double y, double w, double h) {
  auto part = boost::make_shared<platform::Shape>(L"part");
  part->SetBounds(x, y, std::max(0.0, w), std::max(0.0, h));
  return part;
}

ChartPart LinePart(double x0, double y0, double x1, double y1, const platform::LineStyle& line) {
  auto part = RectPart(x0, y0, x1 - x0, y1 - y0);
  part->SetBounds(x0, y0, x1 - x0, y1 - y0);
  part->SetKind(platform::ShapeKind::Connector);
  part->SetGeometry("line");
  part->SetLine(line);
  return part;
}

ChartPart PolygonPart(const std::vector<std::pair<double, double>>& points, bool closed) {
  double minX = points[0].first, minY = points[0].second, maxX = minX, maxY = minY;
  for (const auto& p : points) {
    minX = std::min(minX, p.first);
    maxX = std::max(maxX, p.first);
    minY = std::min(minY, p.second);
    maxY = std::max(maxY, p.second);
  }
  auto part = RectPart(minX, minY, std::max(1e-3, maxX - minX), std::max(1e-3, maxY - minY));
  platform::GeometryPath path;
  path.filled = closed;
  for (size_t i = 0; i < points.size(); ++i) {
    platform::PathCommand cmd;
    cmd.kind = i == 0 ? platform::PathCommand::MoveTo : platform::PathCommand::LineTo;
    cmd.v[0] = points[i].first - minX;
    cmd.v[1] = points[i].second - minY;
    path.commands.push_back(cmd);
  }
  if (closed) path.commands.push_back(platform::PathCommand{platform::PathCommand::Close, {}, {}});
  part->geometry.preset = "custom";
  part->geometry.paths.push_back(path);
  return part;
}

ChartPart TextPart(double x, double y, double w, double h, const std::wstring& text,
                   const platform::CharProps& props, platform::TextAlign align, bool wrap,
                   platform::TextAnchor anchor) {
  auto part = RectPart(x, y, w, h);
  platform::TextBody body;
  body.insetLeft = body.insetRight = body.insetTop = body.insetBottom = 0;
  body.anchor = anchor;
  body.wrap = wrap;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find(L'\n', start), text.size());
    platform::Paragraph para;
    para.align = align;
    para.runs.push_back(platform::TextRun{text.substr(start, end - start), props});
    para.endProps = props;
    body.paragraphs.push_back(para);
    start = end + 1;
  }
  part->SetTextBody(body);
  return part;
}

double TextWidth(const std::wstring& text, const platform::CharProps& props) {
  double ems = 0;
  for (wchar_t c : text) {
    if (std::wstring(L" .,;:'!|il1jtfrI()[]").find(c) != std::wstring::npos)
      ems += 0.3;
    else if (c == L'm' || c == L'w' || c == L'M' || c == L'W' || c == L'%')
      ems += 0.85;
    else if (c >= L'A' && c <= L'Z')
      ems += 0.63;
    else if (c >= L'0' && c <= L'9')
      ems += 0.53;
    else
      ems += 0.5;
  }
  // Letters of the narrow faces are some 10% narrower than Arial's, those of
  // the wide ones (and of the fallback face, DejaVu Sans) 15% wider.
  const std::string& f = props.font;
  double face = 1.15;
  for (const char* narrow : {"Calibri", "Carlito", "Cambria", "Caladea", "Times", "Georgia",
                             "Garamond", "Narrow", "Candara", "Corbel"})
    if (f.find(narrow) != std::string::npos) face = 0.92;
  for (const char* plain :
       {"Arial", "Helvetica", "Liberation Sans", "Segoe", "Gill Sans", "Franklin", "Open Sans"})
    if (f.find(plain) != std::string::npos) face = 1.0;
  return ems * face * props.size * platform::kUnitsPerPoint * (props.bold ? 1.07 : 1.0);
}

double LineHeight(const platform::CharProps& props) {
  return props.size * platform::kUnitsPerPoint * 1.2;
}

int WrappedLines(const std::wstring& text, const platform::CharProps& props, double width) {
  int lines = 0;
  double used = 0;
  const double blank = TextWidth(L" ", props);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(L" \n", start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) {
      const double w = TextWidth(text.substr(start, end - start), props);
      if (w > width) return 0;
      if (lines == 0 || used + blank + w > width) {
        ++lines;
        used = w;
      } else {
        used += blank + w;
      }
    }
    if (end < text.size() && text[end] == L'\n') used = width * 2;  // the next word starts a line
    start = end + 1;
  }
  return std::max(1, lines);
}

namespace {

std::string Fixed(double value, int decimals, bool grouped) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, std::min(decimals, 10)), value);
  std::string digits = buffer;
  if (!grouped) return digits;
  const size_t point = std::min(digits.find('.'), digits.size());
  for (size_t i = point; i > 3; i -= 3) digits.insert(i - 3, ",");
  return digits;
}

std::string General(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return buffer;
}

}  // namespace

std::wstring FormatNumber(double value, const std::string& format) {
  const std::string code = format.substr(0, format.find(';'));
  std::string prefix, suffix;
  int places = 0;
  bool digits = false, afterPoint = false, grouped = false, percent = false, other = false;
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    std::string literal;
    if (c == '"') {
      const size_t end = std::min(code.find('"', i + 1), code.size());
      literal = code.substr(i + 1, end - i - 1);
      i = end;
    } else if (c == '\\' && i + 1 < code.size()) {
      literal = code.substr(++i, 1);
    } else if (c == '[') {
      i = std::min(code.find(']', i), code.size());
    } else if (c == '_' || c == '*') {
      ++i;
    } else if (c == '0' || c == '#' || c == '?') {
      digits = true;
      if (afterPoint) ++places;
      suffix.clear();
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      grouped = grouped || (digits && !afterPoint);
    } else if (c == '%') {
      percent = true;
      literal = "%";
    } else if (std::string("yYmMdDhHsSeE@").find(c) != std::string::npos) {
      other = true;
    } else {
      literal = std::string(1, c);
    }
    (digits ? suffix : prefix) += literal;
  }
  std::string out;
  if (!digits || other)
    out = General(value);
  else
    out = prefix + Fixed(std::fabs(percent ? value * 100 : value), places, grouped) + suffix;
  const double shown = std::fabs(percent ? value * 100 : value);
  if (digits && !other && value < 0 &&
      Fixed(shown, places, false).find_first_of("123456789") != std::string::npos)
    out = "-" + out;
  return WideText(out.c_str());
}

AxisScale NiceScale(double low, double high, int maxSteps) {
  maxSteps = std::max(1, maxSteps);
  if (!(high > low)) {
    if (high > 0)
      low = 0;
    else if (low < 0)
      high = 0;
    else
      high = low + 1;
  }
  const double raw = (high - low) / maxSteps;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  AxisScale scale;
  for (int tries = 0; tries < 8; ++tries) {
    for (double m : {1.0, 2.0, 5.0}) {
      scale.step = m * magnitude;
      if (scale.step < raw * (1 - 1e-9)) continue;
      scale.low = std::floor(low / scale.step + 1e-9) * scale.step;
      scale.high = std::ceil(high / scale.step - 1e-9) * scale.step;
      if (scale.high <= scale.low) scale.high = scale.low + scale.step;
      if ((scale.high - scale.low) / scale.step <= maxSteps + 1e-9) return scale;
    }
    magnitude *= 10;
  }
  return scale;
}

}  // namespace pptx
