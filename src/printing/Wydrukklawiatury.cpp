#include "printing/Wydrukklawiatury.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/prompts.h"
#include "printing/Printer.h"

namespace {
QString Css(unsigned rgb) { return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')); }

QLabel* KeyText(QWidget* parent, int px, bool bold) {
    auto* l = new QLabel(parent);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

// The largest point size from `start` down at which the text is narrower than 50 pixels.
void FitOnScreen(QLabel* label, int start) {
    QFont f = label->font();
    f.setPointSize(start);
    while (f.pointSize() > 1 && QFontMetrics(f).horizontalAdvance(label->text()) >= 50) f.setPointSize(f.pointSize() - 1);
    label->setFont(f);
}

const char* const kEditCaptions[3] = {"Edycja tekstu górnego:", "Edycja tekstu środkowego:", "Edycja tekstu dolnego:"};
}  // namespace

KeyCap::KeyCap(const Style& s, QWidget* parent) : QFrame(parent), style_(s) {
    setFixedSize(s.width, s.height);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    top = KeyText(this, s.topPx, s.topPx < 20);
    middle = KeyText(this, s.middlePx, true);
    bottom = KeyText(this, s.bottomPx, s.bottomPx < 20);
    middle->setWordWrap(true);
    top->setGeometry(1, 1, s.width - 2, s.topPx + 4);
    middle->setGeometry(1, s.middleY, s.width - 2, s.height - s.middleY - 2);
    bottom->setGeometry(1, s.bottomY, s.width - 2, s.bottomPx + 4);
}

void KeyCap::Show(const KeyLabel& label, Arrow arrow, unsigned arrowColour) {
    arrow_ = arrow;
    arrowColour_ = arrowColour;
    setStyleSheet(QStringLiteral("KeyCap { background: %1; border: 1px solid black; }").arg(Css(label.background)));
    const QList<std::tuple<QLabel*, QString, unsigned>> parts{
        {top, label.top, label.topColour}, {middle, label.middle, label.middleColour}, {bottom, label.bottom, label.bottomColour}};
    for (const auto& [l, text, colour] : parts) {
        l->setText(text);
        l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(Css(colour)));
    }
    // An arrow key shows its arrow in place of the middle and bottom texts.
    middle->setVisible(arrow == Arrow::None);
    bottom->setVisible(arrow == Arrow::None);
    if (fitTexts) {
        FitOnScreen(top, 7);
        FitOnScreen(middle, 12);
        FitOnScreen(bottom, 7);
    }
    update();
}

void KeyCap::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QFrame::mousePressEvent(event);
}

