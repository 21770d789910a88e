#include "cli/Inspect.h"

#include <boost/make_shared.hpp>

#include "manager/IAnimationManager.h"

namespace cli {
namespace {

using nlohmann::ordered_json;

const uint32_t kAllBits = 0xFFFFFFFFu;

ordered_json Time(uint32_t value) {
  if (value == kAllBits) return -1;
  return value;
}

const char* ClassName(int value) {
  switch (value) {
    case 0:
      return "entrance";
    case 1:
      return "exit";
    case 2:
      return "emphasis";
    case 3:
      return "path";
    case 4:
      return "verb";
    case 5:
      return "media";
    default:
      return "other";
  }
}

const char* NodeTypeName(int value) {
  switch (value) {
    case 0:
      return "click";
    case 1:
      return "with";
    case 2:
      return "after";
    default:
      return "other";
  }
}

const char* TargetModeName(int value) {
  switch (value) {
    case 0:
      return "text";
    case 1:
      return "shape";
    case 2:
      return "both";
    default:
      return "other";
  }
}

std::string TimeText(const ordered_json& value) {
  return value.get<long long>() == -1 ? std::string("-") : std::to_string(value.get<long long>());
}

ordered_json InspectSlide(const boost::shared_ptr<platform::Slide>& slide,
                          const InspectOptions& options) {
  auto context = boost::make_shared<PublishContext>(slide->height, slide->width, options.deck.fps,
                                                    options.deck.defaultEffectFrames);
  boost::shared_ptr<IAnimationManager> manager = IAnimationManager::Create(context);
  manager->BuildSlide(slide, 0, 0);

  ordered_json report;
  report["index"] = slide->number;
  report["length"] = Time(manager->GetSlideLength());
  report["lengthAfterTriggers"] = Time(manager->GetSlideLengthAfterTriggers());
  report["hasAnimations"] = manager->HasAnimations();

  ordered_json steps = ordered_json::array();
  for (uint32_t i = 0; i < manager->GetStepCount(); ++i) {
    AnimationStep step;
    manager->GetStep(step, i);
    ordered_json shapes = ordered_json::array();
    for (const std::wstring& name : step.shapeNames) shapes.push_back(Utf8(name));
    steps.push_back({{"start", Time(step.startTime)},
                     {"end", Time(step.endTime)},
                     {"kept", step.kept},
                     {"trigger", Utf8(step.triggerObjectId)},
                     {"kind", step.sequenceKind},
                     {"bookmark", Utf8(step.triggerBookmark)},
                     {"shapes", shapes}});
  }
  report["steps"] = steps;

  ordered_json triggers = ordered_json::array();
  for (uint32_t i = 0; i < manager->GetBookmarkTriggerCount(); ++i) {
    BookmarkTrigger trigger;
    manager->GetBookmarkTrigger(trigger, i);
    triggers.push_back({{"name", Utf8(trigger.bookmarkName)},
                        {"time", trigger.time},
                        {"trigger", Utf8(trigger.triggerObjectId)},
                        {"target", Utf8(trigger.targetId)}});
  }
  report["bookmarkTriggers"] = triggers;

  ordered_json shapes = ordered_json::array();
  for (const auto& shape : slide->AllShapes()) {
    const std::wstring& id = shape->Id();
    uint32_t count = manager->GetShapeAnimationCount(id);
    if (count == 0) continue;
    ordered_json animations = ordered_json::array();
    for (uint32_t i = 0; i < count; ++i) {
      boost::shared_ptr<IScreenAnimation> animation;
      manager->GetShapeAnimation(animation, id, i);
      if (!animation) continue;
      std::wstring effectId;
      animation->GetEffectId(effectId);
      animations.push_back({{"effectId", Utf8(effectId)},
                            {"start", Time(animation->GetStartTime())},
                            {"duration", Time(animation->GetDuration())},
                            {"presetClass", animation->GetPresetClass()},
                            {"nodeType", animation->GetNodeType()},
                            {"targetMode", animation->GetTargetMode()},
                            {"repeatCount", Time(animation->GetRepeatCount())},
                            {"initiallyHidden", animation->IsInitiallyHidden() != 0}});
    }
    shapes.push_back({{"id", Utf8(id)},
                      {"start", Time(manager->GetShapeStartTime(id))},
                      {"end", Time(manager->GetShapeEndTime(id))},
                      {"animations", animations}});
  }
  report["shapes"] = shapes;
  return report;
}

}  // namespace

ordered_json InspectDeck(const pptx::Deck& deck, const InspectOptions& options) {
  ordered_json slides = ordered_json::array();
  for (const auto& slide : deck.slides) {
    if (options.deck.slide != 0 && slide->number != options.deck.slide) continue;
    slides.push_back(InspectSlide(slide, options));
  }
  ordered_json report;
  report["slides"] = slides;
  return report;
}

void PrintReport(const ordered_json& report, const pptx::Deck& deck, std::ostream& out) {
  out << deck.fileName << ": " << deck.slides.size() << " slide"
      << (deck.slides.size() == 1 ? "" : "s") << ", " << deck.width << " x " << deck.height << "\n";
  for (const ordered_json& slide : report["slides"]) {
    out << "\nslide " << slide["index"].get<int>() << ": length " << TimeText(slide["length"])
        << " ms, after triggers " << TimeText(slide["lengthAfterTriggers"]) << " ms, "
        << (slide["hasAnimations"].get<bool>() ? "animated" : "no animations") << "\n";
    if (!slide["steps"].empty()) out << "  steps:\n";
    size_t index = 0;
    for (const ordered_json& step : slide["steps"]) {
      out << "    " << index++ << ": " << TimeText(step["start"]) << " .. " << TimeText(step["end"])
          << "  " << NodeTypeName(step["kind"].get<int>())
          << (step["kept"].get<bool>() ? "" : "  (dropped)");
      if (step["trigger"] != "-1") out << "  trigger " << step["trigger"].get<std::string>();
      if (step["bookmark"] != "-1")
        out << "  bookmark \"" << step["bookmark"].get<std::string>() << "\"";
      out << "  shapes";
      for (const ordered_json& name : step["shapes"]) out << " " << name.get<std::string>();
      out << "\n";
    }
    if (!slide["bookmarkTriggers"].empty()) out << "  bookmark triggers:\n";
    for (const ordered_json& trigger : slide["bookmarkTriggers"])
      out << "    \"" << trigger["name"].get<std::string>() << "\" at "
          << trigger["time"].get<double>() << " ms, trigger "
          << trigger["trigger"].get<std::string>() << ", target "
          << trigger["target"].get<std::string>() << "\n";
    if (!slide["shapes"].empty()) out << "  shapes:\n";
    for (const ordered_json& shape : slide["shapes"]) {
      out << "    " << shape["id"].get<std::string>() << ": start " << TimeText(shape["start"])
          << ", end " << TimeText(shape["end"]) << "\n";
      for (const ordered_json& a : shape["animations"])
        out << "      " << a["effectId"].get<std::string>() << "  start " << TimeText(a["start"])
            << "  duration " << TimeText(a["duration"]) << "  "
            << ClassName(a["presetClass"].get<int>()) << ", "
            << NodeTypeName(a["nodeType"].get<int>()) << ", "
            << TargetModeName(a["targetMode"].get<int>()) << ", repeat "
            << TimeText(a["repeatCount"])
            << (a["initiallyHidden"].get<bool>() ? ", hidden at start" : "") << "\n";
    }
  }
}

int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err) {
  pptx::Deck deck;
  std::vector<boost::shared_ptr<platform::Slide>> slides;
  if (int status = OpenDeck(options.deck, deck, slides, err)) return status;
  ordered_json report = InspectDeck(deck, options);
  if (options.json)
    out << report.dump(2) << "\n";
  else
    PrintReport(report, deck, out);
  return kExitOk;
}

}  // namespace cli
