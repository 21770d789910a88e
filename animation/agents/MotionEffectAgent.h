// Moves the shape's centre along a motion path.
#pragma once

#include <string>

#include <boost/shared_ptr.hpp>

#include "agents/BaseEffectAgent.h"
#include "path/Path.h"

class MotionEffectAgent : public BaseEffectAgent {
 public:
  MotionEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                    const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                    uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  uint32_t AppliesToShape() override { return 1; }

  // The path as the web player writes it, with the shape's centre and whether
  // the path is placed at the slide's origin.
  std::wstring GetWebPathText(const boost::shared_ptr<IScreenObject>& context, double& centreX,
                              double& centreY, bool& slideOrigin);

  const boost::shared_ptr<Kinefold::Path>& GetPath() const { return path_; }

 private:
  void InitMotion(const boost::shared_ptr<IScreenObject>& context);

  double originX_ = 0.0;
  double originY_ = 0.0;
  boost::shared_ptr<Kinefold::Path> path_;
  bool motionInitialised_ = false;
};
