#pragma once
// TProgramowanieRabatow: the editor of discounts and surcharges, each a
// percentage or an amount.
#include "tables/Tableeditor.h"

class QGroupBox;
class QRadioButton;

class TProgramowanieRabatow : public TTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieRabatow(Services& services, QWidget* parent = nullptr);

    QGroupBox* RadioGroup1;  // kind
    QRadioButton* Rabat;
    QRadioButton* Narzut;
    QGroupBox* RadioGroup2;  // type
    QRadioButton* Procentowy;
    QRadioButton* Kwotowy;
    QLineEdit* Edit3;        // value
    QLabel* Label5;          // unit
    QLabel* Label8;          // value marker

    void RadioGroup2Click();

protected:
    void ShowRecord(const QByteArray& slot) override;
    void FormShow() override;
    QStringList ExtraCells(const QByteArray& slot) override;
    std::optional<QByteArray> BuildRecord(uint8_t number, const QString& name) override;
    void ClearAfterAdd() override;
};
