#pragma once
// Every window of the program, created once at start-up in a fixed order and
// found again by its class name.
#include <QHash>
#include <QList>
#include <QString>

class QWidget;
class TForm;
struct Services;

class FormRegistry {
public:
    void Add(TForm* form);
    TForm* Find(const QString& className) const { return byName_.value(className); }
    template <class T>
    T* Get(const QString& className) const { return dynamic_cast<T*>(Find(className)); }
    const QList<TForm*>& Order() const { return order_; }

private:
    QList<TForm*> order_;
    QHash<QString, TForm*> byName_;
};

// Creates the windows that follow the main window, in the program's order.
void CreateForms(Services& services, FormRegistry& forms, QWidget* mainWindow);
