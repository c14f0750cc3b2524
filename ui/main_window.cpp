#include "ui/main_window.hpp"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <array>
#include <string>

#include "common/number_text.hpp"
#include "engine/gas_table.hpp"
#include "main/combustion_command.hpp"
#include "main/main_window_fields.hpp"
#include "main/presets.hpp"
#include "ui/translation.hpp"

namespace toluvek {
namespace {

// Geometry of the window in twips.
constexpr int kClientWidth = 9720;   // client area, twips
constexpr int kClientHeight = 7380;  // client area incl. status bar, twips
constexpr int kStatusHeight = 330;   // twips

// Top band: pressure and temperature with their unit frames, the command buttons.
constexpr QRect kPressureCaption{180, 180, 540, 330};
constexpr QRect kPressureField{750, 180, 1440, 330};
constexpr QRect kPressureFrame{2280, 75, 3060, 510};
constexpr QRect kTemperatureCaption{180, 720, 540, 330};
constexpr QRect kTemperatureField{750, 720, 1440, 330};
constexpr QRect kTemperatureFrame{2280, 615, 1650, 510};
constexpr int kOptionTop = 105;     // inside a frame, twips
constexpr int kOptionHeight = 300;  // twips

// The species grid: a heading row, then one row per species.
constexpr int kGridHeadingTop = 1260;                        // twips
constexpr int kGridHeadingHeight = 270;                      // twips
constexpr int kGridTop = 1560;                               // first species row, twips
constexpr int kGridRowPitch = 330;                           // twips
constexpr int kGridRowHeight = 315;                          // twips
constexpr int kSpeciesLeft = 180, kSpeciesWidth = 840;       // twips
constexpr int kMolarMassLeft = 1020, kMolarMassWidth = 600;  // twips
constexpr int kAmountLeft = 1650;                            // twips
constexpr int kResultLeft = 2790, kResultPitch = 1140;       // twips
constexpr int kCellWidth = 1080;                             // a field of the grid, twips

// Mixture results: the title, then three columns of caption, field and unit.
constexpr QRect kTitle{180, 5580, 4200, 360};
constexpr int kMixtureTop = 5970, kMixturePitch = 345;  // twips
struct MixtureColumn {
  int left;           // twips
  int caption_width;  // twips
  int unit_width;     // twips
};
constexpr std::array<MixtureColumn, 3> kMixtureColumns = {{
    {180, 750, 720},
    {2880, 750, 660},
    {5490, 930, 540},
}};
constexpr int kCaptionGap = 30;  // between caption, field and unit, twips

// Headings of the six per-species result columns, left to right.
constexpr std::array<const char*, 6> kResultHeadings = {"モル分率", "質量分率", "定圧比熱",
                                                        "熱伝導率", "粘性係数", "Pr数"};

struct MixtureField {
  std::string_view field;
  const char* caption;
  const char* unit;
  int column;
  int row;
};
constexpr std::array<MixtureField, 9> kMixtureResults = {{
    {form1::kMolarMass, "分子量", "kg/kmol", 0, 0},
    {form1::kDensity, "密度", "kg/m3", 0, 1},
    {form1::kGasConstant, "ガス定数", "J/kg/K", 0, 2},
    {form1::kCp, "定圧比熱", "J/kg/K", 1, 0},
    {form1::kConductivity, "熱伝導率", "W/m/K", 1, 1},
    {form1::kViscosity, "粘性係数", "Pa s", 1, 2},
    {form1::kKinematicViscosity, "動粘性係数", "m2/s", 2, 0},
    {form1::kPrandtl, "Pr数", "-", 2, 1},
    {form1::kPrandtlEucken, "Pr Eucken", "-", 2, 2},
}};

constexpr QColor kTitleColour{16, 52, 96};

}  // namespace

MainWindow::MainWindow(MainWindowModel& model, std::function<void()> end_program,
                       LanguageChoice* language, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      model_(model),
      end_program_(std::move(end_program)),
      language_(language),
      scale_(this) {
  binding_ = std::make_unique<ModelBinding>(model_);
  setObjectName(Utf8(form1::kWindow));
  setWindowTitle(QString::fromUtf8(kAppTitle));

  client_ = new QWidget(this);
  client_->setObjectName("client");
  QPalette grey = client_->palette();
  const QColor background = ToQColor(model_.Background(form1::kWindow, kWindowGrey));
  grey.setColor(QPalette::Window, background);
  // Captions and option texts stay readable on the grey under a dark desktop palette.
  grey.setColor(QPalette::WindowText, TextColourOn(background));
  client_->setPalette(grey);
  client_->setAutoFillBackground(true);
  client_->setFixedSize(scale_.Size(kClientWidth, kClientHeight - kStatusHeight));
  client_->installEventFilter(this);
  setCentralWidget(client_);
  build_ = std::make_unique<WidgetBuilder>(client_, scale_, *binding_);
  build_->SetNumberFont(NumberFont(scale_.X(kCellWidth)));

  BuildMenus();
  BuildInputs();
  BuildResultGrid();
  BuildMixtureResults();
  BuildButtons();
  BuildStatusBar();
  SetTabOrder();
  binding_->ReflectAll();

  // A fixed single border: the client area is exactly its size in twips.
  const QSize size(scale_.X(kClientWidth),
                   menuBar()->sizeHint().height() + scale_.Y(kClientHeight));
  setFixedSize(FitOnScreen(size));
  findChild<QLineEdit*>(Utf8(form1::kPressure))->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  move(available.center() - QPoint(width() / 2, height() / 2));
}

QLineEdit* MainWindow::AddField(std::string_view name, const QRect& twips, Rgb background,
                                const QString& accessible_name, bool input) {
  QLineEdit* field = build_->Field(name, twips, background, accessible_name,
                                   input ? FieldRole::kInput : FieldRole::kResult,
                                   build_->EnterMovesFocus(model_, name));
  field->installEventFilter(this);  // the menu shortcuts win over the field's own keys
  return field;
}

QAction* MainWindow::AddAction(QMenu* menu, std::string_view name, const QString& caption,
                               const QKeySequence& shortcut, std::function<void()> action) {
  if (!shortcut.isEmpty()) shortcuts_.push_back(shortcut);
  return build_->MenuAction(this, menu, name, caption, shortcut, std::move(action));
}

void MainWindow::BuildInputs() {
  const Qt::Alignment caption = Qt::AlignLeft | Qt::AlignVCenter;
  build_->Label("圧力", kPressureCaption, caption);
  AddField(form1::kPressure, kPressureField, kInputYellow, "圧力", true);
  build_->Label("温度", kTemperatureCaption, caption);
  AddField(form1::kTemperature, kTemperatureField, kInputYellow, "温度", true);

  QGroupBox* pressure = build_->Frame("pressure_frame", {}, kPressureFrame, "圧力の単位");
  build_->Option(pressure, form1::kPressureOptions[0], "Pa", {150, kOptionTop, 660, kOptionHeight},
                 [this] { model_.SelectPressureUnit(PressureUnit::kPa); });
  build_->Option(pressure, form1::kPressureOptions[1], "atm", {930, kOptionTop, 780, kOptionHeight},
                 [this] { model_.SelectPressureUnit(PressureUnit::kAtm); });
  build_->Option(pressure, form1::kPressureOptions[2], "kgf/cm2",
                 {1800, kOptionTop, 1200, kOptionHeight},
                 [this] { model_.SelectPressureUnit(PressureUnit::kKgfCm2); });

  QGroupBox* temperature = build_->Frame("temperature_frame", {}, kTemperatureFrame, "温度の単位");
  build_->Option(temperature, form1::kTemperatureOptions[0], "℃",
                 {150, kOptionTop, 660, kOptionHeight},
                 [this] { model_.SelectTemperatureUnit(TemperatureUnit::kCelsius); });
  build_->Option(temperature, form1::kTemperatureOptions[1], "K",
                 {930, kOptionTop, 600, kOptionHeight},
                 [this] { model_.SelectTemperatureUnit(TemperatureUnit::kKelvin); });
}

void MainWindow::BuildResultGrid() {
  const Qt::Alignment centred = Qt::AlignCenter;
  build_->Label("分子量", {kMolarMassLeft, kGridHeadingTop, kMolarMassWidth, kGridHeadingHeight},
                centred);
  QLabel* amounts = build_->Label(
      "mol Vol.", {kAmountLeft, kGridHeadingTop, kCellWidth, kGridHeadingHeight}, centred);
  amounts->setObjectName(Utf8(form1::kAmountHeader));
  build_->ClickableLabel(
      amounts, [this] { model_.OpenCompositionDialog(); }, [this] { model_.ShowTotalAmount(); },
      "左クリックで組成入力、右クリックで総モル体積", WidgetBuilder::LeftOn::kPress);
  for (std::size_t column = 0; column < kResultHeadings.size(); ++column) {
    build_->Label(kResultHeadings[column],
                  {kResultLeft + static_cast<int>(column) * kResultPitch, kGridHeadingTop,
                   kCellWidth, kGridHeadingHeight},
                  centred);
  }

  static constexpr std::array<const SpeciesFields*, 6> kColumns = {
      &form1::kMoleFraction,        &form1::kMassFraction,     &form1::kSpeciesCp,
      &form1::kSpeciesConductivity, &form1::kSpeciesViscosity, &form1::kSpeciesPrandtl};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const SpeciesConstants& species = AllSpecies()[i];
    const QString formula = Utf8(species.label);
    const int top = kGridTop + static_cast<int>(i) * kGridRowPitch;

    QLabel* label = build_->Label(formula, {kSpeciesLeft, top, kSpeciesWidth, kGridRowHeight},
                                  Qt::AlignLeft | Qt::AlignVCenter);
    label->setObjectName(i == kH2O ? Utf8(form1::kMoistureLabel) : "species_" + formula);
    label->setToolTip(Tr(species.hint));
    if (i == kH2O) {
      // Its hint, as the other species labels give theirs, and what a click on it does.
      build_->ClickableLabel(
          label, [this] { model_.SaturationTemperature(); }, {},
          Tr(species.hint) + Tr("  クリックで飽和温度"));
    }
    QLabel* molar_mass = build_->Label(
        QString::fromStdString(FormatPattern(species.molar_mass, Pattern::kFixed2)),
        {kMolarMassLeft, top, kMolarMassWidth, kGridRowHeight}, Qt::AlignRight | Qt::AlignVCenter);
    molar_mass->setObjectName("molar_mass_" + formula);
    molar_mass->setToolTip(QString::fromStdString(FormatGeneral(species.molar_mass)));

    AddField(form1::kAmount[i], {kAmountLeft, top, kCellWidth, kGridRowHeight}, kInputYellow,
             formula + " mol Vol.", true);
    // The per-species results stay white until the first calculation colours their rows.
    for (std::size_t column = 0; column < kColumns.size(); ++column) {
      AddField(
          (*kColumns[column])[i],
          {kResultLeft + static_cast<int>(column) * kResultPitch, top, kCellWidth, kGridRowHeight},
          kWhite, formula + ' ' + Tr(kResultHeadings[column]), false);
    }
  }
}

void MainWindow::BuildMixtureResults() {
  QLabel* title =
      build_->Label(QString::fromUtf8(kAppTitle), kTitle, Qt::AlignLeft | Qt::AlignBottom);
  title->setObjectName("title_label");
  QFont font = title->font();
  font.setPointSizeF(font.pointSizeF() * 1.5);
  font.setBold(true);
  title->setFont(font);
  QPalette palette = title->palette();
  palette.setColor(QPalette::WindowText, kTitleColour);
  title->setPalette(palette);

  for (const MixtureField& result : kMixtureResults) {
    const MixtureColumn& column = kMixtureColumns[result.column];
    const int top = kMixtureTop + result.row * kMixturePitch;
    const int field_left = column.left + column.caption_width + kCaptionGap;
    const QString caption = QString::fromUtf8(result.caption);
    build_->Label(caption, {column.left, top, column.caption_width, kGridRowHeight},
                  Qt::AlignRight | Qt::AlignVCenter);
    AddField(result.field, {field_left, top, kCellWidth, kGridRowHeight}, kMixtureGreen, caption,
             false);
    build_->Label(QString::fromUtf8(result.unit),
                  {field_left + kCellWidth + kCaptionGap, top, column.unit_width, kGridRowHeight},
                  Qt::AlignLeft | Qt::AlignVCenter);
  }

  // The report for the clipboard; never shown.
  QLineEdit* report = AddField(form1::kReport, {0, 0, 0, 0}, kWhite, "レポート", false);
  report->setMaxLength(1 << 20);
  report->hide();
  binding_->BindControl(report, true);
}

void MainWindow::BuildButtons() {
  build_->Button(form1::kPrevious, "Prev.", {5520, 360, 720, 450},
                 [this] { model_.RecallPrevious(); });
  build_->Button("Command6", "Clear", {6300, 360, 750, 450}, [this] { model_.Clear(); });
  build_->Button("Command8", "Re", {7110, 360, 630, 450}, [this] { model_.DuctFlow(); });
  build_->Button(form1::kCalculate, "計算", {7800, 360, 900, 450}, [this] { model_.Calculate(); });
  build_->Button("Command2", "終了", {8760, 360, 780, 450}, [this] { end_program_(); });

  build_->Button(
      "Command3", "Enthalpy", {8250, 5640, 1290, 390}, [this] { model_.Enthalpy(); },
      "現在のガス組成でエンタルピ計算ができます");
  build_->Button(
      "Command4", "Clipboard", {8250, 6090, 1290, 390}, [this] { model_.CopyReport(); },
      "計算結果をクリップボードに貼り付けます");
  build_->Button(
      "Command5", "燃焼温度", {8250, 6540, 1290, 390}, [this] { model_.CombustionTemperature(); },
      "断熱完全燃焼した時の温度を計算します");
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu("File");
  file->setObjectName("mainmenu");
  AddAction(file, "open", "Open(&F)", QKeySequence(Qt::CTRL | Qt::Key_F),
            [this] { model_.OpenComposition(); });
  AddAction(file, "save", "Save(&S)", QKeySequence(Qt::CTRL | Qt::Key_S),
            [this] { model_.SaveComposition(); });
  file->addSeparator()->setObjectName("line");
  AddAction(file, "exitmenu", "Exit(&X)", QKeySequence(Qt::CTRL | Qt::Key_X),
            [this] { end_program_(); });

  // The preset menus "13A" and "SR-1" stay hidden; their entries act by shortcut only.
  for (const std::string_view name : {form1::kPresetMenuCng, form1::kPresetMenuSr1}) {
    QMenu* menu = bar->addMenu(name == form1::kPresetMenuCng ? "13A" : "SR-1");
    menu->setObjectName(Utf8(name));
    menu->menuAction()->setObjectName(Utf8(name));
    menu->menuAction()->setVisible(false);
    for (const PresetEntry& preset : AllPresets()) {
      if (preset.menu != name) continue;
      AddAction(menu, preset.entry, Utf8(preset.caption),
                QKeySequence(Utf8(preset.shortcut), QKeySequence::PortableText),
                [this, which = preset.preset] { model_.ApplyPreset(which); });
    }
    binding_->BindAction(menu->menuAction());
  }

  QMenu* tool = bar->addMenu("Tool");
  tool->setObjectName("tool");
  AddAction(tool, "mix", "Mixing(&M)", QKeySequence(Qt::CTRL | Qt::Key_M),
            [this] { model_.OpenMixing(); });
  AddAction(tool, "ewater", "Enthalpy of Water(&W)", QKeySequence(Qt::CTRL | Qt::Key_W),
            [this] { model_.OpenWaterEnthalpy(); });
  AddAction(tool, "tsat", "Tsat(&R)", QKeySequence(Qt::CTRL | Qt::Key_R),
            [this] { model_.SaturationTemperature(); });
  AddAction(tool, "chart", "Property Chart(&G)", QKeySequence(Qt::CTRL | Qt::Key_G),
            [this] { model_.OpenPropertyChart(); });

  QMenu* help = bar->addMenu("Help");
  help->setObjectName("helpmenu");
  AddAction(help, "howtomenu", "How to Use(&U)", QKeySequence(Qt::CTRL | Qt::Key_U),
            [this] { model_.OpenHelp(); });
  help->addSeparator()->setObjectName("bar");
  AddAction(help, "versionmenu", "Version", QKeySequence(), [this] { model_.OpenAbout(); });
  if (language_ != nullptr) BuildLanguageMenu(help);
}

void MainWindow::BuildLanguageMenu(QMenu* help) {
  help->addSeparator()->setObjectName("language_bar");
  // Named in both languages, so that either reader finds it.
  QMenu* languages = help->addMenu(QStringLiteral("日本語 / English"));
  languages->setObjectName("languagemenu");
  auto* group = new QActionGroup(languages);
  struct Entry {
    Language language;
    const char* caption;  // in its own language
    const char* name;
  };
  for (const Entry& entry : {Entry{Language::kJapanese, "日本語", "language_ja"},
                             Entry{Language::kEnglish, "English", "language_en"}}) {
    QAction* action = languages->addAction(QString::fromUtf8(entry.caption));
    action->setObjectName(entry.name);
    action->setCheckable(true);
    action->setChecked(language_->chosen() == entry.language);
    group->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, language = entry.language] { language_->Choose(language); });
  }
}

