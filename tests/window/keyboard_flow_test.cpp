#include <window/preset_combo_box.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include "window_harness.h"

namespace quenvale {

namespace {

constexpr int kReference = 0;
constexpr int kFsb = 1;

QString selectedIn(const PresetComboBox* box) {
    return box->lineEdit()->selectedText();
}

// The tool tip window Qt shows, if any.
QWidget* shownToolTip() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

enum class CalculateBy {
    Click,
    SpaceOnButton,
    EnterOnButton,
    EnterInReference,
    EnterInFsb,
    EnterOnButtonAfterReference
};

} // namespace

class KeyboardFlowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void startsReadyToReplaceTheCrystal() {
        WindowHarness harness;
        QCOMPARE(WindowHarness::focusName(), QStringLiteral("Combo1(0)"));
        QCOMPARE(selectedIn(harness.input(kReference)), QStringLiteral("14.318"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("15"));
        WindowHarness::press(Qt::Key_Return);
        QCOMPARE(harness.shownResults(),
                 QStringList({QStringLiteral("104.7632"), QStringLiteral("34.92108"),
                              QStringLiteral("69.84216")}));
    }

    void tabSelectsTheWholeText() {
        WindowHarness harness;
        WindowHarness::press(Qt::Key_Tab);
        QCOMPARE(WindowHarness::focusName(), QStringLiteral("Combo1(1)"));
        QCOMPARE(selectedIn(harness.input(kFsb)), QStringLiteral("100"));
        WindowHarness::press(Qt::Key_Backtab);
        QCOMPARE(WindowHarness::focusName(), QStringLiteral("Combo1(0)"));
        QCOMPARE(selectedIn(harness.input(kReference)), QStringLiteral("14.318"));
    }

