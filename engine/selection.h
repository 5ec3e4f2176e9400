// Choosing the one reply among the candidates of a line.
#ifndef VELK_ENGINE_SELECTION_H_
#define VELK_ENGINE_SELECTION_H_

#include <string>
#include <string_view>

namespace velk {

class RecallTable;
class TurnContext;

// Picks the winner among the candidates: replies already given lose 20
// points, replies found in earlier input are dropped, a candidate with a
// context code beats every one without, and ties go to the later slot. While
// nothing wins, adds an idle prompt and a recalled statement and tries again.
// Then records the line and the winner in the histories, sets LastContext
// and clears the slots it saw filled. Returns the winning text, unstyled (a
// winner with a code carries one trailing blank). `line` is the caller's line
// as given.
std::string SelectWinner(TurnContext& turn, RecallTable& recall, std::string_view line);

}  // namespace velk

#endif  // VELK_ENGINE_SELECTION_H_
