// The service over HTTP: the JSON API under /api/conversations and the page.
#ifndef VELK_FRONTENDS_WEB_HTTP_API_H_
#define VELK_FRONTENDS_WEB_HTTP_API_H_

#include <cstddef>
#include <functional>
#include <string>

namespace httplib {
class Server;
}

namespace velk {

class ChatService;

// Bodies beyond this are refused with 413 before they are read.
inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;

// Only the page's own files may run or style it, and nothing may frame it.
inline constexpr const char* kContentSecurityPolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; "
    "connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

// Adds the routes, the headers every response carries and the JSON error
// bodies. `report` is told of faults of the service itself (a database that
// cannot be written), one line each.
void ServeChat(httplib::Server& server, ChatService& service,
               std::function<void(const std::string&)> report);

}  // namespace velk

#endif  // VELK_FRONTENDS_WEB_HTTP_API_H_
