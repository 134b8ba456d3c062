#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Plain text files of lines. Every byte is a Windows-1252 character; lines
// are read split at CR, LF or CR LF and written with CR LF after every line.
// Failures throw ZorlError with a message naming the file; a missing file
// is a failure too, so callers that skip missing files check first.
class TextFile {
  public:
    static QStringList readLines(const QString& path);
    // Replaces the file as a whole: a failed write leaves the old file intact.
    static void writeLines(const QString& path, const QStringList& lines);

    // Raw bytes, for the binary record files; same failure rules.
    static QByteArray readBytes(const QString& path);
    static void writeBytes(const QString& path, const QByteArray& bytes);

    // A final line ending gives no extra empty line; empty text gives no line.
    static QStringList splitLines(const QString& text);

    // Windows-1252 both ways. Characters outside it become "?"; the five
    // unassigned bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to U+0081 etc.
    static QString fromWindows1252(const QByteArray& bytes);
    static QByteArray toWindows1252(const QString& text);
};
