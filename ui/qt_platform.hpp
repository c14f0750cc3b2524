#pragma once
// The platform services of the window models, done with Qt: message boxes and the beep, the
// clipboard, the file dialogs of the composition files.

#include <QFileDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "main/platform.hpp"

class QMessageBox;

namespace toluvek {

// The box for a message: exactly its text and title, its icon, one OK button.
std::unique_ptr<QMessageBox> MakeMessageBox(const Message& message, QWidget* parent);

// Modal message boxes over the window they belong to, and the system beep.
class QtMessageService : public MessageService {
 public:
  // Boxes are centred over `parent` once it is set.
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Show(const Message& message) override;
  void Beep() override;

 private:
  QPointer<QWidget> parent_;
};

class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
};

// A filter list as the composition files write it ("ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|...": description
// and pattern, alternating) in Qt's form ("ﾃｷｽﾄﾌｧｲﾙ(*.txt);;..."). A description that does
// not end with its pattern in parentheses gets it appended, because Qt reads the patterns from
// there.
QString QtFileFilter(std::string_view filter);

// Sets up a dialog as the request asks: title, filters, save or open, default extension,
// overwrite confirmation.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

// The file dialog of the composition files. Saving insists on an existing folder: a name in a
// folder that does not exist is refused with a message (through `warn`), and the dialog stays
// open for another name.
class CompositionFileDialog : public QFileDialog {
 public:
  CompositionFileDialog(QWidget* parent, std::function<void(const Message&)> warn);
  void accept() override;

 private:
  std::function<void(const Message&)> warn_;
};

// What the model is told a dialog returned: nothing when it was cancelled or gave no name; a
// failure when it gave something that is no local file, or, a dialog of the desktop that does
// not check, a name to save in a folder that does not exist; else the path.
FileDialogResult DialogOutcome(bool accepted, const QList<QUrl>& chosen, bool save);

class QtFileDialogs : public FileDialogs {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  FileDialogResult Ask(const FileDialogRequest& request) override;

 private:
  QPointer<QWidget> parent_;
};

// The first calculator of a list of the desktops' usual ones found on the PATH, started
// detached: the program goes on without waiting for it.
class QtCalculatorLauncher : public CalculatorLauncher {
 public:
  QtCalculatorLauncher();
  explicit QtCalculatorLauncher(std::vector<QString> programs) : programs_(std::move(programs)) {}
  bool Launch() override;

 private:
  std::vector<QString> programs_;
};

// Local date and time of day.
class QtClock : public Clock {
 public:
  DateTime Now() override;
};

}  // namespace toluvek
