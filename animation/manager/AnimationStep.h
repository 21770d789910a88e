// Records the manager hands back after a slide build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One click, with-previous or after-previous step of the slide's timeline.
struct AnimationStep {
  uint32_t startTime = 0;          // ms from slide start
  uint32_t endTime = 0xFFFFFFFFu;  // start of the next click step; all bits set while open
  bool kept = true;                // false when the step's first effect was dropped
  std::wstring triggerObjectId = L"-1";
  int32_t sequenceKind = 0;  // 0 on click, 1 with previous, 2 after previous
  std::wstring triggerBookmark = L"-1";
  std::vector<std::wstring> shapeNames;  // what the step animates, each once
};

// A media bookmark that a trigger can wait for.
struct BookmarkTrigger {
  std::wstring bookmarkName;
  double time = 0.0;  // ms into the media, never negative
  std::wstring triggerObjectId;
  std::wstring targetId = L"-1";
};
