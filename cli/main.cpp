// The slideanim command.
#include <exception>
#include <functional>
#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/Frames.h"
#include "cli/Html.h"
#include "cli/Inspect.h"
#include "cli/Preview.h"
#include "cli/Sheet.h"
#include "cli/VideoModule.h"
#include "cli/WebJson.h"

namespace {

// The deck and the options every command takes.
void AddDeckOptions(CLI::App* command, cli::DeckOptions& options) {
  command->add_option("deck", options.deck, "The .pptx file to read")
      ->required()
      ->check(CLI::ExistingFile);
  command
      ->add_option("--slide", options.slide,
                   "Only this slide, counted from 1 (default: every slide)")
      ->check(CLI::PositiveNumber);
  command
      ->add_option("--fps", options.fps,
                   "Frames per second of the output; steps start on frame boundaries (default 30)")
      ->check(CLI::Range(1, 1000));
  command
      ->add_option("--default-effect-frames", options.defaultEffectFrames,
                   "Length in frames given to effects shorter than it or without a length, and "
                   "the start of the first step (default 0)")
      ->check(CLI::Range(0, 100000));
}

// The options of the commands that write frames.
void AddFrameOptions(CLI::App* command, uint32_t& maxFrames, unsigned& jobs) {
  command
      ->add_option("--max-frames", maxFrames,
                   "Refuse (before drawing anything) a slide that would take more frames than "
                   "this (default 10000)")
      ->check(CLI::Range(1, 10000000));
  command
      ->add_option("--jobs", jobs,
                   "Threads that draw frames and compress PNG files; the files are the same "
                   "whatever the number (default: one per processor, at most 8)")
      ->check(CLI::Range(1, 64));
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "slideanim: the animations of .pptx slides as frames, videos, contact sheets, web JSON "
      "and an HTML preview"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "slideanim " SLIDEANIM_VERSION, "Print the version and exit");
  app.footer(
      "Exit codes: 0 done; 1 the deck cannot be read or an output cannot be written; 2 a bad "
      "request (a slide past the deck's end, an empty range, an output over its limit). Run "
      "'slideanim COMMAND --help' for a command's options.");

  cli::InspectOptions inspect;
  CLI::App* inspectCommand = app.add_subcommand(
      "inspect",
      "Read a deck, build each slide's animations and print both slide lengths, the steps, the "
      "bookmark triggers and each shape's animations");
  AddDeckOptions(inspectCommand, inspect.deck);
  inspectCommand->add_flag("--json", inspect.json,
                           "Print one JSON document instead of text; times that are not set print "
                           "as -1");

  cli::FramesOptions frames;
  CLI::App* framesCommand = app.add_subcommand(
      "frames",
      "Draw each slide's timeline into numbered PNG files (slide01_f00000.png, ...): frame i "
      "shows i * 1000 / fps ms, clicks happen where the build placed their steps. Prints per "
      "slide the frames written, the slide length and the sounds that start");
  AddDeckOptions(framesCommand, frames.deck);
  framesCommand
      ->add_option("--width", frames.width,
                   "Frame width in pixels; the height keeps the slide's aspect ratio (default: "
                   "the slide's own width)")
      ->check(CLI::Range(1, 16384));
  CLI::Option* from =
      framesCommand->add_option("--from", frames.from, "First time to draw, in ms (default 0)");
  CLI::Option* to = framesCommand->add_option(
      "--to", frames.to, "Last time to draw, in ms (default: the slide's length)");
  framesCommand
      ->add_option("--at", frames.at,
                   "Draw only these times, in ms, comma-separated (instead of --from and --to)")
      ->delimiter(',')
      ->allow_extra_args(false)
      ->excludes(from)
      ->excludes(to);
  framesCommand->add_option("-o,--output", frames.output, "Folder for the PNG files")->required();
  AddFrameOptions(framesCommand, frames.maxFrames, frames.jobs);

  cli::SheetOptions sheet;
  CLI::App* sheetCommand = app.add_subcommand(
      "sheet",
      "Write a contact sheet: evenly spaced frames of each slide's timeline in a grid, each "
      "labelled with its time, slides one after another");
  AddDeckOptions(sheetCommand, sheet.deck);
  sheetCommand
      ->add_option("--count", sheet.count,
                   "Frames per slide, from the start to the end of its timeline (default 8; a "
                   "slide without animations shows one)")
      ->check(CLI::Range(1, 1000));
  sheetCommand->add_option("--columns", sheet.columns, "Frames per row (default 4)")
      ->check(CLI::Range(1, 100));
  sheetCommand->add_option("--width", sheet.width, "Width of one frame in pixels (default 320)")
      ->check(CLI::Range(16, 4096));
  sheetCommand->add_option("-o,--output", sheet.output, "The PNG file to write")->required();
  sheetCommand
      ->add_option("--jobs", sheet.jobs,
                   "Threads that draw the frames; the sheet is the same whatever the number "
                   "(default: one per processor, at most 8)")
      ->check(CLI::Range(1, 64));

