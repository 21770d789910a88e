#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "manager/IAnimationManager.h"

TEST(Smoke, FreshManager) {
  auto manager = IAnimationManager::Create(boost::make_shared<PublishContext>());
  EXPECT_EQ(manager->GetSlideLength(), 0xFFFFFFFFu);
}
