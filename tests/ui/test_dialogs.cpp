// The about box and the help dialog: layout, texts, fonts and how they close.
#include "ui/aboutbox.h"
#include "ui/fonts.h"
#include "ui/helpdlg.h"
#include "ui/helptext.h"
#include "ui/translation.h"

#include <QtTest>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

const QChar Ideographic(0x3000);

// Shows the dialog modally, runs `during` inside its event loop and returns
// what exec() returned; a dialog still open after two seconds is ended with
// -1 so a failing test cannot hang.
int runModal(QDialog& dialog, const std::function<void()>& during)
{
    QTimer::singleShot(0, &dialog, during);
    QTimer::singleShot(2000, &dialog, [&dialog] {
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return dialog.exec();
}

QWidget* keyTarget(QDialog& dialog)
{
    QWidget* focus = dialog.focusWidget();
    return focus ? focus : &dialog;
}

QPushButton* okButton(QDialog& dialog)
{
    return dialog.findChild<QPushButton*>(qobject_cast<ui::TAboutBox*>(&dialog) ? "OKButton" : "OKBtn");
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui::TAboutBox> m_about;
    std::unique_ptr<ui::THelpDlg> m_help;

    QDialog* dialogNamed(const QString& name)
    {
        return name == QLatin1String("about") ? static_cast<QDialog*>(m_about.get()) : m_help.get();
    }

private slots:
    void initTestCase()
    {
        ui::installFontSubstitutions();
        QApplication::setFont(ui::gameFont(ui::PGothicFace, 12));
        m_about = std::make_unique<ui::TAboutBox>();
        m_help = std::make_unique<ui::THelpDlg>();
    }

    void gameFacesResolveToInstalledFonts()
    {
        // The Japanese faces must show kana and kanji; the serif faces must
        // not fall back to a sans face.
        for (const QString& face : {ui::PGothicFace, ui::GothicFace}) {
            const QFont font = ui::gameFont(face, 12);
            QVERIFY2(QFontMetrics(font).inFontUcs4(U'ゴ') && QFontMetrics(font).inFontUcs4(U'迷'),
                     qPrintable(QFontInfo(font).family()));
        }
        QCOMPARE(QFontInfo(ui::gameFont(ui::PGothicFace, 12)).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(QFontInfo(ui::gameFont(ui::GothicFace, 12)).family(), QStringLiteral("IPAGothic"));
        for (const QString& face : {ui::TimesFace, ui::MsSerifFace})
            QCOMPARE(QFontInfo(ui::gameFont(face, 12)).family(), QStringLiteral("Liberation Serif"));

        const QFont font = ui::gameFont(ui::MsSerifFace, 16, true, true);
        QCOMPARE(font.pixelSize(), 16);
        QVERIFY(font.bold() && font.italic());
        QCOMPARE(QFontInfo(font).pixelSize(), 16);
    }

    void helpTextIsLaidOutByHand()
    {
        const QStringList lines = ui::helpLines();
        QVERIFY(lines.size() >= 35 && lines.size() <= 45);
        QCOMPARE(lines[0].trimmed(), QStringLiteral("*** VESMOR***"));
        QVERIFY(lines[0].startsWith(QLatin1Char(' ')));
        QVERIFY(lines[1].isEmpty());
        QCOMPARE(ui::helpText(), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));

        // Paragraphs open with two ideographic spaces, other lines with one.
        int paragraphs = 0;
        for (const QString& line : lines.mid(2)) {
            QVERIFY2(line.startsWith(Ideographic), qPrintable(line));
            if (line.startsWith(QString(2, Ideographic)))
                ++paragraphs;
            else
                QVERIFY2(line.at(1) != Ideographic, qPrintable(line));
        }
        QCOMPARE(paragraphs, 11);

        // The phrases the player is told to look for stay whole on one line.
        for (const char* phrase : {"スタートボタンを押すと、", "左上（北西）にある出口を見つけてください", "お稲荷さん"}) {
            const QString wanted = QString::fromUtf8(phrase);
            QVERIFY2(std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(wanted); }),
                     phrase);
        }
    }

    void helpTextFitsAndHasEveryGlyph()
    {
        // The text box never wraps: every line must fit beside the scroll
        // bar, and every character must be in the face so none shows a box.
        auto* memo = m_help->findChild<QPlainTextEdit*>("Memo1");
        QVERIFY(memo);
        const int room = memo->width() - memo->verticalScrollBar()->sizeHint().width() -
                         2 * int(memo->document()->documentMargin());
        const QFontMetrics metrics(memo->font());
        const QStringList lines = ui::helpLines();
        int widest = 0;
        for (const QString& line : lines) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
            QVERIFY2(metrics.horizontalAdvance(line) <= room, qPrintable(line));
            for (char32_t c : line.toUcs4())
                QVERIFY2(metrics.inFontUcs4(c), qPrintable(QStringLiteral("U+%1 in %2").arg(uint(c), 4, 16).arg(line)));
        }
        // The title stands near the middle of the text.
        const int titleCentre = metrics.horizontalAdvance(lines[0]) - metrics.horizontalAdvance(lines[0].trimmed()) / 2;
        QVERIFY2(std::abs(titleCentre - widest / 2) < widest / 6, qPrintable(QString::number(titleCentre)));
    }

    // What the player reads and sees: the titles, the about box's texts,
    // and the help's silver letters on navy with a scroll bar down its
    // right side and none along the bottom, an arrow over them.
    void dialogsShowTheirTexts()
    {
        ui::TAboutBox& box = *m_about;
        QCOMPARE(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(box.findChild<QLabel*>("Label1")->text() + QLatin1Char('|') + box.findChild<QLabel*>("Label2")->text(),
                 QStringLiteral("Vesmor|ver 1.1"));
        QVERIFY(QDate::fromString(box.findChild<QLabel*>("Label3")->text(), QStringLiteral("yyyy/MM/dd")).isValid());

        ui::THelpDlg& dialog = *m_help;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Help"));
        auto* memo = dialog.findChild<QPlainTextEdit*>("Memo1");
        QCOMPARE(memo->toPlainText(), ui::helpText());
        const QImage shot = memo->grab().toImage();
        const int bar = memo->verticalScrollBar()->sizeHint().width();
        // Letters: silver, smoothed into the navy at their edges. The
        // scroll bar: greys, in whatever style.
        int navy = 0, letters = 0, greyRight = 0, greyBottom = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb c = shot.pixel(x, y);
                const bool grey = qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
                if (x >= shot.width() - bar)
                    greyRight += grey;
                else if (y >= shot.height() - bar)
                    greyBottom += grey;
                else if ((c | 0xFF000000u) == qRgb(0x00, 0x00, 0x80))
                    ++navy;
                else
                    letters += qRed(c) > 0x60 && qRed(c) == qGreen(c);
            }
        QVERIFY2(navy > letters && letters > 1000, qPrintable(QStringLiteral("%1 %2").arg(navy).arg(letters)));
        QVERIFY2(greyRight > bar * shot.height() * 9 / 10 && greyBottom < bar * shot.width() / 10,
                 qPrintable(QStringLiteral("%1 %2").arg(greyRight).arg(greyBottom)));
        // An arrow, also after the mouse has moved over the text.
        const QPointF inside(40, 40);
        QMouseEvent move(QEvent::MouseMove, inside, memo->viewport()->mapToGlobal(inside), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(memo->viewport(), &move);
        QCOMPARE(memo->viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    // Behaviour shared by both dialogs, run for each.
    void closing_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("about") << QStringLiteral("about");
        QTest::newRow("help") << QStringLiteral("help");
    }

    void closing()
    {
        QFETCH(QString, which);
        QDialog& dialog = *dialogNamed(which);
        QVERIFY(!dialog.isVisible());  // created hidden

        // OK has the focus and Enter presses it; the box sits in the middle
        // of the screen.
        QPoint centreOffset;
        QWidget* focusAtOpen = nullptr;
        int result = runModal(dialog, [&] {
            focusAtOpen = dialog.focusWidget();
            centreOffset = dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
            QTest::keyClick(keyTarget(dialog), Qt::Key_Return);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(focusAtOpen, okButton(dialog));
        QVERIFY(centreOffset.manhattanLength() <= 2);

        // Escape does nothing; a click on OK then closes with the result OK.
        bool openAfterEscape = false;
        result = runModal(dialog, [&] {
            QTest::keyClick(keyTarget(dialog), Qt::Key_Escape);
            openAfterEscape = dialog.isVisible();
            QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        });
        QVERIFY(openAfterEscape);
        QCOMPARE(result, int(QDialog::Accepted));

        // Tab keeps the focus on OK (the text box is skipped); the close box closes.
        QWidget* focusAfterTab = nullptr;
        result = runModal(dialog, [&] {
            QTest::keyClick(keyTarget(dialog), Qt::Key_Tab);
            focusAfterTab = dialog.focusWidget();
            dialog.close();
        });
        QCOMPARE(focusAfterTab, okButton(dialog));
        QVERIFY(result != -1);
        QVERIFY(!dialog.isVisible());
    }

    void helpKeepsItsScrollPosition()
    {
        ui::THelpDlg& dialog = *m_help;
        QScrollBar* bar = dialog.findChild<QPlainTextEdit*>("Memo1")->verticalScrollBar();
        int scrolledTo = -1;
        int horizontalRange = -1;
        runModal(dialog, [&] {
            QVERIFY(bar->maximum() > 5);  // the text is longer than the box
            bar->setValue(bar->maximum() / 2);
            scrolledTo = bar->value();
            horizontalRange = dialog.findChild<QPlainTextEdit*>("Memo1")->horizontalScrollBar()->maximum();
            dialog.accept();
        });
        QVERIFY(scrolledTo > 0);
        QCOMPARE(horizontalRange, 0);  // no line sticks out to the right

        int reopenedAt = -1;
        runModal(dialog, [&] {
            reopenedAt = bar->value();
            dialog.accept();
        });
        QCOMPARE(reopenedAt, scrolledTo);
    }

    // The help text's right-click menu comes from the toolkit, in Japanese
    // like the rest of the window: Copy and Select All in Qt's own words.
    void helpTextMenuIsJapanese()
    {
        ui::installToolkitTranslation();
        auto* memo = m_help->findChild<QPlainTextEdit*>("Memo1");
        memo->selectAll();
        const std::unique_ptr<QMenu> menu(memo->createStandardContextMenu());
        QStringList items;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                items << action->text();
        QVERIFY2(items.size() >= 2, qPrintable(items.join(QLatin1Char('|'))));
        for (const QString& item : std::as_const(items))
            QVERIFY2(std::any_of(item.begin(), item.end(), [](QChar c) { return c.unicode() >= 0x3000; }),
                     qPrintable(items.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
