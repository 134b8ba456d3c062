#include "common/dragsource.h"
#include "common/stringgrid.h"
#include "common/stringgridmodel.h"
#include "tests/gridinput.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A shown top-level window holding one grid: 4 columns, title row + 5 rows.
struct GridWindow {
    explicit GridWindow(const QString& name = "anzeige1") {
        window.setObjectName(name);
        auto* layout = new QVBoxLayout(&window);
        grid = new StringGrid(4, 6, &window);
        layout->addWidget(grid);
        const QStringList titles{"address", "variable", "value", "comment"};
        for (int c = 0; c < 4; ++c)
            grid->setCell(c, 0, titles[c]);
        for (int r = 1; r < 6; ++r)
            grid->setCell(0, r, QString::number(r));
        window.resize(400, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        grid->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QPoint cellCenter(int col, int row) const { return ::cellCenter(grid, col, row); }
    void type(const QString& text) { typeInto(grid, text); }

    QWidget window;
    StringGrid* grid;
};

} // namespace

TEST(StringGrid, EveryCellIncludingTitlesIsReadableThroughTheModel) {
    GridWindow w;
    StringGrid& g = *w.grid;
    g.setCell(2, 3, "4711");
    const QAbstractItemModel* m = g.model();
    EXPECT_EQ(m->rowCount(), 6);
    EXPECT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->data(m->index(0, 0)).toString(), "address");
    EXPECT_EQ(m->data(m->index(0, 3)).toString(), "comment");
    EXPECT_EQ(m->data(m->index(4, 0)).toString(), "4");
    EXPECT_EQ(m->data(m->index(3, 2)).toString(), "4711");
    // The fixed cells are what the headers show, so they stay in sight.
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "variable");
    EXPECT_EQ(m->headerData(5, Qt::Vertical).toString(), "5");
    EXPECT_TRUE(g.horizontalHeader()->isVisible());
    EXPECT_TRUE(g.isRowHidden(0));
    EXPECT_TRUE(g.isColumnHidden(0));
    // Hiding the fixed column must not cost it its width.
    EXPECT_EQ(g.colWidth(0), 64);
    EXPECT_EQ(g.verticalHeader()->width(), 64);
    // The current cell starts at the first non-fixed one.
    EXPECT_EQ(g.currentCol(), 1);
    EXPECT_EQ(g.currentRow(), 1);
}

TEST(StringGrid, AGridThatStartsEmptyGetsItsFixedCellsLater) {
    StringGrid g;
    g.setColCount(3);
    g.setRowCount(4);
    g.setCell(1, 0, "title");
    EXPECT_TRUE(g.isRowHidden(0));
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), "title");
    EXPECT_EQ(g.currentCol(), 1);
    EXPECT_EQ(g.currentRow(), 1);
    EXPECT_TRUE(g.currentIndex().isValid());
}

TEST(StringGrid, DataRoundTripAndColumnWidths) {
    GridWindow w;
    StringGrid& g = *w.grid;
    g.setColWidth(0, 50);
    g.setColWidth(2, 70);
    g.setColWidth(3, 1); // the hidden mark column of value windows
    EXPECT_EQ(g.columnWidth(2), 70);
    EXPECT_EQ(g.columnWidth(3), 1);
    EXPECT_EQ(g.verticalHeader()->width(), 50);

    // Sizing a column by hand is kept in the grid data.
    g.horizontalHeader()->resizeSection(1, 123);
    EXPECT_EQ(g.colWidth(1), 123);
    EXPECT_EQ(g.data().colWidth(1), 123);

    GridData d = g.data();
    d.setColCount(9);
    d.setRowCount(3);
    d.setCell(8, 2, "x");
    d.setColWidth(8, 33);
    g.setData(d);
    EXPECT_EQ(g.data(), d);
    EXPECT_EQ(g.colCount(), 9);
    EXPECT_EQ(g.cell(8, 2), "x");
    EXPECT_EQ(g.columnWidth(8), 33);
    EXPECT_TRUE(g.isRowHidden(0)); // still a title row after the reset

    g.setRowCount(8);
    EXPECT_EQ(g.model()->rowCount(), 8);
    EXPECT_EQ(g.cell(1, 7), "");
    g.insertRow(1);
    EXPECT_EQ(g.cell(8, 3), "x");
    g.removeRow(1);
    EXPECT_EQ(g.cell(8, 2), "x");

    // Shrinking past the current row leaves the last row current.
    g.setCurrent(2, 6);
    g.setRowCount(4);
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(g.currentCol(), 2);
    g.setCurrent(3, 3);
    g.removeRow(3);
    EXPECT_EQ(g.currentRow(), 2);

    EXPECT_EQ(g.textWidth("WWW"), g.fontMetrics().horizontalAdvance("WWW"));
    EXPECT_GT(g.textWidth("WWW"), g.textWidth("i"));
}

