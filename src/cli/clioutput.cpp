#include "cli/clioutput.h"

#include "doc/gbkcodec.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point at `at`, or kReplacement for a byte that does not start a
// well-formed sequence; `at` moves past what was read.
char32_t NextCodePoint(const std::string& text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    if (lead < 0x80)
        return lead;
    int more = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, cp = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, cp = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, cp = lead & 0x07, least = 0x10000;
    } else {
        return kReplacement;
    }
    std::size_t i = at;
    for (int k = 0; k < more; ++k, ++i) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    at = i;
    return cp;
}

std::u16string Utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t cp = NextCodePoint(text, at);
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

bool IsControl(char32_t cp)
{
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
}

std::string ByteEscape(unsigned char byte)
{
    const char* const hex = "0123456789ABCDEF";
    return { '\\', 'x', hex[byte >> 4], hex[byte & 0x0F] };
}

} // namespace

bool WriteOutput(std::FILE* stream, const std::string& utf8, OutputEncoding encoding)
{
    const std::string bytes = encoding == OutputEncoding::Gbk ? GbkEncode(Utf8ToUtf16(utf8)) : utf8;
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    if (std::fflush(stream) == 0 && written)
        return true;
    const int error = errno;
    const std::string name = stream == stderr ? "standard error" : "standard output";
    std::fprintf(stderr, "qoru-calc: %s: %s\n", name.c_str(),
        error != 0 ? SystemErrorText(error).c_str() : "write failed");
    return false;
}

std::string SystemErrorText(int error)
{
    std::string text = std::strerror(error);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

std::string Quoted(const std::string& value, std::size_t maxChars)
{
    // Each character as it is shown with the characters that takes, read up
    // to one past what may be shown.
    struct Piece
    {
        std::string text;
        std::size_t chars;
    };
    std::vector<Piece> pieces;
    std::size_t chars = 0;
    for (std::size_t at = 0; at < value.size() && chars <= maxChars;) {
        const std::size_t from = at;
        const char32_t cp = NextCodePoint(value, at);
        std::string text;
        if (cp == '\t' || cp == '\n' || cp == '\r') {
            text = cp == '\t' ? "\\t" : cp == '\n' ? "\\n" : "\\r";
        } else if (IsControl(cp) || (cp == kReplacement && at - from == 1)) {
            for (std::size_t i = from; i < at; ++i)
                text += ByteEscape(static_cast<unsigned char>(value[i]));
        } else {
            pieces.push_back({ value.substr(from, at - from), 1 });
            ++chars;
            continue;
        }
        chars += text.size();
        pieces.push_back({ text, text.size() });
    }
    std::string shown;
    std::size_t used = 0;
    const bool cut = chars > maxChars;
    for (const Piece& p : pieces) {
        if (cut && used + p.chars > maxChars - 1)
            break;
        shown += p.text;
        used += p.chars;
    }
    return "\"" + shown + (cut ? "…" : "") + "\"";
}

int Refuse(const std::string& text, const OutputStyle& style)
{
    if (style.json)
        WriteOutput(stdout, JsonText({ { "error", text } }), style.encoding);
    else
        WriteOutput(stderr, "qoru-calc: " + text + "\n", style.encoding);
    return kExitUsage;
}

std::string JsonText(const nlohmann::json& value)
{
    // Text from the caller is cleaned by Quoted; anything else that is not
    // UTF-8 still must not end the run with an exception.
    return value.dump(4, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

nlohmann::json MessagesJson(const Messages& messages)
{
    nlohmann::json array = nlohmann::json::array();
    for (const Message& m : messages)
        array.push_back(
            { { "kind", m.kind == MessageKind::Stop ? "stop" : "warn" }, { "text", m.text } });
    return array;
}

int FinishCalculation(const CliOutcome& outcome, const OutputStyle& style)
{
    const int status = outcome.stopped ? kExitStopped : kExitReport;

    if (style.json) {
        nlohmann::json object = outcome.extra;
        object["stopped"] = outcome.stopped;
        object["messages"] = MessagesJson(outcome.messages);
        object["report"] = outcome.stopped ? std::string() : outcome.report;
        object["results"] = outcome.stopped ? nlohmann::json::object() : outcome.results;
        return WriteOutput(stdout, JsonText(object), style.encoding) ? status : kExitUsage;
    }

    for (const Message& m : outcome.messages)
        if (!WriteOutput(stderr, m.text + "\n", style.encoding))
            return kExitUsage;
    if (!outcome.stopped && !WriteOutput(stdout, outcome.report, style.encoding))
        return kExitUsage;
    return status;
}
