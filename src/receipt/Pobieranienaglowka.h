#pragma once
// TPobieranieNaglowka: the receipt header as the register holds it.
#include "common/Form.h"

class QPlainTextEdit;
class QPushButton;

class TPobieranieNaglowka : public TForm {
    Q_OBJECT
public:
    explicit TPobieranieNaglowka(Services& services, QWidget* parent = nullptr);

    QPushButton* Button1;  // "Pobierz nagłówek"
    QPlainTextEdit* RichEdit1;

    void Button1Click();
};
