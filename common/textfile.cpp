#include "common/textfile.h"

#include "common/errorreport.h"

#include <QFile>
#include <QSaveFile>
#include <array>

namespace {

// 0x80..0x9F; the unassigned bytes keep their C1 code point so that any
// byte survives a read and write unchanged.
constexpr std::array<char16_t, 32> high1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char toByte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (size_t i = 0; i < high1252.size(); ++i) {
        if (high1252[i] == u)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QString TextFile::fromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(high1252[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray TextFile::toWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character and becomes one "?".
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        bytes += toByte(text[i]);
    }
    return bytes;
}

QStringList TextFile::splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QByteArray TextFile::readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ZorlError(
            QStringLiteral("Cannot open file \"%1\": %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ZorlError(
            QStringLiteral("Cannot read file \"%1\": %2").arg(path, file.errorString()));
    return bytes;
}

void TextFile::writeBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ZorlError(
            QStringLiteral("Cannot create file \"%1\": %2").arg(path, file.errorString()));
    // commit() alone can report success after a short write (a full disk),
    // so the data is flushed and checked first; a failure drops the
    // temporary file and the old file stays as it was.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw ZorlError(QStringLiteral("Cannot write file \"%1\": %2").arg(path, reason));
    }
    if (!file.commit())
        throw ZorlError(
            QStringLiteral("Cannot write file \"%1\": %2").arg(path, file.errorString()));
}

QStringList TextFile::readLines(const QString& path) {
    return splitLines(fromWindows1252(readBytes(path)));
}

void TextFile::writeLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toWindows1252(line);
        bytes += "\r\n";
    }
    writeBytes(path, bytes);
}
