#include "common/Keypreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window, std::function<bool(int)> handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {}

void KeyPreview::Install() { qApp->installEventFilter(this); }

void KeyPreview::Remove() { qApp->removeEventFilter(this); }

namespace {
bool EditsLines(QWidget* w) {
    if (auto* t = qobject_cast<QTextEdit*>(w)) return !t->isReadOnly();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return !t->isReadOnly();
    return false;
}
}  // namespace

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !window_ || !window_->isVisible()) return false;
    // An open menu or drop-down takes its own keys: Escape only closes it.
    if (QApplication::activePopupWidget()) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != window_) return false;
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Enter) key = Qt::Key_Return;
    // In a text area Enter starts a new line; the window's meaning of Enter is
    // for its other fields.
    if (key == Qt::Key_Return && (EditsLines(w) || EditsLines(w->parentWidget()))) return false;
    if (handler_(key)) return true;
    // Enter and Escape reach no default button: the window decides what they do.
    return key == Qt::Key_Return || key == Qt::Key_Escape;
}
