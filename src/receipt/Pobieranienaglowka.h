#pragma once
// TPobieranieNaglowka: the receipt header as the register holds it.
#include <functional>

#include "common/Form.h"
#include "receipt/lineblock.h"

class QTextEdit;
class QPushButton;

class TPobieranieNaglowka : public TForm {
    Q_OBJECT
public:
    explicit TPobieranieNaglowka(Services& services, QWidget* parent = nullptr);

    QPushButton* Button1;  // "Pobierz nagłówek"
    QPushButton* Button2;  // "Przenieś do edytora"
    QTextEdit* RichEdit1;

    void Button1Click();
    // Opens the header editor with the text read (set by the program).
    std::function<void(const RichText&)> takeIntoEditor;

private:
    RichText read_;
};
