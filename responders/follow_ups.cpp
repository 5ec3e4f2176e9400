#include "responders/follow_ups.h"

#include "engine/reply_engine.h"
#include "responders/identity_follow_ups.h"

namespace velk {

void FollowUpContext(ReplyEngine& engine, const std::string& sentence) {
  FollowUpIdentity(engine, sentence);
}

}  // namespace velk
