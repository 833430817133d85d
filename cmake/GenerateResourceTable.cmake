# cmake -DOUTPUT=<file.cpp> -DENTRIES="id=path|id=path" -P GenerateResourceTable.cmake
# Writes a C++ source that holds every file's bytes under its resource id.
string(REPLACE "|" ";" ENTRIES "${ENTRIES}")
set(definitions "")
set(table "")
foreach(entry IN LISTS ENTRIES)
    string(REGEX MATCH "^[0-9]+" id "${entry}")
  string(REGEX REPLACE "^[0-9]+=" "" path "${entry}")
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  if(size EQUAL 0)
    set(bytes "0")
  else()
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  endif()
  string(APPEND definitions "const unsigned char kResource${id}[] = {\n${bytes}\n};\n")
  string(APPEND table "    {${id}, kResource${id}, ${size}},\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated at build time from the files under resources/; do not edit.
#include \"support/Resources.h\"

namespace wakelatch::resources {
namespace {

${definitions}
struct Entry {
    int id;
    const unsigned char* data;
    std::size_t size;
};

const Entry kEntries[] = {
${table}};

}  // namespace

std::optional<Bytes> Find(int id) {
    for (const Entry& entry : kEntries) {
        if (entry.id == id) {
            return Bytes{entry.data, entry.size};
        }
    }
    return std::nullopt;
}

}  // namespace wakelatch::resources
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
