#pragma once
// Base of every window: created once, shown modally and reused. Like the program's
// forms it sees keys before its controls (FormKeyDown), closes on Escape unless a
// form says otherwise, and runs FormShow each time it is shown.
#include <QDialog>

#include "common/services.h"

class QLabel;
class KeyPreview;

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(Services& services, QWidget* parent = nullptr);
    int ShowModal() { return exec(); }

protected:
    // Called before the focused control sees the key; true when handled. The
    // default closes the form on Escape.
    virtual bool FormKeyDown(int key);
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // A control with its caption as buddy, so assistive technology (and tests
    // driving the program from outside) find the field by its caption.
    QLabel* Caption(const QString& text, QWidget* field, const char* name = nullptr);
    // The large bold heading at the top of an editor.
    QLabel* HeadingLabel(const QString& text);
    template <class T>
    T* Named(T* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    }

    Services& s_;

private:
    KeyPreview* keys_;
};
