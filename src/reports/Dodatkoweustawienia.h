#pragma once
// TDodatkoweUstawienia: the register's additional settings, sent in one command.
#include "common/Form.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TDodatkoweUstawienia : public TForm {
    Q_OBJECT
public:
    explicit TDodatkoweUstawienia(Services& services, QWidget* parent = nullptr);

    QList<QComboBox*> ComboBoxes;  // ComboBox1 ... ComboBox14
    QList<QLineEdit*> Edits;       // Edit1 ... Edit5
    QPushButton* Button1;  // "Wyślij"
    QPushButton* Button2;  // "Odśwież"
    QPushButton* BitBtn3;  // "&Anuluj"

    void Button1Click();
    void Button2Click();
};
