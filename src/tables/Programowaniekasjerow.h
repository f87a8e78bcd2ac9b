#pragma once
// TProgramowanieKasjerow: the cashier editor, with the password, the seven rights
// and a panel that shows the rights and password of the selected cashier.
#include <QList>

#include "tables/Tableeditor.h"

class QGroupBox;

class TProgramowanieKasjerow : public TTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieKasjerow(Services& services, QWidget* parent = nullptr);

    QLineEdit* MaskEdit1;         // password
    QList<QCheckBox*> Rights;     // CheckBox1-CheckBox7, in record order
    QLabel* Label8;               // password marker, never shown
    QGroupBox* Panel2;            // "Uprawnienia kasjera:"
    QList<QLabel*> RightShown;    // "TAK" per right
    QLabel* PasswordShown;
    QPushButton* Button4;         // show / hide the password

    void Edit1Exit();
    void StringGrid1Click();
    void Button4Click();

protected:
    void ShowRecord(const QByteArray& slot) override;
    QStringList ExtraCells(const QByteArray&) override { return {}; }
    std::optional<QByteArray> BuildRecord(uint8_t number, const QString& name) override;
    void ClearAfterAdd() override;
    bool MayDelete(int number) override;
    void AfterDelete() override { StringGrid1Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
};
