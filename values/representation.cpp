#include "representation.h"

#include "common/errorreport.h"
#include "common/inttext.h"

#include <QByteArray>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

ColumnRoles ColumnRoles::of(WindowKind kind) {
    if (kind == WindowKind::Parameter)
        return {.address = 0,
                .variable = 1,
                .value = 2,
                .input = 3,
                .yesNo = 4,
                .type = 5,
                .scaling = 6,
                .comment = 7,
                .mark = 8};
    return {};
}

Precision Precision::of(WindowKind kind) {
    if (kind == WindowKind::Parameter)
        return {.readFraction = 5, .readFloat = 7, .entryFraction = 5, .entryFloat = 7};
    return {};
}

namespace Representation {

namespace {

struct TypeInfo {
    const char* letter;
    const char* displayHint;
    const char* parameterHint;
};

// In tool button order.
constexpr std::array<TypeInfo, ToolButtonCount> types{{
    {"D", "Signed integer", "Signed Integer"},
    {"#", "Bit-representation", "Bit-representation"},
    {"$", "Hexadecimal-representation", "Hexadecimal-representation"},
    {"F", "Standardized representation between +/-1", "Standardized representation between +/-1"},
    {"G", "Float-representation", "Float-representation"},
    {"N", "Standardized representation with scaling value",
     "Standardized representation with standardization value"},
    {"U", "Unsigned integer", "Unsigned integer"},
}};

constexpr float WordScale = 32768.0f;

int32_t limit(int64_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : (v > hi ? hi : static_cast<int32_t>(v));
}

// Round half to even in float, saturated to the word range. Infinities
// saturate like any other value beyond a limit; NaN has no value.
std::optional<int32_t> roundToWord(float x) {
    if (std::isnan(x))
        return std::nullopt;
    if (x >= 32767.0f)
        return 32767;
    if (x <= -32768.0f)
        return -32768;
    return static_cast<int32_t>(std::nearbyint(x));
}

// A fraction that a 32-bit float can hold.
std::optional<float> parseSingle(const QString& text) {
    const auto d = parseFraction(text);
    if (!d)
        return std::nullopt;
    if (std::fabs(*d) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*d);
}

std::optional<int32_t> parseHexEntry(const QString& t) {
    return parseIntText("$" + t);
}

} // namespace

QString letterOfButton(int button) {
    if (button < 0 || button >= ToolButtonCount)
        return {};
    return QString::fromLatin1(types[button].letter);
}

int buttonOfLetter(const QString& letter) {
    for (int i = 0; i < ToolButtonCount; ++i)
        if (letter == QLatin1String(types[i].letter))
            return i;
    return -1;
}

bool isDescriptionType(const QString& letter) {
    return buttonOfLetter(letter) >= 0;
}

QString buttonHint(WindowKind kind, int button) {
    if (button < 0 || button >= ToolButtonCount)
        return {};
    return QString::fromLatin1(kind == WindowKind::Parameter ? types[button].parameterHint
                                                             : types[button].displayHint);
}

int32_t signedView(int32_t raw) {
    return raw > 32768 ? raw - 65536 : raw;
}

std::optional<QString> readWord(const QString& letter, int32_t raw, const QString& scaling,
                                int precision) {
    if (letter == "D")
        return QString::number(signedView(raw));
    if (letter == "U")
        return QString::number(raw);
    if (letter == "$")
        return hexText(static_cast<uint32_t>(raw), 4);
    if (letter == "#")
        return formatBits(raw);
    if (letter == "F") {
        const float f = static_cast<float>(signedView(raw)) / WordScale;
        return formatGeneral(f, precision);
    }
    if (letter == "N") {
        const auto s = parseFraction(scaling);
        if (!s)
            return std::nullopt;
        const float f = static_cast<float>(*s * (signedView(raw) / 32768.0));
        return formatGeneral(f, precision);
    }
    return std::nullopt;
}

QString readFloat(float value, int precision) {
    return formatGeneral(value, precision);
}

QString normaliseEntry(const QString& letter, const QString& typed, const QString& scaling) {
    const QString t = typed.trimmed();
    const QChar c = letter.isEmpty() ? QChar() : letter.at(0);
    if (c == 'G')
        return formatGeneral(parseSingle(t).value_or(0.0f), 7);
    if (c == 'U')
        return QString::number(limit(parseIntText(t).value_or(0), 0, 65535));
    if (c == 'D')
        return QString::number(limit(parseIntText(t).value_or(0), -32768, 32767));
    if (c == 'F') {
        const float v = parseSingle(t).value_or(0.0f);
        const int32_t k = roundToWord(v * WordScale).value_or(0);
        return formatGeneral(static_cast<float>(k) / WordScale, 5);
    }
    if (c == 'N') {
        const float v = parseSingle(t).value_or(0.0f);
        const float s = parseSingle(scaling.trimmed()).value_or(1.0f);
        if (s == 0.0f)
            throw ZorlError(QStringLiteral("Floating point division by zero"));
        const int32_t k = roundToWord(v * WordScale / s).value_or(0);
        return formatGeneral(s * static_cast<float>(k) / WordScale, 5);
    }
    if (c == '$')
        return hexText(static_cast<uint32_t>(limit(parseHexEntry(t).value_or(0), 0, 65535)), 4);
    if (c == '#')
        return formatBits(readBits(t));
    return t;
}

std::optional<SendValue> sendValue(const QString& letter, const QString& typed,
                                   const QString& scaling) {
    const QString t = typed.trimmed();
    if (letter == "G") {
        if (const auto v = parseSingle(t))
            return SendValue{*v};
        return std::nullopt;
    }
    std::optional<int32_t> word;
    if (letter == "D") {
        if (const auto i = parseIntText(t))
            word = limit(*i, -32768, 32767);
    } else if (letter == "U") {
        if (const auto i = parseIntText(t))
            word = limit(*i, 0, 65535);
    } else if (letter == "$") {
        if (const auto i = parseHexEntry(t))
            word = limit(*i, 0, 65535);
    } else if (letter == "F") {
        if (const auto v = parseSingle(t))
            word = roundToWord(*v * WordScale);
    } else if (letter == "N") {
        const auto v = parseSingle(t);
        const auto s = parseSingle(scaling.trimmed());
        if (v && s && *s != 0.0f)
            word = roundToWord(*v * WordScale / *s);
    } else if (letter == "#") {
        word = readBits(t);
    }
    if (!word)
        return std::nullopt;
    return SendValue{*word};
}

QString formatGeneral(double value, int precision) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (precision < 1)
        precision = 1;
    if (precision > 18)
        precision = 18;
    if (value == 0.0)
        return QStringLiteral("0");

