// JSON holders of the HTML support library and its key names.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <typeinfo>

#include <boost/make_shared.hpp>

#include "common/CNumber.h"
#include "common/Utf8.h"
#include "webdeck/JsonNode.h"

namespace WEBDECK {

const char* const kEffectType = "type";
const char* const kEffectVariableType = "variable";
const char* const kEffectAnimationValues = "values";
const char* const kEffectDuration = "duration";
const char* const kEffectDelay = "delay";
const char* const kEffectRepeat = "repeat";
const char* const kEffectAutoReverse = "autoReverse";
const char* const kEffectAccelerateTime = "accelerate";
const char* const kEffectDecelerateTime = "decelerate";
const char* const kEffectRewindWhenDone = "rewind";
const char* const kEffectPlayTillNextClick = "untilNextClick";
const char* const kEffectPlayTillSlideEnd = "untilSlideEnd";
const char* const kEffectSubList = "parts";
const char* const kInitialPosition = "origin";
const char* const kIsSubAnimOnNextClick = "onNextClick";
const char* const kIsAudioInSubAnim = "soundInParts";
const char* const kPptxSlideSoundName = "sound";
const char* const kEffectChangeValue = "by";
const char* const kEffectChangeToValue = "to";
const char* const kEffectDirection = "direction";
const char* const kEffectPresetClass = "presetClass";
const char* const kWheelEffectNumSpokes = "spokes";
const char* const kMotionPathReverseDir = "reversePath";

namespace {

// The shortest decimal text that reads back as the same float, as a double,
// so that 0.1f is written 0.1 and not 0.100000001490116.
double FloatForJson(float value, int32_t precision) {
  if (!std::isfinite(value)) return static_cast<double>(value);
  if (precision >= 0) {
    double scale = std::pow(10.0, precision);
    return std::round(static_cast<double>(value) * scale) / scale;
  }
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value);
  double shortest = static_cast<double>(value);
  platform::ReadCNumber(text, result.ptr, shortest);
  return shortest;
}

}  // namespace

nlohmann::ordered_json ToJson(const PptxJSPropertyHolder& holder) {
  JsonNode node;
  holder.Serialize(node);
  return node.value;
}

