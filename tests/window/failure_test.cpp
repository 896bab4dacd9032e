#include <window/preset_combo_box.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "window_harness.h"

namespace quenvale {

// How the user runs the calculation.
enum class Then { Calculate, PressEnter };

} // namespace quenvale

Q_DECLARE_METATYPE(quenvale::Then)

namespace quenvale {

namespace {

constexpr int kReference = 0;
constexpr int kFsb = 1;

} // namespace

class FailureTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    // A bad text typed by the user, then an action that reads it: the
    // action writes nothing, the user is told which box and why, and the
    // program goes on with the focus in that box, its text selected.
    void badInputIsReportedAndWritesNothing_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("fsb");
        QTest::addColumn<Then>("then");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("FSB not a number")
            << "14.318"
            << "abc" << Then::Calculate
            << u"FSBの値「abc」は数値ではありません。\n実行時エラー 13: 型が一致しません。"_qs
            << "Combo1(1)";
        QTest::newRow("reference not a number")
            << "15,000"
            << "100" << Then::Calculate
            << u"PLL-IC REF クロックの値「15,000」は数値ではありません。小数点は「.」です。\n"
               u"実行時エラー 13: 型が一致しません。"_qs
            << "Combo1(0)";
        QTest::newRow("both bad: the reference is read first")
            << "x"
            << "x" << Then::Calculate
            << u"PLL-IC REF クロックの値「x」は数値ではありません。\n"
               u"実行時エラー 13: 型が一致しません。"_qs
            << "Combo1(0)";
        QTest::newRow("FSB too large")
            << "14.318"
            << "1e39" << Then::PressEnter
            << u"FSBの値「1e39」は大きすぎます。\n実行時エラー 6: オーバーフローしました。"_qs
            << "Combo1(1)";
        QTest::newRow("result too large")
            << "3e38"
            << "3e38" << Then::Calculate
            << u"計算結果が大きすぎます。\n実行時エラー 6: オーバーフローしました。"_qs
            << "Combo1(1)";
        QTest::newRow("FSB left empty")
            << "14.318"
            << "" << Then::Calculate
            << u"FSBの値が入力されていません。\n実行時エラー 13: 型が一致しません。"_qs
            << "Combo1(1)";
        QTest::newRow("markup is quoted as typed")
            << "<b>15</b>"
            << "100" << Then::PressEnter
            << u"PLL-IC REF クロックの値「<b>15</b>」は数値ではありません。\n"
               u"実行時エラー 13: 型が一致しません。"_qs
            << "Combo1(0)";
        QTest::newRow("long text is cut short")
            << "14.318"
            << "1234567890abcdefghij1234567890" << Then::Calculate
            << u"FSBの値「1234567890abcdefghij1234…」は数値ではありません。\n"
               u"実行時エラー 13: 型が一致しません。"_qs
            << "Combo1(1)";
    }
    void badInputIsReportedAndWritesNothing() {
        QFETCH(QString, reference);
        QFETCH(QString, fsb);
        QFETCH(Then, then);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        WindowHarness harness;
        // Results from an earlier calculation must survive the failure.
        WindowHarness::click(harness.pci(2));
        WindowHarness::click(harness.calculateButton());
        const QStringList earlier = harness.shownResults();
        QCOMPARE(earlier, QStringList({"100", "25", "66.66667"}));

        harness.typeInto(kReference, reference);
        harness.typeInto(kFsb, fsb);
        const ClockPanel before = harness.panel();
        if (then == Then::PressEnter) {
            WindowHarness::press(Qt::Key_Return);
        } else {
            WindowHarness::click(harness.calculateButton());
        }

        QCOMPARE(harness.failures().size(), 1);
        QCOMPARE(harness.failures().front(), message);
        QCOMPARE(harness.panel(), before);
        QCOMPARE(harness.shownResults(), earlier);
        QVERIFY(harness.calculateButton()->isEnabled());
        QVERIFY(harness.pci(2)->isChecked());
        QVERIFY(harness.window().isVisible());
        QCOMPARE(WindowHarness::focusName(), focus);
        auto* box = harness.window().findChild<PresetComboBox*>(focus);
        QCOMPARE(box->lineEdit()->selectedText(), box->currentText());

        // The user corrects the text and goes on.
        harness.typeInto(kReference, QStringLiteral("15.000"));
        harness.typeInto(kFsb, QStringLiteral("100"));
        WindowHarness::press(Qt::Key_Return);
        QCOMPARE(harness.shownResults(), QStringList({"104.7632", "26.19081", "69.84216"}));
        QCOMPARE(harness.failures().size(), 1);
    }

    // The FSB box is read at every pick, also one from the reference list:
    // the picked text stays, the options do not change.
    void pickWithBadFsbChangesNoOption() {
        WindowHarness harness;
        harness.typeInto(kFsb, QStringLiteral("９０ＭＨｚ"));
        WindowHarness::click(harness.calculateButton());
        QCOMPARE(harness.failures().size(), 1);
        const OptionGroup pci = harness.panel().pci;
        const OptionGroup agp = harness.panel().agp;

        harness.pickFromPopup(kReference, 18);
        QCOMPARE(harness.failures().size(), 2);
        QCOMPARE(
            harness.failures().back(),
            u"FSBの値「９０ＭＨｚ」は数値ではありません。\n実行時エラー 13: 型が一致しません。"_qs);
        QCOMPARE(harness.input(kReference)->currentText(), QStringLiteral("24.000"));
        QCOMPARE(harness.panel().referenceText, "24.000");
        QCOMPARE(harness.panel().pci, pci);
        QCOMPARE(harness.panel().agp, agp);
        QVERIFY(!harness.pci(0)->isEnabled());
        QVERIFY(harness.pci(1)->isChecked());
        QCOMPARE(WindowHarness::focusName(), QStringLiteral("Combo1(1)"));
    }

    // Without a reporter of its own the window shows a modal warning box,
    // which must quote the typed text literally.
    void warningBoxShowsThePlainMessage() {
        setUpTestApplication();
        MainWindow window(Language::Japanese);
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* fsb = window.findChild<PresetComboBox*>(QStringLiteral("Combo1(1)"));
        fsb->setFocus(Qt::TabFocusReason);
        QTest::keyClick(fsb, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(fsb, QStringLiteral("<i>abc"));

        QString title;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                // Whatever else is modal must not keep the test waiting.
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    modal->close();
                }
                return;
            }
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            box->accept();
        });
        QTest::keyClick(fsb, Qt::Key_Return);
        QCOMPARE(title, QStringLiteral("Quenvale"));
        QCOMPARE(format, Qt::PlainText);
        QVERIFY(text.startsWith(u"FSBの値「<i>abc」は数値ではありません。"_qs));
        QVERIFY(window.isVisible());
        QCOMPARE(window.focusWidget(), fsb);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), fsb);
        QCOMPARE(fsb->lineEdit()->selectedText(), QStringLiteral("<i>abc"));
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::FailureTest)
#include "failure_test.moc"
