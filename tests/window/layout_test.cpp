#include <form/control_table.h>
#include <window/preset_combo_box.h>
#include <window/twips.h>

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <algorithm>

#include "window_harness.h"

namespace quenvale {

namespace {

// What a person reads on the control, whatever its kind.
QString captionOf(QWidget* control) {
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        return combo->currentText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    return {};
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    void twipsToPixels_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("one pixel at 96 dpi") << 15 << 96.0 << 1;
        QTest::newRow("client width at 96 dpi") << 3948 << 96.0 << 263;
        QTest::newRow("client height at 96 dpi") << 4836 << 96.0 << 322;
        QTest::newRow("rounds down below a half") << 7 << 96.0 << 0;
        QTest::newRow("rounds up from a half") << 8 << 96.0 << 1;
        QTest::newRow("an inch at 120 dpi") << 1440 << 120.0 << 120;
        QTest::newRow("client width at 144 dpi") << 3948 << 144.0 << 395;
        QTest::newRow("zero") << 0 << 96.0 << 0;
    }
    void twipsToPixels() {
        QFETCH(int, twips);
        QFETCH(double, dpi);
        QFETCH(int, pixels);
        QCOMPARE(quenvale::twipsToPixels(twips, dpi), pixels);
    }

    // Every control at 96 dpi: container, caption and place, as drawn.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QByteArray>("kind");
        const auto row = [](const char* name, const char* container, const char* caption,
                            QRect geometry, const char* kind) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(container)
                                << QString::fromUtf8(caption) << geometry << QByteArray(kind);
        };
        row("Frame1", "Form1", "入力項目", {8, 8, 241, 89}, "QGroupBox");
        row("Label2", "Frame1", "PLL-IC REF クロック", {8, 24, 121, 25}, "QLabel");
        row("Combo1(0)", "Frame1", "14.318", {128, 16, 73, 20}, "quenvale::PresetComboBox");
        row("Label1(0)", "Frame1", "MHz", {208, 24, 22, 12}, "QLabel");
        row("Label3", "Frame1", "設定するM/BのFSB", {8, 56, 121, 25}, "QLabel");
        row("Combo1(1)", "Frame1", "100", {128, 56, 73, 20}, "quenvale::PresetComboBox");
        row("Label1(1)", "Frame1", "MHz", {208, 64, 22, 12}, "QLabel");
        row("Frame2", "Form1", "FSB：PCI", {8, 104, 81, 97}, "QGroupBox");
        row("Option1(0)", "Frame2", "1/2", {16, 24, 41, 17}, "QRadioButton");
        row("Option1(1)", "Frame2", "1/3", {16, 48, 41, 17}, "QRadioButton");
        row("Option1(2)", "Frame2", "1/4", {16, 72, 41, 17}, "QRadioButton");
        row("Frame3", "Form1", "AGPシフト", {8, 216, 81, 97}, "QGroupBox");
        row("Option2(0)", "Frame3", "1/1", {16, 24, 41, 17}, "QRadioButton");
        row("Option2(1)", "Frame3", "2/3", {16, 48, 41, 17}, "QRadioButton");
        row("Option2(2)", "Frame3", "1/2", {16, 72, 41, 17}, "QRadioButton");
        row("Command1", "Form1", "計算実行", {96, 272, 73, 25}, "QPushButton");
        row("Command2", "Form1", "終了", {184, 272, 73, 25}, "QPushButton");
        row("Frame4", "Form1", "計算結果", {104, 104, 145, 161}, "QGroupBox");
        row("Label4(0)", "Frame4", "CPUクロック", {16, 16, 62, 12}, "QLabel");
        row("Text1(0)", "Frame4", "", {40, 32, 65, 25}, "quenvale::ResultBox");
        row("Label5", "Frame4", "PCIクロック", {16, 64, 57, 12}, "QLabel");
        row("Text1(1)", "Frame4", "", {40, 80, 65, 25}, "quenvale::ResultBox");
        row("Label6", "Frame4", "AGPクロック", {16, 112, 61, 12}, "QLabel");
        row("Text1(2)", "Frame4", "", {40, 128, 65, 25}, "quenvale::ResultBox");
        row("Label1(2)", "Frame4", "MHz", {112, 40, 22, 12}, "QLabel");
        row("Label1(3)", "Frame4", "MHz", {112, 88, 22, 12}, "QLabel");
        row("Label1(4)", "Frame4", "MHz", {112, 136, 22, 12}, "QLabel");
        row("Label7", "Form1", "(C) Quenvale Project", {125, 304, 103, 12}, "QLabel");
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        QFETCH(QByteArray, kind);
        WindowHarness harness;
        QWidget* control = harness.window().findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->metaObject()->className(), kind);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(captionOf(control), caption);
        QVERIFY(control->isVisible());
        if (qobject_cast<QLabel*>(control) != nullptr) {
            // A label keeps its place and height and may only grow to the
            // right, and then just enough to show its whole text.
            QCOMPARE(control->pos(), geometry.topLeft());
            QCOMPARE(control->height(), geometry.height());
            QCOMPARE(control->width(), std::max(geometry.width(), control->sizeHint().width()));
            QVERIFY(control->geometry().right() < control->parentWidget()->width());
        } else {
            QCOMPARE(control->geometry(), geometry);
        }
    }

    void everyControlIsInTheTable() {
        WindowHarness harness;
        const QList<QWidget*> children =
            harness.window().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        int tableControls = 0;
        for (QWidget* child : harness.window().findChildren<QWidget*>()) {
            if (!child->objectName().isEmpty() &&
                std::any_of(kControls.begin(), kControls.end(), [child](const ControlRow& s) {
                    return QString::fromUtf8(s.objectName.data(), qsizetype(s.objectName.size())) ==
                           child->objectName();
                })) {
                ++tableControls;
            }
        }
        QCOMPARE(tableControls, static_cast<int>(kControls.size())); // each row drawn once
        QCOMPARE(children.size(), 7); // four frames, two buttons and the credit line
    }

    void windowIsFixedAndNamed() {
        WindowHarness harness;
        MainWindow& window = harness.window();
        QCOMPARE(window.windowTitle(), QStringLiteral("Quenvale"));
        QCOMPARE(window.size(), QSize(263, 322));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quenvale"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00"));
        // Every size drawn, so that no desktop scales a small one up.
        QList<QSize> sizes = window.windowIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
        QCOMPARE(sizes,
                 QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    }

    void iconsAreSixteenColours() {
        const QDir pictures(QStringLiteral(":/quenvale/icons"));
        for (const QString& name : pictures.entryList(QDir::Files)) {
            const QImage image(pictures.filePath(name));
            QVERIFY2(image.colorCount() > 0 && image.colorCount() <= 16, qPrintable(name));
            QVERIFY(image.hasAlphaChannel()); // drawn on a transparent ground
        }
    }

    // Tab walks the fields in their order; each option frame is one stop.
    void tabOrder() {
        WindowHarness harness;
        harness.input(0)->setFocus(Qt::TabFocusReason);
        const QStringList expected{"Combo1(0)", "Combo1(1)", "Option1(1)", "Option2(1)",
                                   "Command1",  "Command2",  "Text1(0)",   "Text1(1)",
                                   "Text1(2)",  "Combo1(0)"};
        QStringList visited{WindowHarness::focusName()};
        for (qsizetype i = 1; i < expected.size(); ++i) {
            WindowHarness::press(Qt::Key_Tab);
            visited << WindowHarness::focusName();
        }
        QCOMPARE(visited, expected);
        for (qsizetype i = expected.size() - 2; i >= 0; --i) {
            WindowHarness::press(Qt::Key_Backtab);
            QCOMPARE(WindowHarness::focusName(), expected[i]);
        }
    }

    void startsWithFocusInTheReferenceBox() {
        WindowHarness harness;
        QCOMPARE(WindowHarness::focusName(), QStringLiteral("Combo1(0)"));
    }

    void fonts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("points");
        QTest::newRow("reference") << "Combo1(0)" << 10.2;
        QTest::newRow("FSB") << "Combo1(1)" << 10.2;
        QTest::newRow("CPU clock") << "Text1(0)" << 10.2;
        QTest::newRow("PCI clock") << "Text1(1)" << 10.2;
        QTest::newRow("AGP clock") << "Text1(2)" << 10.2;
        QTest::newRow("label") << "Label2" << 9.0;
        QTest::newRow("frame") << "Frame2" << 9.0;
        QTest::newRow("option") << "Option1(1)" << 9.0;
        QTest::newRow("button") << "Command1" << 9.0;
        QTest::newRow("credit") << "Label7" << 9.0;
    }
    void fonts() {
        QFETCH(QString, name);
        QFETCH(double, points);
        WindowHarness harness;
        QWidget* control = harness.window().findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->font().pointSizeF(), points);
        QCOMPARE(control->font().weight(), QFont::Normal);
        // The face really drawn shows kana and kanji, and is a P-gothic.
        const QFontInfo drawn(control->font());
        QVERIFY2(drawn.family() == QStringLiteral("ＭＳ Ｐゴシック") ||
                     drawn.family() == QStringLiteral("MS PGothic") ||
                     drawn.family() == QStringLiteral("IPAPGothic"),
                 qPrintable(drawn.family()));
        const QFontMetrics metrics(control->font());
        for (const QChar c : QStringLiteral(u"クロック計算結果")) {
            QVERIFY(metrics.inFontUcs4(c.unicode()));
        }
    }

    // Every preset and any result of seven significant digits is shown
    // whole, whichever Japanese face stands in for the original.
    void numbersFitTheirBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("texts");
        QStringList references;
        for (std::string_view item : kReferencePresets) {
            references << QString::fromUtf8(item.data(), qsizetype(item.size()));
        }
        QStringList fsbs;
        for (std::string_view item : kFsbPresets) {
            fsbs << QString::fromUtf8(item.data(), qsizetype(item.size()));
        }
        const QStringList results{"104.7632", "268.1939", "134.0969", "33.33334", "888.8888"};
        QTest::newRow("reference") << "Combo1(0)" << references;
        QTest::newRow("FSB") << "Combo1(1)" << fsbs;
        QTest::newRow("CPU clock") << "Text1(0)" << results;
        QTest::newRow("AGP clock") << "Text1(2)" << results;
    }
    void numbersFitTheirBoxes() {
        QFETCH(QString, box);
        QFETCH(QStringList, texts);
        WindowHarness harness;
        QLineEdit* edit = nullptr;
        int frame = 0;
        if (auto* combo = harness.window().findChild<QComboBox*>(box)) {
            edit = combo->lineEdit(); // frameless, inside the combo's frame
        } else {
            edit = harness.window().findChild<QLineEdit*>(box);
            frame = 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
        }
        // What QLineEdit lays text out in: inside its frame and text margins
        // it keeps two pixels either side, and one for the cursor at the end.
        const QMargins margins = edit->textMargins();
        const qreal room = edit->width() - frame - margins.left() - margins.right() - 2 * 2 - 1;
        const QFontMetricsF metrics(edit->font());
        for (const QString& text : texts) {
            QVERIFY2(metrics.horizontalAdvance(text) <= room,
                     qPrintable(QStringLiteral("%1 needs %2 of %3 pixels")
                                    .arg(text)
                                    .arg(metrics.horizontalAdvance(text))
                                    .arg(room)));
        }
    }

    void toolTipsAndCredit() {
        WindowHarness harness;
        QCOMPARE(harness.input(0)->toolTip(), QStringLiteral(u"PLL-ICに与える周波数"));
        QCOMPARE(harness.input(1)->toolTip(), QStringLiteral(u"マザーボードで設定するFSB"));
        auto* credit = harness.window().findChild<QLabel*>(QStringLiteral("Label7"));
        QCOMPARE(credit->palette().color(QPalette::Active, QPalette::WindowText),
                 QColor(0, 0, 255));
        QCOMPARE(credit->palette().color(QPalette::Inactive, QPalette::WindowText),
                 QColor(0, 0, 255));
        // On a dark desktop, a blue that reads on its face.
        harness.window().setPalette(darkPalette());
        QVERIFY(contrast(credit->palette().color(QPalette::WindowText),
                         harness.window().palette().color(QPalette::Window)) >= 4.5);
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("reference") << "Combo1(0)"
                                   << "Label2" << u"PLL-IC REF クロック"_qs;
        QTest::newRow("FSB") << "Combo1(1)"
                             << "Label3" << u"設定するM/BのFSB"_qs;
        QTest::newRow("CPU") << "Text1(0)"
                             << "Label4(0)" << u"CPUクロック"_qs;
        QTest::newRow("PCI") << "Text1(1)"
                             << "Label5" << u"PCIクロック"_qs;
        QTest::newRow("AGP") << "Text1(2)"
                             << "Label6" << u"AGPクロック"_qs;
        QTest::newRow("calculate") << "Command1" << QString() << u"計算実行"_qs;
        QTest::newRow("exit") << "Command2" << QString() << u"終了"_qs;
    }
    void accessibleNames() {
        QFETCH(QString, field);
        QFETCH(QString, label);
        QFETCH(QString, accessibleName);
        WindowHarness harness;
        auto* control = harness.window().findChild<QWidget*>(field);
        QCOMPARE(control->accessibleName(), accessibleName);
        if (!label.isEmpty()) {
            QCOMPARE(harness.window().findChild<QLabel*>(label)->buddy(), control);
        }
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::LayoutTest)
#include "layout_test.moc"