namespace {

// Text that JSON writes as it is between quotes: printable ASCII without
// quotes or backslashes. Anything else is left to the JSON library.
template <class Char>
bool Plain(const std::basic_string<Char>& text) {
  for (Char c : text)
    if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') return false;
  return true;
}

std::string Quoted(const std::string& utf8) {
  using nlohmann::ordered_json;
  return ordered_json(utf8).dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

void AppendQuoted(const std::string& text, std::string& out) {
  if (!Plain(text)) {
    out += Quoted(text);
    return;
  }
  out += '"';
  out += text;
  out += '"';
}

void AppendQuoted(const std::wstring& text, std::string& out) {
  if (!Plain(text)) {
    out += Quoted(platform::ToUtf8(text));
    return;
  }
  out += '"';
  for (wchar_t c : text) out += static_cast<char>(c);
  out += '"';
}

}  // namespace

void AppendJsonString(const std::wstring& text, std::string& out) {
  AppendQuoted(text, out);
}

// The holders' own classes are told apart by their type; anything else
// serialises itself.
void AppendJson(const PptxJSPropertyHolder& holder, std::string& out) {
  using nlohmann::ordered_json;
  const std::type_info& type = typeid(holder);
  if (type == typeid(PptxJSIntPropertyHolder)) {
    out += std::to_string(static_cast<const PptxJSIntPropertyHolder&>(holder).GetValue());
    return;
  }
  if (type == typeid(PptxJSBoolPropertyHolder)) {
    out += static_cast<const PptxJSBoolPropertyHolder&>(holder).GetValue() ? "true" : "false";
    return;
  }
  if (type == typeid(PptxJSStringPropertyHolder)) {
    AppendQuoted(static_cast<const PptxJSStringPropertyHolder&>(holder).GetValue(), out);
    return;
  }
  const auto* object = type == typeid(PptxHTMLObjPropHolder)
                           ? static_cast<const PptxHTMLObjPropHolder*>(&holder)
                           : nullptr;
  const auto* array =
      type == typeid(PptxJSArrHolder) ? static_cast<const PptxJSArrHolder*>(&holder) : nullptr;
  const auto* objects = type == typeid(PptxJSObjectArrHolder)
                            ? static_cast<const PptxJSObjectArrHolder*>(&holder)
                            : nullptr;
  if (object) {
    // A key added twice keeps its first place and takes the last value.
    out += '{';
    const size_t count = object->GetCount();
    bool first = true;
    for (size_t i = 0; i < count; ++i) {
      const std::string& key = object->GetEntry(i).first;
      bool seen = false;
      for (size_t j = 0; j < i && !seen; ++j) seen = object->GetEntry(j).first == key;
      if (seen) continue;
      size_t last = i;
      for (size_t j = i + 1; j < count; ++j)
        if (object->GetEntry(j).first == key) last = j;
      if (!first) out += ',';
      first = false;
      AppendQuoted(key, out);
      out += ':';
      AppendJson(*object->GetEntry(last).second, out);
    }
    out += '}';
    return;
  }
  // Both kinds of list hold their items the same way.
  auto appendList = [&out](const auto& list) {
    out += '[';
    for (size_t i = 0; i < list.GetCount(); ++i) {
      if (i > 0) out += ',';
      AppendJson(*list.GetItem(i), out);
    }
    out += ']';
  };
  if (array) return appendList(*array);
  if (objects) return appendList(*objects);
  out += ToJson(holder).dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

PptxJSPropertyHolder::PptxJSPropertyHolder(const std::string& name) : name_(name) {}
PptxJSPropertyHolder::~PptxJSPropertyHolder() = default;

PptxJSIntPropertyHolder::PptxJSIntPropertyHolder(const std::string& name, int32_t value)
    : PptxJSPropertyHolder(name), value_(value) {}
void PptxJSIntPropertyHolder::Serialize(JsonNode& out) const {
  out.value = value_;
}

PptxJSFloatPropertyHolder::PptxJSFloatPropertyHolder(const std::string& name, float value,
                                                     int32_t precision)
    : PptxJSPropertyHolder(name), value_(value), precision_(precision) {}
void PptxJSFloatPropertyHolder::Serialize(JsonNode& out) const {
  out.value = FloatForJson(value_, precision_);
}

PptxJSBoolPropertyHolder::PptxJSBoolPropertyHolder(const std::string& name, bool value)
    : PptxJSPropertyHolder(name), value_(value) {}
void PptxJSBoolPropertyHolder::Serialize(JsonNode& out) const {
  out.value = value_;
}

PptxJSStringPropertyHolder::PptxJSStringPropertyHolder(const std::string& name,
                                                       const std::wstring& value)
    : PptxJSPropertyHolder(name), value_(value) {}
void PptxJSStringPropertyHolder::Serialize(JsonNode& out) const {
  out.value = platform::ToUtf8(value_);
}

PptxJSArrHolder::PptxJSArrHolder(const std::string& name) : PptxJSPropertyHolder(name) {}
void PptxJSArrHolder::AddObject(const boost::shared_ptr<PptxJSPropertyHolder>& item) {
  if (item) items_.push_back(item);
}
void PptxJSArrHolder::Serialize(JsonNode& out) const {
  out.value = nlohmann::ordered_json::array();
  for (const auto& item : items_) out.value.push_back(ToJson(*item));
}

PptxJSObjectArrHolder::PptxJSObjectArrHolder(const std::string& name)
    : PptxJSPropertyHolder(name) {}
void PptxJSObjectArrHolder::AddObject(const boost::shared_ptr<PptxHTMLObjPropHolder>& item) {
  if (item) items_.push_back(item);
}
void PptxJSObjectArrHolder::Serialize(JsonNode& out) const {
  out.value = nlohmann::ordered_json::array();
  for (const auto& item : items_) out.value.push_back(ToJson(*item));
}

PptxHTMLObjPropHolder::PptxHTMLObjPropHolder(const std::string& name)
    : PptxJSPropertyHolder(name) {}

void PptxHTMLObjPropHolder::AddIntProperty(const std::string& name, int32_t value) {
  entries_.emplace_back(name, boost::make_shared<PptxJSIntPropertyHolder>(name, value));
}
void PptxHTMLObjPropHolder::AddFloatProperty(const std::string& name, float value,
                                             int32_t precision) {
  entries_.emplace_back(name,
                        boost::make_shared<PptxJSFloatPropertyHolder>(name, value, precision));
}
void PptxHTMLObjPropHolder::AddBoolProperty(const std::string& name, bool value) {
  entries_.emplace_back(name, boost::make_shared<PptxJSBoolPropertyHolder>(name, value));
}
void PptxHTMLObjPropHolder::AddStrProperty(const std::string& name, const std::wstring& value) {
  entries_.emplace_back(name, boost::make_shared<PptxJSStringPropertyHolder>(name, value));
}
void PptxHTMLObjPropHolder::AddIntArrProperty(const std::string& name,
                                              const std::vector<int32_t>& values) {
  auto array = boost::make_shared<PptxJSArrHolder>(name);
  for (int32_t v : values) array->AddObject(boost::make_shared<PptxJSIntPropertyHolder>("", v));
  entries_.emplace_back(name, array);
}
void PptxHTMLObjPropHolder::AddFloatArrProperty(const std::string& name,
                                                const std::vector<float>& values) {
  auto array = boost::make_shared<PptxJSArrHolder>(name);
  for (float v : values) array->AddObject(boost::make_shared<PptxJSFloatPropertyHolder>("", v, -1));
  entries_.emplace_back(name, array);
}
void PptxHTMLObjPropHolder::AddPptxJSPropertyHolder(
    const std::string& name, const boost::shared_ptr<PptxJSPropertyHolder>& holder) {
  if (!holder) return;
  entries_.emplace_back(name.empty() ? holder->GetName() : name, holder);
}

boost::shared_ptr<PptxJSPropertyHolder> PptxHTMLObjPropHolder::Find(const std::string& key) const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (it->first == key) return it->second;
  return boost::shared_ptr<PptxJSPropertyHolder>();
}

void PptxHTMLObjPropHolder::Serialize(JsonNode& out) const {
  out.value = nlohmann::ordered_json::object();
  for (const auto& entry : entries_) out.value[entry.first] = ToJson(*entry.second);
}

}  // namespace WEBDECK
