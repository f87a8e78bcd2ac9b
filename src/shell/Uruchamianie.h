#pragma once
// TUruchamianie: shown while the program creates its windows.
#include <QWidget>

class QLabel;

class TUruchamianie : public QWidget {
    Q_OBJECT
public:
    TUruchamianie();
    QLabel* Label1;
};
