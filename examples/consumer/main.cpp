// A host program built against an installed slideanim: it reads a deck with
// the host library, has libslideanim build one slide, prints the slide's
// steps, plays its timeline at 30 frames per second on the host's screen
// objects (printing the sounds that start) and reports the web description.
// See docs/embedding.md.
//
//   slideanim-consumer DECK.pptx [SLIDE]     (SLIDE counts from 1; default 1)
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "common/Utf8.h"
#include "manager/IAnimationManager.h"
#include "pptx/DeckReader.h"
#include "publisher/FrameDriver.h"
#include "publisher/SlideScreen.h"

namespace {

std::string Time(uint32_t ms) {
  return ms == 0xFFFFFFFFu ? "open" : std::to_string(ms) + " ms";
}

const char* Kind(int32_t sequenceKind) {
  switch (sequenceKind) {
    case 0:
      return "on click";
    case 1:
      return "with previous";
    default:
      return "after previous";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: " << argv[0] << " DECK.pptx [SLIDE]\n";
    return 2;
  }
  const unsigned long number = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 1;

  // The host reads the deck into its document model.
  pptx::Diagnostics diagnostics;
  pptx::Deck deck;
  try {
    deck = pptx::ReadDeck(argv[1], diagnostics);
  } catch (const pptx::ReadError& error) {
    std::cerr << "error: " << error.what() << "\n";
    return 1;
  }
  if (number < 1 || number > deck.slides.size()) {
    std::cerr << "error: " << argv[1] << " has " << deck.slides.size() << " slides\n";
    return 2;
  }
  const boost::shared_ptr<platform::Slide>& slide = deck.slides[number - 1];

  // A manager per slide, made with the publish context: slide size, frame
  // rate and the default effect length in frames.
  const uint32_t fps = 30;
  auto context = boost::make_shared<PublishContext>(slide->height, slide->width, fps, 0);
  boost::shared_ptr<IAnimationManager> manager = IAnimationManager::Create(context);
  manager->BuildSlide(slide, 0, 0);

  const uint32_t length = manager->GetSlideLength();
  std::cout << "slide " << number << " of " << deck.slides.size() << ": length " << Time(length)
            << ", " << manager->GetStepCount() << " steps\n";
  for (uint32_t i = 0; i < manager->GetStepCount(); ++i) {
    AnimationStep step;
    manager->GetStep(step, i);
    std::cout << "  step " << i << ": " << Time(step.startTime) << " .. " << Time(step.endTime)
              << ", " << Kind(step.sequenceKind);
    if (step.triggerObjectId != L"-1")
      std::cout << ", when shape " << platform::ToUtf8(step.triggerObjectId) << " is clicked";
    std::cout << ", shapes";
    for (const std::wstring& name : step.shapeNames) std::cout << ' ' << platform::ToUtf8(name);
    std::cout << "\n";
  }

  // The host's screen objects; the frame driver builds every screen animation
  // against them, then applies them frame by frame and collects the sounds.
  boost::shared_ptr<platform::SlideScreen> screen = platform::SlideScreen::Build(slide);
  platform::FrameDriver driver(manager, screen);
  driver.Build();
  const uint32_t end = length == 0xFFFFFFFFu ? 0 : length;
  uint32_t frames = 0;
  for (uint32_t t = 0; t <= end; t = ++frames * 1000 / fps) {
    std::vector<platform::SoundCue> sounds;
    driver.Frame(t, &sounds);
    for (const platform::SoundCue& sound : sounds)
      std::cout << "  sound at " << t << " ms, shape " << platform::ToUtf8(sound.shapeId) << "\n";
  }
  std::cout << "played " << frames << " frames\n";

  const std::wstring json = manager->GetJsonContent();
  std::cout << "web description: " << json.size() << " characters\n";
  return 0;
}
