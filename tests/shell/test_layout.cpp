// Every window of the program on a 1280x768 screen (the main window on
// 1024x768): its minimum size fits, and shown at the size it takes there, no
// visible control lies outside it; and no two of its controls share an Alt letter.
#include <QtTest>
#include <QAbstractButton>
#include <QLabel>
#include <QScreen>

#include <QMessageBox>

#include "common/Form.h"
#include "common/Qtprompts.h"
#include "shell/Forms.h"
#include "shell/Menuglowne.h"
#include "support/guifixture.h"

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void everyWindowFits();
    void messageBoxNeverTallerThanTheScreen();
};

namespace {
// The controls of a shown window that stick out of it.
QStringList Outside(QWidget* window) {
    QStringList out;
    const QRect inside = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || w->size().isEmpty()) continue;
        // Scrolled content is clipped by its viewport, not the window.
        if (w->parentWidget() && w->parentWidget()->objectName() == QLatin1String("qt_scrollarea_viewport")) continue;
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!inside.contains(r)) out << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                                  : w->objectName());
    }
    return out;
}
// The Alt letters used more than once in a window.
QStringList SharedAltLetters(QWidget* window) {
    QHash<QChar, QStringList> users;
    auto note = [&](const QString& text, const QString& who) {
        for (int i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&')) continue;
            if (text[i + 1] == QLatin1Char('&')) {
                ++i;
                continue;
            }
            users[text[i + 1].toUpper()] << who;
            break;
        }
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (!b->isHidden() || b->parentWidget() == window) note(b->text(), b->objectName());
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->buddy()) note(l->text(), l->text());
    QStringList shared;
    for (auto it = users.cbegin(); it != users.cend(); ++it)
        if (it.value().size() > 1) shared << QStringLiteral("Alt+%1: %2").arg(it.key(), it.value().join(", "));
    return shared;
}
}  // namespace

void TestLayout::everyWindowFits() {
    GuiFixture f;
    FormRegistry forms;
    TMenuGlowne main(f.t.services, forms);
    CreateForms(f.t.services, forms, &main);
    main.FormsCreated();
    const QSize screen(1280, 768);
    QVERIFY2(main.minimumSizeHint().width() <= 1024 && main.height() <= 768,
             qPrintable(QStringLiteral("%1x%2").arg(main.width()).arg(main.height())));
    main.show();
    QVERIFY2(Outside(&main).isEmpty(), qPrintable(Outside(&main).join(", ")));
    for (TForm* form : forms.Order()) {
        const QSize min = form->minimumSizeHint().expandedTo(form->minimumSize());
        QVERIFY2(min.width() <= screen.width() && min.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1 needs %2x%3").arg(form->objectName()).arg(min.width()).arg(min.height())));
        // Shown as it opens, but never larger than the screen.
        form->resize(form->sizeHint().boundedTo(screen).expandedTo(min));
        form->setModal(false);
        form->show();
        QCoreApplication::processEvents();
        QVERIFY2(form->width() <= screen.width() && form->height() <= screen.height(), qPrintable(form->objectName()));
        const QStringList outside = Outside(form);
        QVERIFY2(outside.isEmpty(), qPrintable(form->objectName() + QStringLiteral(": ") + outside.join(", ")));
        const QStringList shared = SharedAltLetters(form);
        QVERIFY2(shared.isEmpty(), qPrintable(form->objectName() + QStringLiteral(": ") + shared.join("; ")));
        GuiFixture::KeepShot(form, form->objectName());
        form->hide();
    }
}

// A message listing thousands of lines still fits the screen; the whole text
// stays readable under its details.
void TestLayout::messageBoxNeverTallerThanTheScreen() {
    QStringList lines;
    for (int i = 1; i <= 15000; ++i) lines << QStringLiteral("Wiersz %1").arg(i);
    int height = 0;
    QString details;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        height = box->sizeHint().height();
        details = box->detailedText();
        box->accept();
    });
    QtPrompts prompts;
    prompts.Message(lines.join('\n'), QString(), PromptIcon::None);
    QVERIFY2(height > 0 && height <= 768, qPrintable(QString::number(height)));
    QCOMPARE(details, lines.join('\n'));
}

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
