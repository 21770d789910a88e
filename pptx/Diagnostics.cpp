#include "pptx/Diagnostics.h"

namespace pptx {

ReadError::ReadError(const std::string& file, const std::string& part, const std::string& message)
    : std::runtime_error(file + ": " + (part.empty() ? std::string() : part + ": ") + message),
      file_(file),
      part_(part),
      message_(message) {}

void Diagnostics::Warn(const std::string& kind, const std::string& detail) {
  if (record_) record_->emplace_back(kind, detail);
  Kind& entry = warnings_[kind];
  if (entry.count == 0) entry.first = detail;
  ++entry.count;
}

ReadError Diagnostics::Error(const std::string& file, const std::string& part,
                             const std::string& message) {
  ReadError error(file, part, message);
  errors_.push_back(error.what());
  return error;
}

size_t Diagnostics::WarningCount() const {
  size_t total = 0;
  for (const auto& entry : warnings_) total += entry.second.count;
  return total;
}

size_t Diagnostics::Count(const std::string& kind) const {
  auto it = warnings_.find(kind);
  return it == warnings_.end() ? 0 : it->second.count;
}

std::vector<std::string> Diagnostics::Lines() const {
  std::vector<std::string> lines;
  for (const auto& entry : warnings_) {
    std::string line = "warning: " + entry.first;
    if (!entry.second.first.empty()) line += ": " + entry.second.first;
    if (entry.second.count > 1)
      line += " (and " + std::to_string(entry.second.count - 1) + " more)";
    lines.push_back(line);
  }
  return lines;
}

void Diagnostics::Print(std::ostream& out) const {
  for (const std::string& line : Lines()) out << line << "\n";
}

void Diagnostics::Clear() {
  warnings_.clear();
  errors_.clear();
}

}  // namespace pptx
