// The slideanim command of this build tree, run with arguments: its exit
// status, standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace command {

// <build>/cli/slideanim, beside the <build>/tests folder of this program.
inline std::string Path() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : (self.parent_path().parent_path() / "cli/slideanim").string();
}

// The bytes of the file at `path`; empty when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Available() {
  return ::access(Path().c_str(), X_OK) == 0;
}

struct Result {
  int status = -1;
  std::string out, err;
};

// `environment` goes before the command ("LC_ALL=C ").
inline Result Run(const std::string& arguments, const std::string& environment = "") {
  static int calls = 0;
  const std::string base = ::testing::TempDir() + "slideanim-" + std::to_string(::getpid()) + "-" +
                           std::to_string(++calls);
  const int status = std::system(
      (environment + Path() + " " + arguments + " >'" + base + ".out' 2>'" + base + ".err'")
          .c_str());
  const Result run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(base + ".out"),
                   ReadFile(base + ".err")};
  std::remove((base + ".out").c_str());
  std::remove((base + ".err").c_str());
  return run;
}

// Tests of the command, which must have been built.
class Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Available()) << "build the slideanim command first: " << Path();
  }
};

}  // namespace command
