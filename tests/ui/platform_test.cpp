// The Qt services of the window models: message boxes, the clipboard, the file dialogs'
// filters, and twips.

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <vector>

#include "tests/ui/ui_test_main.hpp"
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

  void saveDialogRefusesANameInAFolderThatDoesNotExist() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    std::vector<Message> warned;
    CompositionFileDialog dialog(nullptr, [&](const Message& m) { warned.push_back(m); });
    ConfigureFileDialog(dialog, {"データ保存", "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt", "txt", true});
    // Typed as a user types it, relative to the folder the dialog shows.
    dialog.setDirectory(folder.path());
    dialog.selectFile("missing/gas.txt");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(warned.size(), std::size_t{1});
    QCOMPARE(warned[0].title, "データ保存");
    QCOMPARE(warned[0].icon, MessageIcon::kExclamation);
    QVERIFY2(QString::fromStdString(warned[0].text).startsWith(folder.filePath("missing")),
             warned[0].text.c_str());
    dialog.selectFile("gas.txt");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(warned.size(), std::size_t{1});
  }

  void dialogOutcomesAsTheModelTakesThem_data() {
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("status");
    const QUrl here = QUrl::fromLocalFile(QDir::tempPath() + "/gas.txt");
    const QUrl missing = QUrl::fromLocalFile(QDir::tempPath() + "/no such folder/gas.txt");
    using S = FileDialogResult::Status;
    QTest::newRow("cancelled") << false << here << true << int(S::kCancelled);
    QTest::newRow("no name") << true << QUrl() << true << int(S::kCancelled);
    QTest::newRow("chosen") << true << here << true << int(S::kChosen);
    QTest::newRow("folder missing, saving") << true << missing << true << int(S::kFailed);
    QTest::newRow("folder missing, opening") << true << missing << false << int(S::kChosen);
    QTest::newRow("not a local file")
        << true << QUrl("sftp://host/gas.txt") << true << int(S::kFailed);
  }
  void dialogOutcomesAsTheModelTakesThem() {
    QFETCH(bool, accepted);
    QFETCH(QUrl, url);
    QFETCH(bool, save);
    QFETCH(int, status);
    const FileDialogResult result = DialogOutcome(accepted, {url}, save);
    QCOMPARE(int(result.status), status);
    if (result.status == FileDialogResult::Status::kChosen) {
      QCOMPARE(QString::fromStdString(result.path), url.toLocalFile());
    }
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

TOLUVEK_UI_TEST_MAIN(toluvek::PlatformTest)
#include "platform_test.moc"
