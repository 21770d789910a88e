// Symbols: brackets and braces, ribbons and scrolls, waves, seals, sun,
// moon, faces, gears, action buttons, math signs, tabs and chart marks.
#include <string>

#include "render/PresetTable.h"

namespace render {
namespace {

// A gear of `teeth` teeth, the first pointing up. Each tooth stands on the
// body ellipse between the points A and D, ha either side of its angle
// (parametric), and narrows by lFD on both sides towards its top, th out.
PresetEntry Gear(const std::string& name, int teeth, const std::string& adjust,
                 const std::string& maxAdj2) {
  PresetEntry e;
  e.name = name;
  e.adjust = adjust;
  e.guides = "a1 = pin 0 adj1 20000; a2 = pin 0 adj2 " + maxAdj2 +
             "; th = */ ss a1 100000; lFD = */ ss a2 100000; th2 = */ th 1 2; l2 = */ lFD 1 2;"
             "l3 = +- th2 l2 0; rh = +- hd2 0 th; rw = +- wd2 0 th; dr = +- rw 0 rh;"
             "maxr = ?: dr rh rw; ha = at2 maxr l3";
  const double step = 21600000.0 / teeth;
  for (int k = 0; k < teeth; ++k) {
    const std::string n = std::to_string(k);
    const std::string angle = std::to_string(static_cast<long long>(16200000.0 + step * k));
    for (const char* corner : {"A", "D"}) {
      const std::string c = corner + n;
      e.guides += "; ang" + c + " = +- " + angle + (corner[0] == 'A' ? " 0 ha" : " ha 0") + "; cx" +
                  c + " = cos rw ang" + c + "; sy" + c + " = sin rh ang" + c + "; x" + c +
                  " = +- hc cx" + c + " 0; y" + c + " = +- vc sy" + c + " 0; b" + c + " = at2 cx" +
                  c + " sy" + c;
    }
    e.guides += "; xAD" + n + " = +- xA" + n + " 0 xD" + n + "; yAD" + n + " = +- yA" + n +
                " 0 yD" + n + "; lAD" + n + " = mod xAD" + n + " yAD" + n + " 0; ux" + n +
                " = */ xAD" + n + " lFD lAD" + n + "; uy" + n + " = */ yAD" + n + " lFD lAD" + n +
                "; px" + n + " = */ yAD" + n + " th lAD" + n + "; py" + n + " = */ xAD" + n +
                " th lAD" + n + "; xE" + n + " = +- xA" + n + " 0 ux" + n + "; yE" + n +
                " = +- yA" + n + " 0 uy" + n + "; xB" + n + " = +- xE" + n + " 0 px" + n + "; yB" +
                n + " = +- yE" + n + " py" + n + " 0; xF" + n + " = +- xD" + n + " ux" + n +
                " 0; yF" + n + " = +- yD" + n + " uy" + n + " 0; xC" + n + " = +- xF" + n +
                " 0 px" + n + "; yC" + n + " = +- yF" + n + " py" + n + " 0";
  }
  // The arc from one tooth to the next along the body.
  for (int k = 0; k < teeth; ++k) {
    const std::string n = std::to_string(k), next = std::to_string((k + 1) % teeth);
    e.guides += "; sw" + n + " = +- bA" + next + " 0 bD" + n + "; sv" + n + " = +- sw" + n +
                " 21600000 0; swing" + n + " = ?: sw" + n + " sw" + n + " sv" + n;
    e.paths += (k == 0 ? "M xA0 yA0" : "") + std::string(" L xB") + n + " yB" + n + " L xC" + n +
               " yC" + n + " L xD" + n + " yD" + n + " A rw rh bD" + n + " swing" + n;
  }
  e.paths += " Z";
  return e;
}

// An action button: the box with its icon drawn as an outline on it.
PresetEntry Button(const std::string& name, const std::string& guides, const std::string& icon,
                   const std::string& lines = std::string()) {
  const std::string box = "M l t L r t L r b L l b Z";
  PresetEntry e;
  e.name = name;
  e.guides =
      "dx2 = */ ss 3 8; g9 = +- vc 0 dx2; g10 = +- vc dx2 0; g11 = +- hc 0 dx2;"
      "g12 = +- hc dx2 0; g13 = */ ss 3 4;" +
      guides;
  e.paths = "nostroke " + box + " | nofill " + icon + " " + lines + " | nofill " + box;
  e.note = "the icon is outlined, not shaded";
  return e;
}

}  // namespace

void AddSymbolPresets(std::vector<PresetEntry>* table) {
  table->insert(
      table->end(),
      {
          {"leftBracket", "adj 8333",
           "maxAdj = */ 50000 h ss; a = pin 0 adj maxAdj; y1 = */ ss a 100000",
           "nostroke M r b A w y1 cd4 cd4 L l y1 A w y1 cd2 cd4 Z"
           " | nofill M r b A w y1 cd4 cd4 L l y1 A w y1 cd2 cd4",
           ""},
          {"rightBracket", "adj 8333",
           "maxAdj = */ 50000 h ss; a = pin 0 adj maxAdj; y1 = */ ss a 100000; y2 = +- b 0 y1",
           "nostroke M l t A w y1 3cd4 cd4 L r y2 A w y1 0 cd4 Z"
           " | nofill M l t A w y1 3cd4 cd4 L r y2 A w y1 0 cd4",
           ""},
          {"leftBrace", "adj1 8333 adj2 50000",
           "a2 = pin 0 adj2 100000; q1 = +- 100000 0 a2; q2 = min q1 a2; q3 = */ q2 1 2;"
           "maxAdj1 = */ q3 h ss; a1 = pin 0 adj1 maxAdj1; y1 = */ ss a1 100000;"
           "y3 = */ h a2 100000; y4 = +- y3 y1 0",
           "nostroke M r b A wd2 y1 cd4 cd4 L hc y4 A wd2 y1 0 -5400000 A wd2 y1 cd4 -5400000 "
           "L hc y1 A wd2 y1 cd2 cd4 Z"
           " | nofill M r b A wd2 y1 cd4 cd4 L hc y4 A wd2 y1 0 -5400000 A wd2 y1 cd4 -5400000 "
           "L hc y1 A wd2 y1 cd2 cd4",
           ""},
          {"rightBrace", "adj1 8333 adj2 50000",
           "a2 = pin 0 adj2 100000; q1 = +- 100000 0 a2; q2 = min q1 a2; q3 = */ q2 1 2;"
           "maxAdj1 = */ q3 h ss; a1 = pin 0 adj1 maxAdj1; y1 = */ ss a1 100000;"
           "y3 = */ h a2 100000; y2 = +- y3 0 y1; y4 = +- b 0 y1",
           "nostroke M l t A wd2 y1 3cd4 cd4 L hc y2 A wd2 y1 cd2 -5400000 "
           "A wd2 y1 3cd4 -5400000 L hc y4 A wd2 y1 0 cd4 Z"
           " | nofill M l t A wd2 y1 3cd4 cd4 L hc y2 A wd2 y1 cd2 -5400000 "
           "A wd2 y1 3cd4 -5400000 L hc y4 A wd2 y1 0 cd4",
           ""},
          {"bracketPair", "adj 16667",
           "a = pin 0 adj 50000; x1 = */ ss a 100000; x2 = +- r 0 x1; y2 = +- b 0 x1",
           "nostroke M l x1 A x1 x1 cd2 cd4 L x2 t A x1 x1 3cd4 cd4 L r y2 A x1 x1 0 cd4 L x1 b "
           "A x1 x1 cd4 cd4 Z"
           " | nofill M x1 b A x1 x1 cd4 cd4 L l x1 A x1 x1 cd2 cd4 M x2 t A x1 x1 3cd4 cd4 L r y2 "
           "A x1 x1 0 cd4",
           ""},
          {"bracePair", "adj 8333",
           "a = pin 0 adj 25000; x1 = */ ss a 100000; x2 = */ ss a 50000; x3 = +- r 0 x2;"
           "x4 = +- r 0 x1; y2 = +- vc 0 x1; y3 = +- vc x1 0; y4 = +- b 0 x1",
           "nostroke M x2 b A x1 x1 cd4 cd4 L x1 y3 A x1 x1 0 -5400000 A x1 x1 cd4 -5400000 "
           "L x1 x1 A x1 x1 cd2 cd4 L x3 t A x1 x1 3cd4 cd4 L x4 y2 A x1 x1 cd2 -5400000 "
           "A x1 x1 3cd4 -5400000 L x4 y4 A x1 x1 0 cd4 Z"
           " | nofill M x2 b A x1 x1 cd4 cd4 L x1 y3 A x1 x1 0 -5400000 A x1 x1 cd4 -5400000 "
           "L x1 x1 A x1 x1 cd2 cd4 M x3 t A x1 x1 3cd4 cd4 L x4 y2 A x1 x1 cd2 -5400000 "
           "A x1 x1 3cd4 -5400000 L x4 y4 A x1 x1 0 cd4",
           ""},
          // Ribbons: a raised middle band with two folded-back ends.
          {"ribbon2", "adj1 16667 adj2 50000",
           "a1 = pin 0 adj1 33333; a2 = pin 25000 adj2 75000; x10 = +- r 0 wd8;"
           "dx2 = */ w a2 200000; x2 = +- hc 0 dx2; x9 = +- hc dx2 0; x3 = +- x2 wd32 0;"
           "x8 = +- x9 0 wd32; x5 = +- x2 wd8 0; x6 = +- x9 0 wd8; x4 = +- x5 0 wd32;"
           "x7 = +- x6 wd32 0; dy1 = */ h a1 200000; y1 = +- b 0 dy1; dy2 = */ h a1 100000;"
           "y2 = +- b 0 dy2; y4 = +- t dy2 0; y3 = +/ y4 b 2; hR = */ h a1 400000;"
           "y6 = +- b 0 hR; y7 = +- y1 0 hR",
           "nostroke M l b L x4 b A wd32 hR cd4 -10800000 L x3 y1 A wd32 hR cd4 cd2 L x8 y2 "
           "A wd32 hR 3cd4 cd2 L x7 y1 A wd32 hR 3cd4 -10800000 L r b L x10 y3 L r y4 L x9 y4 "
           "L x9 hR A wd32 hR 0 -5400000 L x3 t A wd32 hR 3cd4 -5400000 L x2 y4 L l y4 L wd8 y3 Z"
           " | nostroke M x5 y6 A wd32 hR 0 -5400000 L x3 y1 A wd32 hR cd4 cd2 L x5 y2 Z "
           "M x6 y6 A wd32 hR cd2 cd4 L x8 y1 A wd32 hR cd4 -10800000 L x6 y2 Z"
           " | nofill M l b L wd8 y3 L l y4 L x2 y4 L x2 hR A wd32 hR cd2 cd4 L x8 t "
           "A wd32 hR 3cd4 cd4 L x9 y4 L r y4 L x10 y3 L r b L x7 b A wd32 hR cd4 cd2 L x8 y1 "
           "A wd32 hR cd4 -10800000 L x3 y2 A wd32 hR 3cd4 -10800000 L x4 y1 A wd32 hR 3cd4 cd2 Z "
           "M x5 y2 L x5 y6 M x6 y6 L x6 y2 M x2 y7 L x2 y4 M x9 y4 L x9 y7",
           "the folds are not shaded"},
          // ribbon2 turned upside down.
          {"ribbon", "adj1 16667 adj2 50000",
           "a1 = pin 0 adj1 33333; a2 = pin 25000 adj2 75000; x10 = +- r 0 wd8;"
           "dx2 = */ w a2 200000; x2 = +- hc 0 dx2; x9 = +- hc dx2 0; x3 = +- x2 wd32 0;"
           "x8 = +- x9 0 wd32; x5 = +- x2 wd8 0; x6 = +- x9 0 wd8; x4 = +- x5 0 wd32;"
           "x7 = +- x6 wd32 0; y1 = */ h a1 200000; y2 = */ h a1 100000; y4 = +- b 0 y2;"
           "y3 = */ y4 1 2; hR = */ h a1 400000; y5 = +- b 0 hR; y6 = val hR; y7 = +- y1 hR 0",
           "nostroke M l t L x4 t A wd32 hR 3cd4 cd2 L x3 y1 A wd32 hR 3cd4 -10800000 L x8 y2 "
           "A wd32 hR cd4 -10800000 L x7 y1 A wd32 hR cd4 cd2 L r t L x10 y3 L r y4 L x9 y4 "
           "L x9 y5 A wd32 hR 0 cd4 L x3 b A wd32 hR cd4 cd4 L x2 y4 L l y4 L wd8 y3 Z"
           " | nostroke M x5 y6 A wd32 hR 0 cd4 L x3 y1 A wd32 hR 3cd4 -10800000 L x5 y2 Z "
           "M x6 y6 A wd32 hR cd2 -5400000 L x8 y1 A wd32 hR 3cd4 cd2 L x6 y2 Z"
           " | nofill M l t L wd8 y3 L l y4 L x2 y4 L x2 y5 A wd32 hR cd2 -5400000 L x8 b "
           "A wd32 hR cd4 -5400000 L x9 y4 L r y4 L x10 y3 L r t L x7 t "
           "A wd32 hR 3cd4 -10800000 L x8 y1 A wd32 hR 3cd4 cd2 L x3 y2 A wd32 hR cd4 cd2 L x4 y1 "
           "A wd32 hR cd4 -10800000 Z M x5 y2 L x5 y6 M x6 y6 L x6 y2 M x2 y7 L x2 y4 "
           "M x9 y4 L x9 y7",
           "the folds are not shaded"},
          {"ellipseRibbon", "adj1 25000 adj2 50000 adj3 12500",
           "a1 = pin 0 adj1 100000; a2 = pin 25000 adj2 75000; q10 = +- 100000 0 a1;"
           "q11 = */ q10 1 2; q12 = +- a1 0 q11; minAdj3 = max 0 q12; a3 = pin minAdj3 adj3 a1;"
           "dx2 = */ w a2 200000; x2 = +- hc 0 dx2; x3 = +- x2 wd8 0; x4 = +- r 0 x3;"
           "x5 = +- r 0 x2; x6 = +- r 0 wd8; dy1 = */ h a3 100000; f1 = */ 4 dy1 w;"
           "q1 = */ x3 x3 w; q2 = +- x3 0 q1; y1 = */ f1 q2 1; cx1 = */ x3 1 2; cy1 = */ f1 cx1 1;"
           "cx2 = +- r 0 cx1; q1 = */ h a1 100000; dy3 = +- q1 0 dy1; q3 = */ x2 x2 w;"
           "q4 = +- x2 0 q3; q5 = */ f1 q4 1; y3 = +- q5 dy3 0; q6 = +- dy1 dy3 y3;"
           "q7 = +- q6 dy1 0; cy3 = +- q7 dy3 0; rh = +- b 0 q1; q8 = */ dy1 14 16;"
           "y2 = +/ q8 rh 2; y5 = +- q5 rh 0; y6 = +- y3 rh 0; cx4 = */ x2 1 2; q9 = */ f1 cx4 1;"
           "cy4 = +- q9 rh 0; cx5 = +- r 0 cx4; cy6 = +- cy3 rh 0; y7 = +- y1 dy3 0;"
           "cy7 = +- q1 q1 y7",
           "nostroke M l t Q cx1 cy1 x3 y1 L x2 y3 Q hc cy3 x5 y3 L x4 y1 Q cx2 cy1 r t L x6 y2 "
           "L r rh Q cx5 cy4 x5 y5 L x5 y6 Q hc cy6 x2 y6 L x2 y5 Q cx4 cy4 l rh L wd8 y2 Z"
           " | nostroke M x3 y7 L x3 y1 L x2 y3 Q hc cy3 x5 y3 L x4 y1 L x4 y7 Q hc cy7 x3 y7 Z"
           " | nofill M l t Q cx1 cy1 x3 y1 L x2 y3 Q hc cy3 x5 y3 L x4 y1 Q cx2 cy1 r t L x6 y2 "
           "L r rh Q cx5 cy4 x5 y5 L x5 y6 Q hc cy6 x2 y6 L x2 y5 Q cx4 cy4 l rh L wd8 y2 Z "
           "M x2 y5 L x2 y3 M x5 y3 L x5 y5 M x3 y1 L x3 y7 M x4 y7 L x4 y1",
           "the folds are not shaded"},
          {"ellipseRibbon2", "adj1 25000 adj2 50000 adj3 12500",
           "a1 = pin 0 adj1 100000; a2 = pin 25000 adj2 75000; q10 = +- 100000 0 a1;"
           "q11 = */ q10 1 2; q12 = +- a1 0 q11; minAdj3 = max 0 q12; a3 = pin minAdj3 adj3 a1;"
           "dx2 = */ w a2 200000; x2 = +- hc 0 dx2; x3 = +- x2 wd8 0; x4 = +- r 0 x3;"
           "x5 = +- r 0 x2; x6 = +- r 0 wd8; dy1 = */ h a3 100000; f1 = */ 4 dy1 w;"
           "q1 = */ x3 x3 w; q2 = +- x3 0 q1; u1 = */ f1 q2 1; y1 = +- b 0 u1; cx1 = */ x3 1 2;"
           "cu1 = */ f1 cx1 1; cy1 = +- b 0 cu1; cx2 = +- r 0 cx1; q1 = */ h a1 100000;"
           "dy3 = +- q1 0 dy1; q3 = */ x2 x2 w; q4 = +- x2 0 q3; q5 = */ f1 q4 1;"
           "u3 = +- q5 dy3 0; y3 = +- b 0 u3; q6 = +- dy1 dy3 u3; q7 = +- q6 dy1 0;"
           "cu3 = +- q7 dy3 0; cy3 = +- b 0 cu3; rh = +- b 0 q1; q8 = */ dy1 14 16;"
           "u2 = +/ q8 rh 2; y2 = +- b 0 u2; u5 = +- q5 rh 0; y5 = +- b 0 u5; u6 = +- u3 rh 0;"
           "y6 = +- b 0 u6; cx4 = */ x2 1 2; q9 = */ f1 cx4 1; cu4 = +- q9 rh 0; cy4 = +- b 0 cu4;"
           "cx5 = +- r 0 cx4; cu6 = +- cu3 rh 0; cy6 = +- b 0 cu6; u7 = +- u1 dy3 0;"
           "y7 = +- b 0 u7; cu7 = +- q1 q1 u7; cy7 = +- b 0 cu7",
           "nostroke M l b Q cx1 cy1 x3 y1 L x2 y3 Q hc cy3 x5 y3 L x4 y1 Q cx2 cy1 r b L x6 y2 "
           "L r q1 Q cx5 cy4 x5 y5 L x5 y6 Q hc cy6 x2 y6 L x2 y5 Q cx4 cy4 l q1 L wd8 y2 Z"
           " | nostroke M x3 y7 L x3 y1 L x2 y3 Q hc cy3 x5 y3 L x4 y1 L x4 y7 Q hc cy7 x3 y7 Z"
           " | nofill M l b L wd8 y2 L l q1 Q cx4 cy4 x2 y5 L x2 y6 Q hc cy6 x5 y6 L x5 y5 "
           "Q cx5 cy4 r q1 L x6 y2 L r b Q cx2 cy1 x4 y1 L x5 y3 Q hc cy3 x2 y3 L x3 y1 "
           "Q cx1 cy1 l b Z M x2 y3 L x2 y5 M x5 y5 L x5 y3 M x3 y7 L x3 y1 M x4 y1 L x4 y7",
           "the folds are not shaded"},
          {"leftRightRibbon", "adj1 50000 adj2 50000 adj3 16667",
           "a3 = pin 0 adj3 33333; maxAdj1 = +- 100000 0 a3; a1 = pin 0 adj1 maxAdj1;"
           "w1 = +- wd2 0 wd32; maxAdj2 = */ 100000 w1 ss; a2 = pin 0 adj2 maxAdj2;"
           "x1 = */ ss a2 100000; x4 = +- r 0 x1; dy1 = */ h a1 200000; dy2 = */ h a3 -200000;"
           "ly1 = +- vc dy2 dy1; ry4 = +- vc dy1 dy2; ly2 = +- ly1 dy1 0; ry3 = +- b 0 ly2;"
           "ly4 = */ ly2 2 1; ry1 = +- b 0 ly4; ly3 = +- ly4 0 ly1; ry2 = +- b 0 ly3;"
           "hR = */ a3 ss 400000; x2 = +- hc 0 wd32; x3 = +- hc wd32 0; y1 = +- ly1 hR 0;"
           "y2 = +- ry2 0 hR",
           "nostroke M l ly2 L x1 t L x1 ly1 L hc ly1 A wd32 hR 3cd4 cd2 A wd32 hR 3cd4 -10800000 "
           "L x4 ry2 L x4 ry1 L r ry3 L x4 b L x4 ry4 L hc ry4 A wd32 hR cd4 cd4 L x2 ly3 "
           "L x1 ly3 L x1 ly4 Z"
           " | nostroke M x3 y1 A wd32 hR 0 cd4 A wd32 hR 3cd4 -10800000 L x3 ry2 Z"
           " | nofill M l ly2 L x1 t L x1 ly1 L hc ly1 A wd32 hR 3cd4 cd2 "
           "A wd32 hR 3cd4 -10800000 L x4 ry2 L x4 ry1 L r ry3 L x4 b L x4 ry4 L hc ry4 "
           "A wd32 hR cd4 cd4 L x2 ly3 L x1 ly3 L x1 ly4 Z M x3 y1 L x3 ry2 M x2 y2 L x2 ly3",
           "the fold is not shaded"},
          {"horizontalScroll", "adj 12500",
           "a = pin 0 adj 25000; ch = */ ss a 100000; ch2 = */ ch 1 2; ch4 = */ ch 1 4;"
           "y3 = +- ch ch2 0; y4 = +- ch ch 0; y6 = +- b 0 ch; y7 = +- b 0 ch2; y5 = +- y6 0 ch2;"
           "x3 = +- r 0 ch; x4 = +- r 0 ch2",
           "nostroke M r ch2 A ch2 ch2 0 cd4 L x4 ch2 A ch4 ch4 0 cd2 L x3 ch L ch2 ch "
           "A ch2 ch2 3cd4 -5400000 L l y7 A ch2 ch2 cd2 -10800000 L ch y6 L x4 y6 "
           "A ch2 ch2 cd4 -5400000 Z M ch2 y4 A ch2 ch2 cd4 -5400000 A ch4 ch4 0 -10800000 Z"
           " | nostroke M ch2 y4 A ch2 ch2 cd4 -5400000 A ch4 ch4 0 -10800000 Z M x4 ch "
           "A ch2 ch2 cd4 -16200000 A ch4 ch4 cd2 -10800000 Z"
           " | nofill M l y3 A ch2 ch2 cd2 cd4 L x3 ch L x3 ch2 A ch2 ch2 cd2 cd2 L r y5 "
           "A ch2 ch2 0 cd4 L ch y6 L ch y7 A ch2 ch2 0 cd2 Z M x3 ch L x4 ch "
           "A ch2 ch2 cd4 -5400000 M x4 ch L x4 ch2 A ch4 ch4 0 cd2 M ch2 y4 L ch2 y3 "
           "A ch4 ch4 cd2 cd2 A ch2 ch2 0 cd2 M ch y3 L ch y6",
           "the rolls are not shaded"},
          {"verticalScroll", "adj 12500",
           "a = pin 0 adj 25000; ch = */ ss a 100000; ch2 = */ ch 1 2; ch4 = */ ch 1 4;"
           "x3 = +- ch ch2 0; x4 = +- ch ch 0; x6 = +- r 0 ch; x7 = +- r 0 ch2; x5 = +- x6 0 ch2;"
           "y3 = +- b 0 ch; y4 = +- b 0 ch2",
           "nostroke M ch2 b A ch2 ch2 cd4 -5400000 L ch2 y4 A ch4 ch4 cd4 -10800000 L ch y3 "
           "L ch ch2 A ch2 ch2 cd2 cd4 L x7 t A ch2 ch2 3cd4 cd2 L x6 ch L x6 y4 A ch2 ch2 0 cd4 Z "
           "M x4 ch2 A ch2 ch2 0 cd4 A ch4 ch4 cd4 cd2 Z"
           " | nostroke M x4 ch2 A ch2 ch2 0 cd4 A ch4 ch4 cd4 cd2 Z M ch y4 A ch2 ch2 0 3cd4 "
           "A ch4 ch4 3cd4 cd2 Z"
           " | nofill M ch y3 L ch ch2 A ch2 ch2 cd2 cd4 L x7 t A ch2 ch2 3cd4 cd2 L x6 ch L x6 y4 "
           "A ch2 ch2 0 cd4 L ch2 b A ch2 ch2 cd4 cd2 Z M x3 t A ch2 ch2 3cd4 cd2 "
           "A ch4 ch4 cd4 cd2 L x4 ch2 M x6 ch L x3 ch M ch2 y3 A ch4 ch4 3cd4 cd2 L ch y4 "
           "M ch2 b A ch2 ch2 cd4 -5400000 L ch y3",
           "the rolls are not shaded"},
          {"wave", "adj1 12500 adj2 0",
           "a1 = pin 0 adj1 20000; a2 = pin -10000 adj2 10000; y1 = */ h a1 100000;"
           "dy2 = */ y1 10 3; y2 = +- y1 0 dy2; y3 = +- y1 dy2 0; y4 = +- b 0 y1; y5 = +- y4 0 dy2;"
           "y6 = +- y4 dy2 0; of2 = */ w a2 50000; dx2 = ?: of2 0 of2; x2 = +- l 0 dx2;"
           "dx5 = ?: of2 of2 0; x5 = +- r 0 dx5; dx3 = +/ dx2 x5 3; x3 = +- x2 dx3 0;"
           "x4 = +/ x3 x5 2; x6 = +- l dx5 0; x10 = +- r dx2 0; x7 = +- x6 dx3 0; x8 = +/ x7 x10 2",
           "M x2 y1 C x3 y2 x4 y3 x5 y1 L x10 y4 C x8 y6 x7 y5 x6 y4 Z", ""},
          {"doubleWave", "adj1 6250 adj2 0",
           "a1 = pin 0 adj1 12500; a2 = pin -10000 adj2 10000; y1 = */ h a1 100000;"
           "dy2 = */ y1 10 3; y2 = +- y1 0 dy2; y3 = +- y1 dy2 0; y4 = +- b 0 y1; y5 = +- y4 0 dy2;"
           "y6 = +- y4 dy2 0; of2 = */ w a2 50000; dx2 = ?: of2 0 of2; x2 = +- l 0 dx2;"
           "dx8 = ?: of2 of2 0; x8 = +- r 0 dx8; dx3 = +/ dx2 x8 6; x3 = +- x2 dx3 0;"
           "dx4 = +/ dx2 x8 3; x4 = +- x2 dx4 0; x5 = +/ x2 x8 2; x6 = +- x5 dx3 0;"
           "x7 = +/ x6 x8 2; x9 = +- l dx8 0; x15 = +- r dx2 0; x10 = +- x9 dx3 0;"
           "x11 = +- x9 dx4 0; x12 = +/ x9 x15 2; x13 = +- x12 dx3 0; x14 = +/ x13 x15 2",
           "M x2 y1 C x3 y2 x4 y3 x5 y1 C x6 y2 x7 y3 x8 y1 L x15 y4 C x14 y6 x13 y5 x12 y4 "
           "C x11 y6 x10 y5 x9 y4 Z",
           ""},
          {"irregularSeal1", "", "",
           "size 21600 21600 M 10800 5800 L 14522 0 L 14155 5325 L 18380 4457 L 16702 7315 "
           "L 21097 8137 L 17607 10475 L 21600 13290 L 16837 12942 L 18145 18095 L 14020 14457 "
           "L 13247 19737 L 10532 14935 L 8485 21600 L 7715 15627 L 4762 17617 L 5667 13937 "
           "L 135 14587 L 3722 11775 L 0 8615 L 4627 7617 L 370 2295 L 7312 6320 L 8352 2295 Z",
           ""},
          {"irregularSeal2", "", "",
           "size 21600 21600 M 11462 4342 L 14790 0 L 14525 5777 L 18007 3172 L 16380 6532 "
           "L 21600 6645 L 16985 9402 L 18270 11290 L 16380 12310 L 18877 15632 L 14640 14350 "
           "L 14942 17370 L 12180 15935 L 11612 18842 L 9872 17370 L 8700 19712 L 7527 18125 "
           "L 4917 21600 L 4805 18240 L 1285 17825 L 3330 15370 L 0 12877 L 3935 11592 "
           "L 1172 8270 L 5372 7817 L 4502 3625 L 8550 6382 L 9722 1887 Z",
           ""},
          {"lightningBolt", "", "",
           "size 21600 21600 M 8472 0 L 12860 6080 L 11050 6797 L 16577 12007 L 14767 12877 "
           "L 21600 21600 L 10012 14915 L 12222 13987 L 5022 9705 L 7602 8382 L 0 3890 Z",
           ""},
          // Eight rays around a circle; adj is the circle's inset from the box.
          {"sun", "adj 25000",
           "a = pin 12500 adj 46875; g0 = +- 50000 0 a; g1 = */ g0 30274 32768;"
           "g2 = */ g0 12540 32768; g5 = +- 50000 0 g1; g6 = +- 50000 0 g2; g7 = */ g0 23170 32768;"
           "g10 = */ g5 3 4; g11 = */ g6 3 4; g12 = +- g10 3662 0; g13 = +- g11 3662 0;"
           "g14 = +- g11 12500 0; g15 = +- 100000 0 g10; g16 = +- 100000 0 g12;"
           "g17 = +- 100000 0 g13; g18 = +- 100000 0 g14; ox1 = */ w 18436 21600;"
           "oy1 = */ h 3163 21600; ox2 = */ w 3163 21600; oy2 = */ h 18436 21600;"
           "x10 = */ w g10 100000; x12 = */ w g12 100000; x13 = */ w g13 100000;"
           "x14 = */ w g14 100000; x15 = */ w g15 100000; x16 = */ w g16 100000;"
           "x17 = */ w g17 100000; x18 = */ w g18 100000; x19 = */ w a 100000; wR = */ w g0 100000;"
           "hR = */ h g0 100000; y10 = */ h g10 100000; y12 = */ h g12 100000;"
           "y13 = */ h g13 100000; y14 = */ h g14 100000; y15 = */ h g15 100000;"
           "y16 = */ h g16 100000; y17 = */ h g17 100000; y18 = */ h g18 100000",
           "M r vc L x15 y18 L x15 y14 Z M ox1 oy1 L x16 y13 L x17 y12 Z M hc t L x18 y10 "
           "L x14 y10 Z M ox2 oy1 L x13 y12 L x12 y13 Z M l vc L x10 y14 L x10 y18 Z "
           "M ox2 oy2 L x12 y17 L x13 y16 Z M hc b L x14 y15 L x18 y15 Z M ox1 oy2 L x17 y16 "
           "L x16 y17 Z M x19 vc A wR hR cd2 21600000 Z",
           ""},
          // Outer half ellipse on the right edge; the inner edge an ellipse arc
          // through the top and bottom corners, adj of the shorter side thick.
          {"moon", "adj 50000",
           "a = pin 0 adj 87500; g0 = */ ss a 100000; g0w = */ g0 w ss; g1 = +- ss 0 g0;"
           "g2 = */ g0 g0 g1; g3 = */ ss ss g1; g4 = */ g3 2 1; g5 = +- g4 0 g2; g6 = +- g5 0 g0;"
           "g6w = */ g6 w ss; g7 = */ g5 1 2; g8 = +- g7 0 g0; dy1 = */ g8 hd2 ss;"
           "g17w = +- g6w 0 g0w; g18w = */ g17w 1 2; dx2p = +- g0w g18w w; dx2 = */ dx2p -1 1;"
           "dy2 = */ hd2 -1 1; stAng1 = at2 dx2 dy2; enAngp1 = at2 dx2 hd2;"
           "enAng1 = +- enAngp1 0 21600000; swAng1 = +- enAng1 0 stAng1",
           "M r b A w hd2 cd4 cd2 A g18w dy1 stAng1 swAng1 Z", ""},
          {"smileyFace", "adj 4653",
           "a = pin -4653 adj 4653; x1 = */ w 4969 21699; x2 = */ w 6215 21600;"
           "x3 = */ w 13135 21600; x4 = */ w 16640 21600; y1 = */ h 7570 21600;"
           "y3 = */ h 16515 21600; dy2 = */ h a 100000; y2 = +- y3 0 dy2; y4 = +- y3 dy2 0;"
           "dy3 = */ h a 50000; y5 = +- y4 dy3 0; wR = */ w 1125 21600; hR = */ h 1125 21600",
           "nostroke M l vc A wd2 hd2 cd2 21600000 Z"
           " | M x2 y1 A wR hR cd2 21600000 M x3 y1 A wR hR cd2 21600000"
           " | nofill M x1 y2 Q hc y5 x4 y2"
           " | nofill M l vc A wd2 hd2 cd2 21600000 Z",
           "the eyes are not shaded"},
          {"funnel", "",
           "d = */ ss 1 20; rw2 = +- wd2 0 d; rh2 = +- hd4 0 d; t1 = cos wd2 480000;"
           "t2 = sin hd4 480000; da = at2 t1 t2; 2da = */ da 2 1; stAng1 = +- cd2 0 da;"
           "swAng1 = +- cd2 2da 0; swAng3 = +- cd2 0 2da; rw3 = */ wd2 1 4; rh3 = */ hd4 1 4;"
           "ct1 = cos hd4 stAng1; st1 = sin wd2 stAng1; m1 = mod ct1 st1 0; n1 = */ wd2 hd4 m1;"
           "dx1 = cos n1 stAng1; dy1 = sin n1 stAng1; x1 = +- hc dx1 0; y1 = +- hd4 dy1 0;"
           "ct3 = cos rh3 da; st3 = sin rw3 da; m3 = mod ct3 st3 0; n3 = */ rw3 rh3 m3;"
           "dx3 = cos n3 da; dy3 = sin n3 da; x3 = +- hc dx3 0; vc3 = +- b 0 rh3;"
           "y2 = +- vc3 dy3 0; x2 = +- wd2 0 rw2",
           "M x1 y1 A wd2 hd4 stAng1 swAng1 L x3 y2 A rw3 rh3 da swAng3 Z "
           "M x2 hd4 A rw2 rh2 cd2 -21600000 Z",
           ""},
          {"cornerTabs", "", "md = mod w h 0; dx = */ 1 md 20; y1 = +- 0 b dx; x1 = +- 0 r dx",
           "M l t L dx t L l dx Z | M l y1 L dx b L l b Z | M x1 t L r t L r dx Z "
           "| M r y1 L r b L x1 b Z",
           ""},
          {"squareTabs", "", "md = mod w h 0; dx = */ 1 md 20; y1 = +- 0 b dx; x1 = +- 0 r dx",
           "M l t L dx t L dx dx L l dx Z | M l y1 L dx y1 L dx b L l b Z "
           "| M x1 t L r t L r dx L x1 dx Z | M x1 y1 L r y1 L r b L x1 b Z",
           ""},
          {"plaqueTabs", "", "md = mod w h 0; dx = */ 1 md 20; y1 = +- b 0 dx; x1 = +- r 0 dx",
           "M l t L dx t A dx dx 0 cd4 Z | M l y1 A dx dx 3cd4 cd4 L l b Z "
           "| M r b L x1 b A dx dx cd2 cd4 Z | M r dx A dx dx cd4 cd4 L r t Z",
           ""},
          {"chartPlus", "", "",
           "nostroke size 10 10 M 0 0 L 10 0 L 10 10 L 0 10 Z"
           " | nofill size 10 10 M 5 0 L 5 10 M 0 5 L 10 5",
           ""},
          {"chartStar", "", "",
           "nostroke size 10 10 M 0 0 L 10 0 L 10 10 L 0 10 Z"
           " | nofill size 10 10 M 0 0 L 10 10 M 0 10 L 10 0 M 5 0 L 5 10",
           ""},
          {"chartX", "", "",
           "nostroke size 10 10 M 0 0 L 10 0 L 10 10 L 0 10 Z"
           " | nofill size 10 10 M 0 0 L 10 10 M 0 10 L 10 0",
           ""},
          {"mathPlus", "adj1 23520",
           "a1 = pin 0 adj1 73490; dx1 = */ w 73490 200000; dy1 = */ h 73490 200000;"
           "dx2 = */ ss a1 200000; x1 = +- hc 0 dx1; x2 = +- hc 0 dx2; x3 = +- hc dx2 0;"
           "x4 = +- hc dx1 0; y1 = +- vc 0 dy1; y2 = +- vc 0 dx2; y3 = +- vc dx2 0; y4 = +- vc dy1 "
           "0",
           "M x1 y2 L x2 y2 L x2 y1 L x3 y1 L x3 y2 L x4 y2 L x4 y3 L x3 y3 L x3 y4 L x2 y4 L x2 "
           "y3 "
           "L x1 y3 Z",
           ""},
          {"mathMinus", "adj1 23520",
           "a1 = pin 0 adj1 100000; dy1 = */ h a1 200000; dx1 = */ w 73490 200000;"
           "y1 = +- vc 0 dy1; y2 = +- vc dy1 0; x1 = +- hc 0 dx1; x2 = +- hc dx1 0",
           "M x1 y1 L x2 y1 L x2 y2 L x1 y2 Z", ""},
          // Two bars along the box's diagonals, crossing at the centre.
          {"mathMultiply", "adj1 23520",
           "a1 = pin 0 adj1 51965; th = */ ss a1 100000; a = at2 w h; sa = sin 1 a; ca = cos 1 a;"
           "ta = tan 1 a; dl = mod w h 0; rw = */ dl 51965 100000; lM = +- dl 0 rw;"
           "xM = */ ca lM 2; yM = */ sa lM 2; dxAM = */ sa th 2; dyAM = */ ca th 2;"
           "xA = +- xM 0 dxAM; yA = +- yM dyAM 0; xB = +- xM dxAM 0; yB = +- yM 0 dyAM;"
           "xBC = +- hc 0 xB; yBC = */ xBC ta 1; yC = +- yBC yB 0; xD = +- r 0 xB; xE = +- r 0 xA;"
           "yFE = +- vc 0 yA; xFE = */ yFE 1 ta; xF = +- xE 0 xFE; xL = +- xA xFE 0;"
           "yG = +- b 0 yA; yH = +- b 0 yB; yI = +- b 0 yC",
           "M xA yA L xB yB L hc yC L xD yB L xE yA L xF vc L xE yG L xD yH L hc yI L xB yH "
           "L xA yG L xL vc Z",
           ""},
          {"mathDivide", "adj1 23520 adj2 5880 adj3 11760",
           "a1 = pin 1000 adj1 36745; ma1 = +- 0 0 a1; ma3h = +/ 73490 ma1 4;"
           "ma3w = */ 36745 w h; maxAdj3 = min ma3h ma3w; a3 = pin 1000 adj3 maxAdj3;"
           "m4a3 = */ -4 a3 1; maxAdj2 = +- 73490 m4a3 a1; a2 = pin 0 adj2 maxAdj2;"
           "dy1 = */ h a1 200000; yg = */ h a2 100000; rad = */ h a3 100000;"
           "dx1 = */ w 73490 200000; y3 = +- vc 0 dy1; y4 = +- vc dy1 0; a = +- yg rad 0;"
           "y2 = +- y3 0 a; y1 = +- y2 0 rad; y5 = +- b 0 y1; x1 = +- hc 0 dx1; x3 = +- hc dx1 0",
           "M hc y1 A rad rad 3cd4 21600000 Z M hc y5 A rad rad cd4 21600000 Z "
           "M x1 y3 L x3 y3 L x3 y4 L x1 y4 Z",
           ""},
          {"mathEqual", "adj1 23520 adj2 11760",
           "a1 = pin 0 adj1 36745; 2a1 = */ a1 2 1; mAdj2 = +- 100000 0 2a1; a2 = pin 0 adj2 mAdj2;"
           "dy1 = */ h a1 100000; dy2 = */ h a2 200000; dx1 = */ w 73490 200000;"
           "y2 = +- vc 0 dy2; y3 = +- vc dy2 0; y1 = +- y2 0 dy1; y4 = +- y3 dy1 0;"
           "x1 = +- hc 0 dx1; x2 = +- hc dx1 0",
           "M x1 y1 L x2 y1 L x2 y2 L x1 y2 Z M x1 y3 L x2 y3 L x2 y4 L x1 y4 Z", ""},
          // The equal sign crossed by a bar at the angle adj2 from the horizontal.
          {"mathNotEqual", "adj1 23520 adj2 6600000 adj3 11760",
           "a1 = pin 0 adj1 50000; crAng = pin 4200000 adj2 6600000; 2a1 = */ a1 2 1;"
           "maxAdj3 = +- 100000 0 2a1; a3 = pin 0 adj3 maxAdj3; dy1 = */ h a1 100000;"
           "dy2 = */ h a3 200000; dx1 = */ w 73490 200000; x1 = +- hc 0 dx1; x8 = +- hc dx1 0;"
           "y2 = +- vc 0 dy2; y3 = +- vc dy2 0; y1 = +- y2 0 dy1; y4 = +- y3 dy1 0;"
           "cadj2 = +- crAng 0 cd4; xadj2 = tan hd2 cadj2; len = mod xadj2 hd2 0;"
           "bhw = */ len dy1 hd2; bhw2 = */ bhw 1 2; x7 = +- hc xadj2 bhw2; dx67 = */ xadj2 y1 hd2;"
           "x6 = +- x7 0 dx67; dx57 = */ xadj2 y2 hd2; x5 = +- x7 0 dx57; dx47 = */ xadj2 y3 hd2;"
           "x4 = +- x7 0 dx47; dx37 = */ xadj2 y4 hd2; x3 = +- x7 0 dx37; rx7 = +- x7 bhw 0;"
           "rx6 = +- x6 bhw 0; rx5 = +- x5 bhw 0; rx4 = +- x4 bhw 0; rx3 = +- x3 bhw 0;"
           "dx7 = */ dy1 hd2 len; rxt = +- x7 dx7 0; lxt = +- rx7 0 dx7; rx = ?: cadj2 rxt rx7;"
           "lx = ?: cadj2 x7 lxt; dy3 = */ dy1 xadj2 len; dy4 = +- 0 0 dy3; ry = ?: cadj2 dy3 t;"
           "ly = ?: cadj2 t dy4; dlx = +- w 0 rx; drx = +- w 0 lx; dly = +- h 0 ry; dry = +- h 0 "
           "ly",
           "M x1 y1 L x6 y1 L lx ly L rx ry L rx6 y1 L x8 y1 L x8 y2 L rx5 y2 L rx4 y3 L x8 y3 "
           "L x8 y4 L rx3 y4 L drx dry L dlx dly L x3 y4 L x1 y4 L x1 y3 L x4 y3 L x5 y2 L x1 y2 Z",
           ""},
      });
  table->push_back(Gear("gear6", 6, "adj1 15000 adj2 3526", "5358"));
  table->push_back(Gear("gear9", 9, "adj1 10000 adj2 1763", "2679"));

  table->push_back({"actionButtonBlank", "", "", "M l t L r t L r b L l b Z", ""});
  table->push_back(Button("actionButtonBackPrevious", "", "M g11 vc L g12 g9 L g12 g10 Z"));
  table->push_back(Button("actionButtonForwardNext", "", "M g12 vc L g11 g9 L g11 g10 Z"));
  table->push_back(Button("actionButtonBeginning",
                          "g14 = */ g13 1 8; g15 = */ g13 1 4; g16 = +- g11 g14 0;"
                          "g17 = +- g11 g15 0",
                          "M g17 vc L g12 g9 L g12 g10 Z M g16 g9 L g11 g9 L g11 g10 L g16 g10 Z"));
  table->push_back(Button("actionButtonEnd",
                          "g14 = */ g13 3 4; g15 = */ g13 7 8; g16 = +- g11 g14 0;"
                          "g17 = +- g11 g15 0",
                          "M g16 vc L g11 g9 L g11 g10 Z M g17 g9 L g12 g9 L g12 g10 L g17 g10 Z"));
  table->push_back(Button("actionButtonDocument",
                          "dx1 = */ ss 9 32; g11 = +- hc 0 dx1; g12 = +- hc dx1 0;"
                          "g13 = */ ss 3 16; g14 = +- g12 0 g13; g15 = +- g9 g13 0",
                          "M g11 g9 L g14 g9 L g12 g15 L g12 g10 L g11 g10 Z",
                          "M g12 g15 L g14 g15 L g14 g9"));
  table->push_back(
      Button("actionButtonHelp",
             "g14 = */ g13 1 7; g15 = */ g13 3 14; g16 = */ g13 2 7; g19 = */ g13 3 7;"
             "g20 = */ g13 4 7; g21 = */ g13 17 28; g23 = */ g13 21 28; g24 = */ g13 11 14;"
             "g27 = +- g9 g16 0; g29 = +- g9 g21 0; g30 = +- g9 g23 0; g31 = +- g9 g24 0;"
             "g33 = +- g11 g15 0; g36 = +- g11 g19 0; g37 = +- g11 g20 0; g41 = */ g13 1 14;"
             "g42 = */ g13 3 28",
             "M g33 g27 A g16 g16 cd2 cd2 A g14 g15 0 cd4 A g41 g42 3cd4 -5400000 L g37 g30 "
             "L g36 g30 L g36 g29 A g14 g15 cd2 cd4 A g41 g42 cd4 -5400000 A g14 g14 0 -10800000 Z "
             "M hc g31 A g42 g42 3cd4 21600000 Z"));
  table->push_back(Button(
      "actionButtonHome",
      "g14 = */ g13 1 16; g15 = */ g13 1 8; g16 = */ g13 3 16; g17 = */ g13 5 16;"
      "g18 = */ g13 7 16; g19 = */ g13 9 16; g20 = */ g13 11 16; g21 = */ g13 3 4;"
      "g22 = */ g13 13 16; g23 = */ g13 7 8; g24 = +- g9 g14 0; g25 = +- g9 g16 0;"
      "g26 = +- g9 g17 0; g27 = +- g9 g21 0; g28 = +- g11 g15 0; g29 = +- g11 g18 0;"
      "g30 = +- g11 g19 0; g31 = +- g11 g20 0; g32 = +- g11 g22 0; g33 = +- g11 g23 0",
      "M hc g9 L g31 g25 L g31 g24 L g32 g24 L g32 g26 L g12 vc L g33 vc L g33 g10 L g28 g10 "
      "L g28 vc L g11 vc Z",
      "M g31 g25 L g32 g26 M g33 vc L g28 vc M g29 g10 L g29 g27 L g30 g27 L g30 g10"));
  table->push_back(
      Button("actionButtonInformation",
             "g14 = */ g13 1 32; g17 = */ g13 5 16; g18 = */ g13 3 8; g19 = */ g13 13 32;"
             "g20 = */ g13 19 32; g22 = */ g13 11 16; g23 = */ g13 13 16; g24 = */ g13 7 8;"
             "g25 = +- g9 g14 0; g28 = +- g9 g17 0; g29 = +- g9 g18 0; g30 = +- g9 g23 0;"
             "g31 = +- g9 g24 0; g32 = +- g11 g17 0; g34 = +- g11 g19 0; g35 = +- g11 g20 0;"
             "g37 = +- g11 g22 0; g38 = */ g13 3 32",
             "M hc g9 A dx2 dx2 3cd4 21600000 Z M hc g25 A g38 g38 3cd4 21600000 M g32 g28 "
             "L g35 g28 L g35 g30 L g37 g30 L g37 g31 L g32 g31 L g32 g30 L g34 g30 L g34 g29 "
             "L g32 g29 Z"));
  table->push_back(
      Button("actionButtonMovie",
             "g14 = */ g13 1455 21600; g15 = */ g13 1905 21600; g16 = */ g13 2325 21600;"
             "g17 = */ g13 16155 21600; g18 = */ g13 17010 21600; g19 = */ g13 19335 21600;"
             "g20 = */ g13 19725 21600; g21 = */ g13 20595 21600; g22 = */ g13 5280 21600;"
             "g23 = */ g13 5730 21600; g24 = */ g13 6630 21600; g25 = */ g13 7492 21600;"
             "g26 = */ g13 9067 21600; g27 = */ g13 9555 21600; g28 = */ g13 13342 21600;"
             "g29 = */ g13 14580 21600; g30 = */ g13 15592 21600; g31 = +- g11 g14 0;"
             "g32 = +- g11 g15 0; g33 = +- g11 g16 0; g34 = +- g11 g17 0; g35 = +- g11 g18 0;"
             "g36 = +- g11 g19 0; g37 = +- g11 g20 0; g38 = +- g11 g21 0; g39 = +- g9 g22 0;"
             "g40 = +- g9 g23 0; g41 = +- g9 g24 0; g42 = +- g9 g25 0; g43 = +- g9 g26 0;"
             "g44 = +- g9 g27 0; g45 = +- g9 g28 0; g46 = +- g9 g29 0; g47 = +- g9 g30 0",
             "M g11 g39 L g31 g39 L g32 g40 L g34 g40 L g35 g41 L g35 g42 L g37 g42 L g38 g41 "
             "L g12 g41 L g12 g46 L g38 g46 L g36 g45 L g35 g45 L g35 g47 L g33 g47 L g33 g43 "
             "L g32 g43 L g31 g44 L g11 g44 Z"));
  table->push_back(
      Button("actionButtonReturn",
             "g14 = */ g13 7 8; g15 = */ g13 3 4; g16 = */ g13 5 8; g17 = */ g13 3 8;"
             "g18 = */ g13 1 4; g19 = +- g9 g15 0; g20 = +- g9 g16 0; g21 = +- g9 g18 0;"
             "g22 = +- g11 g14 0; g23 = +- g11 g15 0; g24 = +- g11 g16 0; g25 = +- g11 g17 0;"
             "g26 = +- g11 g18 0; g27 = */ g13 1 8",
             "M g12 g21 L g23 g9 L hc g21 L g24 g21 L g24 g20 A g27 g27 0 cd4 L g25 g19 "
             "A g27 g27 cd4 cd4 L g26 g21 L g11 g21 L g11 g20 A g17 g17 cd2 -5400000 L hc g10 "
             "A g17 g17 cd4 -5400000 L g22 g21 Z"));
  table->push_back(
      Button("actionButtonSound",
             "g14 = */ g13 1 8; g15 = */ g13 5 16; g16 = */ g13 5 8; g17 = */ g13 11 16;"
             "g18 = */ g13 3 4; g19 = */ g13 7 8; g20 = +- g9 g14 0; g21 = +- g9 g15 0;"
             "g22 = +- g9 g17 0; g23 = +- g9 g19 0; g24 = +- g11 g15 0; g25 = +- g11 g16 0;"
             "g26 = +- g11 g18 0",
             "M g11 g21 L g24 g21 L g25 g9 L g25 g10 L g24 g22 L g11 g22 Z",
             "M g26 g21 L g12 g20 M g26 vc L g12 vc M g26 g22 L g12 g23"));
}

}  // namespace render
