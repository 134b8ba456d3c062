#include "projectkeys.h"

#include "common/inttext.h"

namespace {

std::optional<int> listIndex(const KeyValueList& keys, const QString& key, int count) {
    const auto text = keys.value(key);
    if (!text)
        return std::nullopt;
    const auto value = parseIntText(*text);
    if (!value || *value < 0 || *value >= count)
        return std::nullopt;
    return *value;
}

} // namespace

ProjectKeys::Settings ProjectKeys::read(const KeyValueList& keys) {
    Settings s;
    s.portIndex = listIndex(keys, QStringLiteral("comx"), portCount);
    s.baudIndex = listIndex(keys, QStringLiteral("baudrate"), baudCount);
    s.spezFileName = keys.valueOr(QStringLiteral("spezfuncname"));
    s.focusWindow = keys.valueOr(QStringLiteral("focus"));
    s.beep = keys.value(QStringLiteral("comxerror")) == QStringLiteral("0");
    return s;
}

void ProjectKeys::setPortIndex(KeyValueList& keys, int index) {
    keys.set(QStringLiteral("comx"), QString::number(index));
}

void ProjectKeys::setBaudIndex(KeyValueList& keys, int index) {
    keys.set(QStringLiteral("baudrate"), QString::number(index));
}

void ProjectKeys::setBeep(KeyValueList& keys, bool beep) {
    keys.set(QStringLiteral("comxerror"), beep ? QStringLiteral("0") : QStringLiteral("1"));
}

void ProjectKeys::setSpezFileName(KeyValueList& keys, const QString& name) {
    keys.set(QStringLiteral("spezfuncname"), name);
}

QString ProjectKeys::shortenFolder(const QString& folder, int maxWidth,
                                   const std::function<int(const QString&)>& width) {
    if (width(folder) <= maxWidth)
        return folder;
    const QStringList parts = folder.split(u'/', Qt::SkipEmptyParts);
    QString text = folder;
    for (qsizetype first = 1; first < parts.size(); ++first) {
        text = QStringLiteral("/.../") + parts.mid(first).join(u'/') + u'/';
        if (width(text) <= maxWidth)
            break;
    }
    return text;
}

QString ProjectKeys::folderOf(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral("/");
    return fileName.left(slash + 1);
}
