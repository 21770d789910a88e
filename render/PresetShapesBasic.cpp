// Basic shapes: rectangles with round and snipped corners, ellipses,
// polygons, stars, arcs and pies, frames, and the solid-looking shapes.
#include <cmath>
#include <cstdio>
#include <string>

#include "render/PresetTable.h"

namespace render {
namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

// A star of `points` tips on an ellipse that, widened by hf and heightened by
// vf (1/100000), touches the box; the first tip points up, and the inner
// corners lie on an ellipse adj / 50000 the size of the outer one. With
// `inner` false it is the regular polygon of the tips.
PresetEntry Star(const std::string& name, int points, double adj, double hf, double vf,
                 bool inner = true) {
  PresetEntry e;
  e.name = name;
  e.adjust = (inner ? "adj " + Number(adj) + " " : std::string()) + "hf " + Number(hf) + " vf " +
             Number(vf);
  e.guides = "swd2 = */ wd2 hf 100000; shd2 = */ hd2 vf 100000; svc = */ vc vf 100000";
  if (inner) e.guides += "; a = pin 0 adj 50000; iwd2 = */ swd2 a 50000; ihd2 = */ shd2 a 50000";
  const double step = 21600000.0 / points;
  for (int k = 0; k < points; ++k) {
    for (int half = 0; half < (inner ? 2 : 1); ++half) {
      const std::string angle = Number(16200000.0 + step * k + step / 2 * half);
      const std::string rx = half ? "iwd2" : "swd2", ry = half ? "ihd2" : "shd2";
      const std::string id = std::to_string(k) + (half ? "i" : "o");
      e.guides += "; dx" + id + " = cos " + rx + " " + angle + "; dy" + id + " = sin " + ry + " " +
                  angle + "; x" + id + " = +- hc dx" + id + " 0; y" + id + " = +- svc dy" + id +
                  " 0";
      e.paths += (e.paths.empty() ? "M x" : " L x") + id + " y" + id;
    }
  }
  e.paths += " Z";
  return e;
}

}  // namespace

