# Turns the player's files into a C++ source: one byte array per file.
#   cmake -DOUTPUT=PlayerAssets.cpp -DJS=player.js -DCSS=player.css -P embed.cmake
function(embed variable file out)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  set(${out} "${${out}}const char ${variable}Bytes[] = {\n${bytes}0};\n" PARENT_SCOPE)
endfunction()
set(text "// Generated from cli/player by cli/player/embed.cmake; do not edit.\n#include \"cli/Html.h\"\nnamespace cli {\nnamespace {\n")
embed(kPlayerJs "${JS}" text)
embed(kPlayerCss "${CSS}" text)
string(APPEND text "}  // namespace\nconst char* const kPlayerJs = kPlayerJsBytes;\nconst char* const kPlayerCss = kPlayerCssBytes;\n}  // namespace cli\n")
file(WRITE "${OUTPUT}.tmp" "${text}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
