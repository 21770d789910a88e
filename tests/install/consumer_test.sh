#!/usr/bin/env bash
# Installs slideanim into a temporary prefix, builds examples/consumer against
# it twice (with the CMake package, then with pkg-config) and runs both builds
# on the demo deck's slide with the effect sound; checks the installed command,
# its video module and the libraries' SONAME links. Exits 77 (skipped) when cmake or pkg-config
# is missing.
#   consumer_test.sh BUILD_DIR SOURCE_DIR VERSION CXX_COMPILER [CXX_FLAGS]
set -euo pipefail
build=$1 source=$2 version=$3 compiler=$4 flags=${5:-}

for tool in cmake pkg-config; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed, so the installed package cannot be tried"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

fail() {
  echo "FAIL: $*"
  exit 1
}

pc=$(find "$prefix" -name slideanim.pc)
[ -n "$pc" ] || fail "no slideanim.pc under $prefix"
libdir=$(dirname "$(dirname "$pc")")
for lib in libslideanim libslideanim-host; do
  [ -L "$libdir/$lib.so" ] && [ -L "$libdir/$lib.so.0" ] && [ -f "$libdir/$lib.so.$version" ] ||
    fail "$lib is not installed as $lib.so -> $lib.so.0 -> $lib.so.$version"
done
[ "$("$prefix/bin/slideanim" --version)" = "slideanim $version" ] ||
  fail "slideanim --version does not print 'slideanim $version'"
# The video command's module is found from the installed command: an output
# it cannot write is refused by the module itself.
status=0
"$prefix/bin/slideanim" video "$source/examples/decks/demo.pptx" -o "$work/out.txt" \
  2>"$work/video.err" || status=$?
[ "$status" = 2 ] && grep -q "cannot write this kind of file" "$work/video.err" ||
  fail "the installed slideanim video does not load its module: $(cat "$work/video.err")"

deck=$source/examples/decks/demo.pptx
consumer() {
  local name=$1
  shift
  cmake -S "$source/examples/consumer" -B "$work/$name" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" "$@" >"$work/$name.log" ||
    fail "configuring the consumer ($name): $(cat "$work/$name.log")"
  cmake --build "$work/$name" >>"$work/$name.log" 2>&1 ||
    fail "building the consumer ($name): $(cat "$work/$name.log")"
  local out
  out=$("$work/$name/slideanim-consumer" "$deck" 3) || fail "the consumer ($name) failed"
  echo "--- $name"
  echo "$out"
  grep -q "^  step 0: 0 ms .. " <<<"$out" || fail "no steps from the consumer ($name)"
  grep -q "^  sound at 0 ms, shape 3$" <<<"$out" || fail "no sound from the consumer ($name)"
}
consumer find-package -DCMAKE_PREFIX_PATH="$prefix"
PKG_CONFIG_PATH=$(dirname "$pc") consumer pkg-config -DCONSUMER_USE_PKG_CONFIG=ON
