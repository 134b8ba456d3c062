#include "catalogs/taboutbox.h"
#include "catalogs/ttitelform.h"
#include "catalogs/tvariablenreadform.h"
#include "common/stringgrid.h"

#include "qtprinters.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(Variablenreadform, FillForCountAndForNoAddresses) {
    Tvariablenreadform form;
    EXPECT_EQ(form.windowTitle(), "address of variables");
    std::array<uint16_t, 256> table{};
    table[0] = 0x0010;
    table[1] = 0x0012;
    table[2] = 0x0100;
    form.fillAddresses(3, table); // while hidden
    EXPECT_EQ(form.label()->text(), "count of adress: 3");
    StringGrid* grid = form.grid();
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->rowCells(1), QStringList({"1", "0010"}));
    EXPECT_EQ(grid->rowCells(3), QStringList({"3", "0100"}));
    EXPECT_EQ(grid->rowCells(4), QStringList({"", ""}));

    QTimer::singleShot(0, &form, [&] {
        EXPECT_EQ(grid->cell(0, 0), "nr");
        EXPECT_EQ(grid->colWidth(1), 100);
        QTest::mouseClick(form.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    form.exec();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(grid->rowCells(2), QStringList({"2", "0012"})); // survives closing

    form.fillAddresses(0, table);
    EXPECT_EQ(form.label()->text(), "count of adress: 0");
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->rowCells(1), QStringList({"", ""}));
}

TEST(Titelform, AcceptedFlagProtocol) {
    Ttitelform dialog;
    EXPECT_EQ(dialog.windowTitle(), "change title");
    const auto answer = [&](const QString& current, auto&& action) {
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.edit()->text(), current);
            action();
        });
        return dialog.ask(current);
    };

    EXPECT_EQ(answer("display window1",
                     [&] {
                         dialog.edit()->setText("pump");
                         QTest::mouseClick(dialog.acceptButton(), Qt::LeftButton);
                     }),
              QString("pump"));
    // The close box leaves the flag of the last button press.
    EXPECT_EQ(answer("pump",
                     [&] {
                         dialog.edit()->setText("");
                         dialog.close();
                     }),
              QString(""));
    EXPECT_EQ(answer("pump",
                     [&] {
                         dialog.edit()->setText("other");
                         QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
                     }),
              std::nullopt);
    EXPECT_EQ(answer("pump", [&] { dialog.close(); }), std::nullopt);
    EXPECT_FALSE(dialog.acceptedFlag());
}

TEST(AboutBox, ShowsVersionAndClosesWithOk) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "Info");
    bool versionShown = false;
    for (const QLabel* label : box.findChildren<QLabel*>())
        versionShown |= label->text() == "Version: 1.06(9.12..2005)";
    EXPECT_TRUE(versionShown);
    QTimer::singleShot(0, &box, [&] { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}
