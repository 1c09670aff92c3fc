#include "stats/groupinput.h"

#include "common/exactdecimal.h"
#include "common/numberrule.h"

#include <algorithm>

namespace {

const char* const kOutOfRange = "“请填入一个在0和500之间的数字。”";
const char* const kNotPositive = "砼试件强度应大于零。";
const char* const kWrongCount = "每组应为3个试件强度或1个强度代表值。";
const char* const kCommaSeparates = "逗号用于分隔数值，不能作小数点；小数点请用“.”。";

constexpr std::int64_t kMaxUnits = 5000; // 500 MPa in 0.1 MPa

// Full-width separators a Chinese keyboard or spreadsheet gives: "，" "、"
// and the ideographic space become blanks before the line is split; the
// full-width digits and point (U+FF10..FF19, U+FF0E) are the ASCII ones.
std::string Normalise(std::string line)
{
    for (const char* wide : { "\xEF\xBC\x8C", "\xE3\x80\x81", "\xE3\x80\x80" }) {
        for (size_t at = line.find(wide); at != std::string::npos; at = line.find(wide, at))
            line.replace(at, 3, " ");
    }
    for (size_t at = line.find("\xEF\xBC"); at != std::string::npos && at + 2 < line.size();
         at = line.find("\xEF\xBC", at + 1)) {
        const auto last = static_cast<unsigned char>(line[at + 2]);
        if (last >= 0x90 && last <= 0x99)
            line.replace(at, 3, 1, static_cast<char>('0' + (last - 0x90)));
        else if (last == 0x8E)
            line.replace(at, 3, 1, '.');
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::vector<std::string> Words(const std::string& line)
{
    const char* const separators = " \t,";
    std::vector<std::string> words;
    for (size_t at = line.find_first_not_of(separators); at != std::string::npos;
         at = line.find_first_not_of(separators, at)) {
        const size_t stop = std::min(line.find_first_of(separators, at), line.size());
        words.push_back(line.substr(at, stop - at));
        at = stop;
    }
    return words;
}

GroupLineCheck ReadValue(const std::string& word, std::int64_t& units)
{
    const std::optional<double> number = ParseNumberWord(word);
    if (!number)
        return GroupLineCheck::NotANumber;
    const std::optional<std::int64_t> tenths = ParseUnits(word, 1);
    if (*number < 0 || !tenths || *tenths > kMaxUnits)
        return GroupLineCheck::OutOfRange;
    if (*tenths == kMaxUnits) {
        // 500.04 rounds to 500.0 but was typed above 500.
        const std::optional<std::int64_t> fine = ParseUnits(word, 9);
        if (!fine || *fine > kMaxUnits * 100000000)
            return GroupLineCheck::OutOfRange;
    }
    if (*tenths == 0)
        return GroupLineCheck::NotPositive;
    units = *tenths;
    return GroupLineCheck::Accepted;
}

std::string MessageOf(GroupLineCheck check)
{
    switch (check) {
    case GroupLineCheck::NotANumber:
        return NotANumberMessage().text;
    case GroupLineCheck::OutOfRange:
        return kOutOfRange;
    case GroupLineCheck::NotPositive:
        return kNotPositive;
    case GroupLineCheck::WrongCount:
        return kWrongCount;
    case GroupLineCheck::Accepted:
        break;
    }
    return "";
}

bool CommaBetweenDigits(const std::string& line)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (size_t at = line.find(','); at != std::string::npos; at = line.find(',', at + 1)) {
        if (at > 0 && at + 1 < line.size() && digit(line[at - 1]) && digit(line[at + 1]))
            return true;
    }
    return false;
}

bool Blank(const std::string& line)
{
    return Words(Normalise(line)).empty();
}

} // namespace

GroupLineEntry ReadGroupLine(const std::string& line)
{
    GroupLineEntry entry;
    const std::vector<std::string> words = Words(Normalise(line));
    if (words.empty()) {
        entry.message = MessageOf(GroupLineCheck::NotANumber);
        return entry;
    }
    // The first value that is wrong is named before a wrong count.
    for (const std::string& word : words) {
        std::int64_t units = 0;
        entry.check = ReadValue(word, units);
        if (entry.check != GroupLineCheck::Accepted) {
            entry.group.strengths.clear();
            entry.message = MessageOf(entry.check);
            entry.value = word;
            return entry;
        }
        entry.group.strengths.push_back(units);
    }
    if (words.size() != 1 && words.size() != 3) {
        entry.check = GroupLineCheck::WrongCount;
        entry.group.strengths.clear();
        entry.message = kWrongCount;
        if (CommaBetweenDigits(Normalise(line)))
            entry.message += kCommaSeparates; // "35,5" was meant as 35.5
    }
    return entry;
}

GroupBlock ReadGroupBlock(const std::string& text)
{
    GroupBlock block;
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; // a BOM some editors write
    for (int number = 1; start < text.size(); ++number) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (Blank(line))
            continue;
        const GroupLineEntry entry = ReadGroupLine(line);
        if (entry.check != GroupLineCheck::Accepted) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            block.groups.clear();
            block.badLine = number;
            block.badText = line;
            block.message = entry.message;
            return block;
        }
        block.groups.push_back(entry.group);
    }
    return block;
}

std::string GroupBlockNotice(const GroupBlock& block)
{
    std::string shown = block.badText;
    std::replace(shown.begin(), shown.end(), '\t', ' ');
    return "第" + std::to_string(block.badLine) + "行“" + shown + "”有误：" + block.message
        + "\n未添加任何试件组。";
}

Message GroupLineMessage(const GroupLineEntry& entry)
{
    // The number rules answer as the number boxes do; the group's own as the calculator.
    const bool input
        = entry.check == GroupLineCheck::NotANumber || entry.check == GroupLineCheck::OutOfRange;
    return { MessageKind::Stop, entry.message,
        input ? MessageSource::Input : MessageSource::Calculator };
}
