#include "pptx/Xml.h"

#include <cstring>
#include <set>
#include <sstream>

#include "common/Utf8.h"

namespace pptx {

const char* LocalName(const pugi::xml_node& node) {
  const char* name = node.name();
  const char* colon = std::strrchr(name, ':');
  return colon ? colon + 1 : name;
}

bool Is(const pugi::xml_node& node, const char* localName) {
  return node.type() == pugi::node_element && std::strcmp(LocalName(node), localName) == 0;
}

pugi::xml_node Child(const pugi::xml_node& node, const char* localName) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (Is(child, localName)) return child;
  return pugi::xml_node();
}

pugi::xml_node Path(const pugi::xml_node& node, std::initializer_list<const char*> names) {
  pugi::xml_node current = node;
  for (const char* name : names) {
    if (!current) break;
    current = Child(current, name);
  }
  return current;
}

std::vector<pugi::xml_node> Children(const pugi::xml_node& node, const char* localName) {
  std::vector<pugi::xml_node> result;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (Is(child, localName)) result.push_back(child);
  return result;
}

std::vector<pugi::xml_node> Elements(const pugi::xml_node& node) {
  std::vector<pugi::xml_node> result;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element) result.push_back(child);
  return result;
}

pugi::xml_attribute Attr(const pugi::xml_node& node, const char* name) {
  return node.attribute(name);
}

pugi::xml_attribute NsAttr(const pugi::xml_node& node, const char* localName) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    const char* colon = std::strchr(a.name(), ':');
    if (colon && std::strcmp(colon + 1, localName) == 0 && std::strncmp(a.name(), "xmlns", 5) != 0)
      return a;
  }
  return pugi::xml_attribute();
}

std::string AttrText(const pugi::xml_node& node, const char* name) {
  return node.attribute(name).as_string();
}

namespace {

// Namespaces whose extension elements either we read or are safe to ignore
// in favour of the standard elements around them.
bool KnownRequirement(const std::string& prefix) {
  static const std::set<std::string> known = {"p14", "p15", "p159", "p16",  "a14",
                                              "a15", "a16", "v",    "p1510"};
  return known.count(prefix) != 0;
}

bool Understood(const pugi::xml_node& choice) {
  std::istringstream requires(choice.attribute("Requires").as_string());
  std::string prefix;
  bool any = false;
  while (requires >> prefix) {
    any = true;
    if (!KnownRequirement(prefix)) return false;
  }
  return any;
}

}  // namespace

void ResolveAlternateContent(pugi::xml_document& document) {
  // Iterative walk: resolving one block may expose nested blocks, which the
  // walk then meets as ordinary children.
  std::vector<pugi::xml_node> stack{document};
  while (!stack.empty()) {
    pugi::xml_node node = stack.back();
    stack.pop_back();
    for (pugi::xml_node child = node.first_child(); child;) {
      pugi::xml_node next = child.next_sibling();
      if (Is(child, "AlternateContent")) {
        pugi::xml_node chosen;
        for (pugi::xml_node branch : Children(child, "Choice"))
          if (Understood(branch)) {
            chosen = branch;
            break;
          }
        if (!chosen) chosen = Child(child, "Fallback");
        pugi::xml_node firstMoved;
        if (chosen) {
          while (pugi::xml_node content = chosen.first_child()) {
            pugi::xml_node moved = node.insert_move_before(content, child);
            if (!firstMoved) firstMoved = moved;
          }
        }
        node.remove_child(child);
        // Revisit from the first moved node so nested blocks are resolved.
        if (firstMoved) next = firstMoved;
        child = next;
        continue;
      }
      if (child.type() == pugi::node_element) stack.push_back(child);
      child = next;
    }
  }
}

std::wstring WideText(const char* utf8) {
  return platform::FromUtf8(utf8 ? utf8 : "");
}

}  // namespace pptx
