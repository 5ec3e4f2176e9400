# Writes OUTPUT, a C++ file defining velk::PageFiles() from FILES, a list of
# "URL-PATH|CONTENT-TYPE|FILE" entries.
set(table "")
set(arrays "")
set(index 0)
foreach(entry IN LISTS FILES)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 url)
  list(GET parts 1 type)
  list(GET parts 2 file)
  # Kept out of the list, where a semicolon would split the entry.
  if(type MATCHES "^text/")
    string(APPEND type "; charset=utf-8")
  endif()
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "constexpr unsigned char kFile${index}[] = {${bytes}0};\n")
  string(APPEND table "    {\"${url}\", \"${type}\", {reinterpret_cast<const char*>(kFile${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Made by embed_page.cmake from the page's files; not edited by hand.
#include \"frontends/web/page_files.h\"

namespace velk {
namespace {

${arrays}
}  // namespace

std::span<const PageFile> PageFiles() {
  static const PageFile kFiles[] = {
${table}  };
  return kFiles;
}

}  // namespace velk
")
# Touched only when changed, so that an unchanged page is not compiled again.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