    // However 計算実行 is pressed, the focus goes back to the box last used,
    // never on to 終了: Enter, Enter, Space then neither end the program nor
    // change the results.
    void focusReturnsToTheLastBoxAfterCalculating_data() {
        QTest::addColumn<int>("byIndex");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("mouse click") << int(CalculateBy::Click) << "Combo1(1)";
        QTest::newRow("Space on the button") << int(CalculateBy::SpaceOnButton) << "Combo1(1)";
        QTest::newRow("Enter on the button") << int(CalculateBy::EnterOnButton) << "Combo1(1)";
        QTest::newRow("Enter in the reference box")
            << int(CalculateBy::EnterInReference) << "Combo1(1)";
        QTest::newRow("Enter in the FSB box") << int(CalculateBy::EnterInFsb) << "Combo1(1)";
        QTest::newRow("reference edited last, Enter on the button")
            << int(CalculateBy::EnterOnButtonAfterReference) << "Combo1(0)";
    }
    void focusReturnsToTheLastBoxAfterCalculating() {
        QFETCH(int, byIndex);
        const auto by = static_cast<CalculateBy>(byIndex);
        QFETCH(QString, focusAfter);
        WindowHarness harness;
        harness.typeInto(kFsb, QStringLiteral("133.333"));
        switch (by) {
        case CalculateBy::Click:
            WindowHarness::click(harness.calculateButton());
            break;
        case CalculateBy::EnterOnButtonAfterReference:
            harness.typeInto(kReference, QStringLiteral("14.318"));
            [[fallthrough]];
        case CalculateBy::SpaceOnButton:
        case CalculateBy::EnterOnButton:
            harness.calculateButton()->setFocus(Qt::TabFocusReason);
            WindowHarness::press(by == CalculateBy::SpaceOnButton ? Qt::Key_Space : Qt::Key_Return);
            break;
        case CalculateBy::EnterInReference:
        case CalculateBy::EnterInFsb:
            harness.input(by == CalculateBy::EnterInReference ? kReference : kFsb)
                ->setFocus(Qt::MouseFocusReason);
            WindowHarness::press(Qt::Key_Return);
            break;
        }
        const QStringList results = harness.shownResults();
        QCOMPARE(results.first(), QStringLiteral("133.333"));
        QVERIFY(!harness.calculateButton()->isEnabled());
        QCOMPARE(WindowHarness::focusName(), focusAfter);
        const auto* focused = qobject_cast<PresetComboBox*>(QApplication::focusWidget());
        QVERIFY(focused != nullptr);
        QCOMPARE(selectedIn(focused), focused->currentText());

        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Return, Qt::Key_Space}) {
            WindowHarness::press(key);
        }
        QVERIFY(harness.window().isVisible());
        QVERIFY(!harness.panel().exitRequested);
        QCOMPARE(harness.shownResults(), results);
    }

    void tabMovesOnAfterCalculating_data() {
        QTest::addColumn<QString>("from");
        for (const char* name :
             {"Combo1(0)", "Combo1(1)", "Option1(1)", "Option2(1)", "Text1(0)"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void tabMovesOnAfterCalculating() {
        QFETCH(QString, from);
        WindowHarness harness;
        WindowHarness::press(Qt::Key_Return);
        QVERIFY(!harness.calculateButton()->isEnabled());
        harness.window().findChild<QWidget*>(from)->setFocus(Qt::TabFocusReason);
        // Eight stops are left once 計算実行 is disabled; a round of Tab
        // visits each once and comes back.
        QStringList visited;
        for (int i = 0; i < 8; ++i) {
            WindowHarness::press(Qt::Key_Tab);
            visited << WindowHarness::focusName();
        }
        visited.removeDuplicates();
        QCOMPARE(visited.size(), 8);
        QVERIFY(!visited.contains(QStringLiteral("Command1")));
        QVERIFY(!harness.panel().exitRequested);
    }

    // Up and Down go on from the typed text, and each move is a pick that
    // runs the divider rules.
    void arrowKeysFollowTheText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("popupRow");
        QTest::newRow("item, Down") << "150" << int(Qt::Key_Down) << "153" << 18;
        QTest::newRow("item, Up") << "103" << int(Qt::Key_Up) << "100" << 6;
        QTest::newRow("between, Page Down") << "150.5" << int(Qt::Key_PageDown) << "153" << -1;
        QTest::newRow("between, Down") << "101" << int(Qt::Key_Down) << "103" << -1;
        QTest::newRow("between, Up") << "101" << int(Qt::Key_Up) << "100" << -1;
        QTest::newRow("same value, other text") << "100.0" << int(Qt::Key_Down) << "103" << -1;
        QTest::newRow("above the last, Down") << "170" << int(Qt::Key_Down) << "170" << -1;
        QTest::newRow("above the last, Up") << "170" << int(Qt::Key_Up) << "160" << -1;
        QTest::newRow("below the first, Up") << "50" << int(Qt::Key_Up) << "50" << -1;
        QTest::newRow("not a number, Down") << "abc" << int(Qt::Key_Down) << "66.666" << -1;
        QTest::newRow("not a number, Up") << "abc" << int(Qt::Key_Up) << "160" << -1;
    }
    void arrowKeysFollowTheText() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, after);
        QFETCH(int, popupRow);
        WindowHarness harness;
        harness.pickFromPopup(kFsb, 7); // "110": the list remembers a pick
        harness.typeInto(kFsb, typed);

        PresetComboBox* box = harness.input(kFsb);
        box->showPopup();
        QCOMPARE(box->view()->currentIndex().row(), popupRow);
        box->hidePopup();

        WindowHarness::press(static_cast<Qt::Key>(key));
        QCOMPARE(box->currentText(), after);
        QCOMPARE(QString::fromStdString(harness.panel().fsbText), after);
        if (after != typed) {
            // A pick: the band's divider is selected.
            const bool above134 = after.toDouble() > 134;
            const bool below100 = after.toDouble() < 100;
            const int band = below100 ? 0 : (above134 ? 2 : 1);
            QVERIFY(harness.pci(band)->isChecked());
        }
    }

    // A long hint wraps to about 300 px and shows beside its box, on hover
    // and when Tab brings the focus to the box.
    void hintToolTipIsNarrowAndBesideItsBox() {
        WindowHarness harness;
        harness.typeInto(kReference, QStringLiteral("24"));
        harness.typeInto(kFsb, QStringLiteral("160"));
        WindowHarness::press(Qt::Key_Return);
        QLineEdit* pci = harness.result(1);
        QVERIFY(!pci->toolTip().isEmpty());

        harness.result(0)->setFocus(Qt::OtherFocusReason);
        WindowHarness::press(Qt::Key_Tab);
        QCOMPARE(WindowHarness::focusName(), QStringLiteral("Text1(1)"));
        QTRY_VERIFY(shownToolTip() != nullptr);
        QWidget* tip = shownToolTip();
        QVERIFY2(tip->width() <= 300 + 24, qPrintable(QString::number(tip->width())));
        QVERIFY(tip->height() > 2 * tip->fontMetrics().height()); // it did wrap
        const QRect box(pci->mapToGlobal(QPoint(0, 0)), pci->size());
        QVERIFY(!tip->geometry().intersects(box));
        QToolTip::hideText();
    }

    void longResultShowsItsFirstDigitsAndWholeTextInItsToolTip() {
        WindowHarness harness;
        harness.typeInto(kFsb, QStringLiteral("98765432"));
        WindowHarness::press(Qt::Key_Return);
        QLineEdit* cpu = harness.result(0);
        QCOMPARE(cpu->text(), QStringLiteral("9.876543E+07"));
        QCOMPARE(cpu->cursorPosition(), 0);
        QVERIFY(cpu->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < cpu->width() / 4);
        QVERIFY(cpu->toolTip().startsWith(QStringLiteral("9.876543E+07")));
        // A danger hint's reason follows the text.
        QVERIFY(harness.result(1)->toolTip().contains(QStringLiteral(u"危険")));
        QVERIFY(harness.result(1)->toolTip().startsWith(harness.result(1)->text()));
    }

    // Without any display: the answers come before Qt looks for one.
    // The program's own options answer in the language of LANG, or of
    // --lang, before any display is touched.
    void commandLine_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stdoutHas");
        QTest::addColumn<QString>("stderrHas");
        const QString ja = QStringLiteral("ja_JP.UTF-8");
        const QString en = QStringLiteral("en_US.UTF-8");
        QTest::newRow("--help") << ja << QStringList{"--help"} << 0 << u8"使い方:" << "";
        QTest::newRow("-h") << en << QStringList{"-h"} << 0 << "show this help"
                            << "";
        QTest::newRow("--lang en beats LANG")
            << ja << QStringList{"--lang", "en", "--help"} << 0 << "usage:"
            << "";
        QTest::newRow("--version") << ja << QStringList{"--version"} << 0 << "quenvale 1.00\n"
                                   << "";
        QTest::newRow("-V with a Qt option")
            << en << QStringList{"-style", "fusion", "-V"} << 0 << "quenvale 1.00\n"
            << "";
        QTest::newRow("unknown option, ja")
            << ja << QStringList{"--frobnicate"} << 2 << ""
            << u8"quenvale: 不明なオプション「--frobnicate」です。 (quenvale --help "
               u8"で使い方を表示します)\n";
        QTest::newRow("unknown option, en")
            << en << QStringList{"-x"} << 2 << ""
            << "quenvale: Unknown option '-x'. (see quenvale --help)\n";
        QTest::newRow("Qt's option without its value")
            << en << QStringList{"-style"} << 2 << ""
            << "quenvale: Missing value after '-style'. (see quenvale --help)\n";
        QTest::newRow("unknown language")
            << en << QStringList{"--lang", "fr"} << 2 << ""
            << "quenvale: --lang takes ja or en, not 'fr'. (see quenvale --help)\n";
        QTest::newRow("a file") << ja << QStringList{"cases.txt"} << 2 << ""
                                << u8"quenvale はファイルを開きません。";
    }
    void commandLine() {
        QFETCH(QString, lang);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, stdoutHas);
        QFETCH(QString, stderrHas);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE",
                                 "LC_ALL", "LC_MESSAGES"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert(QStringLiteral("LANG"), lang);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUENVALE_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString err = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(out.contains(stdoutHas), qPrintable(out));
        QVERIFY2(err.contains(stderrHas), qPrintable(err));
        QCOMPARE(err.count(QLatin1Char('\n')), status == 0 ? 0 : 1);
        if (status != 0) {
            QVERIFY(out.isEmpty());
        }
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::KeyboardFlowTest)
#include "keyboard_flow_test.moc"