TEST(StringGrid, KeyFilterAppliesToGridAndEditorAndEnterSeesTheTypedText) {
    GridWindow w;
    StringGrid& g = *w.grid;
    QString seen;
    // Column 2 takes digits, "," and Backspace; column 1 nothing.
    g.keyFilter = [&](int col, int, QChar ch) {
        seen += ch;
        return col == 2 && (ch.isDigit() || ch == u',' || ch == u'\b' || ch == u'\r');
    };
    g.canEdit = [](int col, int) { return col == 2; };
    QStringList entered;
    g.onEnter = [&](int col, int row) {
        entered << QString("%1:%2:%3").arg(col).arg(row).arg(g.cell(col, row));
    };

    g.setCurrent(1, 2);
    w.type("ab1");
    EXPECT_FALSE(g.isEditing());
    EXPECT_EQ(g.cell(1, 2), "");

    g.setCurrent(2, 2);
    seen.clear();
    w.type("1a,.5x9\b\r");
    EXPECT_EQ(g.cell(2, 2), "1,5");
    EXPECT_EQ(entered, QStringList{"2:2:1,5"});
    EXPECT_FALSE(g.isEditing());
    // Every character reached the filter exactly once, Backspace and Enter included.
    EXPECT_EQ(seen, "1a,.5x9\b\r");

    // A discarded Enter neither closes the editor nor reaches the Enter hook.
    g.keyFilter = [](int, int, QChar ch) { return ch != u'\r'; };
    w.type("7\r");
    EXPECT_TRUE(g.isEditing());
    EXPECT_EQ(entered.size(), 1);
}

TEST(StringGrid, SelectionPermissionAndClicks) {
    GridWindow w;
    StringGrid& g = *w.grid;
    g.canSelect = [](int col, int) { return col == 1 || col == 2; };
    int clicks = 0;
    g.onClick = [&] { ++clicks; };
    QList<Qt::MouseButton> pressed;
    g.onMouseDown = [&](Qt::MouseButton b, const QPoint&) { pressed << b; };

    g.setCurrent(2, 1);
    QTest::keyClick(&g, Qt::Key_Right); // column 3 is refused
    EXPECT_EQ(g.currentCol(), 2);
    EXPECT_EQ(clicks, 0);
    QTest::keyClick(&g, Qt::Key_Down);
    EXPECT_EQ(g.currentRow(), 2);
    EXPECT_EQ(clicks, 1);

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, w.cellCenter(3, 4));
    EXPECT_EQ(g.currentCol(), 2);
    EXPECT_EQ(g.currentRow(), 2);
    EXPECT_EQ(clicks, 1);

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, w.cellCenter(1, 4));
    EXPECT_EQ(g.currentCol(), 1);
    EXPECT_EQ(g.currentRow(), 4);
    EXPECT_EQ(clicks, 2);

    // Dragging the pointer onto a refused cell does not move there either.
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, w.cellCenter(1, 3));
    QTest::mouseMove(g.viewport(), w.cellCenter(3, 3));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, w.cellCenter(3, 3));
    EXPECT_EQ(g.currentCol(), 1);
    EXPECT_EQ(g.currentRow(), 3);

    // A right click leaves the current cell alone.
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, w.cellCenter(2, 5));
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(pressed, (QList<Qt::MouseButton>{Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                               Qt::RightButton}));

    int doubles = 0;
    g.onDoubleClick = [&] { ++doubles; };
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, w.cellCenter(2, 3));
    EXPECT_EQ(doubles, 1);
}

