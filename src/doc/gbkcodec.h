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

// GbkDecode and GbkEncode appending to out, for callers that build one buffer
// from pieces.
void GbkDecodeAppend(std::string_view bytes, std::u16string& out);
void GbkEncodeAppend(std::u16string_view text, std::string& out);
