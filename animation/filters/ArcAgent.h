// The common base of the wedge and wheel filters: pie slices about the
// centre of the shape, made of line segments (an arc of short chords and the
// two radii) in one group, whose closed outline the publisher fills.
#pragma once

#include "filters/GeneralAgent.h"

class ArcAgent : public GeneralAgent {
 public:
  ArcAgent(const boost::shared_ptr<IInterface>& behaviour,
           const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);
  ~ArcAgent() override;

  // The slice from angle a1 to a2 (radians; 0 points right and angles grow
  // clockwise on the screen) about (cx, cy) with the given radius. The arc's
  // chords are at most 0.1 radian and 10 units long, and at most 4096.
  static boost::shared_ptr<IScreenShape> BuildPie(double a1, double a2, double cx, double cy,
                                                  double radius);
  // The step between the arc's points for a radius.
  static double ArcStep(double radius);

 protected:
  // Half the diagonal of the bounds plus 5: the slices cover the shape.
  double Radius() const;
  double CentreXExact() const;
  double CentreYExact() const;
  // An exit shows the circle of that radius less the slices.
  void AddExitCircle(const boost::shared_ptr<IScreenShape>& group) const;
};
