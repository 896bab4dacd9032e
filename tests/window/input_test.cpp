#include <calculator/dividers.h>
#include <window/preset_combo_box.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

#include "window_harness.h"

namespace quenvale {

namespace {

constexpr int kReference = 0;
constexpr int kFsb = 1;

// The PCI options as "enabled/selected" flags, e.g. "-- ++ +-" for 1/3.
QString pciState(const WindowHarness& harness) {
    QStringList state;
    for (int i = 0; i < static_cast<int>(kPciDividers.size()); ++i) {
        QRadioButton* option = harness.pci(i);
        state << QString(option->isEnabled() ? u'+' : u'-') +
                     QString(option->isChecked() ? u'+' : u'-');
    }
    return state.join(u' ');
}

int checkedAgp(const WindowHarness& harness) {
    for (int i = 0; i < static_cast<int>(kAgpDividers.size()); ++i) {
        if (harness.agp(i)->isChecked()) {
            return i;
        }
    }
    return -1;
}

} // namespace

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void typedTextIsNeitherCompletedNorListed() {
        WindowHarness harness;
        harness.typeInto(kFsb, QStringLiteral("1"));
        QCOMPARE(harness.input(kFsb)->currentText(), QStringLiteral("1"));
        QCOMPARE(harness.panel().fsbText, "1");
        harness.typeInto(kFsb, QStringLiteral("101.5"));
        WindowHarness::press(Qt::Key_Return);
        QCOMPARE(harness.input(kFsb)->count(), 21);
        QCOMPARE(harness.input(kFsb)->currentText(), QStringLiteral("101.5"));
        QCOMPARE(harness.panel().fsbList.size(), std::size_t{21});
    }

