#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The special function register list as plain data: name=value lines, the
// value being a hexadecimal address. Names beginning with "#" head sections.
// Rows here are 0-based data rows (the title row is not counted).
namespace spezlist {

struct Entry {
    QString name;
    QString value;
    bool operator==(const Entry&) const = default;
};

// Name before the first "=", value after it. A line without "=" has no name
// and shows the whole line as its value.
Entry parseLine(const QString& line);
QList<Entry> parseLines(const QStringList& lines);

// Headers as drawn and as stepped over by wheel and arrow keys: "#" plus at
// least one more character.
bool isDrawnHeader(const QString& name);
// Headers as "Next" and "Previous" find them: any name beginning with "#".
bool isSectionStart(const QString& name);

// Value of the first entry whose name equals name, letter case ignored.
std::optional<QString> lookup(const QList<Entry>& entries, const QString& name);

// Where "Next" and "Previous" go from row current.
struct Jump {
    int topRow = -1;
    int currentRow = -1; // -1: the current row stays
};
std::optional<Jump> next(const QList<Entry>& entries, int current);
std::optional<Jump> previous(const QList<Entry>& entries, int current);

// Before the list's own one-row step of a wheel notch or Up/Down key: the
// section header next to the current row in that direction, or current.
int passHeaderDown(const QList<Entry>& entries, int current);
int passHeaderUp(const QList<Entry>& entries, int current);
// Where the step ends: the selection passes over such a header, and stops
// on one in the first or last row.
int stepDown(const QList<Entry>& entries, int current);
int stepUp(const QList<Entry>& entries, int current);

} // namespace spezlist
