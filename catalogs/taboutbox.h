#pragma once

#include <QDialog>

// "Info": icon, product name, version and notice, closed by "OK".
class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;
};
