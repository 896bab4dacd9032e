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

QStringList WindowHarness::shownResults() const {
    return {result(0)->text(), result(1)->text(), result(2)->text()};
}

} // namespace quenvale