TEST(StringGrid, ContextMenuRequestReportsTheGridPosition) {
    GridWindow w;
    StringGrid& g = *w.grid;
    std::optional<QPoint> at;
    g.onContextMenu = [&](const QPoint& p) { at = p; };
    const QPoint vp = w.cellCenter(2, 3);
    QContextMenuEvent ev(QContextMenuEvent::Mouse, vp, g.viewport()->mapToGlobal(vp));
    QApplication::sendEvent(g.viewport(), &ev);
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(*at, g.viewport()->mapTo(&g, vp));
    EXPECT_EQ(g.cellAt(*at), std::make_pair(2, 3));
}

TEST(StringGrid, ABatchOfWritesIsReportedOnce) {
    GridWindow w;
    StringGrid& g = *w.grid;
    g.setRowCount(200);
    QSignalSpy changed(g.model(), &QAbstractItemModel::dataChanged);

    g.setCell(2, 5, "a");
    g.setCell(2, 5, "a"); // unchanged: nothing to report
    EXPECT_EQ(changed.count(), 1);
    changed.clear();

    {
        StringGrid::Batch batch(&g);
        for (int r = 10; r < 150; ++r) {
            g.beginUpdate(); // nested batches count
            g.setCell(2, r, QString::number(r));
            g.setCell(3, r, "x");
            g.endUpdate();
        }
        EXPECT_EQ(changed.count(), 0);
    }
    ASSERT_EQ(changed.count(), 1);
    const auto tl = changed[0][0].value<QModelIndex>();
    const auto br = changed[0][1].value<QModelIndex>();
    EXPECT_EQ(tl.row(), 10);
    EXPECT_EQ(tl.column(), 2);
    EXPECT_EQ(br.row(), 149);
    EXPECT_EQ(br.column(), 3);
    EXPECT_EQ(g.cell(2, 77), "77");

    // Rows removed inside a batch do not leave a report past the end.
    changed.clear();
    g.beginUpdate();
    g.setCell(1, 190, "late");
    g.setCell(1, 20, "kept");
    g.setRowCount(50);
    g.endUpdate();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 49);

    // A title written in a batch reaches the header.
    QSignalSpy headers(g.model(), &QAbstractItemModel::headerDataChanged);
    g.beginUpdate();
    g.setCell(2, 0, "new title");
    g.endUpdate();
    EXPECT_EQ(headers.count(), 1);
    EXPECT_EQ(g.model()->headerData(2, Qt::Horizontal).toString(), "new title");
}

TEST(StringGrid, DrawHookPaintsTheCurrentRow) {
    GridWindow w;
    StringGrid& g = *w.grid;
    g.setRowSelect(true);
    g.drawCell = [&g](QPainter& p, const QRect& r, int col, int row) {
        if (row != g.currentRow() || col < 1)
            return false;
        p.fillRect(r, Qt::blue);
        return true;
    };
    g.setCurrent(1, 2);
    auto colourAt = [&](int col, int row) {
        const QImage img = g.viewport()->grab().toImage();
        return img.pixelColor(w.cellCenter(col, row));
    };
    EXPECT_EQ(colourAt(2, 2), QColor(Qt::blue));
    EXPECT_NE(colourAt(2, 3), QColor(Qt::blue));
    g.setCurrent(1, 3); // the old row is painted normally again
    EXPECT_EQ(colourAt(3, 3), QColor(Qt::blue));
    EXPECT_NE(colourAt(2, 2), QColor(Qt::blue));
}

TEST(StringGrid, DragStartsTenMillisecondsAfterThePress) {
    GridWindow w("varlistform");
    StringGrid& g = *w.grid;
    g.setDragButtons(Qt::LeftButton | Qt::RightButton);
    g.setRowCells(3, {"3", "001A0", "speed", "2,5"});
    std::optional<DragSource> dragged;
    int drags = 0;
    g.execDrag = [&](QDrag& drag) {
        ++drags;
        EXPECT_EQ(drag.source(), &g);
        dragged = fromMime(drag.mimeData());
    };

    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, w.cellCenter(2, 3));
    EXPECT_EQ(drags, 0); // not at once
    EXPECT_TRUE(g.dragTimer()->isActive());
    EXPECT_EQ(g.dragTimer()->interval(), 10);
    QTest::qWait(60);
    ASSERT_EQ(drags, 1);
    ASSERT_TRUE(dragged.has_value());
    EXPECT_EQ(dragged->windowName, "varlistform");
    EXPECT_EQ(dragged->controlKind, "StringGrid");
    EXPECT_EQ(dragged->currentRow, QStringList({"3", "001A0", "speed", "2,5"}));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, w.cellCenter(2, 3));

    // A click released before the delay starts nothing; a button that is not
    // armed does not start the timer.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, w.cellCenter(2, 2));
    g.setDragButtons(Qt::LeftButton);
    QTest::mousePress(g.viewport(), Qt::RightButton, {}, w.cellCenter(2, 2));
    EXPECT_FALSE(g.dragTimer()->isActive());
    QTest::qWait(40);
    EXPECT_EQ(drags, 1);
}

