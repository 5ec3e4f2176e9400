#include "language/numeric_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velk {
namespace {

// Walks a text the way LeadingNumber reads it: blanks, tabs and line feeds
// are invisible wherever they stand.
class NumberReader {
 public:
  explicit NumberReader(std::string_view text) : text_(text) {}

  char Peek() {
    while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Take(std::string& into) { into += text_[pos_++]; }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

  // Appends a run of digits; returns how many.
  int TakeDigits(std::string& into) {
    int count = 0;
    while (IsDigit(Peek())) {
      Take(into);
      ++count;
    }
    return count;
  }

 private:
  static bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// For a decimal too large or too small for a double: whether it is too large,
// judged by the place of its first significant digit.
bool OverflowsUpward(std::string_view number) {
  long long magnitude = 0;  // power of ten of the first significant digit, plus one
  bool seenPoint = false, seenSignificant = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e'; ++i) {
    const char c = number[i];
    if (c == '.') {
      seenPoint = true;
    } else if (!seenSignificant && c == '0') {
      if (seenPoint) --magnitude;
    } else {
      seenSignificant = true;
      if (!seenPoint) ++magnitude;
    }
  }
  long long exponent = 0;
  bool negativeExponent = false;
  for (++i; i < number.size(); ++i) {
    if (number[i] == '-') negativeExponent = true;
    if (number[i] >= '0' && number[i] <= '9' && exponent < 1000000000) {
      exponent = exponent * 10 + (number[i] - '0');
    }
  }
  return magnitude + (negativeExponent ? -exponent : exponent) > 0;
}

// Converts "[-]digits[.digits][e[-]digits]" without regard to the locale,
// which a window toolkit may have changed. Out of range means infinite or 0.
double ParseDecimal(std::string_view number) {
  const bool negative = !number.empty() && number.front() == '-';
  if (!number.empty() && (number.front() == '-' || number.front() == '+')) number.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    value = OverflowsUpward(number) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  NumberReader reader(text);
  std::string number;
  if (reader.Peek() == '+' || reader.Peek() == '-') reader.Take(number);
  int digits = reader.TakeDigits(number);
  if (reader.Peek() == '.') {
    reader.Take(number);
    digits += reader.TakeDigits(number);
  }
  if (digits == 0) return 0.0;

  const char marker = reader.Peek();
  if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
    const std::size_t markerPos = reader.Position();
    std::string exponent = "e";
    reader.Rewind(markerPos + 1);
    if (reader.Peek() == '+' || reader.Peek() == '-') reader.Take(exponent);
    if (reader.TakeDigits(exponent) > 0) number += exponent;
  }
  return ParseDecimal(number);
}

std::optional<std::int16_t> RoundToInt16(double value) {
  // The default floating-point environment rounds to nearest, ties to even.
  const double rounded = std::nearbyint(value);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::string NumberText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace velk
