// The .pptx package: a zip archive of parts, their content types and the
// relationships between them. Reads are bounded (ReadLimits) so that a
// crafted archive cannot exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "pptx/Diagnostics.h"
#include "pptx/ReadLimits.h"

struct zip;

namespace pptx {

struct Relationship {
  std::string id;
  std::string type;    // the last path segment of the type URI: "slide", "image", ...
  std::string target;  // the resolved part name, or the URI as written when external
  bool external = false;
};

class Package {
 public:
  // Opens a file; a file that is not a readable zip archive throws ReadError.
  Package(const std::string& path, Diagnostics& diagnostics, const ReadLimits& limits);
  // Opens an archive held in memory; `name` is used in messages.
  Package(const std::string& name, std::string bytes, Diagnostics& diagnostics,
          const ReadLimits& limits);
  ~Package();
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  const std::string& FileName() const { return name_; }
  Diagnostics& Diag() { return diagnostics_; }
  const ReadLimits& Limits() const { return limits_; }

  bool Has(const std::string& part);
  // The part's bytes. Missing, unreadable or over-limit parts throw ReadError.
  std::string Read(const std::string& part);
  // The same for a part that the deck can do without: false with a warning.
  bool TryRead(const std::string& part, std::string& out, const std::string& why);
  // A parsed XML part (mc:AlternateContent already resolved); cached. Broken
  // XML throws ReadError naming the part.
  std::shared_ptr<pugi::xml_document> ReadXml(const std::string& part);
  // Drops the parsed parts from the cache (those still in use stay alive
  // with their users): the reader calls it after each slide, so that a deck's
  // slides are not all held in memory at once.
  void ForgetXml() { xml_.clear(); }

  // The part's relationships (an absent .rels part means none). Targets are
  // resolved against the part's folder.
  const std::vector<Relationship>& Relationships(const std::string& part);
  // The relationship `id` of `part`, or null.
  const Relationship* FindRelationship(const std::string& part, const std::string& id);
  // The first relationship of `type`, or null.
  const Relationship* FindRelationshipOfType(const std::string& part, const std::string& type);
  std::string ContentType(const std::string& part);

  // The main document part (from the package relationships).
  std::string MainPart();

  // "ppt/slides" + "../media/a b.png" -> "ppt/media/a b.png" (percent escapes decoded).
  static std::string ResolveTarget(const std::string& sourcePart, const std::string& target);

 private:
  void OpenArchive(zip* archive);
  bool ReadBounded(const std::string& part, uint64_t limit, std::string& bytes, std::string& error,
                   bool& fatal);
  int64_t Locate(const std::string& part);
  void LoadContentTypes();
  [[noreturn]] void Fail(const std::string& part, const std::string& message);

  std::string name_;
  std::string memory_;  // the archive's bytes when opened from memory
  Diagnostics& diagnostics_;
  ReadLimits limits_;
  zip* archive_ = nullptr;
  uint64_t totalRead_ = 0;
  bool contentTypesLoaded_ = false;
  std::map<std::string, std::string> defaults_;   // extension -> type
  std::map<std::string, std::string> overrides_;  // lower-cased part name -> type
  std::map<std::string, std::vector<Relationship>> relationships_;
  std::map<std::string, std::shared_ptr<pugi::xml_document>> xml_;
  // Lower-cased entry name -> the first entry of that name, made on first
  // use: looking a name up in the archive itself walks every entry.
  std::unordered_map<std::string, int64_t> entries_;
  bool entriesIndexed_ = false;
};

}  // namespace pptx
