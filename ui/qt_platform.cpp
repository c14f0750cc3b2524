#include "ui/qt_platform.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "ui/translation.hpp"

namespace toluvek {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kCritical:
      return QMessageBox::Critical;
    case MessageIcon::kExclamation:
      return QMessageBox::Warning;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Whether the folder a file is to be created in exists.
bool FolderExists(const QString& file) {
  return QFileInfo(QFileInfo(file).absolutePath()).isDir();
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const Message& message, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setIcon(BoxIcon(message.icon));
  box->setWindowTitle(Tr(message.title));
  // Plain text: a "<" in a message is a character, not markup.
  box->setTextFormat(Qt::PlainText);
  box->setText(Tr(message.text));
  box->setStandardButtons(QMessageBox::Ok);
  box->setDefaultButton(QMessageBox::Ok);
  box->setEscapeButton(QMessageBox::Ok);
  return box;
}

void QtMessageService::Show(const Message& message) {
  MakeMessageBox(message, parent_)->exec();
}

void QtMessageService::Beep() {
  QApplication::beep();
}

void QtClipboard::SetText(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(QString::fromStdString(text));
}

QString QtFileFilter(std::string_view filter) {
  const QStringList parts = FromUtf8(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
    const QString own = u'(' + patterns + u')';
    filters << (description.endsWith(own) ? description : description + u' ' + own);
  }
  return filters.join(QStringLiteral(";;"));
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setWindowTitle(Tr(request.title));
  dialog.setNameFilter(QtFileFilter(Tr(request.filter).toStdString()));
  if (request.save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
}

CompositionFileDialog::CompositionFileDialog(QWidget* parent,
                                             std::function<void(const Message&)> warn)
    : QFileDialog(parent), warn_(std::move(warn)) {}

void CompositionFileDialog::accept() {
  const QStringList chosen = selectedFiles();
  if (acceptMode() == AcceptSave && !chosen.isEmpty() && !chosen.front().isEmpty() &&
      !QFileInfo(chosen.front()).isDir() && !FolderExists(chosen.front())) {
    const QString folder = QDir::toNativeSeparators(QFileInfo(chosen.front()).absolutePath());
    warn_(Message{
        folder.toStdString() +
            Tr("\nフォルダーが見つかりません。フォルダー名を確認してください。").toStdString(),
        windowTitle().toStdString(), MessageIcon::kExclamation});
    return;
  }
  QFileDialog::accept();
}

FileDialogResult DialogOutcome(bool accepted, const QList<QUrl>& chosen, bool save) {
  if (!accepted || chosen.isEmpty() || chosen.front().isEmpty()) return {};
  const QUrl& url = chosen.front();
  if (!url.isLocalFile()) return {FileDialogResult::Status::kFailed, {}};
  const QString path = url.toLocalFile();
  if (path.isEmpty()) return {};
  if (save && !FolderExists(path)) return {FileDialogResult::Status::kFailed, {}};
  return {FileDialogResult::Status::kChosen, QFile::encodeName(path).toStdString()};
}

FileDialogResult QtFileDialogs::Ask(const FileDialogRequest& request) {
  CompositionFileDialog* shown = nullptr;
  CompositionFileDialog dialog(
      parent_, [&shown](const Message& message) { MakeMessageBox(message, shown)->exec(); });
  shown = &dialog;
  ConfigureFileDialog(dialog, request);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  return DialogOutcome(accepted, dialog.selectedUrls(), request.save);
}

DateTime QtClock::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

QtCalculatorLauncher::QtCalculatorLauncher()
    : programs_{"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"} {}

bool QtCalculatorLauncher::Launch() {
  for (const QString& program : programs_) {
    const QString path = QStandardPaths::findExecutable(program);
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return true;
  }
  return false;
}

}  // namespace toluvek
