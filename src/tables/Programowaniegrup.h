#pragma once
// TProgramowanieGrupTowarowych: the goods-group editor.
#include "tables/Tableeditor.h"

class TProgramowanieGrupTowarowych : public TTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieGrupTowarowych(Services& services, QWidget* parent = nullptr);

protected:
    QStringList ExtraCells(const QByteArray&) override { return {}; }
    std::optional<QByteArray> BuildRecord(uint8_t number, const QString& name) override;
    bool MayDelete(int number) override;
    void ShowSendAnswer(const Answer& answer) override;
};
