#include "receipt/Pobieranienaglowka.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTextEdit>
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
    RichEdit1 = Named(new QTextEdit(this), "RichEdit1");
    RichEdit1->setReadOnly(true);
    QFont f(QStringLiteral("Courier New"), 10);
    f.setStyleHint(QFont::TypeWriter);
    RichEdit1->setFont(f);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setMinimumSize(QFontMetrics(f).horizontalAdvance(QString(46, QLatin1Char('W'))),
                              QFontMetrics(f).lineSpacing() * 8);
    RichEdit1->setAccessibleName(QStringLiteral("Nagłówek"));
    outer->addWidget(RichEdit1, 1);
    Button1 = Named(new QPushButton(QStringLiteral("Pobierz nagłówek"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Przenieś do edytora"), this), "Button2");
    Button2->setEnabled(false);
    outer->addLayout(ButtonRow({Button1, Button2}));
    EnterPresses(Button1);
    connect(Button1, &QPushButton::clicked, this, &TPobieranieNaglowka::Button1Click);
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (takeIntoEditor) takeIntoEditor(read_);
    });
}

void TPobieranieNaglowka::Button1Click() {
    TransferScope scope(this);
    if (!scope) return;
    QByteArray block;
    ReadRecordSeries(s_.link, SeriesRequest{'N', 268, 0x8001, true}, [&](const QByteArray& payload) { block = payload; });
    if (block.isEmpty()) return;  // the display stays as it was
    // Each line is the string of its non-zero bytes; a 0x01 marker is not shown:
    // the character after it is, large, as the editor shows it.
    RichEdit1->clear();
    QTextCursor c(RichEdit1->document());
    QTextCharFormat normal, large;
    normal.setFontPointSize(10);
    large.setFontPointSize(20);
    for (int i = 0; i < layout::kHeaderLines; ++i) {
        if (i > 0) c.insertBlock();
        QByteArray line = block.mid(i * kLineWidth, kLineWidth);
        line.replace('\0', QByteArray());
        bool big = false;
        for (char b : line) {
            if (b == '\x01') {
                big = true;
                continue;
            }
            c.insertText(FromCp1250(QByteArray(1, b)), big ? large : normal);
            big = false;
        }
    }
    read_ = RichTextFromBlock(block, layout::kHeaderLines);
    Button2->setEnabled(true);
}
