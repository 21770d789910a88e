// Callouts: boxes with a wedge or a leader line that point at (xPos, yPos),
// the cloud and the cloud callout.
#include <string>

#include "render/PresetTable.h"

namespace render {
namespace {

// A box with a leader line of `segments` pieces; adjust values in pairs
// (y, x) of 1/100000 of the height and width. `accent` adds a bar at the
// line's start, `border` strokes the box.
PresetEntry Callout(const std::string& name, int segments, bool accent, bool border) {
  static const char* const kDefaults[3] = {
      "adj1 18750 adj2 -8333 adj3 112500 adj4 -38333",
      "adj1 18750 adj2 -8333 adj3 18750 adj4 -16667 adj5 112500 adj6 -46667",
      "adj1 18750 adj2 -8333 adj3 18750 adj4 -16667 adj5 100000 adj6 -16667 adj7 112963 "
      "adj8 -8333"};
  PresetEntry e;
  e.name = name;
  e.adjust = kDefaults[segments - 1];
  std::string line;
  for (int i = 1; i <= segments + 1; ++i) {
    const std::string n = std::to_string(i);
    e.guides += "y" + n + " = */ h adj" + std::to_string(2 * i - 1) + " 100000; x" + n +
                " = */ w adj" + std::to_string(2 * i) + " 100000;";
    line += (i == 1 ? "M x" : " L x") + n + " y" + n;
  }
  e.paths = std::string(border ? "" : "nostroke ") + "M l t L r t L r b L l b Z";
  if (accent) e.paths += " | nofill M x1 t L x1 b";
  e.paths += " | nofill " + line;
  return e;
}

// The tip of a wedge callout and, for a box, where the wedge leaves it: on
// the side the tip lies beyond (the longer of its offsets, measured against
// the box's proportions), between 2/12 and 5/12 or 7/12 and 10/12 of it.
const char kWedgeGuides[] =
    "dxPos = */ w adj1 100000; dyPos = */ h adj2 100000; xPos = +- hc dxPos 0;"
    "yPos = +- vc dyPos 0; dq = */ dxPos h w; ady = abs dyPos; adq = abs dq;"
    "dz = +- ady 0 adq; xg1 = ?: dxPos 7 2; xg2 = ?: dxPos 10 5; x1 = */ w xg1 12;"
    "x2 = */ w xg2 12; yg1 = ?: dyPos 7 2; yg2 = ?: dyPos 10 5; y1 = */ h yg1 12;"
    "y2 = */ h yg2 12; t1 = ?: dxPos l xPos; xl = ?: dz l t1; t2 = ?: dyPos x1 xPos;"
    "xt = ?: dz t2 x1; t3 = ?: dxPos xPos r; xr = ?: dz r t3; t4 = ?: dyPos xPos x1;"
    "xb = ?: dz t4 x1; t5 = ?: dxPos y1 yPos; yl = ?: dz y1 t5; t6 = ?: dyPos t yPos;"
    "yt = ?: dz t6 t; t7 = ?: dxPos yPos y1; yr = ?: dz y1 t7; t8 = ?: dyPos yPos b;"
    "yb = ?: dz t8 b;";

// The cloud's outline: arcs on a 43200 grid.
const char kCloud[] =
    "size 43200 43200 M 3900 14370 A 6753 9190 -11429249 7426832 A 5333 7267 -8646143 5396714 "
    "A 4365 5945 -8748475 5983381 A 4857 6595 -7859164 7034504 A 5333 7273 -4722533 6541615 "
    "A 6775 9220 -2776035 7816140 A 5785 7867 37501 6842000 A 6752 9215 1347096 6910353 "
    "A 7720 10543 3974558 4542661 A 4360 5918 -16496525 8804134 "
    "A 4345 5945 -14809710 9151131 Z";

// The inner folds of the cloud, stroked only.
const char kCloudFolds[] =
    "nofill size 43200 43200 M 4693 26177 A 4345 5945 5204520 1585770 "
    "M 6928 34899 A 4360 5918 4416628 686848 M 16478 39090 A 6752 9215 8257449 844866 "
    "M 28827 34751 A 6752 9215 387196 959901 M 34129 22954 A 5785 7867 -4217541 4255042 "
    "M 41798 15354 A 5333 7273 1819082 1665090 M 38324 5426 A 4857 6595 -824660 891534 "
    "M 29078 3952 A 4857 6595 -8950887 1091722 M 22141 4720 A 4365 5945 -9809656 1061181 "
    "M 14000 5192 A 6753 9190 -4002417 739161 M 4127 15789 A 6753 9190 9459261 711490";

}  // namespace

void AddCalloutPresets(std::vector<PresetEntry>* table) {
  table->insert(
      table->end(),
      {
          {"wedgeRectCallout", "adj1 -20833 adj2 62500", kWedgeGuides,
           "M l t L x1 t L xt yt L x2 t L r t L r y1 L xr yr L r y2 L r b L x2 b L xb yb L x1 b "
           "L l b L l y2 L xl yl L l y1 Z",
           ""},
          {"wedgeRoundRectCallout", "adj1 -20833 adj2 62500 adj3 16667",
           std::string(kWedgeGuides) + "dr = */ ss adj3 100000; x3 = +- r 0 dr; y3 = +- b 0 dr",
           "M l dr A dr dr cd2 cd4 L x1 t L xt yt L x2 t L x3 t A dr dr 3cd4 cd4 L r y1 L xr yr "
           "L r y2 L r y3 A dr dr 0 cd4 L x2 b L xb yb L x1 b L dr b A dr dr cd4 cd4 L l y2 "
           "L xl yl L l y1 Z",
           ""},
          // The wedge leaves the ellipse 11 degrees either side of the tip's
          // direction, seen in the box scaled to a square.
          {"wedgeEllipseCallout", "adj1 -20833 adj2 62500",
           "dxPos = */ w adj1 100000; dyPos = */ h adj2 100000; xPos = +- hc dxPos 0;"
           "yPos = +- vc dyPos 0; sdx = */ dxPos h 1; sdy = */ dyPos w 1; pang = at2 sdx sdy;"
           "stAng = +- pang 660000 0; enAng = +- pang 0 660000; dx1 = cos wd2 stAng;"
           "dy1 = sin hd2 stAng; x1 = +- hc dx1 0; y1 = +- vc dy1 0; dx2 = cos wd2 enAng;"
           "dy2 = sin hd2 enAng; stAng1 = at2 dx1 dy1; enAng1 = at2 dx2 dy2;"
           "swAng1 = +- enAng1 0 stAng1; swAng2 = +- swAng1 21600000 0;"
           "swAng = ?: swAng1 swAng1 swAng2",
           "M xPos yPos L x1 y1 A wd2 hd2 stAng1 swAng Z", ""},
          {"cloud", "", "", std::string(kCloud) + " | " + kCloudFolds, ""},
          // Three bubbles get smaller towards the tip.
          {"cloudCallout", "adj1 -20833 adj2 62500",
           "dxPos = */ w adj1 100000; dyPos = */ h adj2 100000; xPos = +- hc dxPos 0;"
           "yPos = +- vc dyPos 0; ht = cat2 hd2 dxPos dyPos; wt = sat2 wd2 dxPos dyPos;"
           "g2 = cat2 wd2 ht wt; g3 = sat2 hd2 ht wt; g4 = +- hc g2 0; g5 = +- vc g3 0;"
           "g6 = +- g4 0 xPos; g7 = +- g5 0 yPos; g8 = mod g6 g7 0; g9 = */ ss 6600 21600;"
           "g10 = +- g8 0 g9; g11 = */ g10 1 3; g12 = */ ss 1800 21600; g13 = +- g11 g12 0;"
           "g14 = */ g13 g6 g8; g15 = */ g13 g7 g8; g16 = +- g14 xPos 0; g17 = +- g15 yPos 0;"
           "g18 = */ ss 4800 21600; g19 = */ g11 2 1; g20 = +- g18 g19 0; g21 = */ g20 g6 g8;"
           "g22 = */ g20 g7 g8; g23 = +- g21 xPos 0; g24 = +- g22 yPos 0; g25 = */ ss 1200 21600;"
           "g26 = */ ss 600 21600; x23 = +- xPos g26 0; x24 = +- g16 g25 0; x25 = +- g23 g12 0",
           std::string(kCloud) +
               " | M x23 yPos A g26 g26 0 21600000 Z | M x24 g17 A g25 g25 0 21600000 Z"
               " | M x25 g24 A g12 g12 0 21600000 Z | " +
               kCloudFolds,
           ""},
      });
  const char* const kinds[4][2] = {{"callout", ""},
                                   {"accentCallout", "a"},
                                   {"borderCallout", "b"},
                                   {"accentBorderCallout", "ab"}};
  for (const auto& kind : kinds)
    for (int n = 1; n <= 3; ++n) {
      const std::string flags = kind[1];
      table->push_back(Callout(kind[0] + std::to_string(n), n, flags.find('a') != std::string::npos,
                               flags.find('b') != std::string::npos));
    }
}

}  // namespace render
