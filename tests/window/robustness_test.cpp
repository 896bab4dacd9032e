#include <calculator/clock_calculation.h>
#include <calculator/clock_hints.h>
#include <runtime/runtime_error.h>
#include <window/preset_combo_box.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <random>

#include "window_harness.h"

namespace quenvale {

// How the window is closed while the error box is up.
enum class Closing {
    Window,     // the main window alone, as the program itself would
    AllWindows, // every window, as at the end of a session
};

} // namespace quenvale

Q_DECLARE_METATYPE(quenvale::Closing)

namespace quenvale {

namespace {

constexpr int kReference = 0;
constexpr int kFsb = 1;

// Texts a user types: numbers of every band, and texts that fail in
// different ways (not a number, beyond the single range, a result beyond it).
const std::array<QString, 16> kTypedTexts{
    u"14.318"_qs, u"15.000"_qs, u"24"_qs,     u"100"_qs,  u"90"_qs,    u"133.333"_qs,
    u"150"_qs,    u" 117 "_qs,  u"１２０"_qs, u"-66"_qs,  u"1e-50"_qs, u""_qs,
    u"abc"_qs,    u"14,318"_qs, u"1e39"_qs,   u"3e38"_qs,
};

template <typename Int> Int below(std::mt19937& random, Int bound) {
    return std::uniform_int_distribution<Int>(0, bound - 1)(random);
}

// Every control shows the panel: the texts, one selected option per group
// and which options are available, the results with their hints, and
// whether 計算実行 is armed.
void verifyWindowShowsPanel(const WindowHarness& harness) {
    const ClockPanel& panel = harness.panel();
    QCOMPARE(harness.input(kReference)->currentText(), QString::fromStdString(panel.referenceText));
    QCOMPARE(harness.input(kFsb)->currentText(), QString::fromStdString(panel.fsbText));
    for (const auto& [group, option] :
         {std::pair{&panel.pci, &WindowHarness::pci}, std::pair{&panel.agp, &WindowHarness::agp}}) {
        QVERIFY(group->selection().has_value());
        int checked = 0;
        for (int i = 0; i < static_cast<int>(group->size()); ++i) {
            QRadioButton* button = (harness.*option)(i);
            checked += button->isChecked() ? 1 : 0;
            QCOMPARE(button->isChecked(), group->isSelected(static_cast<std::size_t>(i)));
            QCOMPARE(button->isEnabled(), group->isEnabled(static_cast<std::size_t>(i)));
        }
        QCOMPARE(checked, 1);
    }
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(harness.result(i)->text(),
                 QString::fromStdString(panel.results[static_cast<std::size_t>(i)]));
    }
    QVERIFY(toolTipSays(*harness.result(1),
                        QString::fromUtf8(pciHintText(panel.hints[1], Language::Japanese))));
    QVERIFY(toolTipSays(*harness.result(2),
                        QString::fromUtf8(agpHintText(panel.hints[2], Language::Japanese))));
    QCOMPARE(harness.calculateButton()->isEnabled(), panel.calculateEnabled);
}

// Waits in the event loop for the error box, then runs `then` on it.
void whenErrorBoxIsUp(QObject* context, const std::function<void(QMessageBox*)>& then) {
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, then] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            then(box);
        }
    });
    poll->start(10);
}

} // namespace

class RobustnessTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    // The window's own warning box is up when the window is closed: the
    // program ends normally, the box goes with it, and the failed action
    // has written nothing.
    void closingWhileTheErrorBoxIsUp_data() {
        QTest::addColumn<Closing>("closing");
        QTest::newRow("the window") << Closing::Window;
        QTest::newRow("all windows") << Closing::AllWindows;
    }
    void closingWhileTheErrorBoxIsUp() {
        QFETCH(Closing, closing);
        std::optional<MainWindow> window;
        window.emplace(Language::Japanese);
        window->load();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(&*window));
        QTimer::singleShot(0, this, [&] {
            auto* fsb = window->findChild<PresetComboBox*>(QStringLiteral("Combo1(1)"));
            fsb->setFocus(Qt::TabFocusReason);
            QTest::keyClick(fsb, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(fsb, QStringLiteral("abc"));
            WindowHarness::click(window->findChild<QPushButton*>(QStringLiteral("Command1")));
        });
        QString shown;
        QPixmap sign;
        ClockPanel before;
        whenErrorBoxIsUp(this, [&](QMessageBox* box) {
            shown = box->text();
            sign = box->iconPixmap();
            before = window->panel();
            if (closing == Closing::Window) {
                window->close();
            } else {
                QApplication::closeAllWindows();
            }
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        watchdog.stop();

        QVERIFY(shown.startsWith(u"FSBの値「abc」"_qs));
        // The warning sign has a pixel for each of the screen's: sharp at 2x
        // (the test runs scaled), not a small bitmap scaled up.
        const qreal ratio = window->devicePixelRatioF();
        QVERIFY(ratio > 1);
        QCOMPARE(sign.devicePixelRatio(), ratio);
        QCOMPARE(sign.deviceIndependentSize() * ratio, QSizeF(sign.size()));
        QVERIFY(!window->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(window->panel(), before);
        QVERIFY(window->panel().results[0].empty());
        window.reset();
    }

    // Picks, edits, divider clicks and 計算実行 in a seeded random order,
    // each checked against what the panel's logic says it must do.
    void randomGesturesKeepTheWindowConsistent() {
        WindowHarness harness;
        std::mt19937 random(20'261'207);
        int calculated = 0;
        int calculationsFailed = 0;
        int picksFailed = 0;
        int refusedClicks = 0;
        // One gesture and its checks; a failed check leaves it early.
        const auto gesture = [&] {
            const ClockPanel before = harness.panel();
            const qsizetype failures = harness.failures().size();
            ClockPanel expected = before;
            bool fails = false;
            switch (below(random, 4)) {
            case 0: {
                const int box = below(random, 2);
                // Typing over a text with the same text need not change it.
                QString text;
                do {
                    text = kTypedTexts[below(random, kTypedTexts.size())];
                } while (text == harness.input(box)->currentText());
                harness.typeInto(box, text);
                expected.editInput(box == kReference ? InputBox::Reference : InputBox::Fsb,
                                   text.toStdString());
                QVERIFY(harness.calculateButton()->isEnabled());
                break;
            }
            case 1: {
                const int box = below(random, 2);
                const InputBox input = box == kReference ? InputBox::Reference : InputBox::Fsb;
                const std::size_t item = below(random, before.list(input).size());
                harness.pickFromPopup(box, static_cast<int>(item));
                try {
                    expected.pickListItem(input, item);
                    QVERIFY(harness.calculateButton()->isEnabled());
                } catch (const RuntimeError&) {
                    // The picked text stays in its box; nothing else changes.
                    fails = true;
                    ++picksFailed;
                }
                break;
            }
            case 2: {
                const DividerGroup group =
                    below(random, 2) == 0 ? DividerGroup::Pci : DividerGroup::Agp;
                const std::size_t option = below(random, dividerTable(group).size());
                const int index = static_cast<int>(option);
                WindowHarness::click(group == DividerGroup::Pci ? harness.pci(index)
                                                                : harness.agp(index));
                if (expected.clickDivider(group, option)) {
                    QVERIFY(harness.calculateButton()->isEnabled());
                } else {
                    ++refusedClicks;
                }
                break;
            }
            default: {
                if (below(random, 2) == 0) {
                    WindowHarness::click(harness.calculateButton());
                } else {
                    harness.input(below(random, 2))->setFocus(Qt::TabFocusReason);
                    WindowHarness::press(Qt::Key_Return);
                }
                if (!before.calculateEnabled) {
                    break; // a disabled 計算実行 does nothing
                }
                try {
                    const ClockResults clocks =
                        computeClocks(before.pci.selection(), before.agp.selection(),
                                      before.referenceText, before.fsbText);
                    expected.calculate();
                    QCOMPARE(harness.shownResults(),
                             QStringList({QString::fromStdString(clocks.texts[CpuClock]),
                                          QString::fromStdString(clocks.texts[PciClock]),
                                          QString::fromStdString(clocks.texts[AgpClock])}));
                    QVERIFY(
                        toolTipSays(*harness.result(PciClock),
                                    QString::fromUtf8(pciHintText(pciHint(clocks.values[PciClock]),
                                                                  Language::Japanese))));
                    QVERIFY(
                        toolTipSays(*harness.result(AgpClock),
                                    QString::fromUtf8(agpHintText(agpHint(clocks.values[AgpClock]),
                                                                  Language::Japanese))));
                    QVERIFY(!harness.calculateButton()->isEnabled());
                    ++calculated;
                } catch (const RuntimeError&) {
                    fails = true;
                    ++calculationsFailed;
                }
                break;
            }
            }
            QVERIFY(harness.panel() == expected);
            QCOMPARE(harness.failures().size(), failures + (fails ? 1 : 0));
            verifyWindowShowsPanel(harness);
        };
        for (int step = 0; step < 1000; ++step) {
            gesture();
            if (QTest::currentTestFailed()) {
                QFAIL(qPrintable(QStringLiteral("at step %1").arg(step)));
            }
        }
        // The sequence reached every kind of outcome.
        QVERIFY(calculated > 20);
        QVERIFY(calculationsFailed > 20);
        QVERIFY(picksFailed > 5);
        QVERIFY(refusedClicks > 5);
        QVERIFY(harness.window().isVisible());
    }

    // The window made, used and ended fifty times over leaves no widget
    // behind; LeakSanitizer checks the rest in the sanitizer build.
    void windowIsMadeAndEndedAgainAndAgain() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const qsizetype widgets = QApplication::allWidgets().size();
        for (int round = 0; round < 50; ++round) {
            {
                WindowHarness harness;
                harness.pickFromPopup(kFsb, 13); // 133.333: hints on both buses
                harness.typeInto(kReference, round % 2 == 0 ? u"１５"_qs : u"x"_qs);
                WindowHarness::press(Qt::Key_Return);
                QCOMPARE(harness.failures().size(), round % 2);
                if (round % 3 == 0) {
                    WindowHarness::click(harness.exitButton());
                    QVERIFY(!harness.window().isVisible());
                }
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(QApplication::allWidgets().size(), widgets);
        }
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::RobustnessTest)
#include "robustness_test.moc"
