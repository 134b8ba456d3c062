#include "complist.h"

#include "common/inttext.h"
#include "common/keyvaluelist.h"
#include "windownames.h"

#include <QRegularExpression>

QList<QStringList> Complist::split(const QStringList& lines) {
    QList<QStringList> sections;
    QStringList current;
    bool seenOther = false;
    for (const QString& line : lines) {
        if (line.startsWith(u'#') && seenOther) {
            sections.append(current);
            current = {line};
            continue;
        }
        if (!line.startsWith(u'#'))
            seenOther = true;
        current.append(line);
    }
    sections.append(current);
    return sections;
}

std::optional<Complist::Window> Complist::parseSection(const QStringList& section) {
    if (section.isEmpty())
        return std::nullopt;
    const QString& header = section.first();
    const qsizetype p = header.indexOf(u';');
    if (p < 0)
        return std::nullopt;
    Window w;
    w.name = header.mid(1, p - 1);
    w.title = header.mid(p + 1);
    const KeyValueList keys(section);
    auto number = [&keys](const char* key) -> std::optional<int> {
        const auto text = keys.value(QString::fromLatin1(key));
        if (!text)
            return std::nullopt;
        return parseIntText(*text);
    };
    w.left = number("left");
    w.top = number("top");
    w.height = number("height");
    w.width = number("width");
    w.visible = keys.valueOr(QStringLiteral("visible")) != QLatin1String("false");
    return w;
}

std::optional<WindowKind> Complist::kindOfName(const QString& name) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    for (WindowKind kind : {WindowKind::Display, WindowKind::Parameter, WindowKind::Graphic}) {
        const QString prefix = WindowNames::namePrefix(kind);
        if (name.startsWith(prefix) && digits.match(name.mid(prefix.size())).hasMatch())
            return kind;
    }
    return std::nullopt;
}

Complist::Counters Complist::counters(const QStringList& lastSection) {
    const KeyValueList keys(lastSection);
    auto counter = [&keys](WindowKind kind) {
        const auto text = keys.value(WindowNames::counterKey(kind));
        const auto value = text ? parseIntText(*text) : std::nullopt;
        return value ? *value : 1;
    };
    return {counter(WindowKind::Display), counter(WindowKind::Parameter),
            counter(WindowKind::Graphic)};
}

QStringList Complist::sectionLines(const Window& w) {
    return {QStringLiteral("#") + w.name + u';' + w.title,
            QStringLiteral("left=") + QString::number(w.left.value_or(0)),
            QStringLiteral("top=") + QString::number(w.top.value_or(0)),
            QStringLiteral("height=") + QString::number(w.height.value_or(0)),
            QStringLiteral("width=") + QString::number(w.width.value_or(0)),
            QStringLiteral("visible=") +
                (w.visible ? QStringLiteral("true") : QStringLiteral("false"))};
}

QStringList Complist::counterLines(const Counters& c) {
    return {WindowNames::counterKey(WindowKind::Display) + u'=' + QString::number(c.display),
            WindowNames::counterKey(WindowKind::Parameter) + u'=' + QString::number(c.parameter),
            WindowNames::counterKey(WindowKind::Graphic) + u'=' + QString::number(c.graphic)};
}
