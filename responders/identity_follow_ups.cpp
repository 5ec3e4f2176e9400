#include "responders/identity_follow_ups.h"

#include "engine/reply_engine.h"

namespace velk {

bool FollowUpIdentity(ReplyEngine& engine, const std::string& sentence) {
  (void)engine;
  (void)sentence;
  return false;
}

}  // namespace velk
