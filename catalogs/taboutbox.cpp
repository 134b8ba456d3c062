#include "catalogs/taboutbox.h"

#include "common/widgets.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setNames(this, "AboutBox", "Info");
    setWindowTitle("Info");
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(298, 179);

    auto* layout = new QVBoxLayout(this);
    auto* panel = named(new QFrame(this), "Panel1", "about");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* grid = new QGridLayout(panel);

    auto* icon = named(new QLabel(panel), "ProgramIcon", "program icon");
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull())
        appIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
    icon->setPixmap(appIcon.pixmap(65, 57).scaled(65, 57));
    icon->setFixedSize(65, 57);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(named(new QLabel("zorl_mon controller monitor", panel), "ProductName"), 0, 1);
    grid->addWidget(named(new QLabel("Version: 1.06(9.12..2005)", panel), "Version"), 1, 1);
    auto* notice = named(new QLabel("Monitor for the controller on a serial line, with the "
                                    "kestro communication library.",
                                    panel),
                         "Comments");
    notice->setWordWrap(true);
    grid->addWidget(notice, 2, 0, 1, 2);
    layout->addWidget(panel, 1);

    auto* ok = named(new QPushButton("OK", this), "OKButton", "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TAboutBox::~TAboutBox() = default;
