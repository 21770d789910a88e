#include <atomic>

#include "host/Document.h"

namespace {
std::atomic<bool> g_usePowerpoint{false};
}

bool ProcessAdmin::UsePowerpoint() {
  return g_usePowerpoint.load();
}
void ProcessAdmin::SetUsePowerpoint(bool value) {
  g_usePowerpoint.store(value);
}
