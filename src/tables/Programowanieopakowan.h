#pragma once
// TProgramowanieOpakowan: the returnable-packaging editor. A packaging is deleted
// only after the linked-goods dialog confirms it, and its goods are unlinked.
#include "tables/Tableeditor.h"

class TListaTowarowTandem;

class TProgramowanieOpakowan : public TTableEditor {
    Q_OBJECT
public:
    TProgramowanieOpakowan(Services& services, TListaTowarowTandem* linkedGoods, QWidget* parent = nullptr);

    QLineEdit* Edit2;     // price
    QCheckBox* CheckBox1; // price may change at the register (hidden)
    QLabel* Label6;       // price marker

protected:
    void ShowRecord(const QByteArray& slot) override;
    QStringList ExtraCells(const QByteArray& slot) override;
    std::optional<QByteArray> BuildRecord(uint8_t number, const QString& name) override;
    void ClearAfterAdd() override;
    bool MayDelete(int number) override;

private:
    TListaTowarowTandem* linkedGoods_;
};
