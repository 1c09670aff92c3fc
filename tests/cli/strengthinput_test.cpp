#include "cli/clioutput.h"
#include "cli/inputfile.h"
#include "cli/strengthinput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

const std::string kNoNumber = "请键入一个数。";
const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD

std::string Repeat(const std::string& text, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += text;
    return out;
}

// Through a real file: tmpfile() would want the root folder on Windows.
StrengthReading Read(const std::string& bytes, std::size_t maxCount)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("qoru-strengths-" + std::to_string(std::random_device {}()) + ".txt");
    std::ofstream(path, std::ios::binary) << bytes;
    std::FILE* file = OpenForReading(path.u8string());
    EXPECT_NE(file, nullptr);
    StrengthReading reading;
    if (file) {
        reading = ReadStrengths(file, "standard input", maxCount);
        std::fclose(file);
    }
    std::filesystem::remove(path);
    return reading;
}

TEST(StrengthInput, LinesEndAtLfCrLfOrALoneCrAndTheFirstBadValueStops)
{
    const struct
    {
        const char* name;
        std::string input;
        std::size_t count; // values taken before the stop
        std::string error;
    } cases[] = {
        { "lf_blanks_and_tabs", "1 2\n\t3 \n", 3, "" },
        { "lone_cr_ends_a_line", "1\r2\r\r3 x 5\n", 3, "line 4: \"x\": " + kNoNumber },
        { "cr_lf_is_one_break", "1\r\n2\r\n\r\nx", 2, "line 4: \"x\": " + kNoNumber },
        { "cr_lf_split_by_the_stop_point", "1\r\n\n0", 1, "line 3: \"0\": 砼试件强度应大于零。" },
        { "bom_at_the_start_only",
            "\xEF\xBB\xBF"
            "1 \xEF\xBB\xBF"
            "2",
            1,
            "line 1: \"\xEF\xBB\xBF"
            "2\": "
                + kNoNumber },
        { "no_line_end_at_the_end", "7", 1, "" },
        // The input box holds 31 characters; a longer word is no number even
        // where its first 31 would be one.
        { "31_characters", "3" + std::string(30, '0'), 0,
            "line 1: \"3" + std::string(30, '0') + "\": “请填入一个在0和500之间的数字。”" },
        { "32_characters", "30." + std::string(28, '0') + "x", 0,
            "line 1: \"30." + std::string(28, '0') + "x\": " + kNoNumber },
        // Endless words stop after 41 characters, echoed in 39 and "…".
        { "nul_bytes", "5 " + std::string(100000, '\0'), 1,
            "line 1: \"" + Repeat("\\x00", 9) + "…\": " + kNoNumber },
        { "more_than_max", "1 2 3\n4 5", 4, "line 2: more than 4 strengths" },
        { "exactly_max", "1 2\n3\n\n4\n", 4, "" },
        // Blank lines count, or endless blank input would never end.
        { "blank_lines", "\n\n\n\n\n", 0, "line 5: more than 4 lines" },
        { "lone_crs", "1\r\r\r\r2", 1, "line 5: more than 4 lines" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StrengthReading reading = Read(c.input, 4);
        EXPECT_EQ(reading.strengths.size(), c.count);
        EXPECT_EQ(reading.error, c.error);
    }
}

TEST(StrengthInput, QuotedValuesAreShortAndHarmless)
{
    const struct
    {
        std::string value;
        std::string shown;
    } cases[] = {
        { "abc", "\"abc\"" },
        { std::string(40, 'x'), "\"" + std::string(40, 'x') + "\"" },
        { std::string(41, 'x'), "\"" + std::string(39, 'x') + "…\"" },
        { "\x1b[2J\t1\r\n", "\"\\x1B[2J\\t1\\r\\n\"" }, // terminal escape, tab
        { "\xC3\x28\xFF\xC2\x85", "\"\\xC3(\\xFF\\xC2\\x85\"" }, // not UTF-8, a C1 control
        { kReplacement, "\"" + kReplacement + "\"" }, // itself, as typed
        { "粉煤灰", "\"粉煤灰\"" },
        // An escape counts its characters and is never cut.
        { std::string(50, '\0'), "\"" + Repeat("\\x00", 9) + "…\"" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Quoted(c.value), c.shown) << c.value;
    // A cut never splits a character.
    EXPECT_EQ(Quoted(Repeat("灰", 50)), "\"" + Repeat("灰", 39) + "…\"");
}

} // namespace
