#include "main/main_window_model.hpp"

#include <algorithm>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "engine/fit_range.hpp"
#include "files/text_encoding.hpp"
#include "main/main_window_fields.hpp"
#include "main/report.hpp"
#include "main/state_check.hpp"

namespace toluvek {
namespace {

constexpr std::string_view kMixtureFields[] = {
    form1::kMolarMass,    form1::kDensity,   form1::kCp,
    form1::kConductivity, form1::kViscosity, form1::kKinematicViscosity,
    form1::kGasConstant,  form1::kPrandtl,   form1::kPrandtlEucken};

bool IsAmountField(std::string_view control) {
  return std::find(form1::kAmount.begin(), form1::kAmount.end(), control) != form1::kAmount.end();
}

std::optional<PressureUnit> PressureUnitNamed(std::string_view name) {
  for (PressureUnit unit : {PressureUnit::kPa, PressureUnit::kAtm, PressureUnit::kKgfCm2}) {
    if (name == PressureUnitName(unit)) return unit;
  }
  return std::nullopt;
}

std::optional<TemperatureUnit> TemperatureUnitNamed(std::string_view name) {
  for (TemperatureUnit unit : {TemperatureUnit::kCelsius, TemperatureUnit::kKelvin}) {
    if (name == TemperatureUnitName(unit)) return unit;
  }
  return std::nullopt;
}

std::string_view PressureOption(PressureUnit unit) {
  return form1::kPressureOptions[static_cast<std::size_t>(unit) - 1];
}

std::string_view TemperatureOption(TemperatureUnit unit) {
  return form1::kTemperatureOptions[unit == TemperatureUnit::kCelsius ? 0 : 1];
}

}  // namespace

CalculationSubscription::~CalculationSubscription() {
  Leave();
}

CalculationSubscription::CalculationSubscription(CalculationSubscription&& other) noexcept
    : listeners_(std::move(other.listeners_)), key_(other.key_) {
  other.listeners_.reset();
}

CalculationSubscription& CalculationSubscription::operator=(
    CalculationSubscription&& other) noexcept {
  if (this != &other) {
    Leave();
    listeners_ = std::move(other.listeners_);
    key_ = other.key_;
    other.listeners_.reset();
  }
  return *this;
}

void CalculationSubscription::Leave() {
  if (const std::shared_ptr<Listeners> listeners = listeners_.lock()) listeners->erase(key_);
  listeners_.reset();
}

CalculationSubscription MainWindowModel::FollowCalculations(std::function<void()> listener) {
  const int key = next_listener_key_++;
  calculation_listeners_->emplace(key, std::move(listener));
  return {calculation_listeners_, key};
}

FileDialogRequest SaveCompositionRequest() {
  return {"データ保存", kCompositionFilter, "txt", true};
}

FileDialogRequest OpenCompositionRequest() {
  return {"データファイルの選択", kCompositionFilter, "", false};
}

MainWindowModel::MainWindowModel(MainWindowServices services) : services_(services) {
  SetBackground(form1::kWindow, kWindowGrey);
  SetVisible(form1::kPresetMenuCng, false);
  SetVisible(form1::kPresetMenuSr1, false);
  SetVisible(form1::kReport, false);
  SetBackground(form1::kPressure, kInputYellow);
  SetBackground(form1::kTemperature, kInputYellow);
  for (std::string_view field : form1::kAmount) SetBackground(field, kInputYellow);
  for (std::string_view field : kMixtureFields) SetBackground(field, kMixtureGreen);

  CheckOne(form1::kPressureOptions, PressureOption(pressure_option_));
  CheckOne(form1::kTemperatureOptions, TemperatureOption(temperature_unit_));
  unit_rewrite_pending_ = false;
  SetEnabled(form1::kCalculate, true);
  SetEnabled(form1::kPrevious, false);
  SetText(form1::kPressure, FormatPattern(101325, Pattern::kSci5));
  SetText(form1::kTemperature, "25");
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(form1::kAmount[i], i == kO2 ? "21" : i == kN2 ? "79" : "0");
  }
  current_ = previous_ = InputRecord{};
}

