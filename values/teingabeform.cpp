#include "values/teingabeform.h"

#include "common/errorreport.h"
#include "common/stringgrid.h"
#include "common/widgets.h"
#include "values/readvalues.h"

#include <QFrame>
#include <QPushButton>

Teingabeform::Teingabeform(Shell& shell, QWidget* owner)
    : Tanzeigeform(shell, owner, WindowKind::Parameter) {
    setLocked(false);

    // Button1 stays, invisible, under its own name; "Send" takes its place.
    QPushButton* button1 = closeButton();
    setNames(button1, QStringLiteral("Beenden"), QStringLiteral("Close"));
    button1->setVisible(false);
    button2_ = named(new QPushButton(QStringLiteral("Send"), panel()), QStringLiteral("senden"),
                     QStringLiteral("Send"));
    button2_->setGeometry(button1->geometry());
    connect(button2_, &QPushButton::clicked, this, &Teingabeform::sendenclick);

    grid()->onDoubleClick = [this] { stringgrid1Dblclick(); };
    grid()->onEnter = [this](int col, int row) { inputEnter(col, row); };
}

bool Teingabeform::cellEditable(int col, int row) const {
    return row >= 1 && (col == roles().input || col == roles().comment);
}

bool Teingabeform::StringGridKeyPress(int col, int row, QChar key) {
    if (row < 1)
        return false;
    if (col == roles().input)
        return key == u'\b' || key == u'\r' ||
               QStringLiteral("+,-0123456789ABCDEFabcdef").contains(key);
    if (col == roles().yesNo) {
        if (!locked() && QStringLiteral("YyNn").contains(key))
            grid()->setCell(col, row, key.toUpper());
        return false;
    }
    return col == roles().comment;
}

void Teingabeform::inputEnter(int col, int row) {
    if (col != roles().input || row < 1)
        return;
    guarded([&] {
        GridData g = grid()->data();
        if (ValueRows::normaliseInput(g, row, roles(),
                                      [this](const QString& text) { return textWidth(text); }))
            grid()->setCell(col, row, g.cell(col, row));
    });
}

void Teingabeform::stringgridonclick() {
    if (!locked())
        Tanzeigeform::stringgridonclick();
}

void Teingabeform::stringgrid1Dblclick() {
    const int col = grid()->currentCol();
    const int row = grid()->currentRow();
    if (col != roles().yesNo || row < 1)
        return;
    const QString mark = grid()->cell(col, row);
    if (mark == QLatin1String("Y"))
        grid()->setCell(col, row, QStringLiteral("N"));
    else if (mark == QLatin1String("N"))
        grid()->setCell(col, row, QStringLiteral("Y"));
    else if (mark == QLatin1String("y") || mark == QLatin1String("n"))
        grid()->setCell(col, row, mark.toUpper());
}

void Teingabeform::sendenclick() {
    if (shell().portHandle() <= 0)
        return;
    // What is being typed counts as typed.
    grid()->commitEditor();
    ValueRows::sendMarked(grid()->data(), roles(), *controllerAccess());
}

bool Teingabeform::eingabeformclose() {
    return anzeigeformclose();
}

void Teingabeform::anzeigeformresize() {
    if (button2_)
        button2_->move(width() - closeButton()->width() - 2, button2_->y());
}
