// The formula and path targets' text: one character per byte, or the bytes
// taken as raw wchar_t units (a trailing part unit is dropped).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace fuzz {

inline std::wstring WideInput(bool rawUnits, const uint8_t* data, size_t size) {
  std::wstring text;
  if (rawUnits) {
    text.resize(size / sizeof(wchar_t));
    if (!text.empty()) std::memcpy(&text[0], data, text.size() * sizeof(wchar_t));
  } else {
    text.assign(data, data + size);
  }
  return text;
}

}  // namespace fuzz
