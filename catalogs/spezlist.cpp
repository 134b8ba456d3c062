#include "catalogs/spezlist.h"

namespace spezlist {

Entry parseLine(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return {QString(), line};
    return {line.left(eq), line.mid(eq + 1)};
}

QList<Entry> parseLines(const QStringList& lines) {
    QList<Entry> entries;
    entries.reserve(lines.size());
    for (const QString& line : lines)
        entries.append(parseLine(line));
    return entries;
}

bool isDrawnHeader(const QString& name) {
    return name.size() > 1 && name.startsWith(u'#');
}
bool isSectionStart(const QString& name) {
    return name.startsWith(u'#');
}

std::optional<QString> lookup(const QList<Entry>& entries, const QString& name) {
    for (const Entry& entry : entries) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

std::optional<Jump> next(const QList<Entry>& entries, int current) {
    const int last = int(entries.size()) - 1;
    for (int h = current + 1; h <= last; ++h) {
        if (h >= 0 && isSectionStart(entries[h].name))
            return Jump{h, h < last ? h + 1 : -1};
    }
    return std::nullopt;
}

std::optional<Jump> previous(const QList<Entry>& entries, int current) {
    for (int h = std::min(current - 2, int(entries.size()) - 1); h >= 0; --h) {
        if (isSectionStart(entries[h].name))
            return Jump{h, h + 1};
    }
    return std::nullopt;
}

int passHeaderDown(const QList<Entry>& entries, int current) {
    const int below = current + 1;
    if (below >= 0 && below < entries.size() && isDrawnHeader(entries[below].name))
        return below;
    return current;
}

int passHeaderUp(const QList<Entry>& entries, int current) {
    const int above = current - 1;
    if (above >= 0 && above < entries.size() && isDrawnHeader(entries[above].name))
        return above;
    return current;
}

int stepDown(const QList<Entry>& entries, int current) {
    return std::min(passHeaderDown(entries, current) + 1, int(entries.size()) - 1);
}

int stepUp(const QList<Entry>& entries, int current) {
    return std::max(passHeaderUp(entries, current) - 1, 0);
}

} // namespace spezlist
