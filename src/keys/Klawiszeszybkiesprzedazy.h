#pragma once
// TKlawiszeSzybkieSprzedazy: a sales function for each key F1-F10 of a cashier,
// programmed straight into the register.
#include "common/Form.h"

class QComboBox;
class QPushButton;

class TKlawiszeSzybkieSprzedazy : public TForm {
    Q_OBJECT
public:
    explicit TKlawiszeSzybkieSprzedazy(Services& services, QWidget* parent = nullptr);

    QComboBox* ComboBox12;            // cashier
    QList<QComboBox*> Functions;      // ComboBox1 ... ComboBox10
    QList<QComboBox*> Kinds;          // ComboBox22 ... ComboBox31
    QList<QComboBox*> Numbers;        // ComboBox11, ComboBox13 ... ComboBox21
    QList<QPushButton*> SendButtons;  // Button1 ... Button10
    QPushButton* BitBtn1;             // "&Anuluj"

    void SendKey(int key);  // 1-10
};
