#include "engine/normalise.h"

#include "engine/text.h"

namespace velk {

std::string NormaliseInput(std::string_view line) { return ToUpper(line); }

}  // namespace velk
