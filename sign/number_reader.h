// Reads a line of the setting file as a number: blanks before it are skipped, then an optional
// sign, decimal digits, and optionally "." with more digits. Whatever follows is ignored, and a
// line that does not start with such a number gives 0. The point is "." whatever the locale.
#pragma once

#include "platform/text/text.h"

namespace sign {

double ReadNumber(const platform::Text& line);

}  // namespace sign
