// The slideanim command.
#include <iostream>

#include <CLI/CLI.hpp>

#include "Inspect.h"

int main(int argc, char** argv) {
  CLI::App app{"slideanim: animations of .pptx slides, compiled and inspected"};
  app.require_subcommand(1);

  cli::InspectOptions inspect;
  CLI::App* inspectCommand = app.add_subcommand(
      "inspect",
      "Read a deck, build each slide's animations and print both slide lengths, the steps, the "
      "bookmark triggers and each shape's animations");
  inspectCommand->add_option("deck", inspect.deck, "The .pptx file to read")
      ->required()
      ->check(CLI::ExistingFile);
  inspectCommand
      ->add_option("--slide", inspect.slide,
                   "Only this slide, counted from 1 (default: every slide)")
      ->check(CLI::PositiveNumber);
  inspectCommand
      ->add_option("--fps", inspect.fps,
                   "Frames per second of the output; steps start on frame boundaries (default 30)")
      ->check(CLI::Range(1, 1000));
  inspectCommand
      ->add_option("--default-effect-frames", inspect.defaultEffectFrames,
                   "Length in frames given to effects shorter than it or without a length, and "
                   "the start of the first step (default 0)")
      ->check(CLI::Range(0, 100000));
  inspectCommand->add_flag("--json", inspect.json,
                           "Print one JSON document instead of text; times that are not set print "
                           "as -1");

  CLI11_PARSE(app, argc, argv);
  if (inspectCommand->parsed()) return cli::RunInspect(inspect, std::cout, std::cerr);
  return 0;
}