  cli::JsonOptions json;
  CLI::App* jsonCommand = app.add_subcommand(
      "json",
      "Print the web description of the deck (effect records, sounds, click timelines) once "
      "every slide and every screen animation is built, pretty-printed");
  AddDeckOptions(jsonCommand, json.deck);
  jsonCommand->add_option("-o,--output", json.output,
                          "Write it to this file instead of standard output");

  cli::PreviewOptions preview;
  CLI::App* previewCommand = app.add_subcommand(
      "preview",
      "Write an HTML page (DIR/index.html, frames in DIR/frames) that plays the slides: play and "
      "pause, a time slider, next click and next/previous slide; click steps wait for a click. "
      "No network, nothing to install");
  AddDeckOptions(previewCommand, preview.deck);
  previewCommand
      ->add_option("--width", preview.width,
                   "Frame width in pixels (default: the slide's own width)")
      ->check(CLI::Range(1, 16384));
  previewCommand->add_option("-o,--output", preview.output, "Folder for the page and its frames")
      ->required();
  AddFrameOptions(previewCommand, preview.maxFrames, preview.jobs);

  cli::HtmlOptions html;
  CLI::App* htmlCommand = app.add_subcommand(
      "html",
      "Write a web page (DIR/index.html) that plays the slides from their web description "
      "(DIR/web.json) with a hand-written player over layers drawn by the renderer; clicks, "
      "Space, Right and Page Down take click steps, a trigger shape starts its sequence. "
      "index.html#slide=N&t=MS shows slide N at MS ms; &bare=1 leaves out the controls. No "
      "network, nothing to install");
  AddDeckOptions(htmlCommand, html.deck);
  htmlCommand
      ->add_option("--width", html.width,
                   "Slide width on the page in pixels (default: as wide as the window allows)")
      ->check(CLI::Range(1, 16384));
  htmlCommand->add_option("-o,--output", html.output, "Folder for the page and its files")
      ->required();

  cli::VideoOptions video;
  CLI::App* videoCommand = app.add_subcommand(
      "video",
      "Write the slides as one video file with their sounds: .mp4 (H.264 and AAC), .webm (VP9 "
      "and Opus) or .gif (no sound). Each slide plays its timeline as 'frames' draws it, then "
      "holds its end frame; hidden slides are left out unless --slide names one");
  AddDeckOptions(videoCommand, video.deck);
  videoCommand->add_option("-o,--output", video.output, "The .mp4, .webm or .gif file to write")
      ->required();
  videoCommand
      ->add_option("--width", video.width,
                   "Frame width in pixels; the height keeps the slide's aspect ratio, both made "
                   "even for .mp4 and .webm (default: the slide's own width)")
      ->check(CLI::Range(2, 16384));
  videoCommand
      ->add_option("--hold", video.hold,
                   "How long each slide's end frame stays, in ms; a slide without animations "
                   "shows this long (default 2000)")
      ->check(CLI::Range(0, 3600000));
  videoCommand
      ->add_option("--jobs", video.jobs,
                   "Threads: with 2 or more the encoder runs beside the drawing (default: one per "
                   "processor, at most 8); the file is the same whatever N is")
      ->check(CLI::Range(1, 64));
  videoCommand
      ->add_option("--quality", video.quality,
                   "0 to 100, higher is better and larger (default 75); ignored for .gif")
      ->check(CLI::Range(0, 100));
  videoCommand->add_flag("--no-audio", video.noAudio, "Write no sound track");

  CLI11_PARSE(app, argc, argv);
  frames.hasFrom = from->count() > 0;
  frames.hasTo = to->count() > 0;

  // The subcommand given, the deck it names and how it runs.
  const struct {
    CLI::App* command;
    const std::string& deck;
    std::function<int()> run;
  } commands[] = {
      {inspectCommand, inspect.deck.deck,
       [&] { return cli::RunInspect(inspect, std::cout, std::cerr); }},
      {framesCommand, frames.deck.deck,
       [&] { return cli::RunFrames(frames, std::cout, std::cerr); }},
      {sheetCommand, sheet.deck.deck, [&] { return cli::RunSheet(sheet, std::cout, std::cerr); }},
      {jsonCommand, json.deck.deck, [&] { return cli::RunJson(json, std::cout, std::cerr); }},
      {previewCommand, preview.deck.deck,
       [&] { return cli::RunPreview(preview, std::cout, std::cerr); }},
      {htmlCommand, html.deck.deck, [&] { return cli::RunHtml(html, std::cout, std::cerr); }},
      {videoCommand, video.deck.deck,
       [&] { return cli::RunVideoModule(video, std::cout, std::cerr); }},
  };
  const std::string* deck = nullptr;
  try {
    for (const auto& c : commands) {
      if (!c.command->parsed()) continue;
      deck = &c.deck;
      return c.run();
    }
  } catch (const std::exception& error) {
    std::cerr << "error: " << (deck ? *deck : std::string("slideanim")) << ": " << error.what()
              << "\n";
    return cli::kExitFailed;
  }
  return 0;
}
