#include "base/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pelmora {

const char* const kTrueText = "真";
const char* const kFalseText = "假";

namespace {

bool isLeadByte(unsigned char b) { return b >= 0x80; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

Text rightPart(const Text& text, std::size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

Text lowerAscii(const Text& text) {
    Text out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(out[i]);
        if (isLeadByte(b)) {
            ++i;  // the trail byte belongs to the same character
        } else if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b - 'A' + 'a');
        }
    }
    return out;
}

Text foldFullWidth(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (!isLeadByte(b) || i + 1 >= text.size()) {
            out.push_back(text[i]);
            continue;
        }
        unsigned char t = static_cast<unsigned char>(text[i + 1]);
        if (b == 0xA3 && t >= 0xA1 && t <= 0xFE) {
            out.push_back(static_cast<char>(t - 0x80));
        } else if (b == 0xA1 && t == 0xA1) {
            out.push_back(' ');
        } else if (b == 0xA1 && t == 0xAB) {
            out.push_back('~');
        } else if (b == 0xA1 && (t == 0xEE || t == 0xEF)) {
            out.push_back('*');
        } else {
            out.push_back(text[i]);
            out.push_back(text[i + 1]);
        }
        ++i;
    }
    return out;
}

double parseNumber(const Text& text) { return parsePlainDecimal(foldFullWidth(text)); }

double parsePlainDecimal(const Text& s) {
    std::size_t i = 0;
    while (i < s.size() && isCSpace(s[i])) ++i;
    const std::size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        std::size_t fraction = 0;
        while (j < s.size() && isDigit(s[j])) ++j, ++fraction;
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && isDigit(s[j])) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    // Only the scanned decimal form reaches strtod, so hex, inf and nan never do.
    const Text number = s.substr(start, i - start);
    return std::strtod(number.c_str(), nullptr);
}

std::int32_t truncateToInt(double number) {
    // [-2^63, 2^63) is the 64-bit range; NaN fails both comparisons.
    if (!(number >= -9223372036854775808.0 && number < 9223372036854775808.0)) return 0;
    const auto wide = static_cast<std::int64_t>(number);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

Text numberText(double number) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", number);
    return buffer;
}

Text boolText(bool value) { return value ? kTrueText : kFalseText; }

Text trimLeadingBlanks(const Text& text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
    return text.substr(i);
}

std::size_t lastBackslash(const Text& path) {
    std::size_t last = Text::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (isLeadByte(b)) {
            ++i;
        } else if (b == '\\') {
            last = i;
        }
    }
    return last;
}

ProgramPath splitProgramPath(const Text& fullPath) {
    const std::size_t cut = lastBackslash(fullPath);
    if (cut == Text::npos) return {Text(), fullPath};
    return {fullPath.substr(0, cut), fullPath.substr(cut + 1)};
}

}  // namespace pelmora