void MainWindowModel::TextChanged(std::string_view control) {
  if (control == form1::kPressure || control == form1::kTemperature) {
    // The rewrite done by a unit switch does not re-enable a calculation; the next edit does.
    if (unit_rewrite_pending_) {
      unit_rewrite_pending_ = false;
    } else {
      SetEnabled(form1::kCalculate, true);
    }
    return;
  }
  if (IsAmountField(control)) SetEnabled(form1::kCalculate, true);
}

void MainWindowModel::SelectPressureUnit(PressureUnit unit) {
  if (unit == pressure_option_) return;  // the option already chosen
  pressure_option_ = unit;
  CheckOne(form1::kPressureOptions, PressureOption(unit));
  unit_rewrite_pending_ = true;
  if (unit == pressure_unit_) return;  // text left exactly as it is
  try {
    const double value = RequireNumber(Text(form1::kPressure));
    double converted = 0;
    if (pressure_unit_ == PressureUnit::kPa) {
      converted = Div(value, PascalPer(unit));
    } else if (unit == PressureUnit::kPa) {
      converted = toluvek::Checked(value * PascalPer(pressure_unit_));
    } else {
      converted = Div(toluvek::Checked(value * PascalPer(pressure_unit_)), PascalPer(unit));
    }
    SetText(form1::kPressure, FormatPattern(converted, Pattern::kSci5));
    pressure_unit_ = unit;
  } catch (const std::exception&) {
    services_.messages.Show(messages::kCheckInput);
  }
}

void MainWindowModel::SelectTemperatureUnit(TemperatureUnit unit) {
  if (unit == temperature_unit_) return;
  temperature_unit_ = unit;
  CheckOne(form1::kTemperatureOptions, TemperatureOption(unit));
  unit_rewrite_pending_ = true;
  try {
    const double value = RequireNumber(Text(form1::kTemperature));
    const double converted =
        unit == TemperatureUnit::kKelvin ? value + kKelvinOffset : value - kKelvinOffset;
    SetText(form1::kTemperature, FormatGeneral(toluvek::Checked(converted)));
  } catch (const std::exception&) {
    services_.messages.Show(messages::kCheckInput);
  }
}

bool MainWindowModel::Calculate() {
  try {
    return RunCalculation();
  } catch (const std::exception&) {
    // A text that is not a number, or an arithmetic fault: what was written stays.
    services_.messages.Show(messages::kCheckInput);
    return false;
  }
}

const std::string& OutsideFitRangeStatus() {
  static const std::string text = "適用範囲外の温度です（物性値の式は約" +
                                  FormatGeneral(kPropertyFitRange.low) + "～" +
                                  FormatGeneral(kPropertyFitRange.high) + " K）";
  return text;
}

bool MainWindowModel::RunCalculation() {
  // The outcome of an earlier calculation must not pass for this one's.
  last_mixture_.reset();
  // 1-2. Pressure in Pa, temperature in K.
  const double pressure =
      toluvek::Checked(RequireNumber(Text(form1::kPressure)) * PascalPer(pressure_unit_));
  double temperature = RequireNumber(Text(form1::kTemperature));
  if (temperature_unit_ == TemperatureUnit::kCelsius)
    temperature = toluvek::Checked(temperature + kKelvinOffset);

  // 3-10. The checks, up to the first that fails; once every amount has a text, 計算 stays
  // disabled until an input changes.
  std::array<std::string, kSpeciesCount> amount_texts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) amount_texts[i] = Text(form1::kAmount[i]);
  const AmountsInput input = ReadAmounts(amount_texts);
  const StateCheck check = CheckState(pressure, temperature, input);
  if (check.amounts_given) SetEnabled(form1::kCalculate, false);
  if (check.message != nullptr) {
    services_.messages.Show(*check.message);
    return false;
  }
  const SpeciesArray& amounts = input.values;

  // 11. Input records.
  SetEnabled(form1::kPrevious, true);
  previous_ = current_;
  current_ = InputRecord{pressure, temperature - kKelvinOffset, amounts};

  // 12-13. Calculation and results, up to the first quantity that failed.
  const MixtureResult& result =
      last_mixture_.emplace(CalculateMixture(pressure, temperature, amounts));
  // The values are shown wherever the fits are evaluated; the status bar tells when they are
  // extrapolations. It adds no message box, so the command's messages stay as they are.
  SetText(form1::kStatusText,
          InPropertyFitRange(temperature) ? std::string() : OutsideFitRangeStatus());
  for (const FieldWrite& write : ResultWrites(result)) SetText(write.field, write.text);
  if (!result.ok()) {
    services_.messages.Show(messages::kCheckInput);
    return false;
  }

  // 14-15. Species present turn their result rows cyan; a unit switch's rewrite still awaited
  // is forgotten, so the next edit of pressure or temperature enables a calculation again.
  ColourResultRows(amounts);
  unit_rewrite_pending_ = false;
  // A copy: a listener may end its own subscription or another while it runs.
  const CalculationSubscription::Listeners listeners = *calculation_listeners_;
  for (const auto& [key, listener] : listeners) listener();
  return true;
}

