#include <window/preset_combo_box.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "window_harness.h"

namespace quenvale {

// A user swaps in a 15 MHz crystal on a board set to 100 MHz FSB.
class TypicalUseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void fifteenMegahertzCrystalAtHundredMegahertzFsb() {
        WindowHarness harness;

        // The window opens with the presets and dividers for 100 MHz.
        QCOMPARE(harness.input(0)->currentText(), QStringLiteral("14.318"));
        QCOMPARE(harness.input(1)->currentText(), QStringLiteral("100"));
        QVERIFY(harness.pci(1)->isChecked());
        QVERIFY(harness.agp(1)->isChecked());
        QVERIFY(!harness.pci(0)->isEnabled());
        QVERIFY(harness.calculateButton()->isEnabled());
        QCOMPARE(harness.shownResults(), QStringList({"", "", ""}));

        // Picks 15.000, the item after 14.318, from the reference list.
        harness.input(0)->setFocus(Qt::TabFocusReason);
        WindowHarness::press(Qt::Key_Down);
        QCOMPARE(harness.input(0)->currentText(), QStringLiteral("15.000"));
        QCOMPARE(harness.panel().referenceText, "15.000");
        QVERIFY(harness.pci(1)->isChecked());
        QVERIFY(!harness.pci(0)->isEnabled());
        QVERIFY(harness.pci(2)->isEnabled());
        QVERIFY(harness.agp(1)->isChecked());
        QVERIFY(harness.calculateButton()->isEnabled());

        // Presses 計算実行.
        WindowHarness::click(harness.calculateButton());
        QCOMPARE(harness.shownResults(), QStringList({"104.7632", "34.92108", "69.84216"}));
        QVERIFY(!harness.calculateButton()->isEnabled());
        QVERIFY(harness.failures().empty());
        QVERIFY(harness.window().isVisible());
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::TypicalUseTest)
#include "typical_use_test.moc"
