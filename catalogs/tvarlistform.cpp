#include "catalogs/tvarlistform.h"

#include "catalogs/varlist.h"
#include "common/dialogs.h"
#include "common/errorreport.h"
#include "common/shell.h"
#include "common/stringgrid.h"
#include "common/textfile.h"
#include "common/widgets.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Menu entries are found by their component name; screen readers read their text.
QAction* addNamedAction(QMenu* menu, const QString& caption, const QString& objectName) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

const QColor moneyGreen(0xC0, 0xDC, 0xC0);
const QColor currentRowBlue(0, 0, 255);
} // namespace

Tvarlistform::Tvarlistform(Shell& shell, QWidget* parent)
    : QMainWindow(parent, Qt::Window), shell_(shell) {
    setNames(this, "varlistform", "variable list");
    setWindowTitle("variable list");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(385, 589);

    QMenu* file = named(menuBar()->addMenu("file"), "Datei1", "file");
    QAction* close = addNamedAction(file, "close", "close1");
    connect(close, &QAction::triggered, this, &Tvarlistform::close1Click);
    QMenu* edit = named(menuBar()->addMenu("edit"), "Bearbeiten1", "edit");
    nachvarlistordnen1_ =
        addNamedAction(edit, "variables in 'varlist.txt' order", "nachvarlistordnen1");
    alphabetischordnen1_ =
        addNamedAction(edit, "variables in alphabetic order", "alphabetischordnen1");
    nachAdressenordnen1_ =
        addNamedAction(edit, "variables in adress number order", "nachAdressenordnen1");
    for (QAction* a : {nachvarlistordnen1_, alphabetischordnen1_, nachAdressenordnen1_})
        a->setEnabled(false);
    connect(nachvarlistordnen1_, &QAction::triggered, this, &Tvarlistform::nachvarlistordnen1Click);
    connect(alphabetischordnen1_, &QAction::triggered, this,
            &Tvarlistform::alphabetischordnen1Click);
    connect(nachAdressenordnen1_, &QAction::triggered, this,
            &Tvarlistform::nachAdressenordnen1Click);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    StringGrid1 = named(new StringGrid(central), "StringGrid1", "variables");
    StringGrid1->setData(varlist::createGrid());
    StringGrid1->setRowSelect(true);
    StringGrid1->setDragButtons(Qt::AllButtons);
    StringGrid1->dragTimer()->setObjectName("Timer1");
    StringGrid1->drawCell = [this](QPainter& p, const QRect& r, int col, int row) {
        return StringGrid1DrawCell(p, r, col, row);
    };
    StringGrid1->onContextMenu = [this](const QPoint& pos) { StringGrid1ContextPopup(pos); };
    layout->addWidget(StringGrid1, 1);

    Panel1 = named(new QFrame(central), "Panel1", "search");
    Panel1->setFixedHeight(38);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, moneyGreen);
    Panel1->setPalette(pal);
    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->setContentsMargins(8, 6, 8, 6);
    Edit1 = named(new QLineEdit(Panel1), "Edit1", "search text");
    Edit1->setFixedWidth(185);
    Button1 = named(new QPushButton("&search", Panel1), "Button1", "search");
    connect(Button1, &QPushButton::clicked, this, &Tvarlistform::Button1Click);
    panelLayout->addWidget(Edit1);
    panelLayout->addStretch(1);
    panelLayout->addWidget(Button1);
    layout->addWidget(Panel1);
    setCentralWidget(central);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1", "index entries");
    const std::pair<const char*, void (Tvarlistform::*)()> entries[] = {
        {"VariablemitIndex11", &Tvarlistform::VariablemitIndex11Click},
        {"VariablemitIndex21", &Tvarlistform::VariablemitIndex21Click},
        {"VariablemitIndex31", &Tvarlistform::VariablemitIndex31Click},
        {"VariablemitIndex12", &Tvarlistform::VariablemitIndex12Click},
    };
    const char* captions[] = {"variable with index 1", "variable with index 2",
                              "variable with index 3", "variable with index + 1"};
    for (int i = 0; i < 4; ++i) {
        QAction* a = addNamedAction(PopupMenu1, captions[i], entries[i].first);
        connect(a, &QAction::triggered, this, entries[i].second);
    }

    setStayOnTop(this);
}

