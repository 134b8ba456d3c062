#include "catalogs/tvariablenreadform.h"

#include "catalogs/addresslist.h"
#include "common/stringgrid.h"
#include "common/widgets.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

Tvariablenreadform::Tvariablenreadform(QWidget* parent) : QDialog(parent) {
    setNames(this, "variablenreadform", "address of variables");
    setWindowTitle("address of variables");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(222, 486);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* top = named(new QFrame(this), "Panel1", "count");
    top->setFixedHeight(41);
    auto* topLayout = new QHBoxLayout(top);
    Label1 = named(new QLabel("count of address: ", top), "Label1", "count of address");
    topLayout->addWidget(Label1);
    layout->addWidget(top);

    StringGrid1 = named(new StringGrid(this), "StringGrid1", "addresses");
    StringGrid1->setData(addresslist::createGrid());
    layout->addWidget(StringGrid1, 1);

    auto* bottom = named(new QFrame(this), "Panel2", "close");
    bottom->setFixedHeight(36);
    auto* bottomLayout = new QHBoxLayout(bottom);
    Button1 = named(new QPushButton("close", bottom), "Button1", "close");
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &Tvariablenreadform::Button1Click);
    bottomLayout->addStretch(1);
    bottomLayout->addWidget(Button1);
    layout->addWidget(bottom);
}

Tvariablenreadform::~Tvariablenreadform() = default;

void Tvariablenreadform::fillAddresses(int n, const std::array<uint16_t, 256>& table) {
    GridData grid = StringGrid1->data();
    const QString label = addresslist::fill(grid, n, table);
    Label1->setText(label);
    Label1->setAccessibleName(label);
    StringGrid1->setData(grid);
}

void Tvariablenreadform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    GridData grid = StringGrid1->data();
    addresslist::setupColumns(grid);
    StringGrid1->setData(grid);
}

void Tvariablenreadform::Button1Click() {
    close();
}
