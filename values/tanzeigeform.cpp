#include "values/tanzeigeform.h"

#include "comm/kestro.h"
#include "common/dialogs.h"
#include "common/errorreport.h"
#include "common/inttext.h"
#include "common/stringgrid.h"
#include "common/widgets.h"
#include "values/gridfile.h"
#include "values/readvalues.h"
#include "values/resolution.h"
#include "values/valuegridlayout.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kToolAreaHeight = 30;
constexpr int kPanelHeight = 35;
constexpr int kButtonWidth = 75;

// The controller through the library, with the main window's port handle.
class LibraryAccess : public ValueAccess {
  public:
    explicit LibraryAccess(int32_t handle) : handle_(handle) {}
    bool readInt(uint16_t address, int32_t& raw) override {
        return kestro_int_read(handle_, address, &raw) == KESTRO_OK;
    }
    bool readFloat(uint16_t address, float& value) override {
        return kestro_float_read(handle_, address, &value) == KESTRO_OK;
    }
    bool writeInt(uint16_t address, int32_t value) override {
        return kestro_int_write(handle_, address, value) == KESTRO_OK;
    }
    bool writeFloat(uint16_t address, float value) override {
        return kestro_float_write(handle_, address, value) == KESTRO_OK;
    }

  private:
    int32_t handle_;
};

