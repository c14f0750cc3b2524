#include "ui/translation.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>

namespace toluvek {
namespace {

// The context of every text of the program in its catalogues.
constexpr const char* kContext = "toluvek";
constexpr const char* kOwnCatalogue = ":/toluvek/translations/toluvek_en.qm";
constexpr const char* kLanguageKey = "language";
// What separates the forms of a translation with shorter forms (Qt Linguist's length variants).
constexpr QChar kLengthVariants(0x9C);

// Whether the program's own catalogue is installed: without it Tr() has nothing to look up, and
// the Japanese program does no lookups at all.
bool translating = false;

bool IsJapaneseLetter(char32_t c) {
  return (c >= 0x3041 && c <= 0x3096) ||                 // hiragana
         (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC ||  // katakana, prolonged sound mark
         (c >= 0x3400 && c <= 0x4DBF) ||                 // kanji
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF66 && c <= 0xFF9D);  // half-width katakana
}

// The catalogue's text for `text`; a null string when it has none. A translation never equals
// its Japanese source, so an unchanged answer means there is none.
QString Lookup(const QString& text) {
  const QByteArray source = text.toUtf8();
  QString found = QCoreApplication::translate(kContext, source.constData());
  return found == text ? QString() : found;
}

// Full-width ASCII forms and the ideographic space as their half-width forms: "（約200～1000
// K）" reads "(約200~1000 K)" in an English sentence. Units (℃) are no full-width forms.
QString HalfWidth(QStringView text) {
  QString half = text.toString();
  for (QChar& c : half) {
    if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E) {
      c = QChar(c.unicode() - 0xFEE0);
    } else if (c.unicode() == 0x3000) {
      c = QChar(u' ');
    }
  }
  return half;
}

}  // namespace

std::optional<Language> LanguageFromCode(QStringView code) {
  if (code == u"ja") return Language::kJapanese;
  if (code == u"en") return Language::kEnglish;
  return std::nullopt;
}

QString LanguageCode(Language language) {
  return language == Language::kEnglish ? QStringLiteral("en") : QStringLiteral("ja");
}

bool HasJapaneseLetter(QStringView text) {
  for (const char32_t c : text.toUcs4()) {
    if (IsJapaneseLetter(c)) return true;
  }
  return false;
}

QString TrFitting(const QString& text) {
  if (!translating || !HasJapaneseLetter(text)) return text;
  if (QString found = Lookup(text); !found.isNull()) return found;
  // The longest translated head whose rest holds no Japanese letter ("総モル体積 = " and a
  // number); from the end, so the rest grows until it takes a letter.
  for (qsizetype end = text.size() - 1; end > 0; --end) {
    const QStringView rest = QStringView(text).sliced(end);
    if (text[end].isLowSurrogate()) continue;
    if (HasJapaneseLetter(rest)) break;
    if (QString head = Lookup(text.left(end)); !head.isNull()) {
      QStringList forms = head.split(kLengthVariants);
      for (QString& form : forms) form += HalfWidth(rest);
      return forms.join(kLengthVariants);
    }
  }
  return text;
}

QString Tr(const QString& text) {
  const QString forms = TrFitting(text);
  const qsizetype first_end = forms.indexOf(kLengthVariants);
  return first_end < 0 ? forms : forms.left(first_end);
}

QString Tr(std::string_view text) {
  return Tr(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool ShowsTranslations() {
  return translating;
}

QString Tr(const char* text) {
  return Tr(std::string_view(text));
}

Translations::Translations(Language language) : language_(language) {
  if (language == Language::kJapanese) {
    loaded_ =
        qt_.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&qt_);
  } else {
    loaded_ =
        own_.load(QString::fromLatin1(kOwnCatalogue)) && QCoreApplication::installTranslator(&own_);
    translating = loaded_;
  }
}

Translations::~Translations() {
  if (!own_.isEmpty()) translating = false;
  // QTranslator's destructor takes itself out of the application.
}

Language StoredLanguage(const QSettings& settings) {
  return LanguageFromCode(settings.value(kLanguageKey).toString()).value_or(Language::kJapanese);
}

void StoreLanguage(QSettings& settings, Language language) {
  settings.setValue(kLanguageKey, LanguageCode(language));
  settings.sync();
}

std::unique_ptr<QSettings> ProgramSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QStringLiteral("toluvek"), QStringLiteral("toluvek"));
}

LanguageChoice::LanguageChoice(std::unique_ptr<QSettings> settings, MessageService& messages)
    : settings_(std::move(settings)), messages_(messages) {}

void LanguageChoice::Choose(Language language) {
  StoreLanguage(*settings_, language);
  messages_.Show(Message{language == Language::kEnglish
                             ? "次回の起動から英語 (English) で表示します。"
                             : "次回の起動から日本語で表示します。",
                         kAppTitle, MessageIcon::kNone});
}

}  // namespace toluvek
