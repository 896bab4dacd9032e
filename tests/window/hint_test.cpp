#include <calculator/clock_hints.h>
#include <window/preset_combo_box.h>

#include <QAccessible>
#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include "window_harness.h"

Q_DECLARE_METATYPE(quenvale::ClockHint)

namespace quenvale {

namespace {

constexpr int kReference = 0;
constexpr int kFsb = 1;
constexpr int kCpuBox = 0;
constexpr int kPciBox = 1;
constexpr int kAgpBox = 2;

// The hint a colour stands for, by its hue; Ok for the greys of an unhinted
// text, its anti-aliasing and the box's frame.
ClockHint hintOfColour(const QColor& colour) {
    if (colour.hsvSaturationF() < 0.5 || colour.valueF() < 0.3) {
        return ClockHint::Ok;
    }
    const int hue = colour.hsvHue();
    if (hue >= 20 && hue <= 50) {
        return ClockHint::Caution;
    }
    if (hue <= 10 || hue >= 350) {
        return ClockHint::Danger;
    }
    return ClockHint::Ok;
}

// How many pixels of the painted box show a hint's colour.
int paintedPixels(QLineEdit* box, ClockHint hint) {
    const QImage image = box->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += hintOfColour(image.pixelColor(x, y)) == hint ? 1 : 0;
        }
    }
    return count;
}

QString accessibleDescription(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Description);
}

QString toolTipShownOver(QLineEdit* box) {
    QHelpEvent help(QEvent::ToolTip, box->rect().center(), box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(box, &help);
    QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return shown;
}

// The result box tells of the hint in colour, by a word beside it, in its
// tool tip and to a screen reader; an Ok result looks and reads like the CPU
// clock's box, which never has a hint.
void verifyHint(const WindowHarness& harness, int boxIndex, ClockHint hint) {
    QLineEdit* box = harness.result(boxIndex);
    QLineEdit* plain = harness.result(kCpuBox);
    auto* mark =
        box->parentWidget()->findChild<QLabel*>(QStringLiteral("HintMark(%1)").arg(boxIndex));
    QVERIFY(mark != nullptr);
    const QString why =
        QString::fromUtf8(boxIndex == kPciBox ? pciHintText(hint, Language::Japanese)
                                              : agpHintText(hint, Language::Japanese));
    const QColor text = box->palette().color(QPalette::Text);
    if (hint == ClockHint::Ok) {
        QCOMPARE(text, plain->palette().color(QPalette::Text));
        QVERIFY(box->toolTip().isEmpty());
        QCOMPARE(accessibleDescription(box), QStringLiteral("MHz"));
        QCOMPARE(toolTipShownOver(box), QString());
        QCOMPARE(paintedPixels(box, ClockHint::Caution), 0);
        QCOMPARE(paintedPixels(box, ClockHint::Danger), 0);
        QVERIFY(!mark->isVisible());
        return;
    }
    QVERIFY(mark->isVisible());
    QCOMPARE(mark->text(), hint == ClockHint::Danger ? u"危険"_qs : u"注意"_qs);
    // Whole, inside the frame, on the label's line, clear of the label.
    const QWidget* label = box->parentWidget()->findChild<QLabel*>(
        boxIndex == kPciBox ? QStringLiteral("Label5") : QStringLiteral("Label6"));
    QVERIFY(mark->width() >= mark->sizeHint().width());
    QVERIFY(mark->parentWidget()->rect().contains(mark->geometry()));
    QCOMPARE(mark->y(), label->y());
    QVERIFY(mark->x() + mark->width() - mark->sizeHint().width() > label->geometry().right());
    QVERIFY(contrast(mark->palette().color(QPalette::WindowText),
                     mark->palette().color(QPalette::Window)) >= 4.5);
    QVERIFY(!why.isEmpty());
    QCOMPARE(unwrapped(box->toolTip()), unwrapped(why));
    QCOMPARE(toolTipShownOver(box), box->toolTip());
    QCOMPARE(accessibleDescription(box), why);
    QCOMPARE(hintOfColour(text), hint);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor shown = box->palette().color(group, QPalette::Text);
        const QColor background = box->palette().color(group, QPalette::Base);
        QVERIFY2(contrast(shown, background) >= 4.5,
                 qPrintable(QStringLiteral("%1 on %2").arg(shown.name(), background.name())));
    }
    // The text is painted in the colour, not only asked for.
    QVERIFY(paintedPixels(box, hint) > 10);
}

} // namespace

class HintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    // The FSB comes from its list (the band's dividers) or is typed (the
    // dividers stay at 1/3 and 2/3 unless a column says otherwise).
    void resultsShowTheirHints_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<int>("fsbItem");
        QTest::addColumn<QString>("fsbTyped");
        QTest::addColumn<int>("pciOption");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<ClockHint>("pci");
        QTest::addColumn<ClockHint>("agp");
        QTest::addColumn<bool>("darkDesktop");
        QTest::newRow("133.333 picked: both far too fast")
            << "14.318" << 13 << QString() << -1 << QStringList{"133.333", "44.44433", "88.88866"}
            << ClockHint::Danger << ClockHint::Danger << false;
        QTest::newRow("112 picked: both within 112.5 %")
            << "14.318" << 8 << QString() << -1 << QStringList{"112", "37.33334", "74.66667"}
            << ClockHint::Ok << ClockHint::Ok << false;
        QTest::newRow("117 picked: both a little fast")
            << "14.318" << 9 << QString() << -1 << QStringList{"117", "39", "78"}
            << ClockHint::Caution << ClockHint::Caution << false;
        QTest::newRow("120 typed, PCI 1/4: AGP between 75 and 83")
            << "14.318" << -1 << "120" << 2 << QStringList{"120", "30", "80"} << ClockHint::Ok
            << ClockHint::Caution << false;
        QTest::newRow("150 picked: exactly 112.5 % is fine")
            << "14.318" << 18 << QString() << -1 << QStringList{"150", "37.5", "75"}
            << ClockHint::Ok << ClockHint::Ok << false;
        QTest::newRow("doubled crystal at a harmless FSB")
            << "28.636" << -1 << "100" << -1 << QStringList{"200", "66.66667", "133.3333"}
            << ClockHint::Danger << ClockHint::Danger << false;
        QTest::newRow("133.333 picked, the desktop turned dark")
            << "14.318" << 13 << QString() << -1 << QStringList{"133.333", "44.44433", "88.88866"}
            << ClockHint::Danger << ClockHint::Danger << true;
        QTest::newRow("117 picked, the desktop turned dark")
            << "14.318" << 9 << QString() << -1 << QStringList{"117", "39", "78"}
            << ClockHint::Caution << ClockHint::Caution << true;
    }
    void resultsShowTheirHints() {
        QFETCH(QString, reference);
        QFETCH(int, fsbItem);
        QFETCH(QString, fsbTyped);
        QFETCH(int, pciOption);
        QFETCH(QStringList, results);
        QFETCH(ClockHint, pci);
        QFETCH(ClockHint, agp);
        QFETCH(bool, darkDesktop);
        WindowHarness harness;
        harness.typeInto(kReference, reference);
        if (fsbItem >= 0) {
            harness.pickFromPopup(kFsb, fsbItem);
        } else {
            harness.typeInto(kFsb, fsbTyped);
        }
        if (pciOption >= 0) {
            WindowHarness::click(harness.pci(pciOption));
        }
        WindowHarness::click(harness.calculateButton());
        QVERIFY(harness.failures().empty());
        // A desktop may change its scheme while the window is open.
        if (darkDesktop) {
            harness.window().setPalette(darkPalette());
        }
        // The texts are as ever; the hint is beside them.
        QCOMPARE(harness.shownResults(), results);
        verifyHint(harness, kPciBox, pci);
        verifyHint(harness, kAgpBox, agp);
        // The CPU clock has no hint; its tip tells what the crystal does to USB.
        QVERIFY(unwrapped(harness.result(kCpuBox)->toolTip()).startsWith(QStringLiteral("USB")));
        QCOMPARE(paintedPixels(harness.result(kCpuBox), ClockHint::Caution), 0);
        QCOMPARE(paintedPixels(harness.result(kCpuBox), ClockHint::Danger), 0);
    }

    // A hint belongs to the results shown: edits and a failed calculation
    // leave it, the next successful calculation replaces it.
    void hintLastsAsLongAsItsResults() {
        WindowHarness harness;
        harness.pickFromPopup(kFsb, 13); // 133.333
        WindowHarness::click(harness.calculateButton());
        verifyHint(harness, kPciBox, ClockHint::Danger);
        verifyHint(harness, kAgpBox, ClockHint::Danger);

        harness.typeInto(kReference, QStringLiteral("abc"));
        verifyHint(harness, kPciBox, ClockHint::Danger);
        WindowHarness::click(harness.calculateButton());
        QCOMPARE(harness.failures().size(), 1);
        QCOMPARE(harness.shownResults(), QStringList({"133.333", "44.44433", "88.88866"}));
        verifyHint(harness, kPciBox, ClockHint::Danger);
        verifyHint(harness, kAgpBox, ClockHint::Danger);

        harness.typeInto(kReference, QStringLiteral("12.000"));
        WindowHarness::click(harness.calculateButton());
        QCOMPARE(harness.shownResults(), QStringList({"111.7472", "37.24905", "74.49811"}));
        verifyHint(harness, kPciBox, ClockHint::Ok);
        verifyHint(harness, kAgpBox, ClockHint::Ok);

        // The dividers alone bring a hint and take it away again.
        WindowHarness::click(harness.agp(0));
        WindowHarness::click(harness.calculateButton());
        verifyHint(harness, kPciBox, ClockHint::Ok);
        verifyHint(harness, kAgpBox, ClockHint::Danger);
        WindowHarness::click(harness.agp(2));
        WindowHarness::click(harness.calculateButton());
        verifyHint(harness, kAgpBox, ClockHint::Ok);
        QCOMPARE(harness.failures().size(), 1);
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::HintTest)
#include "hint_test.moc"
