// The window program started under a locale whose decimal separator is a comma (CTest starts
// this program with LANG and LC_ALL set to de_DE.UTF-8): it shows, calculates and saves
// exactly as under C.UTF-8.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <memory>
#include <string>
#include <utility>

#include "main/main_window_model.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "ui/main_window.hpp"

namespace toluvek {
namespace {

// A save dialog that answers with one path.
class AnsweringDialogs : public FileDialogs {
 public:
  FileDialogResult Ask(const FileDialogRequest& /*request*/) override {
    return {FileDialogResult::Status::kChosen, path};
  }
  std::string path;
};

struct Harness {
  FakePlatform platform;
  AnsweringDialogs dialogs;
  Harness() { platform.now = {2024, 5, 6, 7, 8, 9}; }
  MainWindowModel model{{platform, platform, platform, dialogs, platform}};
  MainWindow window{model, [] {}};
};

}  // namespace

class CommaLocaleTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Harness> h_;

  QLineEdit* Field(const char* name) {
    return h_->window.findChild<QLineEdit*>(QString::fromUtf8(name));
  }

 private Q_SLOTS:
  void initTestCase() {
    // QApplication has taken the process locale from the environment.
    const char* decimal_point = std::localeconv()->decimal_point;
    QVERIFY2(std::string(decimal_point) == ",",
             "the locale de_DE.UTF-8 is missing: install locales-all (./dev does)");
  }

  void init() {
    h_ = std::make_unique<Harness>();
    h_->window.show();
    h_->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h_->window));
  }
  void cleanup() { h_.reset(); }

  void startsWithTheSameTexts() {
    QCOMPARE(Field("Text1")->text(), "1.01325E+005");
    QCOMPARE(Field("Text2")->text(), "25");
    h_->window.findChild<QRadioButton*>("Option5")->click();
    QCOMPARE(Field("Text2")->text(), "298.15");
  }

  void aPresetAndACalculationWriteWithThePoint() {
    QTest::keyClick(Field("Text2"), Qt::Key_T, Qt::ControlModifier);  // 東京ガス
    QCOMPARE(Field("Text10")->text(), "88.5");
    QCOMPARE(Field("Text89")->text(), "0.7");
    QTest::mouseClick(h_->window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(h_->platform.shown.empty());
    QCOMPARE(Field("Text48")->text(), "1.883E+001");
    QCOMPARE(Field("Text49")->text(), "7.698E-001");
  }

  void aSavedFileHasTheSameBytes() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    h_->dialogs.path = folder.filePath("gas.txt").toStdString();
    for (const auto& [name, text] : {std::pair{"Text2", "25.5"}, std::pair{"Text3", "0.5"}}) {
      Field(name)->selectAll();
      QTest::keyClicks(Field(name), text);
    }
    QTest::keyClick(Field("Text2"), Qt::Key_S, Qt::ControlModifier);
    QFile file(folder.filePath("gas.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes,
             QByteArray("#2024-05-06 07:08:09#\r\n"
                        "\"\x88\xB3\x97\xCD\",101325,\"Pa\",\"\x89\xB7\x93x\",25.5,\"\x81\x8E\"\r\n"
                        "\"----- Molar Fraction --------------\"\r\n"
                        "\"H2\",0.5,\"O2\",21\r\n"
                        "\"N2\",79,\"CO\",0\r\n"
                        "\"CO2\",0,\"H2O\",0\r\n"
                        "\"CH3OH\",0,\"CH4\",0\r\n"
                        "\"C2H6\",0,\"C3H8\",0\r\n"
                        "\"n-C4H10\",0,\"i-C4H10\",0\r\n"));
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::CommaLocaleTest)
#include "comma_locale_test.moc"
