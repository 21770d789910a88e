// Decimal numbers as documents and our own output write them: the decimal
// point is always ".", whatever locale the process has set.
#pragma once

namespace platform {

// Reads a number at the start of [text, end) as strtod does in the C locale:
// leading blanks, an optional sign, digits with an optional fraction and
// exponent ("1.5", "-2e3", "+.5"; "inf" and "nan" too). Returns the character
// after the number, or `text` when there is none or it is out of the range of
// a double.
const char* ReadCNumber(const char* text, const char* end, double& out);

}  // namespace platform
