#pragma once

#include "common/message.h"

#include <cstddef>
#include <optional>
#include <string>

// What a number box accepts. The box's text (UTF-8) is cut to its first 31
// characters; blanks and tabs may stand before and after one decimal number
// (sign, digits, an optional point and fraction, an optional exponent);
// nothing else may follow. A number whose value is zero must be written
// starting with the digit 0, so an empty box, ".0" or "-0" is not a number.
// A number too large or too small for a double is not a number either.
std::optional<double> ParseNumberBox(const std::string& text);

// The same number as its exact decimal digits: value = ±digits × 10^exponent,
// for whoever must not go through a double. `digits` holds every digit written
// (leading and trailing zeros included), without the point.
struct NumberBoxDigits
{
    bool negative = false;
    std::string digits;
    long exponent = 0;
};
std::optional<NumberBoxDigits> ParseNumberBoxDigits(const std::string& text);

// The characters a box holds: it reads no further.
inline constexpr std::size_t kBoxChars = 31;

// The characters of a UTF-8 text, as a box counts them.
std::size_t BoxChars(const std::string& text);

// A word read on its own (a value of a group line or a paste, a command-line
// option) is never cut as a box cuts its text: one longer than a box holds is
// refused whole, whatever its first 31 characters say.
bool FitsBox(const std::string& word);

// ParseNumberBox for such a word: none when it does not fit a box.
std::optional<double> ParseNumberWord(const std::string& word);

// A name a form shows and a report prints (a powder's): well-formed UTF-8
// without control characters, one to 31 characters.
bool IsBoxName(const std::string& text);

// The types a number box's value is held in.
enum class NumberBoxType { Double, Float, Int };

// A number box read into a member of `type`: a number by the rule above that
// the type can hold (a float within the float range, an int a whole number
// within the int range), or empty. Every number box of the program is read
// through here or, where exact decimals count, through ParseUnits.
std::optional<double> ReadNumberBox(const std::string& text, NumberBoxType type);

// What the user is told of a box that holds no number, the one spelling of
// it: a stop, spoken by the input rule.
Message NotANumberMessage();
