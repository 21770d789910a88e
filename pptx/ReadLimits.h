// The bounds of one read, so that a crafted archive cannot exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pptx {

struct ReadLimits {
  size_t maxEntries = 20000;               // entries in the archive
  uint64_t maxPartBytes = 256ull << 20;    // one part, uncompressed
  uint64_t maxXmlBytes = 64ull << 20;      // one XML part, uncompressed
  uint64_t maxTotalBytes = 1024ull << 20;  // all parts read, uncompressed
  size_t maxSlides = 5000;
  size_t maxShapesPerSlide = 20000;      // shapes of one slide, group members included
  size_t maxEffectsPerSlide = 20000;     // effects of one slide, all sequences
  size_t maxBehavioursPerEffect = 1000;  // main behaviours and sub-animations of an effect
  size_t maxBehavioursPerSlide = 100000;
  size_t maxListEntries = 10000;  // time-value points, bookmarks, paragraphs of a body
  size_t maxDepth = 32;           // group nesting and timing-tree nesting
  size_t maxPathText = 65536;     // characters of one motion path text
};

}  // namespace pptx
