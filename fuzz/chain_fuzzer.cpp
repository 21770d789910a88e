// Feeds arbitrary input through the whole chain (see ChainInput.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/ChainInput.h"

// Fontconfig keeps its caches for the life of the process.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunChain(data, size);
  return 0;
}
