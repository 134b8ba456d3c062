#pragma once

#include "common/dragsource.h"
#include "common/griddata.h"
#include "common/shell.h"
#include "common/workingwindow.h"
#include "values/representation.h"
#include "values/valueaccess.h"

#include <QWidget>
#include <array>
#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QToolBar;
class QToolButton;
class StringGrid;

// The display window: a grid of controller variables read on every poll
// tick and shown in a representation chosen per row. It is also the frame of
// the parameter window (Teingabeform), which brings its own column layout
// and the handlers that differ.
class Tanzeigeform : public QWidget, public WorkingWindow {
    Q_OBJECT
  public:
    Tanzeigeform(Shell& shell, QWidget* owner);
    ~Tanzeigeform() override;

    // WorkingWindow
    WindowKind kind() const override { return kind_; }
    QWidget* widget() override { return this; }
    void setWindowFolder(const QString& folder) override { windowFolder_ = folder; }
    QString windowFolder() const override { return windowFolder_; }
    void setLocked(bool locked) override { locked_ = locked; }
    bool locked() const override { return locked_; }
    void resolve() override { ResolveAddresses(); }
    void readValues() override { ReadValues(); }
    void closeAndStore() override;

    // Rewrites addresses, scaling values and resolved marks from the
    // catalog; throws ZorlError when "v.txt" cannot be written.
    void ResolveAddresses();
    // One read per addressed row, one repaint for the whole grid.
    void ReadValues();

    // The representation the tool buttons have chosen ("D" at first).
    QString representation() const { return representation_; }
    // windowFolder + name + ".txt".
    QString contentsFile() const;
    bool firstShowPending() const { return firstShow_; }
    // "Data update" is on "yes".
    bool dataUpdate() const;
    bool openedVarlist() const { return varlistOpened_; }

    StringGrid* grid() const { return stringgrid1_; }
    const ColumnRoles& roles() const { return roles_; }

  public slots:
    void anzeigeformshow();
    // False when the contents file could not be written (the window stays).
    bool anzeigeformclose();
    void activate();
    virtual void anzeigeformresize();
    void anzcloseclick();
    void BeendenClick();
    void BeendenmnClick();
    void mainfocusClick();
    void openclick();
    void saveasclick();
    void ObjektClearClick();
    void formcaptionclick();
    void varlistshowonclick();
    void zuvarlistshowonclick();
    void spezvarlistshowonclick();
    // ToolButton1Click ... ToolButton7Click, button 0 ... 6.
    void ToolButtonClick(int button);
    virtual void stringgridonclick();
    void insertClick();
    void appendClick();
    void deleteClick();

  public:
    bool StringGridSelectCell(int col, int row) const;
    // Which cells take typed text in place.
    virtual bool cellEditable(int col, int row) const;
    // False discards the typed character.
    virtual bool StringGridKeyPress(int col, int row, QChar key);
    bool Stringgrid1DragOver(const DragSource& source) const;
    void Stringgrid1DragDrop(const DragSource& source, int row);
    void Stringgrid1ContextPopup(const QPoint& gridPos);

  protected:
    Tanzeigeform(Shell& shell, QWidget* owner, WindowKind kind);

    // Called on every close; the parameter window names it eingabeformclose.
    virtual bool formClose() { return anzeigeformclose(); }
    // What "Line insert", "Line append", "Line delete", "&Open...", ... act on.
    QAction* action(const char* name) const;
    QFrame* panel() const { return panel1_; }
    QPushButton* closeButton() const { return button1_; }
    Shell& shell() const { return shell_; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

    // Writes the cells of updated that differ from the grid, in one batch.
    void applyCells(const GridData& updated);
    int textWidth(const QString& text) const;
    // The controller through the library and the main window's port handle.
    std::unique_ptr<ValueAccess> controllerAccess() const;

  private:
    void buildMenus();
    void buildToolBar();
    void buildPanel();
    void buildGrid();
    void loadGrid(const QString& fileName);
    void storeGrid(const QString& fileName) const;
    QString fileExtension() const;

    Shell& shell_;
    const WindowKind kind_;
    const ColumnRoles roles_;
    const Precision precision_;
    QString representation_ = QStringLiteral("D");
    QString windowFolder_;
    bool locked_ = false;
    bool firstShow_ = true;
    bool varlistOpened_ = false;

    QMenuBar* mainMenu1_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    QFrame* coolBar1_ = nullptr;
    QToolBar* toolBar1_ = nullptr;
    std::array<QToolButton*, Representation::ToolButtonCount> toolButtons_{};
    QFrame* panel1_ = nullptr;
    QGroupBox* radiogroup1_ = nullptr;
    QRadioButton* updateYes_ = nullptr;
    QRadioButton* updateNo_ = nullptr;
    QPushButton* button1_ = nullptr;
    StringGrid* stringgrid1_ = nullptr;
};
