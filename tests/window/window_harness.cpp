#include "window_harness.h"

#include <window/application_setup.h>
#include <window/preset_combo_box.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace quenvale {

namespace {

template <typename Control> Control* named(MainWindow& window, const QString& name) {
    auto* control = window.findChild<Control*>(name);
    if (control == nullptr) {
        qFatal("no control named %s", qPrintable(name));
    }
    return control;
}

} // namespace

void setUpTestApplication() {
    static bool done = false;
    if (!done) {
        setUpApplication(*qApp, Language::Japanese);
        done = true;
    }
}

WindowHarness::WindowHarness(Language language) {
    // The style and fonts must be in place before the controls are made.
    setUpTestApplication();
    window_ = std::make_unique<MainWindow>(language);
    window_->setFailureReporter([this](const FailureDescription& failure) {
        failures_ << QString::fromStdString(failure.message);
        lastBlamed_ = failure.box;
    });
    window_->load();
    window_->show();
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get())) {
        qFatal("the window did not become active");
    }
}

WindowHarness::~WindowHarness() = default;

PresetComboBox* WindowHarness::input(int index) const {
    return named<PresetComboBox>(*window_, QStringLiteral("Combo1(%1)").arg(index));
}
QRadioButton* WindowHarness::pci(int index) const {
    return named<QRadioButton>(*window_, QStringLiteral("Option1(%1)").arg(index));
}
QRadioButton* WindowHarness::agp(int index) const {
    return named<QRadioButton>(*window_, QStringLiteral("Option2(%1)").arg(index));
}
QLineEdit* WindowHarness::result(int index) const {
    return named<QLineEdit>(*window_, QStringLiteral("Text1(%1)").arg(index));
}
QPushButton* WindowHarness::calculateButton() const {
    return named<QPushButton>(*window_, QStringLiteral("Command1"));
}
QPushButton* WindowHarness::exitButton() const {
    return named<QPushButton>(*window_, QStringLiteral("Command2"));
}

void WindowHarness::typeInto(int box, const QString& text) {
    PresetComboBox* combo = input(box);
    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (text.isEmpty()) {
        QTest::keyClick(combo, Qt::Key_Delete);
    } else if (ascii) {
        QTest::keyClicks(combo, text);
    } else {
        // Japanese text arrives from the input method as one committed string.
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(combo->lineEdit(), &commit);
    }
}

void WindowHarness::pickFromPopup(int box, int item) {
    PresetComboBox* combo = input(box);
    combo->setFocus(Qt::TabFocusReason);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    if (!QTest::qWaitForWindowExposed(view->window())) {
        qFatal("the list did not open");
    }
    view->setCurrentIndex(combo->model()->index(item, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

void WindowHarness::click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

void WindowHarness::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        qFatal("nothing has the focus");
    }
    QTest::keyClick(focus, key, modifiers);
}

QString WindowHarness::focusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus == nullptr ? QString() : focus->objectName();
}

QString unwrapped(QString text) {
    return text.remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
}

bool toolTipSays(const QLineEdit& box, const QString& why) {
    const QString tip = unwrapped(box.toolTip());
    return tip == unwrapped(why) || tip == unwrapped(box.text() + QStringLiteral("MHz") + why);
}

QPalette darkPalette() {
    // The roles a dark scheme sets, in the colours of a common one.
    const QColor face(0x22, 0x20, 0x20);
    const QColor field(0x3D, 0x3D, 0x3D);
    const QColor text(Qt::white);
    QPalette palette(text, QColor(0x42, 0x42, 0x45), QColor(0x97, 0x97, 0x97),
                     QColor(0x30, 0x2F, 0x2E), QColor(0x4A, 0x49, 0x47), text, text, field, face);
    palette.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8A));
    return palette;
}

double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& colour) {
        const auto channel = [](double c) {
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QStringList WindowHarness::shownResults() const {
    return {result(0)->text(), result(1)->text(), result(2)->text()};
}

} // namespace quenvale
