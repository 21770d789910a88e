// The motion-path syntax of presentations: M, L, C, Z and E commands with
// coordinates in fractions of the slide (docs/motion-paths.md). Curves are
// flattened into straight segments so that the path can be walked by distance.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "path/Path.h"

namespace {

// Largest distance, in slide units, between a curve and its flattened form.
const double kFlatness = 0.01;
// Subdivision stops here even when a curve is not yet flat (4096 segments).
const int kMaxDepth = 12;
// Past this many segments, the rest of a path is replaced by chords.
const size_t kMaxSegments = size_t(1) << 20;

struct Point {
  double x = 0.0;
  double y = 0.0;
};

struct Segment {
  Point from;
  Point to;
  double length = 0.0;
};

// Straight segments walked by distance; a move between subpaths is a jump that
// takes no distance. A line without segments stays at its start point. Each
// segment is taken from the path's own allowance and from the slide's, when
// there is one; once either is spent, a further segment stretches the last one
// to its end (a chord), so memory stays bounded.
class SegmentLine : public Kinefold::Line {
 public:
  SegmentLine(const Point& start, size_t* slideSegments)
      : start_(start), slideSegments_(slideSegments) {}

  bool HasRoom() const {
    return segments_.size() < kMaxSegments && (!slideSegments_ || *slideSegments_ > 0);
  }
  void Add(const Point& from, const Point& to) {
    if (!HasRoom() && !segments_.empty()) {
      Segment& last = segments_.back();
      total_ -= last.length;
      last.to = to;
      last.length = std::hypot(to.x - last.from.x, to.y - last.from.y);
      total_ += last.length;
      ends_.back() = total_;
      return;
    }
    if (slideSegments_ && *slideSegments_ > 0) --*slideSegments_;
    Segment s{from, to, std::hypot(to.x - from.x, to.y - from.y)};
    total_ += s.length;
    segments_.push_back(s);
    ends_.push_back(total_);
  }

  double GetLength() const override { return total_; }

  // Distances outside [0, length] answer the start or the end.
  void GetPoint(double distance, double& x, double& y) const override {
    if (segments_.empty() || !(distance > 0.0)) {
      const Point& p = segments_.empty() ? start_ : segments_.front().from;
      x = p.x;
      y = p.y;
      return;
    }
    auto it = std::lower_bound(ends_.begin(), ends_.end(), distance);
    if (it == ends_.end()) {
      x = segments_.back().to.x;
      y = segments_.back().to.y;
      return;
    }
    const Segment& s = segments_[static_cast<size_t>(it - ends_.begin())];
    const double into = distance - (*it - s.length);
    const double f = s.length > 0.0 ? into / s.length : 1.0;
    x = s.from.x + (s.to.x - s.from.x) * f;
    y = s.from.y + (s.to.y - s.from.y) * f;
  }

 private:
  Point start_;
  size_t* slideSegments_;
  std::vector<Segment> segments_;
  std::vector<double> ends_;  // distance along the line at the end of each segment
  double total_ = 0.0;
};

class Scanner {
 public:
  explicit Scanner(const std::wstring& text) : text_(text) {}

  void SkipSeparators() {
    while (pos_ < text_.size() && (IsSpace(text_[pos_]) || text_[pos_] == L',')) ++pos_;
  }
  bool AtEnd() {
    SkipSeparators();
    return pos_ >= text_.size();
  }
  wchar_t Peek() {
    SkipSeparators();
    return pos_ < text_.size() ? text_[pos_] : L'\0';
  }
  void Advance() { ++pos_; }
  bool NumberAhead() {
    const wchar_t c = Peek();
    return IsDigit(c) || c == L'+' || c == L'-' || c == L'.';
  }

  // A decimal number with an optional sign, fraction and exponent. An E that
  // is not followed by digits is left for the end command.
  bool ReadNumber(double& value) {
    SkipSeparators();
    std::string digits;
    size_t p = pos_;
    if (p < text_.size() && (text_[p] == L'+' || text_[p] == L'-')) {
      if (text_[p] == L'-') digits += '-';
      ++p;
    }
    const size_t integral = ReadDigits(p, digits);
    size_t fraction = 0;
    if (p < text_.size() && text_[p] == L'.') {
      digits += '.';
      ++p;
      fraction = ReadDigits(p, digits);
    }
    if (integral + fraction == 0) return false;
    if (p < text_.size() && (text_[p] == L'e' || text_[p] == L'E')) {
      size_t q = p + 1;
      std::string exponent = "e";
      if (q < text_.size() && (text_[q] == L'+' || text_[q] == L'-'))
        exponent += static_cast<char>(text_[q++]);
      if (ReadDigits(q, exponent) > 0) {
        digits += exponent;
        p = q;
      }
    }
    double parsed = 0.0;
    const char* first = digits.data();
    const char* last = first + digits.size();
    std::from_chars_result r = std::from_chars(first, last, parsed);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(parsed)) return false;
    value = parsed;
    pos_ = p;
    return true;
  }

 private:
  static bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
  // Appends the digits from `p` on to `out` and moves `p` past them.
  size_t ReadDigits(size_t& p, std::string& out) const {
    size_t count = 0;
    for (; p < text_.size() && IsDigit(text_[p]); ++p, ++count) out += static_cast<char>(text_[p]);
    return count;
  }
  static bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f' || c == L'\v';
  }

  const std::wstring& text_;
  size_t pos_ = 0;
};

