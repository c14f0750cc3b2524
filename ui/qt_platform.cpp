#include "ui/qt_platform.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

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

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const Message& message, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setIcon(BoxIcon(message.icon));
  box->setWindowTitle(QString::fromStdString(message.title));
  // Plain text: a "<" in a message is a character, not markup.
  box->setTextFormat(Qt::PlainText);
  box->setText(QString::fromStdString(message.text));
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
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setNameFilter(QtFileFilter(request.filter));
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

FileDialogResult QtFileDialogs::Ask(const FileDialogRequest& request) {
  QFileDialog dialog(parent_);
  ConfigureFileDialog(dialog, request);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return {};
  return {FileDialogResult::Status::kChosen, QFile::encodeName(chosen.front()).toStdString()};
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
