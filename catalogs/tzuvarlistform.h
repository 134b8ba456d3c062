#pragma once

#include <QMainWindow>

class QMenu;
class Shell;
class StringGrid;
struct DragSource;

// The additional variable list: entries base variable + offset + extended
// name, kept in project folder + "zuvarlist.txt". Read at the first showing
// of a run, written on closing when something was typed or dropped.
class Tzuvarlistform : public QMainWindow {
    Q_OBJECT
  public:
    explicit Tzuvarlistform(Shell& shell, QWidget* parent = nullptr);
    ~Tzuvarlistform() override;

    StringGrid* grid() const { return StringGrid1; }
    QMenu* popupMenu() const { return PopupMenu1; }
    bool modified() const { return modified_; }
    bool loadPending() const { return loadPending_; }

  public slots:
    void close1Click();
    void showvariablelist1Click();
    void lineinsert1Click();
    void lineappend1Click();
    void linedelete1Click();

  protected:
    void showEvent(QShowEvent* event) override;   // FormShow
    void closeEvent(QCloseEvent* event) override; // FormClose

  private:
    void FormShow();
    bool FormClose();
    bool StringGrid1DragOver(const DragSource& source, int col, int row);
    void StringGrid1DragDrop(const DragSource& source, int col, int row);
    bool StringGrid1KeyPress(int col, int row, QChar ch);
    bool StringGrid1SelectCell(int col, int row);
    void StringGrid1MouseDown(Qt::MouseButton button, const QPoint& gridPos);

    Shell& shell_;
    bool loadPending_ = true;
    bool modified_ = false;

    StringGrid* StringGrid1;
    QMenu* PopupMenu1;
};
