// The manufacturer parameters the host reads and writes on slot 1: 74 commands, each
// named read_ or write_ followed by its variable's name, which gives the variable
// (catalogue/objects.tsv).
#include <iterator>

#include "commands/command_frame.h"
#include "module/row_index.h"
#include "module/subsystems.h"

namespace commands {
namespace {

constexpr CommandRow kCommands[] = {
    {.id = id::read_manu_sensor_type_diagnostic, .operation = OperationRead, .index = 111, .variable = id::manu_sensor_type_diagnostic},
    {.id = id::read_manu_check_select, .operation = OperationRead, .index = 150, .variable = id::manu_check_select},
    {.id = id::write_manu_check_select, .operation = OperationWrite, .index = 150, .variable = id::manu_check_select},
    {.id = id::read_manu_check_select_help, .operation = OperationRead, .index = 150, .variable = id::manu_check_select_help},
    {.id = id::write_manu_check_select_help, .operation = OperationWrite, .index = 150, .variable = id::manu_check_select_help},
    {.id = id::read_manu_check_threshold_enabled, .operation = OperationRead, .index = 151, .variable = id::manu_check_threshold_enabled},
    {.id = id::write_manu_check_threshold_enabled, .operation = OperationWrite, .index = 151, .variable = id::manu_check_threshold_enabled},
    {.id = id::read_manu_check_error_delay, .operation = OperationRead, .index = 152, .variable = id::manu_check_error_delay},
    {.id = id::write_manu_check_error_delay, .operation = OperationWrite, .index = 152, .variable = id::manu_check_error_delay},
    {.id = id::read_manu_check_threshold_low, .operation = OperationRead, .index = 153, .variable = id::manu_check_threshold_low},
    {.id = id::write_manu_check_threshold_low, .operation = OperationWrite, .index = 153, .variable = id::manu_check_threshold_low},
    {.id = id::read_manu_check_threshold_high, .operation = OperationRead, .index = 154, .variable = id::manu_check_threshold_high},
    {.id = id::write_manu_check_threshold_high, .operation = OperationWrite, .index = 154, .variable = id::manu_check_threshold_high},
    {.id = id::read_manu_check_monitoring_enabled, .operation = OperationRead, .index = 155, .variable = id::manu_check_monitoring_enabled},
    {.id = id::write_manu_check_monitoring_enabled, .operation = OperationWrite, .index = 155, .variable = id::manu_check_monitoring_enabled},
    {.id = id::read_manu_check_low_alarm_time_max, .operation = OperationRead, .index = 156, .variable = id::manu_check_low_alarm_time_max},
    {.id = id::write_manu_check_low_alarm_time_max, .operation = OperationWrite, .index = 156, .variable = id::manu_check_low_alarm_time_max},
    {.id = id::read_manu_check_high_alarm_time_max, .operation = OperationRead, .index = 157, .variable = id::manu_check_high_alarm_time_max},
    {.id = id::write_manu_check_high_alarm_time_max, .operation = OperationWrite, .index = 157, .variable = id::manu_check_high_alarm_time_max},
    {.id = id::read_manu_check_limit_value, .operation = OperationRead, .index = 158, .variable = id::manu_check_limit_value},
    {.id = id::write_manu_check_limit_value, .operation = OperationWrite, .index = 158, .variable = id::manu_check_limit_value},
    {.id = id::read_manu_alarm_contact_type, .operation = OperationRead, .index = 159, .variable = id::manu_alarm_contact_type},
    {.id = id::write_manu_alarm_contact_type, .operation = OperationWrite, .index = 159, .variable = id::manu_alarm_contact_type},
    {.id = id::read_manu_alarm_delay_unit, .operation = OperationRead, .index = 160, .variable = id::manu_alarm_delay_unit},
    {.id = id::write_manu_alarm_delay_unit, .operation = OperationWrite, .index = 160, .variable = id::manu_alarm_delay_unit},
    {.id = id::read_manu_alarm_delay, .operation = OperationRead, .index = 161, .variable = id::manu_alarm_delay},
    {.id = id::write_manu_alarm_delay, .operation = OperationWrite, .index = 161, .variable = id::manu_alarm_delay},
    {.id = id::read_manu_alarm_error_code_select, .operation = OperationRead, .index = 162, .variable = id::manu_alarm_error_code_select},
    {.id = id::write_manu_alarm_error_code_select, .operation = OperationWrite, .index = 162, .variable = id::manu_alarm_error_code_select},
    {.id = id::read_manu_alarm_error_state, .operation = OperationRead, .index = 163, .variable = id::manu_alarm_error_state},
    {.id = id::read_manu_alarm_contact_enabled, .operation = OperationRead, .index = 164, .variable = id::manu_alarm_contact_enabled},
    {.id = id::write_manu_alarm_contact_enabled, .operation = OperationWrite, .index = 164, .variable = id::manu_alarm_contact_enabled},
    {.id = id::read_manu_alarm_cleaning_trigger, .operation = OperationRead, .index = 165, .variable = id::manu_alarm_cleaning_trigger},
    {.id = id::write_manu_alarm_cleaning_trigger, .operation = OperationWrite, .index = 165, .variable = id::manu_alarm_cleaning_trigger},
    {.id = id::read_manu_alarm_enable_code, .operation = OperationRead, .index = 166, .variable = id::manu_alarm_enable_code},
    {.id = id::write_manu_alarm_enable_code, .operation = OperationWrite, .index = 166, .variable = id::manu_alarm_enable_code},
    {.id = id::read_manu_alarm_enable_code_DIAGNOSTIC, .operation = OperationRead, .index = 166, .variable = id::manu_alarm_enable_code_DIAGNOSTIC},
    {.id = id::read_manu_hold_configuration, .operation = OperationRead, .index = 167, .variable = id::manu_hold_configuration},
    {.id = id::write_manu_hold_configuration, .operation = OperationWrite, .index = 167, .variable = id::manu_hold_configuration},
    {.id = id::read_manu_hold_time, .operation = OperationRead, .index = 168, .variable = id::manu_hold_time},
    {.id = id::write_manu_hold_time, .operation = OperationWrite, .index = 168, .variable = id::manu_hold_time},
    {.id = id::read_manu_s_version_enabled, .operation = OperationRead, .index = 169, .variable = id::manu_s_version_enabled},
    {.id = id::read_manu_cleaning_function_enabled, .operation = OperationRead, .index = 170, .variable = id::manu_cleaning_function_enabled},
    {.id = id::read_manu_reset_device, .operation = OperationRead, .index = 171, .variable = id::manu_reset_device},
    {.id = id::write_manu_reset_device, .operation = OperationWrite, .index = 171, .variable = id::manu_reset_device},
    {.id = id::read_manu_SW_version, .operation = OperationRead, .index = 172, .variable = id::manu_SW_version},
    {.id = id::read_manu_pH_enabled, .operation = OperationRead, .index = 173, .variable = id::manu_pH_enabled},
    {.id = id::write_manu_pH_enabled, .operation = OperationWrite, .index = 173, .variable = id::manu_pH_enabled},
    {.id = id::read_manu_relay_number, .operation = OperationRead, .index = 174, .variable = id::manu_relay_number},
    {.id = id::read_manu_current_input_enabled, .operation = OperationRead, .index = 175, .variable = id::manu_current_input_enabled},
    {.id = id::read_manu_relay_3Pstep_motor_time, .operation = OperationRead, .index = 176, .variable = id::manu_relay_3Pstep_motor_time},
    {.id = id::write_manu_relay_3Pstep_motor_time, .operation = OperationWrite, .index = 176, .variable = id::manu_relay_3Pstep_motor_time},
    {.id = id::read_manu_relay_3Pstep_neutral_zone, .operation = OperationRead, .index = 177, .variable = id::manu_relay_3Pstep_neutral_zone},
    {.id = id::write_manu_relay_3Pstep_neutral_zone, .operation = OperationWrite, .index = 177, .variable = id::manu_relay_3Pstep_neutral_zone},
    {.id = id::read_manu_current_control_stop, .operation = OperationRead, .index = 178, .variable = id::manu_current_control_stop},
    {.id = id::write_manu_current_control_stop, .operation = OperationWrite, .index = 178, .variable = id::manu_current_control_stop},
    {.id = id::read_manu_current_switch_off_delay, .operation = OperationRead, .index = 179, .variable = id::manu_current_switch_off_delay},
    {.id = id::write_manu_current_switch_off_delay, .operation = OperationWrite, .index = 179, .variable = id::manu_current_switch_off_delay},
    {.id = id::read_manu_current_switch_on_delay, .operation = OperationRead, .index = 180, .variable = id::manu_current_switch_on_delay},
    {.id = id::write_manu_current_switch_on_delay, .operation = OperationWrite, .index = 180, .variable = id::manu_current_switch_on_delay},
    {.id = id::read_manu_current_switch_off_value, .operation = OperationRead, .index = 181, .variable = id::manu_current_switch_off_value},
    {.id = id::write_manu_current_switch_off_value, .operation = OperationWrite, .index = 181, .variable = id::manu_current_switch_off_value},
    {.id = id::read_manu_current_switch_off_direction, .operation = OperationRead, .index = 182, .variable = id::manu_current_switch_off_direction},
    {.id = id::write_manu_current_switch_off_direction, .operation = OperationWrite, .index = 182, .variable = id::manu_current_switch_off_direction},
    {.id = id::read_manu_current_PID_influence, .operation = OperationRead, .index = 183, .variable = id::manu_current_PID_influence},
    {.id = id::write_manu_current_PID_influence, .operation = OperationWrite, .index = 183, .variable = id::manu_current_PID_influence},
    {.id = id::read_manu_current_k_influence, .operation = OperationRead, .index = 184, .variable = id::manu_current_k_influence},
    {.id = id::write_manu_current_k_influence, .operation = OperationWrite, .index = 184, .variable = id::manu_current_k_influence},
    {.id = id::read_manu_relay_limit_switch_state, .operation = OperationRead, .index = 185, .variable = id::manu_relay_limit_switch_state},
    {.id = id::read_manu_serial_num, .operation = OperationRead, .index = 188, .variable = id::manu_serial_num},
    {.id = id::read_manu_relay_PID_basic_load, .operation = OperationRead, .index = 189, .variable = id::manu_relay_PID_basic_load},
    {.id = id::write_manu_relay_PID_basic_load, .operation = OperationWrite, .index = 189, .variable = id::manu_relay_PID_basic_load},
    {.id = id::read_manu_unit_display, .operation = OperationRead, .index = 190, .variable = id::manu_unit_display},
    {.id = id::write_manu_unit_display, .operation = OperationWrite, .index = 190, .variable = id::manu_unit_display},
};
static_assert(std::size(kCommands) == 74);

// Each command carries one variable, on the side its operation uses.
constexpr bool CarryOneVariable() {
  for (const CommandRow& row : kCommands) {
    const CatalogueEntry* entry = catalogue::Find(row.id);
    if (!entry) return false;
    const bool read = row.operation == OperationRead;
    if ((read ? entry->reply : entry->request).size() != 1 || !(read ? entry->request : entry->reply).empty())
      return false;
  }
  return true;
}
static_assert(CarryOneVariable());

constexpr RowIndex<CommandRow> kIndex(ObjectKindCommand, {kCommands});
static_assert(kIndex.faults() == 0, "one row per command");

}  // namespace

std::span<const CommandRow> Rows() { return kCommands; }

const CommandRow* FindRow(long number) { return kIndex.Find(number); }

CalcFunction CalcFunctionFor(ObjId number) { return FindRow(number) ? &CalcCommand : nullptr; }

}  // namespace commands