class Flattener {
 public:
  explicit Flattener(SegmentLine& line) : line_(line) {}

  void Curve(const Point& p0, const Point& c1, const Point& c2, const Point& p3) {
    if (!line_.HasRoom()) {
      line_.Add(p0, p3);
      return;
    }
    Subdivide(p0, c1, c2, p3, 0);
  }

 private:
  static Point Mid(const Point& a, const Point& b) {
    return Point{(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
  }
  // The control points' distance from the chord bounds the curve's distance
  // from it: flat enough when that bound is within the tolerance.
  static bool Flat(const Point& p0, const Point& c1, const Point& c2, const Point& p3) {
    double ux = 3.0 * c1.x - 2.0 * p0.x - p3.x;
    double uy = 3.0 * c1.y - 2.0 * p0.y - p3.y;
    double vx = 3.0 * c2.x - p0.x - 2.0 * p3.x;
    double vy = 3.0 * c2.y - p0.y - 2.0 * p3.y;
    ux = std::max(ux * ux, vx * vx);
    uy = std::max(uy * uy, vy * vy);
    return ux + uy <= 16.0 * kFlatness * kFlatness;
  }
  void Subdivide(const Point& p0, const Point& c1, const Point& c2, const Point& p3, int depth) {
    if (depth >= kMaxDepth || Flat(p0, c1, c2, p3)) {
      line_.Add(p0, p3);
      return;
    }
    const Point a = Mid(p0, c1), b = Mid(c1, c2), c = Mid(c2, p3);
    const Point ab = Mid(a, b), bc = Mid(b, c);
    const Point m = Mid(ab, bc);
    Subdivide(p0, a, ab, m, depth + 1);
    Subdivide(m, bc, c, p3, depth + 1);
  }

  SegmentLine& line_;
};

// Parses `text` into `line`; false when the text is not a path.
bool Parse(const std::wstring& text, const Kinefold::Path& path, SegmentLine& line) {
  Scanner scan(text);
  Flattener flatten(line);
  auto place = [&path](double fx, double fy) {
    Point p;
    path.Place(fx, fy, p.x, p.y);
    return p;
  };
  double cx = 0.0, cy = 0.0;  // current point, in fractions
  double sx = 0.0, sy = 0.0;  // start of the current subpath
  wchar_t command = 0;
  while (!scan.AtEnd()) {
    if (!scan.NumberAhead()) {
      command = scan.Peek();
      scan.Advance();
    } else if (command == L'M') {
      command = L'L';  // coordinates after a move continue as lines
    } else if (command == L'm') {
      command = L'l';
    } else if (command == 0 || command == L'Z' || command == L'z') {
      return false;
    }
    const bool relative = command >= L'a' && command <= L'z';
    const double bx = relative ? cx : 0.0, by = relative ? cy : 0.0;
    switch (command) {
      case L'E':
      case L'e':
        return true;
      case L'Z':
      case L'z':
        if (cx != sx || cy != sy) line.Add(place(cx, cy), place(sx, sy));
        cx = sx;
        cy = sy;
        break;
      case L'M':
      case L'm':
      case L'L':
      case L'l': {
        double x = 0.0, y = 0.0;
        if (!scan.ReadNumber(x) || !scan.ReadNumber(y)) return false;
        x += bx;
        y += by;
        if (command == L'M' || command == L'm') {
          sx = x;
          sy = y;
        } else {
          line.Add(place(cx, cy), place(x, y));
        }
        cx = x;
        cy = y;
        break;
      }
      case L'C':
      case L'c': {
        double v[6];
        for (double& value : v)
          if (!scan.ReadNumber(value)) return false;
        for (int i = 0; i < 6; i += 2) {
          v[i] += bx;
          v[i + 1] += by;
        }
        flatten.Curve(place(cx, cy), place(v[0], v[1]), place(v[2], v[3]), place(v[4], v[5]));
        cx = v[4];
        cy = v[5];
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

// Where a path without segments stays: its first move, else its origin.
Point StartOf(const std::wstring& text, const Kinefold::Path& path) {
  Point p;
  Scanner scan(text);
  double fx = 0.0, fy = 0.0;
  const wchar_t c = scan.Peek();
  if (c == L'M' || c == L'm') {
    scan.Advance();
    double x = 0.0, y = 0.0;
    if (scan.ReadNumber(x) && scan.ReadNumber(y)) {
      fx = x;
      fy = y;
    }
  }
  path.Place(fx, fy, p.x, p.y);
  return p;
}

}  // namespace

namespace Kinefold {

void MotionPath::ParseExpr() {
  const std::wstring& text = GetExpression();
  const Point start = StartOf(text, *this);
  auto line = std::make_unique<SegmentLine>(start, SlideSegments());
  // Coordinates that are numbers can still leave the slide's range once they
  // are scaled to it: such a path is out of range too.
  if (!Parse(text, *this, *line) || !std::isfinite(line->GetLength()) || !std::isfinite(start.x) ||
      !std::isfinite(start.y)) {
    // Not a path: a line of length 0 at the path's origin (for a relative
    // path the shape's centre), so that the shape does not move.
    Point origin;
    Place(0.0, 0.0, origin.x, origin.y);
    line = std::make_unique<SegmentLine>(origin, nullptr);
  }
  SetLine(std::move(line));
}

}  // namespace Kinefold
