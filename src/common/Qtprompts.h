#pragma once
// The prompts as real dialogs.
#include "common/prompts.h"

class QtPrompts : public Prompts {
public:
    void Message(const QString& text, const QString& title, PromptIcon icon) override;
    PromptAnswer Ask(const QString& text, PromptButtons buttons, PromptIcon icon,
                     const QString& title) override;
    QString OpenFileName(const FileDialogSpec& request) override;
    QString SaveFileName(const FileDialogSpec& request) override;
    bool ChoosePrinter(QPrinter* printer) override;
    bool ChooseColour(unsigned& rgb) override;

private:
    QString lastOutputFile_;
};

// "Name (*.ext)|*.ext|..." as a Qt file dialog filter.
QString QtFileFilter(const QString& filter);
