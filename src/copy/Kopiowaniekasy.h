#pragma once
// TKopiowanieKasy: reads the register's tables into a fresh PC database.
#include <functional>

#include "copy/Tablecopy.h"

class TKopiowanieKasy : public TTableCopyForm {
    Q_OBJECT
public:
    explicit TKopiowanieKasy(Services& services, QWidget* parent = nullptr);

    // Saves the open database the way the main window does; true when saved.
    std::function<bool()> saveDatabase;

    void Button1Click() override;
};
