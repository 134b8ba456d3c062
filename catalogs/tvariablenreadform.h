#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class StringGrid;

// The address list window: the addresses the controller reported at the
// last connection. Filled by the connection monitor whether shown or not.
class Tvariablenreadform : public QDialog {
    Q_OBJECT
  public:
    explicit Tvariablenreadform(QWidget* parent = nullptr);
    ~Tvariablenreadform() override;

    // Count n and table entries 0..n-1 as four-digit hexadecimal text.
    void fillAddresses(int n, const std::array<uint16_t, 256>& table);

    QLabel* label() const { return Label1; }
    StringGrid* grid() const { return StringGrid1; }

  public slots:
    void Button1Click();

  protected:
    void showEvent(QShowEvent* event) override; // FormShow

  private:
    QLabel* Label1;
    StringGrid* StringGrid1;
    QPushButton* Button1;
};
