#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The report file's bytes and the text the report view holds.
//
// The view takes "\r", "\n" and "\r\n" alike for a line break, so the file's
// line ends are mapped explicitly: "\r\n" is a line break of the view (u'\n'),
// a lone "\n" is U+DC0A and a lone "\r" is U+DC0D, lone surrogates that no
// one can type and that sit below the GBK codec's byte escapes. A character
// the view itself would take for a line break (U+2028, U+2029, and Qt's
// frame marks U+FDD0, U+FDD1) is kept as its bytes, escaped one by one.
// So FileBytesToViewText then ViewTextToFileBytes gives back any byte string.
std::u16string FileBytesToViewText(std::string_view bytes);

// The file bytes of view text. Each line break becomes "\r\n": u'\n', a u'\r'
// (with a u'\n' after it, one break), U+2028 (Shift+Enter) and U+2029 (what
// the view's raw text has between blocks). U+DC0A and U+DC0D become "\n" and
// "\r"; everything else is GBK-encoded.
std::string ViewTextToFileBytes(std::u16string_view text);

// The number of bytes ViewTextToFileBytes(text) would write.
std::size_t ViewTextFileLength(std::u16string_view text);