void MainWindowModel::ColourResultRows(const SpeciesArray& amounts) {
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const Rgb colour = amounts[i] > 0 ? kCyan : kWhite;
    for (const SpeciesFields* row : form1::kResultRows) SetBackground((*row)[i], colour);
  }
}

std::string_view MainWindowModel::EnterPressed(std::string_view control) {
  if (control == form1::kPressure) return form1::kTemperature;
  if (control == form1::kTemperature || IsAmountField(control)) Calculate();
  return {};
}

void MainWindowModel::Clear() {
  for (std::string_view field : form1::kAmount) SetText(field, "0");
}

void MainWindowModel::RecallPrevious() {
  try {
    SelectPressureUnit(PressureUnit::kPa);
    SetText(form1::kPressure, FormatPattern(previous_.pressure, Pattern::kSci5));
    AdoptShownPressureUnit();
    SelectTemperatureUnit(TemperatureUnit::kCelsius);
    SetText(form1::kTemperature, FormatPattern(previous_.temperature, Pattern::kFixed2));
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      SetText(form1::kAmount[i], FormatPattern(previous_.amounts[i], Pattern::kFixed2));
    }
    SetEnabled(form1::kPrevious, false);
  } catch (const std::exception&) {
    services_.messages.Show(messages::kCheckInput);
  }
}

void MainWindowModel::DuctFlow() {
  if (pressure_option_ != PressureUnit::kPa) SelectPressureUnit(PressureUnit::kPa);
  if (temperature_unit_ != TemperatureUnit::kCelsius) {
    SelectTemperatureUnit(TemperatureUnit::kCelsius);
  }
  Calculate();
  services_.windows.Open(ToolWindow::kDuctFlow, offsets::kDuctFlow);
}

void MainWindowModel::Enthalpy() {
  Calculate();
  services_.windows.Open(ToolWindow::kEnthalpy, offsets::kEnthalpy);
}

void MainWindowModel::CopyReport() {
  SetText(form1::kReport, ResultsReport(*this));
  services_.clipboard.SetText(Text(form1::kReport));
}

void MainWindowModel::SaturationTemperature() {
  try {
    Calculate();
    const std::string& moisture = Text(form1::kMoleFraction[kH2O]);
    if (moisture.empty()) return;
    if (ParseLenient(moisture) != 0) {
      services_.windows.Open(ToolWindow::kSaturation, offsets::kSaturation);
      SetBackground(form1::kMoleFraction[kH2O], kMoistureMagenta);
    } else {
      services_.messages.Show(main_window_messages::kNoMoisture);
    }
  } catch (const std::exception&) {
    // The dew point is a convenience: a failure here passes without a message.
  }
}

void MainWindowModel::ShowTotalAmount() {
  try {
    double total = 0;
    for (std::string_view field : form1::kAmount) total += ParseLenient(Text(field));
    services_.messages.Show(
        {main_window_messages::kTotalAmountPrefix + FormatGeneral(toluvek::Checked(total)),
         main_window_messages::kTotalAmountTitle, MessageIcon::kNone, "total_amount"});
  } catch (const std::exception&) {
    services_.messages.Show(messages::kCheckInput);
  }
}

void MainWindowModel::OpenCompositionDialog() {
  services_.windows.Open(ToolWindow::kCompositionChooser, offsets::kCompositionChooser);
}

void MainWindowModel::OpenConverterChooser(Twips pointer) {
  services_.windows.Open(ToolWindow::kConverterChooser,
                         {pointer.x + offsets::kConverterChooserFromPointer.x,
                          pointer.y + offsets::kConverterChooserFromPointer.y});
}

