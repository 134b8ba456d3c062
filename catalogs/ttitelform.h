#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;
class QPushButton;

// The change-title dialog. "accept and close" sets the accepted flag and
// "cancel and close" clears it; the close box leaves it as the last button
// press left it.
class Ttitelform : public QDialog {
    Q_OBJECT
  public:
    explicit Ttitelform(QWidget* parent = nullptr);
    ~Ttitelform() override;

    // Puts current into Edit1, shows the dialog modally and gives Edit1's
    // text when the accepted flag is set afterwards.
    std::optional<QString> ask(const QString& current);

    bool acceptedFlag() const { return accepted_; }
    QLineEdit* edit() const { return Edit1; }
    QPushButton* acceptButton() const { return Button1; }
    QPushButton* cancelButton() const { return Button2; }

  public slots:
    void Button1Click();
    void Button2Click();

  private:
    bool accepted_ = false;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
};
