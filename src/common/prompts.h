#pragma once
// Every message box, question, file dialog, print dialog and colour dialog of the
// program goes through this interface, so that tests can record what the user was
// shown and answer in the user's place.
#include <QString>
#include <QStringList>

class QPrinter;

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

struct FileDialogSpec {
    QString title;
    QString filter;            // in the program's "Name (*.ext)|*.ext" form
    QString defaultExtension;  // ".zkf", "csv", ... added when the user types none
    QString fileName;          // preset name
    QString directory;         // empty: the current working directory
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // A plain message; an empty title means the application title "Zelk Tuvo".
    virtual void Message(const QString& text, const QString& title = QString(),
                         PromptIcon icon = PromptIcon::None) = 0;
    virtual PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon,
                             const QString& title = QString()) = 0;
    // Empty result: the dialog was cancelled.
    virtual QString OpenFileName(const FileDialogSpec& request) = 0;
    virtual QString SaveFileName(const FileDialogSpec& request) = 0;
    // The print dialog; true when the user confirmed (the printer is then set up).
    virtual bool ChoosePrinter(QPrinter* printer) = 0;
    // The colour dialog; rgb is 0xRRGGBB in and out.
    virtual bool ChooseColour(unsigned& rgb) = 0;
};

// Appends the default extension when the chosen name has none.
QString WithDefaultExtension(const QString& path, const QString& extension);
