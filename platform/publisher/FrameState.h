// The per-frame state of a drawable screen object, and the value types it is
// made of. Every node keeps two copies: the authored one and the frame one.
#pragma once

#include <cmath>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "host/Kinefold.h"
#include "host/Screen.h"

namespace platform {

// One mask child of a node: a mask container (or any screen shape) that clips
// the node while it is active. A detached child leaves the list at the next
// frame reset.
struct MaskEntry {
  boost::shared_ptr<IScreenShape> shape;
  bool active = true;
  bool detached = false;
};

// A colour that is either unchanged (the authored one is drawn) or replaced
// for this frame.
struct ColourChange {
  bool set = false;
  Kinefold::TColor colour;

  void Set(const Kinefold::TColor& c) {
    colour = c;
    set = true;
  }
};

struct FrameState {
  // tx, ty, b, c, a, d: (x, y) -> (a*x + c*y + tx, b*x + d*y + ty).
  double transform[6] = {0.0, 0.0, 0.0, 0.0, 1.0, 1.0};
  Kinefold::TColorMatrix colour;
  // Left and top of the object; a change moves the object (and its subtree).
  double position[2] = {0.0, 0.0};
  std::vector<MaskEntry> masks;
  // Colour changes made by the colour utilities: fill and line of a geometry
  // leaf, text colour of a letter.
  ColourChange fill;
  ColourChange line;
  ColourChange text;
};

inline bool IsIdentityTransform(const double* t) {
  return t[0] == 0.0 && t[1] == 0.0 && t[2] == 0.0 && t[3] == 0.0 && t[4] == 1.0 && t[5] == 1.0;
}

// False when the frame's transform, position or colour multipliers hold a NaN
// or an infinity, from whatever source: such a node is left out of the frame.
inline bool IsFiniteFrame(const FrameState& f) {
  for (double v : f.transform)
    if (!std::isfinite(v)) return false;
  const Kinefold::TColorMatrix& c = f.colour;
  return std::isfinite(f.position[0]) && std::isfinite(f.position[1]) &&
         std::isfinite(c.alphaMul) && std::isfinite(c.redMul) && std::isfinite(c.greenMul) &&
         std::isfinite(c.blueMul);
}

inline bool IsIdentityColour(const Kinefold::TColorMatrix& m) {
  return m == Kinefold::TColorMatrix();
}

}  // namespace platform
