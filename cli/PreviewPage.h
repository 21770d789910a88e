// The HTML page of `slideanim preview`: a self-contained image-sequence
// player (no network, no libraries) around the description of the slides.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace cli {

// `deck` is {"title", "fps", "slides": [{"number", "hidden", "width",
// "height", "length", "frames": [file, ...], "steps": [{"start", "kind",
// "click", "trigger", "triggerName", "bookmark", "box"}]}]}; frame i of a slide
// shows the time i * 1000 / fps ms (rounded down). Steps with "click" wait
// for a click; "box" is the trigger shape's left, top, width and height in
// percent of the slide.
std::string PreviewPage(const nlohmann::ordered_json& deck);

}  // namespace cli
