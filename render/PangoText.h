// Fonts and text measurement with pango, shared by the measurer that lays
// text out and the renderer that draws it, so that both agree on sizes.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include <pango/pangocairo.h>

#include "publisher/TextLayout.h"

namespace render {

// cairo's glyph caches are shared by every thread that uses the same font and
// break when two threads use them at once (a rare crash while shaping or
// drawing letters). Every measurement and every drawing of text holds this
// lock while it shapes, measures or draws.
std::recursive_mutex& TextLock();

// A pango context for drawing text on `cr`, from the one font map that all
// drawing shares: a thread's default map would be freed, with its fonts, when
// the thread ends, while other threads draw. Call it and free the context
// (g_object_unref) under TextLock().
PangoContext* NewDrawingContext(cairo_t* cr);

// Font options for every text operation: no hinting of metrics, so that
// advances do not depend on the scale the text is drawn at.
void ApplyTextOptions(cairo_t* cr);

// A new font description (free with pango_font_description_free) for the
// properties; the size is in slide units.
PangoFontDescription* NewFontDescription(const platform::CharProps& props);

// Sets `layout` to `text` in `props` (font, size, underline, raised or
// lowered baseline).
void SetLayoutText(PangoLayout* layout, const std::wstring& text, const platform::CharProps& props);

// Measures with pango, set up on the first measurement (a command that
// measures nothing never starts pango and fontconfig). Measurements are
// cached by text and the character properties that change them, and may come
// from several threads (the measurer has its own font map, used under
// TextLock()).
class PangoMeasurer : public platform::ITextMeasurer {
 public:
  PangoMeasurer();
  ~PangoMeasurer() override;
  PangoMeasurer(const PangoMeasurer&) = delete;
  PangoMeasurer& operator=(const PangoMeasurer&) = delete;

  void Advances(const std::wstring& text, const platform::CharProps& props,
                std::vector<double>& advances) override;
  platform::FontMetrics Metrics(const platform::CharProps& props) override;
  platform::FontMetrics FontExtents(const platform::CharProps& props) override;
  bool InkExtents(const std::wstring& text, const platform::CharProps& props, double& above,
                  double& below) override;

 private:
  // Font, size, bold, italic, underline, baseline, letter spacing: what the
  // advances depend on.
  using FontKey = std::tuple<std::string, double, bool, bool, int, int, double>;
  static FontKey KeyOf(const platform::CharProps& props);
  void SetUp();

  PangoContext* context_ = nullptr;
  PangoLayout* layout_ = nullptr;
  std::map<std::pair<FontKey, std::wstring>, std::vector<double>> advances_;
  std::map<FontKey, platform::FontMetrics> extents_;
  size_t cachedLetters_ = 0;
};

}  // namespace render
