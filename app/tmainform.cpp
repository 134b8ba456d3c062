#include "tmainform.h"

#include "catalogs/taboutbox.h"
#include "catalogs/tspezvarlistform.h"
#include "catalogs/ttitelform.h"
#include "catalogs/tvariablenreadform.h"
#include "catalogs/tvarlistform.h"
#include "catalogs/tzuvarlistform.h"
#include "comm/kestro.h"
#include "common/dialogs.h"
#include "common/errorreport.h"
#include "projectkeys.h"
#include "statusbar.h"
#include "windowfactories.h"
#include "windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QUrl>

namespace {

const QString recentPrefix = QStringLiteral("Recent project - ");
const QString documentation = QStringLiteral("Zorl_documentation.pdf");

ConnectionMonitor::Controls controlsOf(const MainformUi& ui) {
    ConnectionMonitor::Controls c;
    c.openButton = ui.Button1;
    c.closeButton = ui.Button2;
    c.onButton = ui.Button5;
    c.offButton = ui.Button6;
    c.portBox = ui.ComboBox1;
    c.baudBox = ui.ComboBox2;
    c.statusBar = ui.StatusBar1;
    c.activityBar = ui.ProgressBar1;
    c.beepEntry = ui.errorwithbeep1;
    return c;
}

} // namespace

Tmainform::Tmainform(QWidget* parent)
    : QMainWindow(parent),
      registry_((ui_.setupUi(this), new WindowRegistry(*this, this, ui_.Fenster1))),
      project_(*registry_), monitor_(new ConnectionMonitor(controlsOf(ui_), *this, this)) {
    move(249, 97);
    setFixedSize(MainformUi::clientWidth,
                 MainformUi::clientHeight + menuBar()->sizeHint().height());
    images_ = windowImages();
    connectUi();
    FormCreate();
}

Tmainform::~Tmainform() {
    // The working windows may still call back while they go; let them go
    // while this window is whole.
    registry_->destroyAll();
}

void Tmainform::setCatalogs(const Catalogs& catalogs) {
    catalogs_ = catalogs;
}

void Tmainform::connectUi() {
    connect(ui_.Button1, &QPushButton::clicked, this, &Tmainform::Button1Click);
    connect(ui_.Button2, &QPushButton::clicked, this, &Tmainform::Button2Click);
    connect(ui_.Button5, &QPushButton::clicked, this, &Tmainform::Button5Click);
    connect(ui_.Button6, &QPushButton::clicked, this, &Tmainform::Button6Click);
    connect(ui_.Button3, &QPushButton::clicked, this, &Tmainform::Button3Click);
    connect(ui_.ComboBox1, &QComboBox::currentIndexChanged, this, &Tmainform::ComboBox1Change);
    connect(ui_.ComboBox2, &QComboBox::currentIndexChanged, this, &Tmainform::ComboBox2Change);
    connect(ui_.errorwithbeep1, &QAction::triggered, this, &Tmainform::errorwithbeep1Click);
    connect(ui_.errorwithoutbeep1, &QAction::triggered, this, &Tmainform::errorwithoutbeep1Click);
    connect(ui_.openproject1, &QAction::triggered, this, &Tmainform::openproject1Click);
    connect(ui_.recentproject1, &QAction::triggered, this, &Tmainform::recentproject1Click);
    connect(ui_.newProject1, &QAction::triggered, this, &Tmainform::newProject1Click);
    connect(ui_.closeproject1, &QAction::triggered, this, &Tmainform::closeproject1Click);
    connect(ui_.Anzeigefensterhinzufgen1, &QAction::triggered, this,
            &Tmainform::Anzeigefensterhinzufgen1Click);
    connect(ui_.Parameterfensterhinzufgen1, &QAction::triggered, this,
            &Tmainform::Parameterfensterhinzufgen1Click);
    connect(ui_.Grafikfensterhinzufgen1, &QAction::triggered, this,
            &Tmainform::Grafikfensterhinzufgen1Click);
    connect(ui_.Beenden1, &QAction::triggered, this, &Tmainform::Beenden1Click);
    connect(ui_.variablen1, &QAction::triggered, this, &Tmainform::variablen1Click);
    connect(ui_.kestrohelp1, &QAction::triggered, this, &Tmainform::kestrohelp1Click);
    connect(ui_.info1, &QAction::triggered, this, &Tmainform::info1Click);
}

// ---- start and end

