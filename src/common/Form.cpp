#include "common/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

TForm::TForm(Services& services, QWidget* parent) : QDialog(parent), s_(services) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

bool TForm::FormKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

void TForm::showEvent(QShowEvent* event) {
    qApp->installEventFilter(this);
    QDialog::showEvent(event);
    FormShow();
}

void TForm::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isVisible()) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (FormKeyDown(key == Qt::Key_Enter ? int(Qt::Key_Return) : key)) return true;
            // Enter and Escape reach no default button of the dialog: forms decide.
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QLabel* TForm::Caption(const QString& text, QWidget* field, const char* name) {
    auto* label = new QLabel(text, this);
    if (name) label->setObjectName(QLatin1String(name));
    label->setBuddy(field);
    field->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed());
    return label;
}
