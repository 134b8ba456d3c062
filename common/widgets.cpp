#include "common/widgets.h"

#include <QFontDatabase>
#include <QWidget>

void setNames(QWidget* widget, const QString& objectName, const QString& caption) {
    widget->setObjectName(objectName);
    widget->setAccessibleName(caption.isEmpty() ? objectName : caption);
}

void setStayOnTop(QWidget* window, bool onTop) {
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing window flags hides a shown window.
    if (visible)
        window->show();
}

QFont boldFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    return font;
}
