#pragma once
// The prompts of a benchmark run: messages are printed, questions answered No and
// dialogs cancelled.
#include <cstdio>

#include "common/prompts.h"

class SilentPrompts : public Prompts {
public:
    void Message(const QString& text, const QString&, PromptIcon) override {
        std::printf("  message: %s\n", qPrintable(text));
    }
    PromptAnswer Ask(const QString&, PromptButtons, PromptIcon, const QString&) override { return PromptAnswer::No; }
    QString OpenFileName(const FileDialogSpec&) override { return QString(); }
    QString SaveFileName(const FileDialogSpec&) override { return QString(); }
    bool ChoosePrinter(QPrinter*) override { return false; }
    bool ChooseColour(unsigned&) override { return false; }
};
