#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/globals.h"
#include "base/text.h"

namespace pelmora {
namespace {

TEST(ParseNumber, LeadingDecimalNumberAfterFullWidthFolding) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"15", 15},       {"１５", 15},      {"－２．５", -2.5}, {"　１２", 12},
        {"2.9", 2.9},     {"-2.9", -2.9},    {"1e3x", 1000},     {"１ｅ２", 100},
        {"abc", 0},       {"", 0},           {"  +7", 7},        {"\t-8kg", -8},
        {".5", 0.5},      {"5.", 5},         {"1e", 1},          {"1e+", 1},
        {"0x10", 0},      {"inf", 0},        {"nan", 0},         {"1,5", 1},
        {"-", 0},         {".", 0},          {"+.e3", 0},        {"2.5E-1", 0.25},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(parseNumber(c.text), c.expected) << c.text;
}

TEST(ParseNumber, FoldsEveryFullWidthAsciiForm) {
    EXPECT_EQ(foldFullWidth("\xA3\xA1\xA3\xFE"), "!~");
    EXPECT_EQ(foldFullWidth("\xA1\xA1\xA1\xAB\xA1\xEE\xA1\xEF"), " ~**");
    // Other double-byte characters stay whole, even when their trail byte is A3.
    EXPECT_EQ(foldFullWidth("图\xA3"), "图\xA3");
    EXPECT_EQ(foldFullWidth("\xB0\xA3\xA3\xB1"), "\xB0\xA3" "1");
}

TEST(TruncateToInt, TowardZeroThenLow32Bits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double number;
        std::int32_t expected;
    } cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {0.99, 0},
        {1e30, 0},
        {-1e30, 0},
        {nan, 0},
        {inf, 0},
        {-inf, 0},
        {2147483647.0, 2147483647},
        {2147483648.0, -2147483647 - 1},
        {4294967297.5, 1},
        {-4294967297.0, -1},
        {9223372036854775808.0, 0},    // 2^63: outside
        {-9223372036854775808.0, 0},   // -2^63: inside, low bits are 0
        {9223372036854774784.0, -1024},  // largest double below 2^63
    };
    for (const auto& c : cases) EXPECT_EQ(truncateToInt(c.number), c.expected) << c.number;
}

TEST(NumberText, PrintsThirteenSignificantDigits) {
    EXPECT_EQ(numberText(10), "10");
    EXPECT_EQ(numberText(-3), "-3");
    EXPECT_EQ(numberText(2147483647), "2147483647");
    EXPECT_EQ(numberText(0.1), "0.1");
    EXPECT_EQ(numberText(1e20), "1e+20");
    EXPECT_EQ(numberText(1.0 / 3), "0.3333333333333");
    EXPECT_EQ(boolText(true), "真");
    EXPECT_EQ(boolText(false), "假");
}

TEST(LowerAscii, ChangesOnlyAsciiCapitalsAndStepsOverDoubleByteCharacters) {
    EXPECT_EQ(lowerAscii("A.JPG"), "a.jpg");
    // 0x81 0x41: a double-byte character whose trail byte is 'A'.
    EXPECT_EQ(lowerAscii("\x81\x41" "B"), "\x81\x41" "b");
    EXPECT_EQ(lowerAscii("图片.Tiff"), "图片.tiff");
    // A lead byte at the very end has no trail to protect.
    EXPECT_EQ(lowerAscii("X\x81"), "x\x81");
}

TEST(RightPart, CountsBytes) {
    EXPECT_EQ(rightPart("a.jpeg", 4), "jpeg");
    EXPECT_EQ(rightPart("bmp", 4), "bmp");
    EXPECT_EQ(rightPart("", 4), "");
}

TEST(SplitProgramPath, CutsAtTheLastRealBackslash) {
    const struct {
        const char* path;
        const char* directory;
        const char* file;
    } cases[] = {
        {"C:\\Tools\\Pelmora.exe", "C:\\Tools", "Pelmora.exe"},
        {"C:\\Pelmora.exe", "C:", "Pelmora.exe"},
        {"C:\\Program Files\\P m\\a b.exe", "C:\\Program Files\\P m", "a b.exe"},
        // 0x81 0x5C: a double-byte character whose trail byte is a backslash.
        {"D:\\Tools\\ab\x81\x5C", "D:\\Tools", "ab\x81\x5C"},
        {"D:\\\xB1\xED\x81\x5C\\p.exe", "D:\\\xB1\xED\x81\x5C", "p.exe"},
        {"Pelmora.exe", "", "Pelmora.exe"},
    };
    for (const auto& c : cases) {
        const ProgramPath p = splitProgramPath(c.path);
        EXPECT_EQ(p.directory, c.directory) << c.path;
        EXPECT_EQ(p.fileName, c.file) << c.path;
        if (*c.directory) {
            EXPECT_EQ(p.directory + "\\" + p.fileName, c.path);
        }
    }
}

TEST(TrimLeadingBlanks, DropsBytesUpTo32Only) {
    EXPECT_EQ(trimLeadingBlanks(" \t\x01\x20x y "), "x y ");
    EXPECT_EQ(trimLeadingBlanks("   "), "");
    EXPECT_EQ(trimLeadingBlanks("\xA1\xA1x"), "\xA1\xA1x");
}

TEST(NoticeStyle, AddsExclamationUnlessAnIconBitIsGiven) {
    EXPECT_EQ(noticeStyle(0), 4144u);
    EXPECT_EQ(noticeStyle(16), 16u + 4096u);
    EXPECT_EQ(noticeStyle(32), 32u + 4096u);
    EXPECT_EQ(noticeStyle(1), 1u + 48u + 4096u);
}

}  // namespace
}  // namespace pelmora