void Tmainform::FormCreate() {
    startFolder_ = QDir::currentPath();
    if (!startFolder_.endsWith(u'/'))
        startFolder_ += u'/';
    project_.keys().clear();
    project_.setModified(false);
}

void Tmainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tmainform::FormShow() {
    setWindowTitle(QStringLiteral("zorl_monitor_nr"));
    setAccessibleName(windowTitle());

    project_.setFolder(ProjectKeys::folderOf(ProjectFiles::recentFileName()));
    setRecentCaption();

    StatusBar* bar = ui_.StatusBar1;
    for (int i = 0; i < 3; ++i)
        bar->setPanelWidth(i, 80);
    bar->fitLastPanel();

    ui_.Button5->setEnabled(false);
    ui_.Button6->setEnabled(false);
    bar->setPanelText(0, QStringLiteral("handle=????"));
    ui_.Button1->setEnabled(false);
    ui_.Button2->setEnabled(false);

    QProgressBar* progress = ui_.ProgressBar1;
    progress->setRange(0, 80);
    progress->setValue(0);
    bar->placeBar(progress, 162, 78, 15);

    monitor_->timer3()->stop();

    // Nothing enables these again in this run.
    for (QAction* a : {ui_.newProject1, ui_.closeproject1, ui_.Anzeigefensterhinzufgen1,
                       ui_.Grafikfensterhinzufgen1, ui_.Parameterfensterhinzufgen1, ui_.variablen1})
        a->setEnabled(false);
    ui_.Button3->setEnabled(false);

    ui_.GroupBox2->setTitle(QStringLiteral("edit sio-interface"));
    ui_.GroupBox2->setAccessibleName(ui_.GroupBox2->title());
    ui_.ComboBox1->setVisible(true);
    {
        const QSignalBlocker block(ui_.ComboBox2);
        ui_.ComboBox2->clear();
        ui_.ComboBox2->addItems({QStringLiteral("9600"), QStringLiteral("19200"),
                                 QStringLiteral("38400"), QStringLiteral("57600"),
                                 QStringLiteral("76800"), QStringLiteral("115200")});
        ui_.ComboBox2->setCurrentIndex(0);
    }
}

void Tmainform::closeEvent(QCloseEvent* event) {
    if (!closedOnce_) {
        closedOnce_ = true;
        FormClose();
    }
    event->accept();
    emit closed();
}

void Tmainform::FormClose() {
    guarded([this] { project_.saveIfModified(); });
    kestro_close(monitor_->portHandle());
}

void Tmainform::Beenden1Click() {
    close();
}

// ---- connection settings

void Tmainform::ComboBox1Change(int index) {
    if (index < 0)
        return;
    ProjectKeys::setPortIndex(project_.keys(), index);
    project_.setModified();
}

void Tmainform::ComboBox2Change(int index) {
    if (index < 0)
        return;
    ProjectKeys::setBaudIndex(project_.keys(), index);
    project_.setModified();
}

void Tmainform::setBeepChoice(bool beep) {
    ui_.errorwithbeep1->setChecked(beep);
    ui_.errorwithoutbeep1->setChecked(!beep);
}

void Tmainform::errorwithbeep1Click() {
    setBeepChoice(true);
    ProjectKeys::setBeep(project_.keys(), true);
    project_.setModified();
}

void Tmainform::errorwithoutbeep1Click() {
    setBeepChoice(false);
    ProjectKeys::setBeep(project_.keys(), false);
    project_.setModified();
}

// ---- projects

void Tmainform::setRecentCaption() {
    // The caption is read back by "Recent project"; an "&" in the folder
    // must neither become a hot key nor get lost.
    const QString caption = recentPrefix + project_.folder();
    ui_.recentproject1->setProperty("caption", caption);
    ui_.recentproject1->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
}

void Tmainform::showProjectFolder(bool shortened) {
    StatusBar* bar = ui_.StatusBar1;
    const QString folder = project_.folder();
    if (!shortened) {
        bar->setPanelText(3, folder);
        return;
    }
    const QFontMetrics metrics(bar->font());
    // Room for the panel frame on both sides.
    const int room = bar->panelWidth(3) - 8;
    bar->setPanelText(3, ProjectKeys::shortenFolder(folder, room, [&metrics](const QString& text) {
                          return metrics.horizontalAdvance(text);
                      }));
}

