// The menus whose items never depend on a value: root menus, menu bar, operating
// dialogs, operating-matrix tabs, identification tabs, windows and the
// communication-error menus. Menus that show the same items share one list.
#include <algorithm>
#include <array>

#include "menus/menu_frame.h"
#include "module/row_index.h"
#include "module/latin1.h"

namespace menus {
namespace {

constexpr Qual RO = Qual::readOnly;

// The same items, every one of them read-only.
template <std::size_t N>
constexpr std::array<MenuItem, N> AllReadOnly(const std::array<MenuItem, N>& items) {
  std::array<MenuItem, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = {items[i].id, RO};
  return out;
}

// The first Count items.
template <std::size_t Count, std::size_t N>
constexpr std::array<MenuItem, Count> First(const std::array<MenuItem, N>& items) {
  static_assert(Count <= N);
  std::array<MenuItem, Count> out{};
  std::copy_n(items.begin(), Count, out.begin());
  return out;
}

// The lists one after the other.
template <std::size_t... N>
constexpr std::array<MenuItem, (N + ...)> Join(const std::array<MenuItem, N>&... lists) {
  std::array<MenuItem, (N + ...)> out{};
  auto at = out.begin();
  ((at = std::copy(lists.begin(), lists.end(), at)), ...);
  return out;
}

constexpr MenuItem kSeparator{id::SEPARATOR};

// ------------------------------------------------------------- root menus, menu bar

constexpr const char* kDeviceStatusLabel =
    "Device Status  |de|Gerätezustand  |fr|Etat de l'appareil  |it|Stato del dispositivo  |es|Estado del aparato"_latin1;
constexpr const char* kObserveLabel = "Observe  |de| Beobachten";
constexpr const char* kMainTableLabel = "Tessivar M - TQR 2x3";
constexpr const char* kMainMenuLabel =
    "&Main Menu  |de|&Hauptmenü  |fr|Menu &principal  |it|Menu P&rincipale  |es|&Menú principal"_latin1;
constexpr const char* kDeviceMenuLabel = "&Device  |de|&Gerät  |fr|&Appareil  |it|&Dispositivo  |es|&Aparato"_latin1;
constexpr const char* kViewLabel = "View  |de|Ansicht  |fr|Affichage  |it|Visualizza  |es|Ver";
constexpr const char* kOptionsLabel =
    "&Options  |de|&Extras  |fr|&Outils  |it|&Strumenti  |es|&Herramientas";

constexpr auto kSpecialistOffline = std::to_array<MenuItem>({{id::Tab_s_QZ_Std_Matrix}, {id::Tab_s_PA_Profil}});
constexpr auto kSpecialistOnline =
    std::to_array<MenuItem>({{id::Tab_s_QZ_Std_Matrix_ONLINE}, {id::Tab_s_PA_Profil_ONLINE}});
constexpr auto kMaintenanceOffline = std::to_array<MenuItem>({{id::Tab_m_QZ_Std_Matrix}, {id::Tab_m_PA_Profil}});
constexpr auto kMaintenanceOnline =
    std::to_array<MenuItem>({{id::Tab_m_QZ_Std_Matrix_ONLINE}, {id::Tab_m_PA_Profil_ONLINE}});
constexpr auto kMeasuredValues = std::to_array<MenuItem>(
    {{id::manu_meas_value_main}, {id::manu_meas_value_second}, {id::manu_meas_value_temperature}});
constexpr auto kDiagnosisPages = std::to_array<MenuItem>({{id::Page_diagnosis_general}, {id::Page_diagnosis_status}});
constexpr auto kResetDevice = std::to_array<MenuItem>({{id::manu_reset_device}});
constexpr auto kEnableCode = std::to_array<MenuItem>({{id::manu_alarm_enable_code}});

constexpr auto kMainSpecialist =
    std::to_array<MenuItem>({{id::Menu_S_Device}, {id::Menu_S_View}, {id::Menu_Options}});
constexpr auto kMainMaintenance =
    std::to_array<MenuItem>({{id::Menu_M_Device}, {id::Menu_M_View}, {id::Menu_M_Options}});
constexpr auto kFile = std::to_array<MenuItem>({
    {id::std_Save}, kSeparator, {id::std_Eigenschaften}, kSeparator, {id::std_Comparison}, kSeparator,
    {id::std_Print}, {id::std_PrintPreview}, {id::std_PrintSetup}, {id::std_PageSetup}, {id::std_Schriftfelder},
    kSeparator, {id::std_Exit},
});
constexpr auto kSpecialistDevice = std::to_array<MenuItem>({
    {id::OnlineDialog_manu_mode}, {id::OnlineDialog_manu_sensor_type}, {id::OnlineDialog_temperature},
    {id::Menu_contact_output}, {id::OnlineDialog_alarm_relays}, {id::OnlineDialog_access_code},
    {id::OnlineDialog_reset_device},
});
constexpr auto kMaintenanceDevice = std::to_array<MenuItem>({{id::std_LoadinDevice}, {id::std_LoadinPC}});
constexpr auto kWindows = std::to_array<MenuItem>({{id::OnlineWindow_display}, {id::OnlineWindow_diagnosis}});
constexpr auto kMaintenanceView =
    Join(kWindows, std::to_array<MenuItem>({{id::std_Funktionsleiste}, {id::std_Statuszeile}, {id::std_Update}}));
constexpr auto kHelp = std::to_array<MenuItem>({
    {id::std_Hilfethemen}, {id::std_HilfeKontext}, kSeparator, {id::std_HilfeGeraet}, kSeparator,
    {id::std_Hilfebenutzen}, {id::std_Info},
});
constexpr auto kErrorHandling = std::to_array<MenuItem>({{id::OfflineDialog_CommErrorHandling}});
constexpr auto kSettings = std::to_array<MenuItem>({{id::std_Einstellungen}, {id::std_Untereintraege}});
constexpr auto kSpecialistOptions = Join(kSettings, std::to_array<MenuItem>({kSeparator}), kErrorHandling);

// ------------------------------------------------------------- operating dialogs

constexpr auto kMode = std::to_array<MenuItem>({{id::manu_mode}});
constexpr auto kSensorType = std::to_array<MenuItem>({{id::manu_sensor_type}});
constexpr auto kTemperaturePages =
    std::to_array<MenuItem>({{id::Page_set_temperature_absolute}, {id::Page_set_temperature_relative}});
// Each page opens one of the two values for entry and shows the other.
constexpr auto kTemperatureAbsolute =
    std::to_array<MenuItem>({{id::manu_temperature_process_entry}, {id::manu_temperature_offset, RO}});
constexpr auto kTemperatureRelative =
    std::to_array<MenuItem>({{id::manu_temperature_process_entry, RO}, {id::manu_temperature_offset}});
constexpr auto kContactOutput =
    std::to_array<MenuItem>({{id::OnlineDialog_select_relay_function}, {id::OnlineDialog_set_function_param}});
constexpr auto kSelectRelayFunction = std::to_array<MenuItem>({
    {id::manu_relay_select_relay, RO}, {id::manu_relay_function, RO}, {id::manu_relay_enabled}, kSeparator,
    {id::method_select_relay}, {id::method_select_relay_function},
});
constexpr auto kAlarmPages = std::to_array<MenuItem>({{id::Page_diagnose_code}, {id::Page_alarm_status}});
constexpr auto kDiagnoseCode = std::to_array<MenuItem>({{id::manu_alarm_error_code_select}});
constexpr auto kAlarmStatus = std::to_array<MenuItem>({
    {id::manu_alarm_error_code_select, RO}, {id::manu_alarm_error_state}, {id::manu_alarm_contact_enabled},
    {id::manu_alarm_cleaning_trigger},
});

// ------------------------------------------------------------- standard matrix views

constexpr const char* kStdMatrixLabel =
    "Standard View (manufacturer specific table)  |de|Standard Ansicht (herstellerspezifische Tabelle)  "
    "|fr|Affichage Standard (fabricant spécifique)  |it|Standard Visualizza (costruttore specifico)"_latin1;

constexpr auto kStdSpecialist = std::to_array<MenuItem>({
    {id::Tab_s_QZ_Device_Matrix_v0}, {id::Tab_s_QZ_Device_Matrix_v1}, {id::Tab_s_QZ_Device_Matrix_v3},
    {id::Tab_s_QZ_Device_Matrix_v5}, {id::Tab_s_QZ_Device_Matrix_v7}, {id::Tab_s_QZ_Device_Matrix_v8},
    {id::Tab_s_QZ_Device_Matrix_v9}, {id::Tab_s_QZ_Device_Matrix_vA},
});
constexpr auto kStdSpecialistOnline = std::to_array<MenuItem>({
    {id::Tab_s_QZ_Device_Matrix_v0_ONLINE}, {id::Tab_s_QZ_Device_Matrix_v1_ONLINE},
    {id::Tab_s_QZ_Device_Matrix_v3_ONLINE}, {id::Tab_s_QZ_Device_Matrix_v5_ONLINE},
    {id::Tab_s_QZ_Device_Matrix_v7_ONLINE}, {id::Tab_s_QZ_Device_Matrix_v8_ONLINE},
    {id::Tab_s_QZ_Device_Matrix_v9_ONLINE}, {id::Tab_s_QZ_Device_Matrix_vA_ONLINE},
});
constexpr auto kStdMaintenance = std::to_array<MenuItem>({
    {id::Tab_m_QZ_Device_Matrix_v0}, {id::Tab_m_QZ_Device_Matrix_v1}, {id::Tab_m_QZ_Device_Matrix_v3},
    {id::Tab_m_QZ_Device_Matrix_v4}, {id::Tab_m_QZ_Device_Matrix_v5}, {id::Tab_m_QZ_Device_Matrix_v7},
    {id::Tab_m_QZ_Device_Matrix_v8}, {id::Tab_m_QZ_Device_Matrix_v9}, {id::Tab_m_QZ_Device_Matrix_vA},
});
constexpr auto kStdMaintenanceOnline = std::to_array<MenuItem>({
    {id::Tab_m_QZ_Device_Matrix_v0_ONLINE}, {id::Tab_m_QZ_Device_Matrix_v1_ONLINE},
    {id::Tab_m_QZ_Device_Matrix_v3_ONLINE}, {id::Tab_m_QZ_Device_Matrix_v4_ONLINE},
    {id::Tab_m_QZ_Device_Matrix_v5_ONLINE}, {id::Tab_m_QZ_Device_Matrix_v7_ONLINE},
    {id::Tab_m_QZ_Device_Matrix_v8_ONLINE}, {id::Tab_m_QZ_Device_Matrix_v9_ONLINE},
    {id::Tab_m_QZ_Device_Matrix_vA_ONLINE},
});

// ------------------------------------------------------------- matrix rows V0, V1, V3

constexpr const char* kV0Label = "V0 Setup 1  |de|V0 Setup 1  |fr|V0 Configuration 1  |it|V0 Configurazione 1";
constexpr const char* kV1Label = "V1 Setup 2  |de|V1 Setup 2  |fr|V1 Configuration 2  |it|V1 Configurazione 2";
constexpr const char* kV3SpecialistLabel =
    "V3 Contact output  |de|V3 Kontakt Ausgang  |fr|V3 Sortie contact  |it|V3 Uscita contatti";
constexpr const char* kV3MaintenanceLabel =
    "V3 Contact output 1  |de|V3 Kontakt Ausgang 1  |fr|V3 Sortie contact 1  |it|V3 Uscita contatti 1";

constexpr auto kV0Specialist = std::to_array<MenuItem>({
    {id::manu_meas_value_main, RO}, {id::manu_meas_value_temperature, RO}, {id::manu_meas_value_second, RO},
    {id::manu_sensor_type}, {id::manu_unit_display}, {id::manu_control_stop},
    {id::manu_control_stop_switch_off_delay}, {id::manu_control_stop_switch_on_delay}, {id::manu_digital_input},
    {id::manu_damping_measure_value}, {id::manu_mode_help, Qual::code3},
});
constexpr auto kV0Maintenance = AllReadOnly(First<10>(kV0Specialist));

constexpr auto kV1Online = std::to_array<MenuItem>({
    {id::manu_mode}, {id::manu_ph_compensation}, {id::manu_ph_compensation_manual},
    {id::manu_temperature_process_entry}, {id::manu_temperature_offset},
});
constexpr auto kV1Offline = std::to_array<MenuItem>({
    {id::manu_mode}, {id::manu_ph_compensation}, {id::manu_ph_compensation_manual},
    {id::manu_temperature_process_entry, RO}, {id::manu_temperature_offset, RO},
});
constexpr auto kV1Maintenance = AllReadOnly(kV1Online);

constexpr auto kV3Head =
    std::to_array<MenuItem>({{id::manu_relay_select_relay}, {id::manu_relay_function}, {id::manu_relay_enabled}});
constexpr auto kV3Maintenance = AllReadOnly(kV3Head);

// ------------------------------------------------------------- matrix rows V4, V5

constexpr const char* kV4Label =
    "V4 Contact output 2  |de|V4 Kontakt Ausgang 2  |fr|V4 Sortie contact 2  |it|V4 Uscita contatti 2";
constexpr const char* kV5Label = "V5 Current input  |de|V5 Stromeingang  |fr|V5 Entree courant  |it|V5 Corr. ingresso";

// The parameters of every relay function, grouped by function; online the specialist
// may edit all of them but the limit switch state.
constexpr auto kV4Online = std::to_array<MenuItem>({
    {id::manu_relay_pv_switch_on}, {id::manu_relay_temp_switch_on}, {id::manu_relay_pv_switch_off},
    {id::manu_relay_temp_switch_off}, {id::manu_relay_sv_switch_on}, {id::manu_relay_sv_switch_off},
    {id::manu_relay_switch_on_delay}, {id::manu_relay_switch_off_delay}, {id::manu_relay_pv_alarm_threshold},
    {id::manu_relay_temp_alarm_threshold}, {id::manu_relay_sv_alarm_threshold},
    {id::manu_relay_limit_switch_state, RO},
    {id::manu_relay_PID_sv_nominal_value}, {id::manu_relay_PID_nominal_value}, {id::manu_relay_PID_Kp},
    {id::manu_relay_PID_Tn}, {id::manu_relay_PID_Tv}, {id::manu_relay_PID_charac}, {id::manu_relay_PID_mode},
    {id::manu_relay_PID_pulse_period}, {id::manu_relay_PID_switch_on_min}, {id::manu_relay_PID_pulse_freq},
    {id::manu_relay_PID_basic_load},
    {id::manu_relay_timer_clean_time}, {id::manu_relay_timer_pause_time}, {id::manu_relay_timer_pause_time_min},
    {id::manu_relay_clean_start_pulse}, {id::manu_relay_clean_start_time}, {id::manu_relay_clean_time},
    {id::manu_relay_clean_after_time}, {id::manu_relay_clean_cycles}, {id::manu_relay_clean_time_pause},
    {id::manu_relay_clean_time_pause_min}, {id::manu_relay_clean_economy},
    {id::manu_relay_3Pstep_nominal_value}, {id::manu_relay_3Pstep_Kp}, {id::manu_relay_3Pstep_Tn},
    {id::manu_relay_3Pstep_switch_on_min}, {id::manu_relay_3Pstep_motor_time}, {id::manu_relay_3Pstep_neutral_zone},
});
constexpr auto kV4ReadOnly = AllReadOnly(kV4Online);

// The specialist view has no V4 tab: its V3 tab carries the V4 parameters as well.
constexpr auto kV3SpecialistOffline = Join(kV3Maintenance, kV4ReadOnly);
constexpr auto kV3SpecialistOnline = Join(kV3Head, kV4Online);

constexpr auto kV5Specialist = std::to_array<MenuItem>({
    {id::manu_current_control_stop}, {id::manu_current_switch_off_delay}, {id::manu_current_switch_on_delay},
    {id::manu_current_switch_off_value}, {id::manu_current_switch_off_direction}, {id::manu_current_PID_influence},
    {id::manu_current_k_influence},
});
constexpr auto kV5Maintenance = AllReadOnly(kV5Specialist);

// ------------------------------------------------------------- matrix rows V7 to VA

constexpr const char* kV7Label = "V7 Check  |de|V7 Check  |fr|V7 Controle  |it|V7 Verifica";
constexpr const char* kV8Label = "V8 Alarm  |de|V8 Alarm  |fr|V8 Alarme  |it|V8 Allarmi";
constexpr const char* kV9Label =
    "V9 Service/Simulation  |de|V9 Service/Simulation  |fr|V9 Service/Simulation  |it|V9 Service/Simulazione";
constexpr const char* kVALabel =
    "VA User information  |de|VA Benutzerinformation  |fr|VA Info. utilisateur  |it|VA Informazione utente";

constexpr auto kV7Specialist = std::to_array<MenuItem>({
    {id::manu_check_select}, {id::manu_check_threshold_enabled}, {id::manu_check_error_delay},
    {id::manu_check_threshold_low}, {id::manu_check_threshold_high}, {id::manu_check_monitoring_enabled},
    {id::manu_check_low_alarm_time_max}, {id::manu_check_high_alarm_time_max}, {id::manu_check_limit_value},
    {id::manu_check_select_help, Qual::code3},
});
constexpr auto kV7Maintenance = AllReadOnly(First<9>(kV7Specialist));

constexpr auto kV8SpecialistOnline = std::to_array<MenuItem>({
    {id::phys_actual_error_code}, {id::manu_alarm_contact_type}, {id::manu_alarm_delay_unit},
    {id::manu_alarm_delay}, {id::manu_alarm_error_code_select}, {id::manu_alarm_error_state},
    {id::manu_alarm_contact_enabled}, {id::manu_alarm_cleaning_trigger}, {id::manu_alarm_enable_code},
});
constexpr auto kV8SpecialistOffline = std::to_array<MenuItem>({
    {id::phys_actual_error_code}, {id::manu_alarm_contact_type}, {id::manu_alarm_delay_unit},
    {id::manu_alarm_delay}, {id::manu_alarm_error_code_select, RO}, {id::manu_alarm_error_state, RO},
    {id::manu_alarm_contact_enabled, RO}, {id::manu_alarm_cleaning_trigger, RO}, {id::manu_alarm_enable_code},
});
constexpr auto kV8MaintenanceOffline = AllReadOnly(kV8SpecialistOnline);
// Online the maintenance view may still enter the security locking code.
constexpr auto kV8MaintenanceOnline = Join(First<8>(kV8MaintenanceOffline), kEnableCode);

constexpr auto kV9Offline = std::to_array<MenuItem>({
    {id::manu_hold_configuration}, {id::manu_hold_time}, {id::manu_s_version_enabled},
    {id::manu_cleaning_function_enabled},
});
constexpr auto kV9SpecialistOnline = std::to_array<MenuItem>({
    {id::manu_hold_configuration}, {id::manu_hold_time}, {id::manu_s_version_enabled, RO},
    {id::manu_cleaning_function_enabled, RO}, {id::manu_reset_device},
});
constexpr auto kV9Maintenance = AllReadOnly(kV9Offline);

constexpr auto kVASpecialist = std::to_array<MenuItem>({
    {id::phys_tag_desc}, {id::phys_device_bus_address, RO}, {id::manu_SW_version, RO}, {id::manu_serial_num, RO},
});
constexpr auto kVAMaintenance = AllReadOnly(kVASpecialist);

// ------------------------------------------------------------- identification tabs

constexpr const char* kProfileLabel = "Physical block  |de|Physical Block";
constexpr const char* kIdentLabel =
    "Identification  |de|Identifikation  |fr|Identification  |it|Identificazione  |es|Identificación"_latin1;
constexpr const char* kOpUnitLabel =
    "Operation Unit  |de|Betriebseinheit  |fr|Unité de commande  |it|Unità operativa  |es|Unidad operativa"_latin1;
constexpr const char* kDeviceLabel = "Device  |de|Gerät  |fr|Appareil  |it|Dispositivo  |es|Aparato"_latin1;
constexpr const char* kCertificatesLabel =
    "Certificates and Approvals  |de|Zertifikate und Zulassungen  |fr|Certificats et homologations  "
    "|it|Certificati e omologazioni  |es|Certificados y homologaciones";

constexpr auto kProfileSpecialist = std::to_array<MenuItem>({{id::Tab_s_ident}, {id::Tab_s_certificates}});
constexpr auto kProfileSpecialistOnline =
    std::to_array<MenuItem>({{id::Tab_s_ident_ONLINE}, {id::Tab_s_certificates_ONLINE}});
constexpr auto kProfileMaintenance = std::to_array<MenuItem>({{id::Tab_m_ident}, {id::Tab_s_certificates}});
constexpr auto kProfileMaintenanceOnline = std::to_array<MenuItem>({{id::Tab_m_ident_ONLINE}});
constexpr auto kIdentSpecialist = std::to_array<MenuItem>({{id::Tab_s_ident_opunit}, {id::Tab_s_ident_device}});
constexpr auto kIdentSpecialistOnline =
    std::to_array<MenuItem>({{id::Tab_s_ident_opunit_ONLINE}, {id::Tab_s_ident_device_ONLINE}});
constexpr auto kIdentMaintenance = std::to_array<MenuItem>({{id::Tab_m_ident_opunit}, {id::Tab_m_ident_device}});
constexpr auto kIdentMaintenanceOnline =
    std::to_array<MenuItem>({{id::Tab_m_ident_opunit_ONLINE}, {id::Tab_m_ident_device_ONLINE}});

constexpr auto kOpUnitSpecialist =
    std::to_array<MenuItem>({{id::phys_tag_desc}, {id::phys_descriptor}, {id::phys_message}});
constexpr auto kOpUnitMaintenance =
    std::to_array<MenuItem>({{id::phys_tag_desc, RO}, {id::phys_descriptor}, {id::phys_message}});
constexpr auto kDeviceSpecialist = std::to_array<MenuItem>({
    {id::phys_manufacturer_id}, {id::phys_device_id}, {id::phys_serial_num}, {id::phys_software_rev},
    {id::phys_hardware_rev}, {id::phys_install_date}, {id::phys_st_rev},
});
constexpr auto kDeviceMaintenance = std::to_array<MenuItem>({
    {id::phys_manufacturer_id}, {id::phys_device_id}, {id::phys_serial_num}, {id::phys_software_rev},
    {id::phys_hardware_rev}, {id::phys_install_date, RO}, {id::phys_st_rev},
});
constexpr auto kCertificates = std::to_array<MenuItem>({{id::phys_device_certification, RO}});

// ------------------------------------------------------------- diagnosis, display, reset

constexpr const char* kGeneralLabel = "General  |de|Allgemein  |fr|Général  |it|Generale  |es|General"_latin1;
constexpr const char* kYtLabel =
    "Y t diagram  |de|Verlaufskurve  |fr|Diagramme  |it|Diagramma del tempo  |es|Curva de evolución"_latin1;
constexpr const char* kMasterResetLabel = "Master Reset  |de|Rücksetzen  |fr|Remise à zéro  |it|Reset  |es|Reset maestro"_latin1;
constexpr const char* kMasterResetHelp =
    "Commands the field device electronics to reset.  |de|Bewirkt ein Rücksetzen der Feldgeräte-Elektronik.  "
    "|fr|Commande la remise à zéro du système électronique de l'appareil de terrain.  "
    "|it|Genera un reset della parte elettronica degli apparecchi di campo.  "
    "|es|Efectúa un reset de la electrónica del aparato de campo."_latin1;

constexpr auto kDiagnosisGeneral = std::to_array<MenuItem>({
    {id::phys_tag_desc, RO}, {id::phys_manufacturer_id}, {id::phys_device_id}, {id::phys_serial_num},
    {id::phys_software_rev}, {id::phys_hardware_rev}, {id::phys_install_date, RO}, {id::phys_actual_error_code},
});
constexpr auto kDiagnosisStatus =
    std::to_array<MenuItem>({{id::phys_diagnosis, RO}, {id::phys_diagnosis_mask, RO}});
constexpr auto kValueBars = std::to_array<MenuItem>({
    {id::BarVal_manu_meas_value_main}, {id::BarVal_manu_meas_value_second},
    {id::BarVal_manu_meas_value_temperature},
});
constexpr auto kMainValueBar =
    std::to_array<MenuItem>({{id::manu_meas_value_main}, {id::pv_lower_limit}, {id::pv_upper_limit}});
constexpr auto kSecondValueBar =
    std::to_array<MenuItem>({{id::manu_meas_value_second}, {id::sv_lower_limit}, {id::sv_upper_limit}});
constexpr auto kTemperatureBar =
    std::to_array<MenuItem>({{id::manu_meas_value_temperature}, {id::temp_lower_limit}, {id::temp_upper_limit}});
constexpr auto kPhysicalBlock = std::to_array<MenuItem>({
    {id::phys_blk_object}, {id::phys_blk_parent_class}, {id::phys_blk_class}, {id::phys_blk_dd_reference},
    {id::phys_blk_dd_rev}, {id::phys_blk_profile}, {id::phys_blk_profile_rev}, {id::phys_st_rev},
    {id::phys_actual_mode},
});
constexpr auto kMasterReset = std::to_array<MenuItem>({
    {id::phys_diagnosis}, {id::method_phys_factory_reset_params}, {id::method_phys_factory_reset_warm},
    {id::method_phys_factory_reset_address},
});
constexpr auto kYtWindow = std::to_array<MenuItem>({{id::Page_yt_unavailable}});
constexpr auto kYtPage = std::to_array<MenuItem>({{id::Bar_yt_unavailable}});
constexpr auto kYtBar = std::to_array<MenuItem>({{id::manu_meas_value_main}});
constexpr auto kChannelModules = std::to_array<MenuItem>(
    {{id::MVXGSD_ChannelSetup01}, {id::MVXGSD_ChannelSetup02}, {id::MVXGSD_ChannelSetup03}});

// ------------------------------------------------------------- communication errors

constexpr const char* kBlankLabel = " ";

constexpr auto kCommErrorPages = std::to_array<MenuItem>({
    {id::Page_CommError_General}, {id::Page_CommError_Application}, {id::Page_CommError_Access},
    {id::Page_CommError_Resource}, {id::Page_CommError_Other},
});
constexpr auto kCommErrorDelays = std::to_array<MenuItem>({{id::CommError_Delay_Read}, {id::CommError_Delay_Write}});
constexpr auto kCommErrorGeneral = Join(kCommErrorDelays, std::to_array<MenuItem>({
                                                              {id::CommError_ShowIgnoredErrors},
                                                              {id::CommError_DefaultHandling},
                                                              {id::CommError_CheckAllErrors},
                                                              {id::CommError_IgnoreAllErrors},
                                                          }));
constexpr auto kCommErrorApplication = std::to_array<MenuItem>({
    {id::CommError_00A0_00A0}, {id::CommError_00A1_00A1}, {id::CommError_00A2_00A2}, {id::CommError_00A3_00A7},
    {id::CommError_00A8_00A8}, {id::CommError_00A9_00A9}, {id::CommError_00AA_00AF},
});
constexpr auto kCommErrorAccess = std::to_array<MenuItem>({
    {id::CommError_00B0_00B0}, {id::CommError_00B1_00B1}, {id::CommError_00B2_00B2}, {id::CommError_00B3_00B3},
    {id::CommError_00B4_00B4}, {id::CommError_00B5_00B5}, {id::CommError_00B6_00B6}, {id::CommError_00B7_00B7},
    {id::CommError_00B8_00B8}, {id::CommError_00B9_00B9}, {id::CommError_00BA_00BF},
});
constexpr auto kCommErrorResource = std::to_array<MenuItem>({
    {id::CommError_00C0_00C0}, {id::CommError_00C1_00C1}, {id::CommError_00C2_00C2}, {id::CommError_00C3_00C3},
    {id::CommError_00C4_00C7}, {id::CommError_00C8_00CF},
});
constexpr auto kCodesBelow = std::to_array<MenuItem>({{id::CommError_0000_009F}});
constexpr auto kCodesAbove = std::to_array<MenuItem>({{id::CommError_00D0_00FF}});
constexpr auto kCommErrorOther = Join(kCodesBelow, kCodesAbove);
// Every range setting, in ascending code order.
constexpr auto kCommErrorRanges =
    Join(kCodesBelow, kCommErrorApplication, kCommErrorAccess, kCommErrorResource, kCodesAbove);

// ------------------------------------------------------------- the rows

constexpr auto Online = AccessOnline;
constexpr auto Offline = AccessOffline;

constexpr MenuRow kRows[] = {
    // Root menus and main tables. The tables put their access after the label.
    {.id = id::DTM_offline_root_menu, .access = Offline, .label = "Offline", .items = kSpecialistOffline},
    {.id = id::DTM_online_root_menu, .access = Online, .label = "Online", .items = kSpecialistOnline},
    {.id = id::DTM_observe_menu, .access = Online, .label = kObserveLabel, .items = kMeasuredValues},
    {.id = id::DTM_trend_menu, .access = Online, .label = kObserveLabel, .items = kMeasuredValues},
    {.id = id::DTM_diagnosis_menu, .access = Online, .label = kDeviceStatusLabel, .items = kDiagnosisPages},
    {.id = id::DTM_Reset_menu, .access = Online, .label = "Reset|de|Reset", .items = kResetDevice},
    {.id = id::DTM_lock_unlock_menu, .access = Online, .label = "Write Locking|de|Schreibschutz",
     .items = kEnableCode},
    {.id = id::Table_Main_Specialist, .access = Offline, .label = kMainTableLabel, .items = kSpecialistOffline,
     .accessAt = AccessAt::afterLabel},
    {.id = id::Table_Main_Maintenance, .access = Offline, .label = kMainTableLabel, .items = kMaintenanceOffline,
     .accessAt = AccessAt::afterLabel},
    {.id = id::Table_Main_Specialist_ONLINE, .access = Online, .label = kMainTableLabel,
     .items = kSpecialistOnline, .accessAt = AccessAt::afterLabel},
    {.id = id::Table_Main_Maintenance_ONLINE, .access = Online, .label = kMainTableLabel,
     .items = kMaintenanceOnline, .accessAt = AccessAt::afterLabel},

    // Main menus and menu bar.
    {.id = id::Menu_Main_Specialist, .access = Online, .label = kMainMenuLabel, .items = kMainSpecialist},
    {.id = id::Menu_Main_Maintenance, .access = Online, .label = kMainMenuLabel, .items = kMainMaintenance},
    {.id = id::Menu_File, .access = Offline, .label = "&File  |de|&Datei  |fr|&Fichier  |it|&File  |es|&Archivo",
     .items = kFile},
    {.id = id::Menu_S_Device, .access = Offline, .label = kDeviceMenuLabel, .items = kSpecialistDevice},
    {.id = id::Menu_M_Device, .access = Offline, .label = kDeviceMenuLabel, .items = kMaintenanceDevice},
    {.id = id::Menu_S_View, .access = Online, .label = kViewLabel, .items = kWindows},
    {.id = id::Menu_M_View, .access = Offline, .label = kViewLabel, .items = kMaintenanceView},
    {.id = id::Menu_Help, .access = Offline, .label = "&Help  |de|&Hilfe  |fr|&?  |it|&?  |es|Ay&uda",
     .items = kHelp},
    {.id = id::Menu_Options, .access = Offline, .label = kOptionsLabel, .items = kErrorHandling},
    {.id = id::Menu_S_Options, .access = Offline, .label = kOptionsLabel, .items = kSpecialistOptions},
    {.id = id::Menu_M_Options, .access = Offline, .label = kOptionsLabel, .items = kSettings},

    // Operating dialogs.
    {.id = id::OnlineDialog_manu_mode, .access = Online,
     .label = "Operating mode  |de|Betriebsart  |fr|Mode de fonctionnement  |it|Modo operativo", .items = kMode},
    {.id = id::OnlineDialog_manu_sensor_type, .access = Online,
     .label = "Type of sensor  |de|Sensortyp  |fr|Type capteur  |it|Tipo di sensore", .items = kSensorType},
    {.id = id::OnlineDialog_temperature, .access = Online,
     .label = "Temperature correction  |de|Temperaturkorrektur  |fr|Correction température  "
              "|it|Correzione temperatura"_latin1,
     .items = kTemperaturePages},
    {.id = id::Page_set_temperature_absolute, .access = Online,
     .label = "Set absolute temperature  |de|Absolute Temperatur setzen  |fr|Température absolute  "
              "|it|Temperatura assoluta"_latin1,
     .items = kTemperatureAbsolute},
    {.id = id::Page_set_temperature_relative, .access = Online,
     .label = "Set offset of temperature  |de|Temperaturoffset setzen  |fr|Offset Temperature  "
              "|it|Offset de temperatura",
     .items = kTemperatureRelative},
    {.id = id::Menu_contact_output, .access = Online,
     .label = "Contact output  |de|Kontakt Ausgang  |fr|Sortie contact  |it|Uscita contatti",
     .items = kContactOutput},
    {.id = id::OnlineDialog_select_relay_function, .access = Online,
     .label = "Relay function  |de|Kontaktfunktion  |fr|Fonction du relais  |it|Seleziona tipo",
     .items = kSelectRelayFunction},
    {.id = id::OnlineDialog_alarm_relays, .access = Online,
     .label = "Alarm relays  |de|Alarm Relais  |fr|Contact d'alarme  |it|Contacto di allarme",
     .items = kAlarmPages},
    {.id = id::Page_diagnose_code, .access = Online,
     .label = "Diag. code select  |de|Diagnosecode Auswahl  |fr|Sélection code diag.  |it|Selez. cod. diagn."_latin1,
     .items = kDiagnoseCode},
    {.id = id::Page_alarm_status, .access = Online,
     .label = "Alarm states  |de|Alarmstatus  |fr|Etat d'alarme  |it|Stato dell'allarme", .items = kAlarmStatus},
    {.id = id::OnlineDialog_access_code, .access = Online,
     .label = "Access code  |de|Verriegelung  |fr|Verrouillage  |it|Blocco sicurezza", .items = kEnableCode},
    {.id = id::OnlineDialog_reset_device, .access = Online,
     .label = "Reset  |de|Rücksetzen  |fr|Remise à zéro  |it|Reset"_latin1, .items = kResetDevice},

    // Standard matrix views.
    {.id = id::Tab_s_QZ_Std_Matrix, .access = Offline, .label = kStdMatrixLabel, .items = kStdSpecialist},
    {.id = id::Tab_m_QZ_Std_Matrix, .access = Offline, .label = kStdMatrixLabel, .items = kStdMaintenance},
    {.id = id::Tab_s_QZ_Std_Matrix_ONLINE, .access = Online, .label = kStdMatrixLabel,
     .items = kStdSpecialistOnline},
    {.id = id::Tab_m_QZ_Std_Matrix_ONLINE, .access = Online, .label = kStdMatrixLabel,
     .items = kStdMaintenanceOnline},

    // Matrix rows: each offline tab beside its online twin.
    {.id = id::Tab_s_QZ_Device_Matrix_v0, .access = Offline, .label = kV0Label, .items = kV0Specialist},
    {.id = id::Tab_s_QZ_Device_Matrix_v0_ONLINE, .access = Online, .label = kV0Label, .items = kV0Specialist},
    {.id = id::Tab_m_QZ_Device_Matrix_v0, .access = Offline, .label = kV0Label, .items = kV0Maintenance},
    {.id = id::Tab_m_QZ_Device_Matrix_v0_ONLINE, .access = Online, .label = kV0Label, .items = kV0Maintenance},
    {.id = id::Tab_s_QZ_Device_Matrix_v1, .access = Offline, .label = kV1Label, .items = kV1Offline},
    {.id = id::Tab_s_QZ_Device_Matrix_v1_ONLINE, .access = Online, .label = kV1Label, .items = kV1Online},
    {.id = id::Tab_m_QZ_Device_Matrix_v1, .access = Offline, .label = kV1Label, .items = kV1Maintenance},
    {.id = id::Tab_m_QZ_Device_Matrix_v1_ONLINE, .access = Online, .label = kV1Label, .items = kV1Maintenance},
    {.id = id::Tab_s_QZ_Device_Matrix_v3, .access = Offline, .label = kV3SpecialistLabel,
     .items = kV3SpecialistOffline},
    {.id = id::Tab_s_QZ_Device_Matrix_v3_ONLINE, .access = Online, .label = kV3SpecialistLabel,
     .items = kV3SpecialistOnline},
    {.id = id::Tab_m_QZ_Device_Matrix_v3, .access = Offline, .label = kV3MaintenanceLabel, .items = kV3Maintenance},
    {.id = id::Tab_m_QZ_Device_Matrix_v3_ONLINE, .access = Online, .label = kV3MaintenanceLabel,
     .items = kV3Maintenance},
    {.id = id::Tab_s_QZ_Device_Matrix_v4, .access = Offline, .label = kV4Label, .items = kV4ReadOnly},
    {.id = id::Tab_s_QZ_Device_Matrix_v4_ONLINE, .access = Online, .label = kV4Label, .items = kV4Online},
    {.id = id::Tab_m_QZ_Device_Matrix_v4, .access = Offline, .label = kV4Label, .items = kV4ReadOnly},
    {.id = id::Tab_m_QZ_Device_Matrix_v4_ONLINE, .access = Online, .label = kV4Label, .items = kV4ReadOnly},
    {.id = id::Tab_s_QZ_Device_Matrix_v5, .access = Offline, .label = kV5Label, .items = kV5Specialist},
    {.id = id::Tab_s_QZ_Device_Matrix_v5_ONLINE, .access = Online, .label = kV5Label, .items = kV5Specialist},
    {.id = id::Tab_m_QZ_Device_Matrix_v5, .access = Offline, .label = kV5Label, .items = kV5Maintenance},
    {.id = id::Tab_m_QZ_Device_Matrix_v5_ONLINE, .access = Online, .label = kV5Label, .items = kV5Maintenance},
    {.id = id::Tab_s_QZ_Device_Matrix_v7, .access = Offline, .label = kV7Label, .items = kV7Specialist},
    {.id = id::Tab_s_QZ_Device_Matrix_v7_ONLINE, .access = Online, .label = kV7Label, .items = kV7Specialist},
    {.id = id::Tab_m_QZ_Device_Matrix_v7, .access = Offline, .label = kV7Label, .items = kV7Maintenance},
    {.id = id::Tab_m_QZ_Device_Matrix_v7_ONLINE, .access = Online, .label = kV7Label, .items = kV7Maintenance},
    {.id = id::Tab_s_QZ_Device_Matrix_v8, .access = Offline, .label = kV8Label, .items = kV8SpecialistOffline},
    {.id = id::Tab_s_QZ_Device_Matrix_v8_ONLINE, .access = Online, .label = kV8Label, .items = kV8SpecialistOnline},
    {.id = id::Tab_m_QZ_Device_Matrix_v8, .access = Offline, .label = kV8Label, .items = kV8MaintenanceOffline},
    {.id = id::Tab_m_QZ_Device_Matrix_v8_ONLINE, .access = Online, .label = kV8Label,
     .items = kV8MaintenanceOnline},
    {.id = id::Tab_s_QZ_Device_Matrix_v9, .access = Offline, .label = kV9Label, .items = kV9Offline},
    {.id = id::Tab_s_QZ_Device_Matrix_v9_ONLINE, .access = Online, .label = kV9Label, .items = kV9SpecialistOnline},
    {.id = id::Tab_m_QZ_Device_Matrix_v9, .access = Offline, .label = kV9Label, .items = kV9Maintenance},
    {.id = id::Tab_m_QZ_Device_Matrix_v9_ONLINE, .access = Online, .label = kV9Label, .items = kV9Maintenance},
    {.id = id::Tab_s_QZ_Device_Matrix_vA, .access = Offline, .label = kVALabel, .items = kVASpecialist},
    {.id = id::Tab_s_QZ_Device_Matrix_vA_ONLINE, .access = Online, .label = kVALabel, .items = kVASpecialist},
    {.id = id::Tab_m_QZ_Device_Matrix_vA, .access = Offline, .label = kVALabel, .items = kVAMaintenance},
    {.id = id::Tab_m_QZ_Device_Matrix_vA_ONLINE, .access = Online, .label = kVALabel, .items = kVAMaintenance},

    // Identification, certificate and profile tabs.
    {.id = id::Tab_s_PA_Profil, .access = Offline, .label = kProfileLabel, .items = kProfileSpecialist},
    {.id = id::Tab_s_PA_Profil_ONLINE, .access = Online, .label = kProfileLabel, .items = kProfileSpecialistOnline},
    {.id = id::Tab_m_PA_Profil, .access = Offline, .label = kProfileLabel, .items = kProfileMaintenance},
    {.id = id::Tab_m_PA_Profil_ONLINE, .access = Online, .label = kProfileLabel,
     .items = kProfileMaintenanceOnline},
    {.id = id::Tab_s_ident, .access = Offline, .label = kIdentLabel, .items = kIdentSpecialist},
    {.id = id::Tab_s_ident_ONLINE, .access = Online, .label = kIdentLabel, .items = kIdentSpecialistOnline},
    {.id = id::Tab_m_ident, .access = Offline, .label = kIdentLabel, .items = kIdentMaintenance},
    {.id = id::Tab_m_ident_ONLINE, .access = Online, .label = kIdentLabel, .items = kIdentMaintenanceOnline},
    {.id = id::Tab_s_ident_opunit, .access = Offline, .label = kOpUnitLabel, .items = kOpUnitSpecialist},
    {.id = id::Tab_s_ident_opunit_ONLINE, .access = Online, .label = kOpUnitLabel, .items = kOpUnitSpecialist},
    {.id = id::Tab_m_ident_opunit, .access = Offline, .label = kOpUnitLabel, .items = kOpUnitMaintenance},
    {.id = id::Tab_m_ident_opunit_ONLINE, .access = Online, .label = kOpUnitLabel, .items = kOpUnitMaintenance},
    {.id = id::Tab_s_ident_device, .access = Offline, .label = kDeviceLabel, .items = kDeviceSpecialist},
    {.id = id::Tab_s_ident_device_ONLINE, .access = Online, .label = kDeviceLabel, .items = kDeviceSpecialist},
    {.id = id::Tab_m_ident_device, .access = Offline, .label = kDeviceLabel, .items = kDeviceMaintenance},
    {.id = id::Tab_m_ident_device_ONLINE, .access = Online, .label = kDeviceLabel, .items = kDeviceMaintenance},
    {.id = id::Tab_s_certificates, .access = Offline, .label = kCertificatesLabel, .items = kCertificates},
    {.id = id::Tab_s_certificates_ONLINE, .access = Online, .label = kCertificatesLabel, .items = kCertificates},

    // Diagnosis, display and reset windows. The general page puts its access last.
    {.id = id::OnlineWindow_diagnosis, .access = Online, .label = kDeviceStatusLabel, .items = kDiagnosisPages},
    {.id = id::Page_diagnosis_general, .access = Online, .label = kGeneralLabel, .items = kDiagnosisGeneral,
     .accessAt = AccessAt::afterItems},
    {.id = id::Page_diagnosis_status, .access = Online,
     .label = "Diagnosis  |de|Diagnose  |fr|Diagnostic de l'appareil   |it|Stato del dispositivo  "
              "|es|Estado del aparato",
     .items = kDiagnosisStatus},
    {.id = id::OnlineWindow_display, .access = Online,
     .label = "Display  |de|Meßwertanzeige  |fr|Affichage des valeurs de mesure  "
              "|it|Visualizza valori di misura/processo  |es|Visualizar valores medidos"_latin1,
     .items = kValueBars},
    {.id = id::BarVal_manu_meas_value_main, .access = Online,
     .label = "V0H0   Measured value  |de|V0H0   Messwert  |fr|V0H0   Mesure  |it|V0H0   Valore misurato",
     .items = kMainValueBar},
    {.id = id::BarVal_manu_meas_value_second, .access = Online, .label = kBlankLabel, .items = kSecondValueBar},
    {.id = id::BarVal_manu_meas_value_temperature, .access = Online,
     .label = "V0H1   Temperature  |de|V0H1   Temperatur  |fr|V0H1   Température  |it|V0H1   Temperatura"_latin1,
     .items = kTemperatureBar},
    {.id = id::Page_diagnosis_phys_block, .access = Online,
     .label = "Physical Block  |de|Physical Block  |fr|Bloc physique  |it|Blocco fisico  |es|Bloque físico"_latin1,
     .items = kPhysicalBlock},
    {.id = id::OnlineDialog_reset, .access = Offline, .label = kMasterResetLabel, .help = kMasterResetHelp,
     .items = kMasterReset},
    {.id = id::Page_reset, .access = Offline, .label = kMasterResetLabel, .help = kMasterResetHelp,
     .items = kMasterReset},
    {.id = id::OnlineWindow_yt, .access = Offline, .label = kYtLabel, .items = kYtWindow},
    {.id = id::Page_yt_unavailable, .access = Offline, .label = kYtLabel, .items = kYtPage},
    {.id = id::Bar_yt_unavailable, .access = Offline,
     .label = "Y t diagram not available !  |de|Verlaufskurve nicht verfügbar !"_latin1, .items = kYtBar},
    {.id = id::MVXGSD_channel_module_setup, .access = Offline, .label = "Channel Module Setup",
     .items = kChannelModules, .accessAt = AccessAt::afterLabel},

    // Communication-error menus.
    {.id = id::OfflineDialog_CommErrorHandling, .access = Offline,
     .label = "Error Handling  |de|Fehlerbehandlung  |fr|Traitement des erreurs  |it|Trattamento errore  "
              "|es|Tratamiento de errores",
     .items = kCommErrorPages},
    {.id = id::Page_CommError_General, .access = Offline, .label = kGeneralLabel, .items = kCommErrorGeneral},
    {.id = id::Page_CommError_Application, .access = Offline,
     .label = "Application  |de|Anwendung  |fr|Application  |it|Applicazione  |es|Aplicación"_latin1,
     .items = kCommErrorApplication},
    {.id = id::Page_CommError_Access, .access = Offline,
     .label = "Access  |de|Zugriff  |fr|Accès  |it|Accesso  |es|Acceso"_latin1, .items = kCommErrorAccess},
    {.id = id::Page_CommError_Resource, .access = Offline,
     .label = "Resource  |de|Ressource  |fr|Ressources  |it|Risorsa  |es|Recurso", .items = kCommErrorResource},
    {.id = id::Page_CommError_Other, .access = Offline,
     .label = "Other  |de|Sonstige  |fr|Divers  |it|Altre  |es|Otros", .items = kCommErrorOther},
    {.id = id::Menu_CommError, .access = Offline, .label = kBlankLabel, .items = kCommErrorRanges},
    {.id = id::Menu_CommError_Delay, .access = Offline, .label = kBlankLabel, .items = kCommErrorDelays},
};

static_assert(RowIndex<MenuRow>(ObjectKindMenu, {kRows}).faults() == 0, "one row per menu");
static_assert(std::size(kRows) == 114);

}  // namespace

std::span<const MenuRow> FixedMenus() { return kRows; }

}  // namespace menus
