#include "common/Form.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Keypreview.h"
#include "common/appstate.h"
#include "common/files.h"
#include "common/prompts.h"
#include "common/text.h"
#include "link/exchange.h"
#include "link/registererrors.h"
#include "link/registerlink.h"

TForm::TForm(Services& services, QWidget* parent)
    : QDialog(parent), s_(services), keys_(new KeyPreview(this, [this](int key) { return FormKeyDown(key); })) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

bool TForm::FormKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        if (!transferRunning_) close();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && enterButton_) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        (focused ? focused : enterButton_)->click();
        return true;
    }
    return false;
}

void TForm::showEvent(QShowEvent* event) {
    keys_->Install();
    if (fastBox_) fastBox_->setChecked(s_.app.fastSending);  // another window may have changed it
    QDialog::showEvent(event);
    FormShow();
}

void TForm::hideEvent(QHideEvent* event) {
    keys_->Remove();
    QDialog::hideEvent(event);
}

QLabel* TForm::Caption(const QString& text, QWidget* field, const char* name) {
    auto* label = new QLabel(text, this);
    if (name) label->setObjectName(QLatin1String(name));
    label->setBuddy(field);
    field->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed());
    return label;
}

QLabel* TForm::HeadingLabel(const QString& text) {
    auto* label = new QLabel(text, this);
    QFont f = label->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLabel* TForm::Marker(const QString& text, const char* name) {
    auto* label = new QLabel(text, this);
    if (name) label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QStringLiteral("color: red"));
    QSizePolicy p = label->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    label->setSizePolicy(p);
    label->hide();
    return label;
}

void TForm::StorableText(QLineEdit* field) {
    connect(field, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        const char32_t refused = FirstOutsideCp1250(text);
        if (!refused) return;
        const QString kept = OnlyCp1250(text);
        const int cursor = field->cursorPosition() - int(text.size() - kept.size());
        field->setText(kept);
        field->setCursorPosition(qMax(0, cursor));
        s_.prompts.Message(QStringLiteral("Znak „") + QString::fromUcs4(&refused, 1) +
                           QStringLiteral("” nie może być zapisany w bazie kasy."));
    });
}

void TForm::closeEvent(QCloseEvent* event) {
    if (transferRunning_) event->ignore();  // the transfer ends first
    else QDialog::closeEvent(event);
}

void TForm::reject() {
    if (!transferRunning_) QDialog::reject();
}

TForm::TransferScope::TransferScope(TForm* form, QWidget* cancel) : form_(form) {
    if (form_->transferRunning_) return;
    started_ = true;
    form_->transferRunning_ = true;
    for (QWidget* w : form_->findChildren<QWidget*>()) {
        if (!w->isEnabled() || w->isWindow()) continue;
        // The cancel control, the widgets that hold it and what it holds stay usable.
        if (cancel && (w == cancel || w->isAncestorOf(cancel) || cancel->isAncestorOf(w))) continue;
        bool holdsEnabled = false;
        for (QWidget* d : disabled_) holdsEnabled = holdsEnabled || d->isAncestorOf(w);
        if (holdsEnabled) continue;
        disabled_ << w;
    }
    for (QWidget* w : disabled_) w->setEnabled(false);
    form_->s_.link.BeginRun(form_->windowTitle());
}

TForm::TransferScope::~TransferScope() {
    if (!started_) return;
    for (QWidget* w : disabled_) w->setEnabled(true);
    form_->transferRunning_ = false;
    form_->s_.link.EndRun();
    emit form_->TransferEnded();
}

TForm::TransferRun::TransferRun(TForm* form, QWidget* cancel, QWidget* panel)
    : scope_(form, cancel), form_(form), panel_(panel), pacer_(form->s_.clock) {
    if (!scope_) return;
    form_->s_.link.ClearCancel();
    if (panel_) form_->ShowOver(panel_);
}

TForm::TransferRun::~TransferRun() {
    if (!scope_) return;
    Done();
    form_->s_.link.ClearCancel();
}

void TForm::TransferRun::Progress(const std::function<void()>& show, bool last) {
    if (!pacer_.Due(last)) return;
    if (show) show();
    QApplication::processEvents();
}

void TForm::TransferRun::ShowPanel(QWidget* panel) {
    panel_ = panel;
    form_->ShowOver(panel_);
}

void TForm::TransferRun::Done() {
    if (panel_) panel_->hide();
}

