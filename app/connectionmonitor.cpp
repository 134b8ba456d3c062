#include "connectionmonitor.h"

#include "comm/kestro.h"
#include "common/dialogs.h"
#include "common/errorreport.h"
#include "common/inttext.h"
#include "statusbar.h"

#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int tickMs = 100;
constexpr int defaultBaud = 9600;
constexpr int activityStep = 3;
const QColor failColor(255, 0, 0);

QTimer* makeTimer(QObject* parent, const char* name, bool enabled) {
    auto* t = new QTimer(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setInterval(tickMs);
    if (enabled)
        t->start();
    return t;
}

} // namespace

ConnectionMonitor::ConnectionMonitor(const Controls& controls, Host& host, QObject* parent)
    : QObject(parent), c_(controls), host_(host), timer1_(makeTimer(this, "Timer1", false)),
      timer2_(makeTimer(this, "Timer2", false)), timer3_(makeTimer(this, "Timer3", true)) {
    setObjectName(QStringLiteral("connectionmonitor"));
    connect(timer1_, &QTimer::timeout, this, &ConnectionMonitor::Timer1Timer);
    connect(timer2_, &QTimer::timeout, this, &ConnectionMonitor::Timer2Timer);
    connect(timer3_, &QTimer::timeout, this, &ConnectionMonitor::Timer3Timer);
}

QString ConnectionMonitor::portName() const {
    // The box lets the user type: a typed device path is used as it stands.
    return c_.portBox->currentText().trimmed();
}

int ConnectionMonitor::baudRate() const {
    bool ok = false;
    const int baud = c_.baudBox->currentText().trimmed().toInt(&ok);
    return ok && baud > 0 ? baud : defaultBaud;
}

void ConnectionMonitor::Button1Click() {
    const QString name = portName();
    const QByteArray port = name.toLocal8Bit();
    const int baud = baudRate();
    handle_ = kestro_init(port.constData(), baud);
    if (handle_ >= 1 && handle_ < 65536) {
        kestro_open(port.constData(), baud);
        c_.openButton->setEnabled(false);
        c_.closeButton->setEnabled(true);
        timer1_->start();
        c_.portBox->setEnabled(false);
        c_.baudBox->setEnabled(false);
        c_.onButton->setEnabled(true);
        c_.offButton->setEnabled(true);
        timer3_->start();
        portOpen_ = true;
        connectPending_ = true;
        host_.disableAddressOrder();
    } else {
        dialogs().message(QStringLiteral("serielle interface ") + name +
                          QStringLiteral(" is nonexistent!"));
    }
    host_.focusWorkingWindow();
}

void ConnectionMonitor::Button2Click() {
    kestro_close(handle_);
    c_.openButton->setEnabled(true);
    c_.closeButton->setEnabled(false);
    c_.portBox->setEnabled(true);
    c_.baudBox->setEnabled(true);
    c_.onButton->setEnabled(false);
    c_.offButton->setEnabled(false);
    c_.statusBar->setPanelText(0, QStringLiteral("handle=????"));
    timer3_->stop();
    c_.activityBar->setValue(0);
    c_.statusBar->setColor(StatusBar::buttonFace());
    c_.statusBar->setPanelText(0, QStringLiteral("connect: no"));
    portOpen_ = false;
    timer1_->stop();
    timer2_->stop();
}

void ConnectionMonitor::Button5Click() {
    kestro_on_off_write(handle_, 1);
}

void ConnectionMonitor::Button6Click() {
    kestro_on_off_write(handle_, 0);
}

void ConnectionMonitor::showState(bool ok) {
    c_.statusBar->setColor(ok ? StatusBar::buttonFace() : failColor);
    c_.statusBar->setPanelText(0, ok ? QStringLiteral("connect: yes")
                                     : QStringLiteral("connect: fail"));
}

void ConnectionMonitor::Timer1Timer() {
    if (inTick_)
        return;
    inTick_ = true;
    timer1_->stop();
    guarded([this] { connectPhase(); });
    inTick_ = false;
}

void ConnectionMonitor::connectPhase() {
    if (kestro_synchronisation(handle_) < 0) {
        showState(false);
        timer2_->start();
        if (c_.beepEntry->isChecked())
            host_.beep();
        return;
    }
    showState(true);
    kestro_synchronisation(handle_);

    uint16_t code = plugCode_;
    const bool codeRead = kestro_steckercode_read(handle_, &code) >= 0;
    if (codeRead)
        plugCode_ = code;
    showState(codeRead);
    c_.statusBar->setPanelText(1, QStringLiteral("St-code:") + hexText(plugCode_, 4));

    uint8_t count = 0;
    if (kestro_adress_length_read(handle_, &count) < 0) {
        // Stopped: neither timer runs until the port is closed and reopened.
        showState(false);
        return;
    }
    showState(true);

    for (int i = 1; i <= count; ++i) {
        uint16_t address = table_[i - 1];
        if (kestro_adresse_read(handle_, static_cast<uint8_t>(i), &address) >= 0)
            table_[i - 1] = address;
    }
    host_.fillAddressList(count);
    if (count > 0)
        connectPending_ = false;
    host_.buildCatalog(count);
    host_.resolveWindows();
    timer2_->start();
}

void ConnectionMonitor::Timer2Timer() {
    if (inTick_)
        return;
    inTick_ = true;
    guarded([this] { pollPhase(); });
    inTick_ = false;
}

void ConnectionMonitor::pollPhase() {
    if (connectPending_) {
        timer2_->stop();
        timer1_->start();
        return;
    }
    if (kestro_synchronisation(handle_) < 0) {
        host_.disableAddressOrder();
        showState(false);
        timer2_->stop();
        timer1_->start();
        return;
    }
    showState(true);
    host_.readWindows();

    uint16_t state = 0;
    if (kestro_on_off_read(handle_, &state) != 0)
        return;
    const bool on = state == 1;
    c_.onButton->setEnabled(!on);
    c_.offButton->setEnabled(on);
}

void ConnectionMonitor::Timer3Timer() {
    int position = c_.activityBar->value() + activityStep;
    if (position >= c_.activityBar->maximum())
        position = 0;
    c_.activityBar->setValue(position);
}
