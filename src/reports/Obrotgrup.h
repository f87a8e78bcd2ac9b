#pragma once
// TObrotGrup: the monthly turnovers of the 20 goods groups read from the register.
#include "common/Form.h"

class QPlainTextEdit;
class QPushButton;

class TObrotGrup : public TForm {
    Q_OBJECT
public:
    explicit TObrotGrup(Services& services, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1;
    QPushButton* BitBtn6;  // "&Odśwież"
    QPushButton* BitBtn1;  // "&Anuluj"

    void BitBtn6Click();
};
