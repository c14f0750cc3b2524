#include "tables/property_table.hpp"

namespace toluvek {

TableRow StateRow(double pressure, PressureUnit pressure_unit, double temperature,
                  TemperatureUnit temperature_unit) {
  TableRow row;
  row.inputs_known = true;
  row.pressure = pressure * PascalPer(pressure_unit);
  if (temperature_unit == TemperatureUnit::kCelsius) {
    row.temperature_k = temperature + kKelvinOffset;
    row.temperature_c = temperature;
  } else {
    row.temperature_k = temperature;
    row.temperature_c = temperature - kKelvinOffset;
  }
  return row;
}

bool CalculateRow(TableRow& row, const AmountsInput& amounts, MixtureResult& scratch) {
  const Message* message = EvaluateState(row.pressure, row.temperature_k, amounts, scratch);
  if (message != nullptr) {
    row.properties = nullptr;
    row.error = message->text;
    return false;
  }
  row.properties = &scratch.properties;
  row.error = {};
  return true;
}

TableCounts WriteSweep(const SweepRequest& request, TableWriter& writer) {
  TableCounts counts;
  MixtureResult scratch;
  for (std::uint64_t ip = 0; ip < request.pressure.count; ++ip) {
    const double pressure = request.pressure.At(ip);
    for (std::uint64_t it = 0; it < request.temperature.count; ++it) {
      TableRow row = StateRow(pressure, request.pressure_unit, request.temperature.At(it),
                              request.temperature_unit);
      CalculateRow(row, request.amounts, scratch);
      writer.Write(row);
      counts.Count(row);
      if (writer.failed()) return counts;
    }
  }
  return counts;
}

}  // namespace toluvek
