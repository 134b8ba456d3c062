#include "common/dragsource.h"

#include "common/rowsource.h"

#include <QDataStream>
#include <QIODevice>
#include <QMetaObject>
#include <QMimeData>
#include <QWidget>

DragSource identifyDragSource(QWidget* control) {
    DragSource source;
    if (!control)
        return source;
    if (QWidget* w = control->window())
        source.windowName = w->objectName();
    for (const QMetaObject* mo = control->metaObject(); mo; mo = mo->superClass()) {
        const QLatin1StringView name(mo->className());
        if (name == QLatin1StringView("StringGrid") ||
            name == QLatin1StringView("ValueListEditor")) {
            source.controlKind = QString(name);
            break;
        }
    }
    if (source.controlKind.isEmpty())
        source.controlKind = QString::fromLatin1(control->metaObject()->className());
    if (auto* rows = dynamic_cast<RowSource*>(control))
        source.currentRow = rows->currentRowCells();
    return source;
}

QMimeData* toMime(const DragSource& source) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << source.windowName << source.controlKind << source.currentRow;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(dragSourceMimeType), bytes);
    return mime;
}

std::optional<DragSource> fromMime(const QMimeData* mime) {
    const QString type = QString::fromLatin1(dragSourceMimeType);
    if (!mime || !mime->hasFormat(type))
        return std::nullopt;
    QDataStream in(mime->data(type));
    DragSource source;
    in >> source.windowName >> source.controlKind >> source.currentRow;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return source;
}