Tvarlistform::~Tvarlistform() = default;

void Tvarlistform::LoadVarlist() {
    GridData grid = StringGrid1->data();
    const QString path = shell_.projectFolder() + "varlist.txt";
    if (QFileInfo(path).isFile())
        varlist::loadLines(grid, TextFile::readLines(path));
    else
        varlist::writeRowNumbers(grid);
    setGridKeepingCurrent(grid);
}

void Tvarlistform::setGridKeepingCurrent(const GridData& grid) {
    const int col = StringGrid1->currentCol();
    const int row = StringGrid1->currentRow();
    StringGrid1->setData(grid);
    StringGrid1->setCurrent(std::max(col, 1), std::clamp(row, 1, grid.rowCount() - 1));
}

void Tvarlistform::BuildCatalog(int count) {
    GridData grid = StringGrid1->data();
    catalog_ = varlist::buildCatalog(grid, shell_.addressTable(), count);
    StringGrid::Batch batch(StringGrid1);
    for (int r = 1; r <= catalog_.size(); ++r)
        StringGrid1->setCell(varlist::colAddress, r, grid.cell(varlist::colAddress, r));
}

void Tvarlistform::Button1Click() {
    int row = searchRow_;
    const bool found = varlist::search(StringGrid1->data(), Edit1->text(), row);
    searchRow_ = row;
    if (!found)
        return;
    StringGrid1->setCurrent(std::max(StringGrid1->currentCol(), 1), row);
    StringGrid1->setFocus();
}

void Tvarlistform::indexEntry(varlist::IndexEntry entry) {
    guarded([&] {
        const int row = StringGrid1->currentRow();
        GridData grid = StringGrid1->data();
        const varlist::IndexResult result = varlist::addIndexEntry(grid, row, entry);
        if (!result.message.isEmpty())
            dialogs().message(result.message);
        if (!result.inserted)
            return;
        StringGrid1->insertRow(row + 1);
        StringGrid1->setRowCells(row + 1, grid.row(row + 1));
        if (result.currentRow > 0)
            StringGrid1->setCurrent(std::max(StringGrid1->currentCol(), 1), result.currentRow);
    });
}

void Tvarlistform::VariablemitIndex11Click() {
    indexEntry(varlist::IndexEntry::Index1);
}
void Tvarlistform::VariablemitIndex21Click() {
    indexEntry(varlist::IndexEntry::Index2);
}
void Tvarlistform::VariablemitIndex31Click() {
    indexEntry(varlist::IndexEntry::Index3);
}
void Tvarlistform::VariablemitIndex12Click() {
    indexEntry(varlist::IndexEntry::PlusOne);
}

void Tvarlistform::nachvarlistordnen1Click() {
    guarded([this] { LoadVarlist(); });
}

void Tvarlistform::alphabetischordnen1Click() {
    GridData grid = StringGrid1->data();
    varlist::sortByName(grid);
    setGridKeepingCurrent(grid);
}

void Tvarlistform::nachAdressenordnen1Click() {
    GridData grid = StringGrid1->data();
    varlist::sortByAddress(grid);
    setGridKeepingCurrent(grid);
}

void Tvarlistform::close1Click() {
    close();
}

bool Tvarlistform::StringGrid1DrawCell(QPainter& painter, const QRect& rect, int col, int row) {
    const bool current = row == StringGrid1->currentRow() && col >= 1;
    painter.fillRect(rect, current ? currentRowBlue : palette().color(QPalette::Base));
    painter.setPen(current ? QColor(Qt::white) : palette().color(QPalette::Text));
    painter.drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     StringGrid1->cell(col, row));
    return true;
}

void Tvarlistform::StringGrid1ContextPopup(const QPoint& gridPos) {
    // A right press arms the drag timer too; the menu wins.
    StringGrid1->dragTimer()->stop();
    PopupMenu1->popup(StringGrid1->mapToGlobal(gridPos));
}
