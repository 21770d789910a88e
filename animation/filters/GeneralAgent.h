// A filter that builds its mask afresh for every frame it draws: it puts the
// frame's shape into a new mask container, attaches that for the frame only
// (DetachChild) and switches it on, after detaching the previous frame's.
//
// PrepareAction must run before the first frame: it takes the bounds and
// makes the group that some filters keep their pieces in across frames. After
// its end a general filter leaves the last mask as it was.
#pragma once

#include <vector>

#include "filters/FilterAgent.h"

class GeneralAgent : public FilterAgent {
 public:
  GeneralAgent(const boost::shared_ptr<IInterface>& behaviour,
               const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  bool OnBeforeStart(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) override;

  // Builds and attaches the mask for time t.
  virtual void BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) = 0;

  bool IsPrepared() const { return prepared_; }
  const boost::shared_ptr<IScreenShape>& MaskGroup() const { return maskGroup_; }
  const boost::shared_ptr<ICompoundScreenShape>& CurrentMask() const { return currentMask_; }

 protected:
  // How many of `total` pieces a frame at `progress` shows: the nearest
  // whole number, but at least one.
  static uint32_t PiecesFor(double progress, uint32_t total);
  // Takes one index out of `remaining` at random (the others keep their
  // order). The generator is reseeded from the clock by the caller.
  static uint32_t TakeRandom(std::vector<uint32_t>& remaining);

  // Replaces maskGroup by a new, empty group.
  void NewMaskGroup();
  // Detaches the last frame's container and attaches a new one showing
  // `content`, switched on, for this frame.
  void ReplaceMask(const boost::shared_ptr<IScreenObject>& context,
                   const boost::shared_ptr<IScreenShape>& content);

 private:
  bool prepared_ = false;
  boost::shared_ptr<IScreenShape> maskGroup_;
  boost::shared_ptr<ICompoundScreenShape> currentMask_;
};
