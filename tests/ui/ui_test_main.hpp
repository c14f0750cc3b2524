#pragma once
// The main() of the window tests: QTEST_MAIN's, except that a warning of the binding that a
// model changed a control its window has no widget for fails the test function that caused it.
// A test that means to cause one expects it with QTest::ignoreMessage, which still takes it.

#include <QApplication>
#include <QRegularExpression>
#include <QString>
#include <QTest>
#include <initializer_list>

#include "ui/model_binding.hpp"

namespace toluvek {

inline QtMessageHandler testlib_message_handler = nullptr;

// Seen before testlib's own handler: the failure is armed for this test function just before
// testlib looks at the warning, after its expected messages.
inline void FailOnUnboundControl(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String(kUnboundControlWarning))) {
    QTest::failOnWarning(QRegularExpression(
        '^' + QRegularExpression::escape(QLatin1String(kUnboundControlWarning))));
  }
  testlib_message_handler(type, context, message);
}

// Runs each test object as QTest::qExec does, with the handler above in front of testlib's.
inline int RunUiTests(std::initializer_list<QObject*> tests, int argc, char** argv) {
  int failed = 0;
  for (QObject* test : tests) {
    QTest::qInit(test, argc, argv);
    testlib_message_handler = qInstallMessageHandler(FailOnUnboundControl);
    failed |= QTest::qRun();
    qInstallMessageHandler(testlib_message_handler);
    QTest::qCleanup();
  }
  return failed;
}

}  // namespace toluvek

#define TOLUVEK_UI_TEST_MAIN(TestObject)             \
  int main(int argc, char** argv) {                  \
    QApplication app(argc, argv);                    \
    app.setAttribute(Qt::AA_Use96Dpi, true);         \
    TestObject test;                                 \
    QTEST_SET_MAIN_SOURCE_PATH                       \
    return toluvek::RunUiTests({&test}, argc, argv); \
  }
