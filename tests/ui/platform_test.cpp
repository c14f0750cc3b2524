// The Qt services of the window models: message boxes, the clipboard, the file dialogs'
// filters, and twips.

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>

#include "ui/qt_platform.hpp"
#include "ui/twips.hpp"

namespace toluvek {

class PlatformTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void messageBoxHasTheTextTitleIconAndOneOkButton_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("expected");
    QTest::newRow("none") << int(MessageIcon::kNone) << int(QMessageBox::NoIcon);
    QTest::newRow("critical") << int(MessageIcon::kCritical) << int(QMessageBox::Critical);
    QTest::newRow("exclamation") << int(MessageIcon::kExclamation) << int(QMessageBox::Warning);
  }
  void messageBoxHasTheTextTitleIconAndOneOkButton() {
    QFETCH(int, icon);
    QFETCH(int, expected);
    const Message message{"負のモル体積があります!!", "エラーメッセージ",
                          static_cast<MessageIcon>(icon)};
    const auto box = MakeMessageBox(message, nullptr);
    QCOMPARE(box->text(), QString::fromUtf8("負のモル体積があります!!"));
    QCOMPARE(box->windowTitle(), QString::fromUtf8("エラーメッセージ"));
    QCOMPARE(int(box->icon()), expected);
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->buttons().size(), 1);
  }

  void messageBoxShowsAngleBracketsAsText() {
    const auto box = MakeMessageBox({"<b>x</b>"}, nullptr);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->windowTitle(), "Toluvek");
  }

  void clipboardHoldsTheTextExactly() {
    QtClipboard clipboard;
    const std::string report = "圧力 = 1.013E+005 Pa\r\n温度 = 25 ℃\r\n";
    clipboard.SetText(report);
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), report);
  }

  void fileFiltersBecomeQtFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("composition files")
        << QString::fromUtf8("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat")
        << QString::fromUtf8("ﾃｷｽﾄﾌｧｲﾙ(*.txt);;ﾃﾞｰﾀﾌｧｲﾙ(*.dat)");
    QTest::newRow("pattern not in the description") << "Text|*.txt"
                                                    << "Text (*.txt)";
    QTest::newRow("several patterns") << "Data|*.dat;*.csv"
                                      << "Data (*.dat *.csv)";
    QTest::newRow("description without pattern dropped") << "All|*.*|Broken"
                                                         << "All (*.*)";
  }
  void fileFiltersBecomeQtFilters() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(QtFileFilter(filter.toStdString()), expected);
  }

  void saveDialogConfirmsOverwriteAndAddsTheExtension() {
    QFileDialog dialog;
    ConfigureFileDialog(dialog,
                        {"データ保存", "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat", "txt", true});
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("データ保存"));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.defaultSuffix(), "txt");
    QCOMPARE(dialog.nameFilters().size(), 2);
  }

  void openDialogWantsAnExistingFile() {
    QFileDialog dialog;
    ConfigureFileDialog(dialog, {"データファイルの選択", "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt", "", false});
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QVERIFY(dialog.defaultSuffix().isEmpty());
    QCOMPARE(dialog.nameFilters(), QStringList{QString::fromUtf8("ﾃｷｽﾄﾌｧｲﾙ(*.txt)")});
  }

  void twipsBecomePixelsByTheLogicalDpi_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("15 twips a pixel at 96 dpi") << 15 << 96.0 << 1;
    QTest::newRow("main window width") << 9720 << 96.0 << 648;
    QTest::newRow("main window height") << 7380 << 96.0 << 492;
    QTest::newRow("an inch at 120 dpi") << 1440 << 120.0 << 120;
    QTest::newRow("rounded to nearest") << 22 << 96.0 << 1;
    QTest::newRow("rounded up") << 23 << 96.0 << 2;
    QTest::newRow("negative offset") << -850 << 96.0 << -57;
  }
  void twipsBecomePixelsByTheLogicalDpi() {
    QFETCH(int, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips, dpi), pixels);
  }

  void pointerPositionsBecomeTwips() {
    const TwipScale scale(144, 72);
    QCOMPARE(scale.TwipsX(144), 1440);
    QCOMPARE(scale.TwipsY(72), 1440);
    QCOMPARE(PixelsToTwips(400, 96), 6000);
  }
};

}  // namespace toluvek

QTEST_MAIN(toluvek::PlatformTest)
#include "platform_test.moc"
