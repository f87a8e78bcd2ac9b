#pragma once
// TOdczytKopii: the register's electronic copy, by report and receipt numbers, by
// dates, the cache memory print or the last document, printed at the register or
// streamed into the memo as text.
#include "common/Form.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTimeEdit;

class TOdczytKopii : public TForm {
    Q_OBJECT
public:
    explicit TOdczytKopii(Services& services, QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;  // first and last report, first and last receipt
    QDateEdit *DateTimePicker1, *DateTimePicker2;  // "Data od", "Data do"
    QTimeEdit *DateTimePicker3, *DateTimePicker4;  // "Godzina od", "Godzina do"
    QComboBox *ComboBox1, *ComboBox3;  // scope
    QComboBox *ComboBox2, *ComboBox4, *ComboBox5, *ComboBox6;  // handling
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1;  // "Odczytaj"
    QPushButton* Button2;  // "Przerwij": stops a copy being received
    QPushButton* Button3;  // "Zapisz do pliku"
    QPushButton* Button1;  // "Wyjdź"

    void BitBtn1Click();
    void Button3Click();

protected:
    void FormShow() override;
};
