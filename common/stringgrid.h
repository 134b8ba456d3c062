#pragma once

#include "common/dragsource.h"
#include "common/griddata.h"
#include "common/rowsource.h"

#include <QString>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <functional>

class QDrag;
class QPainter;
class StringGridModel;

// The grid of every grid window: cells as text over a GridData, a fixed
// title row and fixed first column (shown as the view's headers, so they
// stay visible while scrolling), user column sizing, in-place editing per
// cell, and the hooks the windows hang their handlers on.
//
// Cells are addressed (col, row), row 0 being the title row and column 0 the
// fixed column (GridData's fixed counts of 0 or 1 are honoured); the current
// cell is always a non-fixed one.
class StringGrid : public QTableView, public RowSource {
    Q_OBJECT
  public:
    explicit StringGrid(QWidget* parent = nullptr);
    StringGrid(int colCount, int rowCount, QWidget* parent = nullptr);
    ~StringGrid() override;

    // --- cells ---------------------------------------------------------
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    QStringList rowCells(int row) const;
    void setRowCells(int row, const QStringList& cells);
    void clearRow(int row);
    // Inserts an empty row before row; removes a row. Rows below move.
    void insertRow(int row);
    void removeRow(int row);

    int rowCount() const;
    int colCount() const;
    void setRowCount(int n);
    void setColCount(int n);
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int defaultRowHeight() const;
    void setDefaultRowHeight(int h);

    const GridData& data() const;
    void setData(const GridData& grid);

    StringGridModel* gridModel() const { return model_; }

    // Many writes, one repaint: between beginUpdate() and the matching
    // endUpdate() changes are collected and reported once.
    void beginUpdate();
    void endUpdate();
    class Batch {
      public:
        explicit Batch(StringGrid* g) : g_(g) { g_->beginUpdate(); }
        ~Batch() { g_->endUpdate(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        StringGrid* g_;
    };

    // --- current cell --------------------------------------------------
    int currentRow() const;
    int currentCol() const;
    // Moves the current cell without asking canSelect and without a click.
    void setCurrent(int col, int row);
    // Whether an in-place editor is open.
    bool isEditing() const { return state() == EditingState; }
    // Takes the text of an open in-place editor into its cell, so that a
    // store or send right now sees what the user typed.
    void commitEditor();
    // Whole-row selection look (the variable list).
    void setRowSelect(bool on);

    QStringList currentRowCells() const override;

    // Width of text in pixels in the grid's font.
    int textWidth(const QString& text) const;

    // The grid cell under a point of the grid widget; row -1 when the point
    // is not on a data row, col -1 when not on a column.
    std::pair<int, int> cellAt(const QPoint& gridPos) const;
    // The rectangle of a cell in grid widget coordinates.
    QRect cellRect(int col, int row) const;

    // --- hooks ---------------------------------------------------------
    // A typed character (Backspace is '\b', Enter '\r') in the grid or its
    // editor, with the current cell; false discards it.
    std::function<bool(int col, int row, QChar ch)> keyFilter;
    // Whether a cell may become current, by mouse or keyboard.
    std::function<bool(int col, int row)> canSelect;
    // Whether a cell is edited in place; unset means no cell is.
    std::function<bool(int col, int row)> canEdit;
    // Enter was accepted by the key filter; the editor's text is already in
    // the cell, so the window can normalise it.
    std::function<void(int col, int row)> onEnter;
    // After a left press moved to a cell (or hit the current one) and after
    // every keyboard move of the current cell.
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    // Any mouse press in the cells, with the point in grid coordinates.
    std::function<void(Qt::MouseButton button, const QPoint& gridPos)> onMouseDown;
    // Context-menu request (keyboard or mouse) at a point in grid coordinates.
    std::function<void(const QPoint& gridPos)> onContextMenu;
    // Draws a cell itself; returning false leaves the cell to the grid.
    std::function<bool(QPainter& painter, const QRect& rect, int col, int row)> drawCell;
    // Drop side: whether a drag may end here, and the drop itself, with the
    // cell under the point (row -1 when not on a data row).
    std::function<bool(const DragSource& source, int col, int row)> dragOver;
    std::function<void(const DragSource& source, int col, int row)> drop;

    // --- drag source -----------------------------------------------------
    // Buttons whose press arms the 10 ms drag-start timer; none by default.
    void setDragButtons(Qt::MouseButtons buttons) { dragButtons_ = buttons; }
    Qt::MouseButtons dragButtons() const { return dragButtons_; }
    QTimer* dragTimer() { return &dragTimer_; }
    // Runs the prepared drag; by default QDrag::exec(). Tests replace it to
    // take the drag without a nested event loop.
    std::function<void(QDrag& drag)> execDrag;
    // Starts a drag of this grid at once (what the timer does).
    void startGridDrag();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyboardSearch(const QString& search) override;

  private:
    friend class StringGridDelegate;
    void init();
    void dragMoveAt(QDragMoveEvent* event, const QPoint& gridPos);
    void dropAt(QDropEvent* event, const QPoint& gridPos);
    void applyLayout();
    void applyColWidth(int col);
    // A key in an open editor; true when it was consumed here.
    bool editorKey(QKeyEvent* event, QWidget* editor);

    StringGridModel* model_;
    QTimer dragTimer_;
    Qt::MouseButtons dragButtons_ = Qt::NoButton;
    bool keyFromGrid_ = false;
    bool syncingWidths_ = false;
};
