#include "manager/IAnimationManager.h"

#include <boost/make_shared.hpp>

#include "manager/AnimationManager.h"

IAnimationManager::IAnimationManager() = default;

IAnimationManager& IAnimationManager::operator=(const IAnimationManager&) = default;

boost::shared_ptr<IAnimationManager> IAnimationManager::Create(
    const boost::shared_ptr<PublishContext>& context) {
  return boost::make_shared<AnimationManager>(context);
}
