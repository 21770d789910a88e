// A value, a fallback and a flag: reading gives the value when the flag is set,
// else the fallback.
#pragma once

template <class T>
struct Optional {
  T value{};
  T fallback{};
  bool isSet = false;

  T Get() const { return isSet ? value : fallback; }
  void Set(T v) {
    value = v;
    isSet = true;
  }
  void Clear() { isSet = false; }
};
