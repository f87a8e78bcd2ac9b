#pragma once
// TJednostkiTowarowe: the names of the register's three programmable goods units,
// read from the register and sent to it.
#include "common/Form.h"

class QLineEdit;
class QPushButton;

class TJednostkiTowarowe : public TForm {
    Q_OBJECT
public:
    explicit TJednostkiTowarowe(Services& services, QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QPushButton* BitBtn6;  // read
    QPushButton* BitBtn2;  // send
    QPushButton* BitBtn1;  // close

    void BitBtn6Click();
    void BitBtn2Click();

private:
    void KeepNames();
};
