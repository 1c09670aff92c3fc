#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// Specimen strengths read from a text stream for the strength calculator.

// More strengths or lines than this are refused rather than held: endless
// input (`yes 30 | qoru-calc stddev`, `yes ''`) ends with a message, not out
// of memory or never.
inline constexpr std::size_t kMaxStrengths = 10'000'000;

struct StrengthReading
{
    std::vector<double> strengths; // floats widened, as the list rows hold them
    // Why reading stopped before the end, as a message: a value refused with
    // its line, too many values, or a failed read. Empty when all was read.
    std::string error;
};

// Reads strengths from `in` as it comes, one or more a line separated by
// blanks or tabs; a line ends at LF, CR LF or a lone CR, and a UTF-8 BOM
// may open the text. Each value goes through the checks of the Add button;
// a word longer than the input box holds is no number. Stops at the first
// value refused, at more than `maxCount` values or lines (blank ones
// included) or when reading fails;
// `source` names the stream in the message of a failed read.
StrengthReading ReadStrengths(
    std::FILE* in, const std::string& source, std::size_t maxCount = kMaxStrengths);