    // Typing a value of another band, even one from the list, and leaving
    // the box runs no divider rule; it only arms the calculation.
    void typingRunsNoDividerRule_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("leaveWith");
        QTest::newRow("listed low FSB, Tab") << "90" << int(Qt::Key_Tab);
        QTest::newRow("listed high FSB, Tab") << "150" << int(Qt::Key_Tab);
        QTest::newRow("listed low FSB, Enter") << "66.666" << int(Qt::Key_Return);
        QTest::newRow("unlisted FSB, Tab") << "101.5" << int(Qt::Key_Tab);
        QTest::newRow("listed high FSB, Backtab") << "160" << int(Qt::Key_Backtab);
    }
    void typingRunsNoDividerRule() {
        QFETCH(QString, typed);
        QFETCH(int, leaveWith);
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        QVERIFY(!harness.calculateButton()->isEnabled());

        harness.typeInto(kFsb, typed);
        QVERIFY(harness.calculateButton()->isEnabled());
        if (leaveWith == Qt::Key_Return) {
            WindowHarness::press(Qt::Key_Return); // runs the calculation instead
            QVERIFY(!harness.calculateButton()->isEnabled());
        } else {
            WindowHarness::press(Qt::Key(leaveWith));
            QVERIFY(WindowHarness::focusName() != QStringLiteral("Combo1(1)"));
            QVERIFY(harness.calculateButton()->isEnabled());
        }
        QCOMPARE(pciState(harness), QStringLiteral("-- ++ +-"));
        QCOMPARE(checkedAgp(harness), 1);
        QCOMPARE(harness.input(kFsb)->currentText(), typed);
        QVERIFY(harness.failures().empty());
    }

    void pastingDeletingAndUndoingAreEdits() {
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        QApplication::clipboard()->setText(QStringLiteral("138"));
        harness.input(kFsb)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(harness.input(kFsb), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(harness.input(kFsb), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(harness.panel().fsbText, "138");
        QVERIFY(harness.calculateButton()->isEnabled());
        QCOMPARE(pciState(harness), QStringLiteral("-- ++ +-")); // no rule ran

        WindowHarness::click(harness.calculateButton());
        QTest::keyClick(harness.input(kFsb), Qt::Key_End);
        QTest::keyClick(harness.input(kFsb), Qt::Key_Backspace);
        QCOMPARE(harness.panel().fsbText, "13");
        QVERIFY(harness.calculateButton()->isEnabled());

        WindowHarness::click(harness.calculateButton());
        QTest::keyClick(harness.input(kFsb), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(harness.input(kFsb)->currentText(), QStringLiteral("138"));
        QCOMPARE(harness.panel().fsbText, "138");
        QVERIFY(harness.calculateButton()->isEnabled());
    }

    // A pick in each band, by the arrow keys on the closed box and from the
    // opened list; the FSB box starts at "100", item 5 of its list.
    void pickRunsTheDividerRules_data() {
        QTest::addColumn<bool>("fromPopup");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("fsb");
        QTest::addColumn<QString>("pci");
        QTest::addColumn<int>("agp");
        QTest::newRow("below 100, arrow key") << false << 4 << "90"
                                              << "++ -- --" << 1;
        QTest::newRow("below 100, list") << true << 0 << "66.666"
                                         << "++ -- --" << 1;
        QTest::newRow("100, list") << true << 5 << "100"
                                   << "-- ++ +-" << 1;
        QTest::newRow("just above 100, arrow key") << false << 6 << "103"
                                                   << "-- ++ +-" << 1;
        QTest::newRow("133.333, list") << true << 13 << "133.333"
                                       << "-- ++ +-" << 1;
        QTest::newRow("above 134, list") << true << 14 << "138"
                                         << "-- -- ++" << 2;
        QTest::newRow("top of the list") << true << 20 << "160"
                                         << "-- -- ++" << 2;
    }
    void pickRunsTheDividerRules() {
        QFETCH(bool, fromPopup);
        QFETCH(int, item);
        QFETCH(QString, fsb);
        QFETCH(QString, pci);
        QFETCH(int, agp);
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        if (fromPopup) {
            harness.pickFromPopup(kFsb, item);
        } else {
            harness.input(kFsb)->setFocus(Qt::TabFocusReason);
            WindowHarness::press(item < 5 ? Qt::Key_Up : Qt::Key_Down);
        }
        QCOMPARE(harness.input(kFsb)->currentText(), fsb);
        QCOMPARE(QString::fromStdString(harness.panel().fsbText), fsb);
        QCOMPARE(pciState(harness), pci);
        QCOMPARE(checkedAgp(harness), agp);
        QVERIFY(harness.calculateButton()->isEnabled());
        QVERIFY(harness.failures().empty());
    }

    // Picking the item already shown is a pick too: the rules run again.
    void repickingTheSameItemRunsTheRulesAgain() {
        WindowHarness harness;
        harness.pickFromPopup(kFsb, 14); // 138: PCI 1/4, AGP 1/2
        WindowHarness::click(harness.agp(0));
        QCOMPARE(checkedAgp(harness), 0);
        WindowHarness::click(harness.calculateButton());
        harness.pickFromPopup(kFsb, 14);
        QCOMPARE(checkedAgp(harness), 2);
        QVERIFY(harness.calculateButton()->isEnabled());
    }

    // A turn of the mouse wheel over a box, focused or not, is no pick.
    void mouseWheelPicksNothing() {
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        const ClockPanel before = harness.panel();
        for (const bool focused : {false, true}) {
            QComboBox* fsb = harness.input(kFsb);
            if (focused) {
                fsb->setFocus(Qt::OtherFocusReason);
            }
            const QPointF centre(fsb->width() / 2.0, fsb->height() / 2.0);
            for (const int delta : {-120, 120}) {
                QWheelEvent wheel(centre, fsb->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(fsb, &wheel);
            }
            QCOMPARE(harness.panel(), before);
            QCOMPARE(fsb->currentText(), QStringLiteral("100"));
            QVERIFY(!harness.calculateButton()->isEnabled());
        }
    }

    // A pick in the reference list reads the FSB box as it stands, typed
    // text included.
    void referencePickAppliesTheRulesToTheTypedFsb() {
        WindowHarness harness;
        harness.typeInto(kFsb, QStringLiteral("90"));
        QCOMPARE(pciState(harness), QStringLiteral("-- ++ +-"));
        harness.pickFromPopup(kReference, 4);
        QCOMPARE(harness.input(kReference)->currentText(), QStringLiteral("15.000"));
        QCOMPARE(pciState(harness), QStringLiteral("++ -- --"));
    }

    void optionsArmTheCalculation() {
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        WindowHarness::click(harness.pci(2));
        QCOMPARE(harness.panel().pci.selection(), DividerChoice{2});
        QVERIFY(harness.calculateButton()->isEnabled());

        WindowHarness::click(harness.calculateButton());
        QCOMPARE(harness.shownResults(), QStringList({"100", "25", "66.66667"}));
        // The arrow keys move the selection within the frame.
        harness.agp(1)->setFocus(Qt::TabFocusReason);
        WindowHarness::press(Qt::Key_Down);
        QCOMPARE(harness.panel().agp.selection(), DividerChoice{2});
        QVERIFY(harness.agp(2)->hasFocus());
        QVERIFY(harness.calculateButton()->isEnabled());
    }

    void disabledOptionCannotBeChosen() {
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        const ClockPanel before = harness.panel();
        QVERIFY(!harness.pci(0)->isEnabled());
        WindowHarness::click(harness.pci(0));
        QCOMPARE(harness.panel(), before);
        QVERIFY(harness.pci(1)->isChecked());
        // The arrow keys pass over it, too.
        harness.pci(1)->setFocus(Qt::TabFocusReason);
        WindowHarness::press(Qt::Key_Up);
        QCOMPARE(harness.panel().pci.selection(), DividerChoice{1});
        QVERIFY(harness.pci(0)->isVisible());
        QCOMPARE(harness.pci(0)->geometry(), QRect(16, 24, 41, 17));
    }

    // Enter runs 計算実行 from every field while it is enabled.
    void enterCalculates_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("reference box") << "Combo1(0)";
        QTest::newRow("FSB box") << "Combo1(1)";
        QTest::newRow("PCI option") << "Option1(1)";
        QTest::newRow("AGP option") << "Option2(1)";
        QTest::newRow("calculate button") << "Command1";
        QTest::newRow("result box") << "Text1(1)";
    }
    void enterCalculates() {
        QFETCH(QString, focus);
        WindowHarness harness;
        harness.window().findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
        WindowHarness::press(Qt::Key_Return);
        QCOMPARE(harness.shownResults(), QStringList({"100", "33.33334", "66.66667"}));
        QVERIFY(!harness.calculateButton()->isEnabled());
        QVERIFY(harness.window().isVisible());
    }

    void keypadEnterCalculatesToo() {
        WindowHarness harness;
        harness.input(kFsb)->setFocus(Qt::TabFocusReason);
        WindowHarness::press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(harness.shownResults(), QStringList({"100", "33.33334", "66.66667"}));
    }

    void enterDoesNothingOnceCalculated() {
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        const ClockPanel before = harness.panel();
        harness.input(kFsb)->setFocus(Qt::TabFocusReason);
        WindowHarness::press(Qt::Key_Return);
        QCOMPARE(harness.panel(), before);
        QCOMPARE(harness.input(kFsb)->count(), 21);
        QVERIFY(harness.failures().empty());
    }

    void enterOnTheExitButtonExits() {
        WindowHarness harness;
        harness.exitButton()->setFocus(Qt::TabFocusReason);
        WindowHarness::press(Qt::Key_Return);
        QVERIFY(harness.panel().exitRequested);
        QVERIFY(!harness.window().isVisible());
        QCOMPARE(harness.shownResults(), QStringList({"", "", ""}));
    }

    void resultsAreReadOnlyButCopyable() {
        WindowHarness harness;
        WindowHarness::click(harness.calculateButton());
        QLineEdit* cpu = harness.result(0);
        cpu->setFocus(Qt::TabFocusReason);
        QVERIFY(cpu->hasFocus());
        QTest::keyClicks(cpu, QStringLiteral("9"));
        QTest::keyClick(cpu, Qt::Key_Backspace);
        QCOMPARE(cpu->text(), QStringLiteral("100"));
        QTest::keyClick(cpu, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(cpu->selectedText(), QStringLiteral("100"));
        QTest::keyClick(cpu, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("100"));
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::InputTest)
#include "input_test.moc"
