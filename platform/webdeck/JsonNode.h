// The serialisation target of the JSON holders.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "host/Webdeck.h"

namespace WEBDECK {

struct JsonNode {
  nlohmann::ordered_json value;
};

// The holder's value as JSON.
nlohmann::ordered_json ToJson(const PptxJSPropertyHolder& holder);

// Appends the holder's value as compact JSON text, as ToJson(holder).dump()
// writes it (invalid UTF-8 replaced), without building the document.
void AppendJson(const PptxJSPropertyHolder& holder, std::string& out);
// Appends `text` as a JSON string, as dump() writes its UTF-8 form.
void AppendJsonString(const std::wstring& text, std::string& out);

}  // namespace WEBDECK
