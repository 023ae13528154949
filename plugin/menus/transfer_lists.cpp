// The two transfer lists: download_variables names what the host reads from the
// device, upload_variables what it writes (the names are crossed with the labels).
#include "menus/value_menus.h"
#include "module/device_codes.h"
#include "module/latin1.h"

namespace menus {
namespace {

// ---------------------------------------------------------------- shared tests and items

constexpr MenuItem kControlStopDelays[] = {{id::manu_control_stop_switch_off_delay},
                                           {id::manu_control_stop_switch_on_delay}};
constexpr MenuItem kInputAndDamping[] = {{id::manu_digital_input}, {id::manu_damping_measure_value}};
constexpr MenuItem kCurrentSwitchOff[] = {{id::manu_current_switch_off_delay},
                                          {id::manu_current_switch_on_delay},
                                          {id::manu_current_switch_off_value},
                                          {id::manu_current_switch_off_direction}};
constexpr MenuItem kMonitoringItems[] = {
    {id::manu_check_low_alarm_time_max}, {id::manu_check_high_alarm_time_max}, {id::manu_check_limit_value}};
constexpr MenuItem kAlarmAndHold[] = {{id::manu_alarm_contact_type},
                                      {id::manu_alarm_delay_unit},
                                      {id::manu_alarm_delay},
                                      {id::manu_hold_configuration},
                                      {id::manu_hold_time}};

// The pH compensation applies to sensor types up to QN-702; on a pH device not in redox
// mode. A pH flag the host cannot give decides neither way.
bool CompensationApplies(MenuBuild& build) {
  if (!AtMost(build, id::manu_sensor_type, code::kQN702)) return false;
  const CDDCommonVariant& ph = build.Read(id::manu_pH_enabled);
  if (ph == CDDCommonVariant(1)) return IsNot(build, id::manu_mode, code::kRedox);
  return !ph.isEmpty();
}

// Threshold settings that use a low, respectively a high limit; the second set applies
// when the check watches the second value (its enumeration has one entry more).
constexpr int kLowWhenSelect0[] = {1, 3, 5};
constexpr int kLowWhenSelect1[] = {1, 3, 4, 6};
constexpr int kHighWhenSelect0[] = {2, 3, 4, 5};
constexpr int kHighWhenSelect1[] = {2, 3, 5, 6};

bool LimitUsed(MenuBuild& build, std::span<const int> whenSelect0, std::span<const int> whenSelect1) {
  return (Is(build, id::manu_check_select, code::kChlorine) &&
          IsIn(build, id::manu_check_threshold_enabled, whenSelect0)) ||
         (Is(build, id::manu_check_select, code::kSecondValue) &&
          IsIn(build, id::manu_check_threshold_enabled, whenSelect1));
}

void AppendLimitItems(MenuBuild& build) {
  if (LimitUsed(build, kLowWhenSelect0, kLowWhenSelect1)) build.Append(MenuItem{id::manu_check_threshold_low});
  if (LimitUsed(build, kHighWhenSelect0, kHighWhenSelect1)) build.Append(MenuItem{id::manu_check_threshold_high});
}

void AppendMonitoringItems(MenuBuild& build) {
  if (IsIn(build, id::manu_check_monitoring_enabled, {3, 4, 5, 6})) build.Append(kMonitoringItems);
}

// ---------------------------------------------------------------- download_variables

constexpr MenuItem kReadDeviceData[] = {{id::phys_blk_profile_rev},
                                        {id::phys_st_rev},
                                        {id::phys_tag_desc},
                                        {id::phys_software_rev},
                                        {id::phys_hardware_rev},
                                        {id::phys_manufacturer_id},
                                        {id::phys_device_id},
                                        {id::phys_serial_num},
                                        {id::phys_device_certification},
                                        {id::phys_descriptor},
                                        {id::phys_message},
                                        {id::phys_install_date},
                                        {id::phys_actual_error_code},
                                        {id::phys_device_bus_address},
                                        {id::phys_device_software_number},
                                        {id::manu_meas_value_main}};
constexpr MenuItem kReadMeasurement[] = {{id::manu_meas_value_temperature},
                                         {id::manu_unit_display},
                                         {id::manu_alarm_error_state},
                                         {id::manu_alarm_contact_enabled}};
constexpr MenuItem kReadAlarmCode[] = {{id::manu_alarm_enable_code}, {id::manu_cleaning_function_enabled}};
constexpr MenuItem kReadVersion[] = {{id::manu_SW_version}, {id::manu_serial_num}};
constexpr MenuItem kReadRelay[] = {{id::manu_relay_select_relay}, {id::manu_relay_enabled}};

// Error codes for which the cleaning can be triggered.
constexpr int kCleaningTriggerCodes[] = {10,  38,  41,  42,  43,  44,  45,  55,  56,  57,  58,  59,
                                         61,  63,  64,  65,  66,  67,  68,  69,  70,  80,  81,  152,
                                         153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 163, 170};

void ReadListItems(MenuBuild& build) {
  if (Is(build, id::manu_pH_enabled, 1) && AtLeast(build, id::manu_mode, code::kPh))
    build.Append(MenuItem{id::manu_meas_value_second});
  build.Append(kReadMeasurement);
  if (Is(build, id::manu_cleaning_function_enabled, 1) &&
      IsIn(build, id::manu_alarm_error_code_select, kCleaningTriggerCodes))
    build.Append(MenuItem{id::manu_alarm_cleaning_trigger});
  build.Append(kReadAlarmCode);
  if (Is(build, id::manu_control_stop, 1)) build.Append(kControlStopDelays);
  build.Append(kInputAndDamping);
  if (CompensationApplies(build) && Is(build, id::manu_ph_compensation, 1))
    build.Append(MenuItem{id::manu_ph_compensation_manual});
  if (Is(build, id::manu_current_input_enabled, 1)) {
    if (Is(build, id::manu_current_control_stop, 1)) build.Append(kCurrentSwitchOff);
    if (Is(build, id::manu_current_PID_influence, 1)) build.Append(MenuItem{id::manu_current_k_influence});
  }
  if (IsNot(build, id::manu_check_threshold_enabled, 0)) build.Append(MenuItem{id::manu_check_error_delay});
  AppendLimitItems(build);
  AppendMonitoringItems(build);
  build.Append(kAlarmAndHold);
  build.Append(kReadVersion);
  if (IsNot(build, id::manu_relay_number, code::kNoRelays)) {
    build.Append(kReadRelay);
    AppendRelayFunctionGroup(build, RelayGroupUse::readList);
  }
}

constexpr ObjId kPreReadActions[] = {id::pre_read_download_variables, id::pre_read_dependencies_level_1,
                                     id::pre_read_dependencies_level_2, id::pre_read_dependencies_level_3};

// ---------------------------------------------------------------- upload_variables

constexpr MenuItem kWriteDeviceData[] = {{id::manu_sensor_type_local}, {id::phys_tag_desc},     {id::phys_descriptor},
                                         {id::phys_message},           {id::phys_install_date}, {id::manu_sensor_type},
                                         {id::manu_unit_display},      {id::manu_control_stop}};

void WriteListItems(MenuBuild& build) {
  if (Is(build, id::manu_control_stop, 1)) build.Append(kControlStopDelays);
  build.Append(kInputAndDamping);
  if (CompensationApplies(build)) {
    build.Append(MenuItem{id::manu_ph_compensation});
    if (Is(build, id::manu_ph_compensation, 1)) build.Append(MenuItem{id::manu_ph_compensation_manual});
  }
  if (Is(build, id::manu_current_input_enabled, 1)) {
    build.Append(MenuItem{id::manu_current_control_stop});
    if (Is(build, id::manu_current_control_stop, 1)) build.Append(kCurrentSwitchOff);
    build.Append(MenuItem{id::manu_current_PID_influence});
    if (Is(build, id::manu_current_PID_influence, 1)) build.Append(MenuItem{id::manu_current_k_influence});
  }
  if (Is(build, id::manu_pH_enabled, 1) && IsNot(build, id::manu_mode, code::kOff))
    build.Append(MenuItem{id::manu_check_select});
  build.Append(MenuItem{id::manu_check_threshold_enabled});
  if (IsNot(build, id::manu_check_threshold_enabled, 0)) build.Append(MenuItem{id::manu_check_error_delay});
  AppendLimitItems(build);
  build.Append(MenuItem{id::manu_check_monitoring_enabled});
  AppendMonitoringItems(build);
  build.Append(kAlarmAndHold);
}

// The write is bracketed by the lock methods.
constexpr ObjId kPreWriteActions[] = {id::pre_write_upload_variables_lock, id::method_WriteToDevice_PRE_WRITE};
constexpr ObjId kPostWriteActions[] = {id::post_write_upload_variables_lock};

constexpr MenuRow kRows[] = {
    {.id = id::download_variables,
     .access = AccessOnline,
     .label = "&Upload Menu  |de|&Uploadmenü  |fr|Menu &Upload  |it|Menu Cari&ca  |es|&Menú Cargar"_latin1,
     .items = kReadDeviceData,
     .moreItems = ReadListItems,
     .preRead = kPreReadActions},
    {.id = id::upload_variables,
     .access = AccessOnline,
     .label = "&Download Menu  |de|&Downloadmenü  |fr|Menu &Download  |it|Menu Scar&ica  |es|&Menú Descargar"_latin1,
     .items = kWriteDeviceData,
     .moreItems = WriteListItems,
     .preWrite = kPreWriteActions,
     .postWrite = kPostWriteActions},
};

}  // namespace

std::span<const MenuRow> TransferLists() { return kRows; }

}  // namespace menus
