#pragma once

#include "catalogs/spezlist.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>

class QFrame;
class QPainter;
class QPushButton;
class QTimer;
class Shell;
class ValueListEditor;

// The special function register list: the name=address file named by the
// project (key "spezfuncname") in sections headed by "#" names. A drag
// source, and the second place value windows look names up in.
class Tspezvarlistform : public QWidget {
    Q_OBJECT
  public:
    explicit Tspezvarlistform(Shell& shell, QWidget* parent = nullptr);
    ~Tspezvarlistform() override;

    // Replaces the rows by the file's lines when the file exists; a read
    // failure shows "Daten in "spezreg.txt" not ok!" and keeps the rows.
    void LoadSpezList();
    // The register's address by name, letter case ignored.
    std::optional<QString> lookup(const QString& name) const;

    ValueListEditor* list() const { return ValueListEditor1; }
    bool loadPending() const { return loadPending_; }
    QTimer* dragTimer() const { return Timer1; }
    // The fill of a cell's drawing hook: red for section headers.
    static std::optional<QColor> headerFill(const QString& name);

  public slots:
    void Button1Click(); // Next
    void Button2Click(); // Previous
    void Button3Click(); // Close
    void Timer1Timer();

  protected:
    void showEvent(QShowEvent* event) override;     // FormShow
    void resizeEvent(QResizeEvent* event) override; // FormResize

  private:
    void FormShow();
    void FormResize();
    void ValueListEditor1DrawCell(QPainter& painter, const QRect& rect, int col, int row);
    void ValueListEditor1MouseDown(Qt::MouseButton button, const QPoint& pos);
    void ValueListEditor1MouseWheel(bool down);
    void ValueListEditor1KeyDown(QKeyEvent* event);

    Shell& shell_;
    bool loadPending_ = true;

    ValueListEditor* ValueListEditor1;
    QFrame* Panel1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QTimer* Timer1;
};
