#pragma once

// Input helpers for window tests on a StringGrid.

#include "common/stringgrid.h"

#include <QApplication>
#include <QTest>

// Types into whatever has the focus: the grid, or its editor once open.
inline void typeInto(StringGrid* grid, const QString& text) {
    for (QChar ch : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        if (ch == u'\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else if (ch == u'\r')
            QTest::keyClick(target, Qt::Key_Return);
        else
            QTest::keyClicks(target, QString(ch));
    }
}

inline QPoint cellCenter(StringGrid* grid, int col, int row) {
    return grid->visualRect(grid->model()->index(row, col)).center();
}
