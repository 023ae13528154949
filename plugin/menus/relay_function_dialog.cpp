// The relay function parameter dialog and the relay function groups it shares with
// the upload list.
#include "menus/value_menus.h"
#include "module/device_codes.h"
#include "module/latin1.h"

namespace menus {
namespace {

enum class GroupShape {
  plain,
  limitContact,  // followed by the limit switch state
  pid,           // followed by the PID mode items and the basic load
};

struct RelayGroup {
  std::span<const MenuItem> lead;
  GroupShape shape = GroupShape::plain;
};

constexpr MenuItem kPvLimit[] = {{id::manu_relay_pv_switch_on},
                                 {id::manu_relay_pv_switch_off},
                                 {id::manu_relay_switch_on_delay},
                                 {id::manu_relay_switch_off_delay},
                                 {id::manu_relay_pv_alarm_threshold}};
constexpr MenuItem kSvLimit[] = {{id::manu_relay_sv_switch_on},
                                 {id::manu_relay_sv_switch_off},
                                 {id::manu_relay_switch_on_delay},
                                 {id::manu_relay_switch_off_delay},
                                 {id::manu_relay_sv_alarm_threshold}};
constexpr MenuItem kTempLimit[] = {{id::manu_relay_temp_switch_on},
                                   {id::manu_relay_temp_switch_off},
                                   {id::manu_relay_switch_on_delay},
                                   {id::manu_relay_switch_off_delay},
                                   {id::manu_relay_temp_alarm_threshold}};
constexpr MenuItem kPidPv[] = {{id::manu_relay_PID_nominal_value},
                               {id::manu_relay_PID_Kp},
                               {id::manu_relay_PID_Tn},
                               {id::manu_relay_PID_Tv},
                               {id::manu_relay_PID_charac}};
constexpr MenuItem kPidSv[] = {{id::manu_relay_PID_sv_nominal_value},
                               {id::manu_relay_PID_Kp},
                               {id::manu_relay_PID_Tn},
                               {id::manu_relay_PID_Tv},
                               {id::manu_relay_PID_charac}};
constexpr MenuItem kTimer[] = {
    {id::manu_relay_timer_clean_time}, {id::manu_relay_timer_pause_time}, {id::manu_relay_timer_pause_time_min}};
constexpr MenuItem kClean[] = {{id::manu_relay_clean_start_pulse},    {id::manu_relay_clean_start_time},
                               {id::manu_relay_clean_time},           {id::manu_relay_clean_after_time},
                               {id::manu_relay_clean_cycles},         {id::manu_relay_clean_time_pause},
                               {id::manu_relay_clean_time_pause_min}, {id::manu_relay_clean_economy}};
constexpr MenuItem kThreePointStep[] = {
    {id::manu_relay_3Pstep_nominal_value}, {id::manu_relay_3Pstep_Kp},         {id::manu_relay_3Pstep_Tn},
    {id::manu_relay_3Pstep_switch_on_min}, {id::manu_relay_3Pstep_motor_time}, {id::manu_relay_3Pstep_neutral_zone}};

// By relay function, 1 first.
constexpr RelayGroup kRelayGroups[] = {{kPvLimit, GroupShape::limitContact},
                                       {kSvLimit, GroupShape::limitContact},
                                       {kTempLimit, GroupShape::limitContact},
                                       {kPidPv, GroupShape::pid},
                                       {kPidSv, GroupShape::pid},
                                       {kTimer},
                                       {kClean},
                                       {kThreePointStep}};

constexpr MenuItem kAllPidModeItems[] = {{id::manu_relay_PID_mode},
                                         {id::manu_relay_PID_pulse_period},
                                         {id::manu_relay_PID_pulse_freq},
                                         {id::manu_relay_PID_switch_on_min}};
constexpr MenuItem kPulseLengthItems[] = {{id::manu_relay_PID_pulse_period}, {id::manu_relay_PID_switch_on_min}};

void AppendPidModeItems(MenuBuild& build, RelayGroupUse use) {
  if (use == RelayGroupUse::dialog) {
    build.Append(kAllPidModeItems);
    return;
  }
  const CDDCommonVariant& mode = build.Read(id::manu_relay_PID_mode);
  if (mode == CDDCommonVariant(code::kPulseLength))
    build.Append(kPulseLengthItems);
  else if (!mode.isEmpty())
    build.Append(MenuItem{id::manu_relay_PID_pulse_freq});
}

void AppendGroup(MenuBuild& build, const RelayGroup& group, RelayGroupUse use) {
  build.Append(group.lead);
  switch (group.shape) {
    case GroupShape::plain:
      break;
    case GroupShape::limitContact:
      // The dialog shows the state but does not let it be edited.
      build.Append(
          MenuItem{id::manu_relay_limit_switch_state, use == RelayGroupUse::dialog ? Qual::readOnly : Qual::none});
      break;
    case GroupShape::pid:
      AppendPidModeItems(build, use);
      build.Append(MenuItem{id::manu_relay_PID_basic_load});
      break;
  }
}

void RelayDialogGroup(MenuBuild& build) { AppendRelayFunctionGroup(build, RelayGroupUse::dialog); }

constexpr MenuItem kRelayDialogItems[] = {
    {id::manu_relay_select_relay, Qual::readOnly}, {id::manu_relay_function, Qual::readOnly}, {id::manu_relay_enabled}};

constexpr MenuRow kRows[] = {
    {.id = id::OnlineDialog_set_function_param,
     .access = AccessOnline,
     .label = "Function settings  |de|Einstellungen  |fr|Paramètres  |it|Impostazioni"_latin1,
     .items = kRelayDialogItems,
     .moreItems = RelayDialogGroup},
};

}  // namespace

void AppendRelayFunctionGroup(MenuBuild& build, RelayGroupUse use) {
  // One read decides; the constants are tried in ascending order.
  CDDCommonVariant selector;
  selector = build.Read(id::manu_relay_function);
  for (int function = 1; function <= static_cast<int>(std::size(kRelayGroups)); ++function) {
    if (selector == CDDCommonVariant(function)) {
      AppendGroup(build, kRelayGroups[function - 1], use);
      return;
    }
  }
}

std::span<const MenuRow> RelayFunctionDialog() { return kRows; }

}  // namespace menus
