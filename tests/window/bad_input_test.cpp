#include <window/preset_combo_box.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "window_harness.h"

namespace quenvale {

// How the text gets into the box.
enum class Entry {
    Typed,  // key by key, or as an input method's commit for non-ASCII text
    Pasted, // from the clipboard with Ctrl+V, over the selected old text
};

} // namespace quenvale

Q_DECLARE_METATYPE(quenvale::Entry)

namespace quenvale {

namespace {

constexpr int kReference = 0;
constexpr int kFsb = 1;

// What the boxes hold before the bad text comes, with PCI 1/4 and AGP 1/1
// clicked, and the results they give.
const QStringList kPrepared{"15.000", "90"};
const QStringList kEarlier{"94.28691", "23.57173", "94.28691"};

// The results when the box under test reads 100, and when it reads 0.
const QStringList kReference100{"628.5794", "157.1449", "628.5794"};
const QStringList kFsb100{"104.7632", "26.19081", "104.7632"};
const QStringList kZero{"0", "0", "0"};

// The run-time error number on the message's last line.
int errorNumber(const QString& message) {
    static const QRegularExpression pattern(u"実行時エラー (\\d+):"_qs);
    const QRegularExpressionMatch match = pattern.match(message);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

void paste(PresetComboBox* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void verifyPreparedOptions(const WindowHarness& harness) {
    QCOMPARE(harness.panel().pci.selection(), DividerChoice{2});
    QCOMPARE(harness.panel().agp.selection(), DividerChoice{0});
    QVERIFY(harness.pci(2)->isChecked());
    QVERIFY(harness.agp(0)->isChecked());
    QVERIFY(!harness.pci(0)->isEnabled());
    QVERIFY(harness.pci(1)->isEnabled());
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    // Every text in each box: either the results it gives or the run-time
    // error it is reported with; 0 for no error.
    void catalogue_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<int>("error");
        QTest::addColumn<QStringList>("results");
        const auto both = [](const char* name, const QString& text, Entry entry, int error,
                             const QStringList& referenceResults = {},
                             const QStringList& fsbResults = {}) {
            QTest::addRow("reference, %s", name)
                << kReference << text << entry << error << referenceResults;
            QTest::addRow("FSB, %s", name) << kFsb << text << entry << error << fsbResults;
        };
        constexpr int kTypeMismatch = 13;
        constexpr int kOverflow = 6;
        constexpr int kAccepted = 0;
        constexpr qsizetype kHuge = 100'000;

        both("empty", QString(), Entry::Typed, kTypeMismatch);
        both("blanks only", QStringLiteral("   "), Entry::Typed, kTypeMismatch);
        both("letters", QStringLiteral("abc"), Entry::Typed, kTypeMismatch);
        both("full-width digits", u"１００"_qs, Entry::Typed, kAccepted, kReference100, kFsb100);
        both("thousands separator", QStringLiteral("1,000"), Entry::Typed, kTypeMismatch);
        both("decimal comma", QStringLiteral("14,318"), Entry::Typed, kTypeMismatch);
        both("beyond the single range", QStringLiteral("1e39"), Entry::Typed, kOverflow);
        both("beyond the single range, negative", QStringLiteral("-1e39"), Entry::Typed, kOverflow);
        both("below the single range reads as 0", QStringLiteral("1e-50"), Entry::Typed, kAccepted,
             kZero, kZero);
        both("infinity", QStringLiteral("inf"), Entry::Typed, kTypeMismatch);
        both("not a number", QStringLiteral("nan"), Entry::Typed, kTypeMismatch);
        both("C hexadecimal", QStringLiteral("0x10"), Entry::Typed, kTypeMismatch);
        both("BASIC hexadecimal", QStringLiteral("&H10"), Entry::Typed, kTypeMismatch);
        both("accountant's negative", QStringLiteral("(5)"), Entry::Typed, kTypeMismatch);
        both("trailing minus", QStringLiteral("5-"), Entry::Typed, kTypeMismatch);
        both("emoji", u"😀"_qs, Entry::Typed, kTypeMismatch);
        both("digits and emoji", u"1😀0"_qs, Entry::Typed, kTypeMismatch);
        both("huge paste of digits", QString(kHuge, u'9'), Entry::Pasted, kOverflow);
        both("huge paste of one number", u"100."_qs + QString(kHuge - 4, u'0'), Entry::Pasted,
             kAccepted, kReference100, kFsb100);
        // Wrong only in its last character: the box must not cut it off.
        both("huge paste, bad at the end", u"100."_qs + QString(kHuge - 5, u'0') + u'x',
             Entry::Pasted, kTypeMismatch);
        both("bell", QStringLiteral("1\a00"), Entry::Pasted, kTypeMismatch);
        both("escape", QStringLiteral("\x1b"), Entry::Pasted, kTypeMismatch);
        both("a line copied with its end", QStringLiteral("\t100\r\n"), Entry::Pasted, kAccepted,
             kReference100, kFsb100);
        both("line break inside", QStringLiteral("1\n00"), Entry::Pasted, kTypeMismatch);
        both("NUL after a number", QStringLiteral("100") + QChar(u'\0'), Entry::Pasted,
             kTypeMismatch);
        both("NUL alone", QString(1, QChar(u'\0')), Entry::Pasted, kTypeMismatch);
    }
    void catalogue() {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(Entry, entry);
        QFETCH(int, error);
        QFETCH(QStringList, results);
        WindowHarness harness;
        harness.typeInto(kReference, kPrepared[0]);
        harness.typeInto(kFsb, kPrepared[1]);
        WindowHarness::click(harness.pci(2));
        WindowHarness::click(harness.agp(0));
        WindowHarness::click(harness.calculateButton());
        QCOMPARE(harness.shownResults(), kEarlier);

        if (entry == Entry::Pasted) {
            paste(harness.input(box), text);
        } else {
            harness.typeInto(box, text);
        }
        // The box and the panel hold the whole text as entered.
        QCOMPARE(harness.input(box)->currentText(), text);
        const std::string& held =
            box == kReference ? harness.panel().referenceText : harness.panel().fsbText;
        QCOMPARE(QString::fromStdString(held), text);
        QVERIFY(harness.calculateButton()->isEnabled());

        const ClockPanel before = harness.panel();
        WindowHarness::click(harness.calculateButton());
        if (error == 0) {
            QVERIFY2(harness.failures().empty(), qPrintable(harness.failures().join(u'\n')));
            QCOMPARE(harness.shownResults(), results);
            QVERIFY(!harness.calculateButton()->isEnabled());
        } else {
            QCOMPARE(harness.failures().size(), 1);
            QCOMPARE(errorNumber(harness.failures().front()), error);
            QCOMPARE(harness.lastBlamed(),
                     std::optional(box == kReference ? InputBox::Reference : InputBox::Fsb));
            QCOMPARE(harness.panel(), before);
            QCOMPARE(harness.shownResults(), kEarlier);
            QVERIFY(harness.calculateButton()->isEnabled());
        }
        verifyPreparedOptions(harness);

        if (error != 0 && box == kFsb) {
            // A pick from the other list reads the FSB box too; the dividers
            // of its band are not applied.
            harness.pickFromPopup(kReference, 4); // "15.000", as prepared
            QCOMPARE(harness.failures().size(), 2);
            QCOMPARE(errorNumber(harness.failures().back()), error);
            verifyPreparedOptions(harness);
            QCOMPARE(harness.shownResults(), kEarlier);
        }

        // The window goes on as before.
        const qsizetype failures = harness.failures().size();
        harness.typeInto(kReference, QStringLiteral("14.318"));
        harness.typeInto(kFsb, QStringLiteral("100"));
        WindowHarness::press(Qt::Key_Return);
        QCOMPARE(harness.shownResults(), QStringList({"100", "25", "100"}));
        QVERIFY(!harness.calculateButton()->isEnabled());
        QCOMPARE(harness.failures().size(), failures);
        QVERIFY(harness.window().isVisible());
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::BadInputTest)
#include "bad_input_test.moc"
