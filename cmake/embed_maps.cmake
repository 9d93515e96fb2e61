# Writes OUTPUT, a C++ source holding every world/maps/mapN.txt (N 1 to 5) as a
# NUL-terminated byte array, so the game carries its maps without reading files.
# Run with -DMAP_DIR=... -DOUTPUT=...
set(body "// Made at build time from world/maps/mapN.txt; edit those files, not this one.\n")
string(APPEND body "#include \"world/maps.hpp\"\n\nnamespace {\n")
set(cases "")
foreach(n RANGE 1 5)
  set(file "${MAP_DIR}/map${n}.txt")
  if(EXISTS "${file}")
    file(READ "${file}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND body "constexpr char map${n}[] = {${bytes}0x00};\n")
    string(APPEND cases "        case ${n}: return map${n};\n")
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