TEST(StringGrid, DropReachesTheHookWithTheCellUnderThePoint) {
    GridWindow source("zuvarlistform");
    source.grid->setRowCells(2, {"001A0", "arr", "2", "x", "1"});
    source.grid->setCurrent(1, 2);
    GridWindow target("anzeige2");
    StringGrid& g = *target.grid;

    QList<std::pair<QString, QPoint>> drops;
    g.dragOver = [](const DragSource& s, int, int) { return s.controlKind == "StringGrid"; };
    g.drop = [&](const DragSource& s, int col, int row) {
        drops << std::make_pair(s.windowName + "/" + s.currentRow.value(1), QPoint(col, row));
    };

    auto dropOn = [&](QWidget* w, const QPoint& pos, QMimeData* mime) {
        std::unique_ptr<QMimeData> owned(mime);
        QDragEnterEvent enter(pos, Qt::CopyAction, mime, Qt::LeftButton, {});
        QApplication::sendEvent(w, &enter);
        QDragMoveEvent move(pos, Qt::CopyAction, mime, Qt::LeftButton, {});
        QApplication::sendEvent(w, &move);
        QDropEvent ev(pos, Qt::CopyAction, mime, Qt::LeftButton, {});
        QApplication::sendEvent(w, &ev);
        return ev.isAccepted();
    };
    auto dropAt = [&](const QPoint& vp, QMimeData* mime) { return dropOn(g.viewport(), vp, mime); };

    EXPECT_TRUE(dropAt(target.cellCenter(2, 4), toMime(identifyDragSource(source.grid))));
    // Below the last row there is no data row.
    const QRect last = g.visualRect(g.model()->index(5, 1));
    EXPECT_TRUE(dropAt(QPoint(last.center().x(), last.bottom() + 10),
                       toMime(identifyDragSource(source.grid))));
    // The fixed column is the row header; a drop there belongs to its row.
    QWidget* rowHeader = g.verticalHeader()->viewport();
    EXPECT_TRUE(rowHeader->acceptDrops());
    const QPoint besideRow3(rowHeader->width() / 2,
                            g.visualRect(g.model()->index(3, 1)).center().y());
    EXPECT_TRUE(dropOn(rowHeader, besideRow3, toMime(identifyDragSource(source.grid))));
    ASSERT_EQ(drops.size(), 3);
    EXPECT_EQ(drops[0].first, "zuvarlistform/arr");
    EXPECT_EQ(drops[0].second, QPoint(2, 4));
    EXPECT_EQ(drops[1].second.y(), -1);
    EXPECT_EQ(drops[2].second, QPoint(0, 3));

    // A real drag over the title row looks for a target from the header
    // upwards; the grid must not take it there.
    QWidget* headerTarget = g.horizontalHeader()->childAt(g.horizontalHeader()->rect().center());
    if (!headerTarget)
        headerTarget = g.horizontalHeader();
    while (headerTarget && !headerTarget->acceptDrops() && !headerTarget->isWindow())
        headerTarget = headerTarget->parentWidget();
    EXPECT_FALSE(headerTarget && headerTarget->acceptDrops());

    // Refused kinds and foreign data never reach the drop hook.
    EXPECT_FALSE(dropAt(target.cellCenter(2, 4),
                        toMime(DragSource{"spezvarlistform", "ValueListEditor", {"a", "1"}})));
    auto* text = new QMimeData;
    text->setText("speed");
    EXPECT_FALSE(dropAt(target.cellCenter(2, 4), text));
    EXPECT_EQ(drops.size(), 3);
}
