#include "receipt/Edycjatekstuparagonu.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/files.h"
#include "common/prompts.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "receipt/rtf.h"

namespace {
constexpr double kLargePoints = 20, kNormalPoints = 10;

QFont EditorFont() {
    QFont f(QStringLiteral("Courier New"), int(kNormalPoints));
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

const QString kFilter = QStringLiteral("Pliki tekstowe (*.rtf)|*.RTF");

bool Large(const QTextCharFormat& f) { return f.fontPointSize() >= kLargeHalfPoints / 2.0; }
}  // namespace

TEdycjaTekstuParagonu::TEdycjaTekstuParagonu(Services& services, const ReceiptTextDescription& d, QWidget* parent)
    : TForm(services, parent), d_(d) {
    setObjectName(QLatin1String(d.className));
    setWindowTitle(d.caption);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(d.heading));
    auto* tools = new QHBoxLayout;
    ToolButton1 = Named(new QToolButton(this), "ToolButton1");
    ToolButton1->setText(QStringLiteral("Tekst pogrubiony"));
    ToolButton1->setCheckable(true);
    ToolButton1->setStyleSheet(QStringLiteral("font-weight: bold"));
    OpenButton = Named(new QToolButton(this), d.openButtonName);
    OpenButton->setText(QStringLiteral("Otwórz"));
    OpenButton->setToolTip(d.openTitle);
    SaveButton = Named(new QToolButton(this), d.saveButtonName);
    SaveButton->setText(QStringLiteral("Zapisz"));
    SaveButton->setToolTip(d.saveTitle);
    tools->addWidget(OpenButton);
    tools->addWidget(SaveButton);
    tools->addWidget(ToolButton1);
    tools->addStretch();
    outer->addLayout(tools);

    auto* middle = new QHBoxLayout;
    outer->addLayout(middle, 1);
    auto* textColumn = new QVBoxLayout;
    middle->addLayout(textColumn, 1);
    RichEdit1 = Named(new QTextEdit(this), "RichEdit1");
    RichEdit1->setAcceptRichText(false);
    RichEdit1->document()->setDefaultFont(EditorFont());
    // The text area is the register's 42 columns wide, so centred and right
    // lines sit where the register prints them, under the ruler's digits.
    RichEdit1->setLineWrapMode(QTextEdit::FixedPixelWidth);
    RichEdit1->setLineWrapColumnOrWidth(QFontMetrics(EditorFont()).horizontalAdvance(QString(kLineWidth, QLatin1Char('W'))) +
                                        2 * int(RichEdit1->document()->documentMargin()) + 2);
    RichEdit1->setAccessibleName(d.heading);
    // The ruler's digits stand over the text's columns: same font, same margin.
    Ruler = Named(new QLabel(QStringLiteral("123456789012345678901234567890123456789012"), this), "Ruler");
    Ruler->setFont(EditorFont());
    const int margin = int(RichEdit1->document()->documentMargin()) + RichEdit1->frameWidth();
    Ruler->setContentsMargins(margin, 0, 0, 0);
    const int width = QFontMetrics(EditorFont()).horizontalAdvance(QString(kLineWidth + 2, QLatin1Char('W')));
    RichEdit1->setMinimumWidth(width + 2 * margin + RichEdit1->verticalScrollBar()->sizeHint().width());
    RichEdit1->setMinimumHeight(QFontMetrics(QFont(QStringLiteral("Courier New"), int(kLargePoints))).lineSpacing() *
                                (d.header ? 7 : 4));
    textColumn->addWidget(Ruler);
    textColumn->addWidget(RichEdit1, 1);

    TallLines = Named(new QFrame(this), "TallLines");
    TallLines->setFrameShape(QFrame::StyledPanel);
    auto* tall = new QVBoxLayout(TallLines);
    tall->addWidget(new QLabel(QStringLiteral("LINIE WYSOKIE"), TallLines));
    for (int i = 1; i <= LineSlots(); ++i) {
        auto* box = new QCheckBox(QStringLiteral("Linia %1").arg(i), TallLines);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i));
        box->setToolTip(QStringLiteral("Zaznacz linie, które mają byc wysokie"));
        tall->addWidget(box);
        TallBoxes << box;
    }
    tall->addStretch();
    middle->addWidget(TallLines);
    TallLines->setVisible(d.header);  // the footer's tall lines stay 0

    CheckBox8 = Named(new QCheckBox(QStringLiteral("Potwiedzenie z klawiatury kasy"), this), "CheckBox8");
    outer->addWidget(CheckBox8);
    BitBtn2 = Named(new QPushButton(QStringLiteral("&Wyślij do kasy"), this), "BitBtn2");
    BitBtn3 = Named(new QPushButton(QStringLiteral("&Anuluj"), this), "BitBtn3");
    outer->addLayout(ButtonRow({BitBtn2, BitBtn3}));

    connect(CheckBox8, &QCheckBox::toggled, this, [this](bool on) { confirmFlag = on ? 1 : 0; });
    connect(ToolButton1, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontPointSize(on ? kLargePoints : kNormalPoints);
        RichEdit1->mergeCurrentCharFormat(f);
        RichEdit1->setFocus();
    });
    connect(RichEdit1, &QTextEdit::currentCharFormatChanged, this,
            [this](const QTextCharFormat& f) { ToolButton1->setChecked(Large(f)); });
    connect(RichEdit1->document(), &QTextDocument::contentsChange, this, [this](int at, int, int added) {
        changedAt_ = at;
        changedAdded_ = added;
    });
    connect(RichEdit1, &QTextEdit::textChanged, this, &TEdycjaTekstuParagonu::Enforce);
    connect(OpenButton, &QToolButton::clicked, this, &TEdycjaTekstuParagonu::OpenFile);
    connect(SaveButton, &QToolButton::clicked, this, &TEdycjaTekstuParagonu::SaveFile);
    connect(BitBtn2, &QPushButton::clicked, this, &TEdycjaTekstuParagonu::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
    SetText({});
}

