// Fontconfig keeps its font caches for the life of the process, and libwmf's
// picture loader never frees the bitmap it draws a WMF picture into; in a
// sanitizer build the leak checker reports them when the command exits. They
// are not ours, so the command tells the leak checker to pass over them, and
// quietly, since the command's standard error is part of what it does. Only
// sanitizer builds compile this file.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libwmf-0.2.so\n";
}
extern "C" const char* __lsan_default_options();
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
