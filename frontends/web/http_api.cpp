#include "frontends/web/http_api.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <nlohmann/json.hpp>

#include "frontends/web/chat_service.h"
#include "frontends/web/page_files.h"

namespace velk {
namespace {

using Json = nlohmann::json;

constexpr const char* kJsonType = "application/json";
constexpr const char* kConversation = R"(/api/conversations/([0-9a-f]{32}))";
constexpr const char* kLines = R"(/api/conversations/([0-9a-f]{32})/lines)";

// A request that cannot be served, with its status and the reason given.
struct Refusal {
  int Status;
  std::string Why;
};

void Send(httplib::Response& response, int status, const Json& body) {
  response.status = status;
  // Replies are the engine's bytes, which may be cut inside a character;
  // JSON must be UTF-8, so such bytes are sent as U+FFFD.
  response.set_content(body.dump(-1, ' ', false, Json::error_handler_t::replace), kJsonType);
}

void SendError(httplib::Response& response, int status, const std::string& why) {
  Send(response, status, Json{{"error", why}});
}

bool IsJsonType(const httplib::Request& request) {
  std::string type = request.get_header_value("Content-Type");
  type = type.substr(0, type.find(';'));
  type.erase(
      std::remove_if(type.begin(), type.end(), [](unsigned char c) { return std::isspace(c); }),
      type.end());
  std::transform(type.begin(), type.end(), type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return type == kJsonType;
}

// The body as a JSON object. An empty body stands for {} where `emptyIsObject`.
Json BodyObject(const httplib::Request& request, bool emptyIsObject) {
  if (emptyIsObject && request.body.empty()) return Json::object();
  if (!IsJsonType(request))
    throw Refusal{415, "the body must be JSON (Content-Type: application/json)"};
  Json body = Json::parse(request.body, nullptr, false);
  if (body.is_discarded()) throw Refusal{400, "the body is not valid JSON in UTF-8"};
  if (!body.is_object()) throw Refusal{400, "the body must be a JSON object"};
  return body;
}

std::optional<std::uint32_t> SeedOf(const Json& body) {
  const auto seed = body.find("seed");
  if (seed == body.end() || seed->is_null()) return std::nullopt;
  // The parser keeps every whole number from 0 up as unsigned; a negative one
  // is signed, a fraction a float, and both are refused.
  if (seed->is_number_unsigned() &&
      seed->get<std::uint64_t>() <= std::numeric_limits<std::uint32_t>::max()) {
    return seed->get<std::uint32_t>();
  }
  throw Refusal{400, "\"seed\" must be a whole number from 0 to 4294967295"};
}

// Runs `serve`, turning refusals and faults into JSON errors.
template <typename Serve>
void Guarded(httplib::Response& response, const std::function<void(const std::string&)>& report,
             Serve serve) {
  try {
    serve();
  } catch (const Refusal& refusal) {
    SendError(response, refusal.Status, refusal.Why);
  } catch (const StoreError& error) {
    report(std::string("database: ") + error.what());
    SendError(response, 503, "the conversation could not be kept; nothing was changed");
  } catch (const std::exception& error) {
    report(error.what());
    SendError(response, 500, "the service failed");
  }
}

const char* StatusReason(int status) {
  switch (status) {
    case 400:  // only the HTTP layer's own: a body without its length, an unknown method
      return "the request could not be read";
    case 404:
      return "not found";
    case 405:
      return "method not allowed";
    case 410:
      return "the conversation has ended";
    case 413:
      return "the body is larger than 65536 bytes";
    case 414:
      return "the address is too long";
    case 415:
      return "the body must be JSON";
    default:
      return status >= 500 ? "the service failed" : "the request was refused";
  }
}

}  // namespace

void ServeChat(httplib::Server& server, ChatService& service,
               std::function<void(const std::string&)> report) {
  server.set_payload_max_length(kMaxBodyBytes);
  server.set_default_headers({
      {"Content-Security-Policy", kContentSecurityPolicy},
      {"X-Content-Type-Options", "nosniff"},
      {"Referrer-Policy", "no-referrer"},
      {"Cache-Control", "no-store"},
  });
  // Errors that the HTTP layer makes itself (an unknown path, a body too
  // large) get the same JSON body as the service's own.
  server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (response.body.empty()) SendError(response, response.status, StatusReason(response.status));
  });

  server.Post("/api/conversations", [&service, report](const httplib::Request& request,
                                                       httplib::Response& response) {
    Guarded(response, report, [&] {
      const ChatService::Started started = service.Start(SeedOf(BodyObject(request, true)));
      response.set_header("Location", "/api/conversations/" + started.Id);
      Send(response, 201, Json{{"id", started.Id}, {"greeting", started.Greeting}});
    });
  });

  server.Post(kLines,
              [&service, report](const httplib::Request& request, httplib::Response& response) {
                Guarded(response, report, [&] {
                  const Json body = BodyObject(request, false);
                  const auto line = body.find("line");
                  if (line == body.end() || !line->is_string()) {
                    throw Refusal{400, "the body needs \"line\", a string"};
                  }
                  const ChatService::Answer answer =
                      service.Say(request.matches[1], line->get_ref<const std::string&>());
                  switch (answer.Result) {
                    case ChatService::Outcome::kUnknown:
                      throw Refusal{404, "no such conversation"};
                    case ChatService::Outcome::kEnded:
                      throw Refusal{410, "the conversation has ended"};
                    case ChatService::Outcome::kAnswered:
                      Send(response, 200, Json{{"reply", answer.Reply}, {"ended", answer.Ended}});
                  }
                });
              });

  server.Get(kConversation, [&service, report](const httplib::Request& request,
                                               httplib::Response& response) {
    Guarded(response, report, [&] {
      const std::string id = request.matches[1];
      const auto transcript = service.Read(id);
      if (!transcript) throw Refusal{404, "no such conversation"};
      Send(response, 200,
           Json{{"id", id}, {"ended", transcript->Ended}, {"records", transcript->Records}});
    });
  });

  server.Delete(kConversation,
                [&service, report](const httplib::Request& request, httplib::Response& response) {
                  Guarded(response, report, [&] {
                    if (!service.Remove(request.matches[1]))
                      throw Refusal{404, "no such conversation"};
                    response.status = 204;
                  });
                });

  for (const PageFile& file : PageFiles()) {
    std::string pattern;
    for (const char c : file.Path) {
      if (c == '.') pattern += '\\';  // the path is a regular expression
      pattern += c;
    }
    server.Get(pattern, [&file](const httplib::Request&, httplib::Response& response) {
      // Checked again on every load, so that a new version is seen at once.
      response.headers.erase("Cache-Control");
      response.set_header("Cache-Control", "no-cache");
      response.set_content(file.Bytes.data(), file.Bytes.size(), std::string(file.ContentType));
    });
  }
}

}  // namespace velk
