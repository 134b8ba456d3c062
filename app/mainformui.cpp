#include "mainformui.h"

#include "common/widgets.h"
#include "statusbar.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int statusHeight = 19;

QPushButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w,
                    int h) {
    auto* b = named(new QPushButton(QString::fromLatin1(caption), parent),
                    QString::fromLatin1(name), QString::fromLatin1(caption));
    b->setGeometry(x, y, w, h);
    return b;
}

QGroupBox* group(QWidget* parent, const char* name, const char* caption, int x, int y, int w,
                 int h) {
    auto* g = named(new QGroupBox(QString::fromLatin1(caption), parent), QString::fromLatin1(name),
                    QString::fromLatin1(caption));
    g->setGeometry(x, y, w, h);
    return g;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, int x, int y, int w) {
    auto* c = named(new QComboBox(parent), QString::fromLatin1(name));
    c->setEditable(true);
    // Typed text is used as it stands but never becomes a list entry, so the
    // list positions stored in the project keep their meaning.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(0);
    c->setGeometry(x, y, w, 21);
    return c;
}

QAction* entry(QMenu* menu, QObject* owner, const char* name, const char* caption) {
    auto* a = new QAction(QString::fromLatin1(caption), owner);
    a->setObjectName(QString::fromLatin1(name));
    menu->addAction(a);
    return a;
}

QMenu* menu(QMenuBar* bar, const char* name, const char* caption) {
    auto* m = bar->addMenu(QString::fromLatin1(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->setAccessibleName(QString::fromLatin1(caption));
    m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    return m;
}

void separator(QMenu* menu, QObject* owner, const char* name) {
    auto* a = new QAction(owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setSeparator(true);
    menu->addAction(a);
}

} // namespace

void MainformUi::setupUi(QMainWindow* window) {
    window->setObjectName(QStringLiteral("mainform"));
    window->setWindowTitle(QStringLiteral("zorl_monitor"));
    window->setAccessibleName(QStringLiteral("zorl_monitor"));
    // Character height 11 pixels: the designed panel and box widths hold
    // their texts only at this size.
    QFont font = boldFont();
    font.setPixelSize(11);
    window->setFont(font);

    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientWidth, clientHeight - statusHeight);
    window->setCentralWidget(client);

    GroupBox1 = group(client, "GroupBox1", "Serial interface", 8, 8, 129, 89);
    Button1 = button(GroupBox1, "Button1", "Open sio", 8, 16, 113, 25);
    Button2 = button(GroupBox1, "Button2", "Close sio", 8, 56, 113, 25);
    Button2->setEnabled(false);

    GroupBox2 = group(client, "GroupBox2", "Edit sio-interface", 144, 8, 121, 89);
    QStringList ports;
    for (int i = 1; i <= 8; ++i)
        ports << QStringLiteral("com%1").arg(i);
    ComboBox1 = combo(GroupBox2, "ComboBox1", ports, 8, 20, 105);
    ComboBox1->setAccessibleName(QStringLiteral("serial port"));
    ComboBox2 = combo(GroupBox2, "ComboBox2",
                      {QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                       QStringLiteral("57600"), QStringLiteral("76800"), QStringLiteral("115200")},
                      8, 56, 105);
    ComboBox2->setAccessibleName(QStringLiteral("baud rate"));

    GroupBox3 = group(client, "GroupBox3", "Control", 272, 8, 129, 89);
    Button5 = button(GroupBox3, "Button5", "On", 8, 16, 113, 25);
    Button6 = button(GroupBox3, "Button6", "Off", 8, 56, 113, 25);

    GroupBox4 = group(client, "GroupBox4", "Special function register", 408, 8, 153, 89);
    Label1 = named(new QLabel(GroupBox4), QStringLiteral("Label1"),
                   QStringLiteral("special function register file"));
    Label1->setGeometry(8, 24, 137, 13);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setTextFormat(Qt::PlainText);
    Button3 = button(GroupBox4, "Button3", "Choose file", 8, 56, 137, 25);

    StatusBar1 =
        named(new StatusBar(window), QStringLiteral("StatusBar1"), QStringLiteral("status"));
    StatusBar1->setFixedHeight(statusHeight);
    window->setStatusBar(StatusBar1);
    ProgressBar1 = named(new QProgressBar(StatusBar1), QStringLiteral("ProgressBar1"),
                         QStringLiteral("activity"));
    ProgressBar1->setTextVisible(false);

    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setAccessibleName(QStringLiteral("main menu"));

    Datei1 = menu(bar, "Datei1", "&File");
    newProject1 = entry(Datei1, window, "newProject1", "New project");
    openproject1 = entry(Datei1, window, "openproject1", "Open project");
    closeproject1 = entry(Datei1, window, "closeproject1", "Close project");
    separator(Datei1, window, "N3");
    recentproject1 = entry(Datei1, window, "recentproject1", "Recent project");
    separator(Datei1, window, "N2");
    Beenden1 = entry(Datei1, window, "Beenden1", "&Close all");

    Bearbeiten1 = menu(bar, "Bearbeiten1", "&Edit");
    Anzeigefensterhinzufgen1 =
        entry(Bearbeiten1, window, "Anzeigefensterhinzufgen1", "Add display window");
    Parameterfensterhinzufgen1 =
        entry(Bearbeiten1, window, "Parameterfensterhinzufgen1", "Add parameterisation window");
    Grafikfensterhinzufgen1 =
        entry(Bearbeiten1, window, "Grafikfensterhinzufgen1", "Add graphic window");

    Fenster1 = menu(bar, "Fenster1", "&Window");

    siointerface1 = menu(bar, "siointerface1", "Sio-interface");
    errorwithbeep1 = entry(siointerface1, window, "errorwithbeep1", "Error with beep");
    errorwithoutbeep1 = entry(siointerface1, window, "errorwithoutbeep1", "Error without beep");
    errorwithbeep1->setCheckable(true);
    errorwithoutbeep1->setCheckable(true);
    errorwithbeep1->setChecked(true);

    variablen1 = new QAction(QStringLiteral("&Variables"), window);
    variablen1->setObjectName(QStringLiteral("variablen1"));
    bar->addAction(variablen1);

    Help1 = menu(bar, "Help1", "&Help");
    kestrohelp1 = entry(Help1, window, "kestrohelp1", "Help");
    separator(Help1, window, "N1");
    info1 = entry(Help1, window, "info1", "Info");
}
