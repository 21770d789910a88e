// Feeds arbitrary input through the whole chain (see ChainInput.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/ChainInput.h"

// Fontconfig keeps its caches for the life of the process; libwmf leaks the
// bitmap of every WMF picture it draws.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libwmf-0.2.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunChain(data, size);
  return 0;
}