int TEdycjaTekstuParagonu::LineSlots() const { return d_.header ? layout::kHeaderLines : layout::kFooterLines; }

void TEdycjaTekstuParagonu::Enforce() {
    if (enforcing_) return;
    enforcing_ = true;
    QTextDocument* doc = RichEdit1->document();
    // Lines after the last slot go at once.
    if (doc->blockCount() > LineSlots()) {
        QTextCursor c(doc->findBlockByNumber(LineSlots() - 1));
        c.movePosition(QTextCursor::EndOfBlock);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }
    // A line cannot grow past 42 positions: what was just typed beyond them is
    // taken back.
    bool refused = false;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        int positions = 0, cutFrom = -1;
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int each = Large(f.charFormat()) ? 2 : 1;
            for (int i = 0; i < f.length(); ++i) {
                positions += each;
                if (positions > kLineWidth && cutFrom < 0) cutFrom = f.position() + i;
            }
        }
        if (cutFrom < 0) continue;
        // Prefer removing the characters that were just added.
        const int end = b.position() + b.length() - 1;
        const int excess = end - cutFrom;
        const int addedEnd = qMin(end, changedAt_ + changedAdded_);
        QTextCursor c(doc);
        if (addedEnd - excess >= b.position() && addedEnd <= end && changedAdded_ >= excess) {
            c.setPosition(addedEnd - excess);
            c.setPosition(addedEnd, QTextCursor::KeepAnchor);
        } else {
            c.setPosition(cutFrom);
            c.setPosition(end, QTextCursor::KeepAnchor);
        }
        c.removeSelectedText();
        refused = true;
    }
    if (d_.header) {
        // The header's lines are always centred.
        QTextCursor all(doc);
        all.select(QTextCursor::Document);
        QTextBlockFormat f;
        f.setAlignment(Qt::AlignHCenter);
        all.mergeBlockFormat(f);
    }
    enforcing_ = false;
    if (refused) QApplication::beep();
}

RichText TEdycjaTekstuParagonu::Text() const {
    RichText text;
    const QTextDocument* doc = RichEdit1->document();
    if (doc->isEmpty()) return text;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        RichLine line;
        const Qt::Alignment a = b.blockFormat().alignment();
        line.align = (a & Qt::AlignHCenter) ? LineAlign::Centre : (a & Qt::AlignRight) ? LineAlign::Right : LineAlign::Left;
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const bool large = Large(f.charFormat());
            for (const QChar ch : f.text()) line.chars << RichChar{ch, large};
        }
        text << line;
    }
    return text;
}

void TEdycjaTekstuParagonu::SetText(const RichText& text) {
    enforcing_ = true;
    RichEdit1->clear();
    QTextCursor c(RichEdit1->document());
    QTextCharFormat normal, large;
    normal.setFontPointSize(kNormalPoints);
    large.setFontPointSize(kLargePoints);
    for (int i = 0; i < text.size(); ++i) {
        QTextBlockFormat bf;
        bf.setAlignment(text[i].align == LineAlign::Centre  ? Qt::AlignHCenter
                        : text[i].align == LineAlign::Right ? Qt::AlignRight
                                                            : Qt::AlignLeft);
        if (i == 0) c.setBlockFormat(bf);
        else c.insertBlock(bf, normal);
        for (const RichChar& ch : text[i].chars) c.insertText(QString(ch.ch), ch.large ? large : normal);
    }
    if (text.isEmpty()) {
        // An empty editor starts centred.
        QTextBlockFormat bf;
        bf.setAlignment(Qt::AlignHCenter);
        c.setBlockFormat(bf);
    }
    RichEdit1->setCurrentCharFormat(normal);
    enforcing_ = false;
    Enforce();
    RichEdit1->document()->setModified(false);  // a text put in, not typed
}

void TEdycjaTekstuParagonu::FormShow() {
    // A database's own text is shown until the user types or loads another one.
    if (!s_.app.DatabaseLoaded() || RichEdit1->document()->isModified()) return;
    const int offset = d_.header ? layout::kHeader : layout::kFooter;
    const int size = d_.header ? layout::kHeaderSize : layout::kFooterSize;
    const QByteArray block = s_.image.ReadBytesAt(offset, size);
    if (block.size() < size) return;
    SetText(RichTextFromBlock(block, LineSlots()));
    for (int i = 0; i < TallBoxes.size(); ++i) TallBoxes[i]->setChecked(block[LineSlots() * kLineWidth + 1 + i] == 1);
}

