// The slideanim command of this build tree, run with arguments: its exit
// status, standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace command {

// <build>/cli/slideanim, beside the <build>/tests folder of this program.
inline std::string Path() {
  char self[4096];
  ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return std::string();
  std::string path(self, static_cast<size_t>(n));
  path = path.substr(0, path.find_last_of('/'));  // .../tests
  path = path.substr(0, path.find_last_of('/'));  // the build tree
  return path + "/cli/slideanim";
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
  Result run;
  static int calls = 0;
  const std::string errFile = ::testing::TempDir() + "slideanim-stderr-" +
                              std::to_string(::getpid()) + "-" + std::to_string(++calls) + ".txt";
  const std::string command = environment + Path() + " " + arguments + " 2>'" + errFile + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.out.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  {
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  }
  std::remove(errFile.c_str());
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