void MainWindowModel::OpenMixing() {
  if (temperature_unit_ != TemperatureUnit::kCelsius) {
    SelectTemperatureUnit(TemperatureUnit::kCelsius);
  }
  services_.windows.Open(ToolWindow::kMixing, offsets::kMixing);
}

void MainWindowModel::OpenWaterEnthalpy() {
  services_.windows.Open(ToolWindow::kWaterEnthalpy, offsets::kWaterEnthalpy);
}

void MainWindowModel::OpenHelp() {
  services_.windows.Open(ToolWindow::kHelp, offsets::kHelp);
}

void MainWindowModel::OpenAbout() {
  services_.windows.Open(ToolWindow::kAbout, offsets::kAbout);
}

void MainWindowModel::OpenPropertyChart() {
  services_.windows.Open(ToolWindow::kPropertyChart, offsets::kPropertyChart);
}

bool MainWindowModel::PathChosen(const FileDialogResult& result) {
  if (result.status == FileDialogResult::Status::kFailed) {
    services_.messages.Beep();
    services_.messages.Show(main_window_messages::kFileSelectionFailed);
    return false;
  }
  return result.status == FileDialogResult::Status::kChosen && !result.path.empty();
}

void MainWindowModel::SaveComposition() {
  const FileDialogResult chosen = services_.dialogs.Ask(SaveCompositionRequest());
  if (PathChosen(chosen)) SaveCompositionFile(chosen.path);
}

void MainWindowModel::OpenComposition() {
  const FileDialogResult chosen = services_.dialogs.Ask(OpenCompositionRequest());
  if (PathChosen(chosen)) LoadCompositionFile(chosen.path);
}

CompositionData MainWindowModel::CompositionFromFields() const {
  CompositionData data;
  data.pressure = ParseLenient(Text(form1::kPressure));
  data.pressure_unit = PressureUnitName(pressure_option_);
  data.temperature = ParseLenient(Text(form1::kTemperature));
  data.temperature_unit = TemperatureUnitName(temperature_unit_);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    data.amounts[i] = ParseLenient(Text(form1::kAmount[i]));
  }
  return data;
}

std::error_code MainWindowModel::SaveCompositionFile(const std::string& path) {
  std::optional<std::string> bytes;
  try {
    bytes = Utf8ToCp932(CompositionText(CompositionFromFields(), services_.clock.Now()));
  } catch (const std::exception&) {
    services_.messages.Show(messages::kCheckInput);
    return SaveRefusal::kValueOutOfRange;
  }
  std::error_code error = bytes ? WriteFileAtomically(path, *bytes)
                                : std::make_error_code(std::errc::illegal_byte_sequence);
  if (error) {
    services_.messages.Beep();
    services_.messages.Show(main_window_messages::kFileNotSaved);
  }
  return error;
}

bool MainWindowModel::LoadCompositionFile(const std::string& path) {
  return ApplyCompositionFile(path) == CompositionError::kNone && Calculate();
}

CompositionError MainWindowModel::ApplyCompositionFile(const std::string& path) {
  const CompositionReadResult read = ReadCompositionFile(path);
  if (!read.ok()) {
    services_.messages.Show(main_window_messages::kFileUnreadable);
    return read.error;
  }
  ApplyComposition(*read.data);
  return CompositionError::kNone;
}

void MainWindowModel::ApplyComposition(const CompositionData& data) {
  // Through the option buttons as if clicked; their conversions are overwritten below.
  const std::optional<TemperatureUnit> temperature_unit =
      TemperatureUnitNamed(data.temperature_unit);
  if (temperature_unit) SelectTemperatureUnit(*temperature_unit);
  const std::optional<PressureUnit> pressure_unit = PressureUnitNamed(data.pressure_unit);
  if (pressure_unit) SelectPressureUnit(*pressure_unit);
  // The file's values were read by ParseStrict: finite, so FormatGeneral cannot fail.
  SetText(form1::kPressure, FormatGeneral(data.pressure));
  if (pressure_unit) AdoptShownPressureUnit();
  SetText(form1::kTemperature, FormatGeneral(data.temperature));
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(form1::kAmount[i], FormatGeneral(data.amounts[i]));
  }
}

void MainWindowModel::ApplyPreset(Preset preset) {
  const SpeciesArray& amounts = PresetFor(preset).amounts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    SetText(form1::kAmount[i], FormatGeneral(amounts[i]));
  }
}

}  // namespace toluvek