    // Enough digits that the one after the last kept is exact for any double;
    // then rounded half away from zero.
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*e", 60, std::fabs(value));
    QByteArray mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa.append(*p);
    int e = std::atoi(p + 1) + 1; // value = 0.d1d2... x 10^e

    QByteArray digits = mantissa.left(precision);
    if (mantissa.size() > precision && mantissa.at(precision) >= '5') {
        int i = precision - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i] = '0';
            --i;
        }
        if (i < 0) {
            digits.prepend('1');
            digits.chop(1);
            ++e;
        } else {
            digits[i] = static_cast<char>(digits[i] + 1);
        }
    }
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    QString out = value < 0 ? QStringLiteral("-") : QString();
    const QString d = QString::fromLatin1(digits);
    if (e >= -3 && e <= precision) {
        if (e <= 0) {
            out += "0," + QString(-e, '0') + d;
        } else if (d.size() <= e) {
            out += d + QString(e - d.size(), '0');
        } else {
            out += d.left(e) + ',' + d.mid(e);
        }
    } else {
        out += d.at(0);
        if (d.size() > 1)
            out += ',' + d.mid(1);
        out += 'E' + QString::number(e - 1);
    }
    return out;
}

QString formatBits(int32_t value) {
    QString out;
    for (int bit = 15; bit >= 0; --bit) {
        out += (value >> bit) & 1 ? '1' : '0';
        if (bit % 4 == 0 && bit > 0)
            out += '.';
    }
    return out;
}

int32_t readBits(const QString& text) {
    uint64_t acc = 0;
    for (const QChar c : text) {
        if (c == '1')
            acc = (acc + 1) * 2;
        else if (c == '0')
            acc *= 2;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(acc / 2));
}

std::optional<double> parseFraction(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    const int n = t.size();
    QByteArray ascii;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-')
            ascii.append('-');
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
        ascii.append(static_cast<char>(t[i].unicode()));
        ++mantissaDigits;
        ++i;
    }
    if (i < n && t[i] == ',') {
        ascii.append('.');
        ++i;
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            ascii.append(static_cast<char>(t[i].unicode()));
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        ascii.append('e');
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) {
            ascii.append(static_cast<char>(t[i].unicode()));
            ++i;
        }
        int expDigits = 0;
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            ascii.append(static_cast<char>(t[i].unicode()));
            ++expDigits;
            ++i;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    const char* first = ascii.constData();
    const char* last = first + ascii.size();
    double v = 0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double is as good as zero; too large is no number.
        long double wide = 0;
        const auto [wideEnd, wideEc] = std::from_chars(first, last, wide);
        const bool tiny =
            wideEc == std::errc() && wideEnd == last ? std::fabs(wide) < 1 : ascii.contains("e-");
        if (tiny)
            return ascii.startsWith('-') ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (ec != std::errc() || end != last || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString padForColumn(const QString& text, int columnWidth, const TextWidth& width) {
    QString out = text;
    int w = width(out);
    while (w < columnWidth - 10) {
        const int wider = width(QLatin1Char(' ') + out);
        if (wider <= w) // a blank that takes no room would pad for ever
            break;
        out.prepend(QLatin1Char(' '));
        w = wider;
    }
    return out;
}

} // namespace Representation
