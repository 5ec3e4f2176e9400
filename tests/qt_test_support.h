// What every window test needs around QtTest.
#ifndef VELK_TESTS_QT_TEST_SUPPORT_H_
#define VELK_TESTS_QT_TEST_SUPPORT_H_

#include <QString>
#include <QtGlobal>

namespace velk::testing {

// Drops only the offscreen platform's show() noise; everything else reaches
// QtTest's own handler. Install it in initTestCase(), after QtTest has put its
// handler in place, and put the previous one back in cleanupTestCase().
class OffscreenNoiseFilter {
 public:
  void Install() { previous_ = qInstallMessageHandler(&Filter); }
  void Remove() { qInstallMessageHandler(previous_); }

 private:
  static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg &&
        text == QLatin1String("This plugin does not support propagateSizeHints()")) {
      return;
    }
    if (previous_ != nullptr) previous_(type, context, text);
  }
  static inline QtMessageHandler previous_ = nullptr;
};

}  // namespace velk::testing

#endif  // VELK_TESTS_QT_TEST_SUPPORT_H_
