#pragma once

#include <QFont>
#include <QString>

class QWidget;

// Gives a widget its component name and the caption screen readers announce
// (the objectName when caption is empty). Returns the widget for chaining.
template <class W> W* named(W* widget, const QString& objectName, const QString& caption = {});
void setNames(QWidget* widget, const QString& objectName, const QString& caption = {});

// Keeps a top-level window above the other windows of the program.
void setStayOnTop(QWidget* window, bool onTop = true);

// The bold sans-serif font the windows use.
QFont boldFont();

template <class W> W* named(W* widget, const QString& objectName, const QString& caption) {
    setNames(widget, objectName, caption);
    return widget;
}
