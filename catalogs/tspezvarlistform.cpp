#include "catalogs/tspezvarlistform.h"

#include "catalogs/valuelisteditor.h"
#include "common/dialogs.h"
#include "common/errorreport.h"
#include "common/shell.h"
#include "common/textfile.h"
#include "common/widgets.h"

#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int closeButtonFromRight = 78;
const QColor headerRed(255, 0, 0);
} // namespace

Tspezvarlistform::Tspezvarlistform(Shell& shell, QWidget* parent)
    : QWidget(parent, Qt::Window), shell_(shell) {
    setNames(this, "spezvarlistform", "Spezial function register list");
    setWindowTitle("Spezial function register list");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(289, 478);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ValueListEditor1 =
        named(new ValueListEditor(this), "ValueListEditor1", "special function registers");
    ValueListEditor1->drawCell = [this](QPainter& p, const QRect& r, int col, int row) {
        ValueListEditor1DrawCell(p, r, col, row);
    };
    ValueListEditor1->onMouseDown = [this](Qt::MouseButton b, const QPoint& pos) {
        ValueListEditor1MouseDown(b, pos);
    };
    // Like the grids: a click shorter than the drag delay starts no drag.
    ValueListEditor1->onMouseUp = [this] { Timer1->stop(); };
    ValueListEditor1->onWheel = [this](bool down) { ValueListEditor1MouseWheel(down); };
    ValueListEditor1->onKeyDown = [this](QKeyEvent* e) { ValueListEditor1KeyDown(e); };
    layout->addWidget(ValueListEditor1, 1);

    // Placed by hand: "Close" follows the right edge.
    Panel1 = named(new QFrame(this), "Panel1", "buttons");
    Panel1->setFixedHeight(36);
    Button1 = named(new QPushButton("Next", Panel1), "Button1", "Next");
    Button2 = named(new QPushButton("Previous", Panel1), "Button2", "Previous");
    Button3 = named(new QPushButton("Close", Panel1), "Button3", "Close");
    Button1->setGeometry(8, 6, 75, 25);
    Button2->setGeometry(88, 6, 75, 25);
    Button3->setGeometry(width() - closeButtonFromRight, 6, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &Tspezvarlistform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tspezvarlistform::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tspezvarlistform::Button3Click);
    layout->addWidget(Panel1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &Tspezvarlistform::Timer1Timer);

    setStayOnTop(this);
}

Tspezvarlistform::~Tspezvarlistform() = default;

void Tspezvarlistform::LoadSpezList() {
    const QString fileName = shell_.spezFileName();
    if (fileName.isEmpty())
        return;
    const QString path = shell_.projectFolder() + fileName;
    if (!QFileInfo(path).isFile())
        return;
    QStringList lines;
    try {
        lines = TextFile::readLines(path);
    } catch (const std::exception&) {
        dialogs().message("Daten in \"spezreg.txt\" not ok!");
        return;
    }
    ValueListEditor1->setEntries(spezlist::parseLines(lines));
}

std::optional<QString> Tspezvarlistform::lookup(const QString& name) const {
    return spezlist::lookup(ValueListEditor1->entries(), name);
}

std::optional<QColor> Tspezvarlistform::headerFill(const QString& name) {
    if (spezlist::isDrawnHeader(name))
        return headerRed;
    return std::nullopt;
}

void Tspezvarlistform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tspezvarlistform::FormShow() {
    if (loadPending_)
        LoadSpezList();
    loadPending_ = false;
}

void Tspezvarlistform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void Tspezvarlistform::FormResize() {
    Button3->move(Panel1->width() - closeButtonFromRight, Button3->y());
}

void Tspezvarlistform::ValueListEditor1DrawCell(QPainter& painter, const QRect& rect, int col,
                                                int row) {
    const std::optional<QColor> fill = headerFill(ValueListEditor1->name(row));
    if (!fill)
        return;
    painter.fillRect(rect, *fill);
    const QString text = col == 0 ? ValueListEditor1->name(row) : ValueListEditor1->value(row);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
}

void Tspezvarlistform::ValueListEditor1MouseDown(Qt::MouseButton, const QPoint&) {
    Timer1->setInterval(10);
    Timer1->start();
}

void Tspezvarlistform::Timer1Timer() {
    Timer1->stop();
    ValueListEditor1->startListDrag();
}

void Tspezvarlistform::ValueListEditor1MouseWheel(bool down) {
    const QList<spezlist::Entry> entries = ValueListEditor1->entries();
    const int current = ValueListEditor1->currentDataRow();
    const int to = down ? spezlist::passHeaderDown(entries, current)
                        : spezlist::passHeaderUp(entries, current);
    if (to != current) {
        ValueListEditor1->setCurrentDataRow(to);
        ValueListEditor1->setFocus();
    }
}

void Tspezvarlistform::ValueListEditor1KeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down)
        ValueListEditor1MouseWheel(true);
    else if (event->key() == Qt::Key_Up)
        ValueListEditor1MouseWheel(false);
}

void Tspezvarlistform::Button1Click() {
    const auto jump =
        spezlist::next(ValueListEditor1->entries(), ValueListEditor1->currentDataRow());
    if (!jump)
        return;
    ValueListEditor1->setTopRow(jump->topRow);
    if (jump->currentRow >= 0)
        ValueListEditor1->setCurrentDataRow(jump->currentRow);
}

void Tspezvarlistform::Button2Click() {
    const auto jump =
        spezlist::previous(ValueListEditor1->entries(), ValueListEditor1->currentDataRow());
    if (!jump)
        return;
    ValueListEditor1->setTopRow(jump->topRow);
    ValueListEditor1->setCurrentDataRow(jump->currentRow);
}

void Tspezvarlistform::Button3Click() {
    close();
}
