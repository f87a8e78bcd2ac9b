#pragma once
// TNowaBazaD: name and record currency of a new database.
#include "common/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TNowaBazaD : public TForm {
    Q_OBJECT
public:
    explicit TNowaBazaD(Services& services, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label3;
    QLineEdit* Edit2;
    QLabel* Label4;
    QPushButton* Button1;
    QPushButton* Button2;

    void Button1Click();

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;
};
