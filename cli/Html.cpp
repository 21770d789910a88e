#include "cli/Html.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <system_error>

#include <boost/make_shared.hpp>
#include <nlohmann/json.hpp>

#include "cli/HtmlLayers.h"
#include "cli/Preview.h"
#include "cli/SlidePlayer.h"
#include "common/Utf8.h"
#include "host/Properties.h"
#include "host/PropertyIds.h"
#include "pptx/Package.h"
#include "publisher/ColorMath.h"
#include "render/PangoText.h"

namespace cli {
namespace {

using nlohmann::ordered_json;

bool WriteFile(const std::string& path, const std::string& bytes, std::ostream& err) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
  file.close();
  if (file) return true;
  err << "error: " << path << ": cannot write the file\n";
  return false;
}

std::string FileName(const std::string& part) {
  return std::filesystem::path(part).filename().string();
}

// One screen animation of a slide: its record id, the objects it animates
// and the document effect it comes from.
struct Animation {
  std::string id;
  uint32_t start = 0;  // where the build placed it on the slide's timeline
  std::vector<std::string> targets;
  bool reveals = false;  // an entrance, or an effect that starts hidden
  boost::shared_ptr<platform::Effect> effect;
};

std::vector<Animation> AnimationsOf(SlidePlayer& player, platform::Slide& slide) {
  std::vector<Animation> list;
  std::vector<boost::shared_ptr<platform::Effect>> effects;
  if (const auto& all = slide.Effects()) effects = all->Effects();
  for (const auto& shape : player.Screen().Shapes()) {
    const std::wstring& id = shape->Name();
    // The manager keeps a shape's animations in the order of its effects.
    std::vector<boost::shared_ptr<platform::Effect>> own;
    for (const auto& effect : effects)
      if (effect->TargetId() == id) own.push_back(effect);
    const uint32_t count = player.Manager().GetShapeAnimationCount(id);
    for (uint32_t i = 0; i < count; ++i) {
      boost::shared_ptr<IScreenAnimation> animation;
      player.Manager().GetShapeAnimation(animation, id, i);
      if (!animation) continue;
      Animation entry;
      std::wstring effectId;
      animation->GetEffectId(effectId);
      entry.id = Utf8(effectId);
      entry.reveals = animation->GetPresetClass() == 0 || animation->IsInitiallyHidden() != 0;
      entry.start = animation->GetStartTime();
      std::map<std::wstring, uint32_t> names;
      animation->CollectTargetNames(names);
      for (const auto& name : names) entry.targets.push_back(Utf8(name.first));
      if (own.size() == count) entry.effect = own[i];
      list.push_back(entry);
    }
  }
  return list;
}

// The behaviours of an effect that play a sound file of the package.
std::vector<const platform::BehaviourNode*> SoundBehaviours(platform::Effect& e) {
  std::vector<const platform::BehaviourNode*> sounds;
  auto take = [&](const boost::shared_ptr<IBehaviourNode>& node) {
    auto* behaviour = dynamic_cast<platform::BehaviourNode*>(node.get());
    if (behaviour && !behaviour->sound.partName.empty()) sounds.push_back(behaviour);
  };
  for (uint32_t i = 0; i < e.GetMainBehaviourCount(); ++i) take(e.GetMainBehaviour(i));
  for (uint32_t i = 0; i < e.GetSubAnimationCount(); ++i) take(e.GetSubAnimation(i));
  return sounds;
}

std::string PageText(const ordered_json& description, const std::string& title, int width) {
  std::string json = description.dump();
  // Inside a script element "</" would end it early; "<\/" reads the same.
  for (size_t at = json.find("</"); at != std::string::npos; at = json.find("</", at + 3))
    json.replace(at, 2, "<\\/");
  std::string escaped;
  for (char c : title) {
    if (c == '<')
      escaped += "&lt;";
    else if (c == '&')
      escaped += "&amp;";
    else
      escaped += c;
  }
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         escaped +
         "</title>\n<link rel=\"stylesheet\" href=\"player.css\">\n</head>\n<body>\n"
         "<div id=\"stage\"><canvas id=\"slide\"></canvas></div>\n"
         "<div id=\"controls\"><button id=\"prev\" title=\"Previous slide (Left)\">&#9664;"
         "</button><button id=\"next\" title=\"Next click (Space)\">&#9654;</button>"
         "<span id=\"where\"></span></div>\n"
         "<!-- A copy of web.json: pages opened from the file system may not read the files "
         "beside them. -->\n<script type=\"application/json\" id=\"description\">" +
         json + "</script>\n<script src=\"deck.js\"></script>\n<script>slideanimDeck.pageWidth = " +
         std::to_string(width) +
         ";</script>\n<script src=\"values.js\"></script>\n<script "
         "src=\"masks.js\"></script>\n<script "
         "src=\"player.js\"></script>\n</body>\n</html>\n";
}

}  // namespace

