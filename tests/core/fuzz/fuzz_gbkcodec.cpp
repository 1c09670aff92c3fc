// The report codec on any bytes and any text: decode then encode gives the
// bytes back, encode then decode gives the text back, and the file-to-view
// mapping loses nothing either.
#include "doc/gbkcodec.h"
#include "doc/reporttext.h"
#include "fuzzinput.h"

namespace {

// Valid Unicode text from the bytes: scalar values only, no lone surrogates.
std::u16string TextFrom(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i + 2 < size; i += 3) {
        std::uint32_t cp = (static_cast<std::uint32_t>(data[i]) << 16 | data[i + 1] << 8 | data[i + 2]) % 0x110000;
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp -= 0x800;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (cp >> 10));
            text += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            text += static_cast<char16_t>(cp);
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string decoded = GbkDecode(bytes);
    FUZZ_CHECK(GbkEncode(decoded) == bytes);
    FUZZ_CHECK(GbkEncodedLength(decoded) == bytes.size());

    const std::u16string view = FileBytesToViewText(bytes);
    FUZZ_CHECK(ViewTextToFileBytes(view) == bytes);
    FUZZ_CHECK(ViewTextFileLength(view) == bytes.size());

    const std::u16string text = TextFrom(data, size);
    FUZZ_CHECK(GbkDecode(GbkEncode(text)) == text);
    return 0;
}
