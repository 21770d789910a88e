// Block arrows: straight, bent, turned, curved and circular arrows, and the
// arrow callouts.
#include "render/PresetTable.h"

namespace render {
namespace {

// The guides of a circular arrow: a band along an ellipse inside the box from
// the angle stAng to enAng, `sweep` telling the direction (positive turns
// clockwise), with a head at enAng whose tip lies `adj2` further on and, for
// `twoHeads`, another at stAng pointing back. adj1 is the band's thickness,
// adj5 the head's half width (1/100000 of the shorter side).
std::string CircularArrowGuides(bool clockwise, bool twoHeads) {
  std::string g =
      "a5 = pin 0 adj5 25000; maxAdj1 = */ a5 2 1; a1 = pin 0 adj1 maxAdj1;"
      "enAng = pin 1 adj3 21599999; stAng = pin 0 adj4 21599999;"
      "th = */ ss a1 100000; th2 = */ th 1 2; thh = */ ss a5 100000;"
      "rw3 = +- wd2 0 thh; rh3 = +- hd2 0 thh; rw1 = +- rw3 th2 0; rh1 = +- rh3 th2 0;"
      "rw2 = +- rw3 0 th2; rh2 = +- rh3 0 th2; rw4 = +- rw3 0 thh; rh4 = +- rh3 0 thh;"
      "aAng = pin -10800000 adj2 10800000; ptAng = +- enAng aAng 0;";
  g += clockwise ? "sw0 = +- enAng 0 stAng; sw1 = +- sw0 21600000 0; swAng = ?: sw0 sw0 sw1;"
                 : "sw0 = +- stAng 0 enAng; sw1 = +- sw0 21600000 0; sw2 = ?: sw0 sw0 sw1;"
                   "swAng = +- 0 0 sw2;";
  g += "iswAng = +- 0 0 swAng;";
  // A point `name` on the ellipse rx, ry at the angle `ang`, seen from the centre.
  auto point = [&g](const std::string& name, const char* rx, const char* ry, const char* ang) {
    g += "wt" + name + " = sin " + rx + " " + ang + "; ht" + name + " = cos " + ry + " " + ang +
         "; dx" + name + " = cat2 " + rx + " ht" + name + " wt" + name + "; dy" + name +
         " = sat2 " + ry + " ht" + name + " wt" + name + "; x" + name + " = +- hc dx" + name +
         " 0; y" + name + " = +- vc dy" + name + " 0;";
  };
  point("S1", "rw1", "rh1", "stAng");
  point("S2", "rw2", "rh2", "stAng");
  point("E1", "rw1", "rh1", "enAng");
  point("E2", "rw2", "rh2", "enAng");
  point("HO", "wd2", "hd2", "enAng");
  point("HI", "rw4", "rh4", "enAng");
  point("P", "rw3", "rh3", "ptAng");
  if (twoHeads) {
    g += "qtAng = +- stAng 0 aAng;";
    point("GO", "wd2", "hd2", "stAng");
    point("GI", "rw4", "rh4", "stAng");
    point("Q", "rw3", "rh3", "qtAng");
  }
  return g;
}

}  // namespace

void AddArrowPresets(std::vector<PresetEntry>* table) {
  table->insert(
      table->end(),
      {
          {"rightArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 100000 w ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "dx1 = */ ss a2 100000; x1 = +- r 0 dx1; dy1 = */ h a1 200000; y1 = +- vc 0 dy1;"
           "y2 = +- vc dy1 0",
           "M l y1 L x1 y1 L x1 t L r vc L x1 b L x1 y2 L l y2 Z", ""},
          {"leftArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 100000 w ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "x2 = */ ss a2 100000; dy1 = */ h a1 200000; y1 = +- vc 0 dy1; y2 = +- vc dy1 0",
           "M l vc L x2 t L x2 y1 L r y1 L r y2 L x2 y2 L x2 b Z", ""},
          {"upArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 100000 h ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "y2 = */ ss a2 100000; dx1 = */ w a1 200000; x1 = +- hc 0 dx1; x2 = +- hc dx1 0",
           "M l y2 L hc t L r y2 L x2 y2 L x2 b L x1 b L x1 y2 Z", ""},
          {"downArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 100000 h ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "dy1 = */ ss a2 100000; y1 = +- b 0 dy1; dx1 = */ w a1 200000; x1 = +- hc 0 dx1;"
           "x2 = +- hc dx1 0",
           "M l y1 L x1 y1 L x1 t L x2 t L x2 y1 L r y1 L hc b Z", ""},
          {"leftRightArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 50000 w ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "x2 = */ ss a2 100000; x3 = +- r 0 x2; dy = */ h a1 200000; y1 = +- vc 0 dy;"
           "y2 = +- vc dy 0",
           "M l vc L x2 t L x2 y1 L x3 y1 L x3 t L r vc L x3 b L x3 y2 L x2 y2 L x2 b Z", ""},
          {"upDownArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 50000 h ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "y2 = */ ss a2 100000; y3 = +- b 0 y2; dx1 = */ w a1 200000; x1 = +- hc 0 dx1;"
           "x2 = +- hc dx1 0",
           "M l y2 L hc t L r y2 L x2 y2 L x2 y3 L r y3 L hc b L l y3 L x1 y3 L x1 y2 Z", ""},
          {"quadArrow", "adj1 22500 adj2 22500 adj3 22500",
           "a2 = pin 0 adj2 50000; maxAdj1 = */ a2 2 1; a1 = pin 0 adj1 maxAdj1;"
           "q1 = +- 100000 0 maxAdj1; maxAdj3 = */ q1 1 2; a3 = pin 0 adj3 maxAdj3;"
           "x1 = */ ss a3 100000; dx2 = */ ss a2 100000; x2 = +- hc 0 dx2; x5 = +- hc dx2 0;"
           "dx3 = */ ss a1 200000; x3 = +- hc 0 dx3; x4 = +- hc dx3 0; x6 = +- r 0 x1;"
           "y2 = +- vc 0 dx2; y5 = +- vc dx2 0; y3 = +- vc 0 dx3; y4 = +- vc dx3 0; y6 = +- b 0 x1",
           "M l vc L x1 y2 L x1 y3 L x3 y3 L x3 x1 L x2 x1 L hc t L x5 x1 L x4 x1 L x4 y3 "
           "L x6 y3 L x6 y2 L r vc L x6 y5 L x6 y4 L x4 y4 L x4 y6 L x5 y6 L hc b L x2 y6 "
           "L x3 y6 L x3 y4 L x1 y4 L x1 y5 Z",
           ""},
          {"leftRightUpArrow", "adj1 25000 adj2 25000 adj3 25000",
           "a2 = pin 0 adj2 50000; maxAdj1 = */ a2 2 1; a1 = pin 0 adj1 maxAdj1;"
           "q1 = +- 100000 0 maxAdj1; maxAdj3 = */ q1 1 2; a3 = pin 0 adj3 maxAdj3;"
           "x1 = */ ss a3 100000; dx2 = */ ss a2 100000; x2 = +- hc 0 dx2; x5 = +- hc dx2 0;"
           "dx3 = */ ss a1 200000; x3 = +- hc 0 dx3; x4 = +- hc dx3 0; x6 = +- r 0 x1;"
           "dy2 = */ ss a2 50000; y2 = +- b 0 dy2; y4 = +- b 0 dx2; y3 = +- y4 0 dx3;"
           "y5 = +- y4 dx3 0",
           "M l y4 L x1 y2 L x1 y3 L x3 y3 L x3 x1 L x2 x1 L hc t L x5 x1 L x4 x1 L x4 y3 "
           "L x6 y3 L x6 y2 L r y4 L x6 b L x6 y5 L x1 y5 L x1 b Z",
           ""},
          {"leftUpArrow", "adj1 25000 adj2 25000 adj3 25000",
           "a2 = pin 0 adj2 50000; maxAdj1 = */ a2 2 1; a1 = pin 0 adj1 maxAdj1;"
           "maxAdj3 = +- 100000 0 maxAdj1; a3 = pin 0 adj3 maxAdj3; x1 = */ ss a3 100000;"
           "dx2 = */ ss a2 50000; x2 = +- r 0 dx2; y2 = +- b 0 dx2; dx4 = */ ss a2 100000;"
           "x4 = +- r 0 dx4; y4 = +- b 0 dx4; dx3 = */ ss a1 200000; x3 = +- x4 0 dx3;"
           "x5 = +- x4 dx3 0; y3 = +- y4 0 dx3; y5 = +- y4 dx3 0",
           "M l y4 L x1 y2 L x1 y3 L x3 y3 L x3 x1 L x2 x1 L x4 t L r x1 L x5 x1 L x5 y5 "
           "L x1 y5 L x1 b Z",
           ""},
          {"bentUpArrow", "adj1 25000 adj2 25000 adj3 25000",
           "a1 = pin 0 adj1 50000; a2 = pin 0 adj2 50000; a3 = pin 0 adj3 50000;"
           "y1 = */ ss a3 100000; dx1 = */ ss a2 50000; x1 = +- r 0 dx1; dx3 = */ ss a2 100000;"
           "x3 = +- r 0 dx3; dx2 = */ ss a1 200000; x2 = +- x3 0 dx2; x4 = +- x3 dx2 0;"
           "dy2 = */ ss a1 100000; y2 = +- b 0 dy2",
           "M l y2 L x2 y2 L x2 y1 L x1 y1 L x3 t L r y1 L x4 y1 L x4 b L l b Z", ""},
          {"bentArrow", "adj1 25000 adj2 25000 adj3 25000 adj4 43750",
           "a2 = pin 0 adj2 50000; maxAdj1 = */ a2 2 1; a1 = pin 0 adj1 maxAdj1;"
           "a3 = pin 0 adj3 50000; th = */ ss a1 100000; aw2 = */ ss a2 100000;"
           "th2 = */ th 1 2; dh2 = +- aw2 0 th2; ah = */ ss a3 100000; bw = +- r 0 ah;"
           "bh = +- b 0 dh2; bs = min bw bh; maxAdj4 = */ 100000 bs ss; a4 = pin 0 adj4 maxAdj4;"
           "bd = */ ss a4 100000; bd3 = +- bd 0 th; bd2 = max bd3 0; x3 = +- th bd2 0;"
           "x4 = +- r 0 ah; y3 = +- dh2 th 0; y4 = +- y3 dh2 0; y5 = +- dh2 bd 0",
           "M l b L l y5 A bd bd cd2 cd4 L x4 dh2 L x4 t L r aw2 L x4 y4 L x4 y3 L x3 y3 "
           "A bd2 bd2 3cd4 -5400000 L th b Z",
           ""},
          {"uturnArrow", "adj1 25000 adj2 25000 adj3 25000 adj4 43750 adj5 75000",
           "a2 = pin 0 adj2 25000; maxAdj1 = */ a2 2 1; a1 = pin 0 adj1 maxAdj1;"
           "q2 = */ a1 ss h; q3 = +- 100000 0 q2; maxAdj3 = */ q3 h ss; a3 = pin 0 adj3 maxAdj3;"
           "q1 = +- a3 a1 0; minAdj5 = */ q1 ss h; a5 = pin minAdj5 adj5 100000;"
           "th = */ ss a1 100000; aw2 = */ ss a2 100000; th2 = */ th 1 2; dh2 = +- aw2 0 th2;"
           "y5 = */ h a5 100000; ah = */ ss a3 100000; y4 = +- y5 0 ah; x9 = +- r 0 dh2;"
           "bw = */ x9 1 2; bs = min bw y4; maxAdj4 = */ bs 100000 ss; a4 = pin 0 adj4 maxAdj4;"
           "bd = */ ss a4 100000; bd3 = +- bd 0 th; bd2 = max bd3 0; x3 = +- th bd2 0;"
           "x8 = +- r 0 aw2; x6 = +- x8 0 aw2; x7 = +- x6 dh2 0; x4 = +- x9 0 bd;"
           "x5 = +- x7 0 bd2",
           "M l b L l bd A bd bd cd2 cd4 L x4 t A bd bd 3cd4 cd4 L x9 y4 L r y4 L x8 y5 "
           "L x6 y4 L x7 y4 L x7 x3 A bd2 bd2 0 -5400000 L x3 th A bd2 bd2 3cd4 -5400000 "
           "L th b Z",
           ""},
          {"notchedRightArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 100000 w ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "dx2 = */ ss a2 100000; x2 = +- r 0 dx2; dy1 = */ h a1 200000; y1 = +- vc 0 dy1;"
           "y2 = +- vc dy1 0; x1 = */ dy1 dx2 hd2",
           "M l y1 L x2 y1 L x2 t L r vc L x2 b L x2 y2 L l y2 L x1 vc Z", ""},
          {"stripedRightArrow", "adj1 50000 adj2 50000",
           "maxAdj2 = */ 84375 w ss; a1 = pin 0 adj1 100000; a2 = pin 0 adj2 maxAdj2;"
           "x4 = */ ss 5 32; dx5 = */ ss a2 100000; x5 = +- r 0 dx5; dy1 = */ h a1 200000;"
           "y1 = +- vc 0 dy1; y2 = +- vc dy1 0",
           "M l y1 L ssd32 y1 L ssd32 y2 L l y2 Z M ssd16 y1 L ssd8 y1 L ssd8 y2 L ssd16 y2 Z "
           "M x4 y1 L x5 y1 L x5 t L r vc L x5 b L x5 y2 L x4 y2 Z",
           ""},
          {"rightArrowCallout", "adj1 25000 adj2 25000 adj3 25000 adj4 64977",
           "maxAdj2 = */ 50000 h ss; a2 = pin 0 adj2 maxAdj2; maxAdj1 = */ a2 2 1;"
           "a1 = pin 0 adj1 maxAdj1; maxAdj3 = */ 100000 w ss; a3 = pin 0 adj3 maxAdj3;"
           "q2 = */ a3 ss w; maxAdj4 = +- 100000 0 q2; a4 = pin 0 adj4 maxAdj4;"
           "dy1 = */ ss a2 100000; dy2 = */ ss a1 200000; y1 = +- vc 0 dy1; y2 = +- vc 0 dy2;"
           "y3 = +- vc dy2 0; y4 = +- vc dy1 0; dx3 = */ ss a3 100000; x3 = +- r 0 dx3;"
           "x2 = */ w a4 100000",
           "M l t L x2 t L x2 y2 L x3 y2 L x3 y1 L r vc L x3 y4 L x3 y3 L x2 y3 L x2 b L l b Z",
           ""},
          {"leftArrowCallout", "adj1 25000 adj2 25000 adj3 25000 adj4 64977",
           "maxAdj2 = */ 50000 h ss; a2 = pin 0 adj2 maxAdj2; maxAdj1 = */ a2 2 1;"
           "a1 = pin 0 adj1 maxAdj1; maxAdj3 = */ 100000 w ss; a3 = pin 0 adj3 maxAdj3;"
           "q2 = */ a3 ss w; maxAdj4 = +- 100000 0 q2; a4 = pin 0 adj4 maxAdj4;"
           "dy1 = */ ss a2 100000; dy2 = */ ss a1 200000; y1 = +- vc 0 dy1; y2 = +- vc 0 dy2;"
           "y3 = +- vc dy2 0; y4 = +- vc dy1 0; x1 = */ ss a3 100000; dx2 = */ w a4 100000;"
           "x2 = +- r 0 dx2",
           "M l vc L x1 y1 L x1 y2 L x2 y2 L x2 t L r t L r b L x2 b L x2 y3 L x1 y3 L x1 y4 Z",
           ""},
          {"upArrowCallout", "adj1 25000 adj2 25000 adj3 25000 adj4 64977",
           "maxAdj2 = */ 50000 w ss; a2 = pin 0 adj2 maxAdj2; maxAdj1 = */ a2 2 1;"
           "a1 = pin 0 adj1 maxAdj1; maxAdj3 = */ 100000 h ss; a3 = pin 0 adj3 maxAdj3;"
           "q2 = */ a3 ss h; maxAdj4 = +- 100000 0 q2; a4 = pin 0 adj4 maxAdj4;"
           "dx1 = */ ss a2 100000; dx2 = */ ss a1 200000; x1 = +- hc 0 dx1; x2 = +- hc 0 dx2;"
           "x3 = +- hc dx2 0; x4 = +- hc dx1 0; y1 = */ ss a3 100000; dy2 = */ h a4 100000;"
           "y2 = +- b 0 dy2",
           "M l y2 L x2 y2 L x2 y1 L x1 y1 L hc t L x4 y1 L x3 y1 L x3 y2 L r y2 L r b L l b Z",
           ""},
          {"downArrowCallout", "adj1 25000 adj2 25000 adj3 25000 adj4 64977",
           "maxAdj2 = */ 50000 w ss; a2 = pin 0 adj2 maxAdj2; maxAdj1 = */ a2 2 1;"
           "a1 = pin 0 adj1 maxAdj1; maxAdj3 = */ 100000 h ss; a3 = pin 0 adj3 maxAdj3;"
           "q2 = */ a3 ss h; maxAdj4 = +- 100000 0 q2; a4 = pin 0 adj4 maxAdj4;"
           "dx1 = */ ss a2 100000; dx2 = */ ss a1 200000; x1 = +- hc 0 dx1; x2 = +- hc 0 dx2;"
           "x3 = +- hc dx2 0; x4 = +- hc dx1 0; dy3 = */ ss a3 100000; y3 = +- b 0 dy3;"
           "y2 = */ h a4 100000",
           "M l t L r t L r y2 L x3 y2 L x3 y3 L x4 y3 L hc b L x1 y3 L x2 y3 L x2 y2 L l y2 Z",
           ""},
          {"leftRightArrowCallout", "adj1 25000 adj2 25000 adj3 25000 adj4 48123",
           "maxAdj2 = */ 50000 h ss; a2 = pin 0 adj2 maxAdj2; maxAdj1 = */ a2 2 1;"
           "a1 = pin 0 adj1 maxAdj1; maxAdj3 = */ 50000 w ss; a3 = pin 0 adj3 maxAdj3;"
           "q2 = */ a3 ss wd2; maxAdj4 = +- 100000 0 q2; a4 = pin 0 adj4 maxAdj4;"
           "dy1 = */ ss a2 100000; dy2 = */ ss a1 200000; y1 = +- vc 0 dy1; y2 = +- vc 0 dy2;"
           "y3 = +- vc dy2 0; y4 = +- vc dy1 0; x1 = */ ss a3 100000; x4 = +- r 0 x1;"
           "dx2 = */ w a4 200000; x2 = +- hc 0 dx2; x3 = +- hc dx2 0",
           "M l vc L x1 y1 L x1 y2 L x2 y2 L x2 t L x3 t L x3 y2 L x4 y2 L x4 y1 L r vc L x4 y4 "
           "L x4 y3 L x3 y3 L x3 b L x2 b L x2 y3 L x1 y3 L x1 y4 Z",
           ""},
          {"upDownArrowCallout", "adj1 25000 adj2 25000 adj3 25000 adj4 48123",
           "maxAdj2 = */ 50000 w ss; a2 = pin 0 adj2 maxAdj2; maxAdj1 = */ a2 2 1;"
           "a1 = pin 0 adj1 maxAdj1; maxAdj3 = */ 50000 h ss; a3 = pin 0 adj3 maxAdj3;"
           "q2 = */ a3 ss hd2; maxAdj4 = +- 100000 0 q2; a4 = pin 0 adj4 maxAdj4;"
           "dx1 = */ ss a2 100000; dx2 = */ ss a1 200000; x1 = +- hc 0 dx1; x2 = +- hc 0 dx2;"
           "x3 = +- hc dx2 0; x4 = +- hc dx1 0; y1 = */ ss a3 100000; y4 = +- b 0 y1;"
           "dy2 = */ h a4 200000; y2 = +- vc 0 dy2; y3 = +- vc dy2 0",
           "M l y2 L x2 y2 L x2 y1 L x1 y1 L hc t L x4 y1 L x3 y1 L x3 y2 L r y2 L r y3 L x3 y3 "
           "L x3 y4 L x4 y4 L hc b L x1 y4 L x2 y4 L x2 y3 L l y3 Z",
           ""},
          {"quadArrowCallout", "adj1 18515 adj2 18515 adj3 18515 adj4 48123",
           "a2 = pin 0 adj2 50000; maxAdj1 = */ a2 2 1; a1 = pin 0 adj1 maxAdj1;"
           "maxAdj3 = +- 50000 0 a2; a3 = pin 0 adj3 maxAdj3; q = */ a3 2 1;"
           "maxAdj4 = +- 100000 0 q; a4 = pin a1 adj4 maxAdj4; dx2 = */ ss a2 100000;"
           "dx3 = */ ss a1 200000; ah = */ ss a3 100000; dx1 = */ w a4 200000;"
           "dy1 = */ h a4 200000; x8 = +- r 0 ah; x2 = +- hc 0 dx1; x7 = +- hc dx1 0;"
           "x3 = +- hc 0 dx2; x6 = +- hc dx2 0; x4 = +- hc 0 dx3; x5 = +- hc dx3 0;"
           "y8 = +- b 0 ah; y2 = +- vc 0 dy1; y7 = +- vc dy1 0; y3 = +- vc 0 dx2;"
           "y6 = +- vc dx2 0; y4 = +- vc 0 dx3; y5 = +- vc dx3 0",
           "M l vc L ah y3 L ah y4 L x2 y4 L x2 y2 L x4 y2 L x4 ah L x3 ah L hc t L x6 ah L x5 ah "
           "L x5 y2 L x7 y2 L x7 y4 L x8 y4 L x8 y3 L r vc L x8 y6 L x8 y5 L x7 y5 L x7 y7 "
           "L x5 y7 L x5 y8 L x6 y8 L hc b L x3 y8 L x4 y8 L x4 y7 L x2 y7 L x2 y5 L ah y5 "
           "L ah y6 Z",
           ""},
          // Curved arrows: a band along a quarter ellipse whose far end carries the
          // head; the band's back (drawn darker elsewhere) has the same colour here.
          {"curvedRightArrow", "adj1 25000 adj2 50000 adj3 25000",
           "maxAdj2 = */ 50000 h ss; a2 = pin 0 adj2 maxAdj2; a1 = pin 0 adj1 a2;"
           "th = */ ss a1 100000; aw = */ ss a2 100000; q1 = +/ th aw 4; hR = +- hd2 0 q1;"
           "q7 = */ hR 2 1; q8 = */ q7 q7 1; q9 = */ th th 1; q10 = +- q8 0 q9; q11 = sqrt q10;"
           "idx = */ q11 w q7; maxAdj3 = */ 100000 idx ss; a3 = pin 0 adj3 maxAdj3;"
           "ah = */ ss a3 100000; y3 = +- hR th 0; q2 = */ w w 1; q3 = */ ah ah 1;"
           "q4 = +- q2 0 q3; q5 = sqrt q4; dy = */ q5 hR w; y5 = +- hR dy 0; y7 = +- y3 dy 0;"
           "q6 = +- aw 0 th; dh = */ q6 1 2; y4 = +- y5 0 dh; y8 = +- y7 dh 0; aw2 = */ aw 1 2;"
           "y6 = +- b 0 aw2; x1 = +- r 0 ah; swAng = at2 ah dy; stAng = +- cd2 0 swAng;"
           "mswAng = +- 0 0 swAng; q12 = */ th 1 2; dang2 = at2 idx q12;"
           "swAng2 = +- dang2 0 cd4; swAng3 = +- cd4 dang2 0; stAng3 = +- cd2 0 dang2",
           "nostroke M l hR A w hR cd2 mswAng L x1 y4 L r y6 L x1 y8 L x1 y7 A w hR stAng swAng Z"
           " | nostroke M r th A w hR 3cd4 swAng2 A w hR stAng3 swAng3 Z"
           " | nofill M l hR A w hR cd2 mswAng L x1 y4 L r y6 L x1 y8 L x1 y7 A w hR stAng swAng "
           "L l hR A w hR cd2 cd4 L r th A w hR 3cd4 swAng2",
           "the band's back is not shaded"},
          {"curvedLeftArrow", "adj1 25000 adj2 50000 adj3 25000",
           "maxAdj2 = */ 50000 h ss; a2 = pin 0 adj2 maxAdj2; a1 = pin 0 adj1 a2;"
           "th = */ ss a1 100000; aw = */ ss a2 100000; q1 = +/ th aw 4; hR = +- hd2 0 q1;"
           "q7 = */ hR 2 1; q8 = */ q7 q7 1; q9 = */ th th 1; q10 = +- q8 0 q9; q11 = sqrt q10;"
           "idx = */ q11 w q7; maxAdj3 = */ 100000 idx ss; a3 = pin 0 adj3 maxAdj3;"
           "ah = */ ss a3 100000; y3 = +- hR th 0; q2 = */ w w 1; q3 = */ ah ah 1;"
           "q4 = +- q2 0 q3; q5 = sqrt q4; dy = */ q5 hR w; y5 = +- hR dy 0; y7 = +- y3 dy 0;"
           "q6 = +- aw 0 th; dh = */ q6 1 2; y4 = +- y5 0 dh; y8 = +- y7 dh 0; aw2 = */ aw 1 2;"
           "y6 = +- b 0 aw2; x1 = +- l ah 0; swAng = at2 ah dy; mswAng = +- 0 0 swAng;"
           "q12 = */ th 1 2; dang2 = at2 idx q12; swAng2 = +- dang2 0 swAng;"
           "swAng3 = +- swAng dang2 0; stAng3 = +- 0 0 dang2",
           "nostroke M l y6 L x1 y4 L x1 y5 A w hR swAng swAng2 A w hR stAng3 swAng3 L x1 y8 Z"
           " | nostroke M r y3 A w hR 0 -5400000 L l t A w hR 3cd4 cd4 Z"
           " | nofill M r y3 A w hR 0 -5400000 L l t A w hR 3cd4 cd4 L r y3 A w hR 0 swAng "
           "L x1 y8 L l y6 L x1 y4 L x1 y5 A w hR swAng swAng2",
           "the band's back is not shaded"},
          {"curvedDownArrow", "adj1 25000 adj2 50000 adj3 25000",
           "maxAdj2 = */ 50000 w ss; a2 = pin 0 adj2 maxAdj2; a1 = pin 0 adj1 100000;"
           "th = */ ss a1 100000; aw = */ ss a2 100000; q1 = +/ th aw 4; wR = +- wd2 0 q1;"
           "q7 = */ wR 2 1; q8 = */ q7 q7 1; q9 = */ th th 1; q10 = +- q8 0 q9; q11 = sqrt q10;"
           "idy = */ q11 h q7; maxAdj3 = */ 100000 idy ss; a3 = pin 0 adj3 maxAdj3;"
           "ah = */ ss a3 100000; x3 = +- wR th 0; q2 = */ h h 1; q3 = */ ah ah 1;"
           "q4 = +- q2 0 q3; q5 = sqrt q4; dx = */ q5 wR h; x5 = +- wR dx 0; x7 = +- x3 dx 0;"
           "q6 = +- aw 0 th; dh = */ q6 1 2; x4 = +- x5 0 dh; x8 = +- x7 dh 0; aw2 = */ aw 1 2;"
           "x6 = +- r 0 aw2; y1 = +- b 0 ah; swAng = at2 ah dx; mswAng = +- 0 0 swAng;"
           "iy = +- b 0 idy; ix = +/ wR x3 2; q12 = */ th 1 2; dang2 = at2 idy q12;"
           "stAng = +- 3cd4 swAng 0; stAng2 = +- 3cd4 0 dang2; swAng2 = +- dang2 0 cd4;"
           "swAng3 = +- cd4 dang2 0",
           "nostroke M x6 b L x4 y1 L x5 y1 A wR h stAng mswAng L x3 t A wR h 3cd4 swAng "
           "L x8 y1 Z"
           " | nostroke M ix iy A wR h stAng2 swAng2 L l b A wR h cd2 swAng3 Z"
           " | nofill M ix iy A wR h stAng2 swAng2 L l b A wR h cd2 cd4 L x3 t A wR h 3cd4 swAng "
           "L x8 y1 L x6 b L x4 y1 L x5 y1 A wR h stAng mswAng",
           "the band's back is not shaded"},
          {"curvedUpArrow", "adj1 25000 adj2 50000 adj3 25000",
           "maxAdj2 = */ 50000 w ss; a2 = pin 0 adj2 maxAdj2; a1 = pin 0 adj1 100000;"
           "th = */ ss a1 100000; aw = */ ss a2 100000; q1 = +/ th aw 4; wR = +- wd2 0 q1;"
           "q7 = */ wR 2 1; q8 = */ q7 q7 1; q9 = */ th th 1; q10 = +- q8 0 q9; q11 = sqrt q10;"
           "idy = */ q11 h q7; maxAdj3 = */ 100000 idy ss; a3 = pin 0 adj3 maxAdj3;"
           "ah = */ ss a3 100000; x3 = +- wR th 0; q2 = */ h h 1; q3 = */ ah ah 1;"
           "q4 = +- q2 0 q3; q5 = sqrt q4; dx = */ q5 wR h; x5 = +- wR dx 0; x7 = +- x3 dx 0;"
           "q6 = +- aw 0 th; dh = */ q6 1 2; x4 = +- x5 0 dh; x8 = +- x7 dh 0; aw2 = */ aw 1 2;"
           "x6 = +- r 0 aw2; y1 = +- t ah 0; swAng = at2 ah dx; iy = +- t idy 0;"
           "ix = +/ wR x3 2; q12 = */ th 1 2; dang2 = at2 idy q12; swAng2 = +- dang2 0 swAng;"
           "stAng3 = +- cd4 0 swAng; swAng3 = +- swAng dang2 0; stAng2 = +- cd4 0 dang2",
           "nostroke M x6 t L x8 y1 L x7 y1 A wR h stAng3 swAng3 A wR h stAng2 swAng2 L x4 y1 Z"
           " | nostroke M wR b A wR h cd4 cd4 L th t A wR h cd2 -5400000 Z"
           " | nofill M ix iy A wR h stAng2 swAng2 L x4 y1 L x6 t L x8 y1 L x7 y1 "
           "A wR h stAng3 swAng L wR b A wR h cd4 cd4 L th t A wR h cd2 -5400000",
           "the band's back is not shaded"},
          // A curved stroke rising to the right, ending in a head.
          {"swooshArrow", "adj1 25000 adj2 16667",
           "a1 = pin 1 adj1 75000; maxAdj2 = */ 70000 w ss; a2 = pin 0 adj2 maxAdj2;"
           "ad1 = */ h a1 100000; ad2 = */ ss a2 100000; xB = +- r 0 ad2; yB = +- t ssd8 0;"
           "alfa = */ cd4 1 14; dx0 = tan ssd8 alfa; xC = +- xB 0 dx0; dx1 = tan ad1 alfa;"
           "yF = +- yB ad1 0; xF = +- xB dx1 0; xE = +- xF dx0 0; yE = +- yF ssd8 0;"
           "dy2 = +- yE 0 t; dy22 = */ dy2 1 2; dy3 = */ h 1 20; yD = +- t dy22 dy3;"
           "yP1 = +- hd6 hd6 0; dy5 = */ hd6 1 2; yP2 = +- yF dy5 0",
           "M l b Q wd6 yP1 xB yB L xC t L r yD L xE yE L xF yF Q wd4 yP2 l b Z", ""},
          {"circularArrow", "adj1 12500 adj2 1142319 adj3 20457681 adj4 10800000 adj5 12500",
           CircularArrowGuides(true, false),
           "M xS1 yS1 A rw1 rh1 stAng swAng L xHO yHO L xP yP L xHI yHI L xE2 yE2 "
           "A rw2 rh2 enAng iswAng Z",
           "the head is a plain triangle around the end angle"},
          {"leftCircularArrow", "adj1 12500 adj2 -1142319 adj3 1142319 adj4 10800000 adj5 12500",
           CircularArrowGuides(false, false),
           "M xS1 yS1 A rw1 rh1 stAng swAng L xHO yHO L xP yP L xHI yHI L xE2 yE2 "
           "A rw2 rh2 enAng iswAng Z",
           "the head is a plain triangle around the end angle"},
          {"leftRightCircularArrow",
           "adj1 12500 adj2 1142319 adj3 20457681 adj4 11942319 adj5 12500",
           CircularArrowGuides(true, true),
           "M xS1 yS1 A rw1 rh1 stAng swAng L xHO yHO L xP yP L xHI yHI L xE2 yE2 "
           "A rw2 rh2 enAng iswAng L xGI yGI L xQ yQ L xGO yGO Z",
           "the heads are plain triangles around the end angles"},
      });
}

}  // namespace render