void Tmainform::applyKeys() {
    const ProjectKeys::Settings s = ProjectKeys::read(project_.keys());
    // Selecting while a project opens is no change of the project.
    {
        const QSignalBlocker b1(ui_.ComboBox1);
        const QSignalBlocker b2(ui_.ComboBox2);
        if (s.portIndex)
            ui_.ComboBox1->setCurrentIndex(*s.portIndex);
        if (s.baudIndex)
            ui_.ComboBox2->setCurrentIndex(*s.baudIndex);
    }
    spezName_ = s.spezFileName;
    ui_.Label1->setText(spezName_);
    focusName_ = s.focusWindow;
    setBeepChoice(s.beep);
}

void Tmainform::LoadComplist() {
    project_.loadComplist();
}

void Tmainform::LoadVarlist() {
    if (catalogs_.varlistform)
        catalogs_.varlistform->LoadVarlist();
}

void Tmainform::LoadSpezList() {
    if (catalogs_.spezvarlistform)
        catalogs_.spezvarlistform->LoadSpezList();
}

void Tmainform::openproject1Click() {
    guarded([this] {
        const QString recent = ProjectFiles::recentFileName();
        const QString chosen = dialogs().openFile(
            QStringLiteral("Open project"), ProjectKeys::folderOf(recent),
            QLatin1String(ProjectFiles::projectFileName),
            QStringLiteral("Project files (*.prj);;All files (*)"), QStringLiteral("prj"));
        if (chosen.isEmpty())
            return;
        const QString fileName = QFileInfo(chosen).absoluteFilePath();
        ProjectFiles::setRecentFileName(fileName);
        project_.loadKeys(fileName);
        project_.setActive(true);
        applyKeys();
        project_.setFolder(ProjectKeys::folderOf(fileName));
        setRecentCaption();
        ui_.Button1->setEnabled(true);
        showProjectFolder(true);
        loadProjectWindows();
        monitor_->timer3()->stop();
    });
}

void Tmainform::recentproject1Click() {
    guarded([this] {
        const QString caption = ui_.recentproject1->property("caption").toString();
        const qsizetype dash = caption.indexOf(QStringLiteral(" - "));
        project_.setFolder(dash < 0 ? QString() : caption.mid(dash + 3));
        project_.loadKeys(project_.folder() + QLatin1String(ProjectFiles::projectFileName));
        project_.setActive(true);
        applyKeys();
        LoadSpezList();
        ui_.Button1->setEnabled(true);
        showProjectFolder(true);
        loadProjectWindows();
    });
}

void Tmainform::loadProjectWindows() {
    LoadComplist();
    LoadVarlist();
    raise();
    activateWindow();
    // One project per run: nothing opens a second one.
    ui_.recentproject1->setEnabled(false);
    ui_.openproject1->setEnabled(false);
}

void Tmainform::newProject1Click() {
    guarded([this] {
        const QString chosen = dialogs().saveFile(
            QStringLiteral("New project"), project_.folder(),
            QLatin1String(ProjectFiles::projectFileName),
            QStringLiteral("Project files (*.prj);;All files (*)"), QStringLiteral("prj"));
        if (chosen.isEmpty())
            return;
        const QString fileName = QFileInfo(chosen).absoluteFilePath();
        const QString folder = ProjectKeys::folderOf(fileName);
        // The project file always has this name, whatever name was typed.
        const QString path = folder + QLatin1String(ProjectFiles::projectFileName);
        const bool existed = QFileInfo::exists(path);
        if (existed && !dialogs().askYesNo(QStringLiteral(
                           "Do you want to delete or overwrite the current project?")))
            return;
        ProjectFiles::createProjectFile(path);
        ProjectFiles::setRecentFileName(fileName);
        project_.keys().clear();
        project_.setFolder(folder);
        project_.setActive(true);
        setRecentCaption();
        ui_.Button1->setEnabled(true);
        spezName_.clear();
        ui_.Label1->clear();
        showProjectFolder(!existed);
        monitor_->timer3()->stop();
        raise();
        activateWindow();
    });
}

void Tmainform::closeproject1Click() {
    guarded([this] {
        if (project_.modified()) {
            project_.saveIfModified();
            project_.setModified(false);
        }
        // Nothing of this run may be written over this folder any more.
        project_.setActive(false);
        monitor_->Button2Click();
        registry_->destroyAll();
        LoadSpezList();
        ui_.StatusBar1->setPanelText(3, QString());
        for (QPushButton* b : {ui_.Button1, ui_.Button2, ui_.Button5, ui_.Button6})
            b->setEnabled(false);
        ui_.recentproject1->setEnabled(true);
        ui_.openproject1->setEnabled(true);
    });
}

