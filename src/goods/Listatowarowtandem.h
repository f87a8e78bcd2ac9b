#pragma once
// TListaTowarowTandem: before a packaging is deleted, lists the goods sold in
// tandem with it and lets the user confirm or cancel.
#include "common/Form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TListaTowarowTandem : public TForm {
    Q_OBJECT
public:
    explicit TListaTowarowTandem(Services& services, QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;

    int packaging = 0;       // input: the packaging to be deleted
    bool confirmed = false;  // output

    // Shows the list for packaging n; true when the user confirmed the deletion.
    bool Confirm(int packagingNumber);

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;
};
