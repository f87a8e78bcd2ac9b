#pragma once
// TCzekajNaRS: shown while the register holds the line; closes by itself when the
// line clears, or when the user gives up.
#include <QTimer>

#include "common/Form.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TCzekajNaRS : public TForm {
    Q_OBJECT
public:
    explicit TCzekajNaRS(Services& services, QWidget* parent = nullptr);

    QPushButton* Button1;
    QProgressBar* ProgressBar1;
    QTimer* Timer1;

    void Timer1Timer();
    void Button1Click();

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    bool up_ = true;
};
