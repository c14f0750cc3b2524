// The fixed windows: the help window's texts and line breaks, the About box, the start-up
// picture, and how the window opener places and reuses windows.

#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSplashScreen>
#include <QTest>
#include <QTextLayout>

#include "tests/ui/ui_test_main.hpp"
#include "ui/about_window.hpp"
#include "ui/appearance.hpp"
#include "ui/help_window.hpp"
#include "ui/startup_picture.hpp"
#include "ui/twips.hpp"
#include "ui/window_opener.hpp"

namespace toluvek {
namespace {

const QString kUsage =
    QString::fromUtf8("（mol体積割合は比率が同じであれば絶対値は関係ありません。）");
const QString kClipboard =
    QString::fromUtf8("Clipboardボタンを押せば，クリップボードに計算結果をコピーできます。");
const QString kMoisture = QString::fromUtf8(
    "\"H2O\""
    "をクリックすると飽和温度や液体のｴﾝﾀﾙﾋﾟ計算等ができます。");

int CountTopLevels(const QString& name) {
  int count = 0;
  for (const QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == name) ++count;
  }
  return count;
}

}  // namespace

class FixedWindowsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { ApplyAppearance(*qApp); }

  void helpLabelsHaveTheirExactTexts_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("label 1") << 1 << QString::fromUtf8("１．使い方");
    QTest::newRow("label 2")
        << 2
        << QString::fromUtf8("　温度，圧力と各化学種のmol体積割合を入力し，計算ボタンを押します。");
    QTest::newRow("label 4") << 4 << QString::fromUtf8("２．計算の概要");
    QTest::newRow("label 5")
        << 5
        << QString::fromUtf8(
               "各化学種の物性値は，種々の文献データを参照し，温度に関する多項式で近似して算出して"
               "います。常圧付近で利用でき，密度，動粘性係数以外は圧力を考慮しません。");
    QTest::newRow("label 6") << 6 << QString::fromUtf8("３．出典");
    QTest::newRow("label 7")
        << 7
        << QString::fromUtf8(
               "比熱は，文献 [1] 記載の式を使用しています。（適用範囲は200～1000K程度）");
    QTest::newRow("label 8") << 8
                             << QString::fromUtf8(
                                    "粘性係数は，Chapman-"
                                    "Enskogの分子運動論から導出される計算値を多項式近似して使用して"
                                    "います。（詳細は文献[1]）");
    QTest::newRow("label 9")
        << 9 << QString::fromUtf8("熱伝導率は，文献[2][3]等に記載の数値を近似して使用しています。");
    QTest::newRow("label 10") << 10
                              << QString::fromUtf8(
                                     "混合則の詳細は，文献[1][4]"
                                     "を参照下さい。粘性係数は，Sutherlandの式，Wilkeの方法を，熱伝"
                                     "導率は，Wassiljewaの式，Mason-Saxenaの式を用いています。");
    QTest::newRow("label 12") << 12
                              << QString::fromUtf8(
                                     "Pr数については，Euckenの式による値も併記しました。非極性多原"
                                     "子分子に対して適用可能となっています。（文献[4]）");
    QTest::newRow("label 13")
        << 13
        << QString::fromUtf8(
               "ｴﾝﾀﾙﾋﾟｰは，文献[1][5]"
               "記載のデータをもとに温度に関する多項式近似をして使用しています。");
    QTest::newRow("label 3") << 3
                             << kUsage + QString(14, ' ') + kClipboard + QString(5, ' ') +
                                    kMoisture;
    QTest::newRow("label 11") << 11 << QString();
  }
  void helpLabelsHaveTheirExactTexts() {
    QFETCH(int, number);
    QFETCH(QString, text);
    HelpWindow help;
    QCOMPARE(help.windowTitle(), "How To Use");
    QCOMPARE(help.findChildren<QLabel*>().size(), 14);
    const auto* label = help.findChild<QLabel*>(QString("Label%1").arg(number));
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), text);
  }

  void helpLabelsStandTopToBottomInTheirOrder() {
    HelpWindow help;
    help.show();
    int previous_top = -1;
    for (int i = 1; i <= 14; ++i) {
      const auto* label = help.findChild<QLabel*>(QString("Label%1").arg(i));
      QVERIFY(label->y() > previous_top);
      previous_top = label->y();
    }
    QVERIFY(help.findChild<QLabel*>("Label14")->text().contains("NIST-JANAF"));
  }

  void blanksPutEachUsageSentenceOnALineOfItsOwn() {
    HelpWindow help;
    help.show();
    const auto* label = help.findChild<QLabel*>("Label3");
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(label->contentsRect().width());
      lines << label->text().mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    QCOMPARE(lines, QStringList({kUsage, kClipboard, kMoisture}));
  }

  void helpOkClosesAndDestroysTheWindow() {
    QPointer<HelpWindow> help = new HelpWindow;
    help->show();
    QTest::mouseClick(help->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QTRY_VERIFY(help.isNull());
  }

  void aboutBoxShowsTitleVersionAndIcon() {
    QPointer<AboutWindow> about = new AboutWindow;
    about->show();
    QCOMPARE(about->windowTitle(), QString::fromUtf8("Toluvekのﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), "Toluvek");
    QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), "Version 1.0.3");
    QVERIFY(!about->findChild<QLabel*>("picIcon")->pixmap().isNull());
    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY(about.isNull());
  }

  void openerPlacesWindowsAtTheirOffsetAndReusesAnOpenOne() {
    QWidget main;
    main.move(100, 80);
    main.show();
    QtWindowOpener opener;
    opener.SetAnchor(&main);
    RegisterFixedWindows(opener);
    const TwipScale scale(&main);

    opener.Open(ToolWindow::kHelp, {750, 750});
    QWidget* help = opener.Find(ToolWindow::kHelp);
    QVERIFY(help != nullptr);
    QCOMPARE(help->objectName(), "Form2");
    QCOMPARE(help->pos(), main.pos() + QPoint(scale.X(750), scale.Y(750)));
    opener.Open(ToolWindow::kHelp, {750, 750});
    QCOMPARE(opener.Find(ToolWindow::kHelp), help);
    QCOMPARE(CountTopLevels("Form2"), 1);

    opener.Open(ToolWindow::kAbout, {1800, 1800});
    QCOMPARE(opener.Find(ToolWindow::kAbout)->pos(),
             main.pos() + QPoint(scale.X(1800), scale.Y(1800)));

    // A closed window is made anew next time.
    help->close();
    QTRY_VERIFY(opener.Find(ToolWindow::kHelp) == nullptr);
    opener.Open(ToolWindow::kHelp, {750, 750});
    QVERIFY(opener.Find(ToolWindow::kHelp) != nullptr);
  }

  void openerIgnoresWindowsThatDoNotExistYet() {
    QtWindowOpener opener;
    RegisterFixedWindows(opener);
    const int before = QApplication::topLevelWidgets().size();
    opener.Open(ToolWindow::kDuctFlow, {3100, 1200});
    QVERIFY(opener.Find(ToolWindow::kDuctFlow) == nullptr);
    QCOMPARE(QApplication::topLevelWidgets().size(), before);
  }

  void startupPictureIsA404By72Jpeg() {
    QImageReader reader(":/toluvek/startup.jpg");
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.size(), QSize(404, 72));
  }

  void startupPictureWaitsItsTimeThenGoes() {
    const auto waited = ShowStartupPicture(std::chrono::milliseconds(30));
    QVERIFY(waited >= std::chrono::milliseconds(30));
    QTRY_COMPARE(CountTopLevels("Form15"), 0);
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::FixedWindowsTest)
#include "fixed_windows_test.moc"