void KeyCap::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (arrow_ == Arrow::None) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int box = qMin(width(), height()) / 2;
    for (const PrintLine& l : ArrowLines(arrow_, (width() - box) / 2, (height() - box) / 2 + height() / 10, box,
                                         qMax(2, box / 8), 0xFF000000 | arrowColour_)) {
        p.setPen(QPen(QColor::fromRgba(l.colour), l.width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(l.x1, l.y1, l.x2, l.y2);
    }
}

TWydrukKlawiatury::TWydrukKlawiatury(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TWydrukKlawiatury"));
    setWindowTitle(QStringLiteral("Wydruk klawiatury"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Wydruk szablonu klawiatury")));
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns);

    auto* left = new QVBoxLayout;
    columns->addLayout(left);
    left->addWidget(Named(new QLabel(QStringLiteral("Kliknij na klawisz, który chcesz edytować:"), this), "Label84"));
    auto* board = new QWidget(this);
    board->setFixedSize(5 * 64 + 16, 5 * 64 + 16);
    const KeyCap::Style small{49, 49, 9, 16, 9, 16, 37};
    const KeyCap::Style doubled{113, 49, 9, 16, 9, 16, 37};
    for (int k = 1; k <= 24; ++k) {
        auto* key = new KeyCap(k == 24 ? doubled : small, board);
        key->setObjectName(QStringLiteral("Shape%1").arg(k));
        key->setAccessibleName(QStringLiteral("Klawisz %1").arg(k));
        key->fitTexts = true;
        key->move(8 + KeyColumn(k) * 64, 8 + KeyRow(k) * 64);
        connect(key, &KeyCap::clicked, this, [this, k] { SelectTemplateKey(k); });
        keys << key;
    }
    left->addWidget(board);
    left->addStretch();

    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    right->addWidget(Named(new QLabel(QStringLiteral("Podgląd:"), this), "Label2"));
    Shape25 = new KeyCap(KeyCap::Style{177, 177, 35, 83, 35, 40, 132}, this);
    Shape25->setObjectName(QStringLiteral("Shape25"));
    Label76 = Named(Shape25->top, "Label76");
    Label75 = Named(Shape25->middle, "Label75");
    Label77 = Named(Shape25->bottom, "Label77");
    for (QLabel* l : {Label76, Label75, Label77}) l->installEventFilter(this);
    right->addWidget(Shape25);

    auto* edit = new QGridLayout;
    const char* captions[3] = {"Tekst górny", "Tekst środkowy", "Tekst dolny"};
    const char* captionNames[3] = {"Label80", "Label81", "Label82"};
    QPushButton** buttons[3] = {&Button1, &Button2, &Button3};
    for (int i = 0; i < 3; ++i) {
        *buttons[i] = new QPushButton(QStringLiteral("Edytuj"), this);
        (*buttons[i])->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        edit->addWidget(Caption(QString::fromUtf8(captions[i]), *buttons[i], captionNames[i]), i, 0);
        edit->addWidget(*buttons[i], i, 1);
        connect(*buttons[i], &QPushButton::clicked, this, [this, i] { StartEdit(i); });
    }
    Label83 = Named(new QLabel(this), "Label83");
    Edit1 = Named(new QLineEdit(this), "Edit1");
    BitBtn1 = Named(new QPushButton(QStringLiteral("Ok"), this), "BitBtn1");
    Label83->setBuddy(Edit1);
    Edit1->setEnabled(false);
    BitBtn1->setEnabled(false);
    edit->addWidget(Label83, 3, 0, 1, 2);
    edit->addWidget(Edit1, 4, 0);
    edit->addWidget(BitBtn1, 4, 1);
    right->addLayout(edit);

    auto* colours = new QGridLayout;
    colours->addWidget(Named(new QLabel(QStringLiteral("Kolor tekstu:"), this), "Label78"), 0, 0);
    colours->addWidget(Named(new QLabel(QStringLiteral("Kolor tła:"), this), "Label79"), 1, 0);
    const char* swatchNames[4] = {"Shape26", "Shape27", "Shape28", "Shape29"};
    const char* swatchTips[4] = {"Kolor tekstu górnego", "Kolor tekstu środkowego", "Kolor tekstu dolnego", "Kolor tła"};
    for (int i = 0; i < 4; ++i) {
        auto* swatch = Named(new QPushButton(this), swatchNames[i]);
        swatch->setFixedSize(24, 24);
        swatch->setAccessibleName(QString::fromUtf8(swatchTips[i]));
        swatch->setToolTip(QString::fromUtf8(swatchTips[i]));
        colours->addWidget(swatch, i < 3 ? 0 : 1, i < 3 ? i + 1 : 1);
        connect(swatch, &QPushButton::clicked, this, [this, i] { ChooseColour(i); });
        swatches << swatch;
    }
    right->addLayout(colours);
    BitBtn5 = Named(new QPushButton(QStringLiteral("Kopiuj kolory\nna wszystkie klawisze"), this), "BitBtn5");
    BitBtn3 = Named(new QPushButton(QStringLiteral("  &Drukuj szablon klawiatury"), this), "BitBtn3");
    right->addWidget(BitBtn5);
    right->addWidget(BitBtn3);
    right->addStretch();

    connect(BitBtn1, &QPushButton::clicked, this, &TWydrukKlawiatury::EditOk);
    connect(BitBtn5, &QPushButton::clicked, this, &TWydrukKlawiatury::CopyColours);
    connect(BitBtn3, &QPushButton::clicked, this, &TWydrukKlawiatury::PrintKeyboardTemplate);
    for (int k = 1; k <= 24; ++k) ShowKey(k);
}

bool TWydrukKlawiatury::FormKeyDown(int key) {
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && focusWidget() == Edit1) {
        BitBtn1->click();
        return true;
    }
    return TForm::FormKeyDown(key);
}

bool TWydrukKlawiatury::eventFilter(QObject* watched, QEvent* event) {
    // A click on a preview text edits that text.
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Label76) return StartEdit(0), true;
        if (watched == Label75) return StartEdit(1), true;
        if (watched == Label77) return StartEdit(2), true;
    }
    return TForm::eventFilter(watched, event);
}

