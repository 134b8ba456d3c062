#pragma once

#include <QObject>
#include <array>
#include <cstdint>

class QAction;
class QComboBox;
class QProgressBar;
class QPushButton;
class QTimer;
class StatusBar;

// The main window's control of the serial port and the controller behind it:
// "Open sio"/"Close sio", the connect phase (Timer1), the poll phase (Timer2)
// and the activity bar (Timer3). It keeps the connection state the other
// windows read.
class ConnectionMonitor : public QObject {
    Q_OBJECT
  public:
    // What the monitor drives but does not own.
    struct Controls {
        QPushButton* openButton = nullptr;  // Button1
        QPushButton* closeButton = nullptr; // Button2
        QPushButton* onButton = nullptr;    // Button5
        QPushButton* offButton = nullptr;   // Button6
        QComboBox* portBox = nullptr;       // ComboBox1
        QComboBox* baudBox = nullptr;       // ComboBox2
        StatusBar* statusBar = nullptr;
        QProgressBar* activityBar = nullptr;
        QAction* beepEntry = nullptr; // "Error with beep"
    };

    // The other windows a connection reaches.
    class Host {
      public:
        virtual ~Host() = default;
        virtual void fillAddressList(int count) = 0;
        virtual void buildCatalog(int count) = 0;
        virtual void resolveWindows() = 0;
        virtual void readWindows() = 0;
        virtual void disableAddressOrder() = 0;
        virtual void focusWorkingWindow() = 0;
        virtual void beep() = 0;
    };

    ConnectionMonitor(const Controls& controls, Host& host, QObject* parent);

    int32_t portHandle() const { return handle_; }
    bool portOpen() const { return portOpen_; }
    bool connectPending() const { return connectPending_; }
    uint16_t plugCode() const { return plugCode_; }
    const std::array<uint16_t, 256>& addressTable() const { return table_; }

    QTimer* timer1() const { return timer1_; }
    QTimer* timer2() const { return timer2_; }
    QTimer* timer3() const { return timer3_; }

    // The port name and baud rate "Open sio" would use now.
    QString portName() const;
    int baudRate() const;

  public slots:
    void Button1Click(); // "Open sio"
    void Button2Click(); // "Close sio"
    void Button5Click(); // "On"
    void Button6Click(); // "Off"
    void Timer1Timer();  // connect phase
    void Timer2Timer();  // poll phase
    void Timer3Timer();  // activity bar

  private:
    void showState(bool ok);
    void connectPhase();
    void pollPhase();

    Controls c_;
    Host& host_;
    QTimer* timer1_;
    QTimer* timer2_;
    QTimer* timer3_;
    int32_t handle_ = 0;
    bool portOpen_ = false;
    bool connectPending_ = false;
    uint16_t plugCode_ = 0;
    std::array<uint16_t, 256> table_{};
    // A tick that shows an error box must not be re-entered by the next
    // tick while the box waits for the user.
    bool inTick_ = false;
};
