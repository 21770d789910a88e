#include "cli/PreviewPage.h"

namespace cli {
namespace {

const char* const kHead = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="generator" content="slideanim preview">
<title>slideanim preview</title>
<style>
  body { margin: 0; background: #1e1e1e; color: #e8e8e8; font: 14px/1.4 system-ui, sans-serif; }
  main { max-width: 1280px; margin: 0 auto; padding: 12px 16px; }
  h1 { font-size: 16px; font-weight: 600; margin: 0 0 10px; }
  #stage { position: relative; background: #000; cursor: pointer; user-select: none; }
  #stage img { display: block; width: 100%; height: auto; }
  #hotspot { position: absolute; display: none; box-sizing: border-box;
             border: 2px dashed #ffd54f; background: rgba(255, 213, 79, 0.12); }
  #controls { display: flex; flex-wrap: wrap; gap: 8px; align-items: center; margin-top: 10px; }
  #controls button { font: inherit; padding: 4px 12px; min-width: 6em; }
  #time { flex: 1; min-width: 160px; }
  #clock { font-variant-numeric: tabular-nums; min-width: 10em; text-align: right; }
  #status { margin-top: 6px; color: #b8b8b8; }
  #help { margin-top: 14px; color: #8a8a8a; font-size: 12px; }
</style>
</head>
<body>
<main>
<h1 id="title"></h1>
<div id="stage"><img id="frame" alt="frame of the slide"><div id="hotspot"></div></div>
<div id="controls">
  <button id="prevSlide" type="button" title="Previous slide (Page Up)">&#9664; Slide</button>
  <button id="play" type="button" title="Play or pause (P)">Play</button>
  <button id="nextClick" type="button" title="Next click (Space, Right arrow, or a click on the slide)">Next click</button>
  <button id="nextSlide" type="button" title="Next slide (Page Down)">Slide &#9654;</button>
  <input id="time" type="range" min="0" max="0" step="1" value="0" aria-label="time on the slide">
  <span id="clock"></span>
</div>
<div id="status"></div>
<p id="help">Click steps wait for a click, as in a presentation: click the slide, press Space or
use Next click. A step started by a click on a shape outlines that shape. Play resumes (and
counts as the click when a step is waiting); the slider moves through the slide's timeline.</p>
</main>
<script>
var SLIDEANIM_PREVIEW = )html";

const char* const kPlayer = R"html(;
</script>
<script>
(function () {
  "use strict";
  var deck = SLIDEANIM_PREVIEW;
  var fps = deck.fps;
  var img = document.getElementById("frame");
  var stage = document.getElementById("stage");
  var hotspot = document.getElementById("hotspot");
  var playButton = document.getElementById("play");
  var slider = document.getElementById("time");
  var clock = document.getElementById("clock");
  var status = document.getElementById("status");
  document.getElementById("title").textContent = deck.title;
  document.title = deck.title + " \u2013 slideanim preview";

  var index = 0;      // the slide shown
  var slide = null;
  var gates = [];     // the steps that wait for a click, in time order
  var passed = 0;     // how many of them have been clicked through
  var t = 0;          // ms on the slide's timeline
  var playing = false;
  var last = null;    // the time of the previous animation frame
  var preload = [];

  function frameAt(time) {
    var i = Math.ceil((Math.floor(time) + 1) * fps / 1000) - 1;
    return Math.max(0, Math.min(slide.frames.length - 1, i));
  }
  function waiting() { return passed < gates.length && t >= gates[passed].start; }
  function seconds(ms) { return (ms / 1000).toFixed(2) + " s"; }

  function show() {
    var src = slide.frames[frameAt(t)];
    if (img.getAttribute("src") !== src) img.setAttribute("src", src);
    slider.value = String(Math.floor(t));
    clock.textContent = seconds(t) + " / " + seconds(slide.length);
    playButton.textContent = playing ? "Pause" : "Play";
    var gate = waiting() ? gates[passed] : null;
    var text = "Slide " + slide.number + " of " + deck.slides.length + (slide.hidden ? " (hidden)" : "");
    if (gate && gate.trigger) text += " \u2013 waiting for a click on " + (gate.triggerName || "shape " + gate.trigger);
    else if (gate) text += " \u2013 waiting for a click";
    else if (!playing && t >= slide.length)
      text += index + 1 < deck.slides.length ? " \u2013 end of the slide; the next click shows the next one" : " \u2013 end of the deck";
    else if (!playing) text += " \u2013 paused";
    status.textContent = text;
    if (gate && gate.box) {
      hotspot.style.left = gate.box[0] + "%";
      hotspot.style.top = gate.box[1] + "%";
      hotspot.style.width = gate.box[2] + "%";
      hotspot.style.height = gate.box[3] + "%";
      hotspot.title = gate.triggerName || "shape " + gate.trigger;
      hotspot.style.display = "block";
    } else {
      hotspot.style.display = "none";
    }
  }

  function load(k, atEnd) {
    index = k;
    slide = deck.slides[k];
    gates = slide.steps.filter(function (step) { return step.click; });
    slider.max = String(slide.length);
    var seen = {};
    preload = [];
    slide.frames.forEach(function (src) {
      if (seen[src]) return;
      seen[src] = true;
      var image = new Image();
      image.src = src;
      preload.push(image);
    });
    t = atEnd ? slide.length : 0;
    passed = atEnd ? gates.length : 0;
    playing = !atEnd;
    last = null;
    show();
  }

  function nextClick() {
    if (waiting()) {
      passed++;
      playing = true;
    } else if (passed < gates.length) {
      // A click while animations run ends them and starts the next click's.
      t = gates[passed].start;
      passed++;
      playing = true;
    } else if (t < slide.length) {
      t = slide.length;
      playing = false;
    } else if (index + 1 < deck.slides.length) {
      load(index + 1, false);
      return;
    }
    last = null;
    show();
  }

  function togglePlay() {
    if (playing) {
      playing = false;
    } else if (waiting()) {
      passed++;
      playing = true;
    } else if (t >= slide.length) {
      t = 0;
      passed = 0;
      playing = true;
    } else {
      playing = true;
    }
    last = null;
    show();
  }

  function tick(now) {
    if (playing && waiting()) {
      playing = false;
      show();
    }
    if (playing) {
      if (last !== null) {
        var target = t + (now - last);
        if (passed < gates.length && target >= gates[passed].start) {
          t = gates[passed].start;
          playing = false;
        } else if (target >= slide.length) {
          t = slide.length;
          playing = false;
        } else {
          t = target;
        }
        show();
      }
      last = now;
    } else {
      last = null;
    }
    window.requestAnimationFrame(tick);
  }

  slider.addEventListener("input", function () {
    t = Number(slider.value);
    playing = false;
    passed = 0;
    while (passed < gates.length && gates[passed].start < t) passed++;
    show();
  });
  stage.addEventListener("click", nextClick);
  playButton.addEventListener("click", togglePlay);
  document.getElementById("nextClick").addEventListener("click", nextClick);
  document.getElementById("nextSlide").addEventListener("click", function () {
    if (index + 1 < deck.slides.length) load(index + 1, false);
  });
  document.getElementById("prevSlide").addEventListener("click", function () {
    if (index > 0) load(index - 1, true);
  });
  document.addEventListener("keydown", function (event) {
    var tag = event.target && event.target.tagName;
    if (tag === "INPUT") return;  // the slider's own keys
    if (tag === "BUTTON" && (event.key === " " || event.key === "Enter")) return;
    switch (event.key) {
      case " ": case "Enter": case "ArrowRight": nextClick(); break;
      case "PageDown": case "ArrowDown": if (index + 1 < deck.slides.length) load(index + 1, false); break;
      case "PageUp": case "ArrowUp": case "ArrowLeft": if (index > 0) load(index - 1, true); break;
      case "p": case "P": togglePlay(); break;
      default: return;
    }
    event.preventDefault();
  });

  if (deck.slides.length === 0) {
    status.textContent = "The deck has no slides.";
    return;
  }
  load(0, false);
  window.requestAnimationFrame(tick);
})();
</script>
</body>
</html>
)html";

}  // namespace

std::string PreviewPage(const nlohmann::ordered_json& deck) {
  // The description goes into a script element: "<" only occurs inside its
  // strings, where \u003c stands for it, so no text can end the element.
  std::string data = deck.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  std::string escaped;
  escaped.reserve(data.size());
  for (char c : data) {
    if (c == '<')
      escaped += "\\u003c";
    else
      escaped += c;
  }
  return std::string(kHead) + escaped + kPlayer;
}

}  // namespace cli
