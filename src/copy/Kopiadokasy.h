#pragma once
// TKopiaDoKasy: programs the register with the chosen tables of the PC database.
#include <functional>

#include "copy/Tablecopy.h"

class TKopiaDoKasy : public TTableCopyForm {
    Q_OBJECT
public:
    explicit TKopiaDoKasy(Services& services, QWidget* parent = nullptr);

    // Opens a window by its class name, modally (the table editors).
    std::function<void(const QString& className)> openEditor;

    void Button1Click() override;
    void OpenEditor(int entry);
};
