// XML helpers. Elements are matched by local name, so that transitional and
// strict namespaces (and unusual prefixes) read the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace pptx {

// "p:cTn" -> "cTn".
const char* LocalName(const pugi::xml_node& node);
bool Is(const pugi::xml_node& node, const char* localName);

// First child element with that local name, or an empty node.
pugi::xml_node Child(const pugi::xml_node& node, const char* localName);
// Child(Child(node, a), b) and so on.
pugi::xml_node Path(const pugi::xml_node& node, std::initializer_list<const char*> names);
std::vector<pugi::xml_node> Children(const pugi::xml_node& node, const char* localName);
std::vector<pugi::xml_node> Elements(const pugi::xml_node& node);

// An unprefixed attribute (exact name), or an empty attribute.
pugi::xml_attribute Attr(const pugi::xml_node& node, const char* name);
// A prefixed attribute by its local name ("embed" finds r:embed), or empty.
pugi::xml_attribute NsAttr(const pugi::xml_node& node, const char* localName);
std::string AttrText(const pugi::xml_node& node, const char* name);

// Replaces every mc:AlternateContent element by the content of the branch we
// understand: the first mc:Choice whose required namespaces we know, else
// mc:Fallback.
void ResolveAlternateContent(pugi::xml_document& document);

// Text of an XML element as a wide string (UTF-8 decoded).
std::wstring WideText(const char* utf8);

}  // namespace pptx
