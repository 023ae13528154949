// The commands the host reads and writes with: the physical block's, by an index
// relative to the block, and the manufacturer parameters', on slot 1 by an absolute
// index. The catalogue gives each command's variables (catalogue/objects.tsv). The
// ones the methods send are here too, so a host can address every command a method
// names whose index is known.
#include <iterator>

#include "commands/command_frame.h"
#include "module/row_index.h"
#include "module/subsystems.h"

namespace commands {
namespace {

// The profile revision sits in the block header among fields of no interest, which
// fall into fillers of their widths.
constexpr ObjId kProfileRevisionReply[] = {
    id::MVX_dummy_8bit,  id::MVX_dummy_8bit,   id::MVX_dummy_8bit,  id::MVX_dummy_8bit,
    id::MVX_dummy_32bit, id::MVX_dummy_16bit,  id::MVX_dummy_16bit, id::MVX_phys_profile_rev,
    id::MVX_dummy_8bit,  id::MVX_dummy_16bit,  id::MVX_dummy_16bit, id::MVX_dummy_8bit,
};

constexpr CommandRow kCommands[] = {
    // The physical block: its header (index 0) and the identification, software
    // revision and reset parameters.
    {.id = id::read_MVX_profile_rev, .operation = OperationRead, .index = 0, .block = id::physical_block,
     .items = kProfileRevisionReply},
    {.id = id::read_MVX_software_rev, .operation = OperationRead, .index = 8, .block = id::physical_block},
    {.id = id::read_phys_software_rev_numeric, .operation = OperationRead, .index = 8, .block = id::physical_block},
    {.id = id::read_MVX_phys_device_man_id, .operation = OperationRead, .index = 10, .block = id::physical_block},
    {.id = id::read_MVX_phys_device_id, .operation = OperationRead, .index = 11, .block = id::physical_block},
    {.id = id::write_phys_factory_reset, .operation = OperationWrite, .index = 19, .block = id::physical_block},
    // Slot 1, in index order.
    {.id = id::read_manu_sensor_type_diagnostic, .operation = OperationRead, .index = 111},
    {.id = id::read_manu_sensor_type, .operation = OperationRead, .index = 111},
    {.id = id::write_manu_sensor_type, .operation = OperationWrite, .index = 111},
    {.id = id::read_manu_control_stop, .operation = OperationRead, .index = 112},
    {.id = id::read_manu_mode, .operation = OperationRead, .index = 117},
    {.id = id::read_manu_mode_help, .operation = OperationRead, .index = 117},
    {.id = id::read_manu_ph_compensation, .operation = OperationRead, .index = 118},
    {.id = id::read_manu_temperature_process_entry, .operation = OperationRead, .index = 120},
    {.id = id::read_manu_temperature_offset, .operation = OperationRead, .index = 121},
    {.id = id::read_manu_relay_function, .operation = OperationRead, .index = 123},
    {.id = id::write_manu_relay_function, .operation = OperationWrite, .index = 123},
    {.id = id::read_manu_relay_PID_mode, .operation = OperationRead, .index = 135},
    {.id = id::read_manu_check_select, .operation = OperationRead, .index = 150},
    {.id = id::write_manu_check_select, .operation = OperationWrite, .index = 150},
    {.id = id::read_manu_check_select_help, .operation = OperationRead, .index = 150},
    {.id = id::write_manu_check_select_help, .operation = OperationWrite, .index = 150},
    {.id = id::read_manu_check_threshold_enabled, .operation = OperationRead, .index = 151},
    {.id = id::write_manu_check_threshold_enabled, .operation = OperationWrite, .index = 151},
    {.id = id::read_manu_check_error_delay, .operation = OperationRead, .index = 152},
    {.id = id::write_manu_check_error_delay, .operation = OperationWrite, .index = 152},
    {.id = id::read_manu_check_threshold_low, .operation = OperationRead, .index = 153},
    {.id = id::write_manu_check_threshold_low, .operation = OperationWrite, .index = 153},
    {.id = id::read_manu_check_threshold_high, .operation = OperationRead, .index = 154},
    {.id = id::write_manu_check_threshold_high, .operation = OperationWrite, .index = 154},
    {.id = id::read_manu_check_monitoring_enabled, .operation = OperationRead, .index = 155},
    {.id = id::write_manu_check_monitoring_enabled, .operation = OperationWrite, .index = 155},
    {.id = id::read_manu_check_low_alarm_time_max, .operation = OperationRead, .index = 156},
    {.id = id::write_manu_check_low_alarm_time_max, .operation = OperationWrite, .index = 156},
    {.id = id::read_manu_check_high_alarm_time_max, .operation = OperationRead, .index = 157},
    {.id = id::write_manu_check_high_alarm_time_max, .operation = OperationWrite, .index = 157},
    {.id = id::read_manu_check_limit_value, .operation = OperationRead, .index = 158},
    {.id = id::write_manu_check_limit_value, .operation = OperationWrite, .index = 158},
    {.id = id::read_manu_alarm_contact_type, .operation = OperationRead, .index = 159},
    {.id = id::write_manu_alarm_contact_type, .operation = OperationWrite, .index = 159},
    {.id = id::read_manu_alarm_delay_unit, .operation = OperationRead, .index = 160},
    {.id = id::write_manu_alarm_delay_unit, .operation = OperationWrite, .index = 160},
    {.id = id::read_manu_alarm_delay, .operation = OperationRead, .index = 161},
    {.id = id::write_manu_alarm_delay, .operation = OperationWrite, .index = 161},
    {.id = id::read_manu_alarm_error_code_select, .operation = OperationRead, .index = 162},
    {.id = id::write_manu_alarm_error_code_select, .operation = OperationWrite, .index = 162},
    {.id = id::read_manu_alarm_error_state, .operation = OperationRead, .index = 163},
    {.id = id::read_manu_alarm_contact_enabled, .operation = OperationRead, .index = 164},
    {.id = id::write_manu_alarm_contact_enabled, .operation = OperationWrite, .index = 164},
    {.id = id::read_manu_alarm_cleaning_trigger, .operation = OperationRead, .index = 165},
    {.id = id::write_manu_alarm_cleaning_trigger, .operation = OperationWrite, .index = 165},
    {.id = id::read_manu_alarm_enable_code, .operation = OperationRead, .index = 166},
    {.id = id::write_manu_alarm_enable_code, .operation = OperationWrite, .index = 166},
    {.id = id::read_manu_alarm_enable_code_DIAGNOSTIC, .operation = OperationRead, .index = 166},
    {.id = id::read_manu_hold_configuration, .operation = OperationRead, .index = 167},
    {.id = id::write_manu_hold_configuration, .operation = OperationWrite, .index = 167},
    {.id = id::read_manu_hold_time, .operation = OperationRead, .index = 168},
    {.id = id::write_manu_hold_time, .operation = OperationWrite, .index = 168},
    {.id = id::read_manu_s_version_enabled, .operation = OperationRead, .index = 169},
    {.id = id::read_manu_cleaning_function_enabled, .operation = OperationRead, .index = 170},
    {.id = id::read_manu_reset_device, .operation = OperationRead, .index = 171},
    {.id = id::write_manu_reset_device, .operation = OperationWrite, .index = 171},
    {.id = id::read_manu_SW_version, .operation = OperationRead, .index = 172},
    {.id = id::read_manu_pH_enabled, .operation = OperationRead, .index = 173},
    {.id = id::write_manu_pH_enabled, .operation = OperationWrite, .index = 173},
    {.id = id::read_manu_relay_number, .operation = OperationRead, .index = 174},
    {.id = id::read_manu_current_input_enabled, .operation = OperationRead, .index = 175},
    {.id = id::read_manu_relay_3Pstep_motor_time, .operation = OperationRead, .index = 176},
    {.id = id::write_manu_relay_3Pstep_motor_time, .operation = OperationWrite, .index = 176},
    {.id = id::read_manu_relay_3Pstep_neutral_zone, .operation = OperationRead, .index = 177},
    {.id = id::write_manu_relay_3Pstep_neutral_zone, .operation = OperationWrite, .index = 177},
    {.id = id::read_manu_current_control_stop, .operation = OperationRead, .index = 178},
    {.id = id::write_manu_current_control_stop, .operation = OperationWrite, .index = 178},
    {.id = id::read_manu_current_switch_off_delay, .operation = OperationRead, .index = 179},
    {.id = id::write_manu_current_switch_off_delay, .operation = OperationWrite, .index = 179},
    {.id = id::read_manu_current_switch_on_delay, .operation = OperationRead, .index = 180},
    {.id = id::write_manu_current_switch_on_delay, .operation = OperationWrite, .index = 180},
    {.id = id::read_manu_current_switch_off_value, .operation = OperationRead, .index = 181},
    {.id = id::write_manu_current_switch_off_value, .operation = OperationWrite, .index = 181},
    {.id = id::read_manu_current_switch_off_direction, .operation = OperationRead, .index = 182},
    {.id = id::write_manu_current_switch_off_direction, .operation = OperationWrite, .index = 182},
    {.id = id::read_manu_current_PID_influence, .operation = OperationRead, .index = 183},
    {.id = id::write_manu_current_PID_influence, .operation = OperationWrite, .index = 183},
    {.id = id::read_manu_current_k_influence, .operation = OperationRead, .index = 184},
    {.id = id::write_manu_current_k_influence, .operation = OperationWrite, .index = 184},
    {.id = id::read_manu_relay_limit_switch_state, .operation = OperationRead, .index = 185},
    {.id = id::read_manu_serial_num, .operation = OperationRead, .index = 188},
    {.id = id::read_manu_relay_PID_basic_load, .operation = OperationRead, .index = 189},
    {.id = id::write_manu_relay_PID_basic_load, .operation = OperationWrite, .index = 189},
    {.id = id::read_manu_unit_display, .operation = OperationRead, .index = 190},
    {.id = id::write_manu_unit_display, .operation = OperationWrite, .index = 190},
};
static_assert(std::size(kCommands) == 91);

constexpr bool Contains(std::span<const ObjId> ids, ObjId id) {
  for (ObjId each : ids)
    if (each == id) return true;
  return false;
}

// Each command carries its variables on the side its operation uses, a slot command
// exactly one, a block command names a block; data items and carried variables name
// the same variables.
constexpr bool ItemsAgreeWithTheCatalogue() {
  for (const CommandRow& row : kCommands) {
    const int at = catalogue::IndexOf(row.id);
    if (at < 0) return false;
    const CatalogueEntry& entry = kCatalogue[at];
    const std::span<const ObjId> carried = Carried(row);
    if (carried.empty() || !(row.operation == OperationRead ? entry.request : entry.reply).empty()) return false;
    if (row.block) {
      const int block = catalogue::IndexOf(row.block);
      if (block < 0 || kCatalogue[block].kind != ObjectKindBlock) return false;
    } else if (carried.size() != 1) {
      return false;
    }
    for (ObjId item : Items(row))
      if (!Contains(carried, item)) return false;
    for (ObjId variable : carried)
      if (!Contains(Items(row), variable)) return false;
  }
  return true;
}
static_assert(ItemsAgreeWithTheCatalogue());

constexpr RowIndex<CommandRow> kIndex(ObjectKindCommand, {kCommands});
static_assert(kIndex.faults() == 0, "one row per command");

}  // namespace

std::span<const CommandRow> Rows() { return kCommands; }

const CommandRow* FindRow(long number) { return kIndex.Find(number); }

CalcFunction CalcFunctionFor(ObjId number) { return FindRow(number) ? &CalcCommand : nullptr; }

}  // namespace commands