QSize MainWindow::FitOnScreen(QSize size) {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return size;
  const QRect available = screen->availableGeometry();
  const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  const int border = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  const QSize room(available.width() - border, available.height() - title - border);
  if (size.width() <= room.width() && size.height() <= room.height()) return size;
  // A large scale factor on a small screen: the client area scrolls inside a window that the
  // screen holds, so the menus and the status bar stay in view and no text shrinks.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("client_scroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setPalette(client_->palette());
  scroll->setWidget(takeCentralWidget());
  setCentralWidget(scroll);
  return size.boundedTo(room);
}

void MainWindow::BuildStatusBar() {
  QStatusBar* status = statusBar();
  status->setObjectName("StatusBar1");
  status->setSizeGripEnabled(false);
  status->setFixedHeight(scale_.Y(kStatusHeight));
  const auto panel = [status](const QString& name) {
    auto* label = new QLabel(status);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
  };
  QLabel* text = panel(Utf8(form1::kStatusText));
  // Says when the shown values lie outside the range of the property fits.
  text->setAccessibleDescription("Status");
  binding_->BindLabel(text);
  status->addWidget(text, 1);
  date_panel_ = panel("status_date");
  time_panel_ = panel("status_time");
  status->addPermanentWidget(date_panel_);
  status->addPermanentWidget(time_panel_);

  // The panels show minutes: one wake-up at each turn of the minute is enough.
  clock_timer_.setSingleShot(true);
  clock_timer_.setTimerType(Qt::CoarseTimer);
  connect(&clock_timer_, &QTimer::timeout, this, [this] { ShowClock(); });
  ShowClock();
}

