// Helpers of the reader tests: each test gets its own small decks, written
// at run time under the test temp folder with a feature name, then read.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include <boost/pointer_cast.hpp>

#include "common/Utf8.h"
#include "document/Effect.h"
#include "document/Slide.h"
#include "host/Properties.h"
#include "pptx/DeckReader.h"
#include "pptx/DeckWriter.h"
#include "support/Scratch.h"
#include "support/Values.h"

namespace testdeck {

namespace x = pptx::xml;

// This process's folder of generated decks, removed when the tests end.
inline scratch::Folder* const kDecks = scratch::Folder::Register("decks");

inline std::string DeckPath(const std::string& feature) {
  return kDecks->In(feature + ".pptx");
}

// Writes `writer` as <feature>.pptx and reads it back.
inline pptx::Deck Read(const std::string& feature, const pptx::DeckWriter& writer,
                       pptx::Diagnostics& diagnostics) {
  std::string path = DeckPath(feature);
  EXPECT_TRUE(writer.Save(path)) << path;
  return pptx::ReadDeck(path, diagnostics);
}

// A one-slide deck with these shapes and timing, read back.
inline boost::shared_ptr<platform::Slide> ReadSlide(const std::string& feature,
                                                    const std::string& shapes,
                                                    const std::string& timing,
                                                    pptx::Diagnostics& diagnostics) {
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = shapes;
  slide.timing = timing;
  pptx::Deck deck = Read(feature, writer, diagnostics);
  EXPECT_EQ(deck.slides.size(), 1u);
  return deck.slides.empty() ? boost::shared_ptr<platform::Slide>() : deck.slides[0];
}

// A timing tree with one main sequence.
inline std::string MainSequence(const std::vector<x::Effect>& effects,
                                const std::string& buildList = "") {
  return x::Timing({x::Sequence{"", effects}}, buildList);
}

inline x::Effect MakeEffect(const std::string& presetClass, const std::string& nodeType,
                            const std::string& behaviours) {
  x::Effect effect;
  effect.presetClass = presetClass;
  effect.nodeType = nodeType;
  effect.behaviours = behaviours;
  return effect;
}

// A click that shows shape `spid` and fades it in over `ms`.
inline x::Effect FadeIn(int spid, uint32_t ms) {
  const std::string target = x::ShapeTarget(spid);
  return MakeEffect(
      "entr", "clickEffect",
      x::Set(target, "style.visibility", "visible") + x::Filter(target, "fade", true, ms));
}

// `writer`'s deck saved at `path`.
inline std::string Saved(const std::string& path, const pptx::DeckWriter& writer) {
  EXPECT_TRUE(writer.Save(path)) << path;
  return path;
}

inline boost::shared_ptr<platform::Effect> EffectAt(const boost::shared_ptr<platform::Slide>& slide,
                                                    size_t index) {
  if (!slide || index >= slide->Effects()->Effects().size()) return {};
  return slide->Effects()->Effects()[index];
}

inline boost::shared_ptr<platform::BehaviourNode> Main(
    const boost::shared_ptr<platform::Effect>& effect, uint32_t index) {
  if (!effect) return boost::shared_ptr<platform::BehaviourNode>();
  return boost::static_pointer_cast<platform::BehaviourNode>(effect->GetMainBehaviour(index));
}

// Key readers over any object with a sheet.
template <class T>
int Int(const boost::shared_ptr<T>& object, EPropertyId key) {
  return GetInt(boost::shared_ptr<IInterface>(object), key);
}
template <class T>
std::string Text(const boost::shared_ptr<T>& object, EPropertyId key) {
  return platform::ToUtf8(GetString(boost::shared_ptr<IInterface>(object), key));
}

// Several keys of one object's sheet as "v1 v2 ...", "-" for a key it does
// not hold, to compare values and absences in one expectation.
template <class T>
std::string Keys(const boost::shared_ptr<T>& object, std::initializer_list<EPropertyId> keys) {
  const boost::shared_ptr<IInterface> sheet(object);
  std::ostringstream out;
  out.precision(12);
  for (EPropertyId key : keys) {
    if (out.tellp() > 0) out << ' ';
    if (Has(sheet, key))
      out << GetDouble(sheet, key);
    else
      out << '-';
  }
  return out.str();
}

// Every warning kind with its count, "kind xN" in order of kind, so that one
// expectation also says that nothing else was reported.
inline std::string Warned(const pptx::Diagnostics& diagnostics) {
  std::string out;
  for (const auto& kind : diagnostics.Warnings())
    out += (out.empty() ? "" : ", ") + kind.first + " x" + std::to_string(kind.second.count);
  return out;
}

// A filled rectangle with a text of `paragraphs` lines.
inline std::string TextShape(int id, int paragraphs) {
  std::vector<x::Para> text;
  for (int i = 0; i < paragraphs; ++i) text.push_back(x::P("line " + std::to_string(i + 1)));
  return x::Shape(id, "Text " + std::to_string(id), 100, 100, 400, 200, "4472C4", "", text);
}

}  // namespace testdeck
