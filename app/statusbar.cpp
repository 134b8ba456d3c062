#include "statusbar.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QProgressBar>

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setAutoFillBackground(true);
    // "connect: fail" and "St-code:FFFF" must fit the 80-pixel panels.
    QFont plain = font();
    plain.setBold(false);
    plain.setPixelSize(11);
    setFont(plain);
    for (int i = 0; i < panelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        label->setAccessibleName(QStringLiteral("status panel %1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        panels_[i] = label;
    }
    setColor(buttonFace());
}

QString StatusBar::panelText(int panel) const {
    return panels_.at(panel)->text();
}

void StatusBar::setPanelText(int panel, const QString& text) {
    panels_.at(panel)->setText(text);
    panels_.at(panel)->setAccessibleDescription(text);
}

int StatusBar::panelWidth(int panel) const {
    return widths_.at(panel);
}

void StatusBar::setPanelWidth(int panel, int width) {
    widths_.at(panel) = width;
    layoutPanels();
}

void StatusBar::fitLastPanel() {
    int rest = width();
    for (int i = 0; i < panelCount - 1; ++i)
        rest -= widths_[i];
    widths_[panelCount - 1] = std::max(0, rest);
    layoutPanels();
}

void StatusBar::setColor(const QColor& color) {
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

QColor StatusBar::buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

void StatusBar::placeBar(QProgressBar* bar, int left, int width, int height) {
    bar->setParent(this);
    bar->setGeometry(left, std::max(0, (this->height() - height) / 2), width, height);
    bar->show();
    bar->raise();
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    layoutPanels();
}

void StatusBar::layoutPanels() {
    int x = 0;
    for (int i = 0; i < panelCount; ++i) {
        panels_[i]->setGeometry(x, 0, widths_[i], height());
        x += widths_[i];
    }
}
