// The program's languages: Qt's own texts in Japanese, the windows in English when asked for,
// values and units as they are, and the choice of the next start kept in the settings.

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSplashScreen>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "main/messages.hpp"
#include "tests/support/fakes.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "ui/chart_view.hpp"
#include "ui/main_window.hpp"
#include "ui/program.hpp"
#include "ui/qt_platform.hpp"
#include "ui/startup_picture.hpp"
#include "ui/translation.hpp"

Q_DECLARE_METATYPE(std::optional<toluvek::ToolWindow>)
Q_DECLARE_METATYPE(toluvek::Language)

namespace toluvek {
namespace {

// The entries of a text field's context menu, without their shortcuts.
QStringList ContextMenuTexts() {
  QLineEdit field;
  field.setText("1.01325E+005");
  const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text().section(u'\t', 0, 0);
  }
  return texts;
}

// Every text a person or a screen reader meets in `window`: captions, titles, tooltips, spoken
// names and descriptions, menu entries. The values in the fields are left out (the hidden
// report is written in Japanese), and so is the choice of language, named in both.
QStringList ShownTexts(QWidget* window) {
  QStringList texts = {window->windowTitle()};
  const auto in_language_menu = [](const QObject* object) {
    for (; object != nullptr; object = object->parent()) {
      if (object->objectName() == "languagemenu") return true;
    }
    return false;
  };
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (const QWidget* widget : widgets) {
    if (in_language_menu(widget)) continue;
    texts << widget->toolTip() << widget->accessibleName() << widget->accessibleDescription();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) texts << frame->title();
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) texts << menu->title();
    if (const auto* chart = dynamic_cast<const ChartView*>(widget)) texts << chart->title();
  }
  for (const QAction* action : window->findChildren<QAction*>()) {
    if (!in_language_menu(action)) texts << action->text() << action->toolTip();
  }
  texts.removeAll(QString());
  return texts;
}

// The whole program with its settings in a folder of the test's own.
struct EnglishProgram {
  QTemporaryDir folder;
  Translations english{Language::kEnglish};
  Program program{
      [] {}, std::make_unique<QSettings>(folder.filePath("toluvek.conf"), QSettings::IniFormat)};
};

}  // namespace

class TranslationTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void japaneseRunShowsQtsOwnTextsInJapanese() {
    const Translations japanese(Language::kJapanese);
    QVERIFY2(japanese.loaded(), "qtbase_ja.qm not found in Qt's translations folder");
    QCOMPARE(ContextMenuTexts(),
             QStringList({"元に戻す(&U)", "やり直す(&R)", "切り取り(&T)", "コピー(&C)",
                          "貼り付け(&P)", "削除", "すべてを選択"}));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ConfigureFileDialog(dialog, SaveCompositionRequest());
    QCOMPARE(dialog.windowTitle(), "データ保存");
    QCOMPARE(dialog.findChild<QLabel*>("fileNameLabel")->text(), "ファイル名(&N):");
    QCOMPARE(dialog.findChild<QLabel*>("fileTypeLabel")->text(), "ファイルの種類:");
    const auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), "キャンセル");
  }

  void englishRunLeavesQtsOwnTextsInEnglish() {
    const Translations english(Language::kEnglish);
    QVERIFY(english.loaded());
    QCOMPARE(ContextMenuTexts(),
             QStringList({"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}));
  }

  void textsInEachLanguage_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("english");
    QTest::newRow("caption") << "計算"
                             << "Calculate";
    QTest::newRow("message") << "mol体積が全て０です！！"
                             << "All molar volumes are 0!!";
    QTest::newRow("number") << "1.01325E+005"
                            << "1.01325E+005";
    QTest::newRow("unit") << "゜C"
                          << "゜C";
    QTest::newRow("species label") << "n-C4H10"
                                   << "n-C4H10";
    QTest::newRow("text and the number after it") << "総モル体積 = 1.00000E+002"
                                                  << "Total molar volume = 1.00000E+002";
    QTest::newRow("text and its range, half-width")
        << QString::fromStdString(OutsideFitRangeStatus())
        << "Temperature outside the range of the property fits (about 200~1000 K)";
    QTest::newRow("a text and more words") << "エラー!です"
                                           << "エラー!です";
    QTest::newRow("no such text") << "未知の文"
                                  << "未知の文";
  }

  void textsInEachLanguage() {
    QFETCH(QString, shown);
    QFETCH(QString, english);
    {
      const Translations japanese(Language::kJapanese);
      QCOMPARE(Tr(shown), shown);
    }
    {
      const Translations in_english(Language::kEnglish);
      QCOMPARE(Tr(shown), english);
    }
    QCOMPARE(Tr(shown), shown);  // the English catalogue went with its run
  }

  void tightCaptionsHaveShorterFormsAndSpokenNamesTheFullOne() {
    EnglishProgram english;
    const QChar forms_separator(0x9C);
    QCOMPARE(TrFitting("分子量").split(forms_separator),
             QStringList({"Molar mass", "Mol. mass", "M"}));
    QCOMPARE(Tr("分子量"), "Molar mass");
    const QWidget& window = english.program.window;
    QCOMPARE(window.findChild<QLineEdit*>(Utf8(form1::kMolarMass))->accessibleName(), "Molar mass");
    const QStringList headings = [&window] {
      QStringList texts;
      for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
      return texts;
    }();
    QVERIFY(headings.contains(TrFitting("分子量")));
  }

  void englishRunShowsTheStartupPictureInEnglish() {
    const Translations english(Language::kEnglish);
    QImage shown;
    ShowStartupPicture(std::chrono::milliseconds(0), [&shown] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* picture = qobject_cast<QSplashScreen*>(window)) {
          shown = picture->pixmap().toImage();
        }
      }
    });
    const QImage in_english = QPixmap(":/toluvek/startup-en.jpg").toImage();
    QCOMPARE(in_english.size(), QSize(404, 72));
    QVERIFY(shown == in_english);
    QVERIFY(shown != QPixmap(":/toluvek/startup.jpg").toImage());
  }

  void messageBoxAndFileDialogInEnglish() {
    const Translations english(Language::kEnglish);
    const auto box = MakeMessageBox(messages::kAmountsAllZero, nullptr);
    QCOMPARE(box->windowTitle(), "Input error");
    QCOMPARE(box->text(), "All molar volumes are 0!!");
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().front()->text(), "OK");

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ConfigureFileDialog(dialog, OpenCompositionRequest());
    QCOMPARE(dialog.windowTitle(), "Choose a data file");
    QCOMPARE(dialog.nameFilters(), QStringList({"Text files(*.txt)", "Data files(*.dat)"}));
  }

  void everyWindowInEnglishShowsNoJapanese_data() {
    QTest::addColumn<std::optional<ToolWindow>>("kind");
    QTest::newRow("main") << std::optional<ToolWindow>();
    const std::pair<const char*, ToolWindow> windows[] = {
        {"help", ToolWindow::kHelp},
        {"about", ToolWindow::kAbout},
        {"enthalpy", ToolWindow::kEnthalpy},
        {"water", ToolWindow::kWaterEnthalpy},
        {"saturation", ToolWindow::kSaturation},
        {"heat converter", ToolWindow::kHeatConverter},
        {"duct", ToolWindow::kDuctFlow},
        {"converter chooser", ToolWindow::kConverterChooser},
        {"pressure converter", ToolWindow::kPressureConverter},
        {"temperature converter", ToolWindow::kTemperatureConverter},
        {"mixing", ToolWindow::kMixing},
        {"property chart", ToolWindow::kPropertyChart},
        {"composition chooser", ToolWindow::kCompositionChooser},
        {"air dialog", ToolWindow::kAirDialog},
        {"total dialog", ToolWindow::kTotalDialog}};
    for (const auto& [name, kind] : windows) {
      QTest::newRow(name) << std::optional<ToolWindow>(kind);
    }
  }

  void everyWindowInEnglishShowsNoJapanese() {
    QFETCH(std::optional<ToolWindow>, kind);
    EnglishProgram english;
    Program& program = english.program;
    program.window.show();
    // A gas with water at a temperature outside the fits: the status bar says so, and every
    // tool window opens without a message.
    program.model.SetText(form1::kAmount[kH2O], "5");
    program.model.SetText(form1::kTemperature, "2000");
    QVERIFY(program.model.Calculate());
    QWidget* window = &program.window;
    if (kind) {
      program.services.windows.Open(*kind, {600, 600});
      window = program.services.windows.Find(*kind);
      QVERIFY(window != nullptr);
    }
    QStringList japanese;
    for (const QString& text : ShownTexts(window)) {
      if (HasJapaneseLetter(text)) japanese << text;
    }
    QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(" | ")));
    QVERIFY(ShownTexts(window).size() > 1);
  }

  void storedLanguage_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<Language>("language");
    QTest::newRow("none") << QString() << Language::kJapanese;
    QTest::newRow("ja") << "ja" << Language::kJapanese;
    QTest::newRow("en") << "en" << Language::kEnglish;
    QTest::newRow("EN, no code") << "EN" << Language::kJapanese;
    QTest::newRow("fr, not a language of the program") << "fr" << Language::kJapanese;
  }

  void storedLanguage() {
    QFETCH(QString, stored);
    QFETCH(Language, language);
    QTemporaryDir folder;
    QSettings settings(folder.filePath("toluvek.conf"), QSettings::IniFormat);
    if (!stored.isNull()) settings.setValue("language", stored);
    QCOMPARE(StoredLanguage(settings), language);
  }

  void helpMenuChoiceIsKeptForTheNextStartAndSaysSo() {
    QTemporaryDir folder;
    const QString file = folder.filePath("toluvek.conf");
    FakePlatform platform;
    MainWindowModel model(platform.Services());
    LanguageChoice choice(std::make_unique<QSettings>(file, QSettings::IniFormat), platform);
    MainWindow window(
        model, [] {}, &choice);
    auto* japanese = window.findChild<QAction*>("language_ja");
    auto* english = window.findChild<QAction*>("language_en");
    QCOMPARE(japanese->text(), "日本語");
    QCOMPARE(english->text(), "English");
    QVERIFY(japanese->isChecked() && !english->isChecked());

    english->trigger();
    QVERIFY(english->isChecked() && !japanese->isChecked());
    QCOMPARE(StoredLanguage(QSettings(file, QSettings::IniFormat)), Language::kEnglish);
    QCOMPARE(platform.shown.size(), std::size_t{1});
    QCOMPARE(platform.shown.back().text, "次回の起動から英語 (English) で表示します。");
    // The window stays in the language it started with.
    QCOMPARE(window.findChild<QPushButton*>(Utf8(form1::kCalculate))->text(), "計算");

    // A later start finds the choice.
    FakePlatform later_platform;
    MainWindowModel later_model(later_platform.Services());
    LanguageChoice later(std::make_unique<QSettings>(file, QSettings::IniFormat), later_platform);
    MainWindow later_window(
        later_model, [] {}, &later);
    QVERIFY(later_window.findChild<QAction*>("language_en")->isChecked());

    japanese->trigger();
    QCOMPARE(StoredLanguage(QSettings(file, QSettings::IniFormat)), Language::kJapanese);
    QCOMPARE(platform.shown.back().text, "次回の起動から日本語で表示します。");
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::TranslationTest)
#include "translation_test.moc"
