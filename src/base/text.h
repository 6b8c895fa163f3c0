// Text model: every text is a std::string of code page 936 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pelmora {

using Text = std::string;

// The last n bytes, or the whole text when it is shorter.
Text rightPart(const Text& text, std::size_t n);

// Lower-cases ASCII A..Z only; a byte of 128 or more starts a double-byte
// character and is kept together with the byte after it.
Text lowerAscii(const Text& text);

// Replaces the full-width forms of ASCII characters by the characters.
Text foldFullWidth(const Text& text);

// Full-width folding, then the longest leading decimal floating-point number;
// 0 when there is none.
double parseNumber(const Text& text);

// The longest leading decimal number, without full-width folding.
double parsePlainDecimal(const Text& text);

// Toward zero to 64 bits, then the low 32 bits; 0 outside the 64-bit range.
std::int32_t truncateToInt(double number);

// "%.13g".
Text numberText(double number);

// "真" / "假".
Text boolText(bool value);
extern const char* const kTrueText;
extern const char* const kFalseText;

// Without its leading bytes of value 32 or less.
Text trimLeadingBlanks(const Text& text);

// Position of the last backslash, stepping over double-byte characters;
// npos when there is none.
std::size_t lastBackslash(const Text& path);

struct ProgramPath {
    Text directory;  // without a trailing backslash; "C:" for a drive root
    Text fileName;
};

// Splits an executable's full path at its last backslash.
ProgramPath splitProgramPath(const Text& fullPath);

}  // namespace pelmora