QAction* addEntry(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

Tanzeigeform::Tanzeigeform(Shell& shell, QWidget* owner)
    : Tanzeigeform(shell, owner, WindowKind::Display) {}

Tanzeigeform::Tanzeigeform(Shell& shell, QWidget* owner, WindowKind kind)
    : QWidget(owner, Qt::Window), shell_(shell), kind_(kind), roles_(ColumnRoles::of(kind)),
      precision_(Precision::of(kind)) {
    setFont(boldFont());
    buildMenus();
    buildToolBar();
    buildGrid();
    buildPanel();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(mainMenu1_);
    layout->addWidget(coolBar1_);
    layout->addWidget(stringgrid1_, 1);
    layout->addWidget(panel1_);

    // Room for every column and row as constructed; the menu bar comes on top.
    const GridData& g = stringgrid1_->data();
    int width = 0;
    for (int c = 0; c < g.colCount(); ++c)
        width += g.colWidth(c) + 2;
    const int height = kToolAreaHeight + kPanelHeight + g.rowCount() * (g.defaultRowHeight() + 2);
    resize(width, height + mainMenu1_->sizeHint().height());
}

Tanzeigeform::~Tanzeigeform() = default;

void Tanzeigeform::buildMenus() {
    mainMenu1_ = named(new QMenuBar(this), QStringLiteral("MainMenu1"), QStringLiteral("menu"));
    // The menus keep the normal font; only the window's contents are bold.
    mainMenu1_->setFont(QApplication::font());

    QMenu* datei = mainMenu1_->addMenu(QStringLiteral("&File"));
    setNames(datei, QStringLiteral("Datei1"), QStringLiteral("File"));
    connect(addEntry(datei, "ObjektClear", QStringLiteral("Delete window")), &QAction::triggered,
            this, &Tanzeigeform::ObjektClearClick);
    addSeparator(datei, "N1");
    connect(addEntry(datei, "open", QStringLiteral("&Open...")), &QAction::triggered, this,
            &Tanzeigeform::openclick);
    connect(addEntry(datei, "saveas", QStringLiteral("&Save as...")), &QAction::triggered, this,
            &Tanzeigeform::saveasclick);
    addSeparator(datei, "N4");
    connect(addEntry(datei, "mainfocus", QStringLiteral("&Set focus mainform")),
            &QAction::triggered, this, &Tanzeigeform::mainfocusClick);
    addSeparator(datei, "N2");
    connect(addEntry(datei, "Beenden", QStringLiteral("&Close")), &QAction::triggered, this,
            &Tanzeigeform::BeendenClick);
    addSeparator(datei, "N3");
    connect(addEntry(datei, "Beendenmn", QStringLiteral("&Close all")), &QAction::triggered, this,
            &Tanzeigeform::BeendenmnClick);

    QMenu* bearbeiten = mainMenu1_->addMenu(QStringLiteral("Edit"));
    setNames(bearbeiten, QStringLiteral("Bearbeiten"), QStringLiteral("Edit"));
    connect(addEntry(bearbeiten, "formcaption", QStringLiteral("Change title")),
            &QAction::triggered, this, &Tanzeigeform::formcaptionclick);
    connect(addEntry(bearbeiten, "varlistshow", QStringLiteral("Show variable list")),
            &QAction::triggered, this, &Tanzeigeform::varlistshowonclick);
    connect(addEntry(bearbeiten, "zuvarlistshow", QStringLiteral("Show additional variable list")),
            &QAction::triggered, this, &Tanzeigeform::zuvarlistshowonclick);
    connect(addEntry(bearbeiten, "spezvarlistshow", QStringLiteral("Show special variable list")),
            &QAction::triggered, this, &Tanzeigeform::spezvarlistshowonclick);

    popupMenu1_ = named(new QMenu(this), QStringLiteral("PopupMenu1"), QStringLiteral("lines"));
    connect(addEntry(popupMenu1_, "insert", QStringLiteral("Line insert")), &QAction::triggered,
            this, &Tanzeigeform::insertClick);
    connect(addEntry(popupMenu1_, "append", QStringLiteral("Line append")), &QAction::triggered,
            this, &Tanzeigeform::appendClick);
    connect(addEntry(popupMenu1_, "delete", QStringLiteral("Line delete")), &QAction::triggered,
            this, &Tanzeigeform::deleteClick);
}

void Tanzeigeform::buildToolBar() {
    coolBar1_ = named(new QFrame(this), QStringLiteral("CoolBar1"));
    coolBar1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    coolBar1_->setFixedHeight(kToolAreaHeight);
    auto* row = new QHBoxLayout(coolBar1_);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);

    toolBar1_ = named(new QToolBar(coolBar1_), QStringLiteral("ToolBar1"));
    toolBar1_->setMovable(false);
    toolBar1_->setFloatable(false);
    toolBar1_->setIconSize(QSize(16, 16));
    toolBar1_->setContentsMargins(1, 0, 1, 0);
    row->addWidget(toolBar1_);
    row->addStretch(1);

    const QList<QIcon>& images = shell_.imageList();
    for (int i = 0; i < Representation::ToolButtonCount; ++i) {
        const QString hint = Representation::buttonHint(kind_, i);
        auto* b =
            named(new QToolButton(toolBar1_), QStringLiteral("ToolButton%1").arg(i + 1), hint);
        b->setIcon(images.value(i));
        b->setToolTip(hint);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, i] { ToolButtonClick(i); });
        toolBar1_->addWidget(b);
        toolButtons_[i] = b;
    }
    toolButtons_[0]->setChecked(true);
}

void Tanzeigeform::buildGrid() {
    stringgrid1_ =
        named(new StringGrid(this), QStringLiteral("stringgrid1"), QStringLiteral("values"));
    stringgrid1_->setData(ValueGridLayout::defaultGrid(kind_));
    // Padded values fill their column to the last pixels; clip, don't elide.
    stringgrid1_->setTextElideMode(Qt::ElideNone);
    stringgrid1_->keyFilter = [this](int col, int row, QChar key) {
        return StringGridKeyPress(col, row, key);
    };
    stringgrid1_->canSelect = [this](int col, int row) { return StringGridSelectCell(col, row); };
    stringgrid1_->canEdit = [this](int col, int row) { return cellEditable(col, row); };
    stringgrid1_->onClick = [this] { stringgridonclick(); };
    stringgrid1_->onContextMenu = [this](const QPoint& pos) { Stringgrid1ContextPopup(pos); };
    stringgrid1_->dragOver = [this](const DragSource& source, int, int) {
        return Stringgrid1DragOver(source);
    };
    stringgrid1_->drop = [this](const DragSource& source, int, int row) {
        Stringgrid1DragDrop(source, row);
    };
    stringgrid1_->setCurrent(1, 1);
}

