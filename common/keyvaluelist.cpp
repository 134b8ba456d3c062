#include "common/keyvaluelist.h"

qsizetype KeyValueList::indexOf(const QString& key) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (keyOf(lines_[i]).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> KeyValueList::value(const QString& key) const {
    const qsizetype i = indexOf(key);
    if (i < 0)
        return std::nullopt;
    return valueOf(lines_[i]);
}

QString KeyValueList::valueOr(const QString& key, const QString& fallback) const {
    return value(key).value_or(fallback);
}

void KeyValueList::set(const QString& key, const QString& value) {
    const QString line = key + QLatin1Char('=') + value;
    const qsizetype i = indexOf(key);
    if (i < 0)
        lines_.append(line);
    else
        lines_[i] = line;
}

QString KeyValueList::keyOf(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.left(eq);
}

QString KeyValueList::valueOf(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}
