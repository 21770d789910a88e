// Number and unit parsing: strict integers and decimals, times, and the
// conversion of document units into slide units and milliseconds.
#pragma once

#include <cstdint>
#include <string>

namespace pptx {

// Slide units are 1/96 inch; the document's lengths are EMU (914400 per inch).
const double kEmuPerUnit = 9525.0;
const uint32_t kIndefinite = 0xFFFFFFFFu;

inline double EmuToUnits(double emu) {
  return emu / kEmuPerUnit;
}

// The whole text must be a number (surrounding blanks allowed).
bool ParseInteger(const char* text, int64_t& out);
bool ParseDecimal(const char* text, double& out);
// "true"/"1" and "false"/"0".
bool ParseBoolean(const char* text, bool& out);

// A time of the timing tree in ms: a non-negative integer below 0xFFFFFFFF,
// or "indefinite" (0xFFFFFFFF).
bool ParseTime(const char* text, uint32_t& out);
// A media time offset: a decimal with an optional unit (h, min, s, ms, us,
// ns); milliseconds when there is none.
bool ParseTimeOffset(const char* text, double& outMs);

}  // namespace pptx
