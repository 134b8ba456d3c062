#include "catalogs/tzuvarlistform.h"

#include "catalogs/zuvarlist.h"
#include "common/dragsource.h"
#include "common/errorreport.h"
#include "common/shell.h"
#include "common/stringgrid.h"
#include "common/textfile.h"
#include "common/widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>

namespace {

// Menu entries are found by their component name; screen readers read their text.
QAction* addNamedAction(QMenu* menu, const QString& caption, const QString& objectName) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

} // namespace

Tzuvarlistform::Tzuvarlistform(Shell& shell, QWidget* parent)
    : QMainWindow(parent, Qt::Window), shell_(shell) {
    setNames(this, "zuvarlistform", "Additional variable");
    setWindowTitle("Additional variable");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(512, 592);

    QMenu* file = named(menuBar()->addMenu("File"), "Datei1", "File");
    QAction* close = addNamedAction(file, "Close", "close1");
    connect(close, &QAction::triggered, this, &Tzuvarlistform::close1Click);
    QMenu* edit = named(menuBar()->addMenu("Edit"), "Bearbeiten1", "Edit");
    QAction* show = addNamedAction(edit, "Show variable list", "showvariablelist1");
    connect(show, &QAction::triggered, this, &Tzuvarlistform::showvariablelist1Click);

    StringGrid1 = named(new StringGrid(this), "StringGrid1", "additional variables");
    StringGrid1->setData(zuvarlist::createGrid());
    StringGrid1->setDragButtons(Qt::LeftButton);
    StringGrid1->dragTimer()->setObjectName("Timer1");
    StringGrid1->canEdit = [](int col, int row) {
        return row >= 1 && col >= zuvarlist::colOffset && col <= zuvarlist::colScaling;
    };
    StringGrid1->keyFilter = [this](int col, int row, QChar ch) {
        return StringGrid1KeyPress(col, row, ch);
    };
    StringGrid1->canSelect = [this](int col, int row) { return StringGrid1SelectCell(col, row); };
    StringGrid1->dragOver = [this](const DragSource& s, int col, int row) {
        return StringGrid1DragOver(s, col, row);
    };
    StringGrid1->drop = [this](const DragSource& s, int col, int row) {
        StringGrid1DragDrop(s, col, row);
    };
    StringGrid1->onMouseDown = [this](Qt::MouseButton button, const QPoint& pos) {
        StringGrid1MouseDown(button, pos);
    };
    StringGrid1->setCurrent(zuvarlist::colVariable, 1);
    setCentralWidget(StringGrid1);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1", "lines");
    QAction* insert = addNamedAction(PopupMenu1, "Line insert", "lineinsert1");
    QAction* append = addNamedAction(PopupMenu1, "Line append", "lineappend1");
    QAction* remove = addNamedAction(PopupMenu1, "Line delete", "linedelete1");
    connect(insert, &QAction::triggered, this, &Tzuvarlistform::lineinsert1Click);
    connect(append, &QAction::triggered, this, &Tzuvarlistform::lineappend1Click);
    connect(remove, &QAction::triggered, this, &Tzuvarlistform::linedelete1Click);

    setStayOnTop(this);
}

Tzuvarlistform::~Tzuvarlistform() = default;

void Tzuvarlistform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tzuvarlistform::FormShow() {
    if (!loadPending_)
        return;
    const QString path = shell_.projectFolder() + "zuvarlist.txt";
    if (QFileInfo(path).isFile()) {
        GridData grid = StringGrid1->data();
        const bool ok = guarded([&] {
            const QStringList lines = TextFile::readLines(path);
            try {
                zuvarlist::readLines(grid, lines);
            } catch (...) {
                // The rows read before the file ended stay.
                StringGrid1->setData(grid);
                throw;
            }
            StringGrid1->setData(grid);
        });
        if (!ok)
            return; // the next showing tries again
    }
    loadPending_ = false;
}

void Tzuvarlistform::closeEvent(QCloseEvent* event) {
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool Tzuvarlistform::FormClose() {
    StringGrid1->commitEditor();
    return guarded([this] {
        const QStringList lines = zuvarlist::writeLines(StringGrid1->data());
        if (modified_)
            TextFile::writeLines(shell_.projectFolder() + "zuvarlist.txt", lines);
        modified_ = false;
    });
}

void Tzuvarlistform::close1Click() {
    close();
}

void Tzuvarlistform::showvariablelist1Click() {
    shell_.showVarlist();
}

bool Tzuvarlistform::StringGrid1DragOver(const DragSource& source, int, int) {
    return source.controlKind == "StringGrid";
}

void Tzuvarlistform::StringGrid1DragDrop(const DragSource& source, int, int row) {
    if (source.controlKind != "StringGrid" || source.windowName != "varlistform")
        return;
    GridData grid = StringGrid1->data();
    if (!zuvarlist::dropVariable(grid, row, source.currentRow.value(2), source.currentRow.value(3)))
        return;
    StringGrid::Batch batch(StringGrid1);
    for (int col : {zuvarlist::colVariable, zuvarlist::colOffset, zuvarlist::colScaling})
        StringGrid1->setCell(col, row, grid.cell(col, row));
    modified_ = true;
}

bool Tzuvarlistform::StringGrid1KeyPress(int col, int row, QChar ch) {
    const bool accepted = zuvarlist::keyAccepted(col, row, ch);
    if (accepted)
        modified_ = true;
    return accepted;
}

bool Tzuvarlistform::StringGrid1SelectCell(int col, int row) {
    return zuvarlist::canSelect(col, row);
}

void Tzuvarlistform::StringGrid1MouseDown(Qt::MouseButton button, const QPoint& gridPos) {
    // The left button arms the grid's drag-start timer itself.
    if (button == Qt::RightButton)
        PopupMenu1->popup(StringGrid1->mapToGlobal(gridPos));
}

void Tzuvarlistform::lineinsert1Click() {
    const int row = StringGrid1->currentRow();
    if (row >= 1)
        StringGrid1->insertRow(row);
}

void Tzuvarlistform::lineappend1Click() {
    const int last = StringGrid1->rowCount();
    StringGrid1->setRowCount(last + 1);
    StringGrid1->clearRow(last);
}

void Tzuvarlistform::linedelete1Click() {
    // The title row always stays, so the last data row is not deleted.
    const int row = StringGrid1->currentRow();
    if (row < 1 || StringGrid1->rowCount() <= 2)
        return;
    StringGrid1->removeRow(row);
}
