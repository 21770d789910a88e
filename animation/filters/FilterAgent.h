// The base of the agents that show a shape through an animated mask, and of
// the fade.
//
// Mask filters build their masks on the shape's bounds, which some widen by a
// margin first (MaskArea). The mask children of the shape context are reached
// through its compound interface (12); a context without one gets no mask.
#pragma once

#include <string>

#include <boost/shared_ptr.hpp>

#include "agents/BaseEffectAgent.h"

class FilterAgent : public BaseEffectAgent {
 public:
  FilterAgent(const boost::shared_ptr<IInterface>& behaviour,
              const boost::shared_ptr<PublishContext>& metrics, uint32_t kind, uint32_t accel,
              uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  uint32_t AppliesToShape() override { return 1; }
  // Forgets the initialisation and lets go of the behaviour.
  void Reset() override;
  // Also starts the mask area afresh from the bounds.
  void Init(const boost::shared_ptr<IScreenObject>& context) override;

  // The rectangle the masks are built on: the bounds taken by Init, widened
  // by whatever margins the filter added since.
  const TRect& MaskArea() const { return area_; }

 protected:
  double AreaWidth() const;
  double AreaHeight() const;
  // Widens the mask area by dx on the left and right and dy at the top and
  // bottom.
  void Widen(double dx, double dy);
  // 30 on each side of an extent below 60, else `otherwise` (box, wipe,
  // split: 10; peek, dissolve and random bars: 0).
  void WidenSmall(double otherwise);
  // The centre of the mask area truncated to whole units.
  int CentreX() const;
  int CentreY() const;

  // The preset class of the owning effect: 0 entrance, 1 exit (0 when unset).
  uint32_t PresetClassValue() const;
  // The behaviour's filter subtype (375) and transition (373, 0 = in).
  int Subtype() const;
  int Transition() const;

  static boost::shared_ptr<ICompoundShape> CompoundOf(
      const boost::shared_ptr<IScreenObject>& context);
  static std::wstring NameOf(const boost::shared_ptr<IScreenShape>& shape);

 private:
  TRect area_;
};
