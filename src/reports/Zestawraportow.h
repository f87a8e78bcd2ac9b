#pragma once
// TProgramowanieZestawuRaportow: for each report of the register's daily and
// non-zeroing runs, whether it takes part, in full or with non-zero records only.
#include <QByteArray>

#include "common/Form.h"

class QPushButton;
class QRadioButton;

class TProgramowanieZestawuRaportow : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieZestawuRaportow(Services& services, QWidget* parent = nullptr);

    // Panel p (0-18): its buttons for the values 0, 1 and 2.
    QList<QList<QRadioButton*>> Panels;
    QPushButton* Button2;  // "Zapisz" / "Wyslij": store
    QPushButton* Button1;  // "Anuluj"
    QByteArray working = QByteArray(19, '\0');

    void Store();

protected:
    void FormShow() override;

private:
    void ShowWorking();
};