void Tanzeigeform::buildPanel() {
    panel1_ = named(new QFrame(this), QStringLiteral("panel1"), QStringLiteral("panel1"));
    panel1_->setFixedHeight(kPanelHeight);
    panel1_->setFrameStyle(QFrame::Panel | QFrame::Raised);

    radiogroup1_ = named(new QGroupBox(QStringLiteral("Data update"), panel1_),
                         QStringLiteral("radiogroup1"), QStringLiteral("Data update"));
    radiogroup1_->setGeometry(1, 1, 130, kPanelHeight - 2);
    auto* items = new QHBoxLayout(radiogroup1_);
    items->setContentsMargins(6, 0, 6, 0);
    updateYes_ = named(new QRadioButton(QStringLiteral("yes"), radiogroup1_),
                       QStringLiteral("radiogroup1yes"), QStringLiteral("yes"));
    updateNo_ = named(new QRadioButton(QStringLiteral("no"), radiogroup1_),
                      QStringLiteral("radiogroup1no"), QStringLiteral("no"));
    items->addWidget(updateYes_, 1);
    items->addWidget(updateNo_, 1);
    updateYes_->setChecked(true);

    button1_ = named(new QPushButton(QStringLiteral("Close"), panel1_), QStringLiteral("close"),
                     QStringLiteral("Close"));
    button1_->setGeometry(200, 3, kButtonWidth, kPanelHeight - 6);
    connect(button1_, &QPushButton::clicked, this, &Tanzeigeform::anzcloseclick);
}

QAction* Tanzeigeform::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

QString Tanzeigeform::contentsFile() const {
    return windowFolder_ + objectName() + QStringLiteral(".txt");
}

QString Tanzeigeform::fileExtension() const {
    return kind_ == WindowKind::Parameter ? QStringLiteral("ein") : QStringLiteral("anz");
}

bool Tanzeigeform::dataUpdate() const {
    return updateYes_->isChecked();
}

int Tanzeigeform::textWidth(const QString& text) const {
    return stringgrid1_->textWidth(text);
}

std::unique_ptr<ValueAccess> Tanzeigeform::controllerAccess() const {
    return std::make_unique<LibraryAccess>(shell_.portHandle());
}

void Tanzeigeform::applyCells(const GridData& updated) {
    StringGrid::Batch batch(stringgrid1_);
    const GridData& now = stringgrid1_->data();
    const int rows = std::min(now.rowCount(), updated.rowCount());
    const int cols = std::min(now.colCount(), updated.colCount());
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (now.cell(c, r) != updated.cell(c, r))
                stringgrid1_->setCell(c, r, updated.cell(c, r));
}

void Tanzeigeform::loadGrid(const QString& fileName) {
    GridData g = stringgrid1_->data();
    try {
        GridFile::load(g, fileName);
    } catch (...) {
        // What was read before the fault stays in the grid.
        stringgrid1_->setData(g);
        throw;
    }
    stringgrid1_->setData(g);
}

void Tanzeigeform::storeGrid(const QString& fileName) const {
    GridFile::store(stringgrid1_->data(), fileName);
}

// --- poll and connect ---------------------------------------------------------

void Tanzeigeform::ResolveAddresses() {
    GridData g = stringgrid1_->data();
    try {
        Resolution::resolveAddresses(
            g, roles_, shell_.catalog(),
            [this](const QString& name) { return shell_.spezLookup(name); }, shell_.startFolder());
    } catch (...) {
        applyCells(g);
        throw;
    }
    applyCells(g);
}

