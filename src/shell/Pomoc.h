#pragma once
// TPomoc: the short user guide, in Polish, shown in the program (F1).
#include "common/Form.h"

class QPushButton;
class QTextBrowser;

class TPomoc : public TForm {
    Q_OBJECT
public:
    explicit TPomoc(Services& services, QWidget* parent = nullptr);

    QTextBrowser* Browser;
    QPushButton* Button1;  // "Zamknij"
};
