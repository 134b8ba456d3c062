#pragma once

#include "catalogs/catalog.h"
#include "catalogs/varlist.h"

#include <QMainWindow>
#include <QStringList>

class QAction;
class QFrame;
class QLineEdit;
class QMenu;
class QPainter;
class QPushButton;
class Shell;
class StringGrid;

// The variable list: pairs the names of varlist.txt with the controller's
// address table, builds the variable catalog and is the drag source the
// value windows take variables from. One instance, created hidden; closing
// only hides it.
class Tvarlistform : public QMainWindow {
    Q_OBJECT
  public:
    explicit Tvarlistform(Shell& shell, QWidget* parent = nullptr);
    ~Tvarlistform() override;

    // Reads project folder + "varlist.txt" into the grid (rows reset to 256).
    // Throws ZorlError when the file is there but cannot be read.
    void LoadVarlist();
    // Writes the first count table entries into the address column and
    // rebuilds the catalog from rows 1..count.
    void BuildCatalog(int count);
    const QStringList& catalog() const { return catalog_; }
    CatalogHit lookup(const QString& reference) const { return catalogLookup(catalog_, reference); }

    StringGrid* grid() const { return StringGrid1; }
    QLineEdit* searchEdit() const { return Edit1; }
    QPushButton* searchButton() const { return Button1; }
    QMenu* popupMenu() const { return PopupMenu1; }
    int searchRow() const { return searchRow_; }

    // The edit menu's order entries; the monitor disables the address one
    // whenever a port is opened or the connection is lost.
    QAction* nachvarlistordnen1() const { return nachvarlistordnen1_; }
    QAction* alphabetischordnen1() const { return alphabetischordnen1_; }
    QAction* nachAdressenordnen1() const { return nachAdressenordnen1_; }

  public slots:
    void Button1Click();
    void VariablemitIndex11Click();
    void VariablemitIndex21Click();
    void VariablemitIndex31Click();
    void VariablemitIndex12Click();
    void nachvarlistordnen1Click();
    void alphabetischordnen1Click();
    void nachAdressenordnen1Click();
    void close1Click();

  private:
    bool StringGrid1DrawCell(QPainter& painter, const QRect& rect, int col, int row);
    void StringGrid1ContextPopup(const QPoint& gridPos);
    void indexEntry(varlist::IndexEntry entry);
    void setGridKeepingCurrent(const GridData& grid);

    Shell& shell_;
    QStringList catalog_;
    int searchRow_ = 1;

    StringGrid* StringGrid1;
    QFrame* Panel1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QMenu* PopupMenu1;
    QAction* nachvarlistordnen1_;
    QAction* alphabetischordnen1_;
    QAction* nachAdressenordnen1_;
};
