// The descriptions of the preset shapes, one entry per preset, read by
// PresetGeometry. An entry has four parts, each a small text:
//
// adjust  the adjust values with their defaults: "adj1 25000 adj2 50000".
// guides  named formulas evaluated in order (see GeometryGuides.h), separated
//         by semicolons: "a = pin 0 adj 50000; x1 = */ ss a 100000".
// paths   path commands; operands are numbers or names (built-in, adjust or
//         guide). "|" starts another path. Before its commands a path may say
//         "nofill", "nostroke" or "size W H" (its coordinates run over W by H
//         instead of the shape's size).
//           M x y          move to             L x y        line to
//           C x1 y1 x2 y2 x y  cubic curve     Q x1 y1 x y  quadratic curve
//           A wR hR st sw  arc of the ellipse with radii wR, hR from the
//                          angle st, turning by sw (60000ths of a degree;
//                          angles are seen on the ellipse, not parametric)
//           Z              close
// note    empty when the drawing follows the shape's own outline; else what
//         is drawn differently.
#pragma once

#include <string>
#include <vector>

namespace render {

struct PresetEntry {
  std::string name;
  std::string adjust;
  std::string guides;
  std::string paths;
  std::string note;
};

// Every preset, in no particular order.
const std::vector<PresetEntry>& PresetEntries();

// The families, each in its own file.
void AddBasicPresets(std::vector<PresetEntry>* table);
void AddArrowPresets(std::vector<PresetEntry>* table);
void AddFlowchartPresets(std::vector<PresetEntry>* table);
void AddCalloutPresets(std::vector<PresetEntry>* table);
void AddSymbolPresets(std::vector<PresetEntry>* table);

}  // namespace render
