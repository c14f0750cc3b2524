#pragma once
// The enthalpy window (Form3, "Enthalpy"): a total flow in one of three units and two
// temperatures; the flow of each species, the heat duty between the temperatures, the LHV and
// HHV energy flows and the latent heats of the water and methanol content, all from the main
// window's current composition, which "Enthalpy" has just calculated.

#include <array>
#include <string_view>
#include <vector>

#include "main/main_window_access.hpp"
#include "main/messages.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/enthalpy/heat_duty.hpp"

namespace toluvek {

// Control names of the enthalpy window.
namespace form3 {
inline constexpr std::string_view kWindow = "Form3";
// Nl/min, mol/h, kg/s, in the order of FlowUnit.
inline constexpr std::array<std::string_view, 3> kUnitOptions = {"Option1", "Option2", "Option3"};
inline constexpr std::string_view kFlow = "Text1";
inline constexpr std::string_view kFlowColumnCaption = "Label17";
// Flow of each species, in species order.
inline constexpr SpeciesFields kSpeciesFlow = {"Text10", "Text5",  "Text6",  "Text7",
                                               "Text8",  "Text9",  "Text4",  "Text11",
                                               "Text12", "Text13", "Text14", "Text15"};
inline constexpr std::string_view kWaterLabel = "Label8";  // "H2O": opens the water window
inline constexpr std::string_view kT1 = "Text2";
inline constexpr std::string_view kT2 = "Text3";
inline constexpr std::string_view kHeatDuty = "Text16";
inline constexpr std::string_view kHeatDutyUnit = "Label15";
inline constexpr std::string_view kLhvCaption = "Label20";
inline constexpr std::string_view kHhvCaption = "Label21";
inline constexpr std::string_view kLhv = "Label22";
inline constexpr std::string_view kHhv = "Label23";
inline constexpr std::string_view kWaterLatent = "Label26";
inline constexpr std::string_view kMethanolLatent = "Label27";
inline constexpr std::string_view kLatentCaption = "Label18";  // "←蒸発潜熱"
inline constexpr std::string_view kCalculate = "Command2";
inline constexpr std::string_view kClose = "Command1";
inline constexpr std::string_view kCalculator = "Command3";
}  // namespace form3

namespace enthalpy_messages {
// No calculator program could be started.
inline const Message kCalculatorNotFound{.text = "ファイルが見つかりません。",
                                         .code = "calculator_not_found"};
// The molar flow came out negative.
inline const Message kFlowNegative = messages::ErrorBox("ガス流量が負です!!", "negative_flow");
}  // namespace enthalpy_messages

// The messages a stopped heat-duty run shows, in order; none when it was not stopped.
std::vector<Message> HeatDutyStopMessages(HeatDutyStop stop);
// Every message box of a run, in the order shown: the negative-temperature warning that lets
// the run go on, then the stop's messages. When the stop closes the window, it closes before
// the last message.
std::vector<Message> HeatDutyMessages(const HeatDutyResult& result);

class EnthalpyWindowModel : public WindowModel {
 public:
  // Loads the window and runs its opening steps: species flows from the main window's mole
  // fractions and F, both temperatures "25", an empty heat duty on white, Calculate enabled,
  // the heating values and the latent-heat caption hidden. A flow or fraction that is not a
  // number stops the opening with "入力値を確認下さい。" and leaves the rest as it was.
  EnthalpyWindowModel(MainWindowAccess& main, MessageService& messages, WindowOpener& windows,
                      CalculatorLauncher& calculator);

  // "計算", Enter in Text3, a unit option: runs the heat duty and shows each
  // output as it comes. A failed run or a zero amount sum unloads the window.
  void Calculate();
  // The unit options: chosen, then a calculation (also while Calculate is disabled).
  void SelectFlowUnit(FlowUnit unit);
  // Enter in a field: Text1 moves the focus on (returns "Text2"), Text2 too (returns "Text3"),
  // Text3 calculates. Returns the control to focus, or "".
  std::string_view EnterPressed(std::string_view control);
  // Leaving Text1: the species flows again as fraction × F, by mass under "kg/s", else by
  // moles.
  void LeaveFlow();
  // "閉": hides the window; it keeps its contents for the next "Enthalpy".
  void Close();
  // "Enthalpy" on a window already loaded: shown again with its contents, "計算" enabled
  // whatever it was.
  void Reopened() override;
  // "計算機": starts the desktop's calculator, or says it found none.
  void StartCalculator();
  // Click on the H2O label: the water enthalpy window.
  void OpenWaterEnthalpy();

  FlowUnit flow_unit() const;
  // The inputs as a calculation now reads them, from this window and the main window.
  HeatDutyInput GatherInput() const;
  // The outcome of the latest calculation.
  const HeatDutyResult& last_result() const { return last_result_; }

 protected:
  void TextChanged(std::string_view control) override;

 private:
  // Species flows as fraction × F, field by field; throws at the first text that is not
  // a number, leaving the fields before it written.
  void FillSpeciesFlows();
  void ShowResult(const HeatDutyResult& result);

  MainWindowAccess& main_;
  MessageService& messages_;
  WindowOpener& windows_;
  CalculatorLauncher& calculator_;
  HeatDutyResult last_result_;
};

}  // namespace toluvek