void AddBasicPresets(std::vector<PresetEntry>* table) {
  table->insert(
      table->end(),
      {
          {"rect", "", "", "M l t L r t L r b L l b Z", ""},
          {"roundRect", "adj 16667",
           "a = pin 0 adj 50000; d = */ ss a 100000; x2 = +- r 0 d; y2 = +- b 0 d",
           "M l d A d d cd2 cd4 L x2 t A d d 3cd4 cd4 L r y2 A d d 0 cd4 L d b A d d cd4 cd4 Z",
           ""},
          {"round1Rect", "adj 16667", "a = pin 0 adj 50000; d = */ ss a 100000; x1 = +- r 0 d",
           "M l t L x1 t A d d 3cd4 cd4 L r b L l b Z", ""},
          {"round2SameRect", "adj1 16667 adj2 0",
           "a1 = pin 0 adj1 50000; a2 = pin 0 adj2 50000; t1 = */ ss a1 100000; t2 = +- r 0 t1;"
           "b1 = */ ss a2 100000; b2 = +- r 0 b1; by = +- b 0 b1",
           "M t1 t L t2 t A t1 t1 3cd4 cd4 L r by A b1 b1 0 cd4 L b1 b A b1 b1 cd4 cd4 L l t1 "
           "A t1 t1 cd2 cd4 Z",
           ""},
          {"round2DiagRect", "adj1 16667 adj2 0",
           "a1 = pin 0 adj1 50000; a2 = pin 0 adj2 50000; d1 = */ ss a1 100000; x2 = +- r 0 d1;"
           "y2 = +- b 0 d1; d2 = */ ss a2 100000; sx2 = +- r 0 d2; sy2 = +- b 0 d2",
           "M d1 t L sx2 t A d2 d2 3cd4 cd4 L r y2 A d1 d1 0 cd4 L d2 b A d2 d2 cd4 cd4 L l d1 "
           "A d1 d1 cd2 cd4 Z",
           ""},
          {"snip1Rect", "adj 16667", "a = pin 0 adj 50000; d = */ ss a 100000; x1 = +- r 0 d",
           "M l t L x1 t L r d L r b L l b Z", ""},
          {"snip2SameRect", "adj1 16667 adj2 0",
           "a1 = pin 0 adj1 50000; a2 = pin 0 adj2 50000; t1 = */ ss a1 100000; t2 = +- r 0 t1;"
           "b1 = */ ss a2 100000; b2 = +- r 0 b1; by = +- b 0 b1",
           "M t1 t L t2 t L r t1 L r by L b2 b L b1 b L l by L l t1 Z", ""},
          {"snip2DiagRect", "adj1 0 adj2 16667",
           "a1 = pin 0 adj1 50000; a2 = pin 0 adj2 50000; d1 = */ ss a1 100000; x2 = +- r 0 d1;"
           "y2 = +- b 0 d1; d2 = */ ss a2 100000; sx2 = +- r 0 d2; sy2 = +- b 0 d2",
           "M d1 t L sx2 t L r d2 L r y2 L x2 b L d2 b L l sy2 L l d1 Z", ""},
          {"snipRoundRect", "adj1 16667 adj2 16667",
           "a1 = pin 0 adj1 50000; a2 = pin 0 adj2 50000; d1 = */ ss a1 100000;"
           "d2 = */ ss a2 100000; x2 = +- r 0 d2",
           "M d1 t L x2 t L r d2 L r b L l b L l d1 A d1 d1 cd2 cd4 Z", ""},
          {"plaque", "adj 16667",
           "a = pin 0 adj 50000; d = */ ss a 100000; x2 = +- r 0 d; y2 = +- b 0 d",
           "M l d A d d cd4 -5400000 L x2 t A d d cd2 -5400000 L r y2 A d d 3cd4 -5400000 "
           "L d b A d d 0 -5400000 Z",
           ""},
          {"ellipse", "", "", "M l vc A wd2 hd2 cd2 21600000 Z", ""},
          {"triangle", "adj 50000", "a = pin 0 adj 100000; x1 = */ w a 100000",
           "M l b L x1 t L r b Z", ""},
          {"rtTriangle", "", "", "M l t L r b L l b Z", ""},
          {"parallelogram", "adj 25000",
           "maxAdj = */ 100000 w ss; a = pin 0 adj maxAdj; x2 = */ ss a 100000; x5 = +- r 0 x2",
           "M l b L x2 t L r t L x5 b Z", ""},
          {"trapezoid", "adj 25000",
           "maxAdj = */ 50000 w ss; a = pin 0 adj maxAdj; x2 = */ ss a 100000; x3 = +- r 0 x2",
           "M l b L x2 t L x3 t L r b Z", ""},
          {"nonIsoscelesTrapezoid", "adj1 25000 adj2 25000",
           "maxAdj = */ 50000 w ss; a1 = pin 0 adj1 maxAdj; a2 = pin 0 adj2 maxAdj;"
           "x2 = */ ss a1 100000; d3 = */ ss a2 100000; x3 = +- r 0 d3",
           "M l b L x2 t L x3 t L r b Z", ""},
          {"diamond", "", "", "M l vc L hc t L r vc L hc b Z", ""},
          {"hexagon", "adj 25000 vf 115470",
           "maxAdj = */ 50000 w ss; a = pin 0 adj maxAdj; shd2 = */ hd2 vf 100000;"
           "x1 = */ ss a 100000; x2 = +- r 0 x1; dy1 = sin shd2 3600000; y1 = +- vc 0 dy1;"
           "y2 = +- vc dy1 0",
           "M l vc L x1 y1 L x2 y1 L r vc L x2 y2 L x1 y2 Z", ""},
          {"octagon", "adj 29289",
           "a = pin 0 adj 50000; x1 = */ ss a 100000; x2 = +- r 0 x1; y2 = +- b 0 x1",
           "M l x1 L x1 t L x2 t L r x1 L r y2 L x2 b L x1 b L l y2 Z", ""},
          {"decagon", "vf 105146",
           "shd2 = */ hd2 vf 100000; dx1 = cos wd2 2160000; dx2 = cos wd2 4320000;"
           "x1 = +- hc 0 dx1; x2 = +- hc 0 dx2; x3 = +- hc dx2 0; x4 = +- hc dx1 0;"
           "dy1 = sin shd2 4320000; dy2 = sin shd2 2160000; y1 = +- vc 0 dy1; y2 = +- vc 0 dy2;"
           "y3 = +- vc dy2 0; y4 = +- vc dy1 0",
           "M l vc L x1 y2 L x2 y1 L x3 y1 L x4 y2 L r vc L x4 y3 L x3 y4 L x2 y4 L x1 y3 Z", ""},
          {"dodecagon", "",
           "x1 = */ w 2894 21600; x2 = */ w 7906 21600; x3 = */ w 13694 21600;"
           "x4 = */ w 18706 21600; y1 = */ h 2894 21600; y2 = */ h 7906 21600;"
           "y3 = */ h 13694 21600; y4 = */ h 18706 21600",
           "M l y2 L x1 y1 L x2 t L x3 t L x4 y1 L r y2 L r y3 L x4 y4 L x3 b L x2 b L x1 y4 "
           "L l y3 Z",
           ""},
          {"plus", "adj 25000",
           "a = pin 0 adj 50000; x1 = */ ss a 100000; x2 = +- r 0 x1; y2 = +- b 0 x1",
           "M l x1 L x1 x1 L x1 t L x2 t L x2 x1 L r x1 L r y2 L x2 y2 L x2 b L x1 b L x1 y2 "
           "L l y2 Z",
           ""},
          {"donut", "adj 25000",
           "a = pin 0 adj 50000; dr = */ ss a 100000; iwd2 = +- wd2 0 dr; ihd2 = +- hd2 0 dr",
           "M l vc A wd2 hd2 cd2 21600000 Z M dr vc A iwd2 ihd2 cd2 -21600000 Z", ""},
          // The bar runs along the box's diagonal; the two openings are arcs of
          // the inner ellipse closed by chords half the ring's width off the
          // diagonal.
          {"noSmoking", "adj 18750",
           "a = pin 0 adj 50000; dr = */ ss a 100000; iwd2 = +- wd2 0 dr; ihd2 = +- hd2 0 dr;"
           "ang = at2 w h; ct = cos ihd2 ang; st = sin iwd2 ang; m = mod ct st 0;"
           "n = */ iwd2 ihd2 m; drd2 = */ dr 1 2; dang = at2 n drd2; dang2 = */ dang 2 1;"
           "swAng = +- -10800000 dang2 0; stAng1 = +- ang 0 dang; stAng2 = +- stAng1 0 cd2;"
           "ct1 = cos ihd2 stAng1; st1 = sin iwd2 stAng1; m1 = mod ct1 st1 0;"
           "n1 = */ iwd2 ihd2 m1; dx1 = cos n1 stAng1; dy1 = sin n1 stAng1; x1 = +- hc dx1 0;"
           "y1 = +- vc dy1 0; x2 = +- hc 0 dx1; y2 = +- vc 0 dy1",
           "M l vc A wd2 hd2 cd2 21600000 Z M x1 y1 A iwd2 ihd2 stAng1 swAng Z "
           "M x2 y2 A iwd2 ihd2 stAng2 swAng Z",
           ""},
          {"blockArc", "adj1 10800000 adj2 0 adj3 25000",
           "stAng = pin 0 adj1 21599999; istAng = pin 0 adj2 21599999; a3 = pin 0 adj3 50000;"
           "sw11 = +- istAng 0 stAng; sw12 = +- sw11 21600000 0; swAng = ?: sw11 sw11 sw12;"
           "iswAng = +- 0 0 swAng; wt1 = sin wd2 stAng; ht1 = cos hd2 stAng;"
           "dx1 = cat2 wd2 ht1 wt1; dy1 = sat2 hd2 ht1 wt1; x1 = +- hc dx1 0; y1 = +- vc dy1 0;"
           "dr = */ ss a3 100000; iwd2 = +- wd2 0 dr; ihd2 = +- hd2 0 dr;"
           "wt2 = sin iwd2 istAng; ht2 = cos ihd2 istAng; dx2 = cat2 iwd2 ht2 wt2;"
           "dy2 = sat2 ihd2 ht2 wt2; x2 = +- hc dx2 0; y2 = +- vc dy2 0",
           "M x1 y1 A wd2 hd2 stAng swAng L x2 y2 A iwd2 ihd2 istAng iswAng Z", ""},
          {"pie", "adj1 0 adj2 16200000",
           "stAng = pin 0 adj1 21599999; enAng = pin 0 adj2 21599999; sw1 = +- enAng 0 stAng;"
           "sw2 = +- sw1 21600000 0; swAng = ?: sw1 sw1 sw2; wt1 = sin wd2 stAng;"
           "ht1 = cos hd2 stAng; dx1 = cat2 wd2 ht1 wt1; dy1 = sat2 hd2 ht1 wt1;"
           "x1 = +- hc dx1 0; y1 = +- vc dy1 0",
           "M x1 y1 A wd2 hd2 stAng swAng L hc vc Z", ""},
          {"chord", "adj1 2700000 adj2 16200000",
           "stAng = pin 0 adj1 21599999; enAng = pin 0 adj2 21599999; sw1 = +- enAng 0 stAng;"
           "sw2 = +- sw1 21600000 0; swAng = ?: sw1 sw1 sw2; wt1 = sin wd2 stAng;"
           "ht1 = cos hd2 stAng; dx1 = cat2 wd2 ht1 wt1; dy1 = sat2 hd2 ht1 wt1;"
           "x1 = +- hc dx1 0; y1 = +- vc dy1 0",
           "M x1 y1 A wd2 hd2 stAng swAng Z", ""},
          {"arc", "adj1 16200000 adj2 0",
           "stAng = pin 0 adj1 21599999; enAng = pin 0 adj2 21599999; sw11 = +- enAng 0 stAng;"
           "sw12 = +- sw11 21600000 0; swAng = ?: sw11 sw11 sw12; wt1 = sin wd2 stAng;"
           "ht1 = cos hd2 stAng; dx1 = cat2 wd2 ht1 wt1; dy1 = sat2 hd2 ht1 wt1;"
           "x1 = +- hc dx1 0; y1 = +- vc dy1 0",
           "nostroke M x1 y1 A wd2 hd2 stAng swAng L hc vc Z | nofill M x1 y1 A wd2 hd2 stAng "
           "swAng",
           ""},
          {"pieWedge", "", "", "M l b A w h cd2 cd4 L r b Z", ""},
          {"frame", "adj1 12500",
           "a1 = pin 0 adj1 50000; x1 = */ ss a1 100000; x4 = +- r 0 x1; y4 = +- b 0 x1",
           "M l t L r t L r b L l b Z M x1 x1 L x1 y4 L x4 y4 L x4 x1 Z", ""},
          {"halfFrame", "adj1 33333 adj2 33333",
           "maxAdj2 = */ 100000 w ss; a2 = pin 0 adj2 maxAdj2; x1 = */ ss a2 100000;"
           "g1 = */ h x1 w; g2 = +- h 0 g1; maxAdj1 = */ 100000 g2 ss; a1 = pin 0 adj1 maxAdj1;"
           "y1 = */ ss a1 100000; dx2 = */ y1 w h; x2 = +- r 0 dx2; dy2 = */ x1 h w;"
           "y2 = +- b 0 dy2",
           "M l t L r t L x2 y1 L x1 y1 L x1 y2 L l b Z", ""},
          {"corner", "adj1 50000 adj2 50000",
           "maxAdj1 = */ 100000 h ss; maxAdj2 = */ 100000 w ss; a1 = pin 0 adj1 maxAdj1;"
           "a2 = pin 0 adj2 maxAdj2; x1 = */ ss a2 100000; dy1 = */ ss a1 100000; y1 = +- b 0 dy1",
           "M l t L x1 t L x1 y1 L r y1 L r b L l b Z", ""},
          {"diagStripe", "adj 50000",
           "a = pin 0 adj 100000; x2 = */ w a 100000; y2 = */ h a 100000",
           "M l y2 L x2 t L r t L l b Z", ""},
          {"can", "adj 25000",
           "maxAdj = */ 50000 h ss; a = pin 0 adj maxAdj; y1 = */ ss a 200000; y3 = +- b 0 y1",
           "nostroke M l y1 A wd2 y1 cd2 -10800000 L r y3 A wd2 y1 0 cd2 Z"
           " | nostroke M l y1 A wd2 y1 cd2 cd2 A wd2 y1 0 cd2 Z"
           " | nofill M r y1 A wd2 y1 0 cd2 A wd2 y1 cd2 cd2 L r y3 A wd2 y1 0 cd2 L l y1",
           "the top is not shaded darker"},
          {"cube", "adj 25000",
           "a = pin 0 adj 100000; y1 = */ ss a 100000; y4 = +- b 0 y1; x4 = +- r 0 y1",
           "nostroke M l y1 L x4 y1 L x4 b L l b Z"
           " | nostroke M x4 y1 L r t L r y4 L x4 b Z"
           " | nostroke M l y1 L y1 t L r t L x4 y1 Z"
           " | nofill M l y1 L y1 t L r t L r y4 L x4 b L l b Z M l y1 L x4 y1 L r t M x4 y1 L x4 "
           "b",
           "the faces are not shaded"},
          {"bevel", "adj 12500",
           "a = pin 0 adj 50000; x1 = */ ss a 100000; x2 = +- r 0 x1; y2 = +- b 0 x1",
           "nostroke M x1 x1 L x2 x1 L x2 y2 L x1 y2 Z"
           " | nostroke M l t L r t L x2 x1 L x1 x1 Z"
           " | nostroke M l b L x1 y2 L x2 y2 L r b Z"
           " | nostroke M l t L x1 x1 L x1 y2 L l b Z"
           " | nostroke M r t L r b L x2 y2 L x2 x1 Z"
           " | nofill M l t L r t L r b L l b Z M x1 x1 L x2 x1 L x2 y2 L x1 y2 Z M l t L x1 x1 "
           "M l b L x1 y2 M r t L x2 x1 M r b L x2 y2",
           "the edges are not shaded"},
          {"foldedCorner", "adj 16667",
           "a = pin 0 adj 50000; dy2 = */ ss a 100000; dy1 = */ dy2 1 5; x1 = +- r 0 dy2;"
           "x2 = +- x1 dy1 0; y2 = +- b 0 dy2; y1 = +- y2 dy1 0",
           "nostroke M l t L r t L r y2 L x1 b L l b Z"
           " | nostroke M x1 b L x2 y1 L r y2 Z"
           " | nofill M x1 b L x2 y1 L r y2 L x1 b L l b L l t L r t L r y2",
           "the fold is not shaded"},
          {"teardrop", "adj 100000",
           "a = pin 0 adj 200000; r2 = sqrt 2; tw = */ r2 wd2 1; th = */ r2 hd2 1;"
           "sw = */ tw a 100000; sh = */ th a 100000; dx1 = cos sw 2700000; dy1 = sin sh 2700000;"
           "x1 = +- hc dx1 0; y1 = +- vc 0 dy1; x2 = +/ hc x1 2; y2 = +/ vc y1 2",
           "M l vc A wd2 hd2 cd2 cd4 Q x2 t x1 y1 Q r y2 r vc A wd2 hd2 0 cd4 A wd2 hd2 cd4 cd4 Z",
           ""},
          {"heart", "",
           "dx1 = */ w 49 48; dx2 = */ w 10 48; x1 = +- hc 0 dx1; x2 = +- hc 0 dx2;"
           "x3 = +- hc dx2 0; x4 = +- hc dx1 0; y1 = +- t 0 hd3",
           "M hc hd4 C x3 y1 x4 hd4 hc b C x1 hd4 x2 y1 hc hd4 Z", ""},
          {"chevron", "adj 50000",
           "maxAdj = */ 100000 w ss; a = pin 0 adj maxAdj; x1 = */ ss a 100000; x2 = +- r 0 x1",
           "M l t L x2 t L r vc L x2 b L l b L x1 vc Z", ""},
          {"homePlate", "adj 50000",
           "maxAdj = */ 100000 w ss; a = pin 0 adj maxAdj; dx1 = */ ss a 100000; x1 = +- r 0 dx1",
           "M l t L x1 t L r vc L x1 b L l b Z", ""},
          {"line", "", "", "nofill M l t L r b", ""},
          {"lineInv", "", "", "nofill M l b L r t", ""},
          {"straightConnector1", "", "", "nofill M l t L r b", ""},
          {"bentConnector2", "", "", "nofill M l t L r t L r b", ""},
          {"bentConnector3", "adj1 50000", "x1 = */ w adj1 100000",
           "nofill M l t L x1 t L x1 b L r b", ""},
          {"bentConnector4", "adj1 50000 adj2 50000",
           "x1 = */ w adj1 100000; y2 = */ h adj2 100000",
           "nofill M l t L x1 t L x1 y2 L r y2 L r b", ""},
          {"bentConnector5", "adj1 50000 adj2 50000 adj3 50000",
           "x1 = */ w adj1 100000; x3 = */ w adj3 100000; y2 = */ h adj2 100000",
           "nofill M l t L x1 t L x1 y2 L x3 y2 L x3 b L r b", ""},
          {"curvedConnector2", "", "", "nofill M l t C wd2 t r hd2 r b", ""},
          {"curvedConnector3", "adj1 50000",
           "x2 = */ w adj1 100000; x1 = +/ l x2 2; x3 = +/ r x2 2; y3 = */ h 3 4",
           "nofill M l t C x1 t x2 hd4 x2 vc C x2 y3 x3 b r b", ""},
          {"curvedConnector4", "adj1 50000 adj2 50000",
           "x2 = */ w adj1 100000; x1 = +/ l x2 2; x3 = +/ r x2 2; x4 = +/ x2 x3 2;"
           "x5 = +/ x3 r 2; y4 = */ h adj2 100000; y1 = +/ t y4 2; y2 = +/ t y1 2;"
           "y3 = +/ y1 y4 2; y5 = +/ b y4 2",
           "nofill M l t C x1 t x2 y2 x2 y1 C x2 y3 x4 y4 x3 y4 C x5 y4 r y5 r b", ""},
          {"curvedConnector5", "adj1 50000 adj2 50000 adj3 50000",
           "x3 = */ w adj1 100000; x6 = */ w adj3 100000; x1 = +/ x3 x6 2; x2 = +/ l x3 2;"
           "x4 = +/ x3 x1 2; x5 = +/ x6 x1 2; x7 = +/ x6 r 2; y4 = */ h adj2 100000;"
           "y1 = +/ t y4 2; y2 = +/ t y1 2; y3 = +/ y1 y4 2; y5 = +/ b y4 2; y6 = +/ y5 y4 2;"
           "y7 = +/ y5 b 2",
           "nofill M l t C x2 t x3 y2 x3 y1 C x3 y3 x4 y4 x1 y4 C x5 y4 x6 y6 x6 y5 "
           "C x6 y7 x7 b r b",
           ""},
      });
  // Regular polygons and stars: the tips' ellipse is widened and heightened
  // so that the outline touches all four sides of the box.
  table->push_back(Star("pentagon", 5, 0, 105146, 110557, false));
  table->push_back(Star("heptagon", 7, 0, 102572, 105210, false));
  table->push_back(Star("star4", 4, 12500, 100000, 100000));
  table->push_back(Star("star5", 5, 19098, 105146, 110557));
  table->push_back(Star("star6", 6, 28868, 115470, 100000));
  table->push_back(Star("star7", 7, 34601, 102572, 105210));
  table->push_back(Star("star8", 8, 37500, 100000, 100000));
  table->push_back(Star("star10", 10, 42533, 105146, 100000));
  table->push_back(Star("star12", 12, 37500, 100000, 100000));
  table->push_back(Star("star16", 16, 37500, 100000, 100000));
  table->push_back(Star("star24", 24, 37500, 100000, 100000));
  table->push_back(Star("star32", 32, 37500, 100000, 100000));
}

}  // namespace render
