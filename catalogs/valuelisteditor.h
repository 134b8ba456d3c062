#pragma once

#include "catalogs/spezlist.h"
#include "common/rowsource.h"

#include <QTableWidget>
#include <functional>

class QDrag;
class QPainter;

// A name/value list: a "Name" and a "Value" column under a title row, whole
// rows selected, nothing edited in place. Drop targets tell it apart from a
// StringGrid by its class. Rows are counted from 0, the title not included.
//
// From the keyboard, Insert adds an empty row and Down on the last row
// appends one (both only while the current row has a name), Ctrl+Delete
// deletes the current row. The wheel and Up/Down move the current row one
// row per step.
class ValueListEditor : public QTableWidget, public RowSource {
    Q_OBJECT
  public:
    explicit ValueListEditor(QWidget* parent = nullptr);

    void setEntries(const QList<spezlist::Entry>& entries);
    QList<spezlist::Entry> entries() const;
    QString name(int row) const;
    QString value(int row) const;

    int currentDataRow() const;
    void setCurrentDataRow(int row);
    int topRow() const;
    void setTopRow(int row);

    QStringList currentRowCells() const override;

    // Called before the default step of a wheel notch or key press, so the
    // window can move the current row first.
    std::function<void(bool down)> onWheel;
    std::function<void(QKeyEvent* event)> onKeyDown;
    std::function<void(Qt::MouseButton button, const QPoint& pos)> onMouseDown;
    std::function<void()> onMouseUp;
    // Draws over a cell after its normal drawing (row as above, col 0 or 1).
    std::function<void(QPainter& painter, const QRect& rect, int col, int row)> drawCell;

    // Starts a drag of the list at once. execDrag runs it; QDrag::exec() by
    // default, tests replace it.
    void startListDrag();
    std::function<void(QDrag& drag)> execDrag;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void step(bool down);
    void insertEmptyRow(int row);
    int wheelRemainder_ = 0;
};
