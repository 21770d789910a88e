#include "pptx/Units.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "common/CNumber.h"

namespace pptx {
namespace {

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
  return p;
}

bool OnlyBlanksLeft(const char* p) {
  return *SkipBlanks(p) == '\0';
}

}  // namespace

bool ParseInteger(const char* text, int64_t& out) {
  if (!text) return false;
  const char* p = SkipBlanks(text);
  if (*p == '\0') return false;
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(p, &end, 10);
  if (end == p || errno == ERANGE || !OnlyBlanksLeft(end)) return false;
  out = value;
  return true;
}

bool ParseDecimal(const char* text, double& out) {
  if (!text) return false;
  const char* p = SkipBlanks(text);
  if (*p == '\0') return false;
  double value = 0.0;
  const char* end = platform::ReadCNumber(p, p + std::strlen(p), value);
  if (end == p || !OnlyBlanksLeft(end) || !std::isfinite(value)) return false;
  out = value;
  return true;
}

bool ParseBoolean(const char* text, bool& out) {
  if (!text) return false;
  if (!std::strcmp(text, "1") || !std::strcmp(text, "true") || !std::strcmp(text, "on")) {
    out = true;
    return true;
  }
  if (!std::strcmp(text, "0") || !std::strcmp(text, "false") || !std::strcmp(text, "off")) {
    out = false;
    return true;
  }
  return false;
}

bool ParseTime(const char* text, uint32_t& out) {
  if (!text) return false;
  if (!std::strcmp(SkipBlanks(text), "indefinite")) {
    out = kIndefinite;
    return true;
  }
  int64_t value = 0;
  if (!ParseInteger(text, value) || value < 0 || value >= static_cast<int64_t>(kIndefinite))
    return false;
  out = static_cast<uint32_t>(value);
  return true;
}

bool ParseTimeOffset(const char* text, double& outMs) {
  if (!text) return false;
  const char* p = SkipBlanks(text);
  double value = 0.0;
  const char* end = platform::ReadCNumber(p, p + std::strlen(p), value);
  if (end == p || !std::isfinite(value) || value < 0) return false;
  const char* unit = SkipBlanks(end);
  std::string u(unit);
  while (!u.empty() && (u.back() == ' ' || u.back() == '\t')) u.pop_back();
  double scale = 0;
  if (u.empty() || u == "ms")
    scale = 1.0;
  else if (u == "s")
    scale = 1000.0;
  else if (u == "min")
    scale = 60000.0;
  else if (u == "h")
    scale = 3600000.0;
  else if (u == "us" || u == "\xC2\xB5s")
    scale = 0.001;
  else if (u == "ns")
    scale = 0.000001;
  else
    return false;
  outMs = value * scale;
  return std::isfinite(outMs);
}

}  // namespace pptx
