#include <calculator/failure_message.h>
#include <form/window_events.h>
#include <runtime/runtime_error.h>
#include <window/preset_combo_box.h>
#include <window/result_box.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <cerrno>
#include <iconv.h>
#include <memory>

#include "window_harness.h"

namespace quenvale {

namespace {

// Whether code page 932 can hold the text, asked of the C library's iconv.
bool fitsCodePage932(const QString& text) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        qFatal("iconv cannot convert to CP932");
    }
    QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() * 2 + 16, '\0');
    char* in = utf8.data();
    std::size_t inLeft = static_cast<std::size_t>(utf8.size());
    char* outPtr = out.data();
    std::size_t outLeft = static_cast<std::size_t>(out.size());
    const std::size_t converted = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    return converted != static_cast<std::size_t>(-1) && inLeft == 0;
}

// Every text a person can see on or hear from the window's controls.
QStringList visibleTexts(MainWindow& window) {
    QStringList texts{window.windowTitle()};
    for (QWidget* control : window.findChildren<QWidget*>()) {
        texts << control->toolTip() << control->accessibleName()
              << control->accessibleDescription();
        if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            texts << frame->title();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            texts << button->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            for (int i = 0; i < combo->count(); ++i) {
                texts << combo->itemText(i);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            texts << edit->text();
        }
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace

class TextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void checkerRejectsWhatCodePage932Lacks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::newRow("kana and kanji") << u"計算実行クロック"_qs << true;
        QTest::newRow("full-width colon") << u"FSB：PCI"_qs << true;
        QTest::newRow("ellipsis") << u"…"_qs << true;
        QTest::newRow("copyright sign") << u"©"_qs << false;
        QTest::newRow("emoji") << u"😀"_qs << false;
    }
    void checkerRejectsWhatCodePage932Lacks() {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QCOMPARE(fitsCodePage932(text), fits);
    }

    // Results shown too, with and without over-clock hints.
    void windowTextsFitCodePage932_data() {
        QTest::addColumn<QString>("fsb");
        QTest::newRow("no hint") << "100";
        QTest::newRow("caution") << "117";
        QTest::newRow("danger") << "133.333";
    }
    void windowTextsFitCodePage932() {
        QFETCH(QString, fsb);
        WindowHarness harness;
        harness.typeInto(1, fsb);
        WindowHarness::click(harness.calculateButton());
        const QStringList texts = visibleTexts(harness.window());
        QVERIFY(texts.size() > 40);
        for (const QString& text : texts) {
            QVERIFY2(fitsCodePage932(text), qPrintable(text));
        }
    }

    void failureMessagesFitCodePage932_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("failedText");
        QTest::newRow("type mismatch") << 13 << u"abc"_qs;
        QTest::newRow("overflow of a typed value") << 6 << u"1e39"_qs;
        QTest::newRow("overflow of the result") << 6 << QString();
        QTest::newRow("division by zero") << 11 << QString();
        QTest::newRow("empty") << 13 << u""_qs;
        QTest::newRow("cut short") << 13 << u"1234567890123456789012345678"_qs;
    }
    void failureMessagesFitCodePage932() {
        QFETCH(int, number);
        QFETCH(QString, failedText);
        ClockPanel panel;
        panel.fsbText = failedText.toStdString();
        const RuntimeError error(static_cast<ErrorNumber>(number),
                                 failedText.isNull() ? std::nullopt
                                                     : std::optional(failedText.toStdString()));
        const FailureDescription failure = describeFailure(
            error, panel, bindingFor(WindowEvent::CalculateClicked).converts, Language::Japanese);
        const QString message = QString::fromStdString(failure.message);
        QVERIFY2(fitsCodePage932(message), qPrintable(message));
    }

    // A result too long for its box is marked while its end is out of
    // sight, and its whole text heads its name and its tip.
    void cutResultIsMarked() {
        WindowHarness harness;
        harness.typeInto(0, u"1.5E+29"_qs);
        WindowHarness::click(harness.calculateButton());
        auto* cpu = qobject_cast<ResultBox*>(harness.result(0));
        QVERIFY(cpu != nullptr);
        QCOMPARE(cpu->text(), u"1.047632E+30"_qs);
        QVERIFY(cpu->hidesTextOnRight());
        QCOMPARE(cpu->accessibleName(), u"1.047632E+30 MHz CPUクロック"_qs);
        QVERIFY(cpu->toolTip().startsWith(u"1.047632E+30 MHz"_qs));
        // Scrolled to its end, nothing more lies to the right. A line edit
        // scrolls when it paints.
        cpu->setFocus();
        cpu->end(false);
        cpu->grab();
        QVERIFY(!cpu->hidesTextOnRight());
        cpu->home(false);
        cpu->grab();
        QVERIFY(cpu->hidesTextOnRight());

        harness.typeInto(0, u"15"_qs);
        WindowHarness::click(harness.calculateButton());
        QVERIFY(!cpu->hidesTextOnRight());
        QCOMPARE(cpu->accessibleName(), u"CPUクロック"_qs);
    }

    // Qt's own texts that the user meets are Japanese.
    void qtTextsAreJapanese() {
        WindowHarness harness;
        const std::unique_ptr<QMenu> menu(harness.result(0)->createStandardContextMenu());
        QStringList entries;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                entries << action->text().section(u'\t', 0, 0); // drop the shortcut
            }
        }
        QVERIFY2(entries.contains(u"コピー(&C)"_qs), qPrintable(entries.join(u'|')));
        QVERIFY2(entries.contains(u"すべてを選択"_qs), qPrintable(entries.join(u'|')));
        const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), u"キャンセル"_qs);
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::TextTest)
#include "text_test.moc"
