// Giving the chosen reply its casually typed final form.
#ifndef VELK_STYLING_STYLE_REPLY_H_
#define VELK_STYLING_STYLE_REPLY_H_

#include <string>
#include <string_view>

namespace velk {

class TurnContext;

// The styled reply: lower case, a closing mark, sometimes an opener or an
// emoticon, capitals for "I", sentence starts and first names, and random
// typing errors.
std::string StyleReply(TurnContext& turn, std::string_view reply);

}  // namespace velk

#endif  // VELK_STYLING_STYLE_REPLY_H_
