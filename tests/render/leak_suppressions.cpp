// Fontconfig keeps its font caches for the life of the process, and libwmf's
// picture loader never frees the bitmap it draws into; under the
// leak checker of a sanitizer build they show up as leaks at exit. They are
// not ours, so the render tests tell the leak checker to pass over them.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libwmf-0.2.so\n";
}
