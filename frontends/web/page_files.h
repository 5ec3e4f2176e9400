// The chat page's files, built into the program.
#ifndef VELK_FRONTENDS_WEB_PAGE_FILES_H_
#define VELK_FRONTENDS_WEB_PAGE_FILES_H_

#include <span>
#include <string_view>

namespace velk {

struct PageFile {
  std::string_view Path;  // "/", "/chat.js", ...
  std::string_view ContentType;
  std::string_view Bytes;
};

std::span<const PageFile> PageFiles();

}  // namespace velk

#endif  // VELK_FRONTENDS_WEB_PAGE_FILES_H_
