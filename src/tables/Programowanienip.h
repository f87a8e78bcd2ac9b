#pragma once
// TProgramowanieNIP: programs a tax identification number for training mode.
#include "common/Form.h"

class QLineEdit;
class QPushButton;

class TProgramowanieNIP : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieNIP(Services& services, QWidget* parent = nullptr);

    QLineEdit* Edit2;
    QPushButton* BitBtn5;
    QPushButton* BitBtn3;

    void BitBtn5Click();
};
