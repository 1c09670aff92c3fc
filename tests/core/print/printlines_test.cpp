#include "print/printlines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every character 10 wide, an ideograph or U+3000 20 wide.
double Advance(char32_t c)
{
    return c >= 0x2E80 ? 20 : 10;
}

struct Shown
{
    std::u16string text;
    double x;
};

// The printed lines as text, the runs of each joined by '|'.
std::vector<std::u16string> Lines(std::u16string_view text, double width, double tab = 40)
{
    const PrintLayout layout = LayOutText(text, width, tab, Advance);
    std::vector<std::u16string> out;
    for (const PrintLine& line : layout.lines) {
        std::u16string s;
        for (std::uint32_t r = 0; r < line.runCount; ++r) {
            const PrintRun& run = layout.runs[line.firstRun + r];
            if (r)
                s += u'|';
            s += text.substr(run.start, run.length);
        }
        out.push_back(s);
    }
    return out;
}

using L = std::vector<std::u16string>;

TEST(LayOutText, BreaksAtTheLastWhiteSpaceThatFitsAndDropsIt)
{
    // 70 wide: seven narrow characters.
    EXPECT_EQ(Lines(u"aaa bbb ccc", 70), (L { u"aaa bbb", u"ccc" }));
    EXPECT_EQ(Lines(u"aaa bbbb ccc", 70), (L { u"aaa", u"bbbb", u"ccc" }));
    // A run of blanks at the break goes with it.
    EXPECT_EQ(Lines(u"aaa    bbbbb", 70), (L { u"aaa", u"bbbbb" }));
    // Blanks running past the edge start no line of their own.
    EXPECT_EQ(Lines(u"aaaaaaa      ", 70), (L { u"aaaaaaa" }));
    EXPECT_EQ(Lines(u"aaaaaaa      b", 70), (L { u"aaaaaaa", u"b" }));
    // A line that fits exactly is not broken.
    EXPECT_EQ(Lines(u"aaa bbb", 70), (L { u"aaa bbb" }));
}

TEST(LayOutText, BreaksAWordLongerThanTheWidthAtTheWidth)
{
    EXPECT_EQ(Lines(u"abcdefghijklmnop", 70), (L { u"abcdefg", u"hijklmn", u"op" }));
    EXPECT_EQ(Lines(u"ab abcdefghij", 70), (L { u"ab", u"abcdefg", u"hij" }));
    // Blanks in front of the word are no place to break: that would leave
    // an empty line.
    EXPECT_EQ(Lines(u"  abcdefghij", 70), (L { u"  abcde", u"fghij" }));
    // Narrower than one character: one character a line, never none.
    EXPECT_EQ(Lines(u"abc", 5), (L { u"a", u"b", u"c" }));
}

TEST(LayOutText, ChineseReportLinesBreakAtTheIdeographicSpace)
{
    // Ideographs 20 wide, 100 wide body: five a line.
    EXPECT_EQ(Lines(u"　　水泥强度等级　　fce", 100), (L { u"　　水泥强", u"度等级", u"fce" }));
    EXPECT_EQ(Lines(u"水泥强度等级", 100), (L { u"水泥强度等", u"级" }));
}

TEST(LayOutText, TabsStopEveryTabWidthFromTheLineStart)
{
    const std::u16string text = u"a\tbb\tc";
    const PrintLayout layout = LayOutText(text, 1000, 40, Advance);
    ASSERT_EQ(layout.lines.size(), 1u);
    ASSERT_EQ(layout.lines[0].runCount, 3u);
    EXPECT_DOUBLE_EQ(layout.runs[0].x, 0);
    EXPECT_DOUBLE_EQ(layout.runs[1].x, 40);
    EXPECT_DOUBLE_EQ(layout.runs[2].x, 80); // "bb" ends at 60, next stop 80
    // A tab standing at a stop goes to the next one.
    const PrintLayout full = LayOutText(u"abcd\te", 1000, 40, Advance);
    EXPECT_DOUBLE_EQ(full.runs[1].x, 80);
    // A tab past the width breaks the line and is dropped.
    EXPECT_EQ(Lines(u"abcde\tfg", 70), (L { u"abcde", u"fg" }));
    // On a wrapped line the stops count from its own start.
    const std::u16string wrapped = u"abcdefgh\ti";
    const PrintLayout w = LayOutText(wrapped, 70, 40, Advance);
    ASSERT_EQ(w.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(w.runs.back().x, 40);
}

TEST(LayOutText, EveryLineBreakOfTheViewTextEndsALine)
{
    EXPECT_EQ(Lines(u"a\nb", 70), (L { u"a", u"b" }));
    EXPECT_EQ(Lines(u"a\n\nb", 70), (L { u"a", u"", u"b" }));
    // Lone LF and CR of the file, CR LF typed in, the separators.
    EXPECT_EQ(Lines(u"a\xDC0A"
                    u"b\xDC0D"
                    u"c",
                  70),
        (L { u"a", u"b", u"c" }));
    EXPECT_EQ(Lines(u"a\r\nb\rc", 70), (L { u"a", u"b", u"c" }));
    EXPECT_EQ(Lines(u"a\u2028b\u2029c", 70), (L { u"a", u"b", u"c" }));
    // A lone CR before a line break of the view is a break of its own.
    EXPECT_EQ(Lines(u"a\xDC0D\nb", 70), (L { u"a", u"", u"b" }));
}

TEST(LayOutText, TheLastLineHoldsTheLastCharacter)
{
    EXPECT_TRUE(Lines(u"", 70).empty());
    EXPECT_EQ(Lines(u"\n", 70), (L { u"" }));
    EXPECT_EQ(Lines(u"a\n", 70), (L { u"a" }));
    EXPECT_EQ(Lines(u"a\n\n", 70), (L { u"a", u"" }));
    EXPECT_EQ(Lines(u"\r\n报告\r\n", 70), (L { u"", u"报告" }));
}

TEST(LayOutText, ByteEscapesAndControlsPrintAsNothing)
{
    // U+DCB0 (a lone GBK lead byte) takes no room and splits the run.
    EXPECT_EQ(Lines(u"ab\xDCB0"
                    u"cdefg",
                  70),
        (L { u"ab|cdefg" }));
    EXPECT_EQ(Lines(std::u16string(u"a\0b", 3), 70), (L { u"a|b" }));
    EXPECT_EQ(Lines(u"\xDC80\xDCFF", 70), (L { u"" }));
    // A high surrogate at the very end, or one without its pair.
    EXPECT_EQ(Lines(u"ab\xD800", 70), (L { u"ab" }));
    EXPECT_EQ(Lines(u"a\xD800"
                    u"b",
                  70),
        (L { u"a|b" }));
    // A real pair is one character and stays whole.
    const std::u16string pair = u"\U00020000\U00020000\U00020000\U00020000";
    const L lines = Lines(pair, 70);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], u"\U00020000\U00020000\U00020000");
    EXPECT_EQ(lines[1], u"\U00020000");
}

TEST(Pages, WholeLinesAndAtLeastOne)
{
    EXPECT_EQ(LinesPerPage(100, 10), 10);
    EXPECT_EQ(LinesPerPage(99.9, 10), 9);
    EXPECT_EQ(LinesPerPage(5, 10), 1);
    EXPECT_EQ(LinesPerPage(100, 0), 1);
    EXPECT_EQ(PageCount(0, 10), 1);
    EXPECT_EQ(PageCount(10, 10), 1);
    EXPECT_EQ(PageCount(11, 10), 2);
    EXPECT_EQ(PageCount(5, 0), 5);
}

} // namespace
