#include "render/PangoText.h"

#include <algorithm>

#include "common/Utf8.h"

namespace render {

std::recursive_mutex& TextLock() {
  static std::recursive_mutex lock;
  return lock;
}

PangoContext* NewDrawingContext(cairo_t* cr) {
  // Kept for the life of the process, as a thread's default map would be.
  static PangoFontMap* const fonts = pango_cairo_font_map_new();
  PangoContext* context = pango_font_map_create_context(fonts);
  pango_cairo_update_context(cr, context);
  return context;
}

void ApplyTextOptions(cairo_t* cr) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

PangoFontDescription* NewFontDescription(const platform::CharProps& props) {
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, props.font.empty() ? "sans" : props.font.c_str());
  pango_font_description_set_weight(desc, props.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc, props.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  const double size = (props.size > 0.0 ? props.size : 1.0) * platform::kUnitsPerPoint;
  // Superscripts and subscripts are set at two thirds of the size.
  const double scale = props.baseline != 0 ? 2.0 / 3.0 : 1.0;
  pango_font_description_set_absolute_size(desc, size * scale * PANGO_SCALE);
  return desc;
}

void SetLayoutText(PangoLayout* layout, const std::wstring& text,
                   const platform::CharProps& props) {
  const std::string utf8 = platform::ToUtf8(text);
  pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
  PangoFontDescription* desc = NewFontDescription(props);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  PangoAttrList* attrs = pango_attr_list_new();
  if (props.underline != 0)
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (props.baseline != 0)
    pango_attr_list_insert(
        attrs, pango_attr_rise_new(static_cast<int>(props.baseline / 100.0 * props.size *
                                                    platform::kUnitsPerPoint * PANGO_SCALE)));
  if (props.spacing != 0.0)
    pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(static_cast<int>(
                                      props.spacing * platform::kUnitsPerPoint * PANGO_SCALE)));
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
}

PangoMeasurer::PangoMeasurer() = default;

PangoMeasurer::~PangoMeasurer() {
  std::lock_guard<std::recursive_mutex> lock(TextLock());
  if (layout_) g_object_unref(layout_);
  if (context_) g_object_unref(context_);
}

PangoMeasurer::FontKey PangoMeasurer::KeyOf(const platform::CharProps& props) {
  return FontKey(props.font, props.size, props.bold, props.italic, props.underline, props.baseline,
                 props.spacing);
}

void PangoMeasurer::SetUp() {
  if (context_) return;
  // A font map of its own: the default one belongs to the thread that asks
  // first, which may be drawing with it while another thread measures.
  PangoFontMap* fonts = pango_cairo_font_map_new();
  context_ = pango_font_map_create_context(fonts);
  g_object_unref(fonts);  // the context keeps it
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
  layout_ = pango_layout_new(context_);
}

void PangoMeasurer::Advances(const std::wstring& text, const platform::CharProps& props,
                             std::vector<double>& advances) {
  advances.assign(text.size(), 0.0);
  if (text.empty()) return;
  std::lock_guard<std::recursive_mutex> lock(TextLock());
  auto key = std::make_pair(KeyOf(props), text);
  const auto found = advances_.find(key);
  if (found != advances_.end()) {
    advances = found->second;
    return;
  }
  SetUp();
  SetLayoutText(layout_, text, props);
  // Byte offset of each character, then its position in the shaped line.
  std::vector<int> offsets(text.size() + 1, 0);
  for (size_t i = 0; i < text.size(); ++i)
    offsets[i + 1] = offsets[i] + static_cast<int>(platform::ToUtf8(text.substr(i, 1)).size());
  std::vector<double> x(text.size() + 1, 0.0);
  for (size_t i = 0; i < text.size(); ++i) {
    PangoRectangle pos;
    pango_layout_index_to_pos(layout_, offsets[i], &pos);
    x[i] = static_cast<double>(pos.x) / PANGO_SCALE;
  }
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  x[text.size()] = static_cast<double>(logical.x + logical.width) / PANGO_SCALE;
  for (size_t i = 0; i < text.size(); ++i) advances[i] = std::max(0.0, x[i + 1] - x[i]);
  // Bounded: a deck of very much text starts the cache again.
  cachedLetters_ += text.size();
  if (cachedLetters_ > (1u << 20)) {
    advances_.clear();
    cachedLetters_ = text.size();
  }
  advances_.emplace(std::move(key), advances);
}

platform::FontMetrics PangoMeasurer::Metrics(const platform::CharProps& props) {
  // Lines are set in cells of a fixed share of the font size, whatever the
  // font's own ascent, descent and line gap: the letters' em box sits on the
  // baseline with a fifth of the size below it. Decks read the same with any
  // stand-in font, and spacing in points or percent means the same height.
  const double size = (props.size > 0.0 ? props.size : 1.0) * platform::kUnitsPerPoint;
  platform::FontMetrics m;
  m.ascent = size;
  m.descent = 0.2 * size;
  return m;
}

bool PangoMeasurer::InkExtents(const std::wstring& text, const platform::CharProps& props,
                               double& above, double& below) {
  if (text.empty()) return false;
  std::lock_guard<std::recursive_mutex> lock(TextLock());
  SetUp();
  SetLayoutText(layout_, text, props);
  PangoRectangle ink;
  pango_layout_get_extents(layout_, &ink, nullptr);
  if (ink.height <= 0) return false;
  const int baseline = pango_layout_get_baseline(layout_);
  above = static_cast<double>(baseline - ink.y) / PANGO_SCALE;
  below = static_cast<double>(ink.y + ink.height - baseline) / PANGO_SCALE;
  return true;
}

platform::FontMetrics PangoMeasurer::FontExtents(const platform::CharProps& props) {
  std::lock_guard<std::recursive_mutex> lock(TextLock());
  const FontKey key = KeyOf(props);
  const auto found = extents_.find(key);
  if (found != extents_.end()) return found->second;
  SetUp();
  PangoFontDescription* desc = NewFontDescription(props);
  PangoFontMetrics* metrics = pango_context_get_metrics(context_, desc, nullptr);
  platform::FontMetrics m;
  m.ascent = static_cast<double>(pango_font_metrics_get_ascent(metrics)) / PANGO_SCALE;
  m.descent = static_cast<double>(pango_font_metrics_get_descent(metrics)) / PANGO_SCALE;
  pango_font_metrics_unref(metrics);
  pango_font_description_free(desc);
  if (extents_.size() > 4096) extents_.clear();
  extents_.emplace(key, m);
  return m;
}

}  // namespace render
