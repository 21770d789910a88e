// Conversions between wide strings (one code point per wchar_t) and UTF-8.
#pragma once

#include <string>

namespace platform {

// Invalid code points (surrogates, values past U+10FFFF) become U+FFFD.
std::string ToUtf8(const std::wstring& text);
// Malformed sequences become U+FFFD.
std::wstring FromUtf8(const std::string& text);

}  // namespace platform
