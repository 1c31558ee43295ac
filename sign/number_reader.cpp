#include "sign/number_reader.h"

#include <charconv>
#include <cmath>
#include <string>

namespace sign {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

double ReadNumber(const platform::Text& line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) ++i;

  // Gather the number's characters as ASCII; from_chars reads them without the locale.
  std::string number;
  if (i < line.size() && (line[i] == u'+' || line[i] == u'-')) {
    if (line[i] == u'-') number.push_back('-');
    ++i;
  }
  std::size_t digits = 0;
  bool whole_part_nonzero = false;
  for (; i < line.size() && IsDigit(line[i]); ++i, ++digits) {
    whole_part_nonzero = whole_part_nonzero || line[i] != u'0';
    number.push_back(static_cast<char>(line[i]));
  }
  if (i < line.size() && line[i] == u'.') {
    number.push_back('.');
    for (++i; i < line.size() && IsDigit(line[i]); ++i, ++digits) {
      number.push_back(static_cast<char>(line[i]));
    }
  }
  if (digits == 0) return 0;

  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large for a double, or too close to zero: the first is surely off any screen, the
    // second is 0 for all purposes here.
    if (!whole_part_nonzero) return 0;
    return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
  }
  return value;
}

}  // namespace sign
