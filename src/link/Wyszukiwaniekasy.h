#pragma once
// TWyszukiwanieKasyRS: finds the registers on every COM port and address 1-9 and
// connects to the one chosen.
#include <QList>

#include "common/Form.h"

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class TPokazBuforOdb;

class TWyszukiwanieKasyRS : public TForm {
    Q_OBJECT
public:
    TWyszukiwanieKasyRS(Services& services, TPokazBuforOdb* bufferView, QWidget* parent = nullptr);

    QLabel* Label6;
    QPushButton* Button1;   // "Wyszukaj"
    QComboBox* ComboBox1;   // the registers found, "COM n"
    QPushButton* Button2;   // "Połącz"
    QPushButton* Button3;   // "&Wyjdz"
    QPushButton* Button4;   // "Podgląd bufora odbiorczego"
    QFrame* Panel1;
    QLabel* Label3;         // the port being tried
    QLabel* Label5;         // the address being tried
    QProgressBar* ProgressBar1;
    QPushButton* Button5;   // "Anuluj": stops a search
    QList<int> addresses;   // the address each entry answered at

    void Button1Click();
    void Button2Click();

protected:
    void FormShow() override;

private:
    TPokazBuforOdb* bufferView_;
};
