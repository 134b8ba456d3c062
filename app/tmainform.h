#pragma once

#include "common/shell.h"
#include "connectionmonitor.h"
#include "mainformui.h"
#include "projectfiles.h"

#include <QMainWindow>
#include <functional>

class TAboutBox;
class Tspezvarlistform;
class Ttitelform;
class Tvariablenreadform;
class Tvarlistform;
class Tzuvarlistform;
class WindowRegistry;

// The main window: the frame of the program. It owns the working windows,
// holds the state the other windows read through Shell, and wires its
// menus and buttons to the connection monitor, the project files and the
// window registry.
class Tmainform : public QMainWindow, public Shell, private ConnectionMonitor::Host {
    Q_OBJECT
  public:
    explicit Tmainform(QWidget* parent = nullptr);
    ~Tmainform() override;

    // The single-instance windows, created after the main window.
    struct Catalogs {
        Ttitelform* titelform = nullptr;
        Tvarlistform* varlistform = nullptr;
        Tspezvarlistform* spezvarlistform = nullptr;
        TAboutBox* aboutbox = nullptr;
        Tvariablenreadform* variablenreadform = nullptr;
        Tzuvarlistform* zuvarlistform = nullptr;
    };
    void setCatalogs(const Catalogs& catalogs);

    const MainformUi& ui() const { return ui_; }
    ConnectionMonitor& monitor() { return *monitor_; }
    WindowRegistry& registry() { return *registry_; }
    ProjectFiles& project() { return project_; }
    bool projectModified() const { return project_.modified(); }
    QString spezFileName() override { return spezName_; }
    QString focusWindowName() const { return focusName_; }
    // Replaces the system beep (tests count beeps).
    void setBeeper(std::function<void()> beeper) { beeper_ = std::move(beeper); }

    // Shell
    int32_t portHandle() const override;
    bool portOpen() const override;
    uint16_t plugCode() const override;
    const std::array<uint16_t, 256>& addressTable() const override;
    QString startFolder() const override { return startFolder_; }
    QString projectFolder() const override { return project_.folder(); }
    KeyValueList& projectKeys() override { return project_.keys(); }
    void setProjectModified() override { project_.setModified(); }
    void renameWindowEntries(const QString& oldCaption, const QString& newCaption) override;
    void removeWindowEntry(const QString& caption) override;
    std::optional<QString> askTitle(const QString& current) override;
    const QStringList& catalog() const override;
    std::optional<QString> spezLookup(const QString& name) const override;
    void showVarlist() override;
    void closeVarlist() override;
    void showZuvarlist() override;
    void showSpezlist() override;
    void focusMain() override;
    void closeMain() override;
    const QList<QIcon>& imageList() const override { return images_; }

  signals:
    void closed();

  public slots:
    void Button1Click() { monitor_->Button1Click(); }
    void Button2Click() { monitor_->Button2Click(); }
    void Button5Click() { monitor_->Button5Click(); }
    void Button6Click() { monitor_->Button6Click(); }
    void Timer1Timer() { monitor_->Timer1Timer(); }
    void Timer2Timer() { monitor_->Timer2Timer(); }
    void Timer3Timer() { monitor_->Timer3Timer(); }
    void ComboBox1Change(int index);
    void ComboBox2Change(int index);
    void errorwithbeep1Click();
    void errorwithoutbeep1Click();

    void openproject1Click();
    void recentproject1Click();
    void newProject1Click();
    void closeproject1Click();

    void Anzeigefensterhinzufgen1Click();
    void Parameterfensterhinzufgen1Click();
    void Grafikfensterhinzufgen1Click();
    void Beenden1Click();
    void variablen1Click();
    void kestrohelp1Click();
    void info1Click();
    void Button3Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void FormShow();
    void FormClose();

    // ConnectionMonitor::Host
    void fillAddressList(int count) override;
    void buildCatalog(int count) override;
    void resolveWindows() override;
    void readWindows() override;
    void disableAddressOrder() override;
    void focusWorkingWindow() override;
    void beep() override;

    void connectUi();
    void applyKeys();
    void setBeepChoice(bool beep);
    void setRecentCaption();
    void showProjectFolder(bool shortened);
    // The end of opening a project: its windows and variables, then the main
    // window in front.
    void loadProjectWindows();
    void LoadComplist();
    void LoadVarlist();
    void LoadSpezList();

    MainformUi ui_;
    WindowRegistry* registry_;
    ProjectFiles project_;
    ConnectionMonitor* monitor_;
    Catalogs catalogs_;
    QString startFolder_;
    QString spezName_;
    QString focusName_;
    QList<QIcon> images_;
    std::function<void()> beeper_;
    bool closedOnce_ = false;
};
