#pragma once
// TPokazBuforOdb: the last reply in the receive buffer and the bytes waiting at
// the port, as hexadecimal or decimal numbers or as characters.
#include <QByteArray>

#include "common/Form.h"

class QRadioButton;
class QPushButton;
class QTextEdit;

class TPokazBuforOdb : public TForm {
    Q_OBJECT
public:
    explicit TPokazBuforOdb(Services& services, QWidget* parent = nullptr);

    QTextEdit* RichEdit1;
    QRadioButton* Hex;       // "Szesnastkowo"
    QRadioButton* Decimal;   // "Dziesiętnie"
    QRadioButton* Char;      // "Char"
    QPushButton* Button1;    // "Bufor odbiorczy programu"
    QPushButton* Button2;    // "Bufor odbiorczy PC"

    void Button1Click();
    void Button2Click();
    // Each byte up to the first zero in the selected form, followed by a blank.
    QString Shown(const QByteArray& bytes) const;

protected:
    void FormShow() override;

private:
    QByteArray program_;  // display copies of the two buffers
    QByteArray pc_;
};
