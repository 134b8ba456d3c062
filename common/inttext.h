#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The one integer syntax of files and cells: optional leading blanks, an
// optional sign, then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X"; nothing after them. The sign applies to hexadecimal too
// ("-$10" is -16), and hexadecimal digits give a magnitude, not a bit pattern:
// "$FFFFFFFF" does not fit and is refused, "-$80000000" is the smallest value.
std::optional<int32_t> parseIntText(const QString& text);
int32_t parseIntTextOr(const QString& text, int32_t fallback);

// Upper-case hexadecimal, zero-padded to at least minDigits digits.
QString hexText(uint32_t value, int minDigits = 1);
