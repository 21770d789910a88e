// A morphing filter built from two shapes: the mask at its smallest
// (collapsed) and the mask that shows the whole shape (full).
//
// Entrances morph from the collapsed shape to the full one (outward), or,
// for the inward variant, from nothing to everything but the collapsed
// shape. Exits run the other way: inward from the full shape to the
// collapsed one, outward from everything but the collapsed shape to nothing.
// "Everything but" and "nothing" are the frame pair: groups of the collapsed
// or full shape with the full shape's bounds rectangle, which cancel where
// they overlap.
#pragma once

#include "filters/MorphFilterAgent.h"

class InOutAgent : public MorphFilterAgent {
 public:
  // Subtype of the inward variant of box, circle, diamond and plus.
  static constexpr int kInward = 14;

  InOutAgent(const boost::shared_ptr<IInterface>& behaviour,
             const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;

  // Built on the mask area; null here.
  virtual boost::shared_ptr<IScreenShape> BuildCollapsedShape();
  virtual boost::shared_ptr<IScreenShape> BuildFullShape();

 protected:
  // Builds the full and collapsed shapes, the morph between them as the
  // preset class and `inward` choose, and attaches it.
  void BuildMorph(const boost::shared_ptr<IScreenObject>& target, bool inward);
};
