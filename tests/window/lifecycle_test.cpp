#include <window/application_setup.h>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "window_harness.h"

namespace quenvale {

class LifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpTestApplication(); }

    // 終了 and closing the window both end the event loop, with status 0.
    void endingTheProgram_data() {
        QTest::addColumn<bool>("byExitButton");
        QTest::newRow("終了") << true;
        QTest::newRow("closing the window") << false;
    }
    void endingTheProgram() {
        QFETCH(bool, byExitButton);
        WindowHarness harness;
        harness.typeInto(1, QStringLiteral("138"));
        QVERIFY(harness.calculateButton()->isEnabled());
        QTimer::singleShot(0, this, [&] {
            if (byExitButton) {
                WindowHarness::click(harness.exitButton());
            } else {
                harness.window().close();
            }
        });
        // Fails the test rather than hang if the window stays open.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!harness.window().isVisible());
        QCOMPARE(harness.panel().exitRequested, byExitButton);
        // Nothing was calculated on the way out.
        QCOMPARE(harness.shownResults(), QStringList({"", "", ""}));
        QVERIFY(harness.panel().results[0].empty());
    }

    // The program itself starts, loads and paints its window; what Qt says
    // of its own start is passed on.
    void programShowsItsWindow_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("stderrHas");
        QTest::newRow("as it comes") << QString() << QString();
        QTest::newRow("a style Qt does not have")
            << QStringLiteral("nosuch") << QStringLiteral("invalid style override 'nosuch'");
    }
    void programShowsItsWindow() {
        QFETCH(QString, style);
        QFETCH(QString, stderrHas);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QUENVALE_REPORT_FIRST_FRAME"), QStringLiteral("1"));
        environment.remove(QStringLiteral("QT_STYLE_OVERRIDE"));
        if (!style.isEmpty()) {
            environment.insert(QStringLiteral("QT_STYLE_OVERRIDE"), style);
        }
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUENVALE_PROGRAM), {});
        QVERIFY(program.waitForStarted());
        QVERIFY(program.waitForReadyRead(10000));
        const QByteArray line = program.readLine().trimmed();
        QVERIFY2(line.startsWith("first-frame "), line.constData());
        bool isNumber = false;
        QVERIFY(line.mid(12).toLongLong(&isNumber) > 0);
        QVERIFY(isNumber);
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        program.waitForFinished();
        const QString err = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(err.contains(stderrHas), qPrintable(err));
    }

    // The classic style the layout was drawn for, unless the user chose one.
    void styleChoice_data() {
        QTest::addColumn<QByteArray>("override");
        QTest::addColumn<QString>("style");
        QTest::newRow("none chosen") << QByteArray() << QStringLiteral("windows");
        QTest::newRow("QT_STYLE_OVERRIDE") << QByteArray("fusion") << QStringLiteral("fusion");
    }
    void styleChoice() {
        QFETCH(QByteArray, override);
        QFETCH(QString, style);
        // As Qt starts: the override's style is in place before the program's setup.
        qputenv("QT_STYLE_OVERRIDE", override);
        QApplication::setStyle(QStringLiteral("fusion"));
        setUpApplication(*qApp, Language::English);
        QCOMPARE(QApplication::style()->name(), style);
        qunsetenv("QT_STYLE_OVERRIDE");
        setUpApplication(*qApp, Language::English);
    }

    // Without a display, or with one that no server answers, the program
    // says what to set on one line and fails, rather than abort with Qt's
    // own messages.
    void programWithoutDisplay_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("no DISPLAY") << QString();
        QTest::newRow("DISPLAY no server answers") << QStringLiteral(":97");
    }
    void programWithoutDisplay() {
        QFETCH(QString, display);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE",
                                 "LC_ALL", "LC_MESSAGES", "XDG_SESSION_TYPE"}) {
            environment.remove(QLatin1String(name));
        }
        environment.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
        if (!display.isEmpty()) {
            environment.insert(QStringLiteral("DISPLAY"), display);
        }
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUENVALE_PROGRAM), {});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardError(),
                 QByteArray::fromStdString(noDisplayText(Language::Japanese) + "\n"));
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
    }
};

} // namespace quenvale

QTEST_MAIN(quenvale::LifecycleTest)
#include "lifecycle_test.moc"
