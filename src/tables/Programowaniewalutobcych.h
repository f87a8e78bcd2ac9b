#pragma once
// TProgramowanieWalutObcych: the foreign-currency editor; the rate is stored as
// eight significant digits with their decimal count.
#include "tables/Tableeditor.h"

class TProgramowanieWalutObcych : public TTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieWalutObcych(Services& services, QWidget* parent = nullptr);

    QLineEdit* Edit3;  // rate
    QLineEdit* Edit4;  // symbol
    QLabel* Label8;
    QLabel* Label9;

protected:
    void ShowRecord(const QByteArray& slot) override;
    QStringList ExtraCells(const QByteArray& slot) override;
    bool CheckBeforeDuplicate() override;
    std::optional<QByteArray> BuildRecord(uint8_t number, const QString& name) override;
    void ClearAfterAdd() override;
};
