#include "fuzz/ChainInput.h"

#include <algorithm>
#include <string>

#include <boost/make_shared.hpp>

#include "cli/Common.h"
#include "cli/SlidePlayer.h"
#include "pptx/DeckReader.h"
#include "pptx/DeckWriter.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"

namespace fuzz {
namespace {

std::string PackageOf(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const size_t split = text.find('\0');
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = text.substr(0, split);
  if (split != std::string::npos) slide.timing = text.substr(split + 1);
  return writer.Bytes();
}

}  // namespace

int RunChain(const uint8_t* data, size_t size) {
  if (size == 0) return -1;
  const bool slideXml = (data[0] & 1) != 0;
  std::string bytes = slideXml ? PackageOf(data + 1, size - 1)
                               : std::string(reinterpret_cast<const char*>(data + 1), size - 1);

  static const auto measurer = boost::make_shared<render::PangoMeasurer>();
  pptx::Diagnostics diagnostics;
  pptx::Deck deck;
  try {
    deck = pptx::ReadDeckFromMemory("fuzz.pptx", std::move(bytes), diagnostics);
  } catch (const pptx::ReadError&) {
    return -1;
  }
  render::FrameRenderer renderer(measurer);
  for (const auto& slide : deck.slides) {
    cli::SlidePlayer player(slide, 30, 0, measurer);
    player.Prepare();
    const uint32_t length = player.Length();
    const int height = std::min(cli::HeightFor(*slide, 64), 4096);
    for (uint32_t t : {0u, length / 2, length}) {
      player.Seek(t);
      renderer.Render(player.Screen(), 64, height);
    }
  }
  return static_cast<int>(deck.slides.size());
}

}  // namespace fuzz
