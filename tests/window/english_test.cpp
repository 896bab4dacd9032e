#include <form/control_table.h>
#include <runtime/catalogue.h>
#include <window/preset_combo_box.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>

#include "window_harness.h"

namespace quenvale {

namespace {

int pixels(int twips, double dpi) {
    return qRound(twips * dpi / 1440.0);
}

} // namespace

// The English window in the Japanese window's layout: same places, same
// fonts, so each English caption has to fit the room drawn for the Japanese.
class EnglishTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void everyCaptionFitsItsControl() {
        WindowHarness harness(Language::English);
        MainWindow& window = harness.window();
        for (const ControlRow& row : kControls) {
            auto* control = window.findChild<QWidget*>(
                QString::fromUtf8(row.objectName.data(), qsizetype(row.objectName.size())));
            QVERIFY(control != nullptr);
            const int width = pixels(row.width, control->logicalDpiX());
            QString text;
            int room = width;
            if (auto* label = qobject_cast<QLabel*>(control)) {
                text = label->text();
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                text = button->text();
                room -= 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
            } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
                text = frame->title();
                // The legend must leave as much of the frame's line on its
                // right as the style sets it in from the left.
                QStyleOptionGroupBox option;
                option.initFrom(frame);
                option.text = text;
                option.subControls = QStyle::SC_GroupBoxLabel;
                const QRect legend = frame->style()->subControlRect(
                    QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
                room -= 2 * legend.left() +
                        (legend.width() - frame->fontMetrics().horizontalAdvance(text));
            } else {
                continue;
            }
            QVERIFY2(!text.isEmpty(), row.objectName.data());
            if (translated(Language::English, row.caption) == row.caption) {
                // The same in both languages ("MHz"): laid out as in Japanese.
                continue;
            }
            const int needed = control->fontMetrics().horizontalAdvance(text);
            QVERIFY2(needed <= room, qPrintable(QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                                                    .arg(control->objectName(), text)
                                                    .arg(needed)
                                                    .arg(room)));
            // No Japanese is left: every caption went through the catalogue.
            for (const QChar c : text) {
                QVERIFY2(c.unicode() < 0x3000, qPrintable(text));
            }
        }
        QCOMPARE(harness.calculateButton()->accessibleName(), QStringLiteral("Calculate"));
        QCOMPARE(harness.input(0)->accessibleName(), QStringLiteral("Reference clock"));
        QCOMPARE(harness.input(1)->toolTip(), QStringLiteral("FSB set on the motherboard"));
    }

    void failureIsToldInEnglish() {
        WindowHarness harness(Language::English);
        harness.typeInto(0, QStringLiteral("abc"));
        WindowHarness::click(harness.calculateButton());
        QCOMPARE(harness.failures(),
                 QStringList{QStringLiteral("The reference clock value \"abc\" is not a number.\n"
                                            "Run-time error 13: Type mismatch.")});
    }

    // The word beside a hinted result is English, and whole on its line.
    void hintMarksAreInEnglish() {
        WindowHarness harness(Language::English);
        harness.typeInto(1, QStringLiteral("133.333"));
        WindowHarness::click(harness.calculateButton());
        auto* mark = harness.window().findChild<QLabel*>(QStringLiteral("HintMark(1)"));
        QCOMPARE(mark->text(), QStringLiteral("Danger"));
        QVERIFY(mark->width() >= mark->sizeHint().width());
        harness.typeInto(1, QStringLiteral("117"));
        WindowHarness::click(harness.calculateButton());
        QCOMPARE(mark->text(), QStringLiteral("Caution"));
        QVERIFY(mark->width() >= mark->sizeHint().width());
    }

    void resultToolTipIsInEnglish() {
        WindowHarness harness(Language::English);
        harness.typeInto(1, QStringLiteral("133"));
        WindowHarness::click(harness.calculateButton());
        QVERIFY(toolTipSays(*harness.result(0),
                            QStringLiteral("USB 48 MHz: Within tolerance (±0.25%). Super I/O 24 "
                                           "MHz: Serial ports and the floppy run at their "
                                           "nominal rates. Clock kept by timer ticks: Keeps "
                                           "time.")));
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::EnglishTest)
#include "english_test.moc"