void Tanzeigeform::ReadValues() {
    if (shell_.portHandle() <= 0 || !dataUpdate())
        return;
    LibraryAccess access(shell_.portHandle());
    GridData g = stringgrid1_->data();
    ValueRows::readValues(g, roles_, precision_, access,
                          [this](const QString& text) { return textWidth(text); });
    // Only the value column changes; the view repaints once for all rows.
    StringGrid::Batch batch(stringgrid1_);
    const int rows = std::min(g.rowCount(), stringgrid1_->rowCount());
    for (int r = 1; r < rows; ++r)
        stringgrid1_->setCell(roles_.value, r, g.cell(roles_.value, r));
}

// --- window events --------------------------------------------------------------

void Tanzeigeform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        anzeigeformshow();
}

void Tanzeigeform::closeEvent(QCloseEvent* event) {
    if (formClose())
        event->accept();
    else
        event->ignore();
}

void Tanzeigeform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    anzeigeformresize();
}

bool Tanzeigeform::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        activate();
    return QWidget::event(event);
}

void Tanzeigeform::closeAndStore() {
    close();
}

void Tanzeigeform::anzeigeformshow() {
    if (locked_) {
        for (const char* name :
             {"open", "saveas", "varlistshow", "zuvarlistshow", "spezvarlistshow", "ObjektClear",
              "formcaption", "insert", "append", "delete"})
            action(name)->setEnabled(false);
    }
    guarded([this] {
        if (firstShow_ && QFile::exists(contentsFile())) {
            loadGrid(contentsFile());
            if (kind_ == WindowKind::Display)
                stringgrid1_->setColWidth(0, 50);
        }
        // Stays set when loading failed, so the next showing tries again.
        firstShow_ = false;
    });
}

bool Tanzeigeform::anzeigeformclose() {
    stringgrid1_->commitEditor();
    return guarded([this] {
        storeGrid(contentsFile());
        if (varlistOpened_)
            shell_.closeVarlist();
        varlistOpened_ = false;
    });
}

void Tanzeigeform::activate() {
    shell_.projectKeys().set(QStringLiteral("focus"), objectName());
    shell_.setProjectModified();
}

void Tanzeigeform::anzeigeformresize() {
    button1_->move(width() - 78, button1_->y());
}

// --- menu entries -----------------------------------------------------------------

void Tanzeigeform::anzcloseclick() {
    close();
}

void Tanzeigeform::BeendenClick() {
    close();
}

void Tanzeigeform::BeendenmnClick() {
    shell_.closeMain();
}

void Tanzeigeform::mainfocusClick() {
    shell_.focusMain();
}

void Tanzeigeform::openclick() {
    guarded([this] {
        const QString ext = fileExtension();
        const QString file = dialogs().openFile(QStringLiteral("Open"), windowFolder_, {},
                                                QStringLiteral("*.") + ext, ext);
        if (!file.isEmpty() && QFile::exists(file))
            loadGrid(file);
    });
}

void Tanzeigeform::saveasclick() {
    guarded([this] {
        const QString ext = fileExtension();
        const QString file = dialogs().saveFile(QStringLiteral("Save as"), windowFolder_, {},
                                                QStringLiteral("*.") + ext, ext);
        if (file.isEmpty())
            return;
        stringgrid1_->commitEditor();
        storeGrid(file);
    });
}

void Tanzeigeform::ObjektClearClick() {
    if (!dialogs().askYesNo(QStringLiteral("Do you really want to remove the window?")))
        return;
    shell_.removeWindowEntry(windowTitle());
    // Not while this handler still runs on the window.
    deleteLater();
}

void Tanzeigeform::formcaptionclick() {
    const QString old = windowTitle();
    const std::optional<QString> title = shell_.askTitle(old);
    if (!title)
        return;
    setWindowTitle(*title);
    shell_.renameWindowEntries(old, *title);
}

void Tanzeigeform::varlistshowonclick() {
    shell_.showVarlist();
    varlistOpened_ = true;
}

