// The reader's one logger. Element-level problems are warnings, collected by
// kind and printed once per kind with a count; a file-level problem is an
// error that names the file and the part and ends the read (ReadError).
#pragma once

#include <cstddef>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace pptx {

// A problem that makes the whole file unreadable. what() is the one line to
// print: "<file>: <part>: <message>".
class ReadError : public std::runtime_error {
 public:
  ReadError(const std::string& file, const std::string& part, const std::string& message);
  const std::string& File() const { return file_; }
  const std::string& Part() const { return part_; }
  const std::string& Message() const { return message_; }

 private:
  std::string file_;
  std::string part_;
  std::string message_;
};

class Diagnostics {
 public:
  struct Kind {
    size_t count = 0;
    std::string first;  // the first occurrence's detail
  };

  // Records one element-level problem of `kind` ("unknown filter", ...);
  // `detail` says where and what ("ppt/slides/slide2.xml: filter \"zoom\"").
  void Warn(const std::string& kind, const std::string& detail);
  // Records a file-level error and returns it, for the caller to throw.
  ReadError Error(const std::string& file, const std::string& part, const std::string& message);

  size_t WarningCount() const;
  size_t Count(const std::string& kind) const;
  bool Has(const std::string& kind) const { return Count(kind) != 0; }
  const std::map<std::string, Kind>& Warnings() const { return warnings_; }
  const std::vector<std::string>& Errors() const { return errors_; }

  // One line per warning kind: "warning: <kind>: <first detail> (and N more)".
  std::vector<std::string> Lines() const;
  void Print(std::ostream& out) const;
  void Clear();

  // While `into` is set, every warning (kind, detail) is also appended to it,
  // so that a reader that reuses what it read once can give the same warnings
  // again with Warn.
  void Record(std::vector<std::pair<std::string, std::string>>* into) { record_ = into; }

 private:
  std::map<std::string, Kind> warnings_;
  std::vector<std::string> errors_;
  std::vector<std::pair<std::string, std::string>>* record_ = nullptr;
};

}  // namespace pptx
