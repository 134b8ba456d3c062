#include "values/representationicons.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace {

struct IconLook {
    QChar letter;
    QColor tile;
};

// Each representation keeps the letter it writes into the description type
// cell, so button and cell read the same; the tile colour tells them apart at
// a glance.
const IconLook kLooks[7] = {
    {u'D', QColor(0x1f, 0x5f, 0xbf)}, // signed integer
    {u'#', QColor(0x3a, 0x3a, 0x3a)}, // bits
    {u'$', QColor(0x8a, 0x2b, 0xb2)}, // hexadecimal
    {u'F', QColor(0x1e, 0x8c, 0x45)}, // fraction of 1
    {u'G', QColor(0xc0, 0x5a, 0x00)}, // float
    {u'N', QColor(0x0e, 0x80, 0x8a)}, // fraction times scaling
    {u'U', QColor(0xb0, 0x1e, 0x2e)}, // unsigned integer
};

QPixmap drawIcon(const IconLook& look, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const qreal r = size / 6.0;
    QRectF tile(0.5, 0.5, size - 1.0, size - 1.0);
    p.setPen(QPen(look.tile.darker(140), size >= 24 ? 1.5 : 1.0));
    p.setBrush(look.tile);
    p.drawRoundedRect(tile, r, r);

    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPixelSize(qRound(size * 0.78));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(tile, Qt::AlignCenter, QString(look.letter));
    return pm;
}

} // namespace

QList<QIcon> representationIcons() {
    QList<QIcon> icons;
    for (const IconLook& look : kLooks) {
        QIcon icon;
        for (int size : {16, 24, 32})
            icon.addPixmap(drawIcon(look, size));
        icons.append(icon);
    }
    return icons;
}
