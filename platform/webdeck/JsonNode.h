// The serialisation target of the JSON holders.
#pragma once

#include <nlohmann/json.hpp>

#include "host/Webdeck.h"

namespace WEBDECK {

struct JsonNode {
  nlohmann::ordered_json value;
};

// The holder's value as JSON.
nlohmann::ordered_json ToJson(const PptxJSPropertyHolder& holder);

}  // namespace WEBDECK