void TEdycjaTekstuParagonu::StoreBlock() {
    QList<bool> tall;
    for (QCheckBox* b : TallBoxes) tall << (d_.header && b->isChecked());
    const QByteArray block = d_.header ? HeaderBlock(Text(), tall) : FooterBlock(Text());
    const int offset = d_.header ? layout::kHeader : layout::kFooter;
    if (s_.image.ReadBytesAt(offset, int(block.size())) != block && s_.image.WriteBytesAt(offset, block))
        s_.app.databaseModified = true;
    RichEdit1->document()->setModified(false);  // the image holds what the editor shows
}

void TEdycjaTekstuParagonu::BitBtn2Click() {
    StoreBlock();
    TransferScope scope(this);
    if (!scope) return;
    const Exchange how{true, true, AckStyle::Plain, 0, 800, {}};
    if (d_.header)
        TellOutcome(Transact(s_.link, HeaderFrame(s_.image.ReadBytesAt(layout::kHeader, layout::kHeaderSize)), how),
                    QStringLiteral("Nagłówek zapisano w kasie."));
    else
        TellOutcome(Transact(s_.link, FooterFrame(s_.image.ReadBytesAt(layout::kFooter, layout::kFooterSize), confirmFlag),
                             how),
                    QStringLiteral("Stopkę zapisano w kasie."));
}

void TEdycjaTekstuParagonu::TakeText(const RichText& text) {
    RichText kept = text;
    if (kept.size() > LineSlots()) kept.resize(LineSlots());
    CutLongLines(kept);
    SetText(kept);
    RichEdit1->document()->setModified(true);
}

void TEdycjaTekstuParagonu::OpenFile() {
    FileDialogSpec dialog;
    dialog.title = d_.openTitle;
    dialog.filter = kFilter;
    const QString path = s_.prompts.OpenFileName(dialog);
    if (path.isEmpty()) return;
    QFile file(path);
    std::optional<RichText> text;
    if (file.open(QIODevice::ReadOnly)) text = ReadRtf(file.read(1 << 20));
    if (!text) {
        s_.prompts.Message(QStringLiteral("Nie mogę otworzyc pliku ") + path + QStringLiteral("."));
        return;
    }
    // The editor holds only the register's lines: the rest of a long file is
    // dropped before anything is laid out, so any file reads at once.
    const int lines = int(text->size());
    if (lines > LineSlots()) text->resize(LineSlots());
    const QList<int> cut = CutLongLines(*text);
    SetText(*text);
    RichEdit1->document()->setModified(true);
    // One short message says what was left out.
    QStringList told;
    if (!cut.isEmpty()) {
        QStringList numbers;
        for (int n : cut) numbers << QString::number(n);
        told << QStringLiteral("Wiersze dłuższe niż 42 znaki zostały skrócone: ") + numbers.join(QStringLiteral(", ")) +
                    QLatin1Char('.');
    }
    if (lines > LineSlots())
        told << QStringLiteral("Plik ma %1 wierszy, wczytano %2; pominięto %3.").arg(lines).arg(LineSlots()).arg(lines - LineSlots());
    if (!told.isEmpty()) s_.prompts.Message(told.join(QLatin1Char('\n')));
}

void TEdycjaTekstuParagonu::SaveFile() {
    FileDialogSpec dialog;
    dialog.title = d_.saveTitle;
    dialog.filter = kFilter;
    dialog.defaultExtension = QStringLiteral("rtf");
    const QString path = s_.prompts.SaveFileName(dialog);
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path) &&
        s_.prompts.Ask(QStringLiteral("Plik ") + path + QStringLiteral(" już istnieje.Kontynuować? "), PromptButtons::YesNo,
                       PromptIcon::Warning) != PromptAnswer::Yes)
        return;
    if (!WriteWholeFile(path, WriteRtf(Text())))
        s_.prompts.Message(QStringLiteral("Nie mogę zapisać do pliku ") + path + QStringLiteral("."));
}

QList<TEdycjaTekstuParagonu*> CreateReceiptTextEditors(Services& services, QWidget* parent) {
    static const ReceiptTextDescription header{"TProgramowanieNaglowka", QStringLiteral("Edycja nagłówka"),
                                               QStringLiteral("Programowanie nagłówka"), true, "ToolButton4",
                                               "ToolButton6", QStringLiteral("Otwórz plik z nagłowkiem."),
                                               QStringLiteral("Zapisz nagłówek do pliku.")};
    static const ReceiptTextDescription footer{"TProgramowanieStopki", QStringLiteral("Programowane stopki"),
                                               QStringLiteral("Programowanie stopki"), false, "ToolButton5",
                                               "ToolButton4", QStringLiteral("Otwórz plik ze stopką."),
                                               QStringLiteral("Zapisz stopkę do pliku.")};
    return {new TEdycjaTekstuParagonu(services, header, parent), new TEdycjaTekstuParagonu(services, footer, parent)};
}
