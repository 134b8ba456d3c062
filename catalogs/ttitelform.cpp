#include "catalogs/ttitelform.h"

#include "common/widgets.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Ttitelform::Ttitelform(QWidget* parent) : QDialog(parent) {
    setNames(this, "titelform", "change title");
    setWindowTitle("change title");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(449, 109);

    auto* layout = new QVBoxLayout(this);
    Edit1 = named(new QLineEdit(this), "Edit1", "title");
    Edit1->setFixedWidth(425);
    layout->addWidget(Edit1);
    auto* buttons = new QHBoxLayout;
    Button1 = named(new QPushButton("accept and close", this), "Button1", "accept and close");
    Button2 = named(new QPushButton("cancel and close", this), "Button2", "cancel and close");
    // Enter in the field is no button press: only the buttons set the flag.
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &Ttitelform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Ttitelform::Button2Click);
}

Ttitelform::~Ttitelform() = default;

std::optional<QString> Ttitelform::ask(const QString& current) {
    Edit1->setText(current);
    exec();
    if (accepted_)
        return Edit1->text();
    return std::nullopt;
}

void Ttitelform::Button1Click() {
    accepted_ = true;
    close();
}

void Ttitelform::Button2Click() {
    accepted_ = false;
    close();
}
