#pragma once
// TKopiaPamieciPodrecznej: the register's cache memory dumped into a file the
// user chooses (Kopia_cache.bin at first), with its progress and "Anuluj".
#include "common/Form.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

class TKopiaPamieciPodrecznej : public TForm {
    Q_OBJECT
public:
    explicit TKopiaPamieciPodrecznej(Services& services, QWidget* parent = nullptr);

    QPushButton* Button1;  // "Wykonaj zrzut pamięci podręcznej"
    QPushButton* Button2;  // "Anuluj"
    QFrame* Panel2;
    QLabel* Label2;        // packets received
    QProgressBar* ProgressBar1;

    void Button1Click();

protected:
    bool FormKeyDown(int key) override;

private:
    QString lastPath_;
};
