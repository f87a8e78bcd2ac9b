#pragma once
// Lets a window see key presses before its controls, as the program's forms do:
// the handler gets every key pressed in the window and says whether it took it.
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

class KeyPreview : public QObject {
public:
    KeyPreview(QWidget* window, std::function<bool(int key)> handler);
    void Install();
    void Remove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::function<bool(int)> handler_;
};
