// Assembles a small slide with the platform's builder API, compiles it with
// the animation library and prints what the manager reports.
#include <cstdio>
#include <iostream>

#include <boost/make_shared.hpp>

#include "common/Utf8.h"
#include "document/Slide.h"
#include "manager/IAnimationManager.h"

namespace {

std::string Time(uint32_t ms) {
  return ms == 0xFFFFFFFFu ? "-" : std::to_string(ms);
}

}  // namespace

int main() {
  auto slide = boost::make_shared<platform::Slide>();
  slide->AddShape(L"2").SetName(L"Title").SetBounds(80, 40, 800, 80).SetText({L"Hello, slides"});
  slide->AddShape(L"3")
      .SetName(L"Box")
      .SetBounds(200, 200, 300, 150)
      .SetSolidFill({68, 114, 196, 255});

  platform::Effect& title = slide->Effects()->AddEffect(L"2");
  title.PresetClass(0).NodeType(0).Delay(0);
  title.AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, eFilterFade).Duration(500);

  platform::Effect& box = slide->Effects()->AddEffect(L"3");
  box.PresetClass(2).NodeType(2).Delay(250);
  box.AddBehaviour(eBehaviourRotation).Set<int>(ePropBy, 360 * 60000).Duration(1000);

  auto context = boost::make_shared<PublishContext>(540.0, 960.0, 25, 0);
  boost::shared_ptr<IAnimationManager> manager = IAnimationManager::Create(context);
  manager->BuildSlide(slide, 0, 0);

  std::cout << "slide length: " << Time(manager->GetSlideLength()) << " ms\n"
            << "length after triggers: " << Time(manager->GetSlideLengthAfterTriggers()) << " ms\n"
            << "has animations: " << (manager->HasAnimations() ? "yes" : "no") << "\n";
  for (uint32_t i = 0; i < manager->GetStepCount(); ++i) {
    AnimationStep step;
    manager->GetStep(step, i);
    std::cout << "step " << i << ": " << Time(step.startTime) << " .. " << Time(step.endTime)
              << " kind " << step.sequenceKind << " shapes";
    for (const auto& name : step.shapeNames) std::cout << ' ' << platform::ToUtf8(name);
    std::cout << "\n";
  }
  for (const wchar_t* id : {L"2", L"3"}) {
    uint32_t count = manager->GetShapeAnimationCount(id);
    std::cout << "shape " << platform::ToUtf8(id) << ": " << count << " animation(s)";
    for (uint32_t i = 0; i < count; ++i) {
      boost::shared_ptr<IScreenAnimation> animation;
      manager->GetShapeAnimation(animation, id, i);
      std::cout << " [start " << Time(animation->GetStartTime()) << ", duration "
                << Time(animation->GetDuration()) << "]";
    }
    std::cout << "\n";
  }
  std::cout << "web description: " << platform::ToUtf8(manager->GetJsonContent()) << "\n";
  return 0;
}
