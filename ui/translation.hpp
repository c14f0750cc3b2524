#pragma once
// The program's languages. Japanese is the program's own: its texts are the Japanese literals of
// the models and the layout tables, shown as they are. English is a translation chosen by the
// user (toluvek --language en, or Help > 日本語 / English for the next start): every text goes
// through Tr() where ui/ hands it to a widget, which looks it up in the English catalogue
// (translations/toluvek_en.ts, Japanese source texts in the context "toluvek").
//
// Qt's own texts (the buttons of a message box, the file dialog, a text field's context menu)
// come from Qt's catalogue of the language: Japanese from qtbase_ja.qm, English built in.

#include <QSettings>
#include <QString>
#include <QStringView>
#include <QTranslator>
#include <memory>
#include <optional>
#include <string_view>

#include "main/platform.hpp"

namespace toluvek {

enum class Language { kJapanese, kEnglish };

// "ja" and "en"; nothing for any other code.
std::optional<Language> LanguageFromCode(QStringView code);
QString LanguageCode(Language language);

// Whether `text` holds a kana or kanji: a text without one (a number, a unit, a species label)
// is the same in every language.
bool HasJapaneseLetter(QStringView text);

// `text` in the language of the run. A text without a translation of its own that is a
// translated text followed by a part without Japanese letters (a number, a unit written after
// it by the model) is the translated text with that part, its full-width forms made half-width.
// Under Japanese every text stays exactly as it is.
QString Tr(const QString& text);
QString Tr(std::string_view text);
QString Tr(const char* text);
// As Tr(), with the shorter forms a translation may have ("Molar mass", "Mol. mass", "M"),
// for a caption drawn into a fixed place: Qt draws the first form that fits. Tr() gives the
// first, full form, for what is not drawn so (spoken names, tooltips, titles, menus).
QString TrFitting(const QString& text);
// Whether texts are shown translated (an English run).
bool ShowsTranslations();

// The catalogues of a language, installed into the application while this lives: for Japanese
// Qt's own from Qt's translations folder, for English the program's.
class Translations {
 public:
  explicit Translations(Language language);
  ~Translations();
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;

  Language language() const { return language_; }
  // Whether the catalogues the language needs were found and installed.
  bool loaded() const { return loaded_; }

 private:
  Language language_;
  bool loaded_ = false;
  QTranslator qt_;
  QTranslator own_;
};

// The language stored between runs; Japanese when none (or an unknown one) is stored.
Language StoredLanguage(const QSettings& settings);
void StoreLanguage(QSettings& settings, Language language);
// The program's settings file of the user.
std::unique_ptr<QSettings> ProgramSettings();

// Help > "日本語 / English": remembers the choice, which applies from the next start, and says
// so in a message.
class LanguageChoice {
 public:
  LanguageChoice(std::unique_ptr<QSettings> settings, MessageService& messages);
  // The language of the next start.
  Language chosen() const { return StoredLanguage(*settings_); }
  void Choose(Language language);

 private:
  std::unique_ptr<QSettings> settings_;
  MessageService& messages_;
};

}  // namespace toluvek
