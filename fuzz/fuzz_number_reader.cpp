// Reads arbitrary lines as numbers and checks what every answer must be: never NaN, unchanged
// by whatever follows the first non-ASCII character (no such character belongs to a number),
// infinite exactly when the whole part is too long for a double, and, on ASCII lines whose
// number is not huge, the value that a plain digit-by-digit reading gives: exactly where that
// reading is exact, and to within a few units in the last place otherwise.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/text/text.h"
#include "sign/number_reader.h"

namespace {

using platform::Text;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Bytes below 0x80 are ASCII characters. Most bytes above stand for the ASCII character of the
// same low seven bits moved up by 0x100 (U+0130 for '0', U+012E for '.', U+0120 for a blank),
// which a reader that narrows characters to bytes would mistake for the ASCII one; the rest are
// look-alikes of digits, blanks, signs and points from other scripts, and broken UTF-16.
char16_t ToCharacter(std::uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xF0) return static_cast<char16_t>(0x100 | (byte & 0x7F));
  if (byte <= 0xF9) return static_cast<char16_t>(u'\uFF10' + (byte - 0xF0));  // fullwidth digits
  switch (byte) {
    case 0xFA:
      return u'\u00A0';  // no-break space
    case 0xFB:
      return u'\u3000';  // ideographic space
    case 0xFC:
      return u'\u2212';  // minus sign
    case 0xFD:
      return u'\uFF0E';  // fullwidth full stop
    case 0xFE:
      return 0xD800;  // a lone surrogate
    default:
      return 0xFFFF;
  }
}

// The number at the start of an ASCII line, taken apart digit by digit.
struct Scanned {
  bool negative = false;
  int digits = 0;              // all digits, whole and fraction part
  int significant_digits = 0;  // digits from the first non-zero one on
  int whole_significant_digits = 0;
  int fraction_digits = 0;
  std::uint64_t mantissa = 0;   // the first 15 significant digits: exact in a double
  long double approximate = 0;  // all digits as one integer, in long double
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

Scanned Scan(const Text& line) {
  Scanned number;
  std::size_t at = 0;
  while (at < line.size() && (line[at] == u' ' || line[at] == u'\t')) ++at;
  if (at < line.size() && (line[at] == u'-' || line[at] == u'+')) {
    number.negative = line[at] == u'-';
    ++at;
  }
  const auto take_digit = [&number](char16_t c, bool fraction) {
    const int digit = c - u'0';
    ++number.digits;
    if (fraction) ++number.fraction_digits;
    if (number.significant_digits > 0 || digit != 0) {
      ++number.significant_digits;
      if (!fraction) ++number.whole_significant_digits;
    }
    if (number.significant_digits <= 15) number.mantissa = number.mantissa * 10 + digit;
    number.approximate = number.approximate * 10 + digit;
  };
  for (; at < line.size() && IsDigit(line[at]); ++at) take_digit(line[at], false);
  if (at < line.size() && line[at] == u'.') {
    for (++at; at < line.size() && IsDigit(line[at]); ++at) take_digit(line[at], true);
  }
  return number;
}

// Powers of ten that a double holds exactly.
double ExactPowerOfTen(int exponent) {
  double power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

void CheckAgainstReference(const Text& ascii_line, double value) {
  const Scanned number = Scan(ascii_line);
  if (number.digits == 0) {
    Check(value == 0);
    return;
  }
  const double sign = number.negative ? -1 : 1;
  if (number.whole_significant_digits > 309) Check(std::isinf(value) && value * sign > 0);
  if (number.whole_significant_digits < 309) Check(std::isfinite(value));

  if (number.significant_digits == 0) {
    Check(value == 0);
  } else if (number.significant_digits <= 15 && number.fraction_digits <= 22) {
    // Both the digits and the power of ten are exact in a double, so one division rounds
    // correctly: any correct reader gives exactly this.
    const double expected =
        static_cast<double>(number.mantissa) / ExactPowerOfTen(number.fraction_digits);
    Check(value == sign * expected);
  } else if (number.digits <= 400) {
    const long double expected =
        number.approximate / std::pow(10.0L, static_cast<long double>(number.fraction_digits));
    // Not huge and not tiny: well inside a double's normal range.
    if (expected > 1e-300L && expected < 1e300L) {
      const long double error = std::fabs(static_cast<long double>(value) - sign * expected);
      Check(error <= expected * 1e-14L);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Text line;
  line.reserve(size);
  for (std::size_t i = 0; i < size; ++i) line.push_back(ToCharacter(data[i]));

  const double value = sign::ReadNumber(line);
  Check(!std::isnan(value));

  std::size_t ascii_end = 0;
  while (ascii_end < line.size() && line[ascii_end] < 0x80) ++ascii_end;
  const Text ascii_line = line.substr(0, ascii_end);
  if (ascii_end < line.size()) Check(sign::ReadNumber(ascii_line) == value);

  CheckAgainstReference(ascii_line, value);
  return 0;
}
