#pragma once
// Every window of the program, in the program's order, found by its class name.
// A window is made the first time it is asked for (start-up does not pay for
// windows nobody opens) and then kept, so it keeps its field values between
// showings as if it had been made at start.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class TForm;
struct Services;

class FormRegistry {
public:
    using Factory = std::function<TForm*()>;
    // A window to make when first asked for.
    void Add(const QString& className, Factory make);
    // A window made already (or made by another window's factory).
    void Add(TForm* form);
    bool Has(const QString& className) const { return factories_.contains(className) || made_.contains(className); }
    // The window, made now if it was not yet; null for a name the program lacks.
    TForm* Find(const QString& className);
    template <class T>
    T* Get(const QString& className) { return dynamic_cast<T*>(Find(className)); }
    // Runs when the window is made (at once if it is made already).
    void WhenMade(const QString& className, std::function<void(TForm*)> hook);
    // The windows made so far, in the program's order.
    QList<TForm*> Made() const;
    // Every window, made now where needed, in the program's order.
    QList<TForm*> Order();

private:
    QStringList names_;
    QHash<QString, Factory> factories_;
    QHash<QString, TForm*> made_;
    QHash<QString, std::function<void(TForm*)>> hooks_;
};

// Registers the windows that follow the main window, in the program's order.
void CreateForms(Services& services, FormRegistry& forms, QWidget* mainWindow);
