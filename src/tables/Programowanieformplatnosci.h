#pragma once
// TProgramowanieFormPlatnosci: the payment-form editor.
#include "tables/Tableeditor.h"

class TProgramowanieFormPlatnosci : public TTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieFormPlatnosci(Services& services, QWidget* parent = nullptr);

    QComboBox* ComboBox1;  // type

protected:
    void ShowRecord(const QByteArray& slot) override;
    QStringList ExtraCells(const QByteArray& slot) override;
    std::optional<QByteArray> BuildRecord(uint8_t number, const QString& name) override;
};
