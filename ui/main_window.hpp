#pragma once
// The main window, Form1: inputs, unit frames, the result grid, the mixture results, the
// buttons, the menu bar and the status bar. It shows its model and hands every user action to
// it; it keeps no state of its own.

#include <QFont>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "main/main_window_model.hpp"
#include "ui/model_binding.hpp"
#include "ui/translation.hpp"
#include "ui/twips.hpp"
#include "ui/widget_builder.hpp"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace toluvek {

class MainWindow : public QMainWindow {
 public:
  // `end_program` ends the program at once ("終了", Exit, closing the window). With `language`
  // the Help menu offers "日本語 / English" for the next start.
  MainWindow(MainWindowModel& model, std::function<void()> end_program,
             LanguageChoice* language = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Places the window in the middle of its screen's available area.
  void CentreOnScreen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  QLineEdit* AddField(std::string_view name, const QRect& twips, Rgb background,
                      const QString& accessible_name, bool input);
  QAction* AddAction(QMenu* menu, std::string_view name, const QString& caption,
                     const QKeySequence& shortcut, std::function<void()> action);

  void BuildInputs();
  void BuildResultGrid();
  void BuildMixtureResults();
  void BuildButtons();
  void BuildMenus();
  void BuildLanguageMenu(QMenu* help);
  void BuildStatusBar();
  // `size`, or the largest part of it the screen's available area holds beside the window's
  // frame; where it must shrink, the client area is put into a scroll area first.
  QSize FitOnScreen(QSize size);
  void SetTabOrder();
  void ShowClock();
  bool IsWindowShortcut(const QKeyEvent& key) const;

  MainWindowModel& model_;
  std::function<void()> end_program_;
  LanguageChoice* language_;
  TwipScale scale_;
  QWidget* client_ = nullptr;
  QLabel* date_panel_ = nullptr;
  QLabel* time_panel_ = nullptr;
  QTimer clock_timer_;
  std::vector<QKeySequence> shortcuts_;
  // Last member: it detaches from the model before the widgets go.
  std::unique_ptr<ModelBinding> binding_;
  std::unique_ptr<WidgetBuilder> build_;
};

}  // namespace toluvek
