#pragma once

#include "values/tanzeigeform.h"

class QPushButton;

// The parameter window: the display window with an input value and a y/n
// column and a "Send" button that writes the marked rows to the controller.
class Teingabeform : public Tanzeigeform {
    Q_OBJECT
  public:
    Teingabeform(Shell& shell, QWidget* owner);

    bool StringGridKeyPress(int col, int row, QChar key) override;
    bool cellEditable(int col, int row) const override;

  public slots:
    void sendenclick();
    void stringgrid1Dblclick();
    bool eingabeformclose();
    void stringgridonclick() override;
    void anzeigeformresize() override;

  protected:
    bool formClose() override { return eingabeformclose(); }

  private:
    // Enter in an input value cell: the text takes the row's representation.
    void inputEnter(int col, int row);

    QPushButton* button2_ = nullptr;
};
