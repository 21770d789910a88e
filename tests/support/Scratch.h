// A test program's scratch folder, <temp>/slideanim-<name>-<pid>: made when
// first asked for, removed when the tests end.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

namespace scratch {

class Folder : public ::testing::Environment {
 public:
  explicit Folder(std::string name) : name_(std::move(name)) {}

  // Registers the folder with the test program, which removes it at the end.
  static Folder* Register(const std::string& name) {
    return static_cast<Folder*>(::testing::AddGlobalTestEnvironment(new Folder(name)));
  }

  const std::filesystem::path& Path() {
    if (path_.empty()) {
      path_ = std::filesystem::path(::testing::TempDir()) /
              ("slideanim-" + name_ + "-" + std::to_string(::getpid()));
      std::filesystem::create_directories(path_);
    }
    return path_;
  }

  std::string In(const std::string& file) { return (Path() / file).string(); }

  void TearDown() override {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }

 private:
  std::string name_;
  std::filesystem::path path_;
};

}  // namespace scratch
