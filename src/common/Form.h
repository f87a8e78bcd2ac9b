#pragma once
// Base of every window: created once, shown modally and reused. Like the program's
// forms it sees keys before its controls (FormKeyDown), closes on Escape unless a
// form says otherwise, and runs FormShow each time it is shown.
#include <QDialog>
#include <functional>
#include <initializer_list>

#include "common/progress.h"
#include "common/services.h"

class QLabel;
class QPushButton;
class KeyPreview;

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(Services& services, QWidget* parent = nullptr);
    int ShowModal() { return exec(); }
    bool TransferRunning() const { return transferRunning_; }

signals:
    // A transfer of the window has ended (however it ended).
    void TransferEnded();
public:
protected:
    // Called before the focused control sees the key; true when handled. The
    // default closes the form on Escape and presses the Enter button.
    virtual bool FormKeyDown(int key);
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // A control with its caption as buddy, so assistive technology (and tests
    // driving the program from outside) find the field by its caption.
    QLabel* Caption(const QString& text, QWidget* field, const char* name = nullptr);
    // Text for the image: a character Windows-1250 lacks (the register could not
    // store it) is taken out the moment it is typed or pasted, and the user is
    // told which one.
    void StorableText(class QLineEdit* field);
    // "Szybkie wysyłanie (bez stałych przerw)": the check box of every window that
    // writes records, one choice shared by all of them.
    class QCheckBox* FastSendingBox();
    // Before `records` records go out with fixed waits of `msPerRecord` each:
    // when that takes long, fast sending is offered once ("Wysyłanie 2000
    // towarów potrwa ok. 35 min. Włączyć szybkie wysyłanie?").
    void OfferFastSending(int records, int msPerRecord, const QString& noun);
    // Enter presses this button, unless another button has the focus, which then
    // takes Enter as its own press.
    void EnterPresses(QPushButton* button) { enterButton_ = button; }
    // The large bold heading at the top of an editor.
    QLabel* HeadingLabel(const QString& text);
    // Says once how a write to the register ended: the register's error text
    // when it refused, "Brak komunikacji" when it was silent, nothing more when
    // the frame could not go out (the link told why), and on acceptance
    // `accepted` as the window's status line, not a box. True when accepted.
    bool TellOutcome(const struct Answer& answer, const QString& accepted);
    // The line at the foot of the window that says how the last write ended.
    QLabel* StatusLine();
    // The row of buttons at the foot of a window: a stretch, then the buttons,
    // right-aligned in the order given.
    class QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
    // A red "fill this in" marker, hidden at first. It keeps its room while
    // hidden, so showing it moves nothing.
    QLabel* Marker(const QString& text, const char* name);
    // "Eksport do CSV": asks where (proposing `fileName`), asks before replacing a
    // file, writes it whole, and says when it could not.
    void SaveCsvFile(const QString& fileName, const QByteArray& bytes);
    // A boxed panel with the line "Czekaj..." (or `text`), hidden until ShowOver;
    // a caller may add its own widgets to the panel's layout.
    class QFrame* WaitPanel(const char* name, const QString& text = QStringLiteral("Czekaj..."));
    // Shows the panel centred over the window, above the rest, painted at once.
    void ShowOver(QWidget* panel);
    template <class T>
    T* Named(T* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    }

    Services& s_;

    // While a transfer runs, everything in the window but its cancel control is
    // disabled, the window does not close, and no second transfer starts from a
    // nested event; all comes back when the scope ends, however the run ends.
    class TransferScope {
    public:
        TransferScope(TForm* form, QWidget* cancel = nullptr);
        ~TransferScope();
        TransferScope(const TransferScope&) = delete;
        TransferScope& operator=(const TransferScope&) = delete;
        explicit operator bool() const { return started_; }  // false: a transfer was already running

    private:
        TForm* form_;
        bool started_ = false;
        QList<QWidget*> disabled_;
    };
    // A transfer the window runs, start to end: the transfer scope above, the
    // link's cancel flag cleared, the run's panel shown over the window.
    // Progress shows how far it got and lets the window handle its events, so
    // the cancel control can be pressed; the panel is hidden and the cancel flag
    // cleared however the run ends.
    class TransferRun {
    public:
        TransferRun(TForm* form, QWidget* cancel = nullptr, QWidget* panel = nullptr);
        ~TransferRun();
        TransferRun(const TransferRun&) = delete;
        TransferRun& operator=(const TransferRun&) = delete;
        explicit operator bool() const { return bool(scope_); }
        // At most every 50 ms (and every 64th step): `show` runs and the window
        // handles its events; other steps cost nothing. `last` always shows.
        void Progress(const std::function<void()>& show = {}, bool last = false);
        // Shows the run's panel now (when it was not known at the start).
        void ShowPanel(QWidget* panel);
        // Hides the panel before the outcome is told.
        void Done();

    private:
        TransferScope scope_;
        TForm* form_;
        QWidget* panel_;
        ProgressPacer pacer_;
    };
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    KeyPreview* keys_;
    QPushButton* enterButton_ = nullptr;
    bool transferRunning_ = false;
    QLabel* status_ = nullptr;
    class QCheckBox* fastBox_ = nullptr;
};