QLabel* TForm::StatusLine() {
    if (!status_) {
        status_ = Named(new QLabel(this), "LabelStatus");
        status_->setAccessibleName(QStringLiteral("Stan"));
        status_->setStyleSheet(QStringLiteral("color: #1F5F1F"));
        if (layout()) layout()->addWidget(status_);
    }
    return status_;
}

bool TForm::TellOutcome(const Answer& a, const QString& accepted) {
    QLabel* status = StatusLine();
    status->clear();
    switch (a.kind) {
        case AnswerKind::Accepted:
        case AnswerKind::AcceptedLast:
            status->setText(accepted);
            status->setAccessibleDescription(accepted);
            return true;
        case AnswerKind::Refused:
            if (!a.told) s_.prompts.Message(RegisterErrorMessage(a.errorCode));
            break;
        case AnswerKind::NoAnswer: s_.prompts.Message(QStringLiteral("Brak komunikacji")); break;
        case AnswerKind::Rejected: s_.prompts.Message(QStringLiteral("Wystąpił błąd transmisji.")); break;
        case AnswerKind::Busy: s_.prompts.Message(QStringLiteral("Kasa jest zajęta. Zapis nie został przyjęty.")); break;
        case AnswerKind::Sent:
        case AnswerKind::Nothing:
        case AnswerKind::NotSent:  // the link has said why
        case AnswerKind::PortLost:
        case AnswerKind::Stopped:  // the user stopped it at the paper question
            break;
    }
    return false;
}

QHBoxLayout* TForm::ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons) row->addWidget(b);
    return row;
}

void TForm::OfferFastSending(int records, int msPerRecord, const QString& noun) {
    if (s_.app.fastSending || s_.app.fastSendingOffered || records <= 50) return;
    s_.app.fastSendingOffered = true;
    const int minutes = qMax(1, int((qint64(records) * msPerRecord + 59999) / 60000));
    if (s_.prompts.Ask(QStringLiteral("Wysyłanie %1 %2 potrwa ok. %3 min. Włączyć szybkie wysyłanie?")
                           .arg(records)
                           .arg(noun)
                           .arg(minutes),
                       PromptButtons::YesNo, PromptIcon::Question, QStringLiteral("Zelk Tuvo")) == PromptAnswer::Yes) {
        s_.app.fastSending = true;
        if (fastBox_) fastBox_->setChecked(true);
    }
}

QCheckBox* TForm::FastSendingBox() {
    fastBox_ = Named(new QCheckBox(QStringLiteral("Szybkie wysyłanie (bez stałych przerw)"), this), "CheckBoxSzybkie");
    fastBox_->setToolTip(QStringLiteral("Kolejny rekord idzie do kasy, gdy tylko kasa potwierdzi poprzedni, zamiast po "
                                        "stałej przerwie (2000 towarów: kilkanaście sekund zamiast ponad pół godziny). "
                                        "Gdy kasa odpowie „zajęta”, program sam wraca do stałych przerw."));
    connect(fastBox_, &QCheckBox::toggled, this, [this](bool on) { s_.app.fastSending = on; });
    return fastBox_;
}

QFrame* TForm::WaitPanel(const char* name, const QString& text) {
    auto* panel = Named(new QFrame(this), name);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel(text, panel), 0, Qt::AlignCenter);
    panel->setFixedSize(200, 60);
    panel->hide();
    return panel;
}

void TForm::ShowOver(QWidget* panel) {
    // A panel shown during a transfer reports on it: its labels and bars are not
    // greyed with the rest of the window (the transfer's end enables them anyway).
    panel->setEnabled(true);
    for (QWidget* w : panel->findChildren<QWidget*>()) w->setEnabled(true);
    panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
    panel->raise();
    panel->show();
    panel->repaint();
}

void TForm::SaveCsvFile(const QString& fileName, const QByteArray& bytes) {
    FileDialogSpec request;
    request.title = QStringLiteral("Eksport do CSV");
    request.filter = QStringLiteral("Pliki CSV (*.csv)|*.csv");
    request.defaultExtension = QStringLiteral("csv");
    request.fileName = fileName;
    const QString path = s_.prompts.SaveFileName(request);
    if (path.isEmpty() || !ReplaceConfirmed(s_.prompts, path)) return;
    if (!WriteWholeFile(path, bytes))
        s_.prompts.Message(QStringLiteral("Nie mogę zapisać do pliku ") + path + QStringLiteral("."));
}
