#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The report file's code page: GBK (code page 936), read and written as its
// superset GB18030 so that no character is ever lost.
//
// Decoding never fails. A byte that does not start a valid sequence becomes
// the lone surrogate U+DC00 + byte (U+DC80..U+DCFF), which encoding turns
// back into that byte, so decode-then-encode gives back any byte string.
// Encoding a character that GBK lacks writes its GB18030 form.
std::u16string GbkDecode(std::string_view bytes);
std::string GbkEncode(std::u16string_view text);

// The number of bytes GbkEncode(text) would write.
std::size_t GbkEncodedLength(std::u16string_view text);

// Raw forms for callers that size their own buffers; each returns the end of
// what it wrote. GbkDecodeInto writes at most bytes.size() code units,
// GbkEncodeInto exactly GbkEncodedLength(text) bytes.
char16_t* GbkDecodeInto(std::string_view bytes, char16_t* out);
char* GbkEncodeInto(std::u16string_view text, char* out);
