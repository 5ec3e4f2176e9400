// A log that keeps its lines in memory, and can be told to refuse them.
#ifndef VELK_TESTS_RECORDING_SINK_H_
#define VELK_TESTS_RECORDING_SINK_H_

#include <string>
#include <vector>

#include "frontends/conversation_log.h"

namespace velk::testing {

class RecordingSink final : public LineSink {
 public:
  // A refused group is lost, as it would be on a full disk.
  bool Append(const std::vector<std::string>& group) override {
    if (Refuse) return false;
    Lines.insert(Lines.end(), group.begin(), group.end());
    return true;
  }
  std::vector<std::string> Lines;
  bool Refuse = false;
};

}  // namespace velk::testing

#endif  // VELK_TESTS_RECORDING_SINK_H_
