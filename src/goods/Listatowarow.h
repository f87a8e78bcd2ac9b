#pragma once
// TListaTowarow: picks a goods number for whoever asked (the quick-key editor).
#include <functional>

#include "common/Form.h"

class QPushButton;
class QTableWidget;

class TListaTowarow : public TForm {
    Q_OBJECT
public:
    explicit TListaTowarow(Services& services, QWidget* parent = nullptr);

    QTableWidget* StringGrid1;
    QPushButton* Button1;
    QPushButton* Button2;

    // Called with the chosen goods number on "OK", Enter or a double click.
    std::function<void(int)> onChosen;
    void Button1Click();

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;
};
