#include "receipt/Pobieranienaglowka.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/text.h"
#include "image/layout.h"
#include "receipt/lineblock.h"
#include "sync/tablesync.h"

TPobieranieNaglowka::TPobieranieNaglowka(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TPobieranieNaglowka"));
    setWindowTitle(QStringLiteral("Pobieranie nagłówka"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Pobieranie nagłówka")));
    RichEdit1 = Named(new QPlainTextEdit(this), "RichEdit1");
    RichEdit1->setReadOnly(true);
    QFont f(QStringLiteral("Courier New"), 10);
    f.setStyleHint(QFont::TypeWriter);
    RichEdit1->setFont(f);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setMinimumSize(QFontMetrics(f).horizontalAdvance(QString(46, QLatin1Char('W'))),
                              QFontMetrics(f).lineSpacing() * 8);
    RichEdit1->setAccessibleName(QStringLiteral("Nagłówek"));
    outer->addWidget(RichEdit1, 1);
    Button1 = Named(new QPushButton(QStringLiteral("Pobierz nagłówek"), this), "Button1");
    outer->addLayout(ButtonRow({Button1}));
    EnterPresses(Button1);
    connect(Button1, &QPushButton::clicked, this, &TPobieranieNaglowka::Button1Click);
}

void TPobieranieNaglowka::Button1Click() {
    TransferScope scope(this);
    if (!scope) return;
    QByteArray block;
    ReadRecordSeries(s_.link, SeriesRequest{'N', 268, 0x8001, true}, [&](const QByteArray& payload) { block = payload; });
    if (block.isEmpty()) return;  // the display stays as it was
    // Each line is the string of its non-zero bytes; the 0x01 markers stay.
    QStringList lines;
    for (int i = 0; i < layout::kHeaderLines; ++i) {
        QByteArray line = block.mid(i * kLineWidth, kLineWidth);
        line.replace('\0', QByteArray());
        lines << FromCp1250(line);
    }
    RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
}