void MainWindow::ShowClock() {
  const QDateTime now = QDateTime::currentDateTime();
  date_panel_->setText(now.toString("yyyy/MM/dd"));
  time_panel_->setText(now.toString("H:mm"));
  const QTime time = now.time();
  const int to_next_minute = 60000 - (time.second() * 1000 + time.msec());  // ms
  clock_timer_.start(to_next_minute + 20);
}

void MainWindow::SetTabOrder() {
  const std::vector<std::string_view> order = [] {
    std::vector<std::string_view> names = {form1::kPressure, form1::kTemperature, form1::kCalculate,
                                           "Command2"};
    names.insert(names.end(), form1::kAmount.begin(), form1::kAmount.end());
    names.insert(names.end(), {"Command3", "Command4"});
    names.insert(names.end(), form1::kPressureOptions.begin(), form1::kPressureOptions.end());
    names.insert(names.end(), form1::kTemperatureOptions.begin(), form1::kTemperatureOptions.end());
    names.insert(names.end(), {"Command5", form1::kPrevious, "Command6", "Command8"});
    return names;
  }();
  build_->TabOrder(order);
}

bool MainWindow::IsWindowShortcut(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const QKeySequence& shortcut : shortcuts_) {
    if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
  }
  return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // The menu shortcuts win over a text field's own keys (Ctrl+A, Ctrl+X, ...), as the
  // window's menus always have.
  if (type == QEvent::ShortcutOverride && qobject_cast<QLineEdit*>(watched) != nullptr &&
      IsWindowShortcut(*static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) {
    return QMainWindow::eventFilter(watched, event);
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (watched == client_ && type == QEvent::MouseButtonPress &&
      mouse->button() == Qt::RightButton) {
    const QPoint at = mouse->position().toPoint();
    // Only the bare background: labels, frames and fields pass presses on to it too.
    if (client_->childAt(at) == nullptr) {
      const Twips pointer{scale_.TwipsX(at.x()), scale_.TwipsY(at.y())};
      binding_->Forward([this, pointer] { model_.OpenConverterChooser(pointer); });
    }
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  model_.SetPosition({scale_.TwipsX(x()), scale_.TwipsY(y())});
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  end_program_();
}

}  // namespace toluvek
