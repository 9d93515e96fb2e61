# Writes OUTPUT, a C++ source holding every world/maps/mapN.txt (N 1 to 5) as a
# NUL-terminated byte array, so the game carries its maps without reading files.
# A source is written for people: one record per line, `#` comments to the end
# of a line. Each is collapsed into the one line the game loads: the numbers in
# order, single spaces between them and one after the last. That text also goes
# to TEXT_DIR/mapN.txt, where the fuzz targets and anyone else may read it.
# Run with -DMAP_DIR=... -DOUTPUT=... -DTEXT_DIR=...
set(body "// Made at build time from world/maps/mapN.txt; edit those files, not this one.\n")
string(APPEND body "#include \"world/maps.hpp\"\n\nnamespace {\n")
set(cases "")
file(MAKE_DIRECTORY "${TEXT_DIR}")
foreach(n RANGE 1 5)
  set(file "${MAP_DIR}/map${n}.txt")
  if(EXISTS "${file}")
    file(READ "${file}" source)
    string(REGEX REPLACE "#[^\n]*" "" text "${source}")
    string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
    string(STRIP "${text}" text)
    # Only numbers may be left: a word outside a comment would make a map the game refuses.
    if(NOT text MATCHES "^[-+.0-9eE ]+$")
      string(REGEX MATCH "[^ ]*[^-+.0-9eE ][^ ]*" word "${text}")
      message(FATAL_ERROR "${file}: \"${word}\" is not a number; comments start with #.")
    endif()
    string(APPEND text " ")
    string(HEX "${text}" hex)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND body "constexpr char map${n}[] = {${bytes}0x00};\n")
    string(APPEND cases "        case ${n}: return map${n};\n")
    file(WRITE "${TEXT_DIR}/map${n}.txt" "${text}")
  endif()
endforeach()
string(APPEND body "}  // namespace\n\nconst char* builtin_map_text(int n) {\n    switch (n) {\n${cases}")
string(APPEND body "        default: return nullptr;\n    }\n}\n")
# Rewrite only on change, so an untouched map does not rebuild the core.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL body)
  file(WRITE "${OUTPUT}" "${body}")
endif()
