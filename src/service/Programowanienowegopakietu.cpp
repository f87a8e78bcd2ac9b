#include "service/Programowanienowegopakietu.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/clock.h"
#include "link/registerlink.h"
#include "printing/Printer.h"
#include "printing/goodslist.h"

TProgramowanieNowegoPakietu::TProgramowanieNowegoPakietu(Services& services, QWidget* parent)
    : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieNowegoPakietu"));
    setWindowTitle(QStringLiteral("Programowanie nowego pakietu"));
    auto* outer = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("Kroki (baza serwisowa)"), this);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    const QList<BenchStep> order = BenchStepOrder();
    for (int i = 0; i < order.size(); ++i) {
        auto* tick = new QCheckBox(QStringLiteral("%1. %2").arg(i + 1).arg(BenchStepCaption(order[i])), box);
        tick->setObjectName(QStringLiteral("CheckBoxKrok%1").arg(i + 1));
        tick->setChecked(true);
        auto* state = new QLabel(box);
        state->setObjectName(QStringLiteral("LabelStan%1").arg(i + 1));
        state->setWordWrap(true);
        state->setMinimumWidth(520);
        state->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        grid->addWidget(tick, i, 0);
        grid->addWidget(state, i, 1);
        Steps << tick;
        States << state;
        results_ << StepResult{};
    }
    outer->addWidget(box, 1);
    CheckBoxKontynuuj = Named(new QCheckBox(QStringLiteral("Kontynuuj po błędzie"), this), "CheckBoxKontynuuj");
    outer->addWidget(CheckBoxKontynuuj);
    LabelWynik = Named(new QLabel(this), "LabelWynik");
    LabelWynik->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    outer->addWidget(LabelWynik);
    ButtonStart = Named(new QPushButton(QStringLiteral("&Start"), this), "ButtonStart");
    ButtonAnuluj = Named(new QPushButton(QStringLiteral("Anuluj"), this), "ButtonAnuluj");
    ButtonDrukuj = Named(new QPushButton(QStringLiteral("&Drukuj protokół"), this), "ButtonDrukuj");
    ButtonZamknij = Named(new QPushButton(QStringLiteral("&Zamknij"), this), "ButtonZamknij");
    outer->addLayout(ButtonRow({ButtonStart, ButtonAnuluj, ButtonDrukuj, ButtonZamknij}));
    ButtonAnuluj->setEnabled(false);  // only while a run goes
    ButtonDrukuj->setEnabled(false);  // once something ran
    for (int i = 0; i < States.size(); ++i) Show(i, results_[i]);

    connect(ButtonStart, &QPushButton::clicked, this, &TProgramowanieNowegoPakietu::ButtonStartClick);
    connect(ButtonAnuluj, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
    connect(ButtonDrukuj, &QPushButton::clicked, this, &TProgramowanieNowegoPakietu::ButtonDrukujClick);
    connect(ButtonZamknij, &QPushButton::clicked, this, &QWidget::close);
    resize(860, 480);
}

void TProgramowanieNowegoPakietu::Show(int i, const StepResult& r) {
    results_[i] = r;
    const QString text = StepStateText(r);
    States[i]->setText(text);
    States[i]->setAccessibleName(Steps[i]->text() + QStringLiteral(": ") + text);
    const char* colour = r.state == StepState::Passed                                        ? "#006400"
                         : r.state == StepState::Failed || r.state == StepState::Cancelled ? "#b00000"
                                                                                           : "";
    States[i]->setStyleSheet(*colour ? QStringLiteral("color: %1").arg(QLatin1String(colour)) : QString());
}

void TProgramowanieNowegoPakietu::ButtonStartClick() {
    if (TransferRunning()) return;
    QList<int> ticked;
    for (int i = 0; i < Steps.size(); ++i)
        if (Steps[i]->isChecked()) ticked << i;
    if (ticked.isEmpty()) return;
    TransferRun run(this, ButtonAnuluj);
    if (!run) return;
    ButtonAnuluj->setEnabled(true);
    bench_ = BenchRun{};
    // Within a step too (the goods records), so "Anuluj" answers at once.
    bench_.tick = [&run] { run.Progress(); };
    ranAt_ = s_.clock.Now();
    for (int i = 0; i < Steps.size(); ++i)
        Show(i, ticked.contains(i) ? StepResult{} : StepResult{StepState::NotRun, QStringLiteral("nie zaznaczono")});
    const QList<BenchStep> order = BenchStepOrder();
    bool stopped = false;
    for (int i : ticked) {
        if (s_.link.CancelRequested()) {
            Show(i, {StepState::Cancelled, {}});
            continue;
        }
        if (stopped) {
            Show(i, {StepState::NotRun, {}});
            continue;
        }
        Show(i, {StepState::Running, {}});
        run.Progress({}, true);  // paints the state and lets "Anuluj" be pressed
        const StepResult r = RunBenchStep(s_.link, s_.image, order[i], bench_);
        Show(i, r);
        run.Progress({}, true);
        if (r.state == StepState::Failed && !CheckBoxKontynuuj->isChecked()) stopped = true;
    }
    bench_.tick = nullptr;
    run.Done();
    ButtonAnuluj->setEnabled(false);
    ButtonDrukuj->setEnabled(true);
    const BenchTally t = TallyOf(results_);
    QString outcome = t.failed ? QStringLiteral("Kroków z błędem: %1").arg(t.failed)
                               : QStringLiteral("Wszystkie wykonane kroki zaliczone.");
    if (t.cancelled) outcome = QStringLiteral("Przerwano.") + (t.failed ? QLatin1Char(' ') + outcome : QString());
    LabelWynik->setText(outcome);
}

QStringList TProgramowanieNowegoPakietu::RecordLines() const {
    return ServiceRecordLines(ranAt_, bench_.info, results_);
}

void TProgramowanieNowegoPakietu::ButtonDrukujClick() {
    const QStringList lines = RecordLines();
    PrintListPages(s_.prompts, ListFont::Regular, [lines](const PageMetrics& m) { return LayoutTextLines(lines, m); });
}