void TWydrukKlawiatury::FormShow() {
    selected = 0;
    preview = KeyLabel{};
    ShowPreview();
}

void TWydrukKlawiatury::ShowKey(int k) {
    const int arrow = ArrowIndex(k);
    keys[k - 1]->Show(keyboard.keys[k - 1], ArrowOf(k), arrow >= 0 ? keyboard.arrowColours[arrow] : 0);
}

void TWydrukKlawiatury::ShowPreview() {
    const int arrow = ArrowIndex(selected);
    Shape25->Show(preview, ArrowOf(selected), arrow >= 0 ? keyboard.arrowColours[arrow] : 0);
    const unsigned colours[4] = {preview.topColour, preview.middleColour, preview.bottomColour, preview.background};
    for (int i = 0; i < 4; ++i)
        swatches[i]->setStyleSheet(QStringLiteral("background: %1; border: 1px solid gray;").arg(Css(colours[i])));
}

void TWydrukKlawiatury::SelectTemplateKey(int k) {
    if (k < 1 || k > 24) return;
    selected = k;
    preview = keyboard.keys[k - 1];
    ShowPreview();
}

void TWydrukKlawiatury::ApplyPreviewToKey() {
    if (selected == 0) return;
    keyboard.keys[selected - 1] = preview;
    ShowKey(selected);
}

void TWydrukKlawiatury::StartEdit(int part) {
    Edit1->setEnabled(true);
    BitBtn1->setEnabled(true);
    Label83->setText(QString::fromUtf8(kEditCaptions[part]));
    Edit1->setFocus();
}

void TWydrukKlawiatury::EditOk() {
    const QString caption = Label83->text();
    QString* target = caption == QString::fromUtf8(kEditCaptions[0])   ? &preview.top
                      : caption == QString::fromUtf8(kEditCaptions[1]) ? &preview.middle
                      : caption == QString::fromUtf8(kEditCaptions[2]) ? &preview.bottom
                                                                       : nullptr;
    if (target) *target = Edit1->text();
    Label83->clear();
    Edit1->clear();
    Edit1->setEnabled(false);
    BitBtn1->setEnabled(false);
    ShowPreview();
    ApplyPreviewToKey();
}

void TWydrukKlawiatury::ChooseColour(int swatch) {
    unsigned* colour[4] = {&preview.topColour, &preview.middleColour, &preview.bottomColour, &preview.background};
    unsigned rgb = *colour[swatch];
    if (!s_.prompts.ChooseColour(rgb)) return;
    *colour[swatch] = rgb & 0xFFFFFF;
    if (swatch == 1 && ArrowIndex(selected) >= 0) keyboard.arrowColours[ArrowIndex(selected)] = rgb & 0xFFFFFF;
    ShowPreview();
    ApplyPreviewToKey();
}

void TWydrukKlawiatury::CopyColours() {
    for (KeyLabel& k : keyboard.keys) {
        k.topColour = preview.topColour;
        k.middleColour = preview.middleColour;
        k.bottomColour = preview.bottomColour;
        k.background = preview.background;
    }
    keyboard.arrowColours.fill(preview.middleColour);
    for (int k = 1; k <= 24; ++k) ShowKey(k);
}

void TWydrukKlawiatury::PrintKeyboardTemplate() {
    const KeyboardTemplate t = keyboard;
    PrintListPages(s_.prompts, ListFont::Regular, [t](const PageMetrics& m) { return LayoutKeyboard(t, m); });
}
