#include "common/dragsource.h"
#include "common/rowsource.h"
#include "common/stringgrid.h"

#include <QMimeData>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Stands in for the special function register list's name/value list.
class ValueListEditor : public QWidget, public RowSource {
    Q_OBJECT
  public:
    using QWidget::QWidget;
    QStringList currentRowCells() const override { return {"P1", "00090"}; }
};

class DerivedGrid : public StringGrid {
    Q_OBJECT
  public:
    using StringGrid::StringGrid;
};

} // namespace

TEST(DragSource, IdentifiesWindowKindAndCurrentRow) {
    QWidget window;
    window.setObjectName("zuvarlistform");
    auto* grid = new DerivedGrid(5, 4, &window);
    grid->setCell(1, 2, "speed");
    grid->setCell(2, 2, "3");
    grid->setCurrent(2, 2);
    EXPECT_EQ(identifyDragSource(grid),
              (DragSource{"zuvarlistform", "StringGrid", {"", "speed", "3", "", ""}}));

    QWidget spez;
    spez.setObjectName("spezvarlistform");
    auto* list = new ValueListEditor(&spez);
    EXPECT_EQ(identifyDragSource(list),
              (DragSource{"spezvarlistform", "ValueListEditor", {"P1", "00090"}}));

    QWidget other;
    other.setObjectName("anzeige1");
    auto* plain = new QWidget(&other);
    EXPECT_EQ(identifyDragSource(plain), (DragSource{"anzeige1", "QWidget", {}}));
}

TEST(DragSource, MimeRoundTripAndForeignData) {
    const DragSource source{"varlistform", "StringGrid", {"7", "001A0", "speed", "2,5"}};
    std::unique_ptr<QMimeData> mime(toMime(source));
    EXPECT_EQ(fromMime(mime.get()), source);

    QMimeData text;
    text.setText("speed");
    EXPECT_FALSE(fromMime(&text).has_value());
    EXPECT_FALSE(fromMime(nullptr).has_value());
    QMimeData broken;
    broken.setData(dragSourceMimeType, QByteArray("\x00\x00", 2));
    EXPECT_FALSE(fromMime(&broken).has_value());
}

#include "dragsource_test.moc"