int RunHtml(const HtmlOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.deck.deck;
  pptx::Deck deck;
  std::vector<boost::shared_ptr<platform::Slide>> slides;
  if (int status = OpenDeck(options.deck, deck, slides, err)) return status;

  // Build the slides as `slideanim json` does; the last manager's text is the
  // description of them all.
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::vector<std::unique_ptr<SlidePlayer>> players;
  std::wstring text;
  for (const auto& slide : slides) {
    players.push_back(std::make_unique<SlidePlayer>(slide, options.deck.fps,
                                                    options.deck.defaultEffectFrames, measurer));
    players.back()->Prepare();
    text = players.back()->Manager().GetJsonContent();
  }
  if (text.empty()) {
    auto context = boost::make_shared<PublishContext>(deck.height, deck.width, options.deck.fps,
                                                      options.deck.defaultEffectFrames);
    text = IAnimationManager::Create(context)->GetJsonContent();
  }
  ordered_json description = ordered_json::object();
  try {
    if (!text.empty()) description = ordered_json::parse(Utf8(text));
  } catch (const nlohmann::json::exception& error) {
    err << "error: " << path << ": the web description is not JSON (" << error.what() << ")\n";
    return kExitFailed;
  }

  const std::string layerFolder = JoinPath(options.output, "layers");
  const std::string mediaFolder = JoinPath(options.output, "media");
  if (!MakeFolder(layerFolder, err)) return kExitFailed;
  // Layers of an earlier run into the same folder would be left unreferenced.
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator(layerFolder, error))
    if (file.path().extension() == ".svg") std::filesystem::remove(file.path(), error);

  // Where each effect record sits on the main timeline.
  std::map<std::string, uint32_t> mainStart;
  std::map<std::string, const ordered_json*> records;
  if (description.contains("effects"))
    for (const auto& effect : description["effects"]) records[effect.value("id", "")] = &effect;
  if (description.contains("timelines"))
    for (const auto& timeline : description["timelines"]) {
      if (!timeline.value("trigger", std::string()).empty() || !timeline.contains("clicks"))
        continue;
      for (const auto& click : timeline["clicks"])
        for (const auto& id : click.value("animations", ordered_json::array()))
          mainStart[id.get<std::string>()] = click.value("start", 0u);
    }

  std::unique_ptr<pptx::Package> package;
  std::map<std::string, std::string> soundFiles;  // package part -> file in DIR
  ordered_json soundsByName = ordered_json::object();
  auto soundFile = [&](const std::string& part) -> std::string {
    auto found = soundFiles.find(part);
    if (found != soundFiles.end()) return found->second;
    std::string file;
    try {
      pptx::Diagnostics quiet;
      if (!package) package = std::make_unique<pptx::Package>(path, quiet, pptx::ReadLimits());
      const std::string bytes = package->Read(part);
      if (!MakeFolder(mediaFolder, err)) return std::string();
      if (WriteFile(JoinPath(mediaFolder, FileName(part)), bytes, err))
        file = "media/" + FileName(part);
    } catch (const std::exception& error) {
      err << "warning: " << path << ": sound " << part << " left out (" << error.what() << ")\n";
    }
    soundFiles[part] = file;
    return file;
  };

  ordered_json slideList = ordered_json::array();
  size_t layerCount = 0;
  for (size_t index = 0; index < players.size(); ++index) {
    SlidePlayer* player = players[index].get();
    platform::Slide& slide = *slides[index];
    const std::vector<Animation> animations = AnimationsOf(*player, slide);
    std::vector<std::string> targets;
    for (const Animation& a : animations)
      if (records.count(a.id)) targets.insert(targets.end(), a.targets.begin(), a.targets.end());
    LayerPlan plan(slides[index], measurer, targets);
    std::string background;
    const std::string prefix = "s" + std::to_string(slide.number);
    if (!plan.Draw(layerFolder, "layers", prefix, background, err)) return kExitFailed;
    layerCount += plan.Layers().size() + plan.Overlays().size() + 1;

    // What entrances reveal starts hidden, unless an earlier effect of its
    // shape animates it as it stands.
    std::set<std::string> hidden, shown;
    for (const Animation& a : animations)
      for (const std::string& name : a.targets) {
        if (!a.reveals)
          shown.insert(name);
        else if (!shown.count(name))
          hidden.insert(name);
      }
    ordered_json layers = ordered_json::array();
    for (const Layer& layer : plan.Layers()) {
      ordered_json entry;
      entry["name"] = layer.name;
      entry["parent"] = layer.parent;
      entry["box"] = {layer.bounds[0], layer.bounds[1], layer.bounds[2], layer.bounds[3]};
      entry["ink"] = {layer.ink[0], layer.ink[1], layer.ink[2], layer.ink[3]};
      entry["file"] = layer.file;
      entry["hidden"] = hidden.count(layer.name) > 0;
      if (layer.blank) entry["blank"] = true;
      layers.push_back(entry);
    }
    ordered_json effects = ordered_json::object();
    bool offsetKnown = false;
    uint32_t firstEntry = 0;
    for (const Animation& a : animations) {
      auto record = records.find(a.id);
      if (record == records.end()) continue;
      const ordered_json& properties = (*record->second)["properties"];
      ordered_json entry;
      std::vector<int> parts;
      for (const std::string& name : a.targets) {
        const int layer = plan.LayerOf(name);
        if (layer >= 0 && std::find(parts.begin(), parts.end(), layer) == parts.end())
          parts.push_back(layer);
      }
      std::sort(parts.begin(), parts.end());
      entry["layers"] = parts;
      if (a.start != 0xFFFFFFFFu) entry["start"] = a.start;
      int iterate = 0;
      uint32_t interval = 0;
      if (a.effect) {
        const auto& sheet = a.effect;
        iterate = GetInt(sheet, ePropIterateType);
        if (iterate != 1 && iterate != 2) iterate = 0;
        const uint32_t length = properties.value("duration", 0u);
        if (Has(sheet, ePropIterateTime))
          interval = static_cast<uint32_t>(std::max(0, GetInt(sheet, ePropIterateTime)));
        else
          interval = static_cast<uint32_t>(std::max(
              0.0, static_cast<double>(GetInt(sheet, ePropIteratePercent)) / 100.0 * length));
        for (const platform::BehaviourNode* sound : SoundBehaviours(*a.effect)) {
          const std::string file = soundFile(sound->sound.partName);
          if (file.empty()) continue;
          entry["sound"] = file;
          break;
        }
      }
      entry["iterate"] = iterate;
      entry["interval"] = iterate ? interval : 0;
      auto main = mainStart.find(a.id);
      if (main != mainStart.end() && (!offsetKnown || main->second < firstEntry)) {
        firstEntry = main->second;
        offsetKnown = true;
      }
      effects[a.id] = entry;
    }
    // Names of sounds, for records that carry them.
    if (const auto& list = slide.Effects())
      for (const auto& effect : list->Effects())
        for (const platform::BehaviourNode* sound : SoundBehaviours(*effect)) {
          const std::string file = soundFile(sound->sound.partName);
          if (!file.empty() && !sound->sound.name.empty())
            soundsByName[Utf8(sound->sound.name)] = file;
        }
    // The description's timelines run on through the deck: the slide's first
    // click step tells where the slide starts on the main one. Trigger
    // sequences keep the times the build gave their click steps.
    const std::vector<AnimationStep>& steps = player->Steps();
    const std::vector<bool> clicks = ClickSteps(steps);
    uint32_t offset = 0;
    ordered_json triggers = ordered_json::object();
    bool firstClick = true;
    for (size_t i = 0; i < steps.size(); ++i) {
      const AnimationStep& step = steps[i];
      if (!clicks[i] || step.triggerBookmark != L"-1") continue;
      if (step.triggerObjectId == L"-1") {
        if (firstClick && offsetKnown && firstEntry >= step.startTime)
          offset = firstEntry - step.startTime;
        firstClick = false;
        continue;
      }
      const std::string id = Utf8(step.triggerObjectId);
      if (!triggers.contains(id)) {
        triggers[id]["box"] = nullptr;
        triggers[id]["steps"] = ordered_json::array();
        if (const auto node = player->Screen().FindShape(step.triggerObjectId)) {
          const double* b = node->Bounds();
          triggers[id]["box"] = {b[0], b[1], b[2], b[3]};
        }
      }
      triggers[id]["steps"].push_back(step.startTime);
    }
    // The sounds of sound shapes, for a player that plays media.
    ordered_json media = ordered_json::object();
    for (const auto& shape : slide.AllShapes()) {
      if (shape->Media() != platform::MediaKind::Audio || shape->mediaInfo.partName.empty())
        continue;
      const std::string file = soundFile(shape->mediaInfo.partName);
      if (!file.empty()) media[Utf8(shape->Id())] = file;
    }
    ordered_json entry;
    entry["number"] = slide.number;
    entry["hidden"] = slide.hidden;
    // As the layers are drawn: a slide without an extent takes 1280 x 720.
    const bool sized = slide.width > 0 && slide.height > 0;
    entry["width"] = sized ? slide.width : 1280.0;
    entry["height"] = sized ? slide.height : 720.0;
    entry["length"] = player->Length();
    entry["offset"] = offset;
    // A slide whose main sequence starts without a click plays its first entry as it opens.
    auto first = std::find_if(steps.begin(), steps.end(), [](const AnimationStep& step) {
      return step.triggerObjectId == L"-1" && step.triggerBookmark == L"-1";
    });
    entry["opens"] = first != steps.end() && first->sequenceKind != 0;
    entry["background"] = background;
    entry["layers"] = layers;
    ordered_json overlays = ordered_json::array();
    for (const Overlay& overlay : plan.Overlays())
      overlays.push_back({{"after", overlay.after},
                          {"ink", {overlay.ink[0], overlay.ink[1], overlay.ink[2], overlay.ink[3]}},
                          {"file", overlay.file}});
    entry["overlays"] = overlays;
    entry["effects"] = effects;
    entry["triggers"] = triggers;
    entry["media"] = media;
    slideList.push_back(entry);
  }

  ordered_json side;
  side["title"] = std::filesystem::path(path).filename().string();
  side["fps"] = options.deck.fps;
  side["slides"] = slideList;
  side["sounds"] = soundsByName;
  const std::string descriptionText = description.dump(2) + "\n";
  if (!WriteFile(JoinPath(options.output, "web.json"), descriptionText, err) ||
      !WriteFile(JoinPath(options.output, "deck.js"),
                 "// What the player needs beyond web.json; written by slideanim html.\n"
                 "var slideanimDeck = " +
                     side.dump(1) + ";\n",
                 err) ||
      !WriteFile(JoinPath(options.output, "player.js"), kPlayerJs, err) ||
      !WriteFile(JoinPath(options.output, "values.js"), kPlayerValues, err) ||
      !WriteFile(JoinPath(options.output, "masks.js"), kPlayerMasks, err) ||
      !WriteFile(JoinPath(options.output, "player.css"), kPlayerCss, err) ||
      !WriteFile(JoinPath(options.output, "index.html"),
                 PageText(description, side["title"].get<std::string>(), options.width), err))
    return kExitFailed;
  size_t sounds = 0;
  for (const auto& file : soundFiles) sounds += file.second.empty() ? 0 : 1;
  out << "wrote " << JoinPath(options.output, "index.html") << ": " << slideList.size() << " slide"
      << (slideList.size() == 1 ? "" : "s") << ", " << layerCount << " layer"
      << (layerCount == 1 ? "" : "s") << ", " << sounds << " sound file" << (sounds == 1 ? "" : "s")
      << "\n";
  return kExitOk;
}

}  // namespace cli
