#include "styling/style_reply.h"

#include "engine/reply_engine.h"

namespace velk {

std::string StyleReply(ReplyEngine& engine, std::string_view reply) {
  (void)engine;
  return std::string(reply);
}

}  // namespace velk
