#include "pptx/Package.h"

#include <zip.h>

#include <algorithm>
#include <cctype>

#include "pptx/Xml.h"

namespace pptx {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string LastSegment(const std::string& uri) {
  size_t slash = uri.find_last_of('/');
  return slash == std::string::npos ? uri : uri.substr(slash + 1);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Describe(uint64_t bytes) {
  if (bytes % (1ull << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

std::string PartFolder(const std::string& part) {
  size_t slash = part.find_last_of('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash);
}

std::string RelationshipsPart(const std::string& part) {
  size_t slash = part.find_last_of('/');
  if (slash == std::string::npos) return "_rels/" + part + ".rels";
  return part.substr(0, slash) + "/_rels/" + part.substr(slash + 1) + ".rels";
}

}  // namespace

Package::Package(const std::string& path, Diagnostics& diagnostics, const ReadLimits& limits)
    : name_(path), diagnostics_(diagnostics), limits_(limits) {
  int error = 0;
  zip* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (!archive) {
    zip_error_t detail;
    zip_error_init_with_code(&detail, error);
    std::string message = error == ZIP_ER_NOZIP || error == ZIP_ER_INCONS
                              ? "not a zip archive, so not a .pptx file"
                              : std::string("cannot open: ") + zip_error_strerror(&detail);
    zip_error_fini(&detail);
    Fail("", message);
  }
  OpenArchive(archive);
}

Package::Package(const std::string& name, std::string bytes, Diagnostics& diagnostics,
                 const ReadLimits& limits)
    : name_(name), memory_(std::move(bytes)), diagnostics_(diagnostics), limits_(limits) {
  // libzip reads no bytes at all as an empty archive; a file of no bytes is refused as no zip.
  if (memory_.empty()) Fail("", "not a zip archive, so not a .pptx file");
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(memory_.data(), memory_.size(), 0, &error);
  zip* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  if (!archive) {
    if (source) zip_source_free(source);
    int code = zip_error_code_zip(&error);
    std::string message = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS
                              ? "not a zip archive, so not a .pptx file"
                              : std::string("cannot open: ") + zip_error_strerror(&error);
    zip_error_fini(&error);
    Fail("", message);
  }
  zip_error_fini(&error);
  OpenArchive(archive);
}

Package::~Package() {
  if (archive_) zip_discard(archive_);
}

void Package::OpenArchive(zip* archive) {
  zip_int64_t entries = zip_get_num_entries(archive, 0);
  if (entries < 0 || static_cast<uint64_t>(entries) > limits_.maxEntries) {
    // The constructor throws, so no destructor will close the archive.
    zip_discard(archive);
    Fail("", "the archive has " + std::to_string(entries) + " entries, more than the limit of " +
                 std::to_string(limits_.maxEntries));
  }
  archive_ = archive;
}

void Package::Fail(const std::string& part, const std::string& message) {
  throw diagnostics_.Error(name_, part, message);
}

// As zip_name_locate with ZIP_FL_NOCASE finds it: the first entry whose name
// matches without regard to case.
int64_t Package::Locate(const std::string& part) {
  if (part.empty()) return -1;
  if (!entriesIndexed_) {
    entriesIndexed_ = true;
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i)
      if (const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0))
        entries_.emplace(Lower(name), i);
  }
  auto found = entries_.find(Lower(part.c_str()));
  return found == entries_.end() ? -1 : found->second;
}

bool Package::Has(const std::string& part) {
  return Locate(part) >= 0;
}

// Reads a part within the limits. On failure `error` says why; `fatal` is
// set when the total budget is spent, which ends the whole read.
bool Package::ReadBounded(const std::string& part, uint64_t limit, std::string& bytes,
                          std::string& error, bool& fatal) {
  fatal = false;
  int64_t index = Locate(part);
  if (index < 0) {
    error = "the part is missing";
    return false;
  }
  const std::string tooLarge = std::string(limit == limits_.maxXmlBytes ? "the XML" : "the") +
                               " part is larger than the limit of " + Describe(limit) +
                               " uncompressed";
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
      (stat.valid & ZIP_STAT_SIZE) && stat.size > limit) {
    error = tooLarge;
    return false;
  }
  zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
  if (!file) {
    error = std::string("cannot read the part: ") + zip_strerror(archive_);
    return false;
  }
  // Read with our own bound: the sizes in the archive's directory may lie.
  bytes.clear();
  char buffer[65536];
  for (;;) {
    zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
    if (n < 0) {
      error = std::string("cannot read the part: ") + zip_file_strerror(file);
      break;
    }
    if (n == 0) {
      zip_fclose(file);
      return true;
    }
    bytes.append(buffer, static_cast<size_t>(n));
    totalRead_ += static_cast<uint64_t>(n);
    if (totalRead_ > limits_.maxTotalBytes) {
      error = "the parts read so far are larger than the limit of " +
              Describe(limits_.maxTotalBytes) + " uncompressed in total";
      fatal = true;
      break;
    }
    if (bytes.size() > limit) {
      error = tooLarge;
      break;
    }
  }
  zip_fclose(file);
  bytes.clear();
  return false;
}

std::string Package::Read(const std::string& part) {
  std::string bytes, error;
  bool fatal = false;
  if (!ReadBounded(part, limits_.maxPartBytes, bytes, error, fatal)) Fail(part, error);
  return bytes;
}

bool Package::TryRead(const std::string& part, std::string& out, const std::string& why) {
  std::string error;
  bool fatal = false;
  if (ReadBounded(part, limits_.maxPartBytes, out, error, fatal)) return true;
  if (fatal) Fail(part, error);
  diagnostics_.Warn(Has(part) ? "unreadable part" : "missing part",
                    part + ": " + error + " (" + why + ")");
  return false;
}

std::shared_ptr<pugi::xml_document> Package::ReadXml(const std::string& part) {
  std::string key = Lower(part);
  auto cached = xml_.find(key);
  if (cached != xml_.end()) return cached->second;
  std::string bytes, error;
  bool fatal = false;
  if (!ReadBounded(part, limits_.maxXmlBytes, bytes, error, fatal)) Fail(part, error);
  auto document = std::make_shared<pugi::xml_document>();
  pugi::xml_parse_result result = document->load_buffer(
      bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
  if (!result)
    Fail(part, std::string("not well-formed XML (") + result.description() + " at byte " +
                   std::to_string(result.offset) + ")");
  ResolveAlternateContent(*document);
  xml_[key] = document;
  return document;
}

const std::vector<Relationship>& Package::Relationships(const std::string& part) {
  std::string key = Lower(part);
  auto cached = relationships_.find(key);
  if (cached != relationships_.end()) return cached->second;
  std::vector<Relationship>& list = relationships_[key];
  std::string relsPart = RelationshipsPart(part);
  if (!Has(relsPart)) return list;
  std::shared_ptr<pugi::xml_document> document = ReadXml(relsPart);
  for (pugi::xml_node node : Children(Child(*document, "Relationships"), "Relationship")) {
    Relationship rel;
    rel.id = node.attribute("Id").as_string();
    rel.type = LastSegment(node.attribute("Type").as_string());
    rel.external = std::string(node.attribute("TargetMode").as_string()) == "External";
    std::string target = node.attribute("Target").as_string();
    rel.target = rel.external ? target : ResolveTarget(part, target);
    list.push_back(rel);
    if (list.size() > limits_.maxEntries) {
      diagnostics_.Warn("too many relationships", relsPart);
      break;
    }
  }
  return list;
}

const Relationship* Package::FindRelationship(const std::string& part, const std::string& id) {
  for (const Relationship& rel : Relationships(part))
    if (rel.id == id) return &rel;
  return nullptr;
}

const Relationship* Package::FindRelationshipOfType(const std::string& part,
                                                    const std::string& type) {
  for (const Relationship& rel : Relationships(part))
    if (rel.type == type) return &rel;
  return nullptr;
}

void Package::LoadContentTypes() {
  contentTypesLoaded_ = true;
  if (!Has("[Content_Types].xml")) return;
  std::shared_ptr<pugi::xml_document> document = ReadXml("[Content_Types].xml");
  pugi::xml_node types = Child(*document, "Types");
  for (pugi::xml_node node : Children(types, "Default"))
    defaults_[Lower(node.attribute("Extension").as_string())] =
        node.attribute("ContentType").as_string();
  for (pugi::xml_node node : Children(types, "Override")) {
    std::string name = node.attribute("PartName").as_string();
    if (!name.empty() && name[0] == '/') name.erase(0, 1);
    overrides_[Lower(name)] = node.attribute("ContentType").as_string();
  }
}

std::string Package::ContentType(const std::string& part) {
  if (!contentTypesLoaded_) LoadContentTypes();
  auto over = overrides_.find(Lower(part));
  if (over != overrides_.end()) return over->second;
  size_t dot = part.find_last_of('.');
  if (dot != std::string::npos) {
    auto def = defaults_.find(Lower(part.substr(dot + 1)));
    if (def != defaults_.end()) return def->second;
  }
  return std::string();
}

std::string Package::MainPart() {
  if (const Relationship* rel = FindRelationshipOfType("", "officeDocument")) return rel->target;
  return "ppt/presentation.xml";
}

std::string Package::ResolveTarget(const std::string& sourcePart, const std::string& target) {
  std::string decoded = PercentDecode(target);
  std::vector<std::string> segments;
  std::string base = decoded.empty() || decoded[0] != '/' ? PartFolder(sourcePart) : std::string();
  std::string joined = base.empty() ? decoded : base + "/" + decoded;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t slash = joined.find('/', start);
    if (slash == std::string::npos) slash = joined.size();
    std::string segment = joined.substr(start, slash - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = slash + 1;
  }
  std::string result;
  for (const std::string& segment : segments) result += (result.empty() ? "" : "/") + segment;
  return result;
}

}  // namespace pptx