void Tanzeigeform::zuvarlistshowonclick() {
    shell_.showZuvarlist();
}

void Tanzeigeform::spezvarlistshowonclick() {
    shell_.showSpezlist();
}

void Tanzeigeform::ToolButtonClick(int button) {
    representation_ = Representation::letterOfButton(button);
    for (int i = 0; i < Representation::ToolButtonCount; ++i)
        toolButtons_[i]->setChecked(i == button);
}

// --- grid -------------------------------------------------------------------------

void Tanzeigeform::stringgridonclick() {
    const int col = stringgrid1_->currentCol();
    const int row = stringgrid1_->currentRow();
    if (col == roles_.type && row >= 1)
        stringgrid1_->setCell(col, row, representation_);
}

bool Tanzeigeform::StringGridSelectCell(int col, int row) const {
    return row >= 1 && col >= roles_.variable && col <= roles_.comment;
}

bool Tanzeigeform::cellEditable(int col, int row) const {
    return row >= 1 && (col == roles_.scaling || col == roles_.comment);
}

bool Tanzeigeform::StringGridKeyPress(int col, int row, QChar key) {
    if (row < 1)
        return false;
    if (col == roles_.scaling)
        return key == u'\b' || QStringLiteral("+,-0123456789Ee").contains(key);
    return col == roles_.comment;
}

bool Tanzeigeform::Stringgrid1DragOver(const DragSource& source) const {
    return source.controlKind == QLatin1String("StringGrid") ||
           source.controlKind == QLatin1String("ValueListEditor");
}

void Tanzeigeform::Stringgrid1DragDrop(const DragSource& source, int row) {
    if (row < 1 || row >= stringgrid1_->rowCount())
        return;
    const QStringList& from = source.currentRow;
    QString variable, address, scaling;
    if (source.controlKind == QLatin1String("StringGrid") &&
        source.windowName == QLatin1String("varlistform")) {
        // "nr.", "adress", "variable", "scaling value"
        address = from.value(1);
        variable = from.value(2);
        scaling = from.value(3);
    } else if (source.controlKind == QLatin1String("StringGrid") &&
               source.windowName == QLatin1String("zuvarlistform")) {
        // "Address", "Variable", "Offset", "Extended name", "Scaling value"
        const int32_t offset = parseIntTextOr(from.value(2).trimmed(), 0);
        address = from.value(0);
        variable =
            from.value(1) + u'[' + QString::number(offset) + QStringLiteral("].") + from.value(3);
        scaling = from.value(4);
    } else if (source.controlKind == QLatin1String("ValueListEditor")) {
        variable = from.value(0);
        address = from.value(1);
        scaling = QStringLiteral("1.00");
    } else {
        return;
    }
    StringGrid::Batch batch(stringgrid1_);
    stringgrid1_->setCell(roles_.variable, row, variable);
    stringgrid1_->setCell(roles_.address, row, address);
    stringgrid1_->setCell(roles_.scaling, row, scaling);
    stringgrid1_->setCell(roles_.type, row, QStringLiteral("D"));
    // A dropped parameter is not sent until the user marks it.
    if (roles_.yesNo >= 0)
        stringgrid1_->setCell(roles_.yesNo, row, QStringLiteral("N"));
}

void Tanzeigeform::Stringgrid1ContextPopup(const QPoint& gridPos) {
    popupMenu1_->popup(stringgrid1_->mapToGlobal(gridPos));
}

void Tanzeigeform::insertClick() {
    stringgrid1_->insertRow(stringgrid1_->currentRow());
}

void Tanzeigeform::appendClick() {
    stringgrid1_->setRowCount(stringgrid1_->rowCount() + 1);
}

void Tanzeigeform::deleteClick() {
    // The last data row stays: without it the title row would be all that is left.
    if (stringgrid1_->rowCount() <= 2)
        return;
    stringgrid1_->removeRow(stringgrid1_->currentRow());
}
