#pragma once
// TKopiaPamieciPodrecznej: the register's cache memory dumped into Kopia_cache.bin.
#include "common/Form.h"

class QFrame;
class QLabel;
class QPushButton;

class TKopiaPamieciPodrecznej : public TForm {
    Q_OBJECT
public:
    explicit TKopiaPamieciPodrecznej(Services& services, QWidget* parent = nullptr);

    QPushButton* Button1;  // "Wykonaj zrzut pamięci podręcznej"
    QPushButton* Button2;  // "Anuluj"
    QFrame* Panel2;
    QLabel* Label2;        // packets received

    void Button1Click();
};