// ---- windows

void Tmainform::Anzeigefensterhinzufgen1Click() {
    registry_->add(WindowKind::Display, project_.folder());
}

void Tmainform::Parameterfensterhinzufgen1Click() {
    registry_->add(WindowKind::Parameter, project_.folder());
}

void Tmainform::Grafikfensterhinzufgen1Click() {
    registry_->add(WindowKind::Graphic, project_.folder());
}

void Tmainform::variablen1Click() {
    if (catalogs_.variablenreadform)
        catalogs_.variablenreadform->exec();
}

void Tmainform::kestrohelp1Click() {
    // The system's viewer may be missing; that is not the program's error.
    QDesktopServices::openUrl(QUrl::fromLocalFile(startFolder_ + documentation));
}

void Tmainform::info1Click() {
    if (catalogs_.aboutbox)
        catalogs_.aboutbox->exec();
}

void Tmainform::Button3Click() {
    const QString chosen = dialogs().openFile(QStringLiteral("Choose file"), project_.folder(),
                                              QString(), QStringLiteral("All files (*)"));
    if (chosen.isEmpty())
        return;
    spezName_ = QFileInfo(chosen).fileName();
    ui_.Label1->setText(spezName_);
    ProjectKeys::setSpezFileName(project_.keys(), spezName_);
    project_.setModified();
}

// ---- Shell

int32_t Tmainform::portHandle() const {
    return monitor_->portHandle();
}

bool Tmainform::portOpen() const {
    return monitor_->portOpen();
}

uint16_t Tmainform::plugCode() const {
    return monitor_->plugCode();
}

const std::array<uint16_t, 256>& Tmainform::addressTable() const {
    return monitor_->addressTable();
}

void Tmainform::renameWindowEntries(const QString& oldCaption, const QString& newCaption) {
    registry_->renameEntries(oldCaption, newCaption);
}

void Tmainform::removeWindowEntry(const QString& caption) {
    registry_->removeEntry(caption);
}

std::optional<QString> Tmainform::askTitle(const QString& current) {
    if (!catalogs_.titelform)
        return std::nullopt;
    return catalogs_.titelform->ask(current);
}

const QStringList& Tmainform::catalog() const {
    static const QStringList none;
    return catalogs_.varlistform ? catalogs_.varlistform->catalog() : none;
}

std::optional<QString> Tmainform::spezLookup(const QString& name) const {
    if (!catalogs_.spezvarlistform)
        return std::nullopt;
    return catalogs_.spezvarlistform->lookup(name);
}

void Tmainform::showVarlist() {
    if (catalogs_.varlistform) {
        catalogs_.varlistform->show();
        catalogs_.varlistform->raise();
    }
}

void Tmainform::closeVarlist() {
    if (catalogs_.varlistform)
        catalogs_.varlistform->close();
}

void Tmainform::showZuvarlist() {
    if (catalogs_.zuvarlistform) {
        catalogs_.zuvarlistform->show();
        catalogs_.zuvarlistform->raise();
    }
}

void Tmainform::showSpezlist() {
    if (catalogs_.spezvarlistform) {
        catalogs_.spezvarlistform->show();
        catalogs_.spezvarlistform->raise();
    }
}

void Tmainform::focusMain() {
    raise();
    activateWindow();
}

void Tmainform::closeMain() {
    close();
}

// ---- ConnectionMonitor::Host

void Tmainform::fillAddressList(int count) {
    if (catalogs_.variablenreadform)
        catalogs_.variablenreadform->fillAddresses(count, monitor_->addressTable());
}

void Tmainform::buildCatalog(int count) {
    if (catalogs_.varlistform)
        catalogs_.varlistform->BuildCatalog(count);
}

void Tmainform::resolveWindows() {
    for (WorkingWindow* window : registry_->windows())
        window->resolve();
}

void Tmainform::readWindows() {
    for (WorkingWindow* window : registry_->windows())
        window->readValues();
}

void Tmainform::disableAddressOrder() {
    if (catalogs_.varlistform)
        catalogs_.varlistform->nachAdressenordnen1()->setEnabled(false);
}

void Tmainform::focusWorkingWindow() {
    WorkingWindow* window = registry_->find(focusName_);
    if (!window)
        return;
    QWidget* w = window->widget();
    if (w->isVisible() && w->isEnabled()) {
        w->activateWindow();
        w->setFocus();
    }
}

void Tmainform::beep() {
    if (beeper_)
        beeper_();
    else
        QApplication::beep();
}
