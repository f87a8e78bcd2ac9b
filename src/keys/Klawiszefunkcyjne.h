#pragma once
// TProgramowanieKlawiszyFunkcyjnych: a report for each function key F1-F10 of a
// cashier, programmed straight into the register.
#include "common/Form.h"

class QComboBox;
class QFrame;
class QPushButton;

class TProgramowanieKlawiszyFunkcyjnych : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieKlawiszyFunkcyjnych(Services& services, QWidget* parent = nullptr);

    QComboBox* ComboBox1;            // cashier
    QList<QComboBox*> Functions;     // ComboBox2 (F1) ... ComboBox11 (F10)
    QList<QPushButton*> SendButtons; // Button1 ... Button10
    QPushButton* BitBtn2;            // all keys
    QFrame* Panel7;

    bool SendKey(int key);  // 1-10
    void SendAll();
};
