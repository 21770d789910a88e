#include "common/CNumber.h"

#include <charconv>
#include <cstring>
#include <system_error>

namespace platform {

const char* ReadCNumber(const char* text, const char* end, double& out) {
  const char* p = text;
  while (p != end && std::strchr(" \t\n\v\f\r", *p) && *p != '\0') ++p;
  // from_chars takes a minus sign but not a plus sign.
  if (p != end && *p == '+') {
    ++p;
    if (p != end && *p == '-') return text;
  }
  double value = 0.0;
  const std::from_chars_result r = std::from_chars(p, end, value);
  if (r.ec != std::errc()) return text;
  out = value;
  return r.ptr;
}

}  // namespace platform
