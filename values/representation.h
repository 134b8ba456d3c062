#pragma once

#include "common/workingwindow.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <variant>

// How a value window reads, shows, takes and sends a row's value, chosen by
// the one-letter description type in the row.

// Width of a text in pixels, measured in the grid's font.
using TextWidth = std::function<int(const QString&)>;

// Grid columns of the two value window kinds; -1 where a kind has none.
struct ColumnRoles {
    int address = 0;
    int variable = 1;
    int value = 2;
    int input = -1;
    int yesNo = -1;
    int type = 3;
    int scaling = 4;
    int comment = 5;
    int mark = 6;

    static ColumnRoles of(WindowKind kind);
};

// Significant digits of the general number format, by use. The display
// window has no entry; its entry digits are those of the parameter window.
struct Precision {
    int readFraction = 7; // "F", "N"
    int readFloat = 7;    // "G"
    int entryFraction = 5;
    int entryFloat = 7;

    static Precision of(WindowKind kind);
};

namespace Representation {

constexpr int ToolButtonCount = 7;

// Letter of ToolButton1 ... ToolButton7, button 0 ... 6: "D", "#", "$", "F", "G", "N", "U".
QString letterOfButton(int button);
// Button (0 ... 6) of a letter, compared as a whole, case-sensitive text; -1 if none.
int buttonOfLetter(const QString& letter);
bool isDescriptionType(const QString& letter);
// Hint of a tool button; the parameter window spells two of them differently.
QString buttonHint(WindowKind kind, int button);

// A raw word above 32768 stands for raw - 65536; 32768 itself stays +32768.
int32_t signedView(int32_t raw);

// Read conversion of a 16-bit word. No text for "G", for letters that are
// not a description type, and for "N" when the scaling text is not a number.
std::optional<QString> readWord(const QString& letter, int32_t raw, const QString& scaling,
                                int precision);
// Read conversion of a float ("G").
QString readFloat(float value, int precision);

// Entry normalisation of a typed text; only the letter's first character
// counts. Throws ZorlError for "N" with a zero scaling value.
QString normaliseEntry(const QString& letter, const QString& typed, const QString& scaling);

// What the send conversion yields: a word for kestro_int_write or a float
// for kestro_float_write.
using SendValue = std::variant<int32_t, float>;
// Empty when nothing is to be sent: not a number, a zero or non-numeric
// scaling value for "N", or a letter that is not a description type.
std::optional<SendValue> sendValue(const QString& letter, const QString& typed,
                                   const QString& scaling);

// General number format with the given significant digits and the comma.
QString formatGeneral(double value, int precision);
// The low 16 bits as 0000.0000.0000.0101.
QString formatBits(int32_t value);
// "1" adds one and doubles, "0" doubles, anything else is skipped; halved at
// the end. Wraps on overflow; only the low bits matter.
int32_t readBits(const QString& text);
// Decimal fraction with the comma, optional sign and exponent, blanks around.
std::optional<double> parseFraction(const QString& text);

// Puts blanks in front of text until it fills the column up to 10 pixels.
QString padForColumn(const QString& text, int columnWidth, const TextWidth& width);

} // namespace Representation
