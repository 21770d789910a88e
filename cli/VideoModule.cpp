#include "cli/VideoModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#ifndef SLIDEANIM_VIDEO_MODULE_DIR
#define SLIDEANIM_VIDEO_MODULE_DIR "../lib/slideanim"
#endif

namespace cli {
namespace {

namespace fs = std::filesystem;

const char* const kModuleFile = "slideanim-video.so";
const char* const kEntry = "slideanim_video_run";

std::string CommandPath() {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.string();
}

std::string VideoModulePath(const std::string& commandPath, const std::string& moduleDir) {
  const fs::path folder = fs::path(commandPath).parent_path();
  const fs::path beside = folder / kModuleFile;
  std::error_code error;
  if (fs::exists(beside, error)) return beside.string();
  return (folder / moduleDir / kModuleFile).lexically_normal().string();
}

}  // namespace

int RunVideoModule(const VideoOptions& options, std::ostream& out, std::ostream& err) {
  const std::string path = VideoModulePath(CommandPath(), SLIDEANIM_VIDEO_MODULE_DIR);
  // The module stays loaded until the process ends: FFmpeg's libraries keep
  // threads and handlers that must not outlive their code.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  using Entry = int (*)(const VideoOptions&, std::ostream&, std::ostream&);
  Entry entry = module ? reinterpret_cast<Entry>(::dlsym(module, kEntry)) : nullptr;
  if (!entry) {
    const char* why = ::dlerror();
    err << "error: cannot load the video module " << path << " (" << (why ? why : "no entry point")
        << ")\n";
    return kExitFailed;
  }
  return entry(options, out, err);
}

}  // namespace cli
