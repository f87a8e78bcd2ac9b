#pragma once
// TProgramowanieNowegoPakietu: the service bench. The steps of preparing a new
// main board in order, each ticked or not, each showing its state and what it
// found; "Start" runs the ticked ones and the result prints as a service record.
#include <QList>

#include "common/Form.h"
#include "service/servicebench.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TProgramowanieNowegoPakietu : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieNowegoPakietu(Services& services, QWidget* parent = nullptr);

    QList<QCheckBox*> Steps;   // CheckBoxKrok1..8, one per step
    QList<QLabel*> States;     // LabelStan1..8
    QCheckBox* CheckBoxKontynuuj;  // "Kontynuuj po błędzie"
    QLabel* LabelWynik;
    QPushButton* ButtonStart;
    QPushButton* ButtonAnuluj;
    QPushButton* ButtonDrukuj;
    QPushButton* ButtonZamknij;

    void ButtonStartClick();
    void ButtonDrukujClick();
    const QList<StepResult>& Results() const { return results_; }
    // The service record of the last run, as printed.
    QStringList RecordLines() const;

private:
    void Show(int i, const StepResult& r);
    QList<StepResult> results_;
    BenchRun bench_;
    QDateTime ranAt_;
};
