// The attributes of the 85 methods and their index.
#include <algorithm>
#include <iterator>

#include "methods/bodies.h"
#include "module/row_index.h"
#include "module/subsystems.h"
#include "module/latin1.h"

namespace methods {
namespace {

constexpr const char* kBlank = " ";
constexpr const char* kPreEdit = "meth_pre_edit_units";
constexpr const char* kChanged = "meth_changed_units";

// clang-format off
constexpr MethodRow kMethods[] = {
    {.id = id::CommError_IgnoreAllErrors,
     .label = "Ignore all Errors  |de|Alle Fehler ignorieren  |fr|Ignorer toutes les erreurs  |it|Ignora tutti gli errori  |es|Ignorar todos los errores",
     .help = "", .access = AccessOffline, .order = CalcOrder::accessFirst, .body = body::IgnoreAllErrors},
    {.id = id::CommError_CheckAllErrors,
     .label = "Check all Errors  |de|Alle Fehler prüfen  |fr|Vérifier toutes les erreurs  |it|Controlla tutti gli errori  |es|Comprobar todos los errores"_latin1,
     .help = "", .access = AccessOffline, .order = CalcOrder::accessFirst, .body = body::CheckAllErrors},
    {.id = id::CommError_DefaultHandling,
     .label = "Default Handling  |de|Standardbehandlung  |fr|Traitement standard  |it|Trattamento standard  |es|Tratamiento estándar"_latin1,
     .help = "", .access = AccessOffline, .order = CalcOrder::accessFirst, .body = body::DefaultErrorHandling},
    {.id = id::std_Save, .label = "&Save \tCtrl+S  |de|&Speichern\tStrg+S  |fr|&Enregistrer\tCtrl+S  |it|Sal&va\tCtrl+S  |es|&Guardar\tCtrl+S", .body = body::Empty},
    {.id = id::SEPARATOR, .label = kBlank, .body = body::Empty},
    {.id = id::std_Eigenschaften, .label = "&Properties...  |de|&Eigenschaften...  |fr|&Propriétés...  |it|&Proprietà...  |es|&Propiedades..."_latin1, .body = body::Empty},
    {.id = id::std_Comparison, .label = "&Value comparison...  |de|&Wertevergleich...  |fr|&Comparaison de valeurs...  |it|Co&nfronta valori...  |es|&Comparar valores...", .body = body::Empty},
    {.id = id::std_Print, .label = "&Print...\tCtrl+P  |de|&Drucken...\tStrg+P  |fr|&Imprimer...\tCtrl+P  |it|&Stampa...\tCtrl+P  |es|&Imprimir...\tCtrl+P", .body = body::Empty},
    {.id = id::std_PrintPreview, .label = "Print Pre&view  |de|Sei&tenansicht  |fr|Aperçu a&vant impression  |it|Antepri&ma di stampa  |es|&Presentación preliminar"_latin1, .body = body::Empty},
    {.id = id::std_PrintSetup, .label = "Pr&int Setup...  |de|Drucker einri&chten...  |fr|C&onfiguration de l'imprimante...  |it|Imposta s&tampante...  |es|Con&figurar impresora...", .body = body::Empty},
    {.id = id::std_PageSetup, .label = "Pa&ge Setup...  |de|Seite ein&richten...  |fr|&Mise en page...  |it|Imp&osta pagina...  |es|Pr&eparar página..."_latin1, .body = body::Empty},
    {.id = id::std_Schriftfelder, .label = "&Labels...  |de|Schr&iftfelder...  |fr|En-têtes et &bas de page...  |it|Campi di scritt&ura...  |es|Encabe&zado/Pie de página..."_latin1, .body = body::Empty},
    {.id = id::std_Exit, .label = "E&xit  |de|&Beenden  |fr|&Quitter  |it|&Esci  |es|&Salir", .body = body::Empty},
    {.id = id::std_NodeAddress, .label = "Set Address...  |de|Adresse vergeben...  |fr|Attribuer adresse...  |it|Assegna indirizzo ...  |es|&Asignar dirección..."_latin1, .access = AccessOffline, .body = body::Empty},
    {.id = id::std_LoadinDevice, .label = "Load to &Device  |de|Laden in &Gerät  |fr|Charger dans l'&appareil  |it|&Carica nel dispositivo  |es|Cargar en &aparato"_latin1, .access = AccessOffline, .body = body::Empty},
    {.id = id::std_LoadinPC, .label = "Load to &PG/PC  |de|Laden in &PG/PC  |fr|Charger dans &PG/PC  |it|Carica &nel PG/PC  |es|Cargar en &PG/PC", .access = AccessOffline, .body = body::Empty},
    {.id = id::std_Funktionsleiste, .label = "&Toolbar  |de|&Funktionsleiste  |fr|Barre d'o&utils  |it|&Barra degli strumenti  |es|Barra de &herramientas", .access = AccessOffline, .body = body::Empty},
    {.id = id::std_Statuszeile, .label = "&Status Bar  |de|&Statuszeile  |fr|Ba&rre d'état  |it|Barra di st&ato  |es|Barra de &estado"_latin1, .access = AccessOffline, .body = body::Empty},
    {.id = id::std_Update, .label = "&Update\tF5  |de|A&ktualisieren\tF5  |fr|A&ctualiser\tF5  |it|&Aggiorna\tF5  |es|A&ctualizar\tF5", .access = AccessOffline, .body = body::Empty},
    {.id = id::std_HilfeGeraet, .label = "Device &Parameter Help ...  |de|Hilfe zu Geräte&parameter ...  |fr|Aide a&ppareil...  |it|Guida al &dispositivo ...  |es|Ayuda del a&parato ..."_latin1, .body = body::Empty},
    {.id = id::std_Hilfethemen, .label = "&Help Topics  |de|&Hilfethemen...  |fr|&Rubriques d'aide...  |it|&Argomenti della Guida...  |es|Temas de &Ayuda...", .body = body::Empty},
    {.id = id::std_HilfeKontext, .label = "Conte&xt Help\tF1  |de|Hilfe zum &Kontext\tF1  |fr|Aide conte&xtuelle\tF1  |it|&Guida al contesto\tF1  |es|Ayuda conte&xtual\tF1", .body = body::Empty},
    {.id = id::std_HilfeEinfuehrung, .label = "&Introduction  |de|&Einführung  |fr|&Introduction  |it|&Introduzione  |es|&Introducción"_latin1, .body = body::Empty},
    {.id = id::std_HilfeErsteSchritte, .label = "&Getting Started  |de|Erste &Schritte  |fr|&Mise en route  |it|&Primi passi  |es|&Primeros pasos", .body = body::Empty},
    {.id = id::std_Hilfebenutzen, .label = "&Using Help  |de|Hilfe &benutzen  |fr|&Utiliser l'aide  |it|&Uso della Guida  |es|&Uso de la Ayuda", .body = body::Empty},
    {.id = id::std_Info, .label = "&About...  |de|Inf&o...  |fr|&A propos de...  |it|Inf&ormazioni su...  |es|&Acerca de...", .body = body::Empty},
    {.id = id::std_Einstellungen, .label = "Customi&ze...  |de|&Einstellungen...  |fr|&Paramètres...  |it|&Impostazioni...  |es|&Preferencias..."_latin1, .body = body::Empty},
    {.id = id::std_Untereintraege, .label = "&Subitems  |de|&Untereinträge anzeigen  |fr|Afficher les &sous-entrées  |it|&Contenuto cartelle  |es|&Visualizar subentradas"_latin1, .body = body::Empty},
    {.id = id::method_delay_1s_ONLINE, .label = "method_delay_1s", .body = body::Delay1s},
    {.id = id::meth_pre_edit_manu_sensor_type_TQR_ONLINE, .label = kPreEdit, .body = body::PreEditSensorType},
    {.id = id::meth_changed_manu_sensor_type_TQR_ONLINE, .label = kChanged, .body = body::ChangedSensorType},
    {.id = id::meth_pre_edit_manu_mode_TQR_ONLINE, .label = kPreEdit, .body = body::PreEditMode},
    {.id = id::meth_changed_manu_mode_TQR_ONLINE, .label = kChanged, .body = body::ChangedMode},
    {.id = id::meth_pre_edit_manu_check_select_TQR_ONLINE, .label = kPreEdit, .body = body::PreEditCheckSelect},
    {.id = id::meth_changed_manu_check_select_TQR_ONLINE, .label = kChanged, .body = body::ChangedCheckSelect},
    {.id = id::meth_set_sv_lower_limit_ONLINE, .label = "Set SV lower limit", .body = body::SetSvLowerLimit},
    {.id = id::meth_set_sv_upper_limit_ONLINE, .label = "Set SV upper limit", .body = body::SetSvUpperLimit},
    {.id = id::meth_set_pv_upper_limit_ONLINE, .label = "Set PV upper limit", .body = body::SetPvUpperLimit},
    {.id = id::method_phys_factory_reset_params,
     .label = "Factory Reset  |de|Rücksetzen in Auslieferzustand  |fr|Remise à l'état de livraison  |it|Reset allo stato d fornitura  |es|Reposición al estado original de suministro"_latin1,
     .order = CalcOrder::accessFirst, .body = body::FactoryResetParams},
    {.id = id::method_phys_factory_reset_warm,
     .label = "Warm start  |de|Warmstart  |fr|Démarrage à chaud  |it|Avvio a caldo  |es|Arranque en caliente"_latin1, .body = body::FactoryResetWarm},
    {.id = id::method_phys_factory_reset_address,
     .label = "Reset Address to '126'  |de|Rücksetzen der Adresse auf '126'  |fr|Remise de l'adresse à '126'  |it|Riportare l'indirizzo su '126'  |es|Reponer dirección a '126'"_latin1, .body = body::FactoryResetAddress},
    {.id = id::method_phys_factory_reset_device_specific,
     .label = "Reset (device specific)  |de|Rücksetzen (Gerätespezifisch)  |fr|Remise à zéro (spécifique à l'appareil)  |it|Reset (specifico per il tipo di dispositivo)  |es|Reset (específ. aparato)"_latin1, .body = body::FactoryResetDeviceSpecific},
    {.id = id::GetNumericSoftwareRevision, .label = "GetNumericSoftwareRevision", .body = body::NumericSoftwareRevision},
    {.id = id::method_delay_1s, .label = "method_delay_1s", .body = body::Delay1s},
    {.id = id::meth_update_manu_mode_help, .label = kChanged, .body = body::UpdateModeHelp},
    {.id = id::meth_pre_edit_manu_mode_TQR, .label = kPreEdit, .access = AccessOffline, .body = body::PreEditMode},
    {.id = id::meth_changed_manu_mode_TQR, .label = kChanged, .access = AccessOffline, .body = body::ChangedMode},
    {.id = id::meth_pre_edit_manu_check_select_TQR, .label = kPreEdit, .access = AccessOffline, .body = body::PreEditCheckSelect},
    {.id = id::meth_changed_manu_check_select_TQR, .label = kChanged, .access = AccessOffline, .body = body::ChangedCheckSelect},
    {.id = id::meth_pre_edit_manu_sensor_type_TQR, .label = kPreEdit, .access = AccessOffline, .body = body::PreEditSensorType},
    {.id = id::meth_changed_manu_sensor_type_TQR, .label = kChanged, .access = AccessOffline, .body = body::ChangedSensorType},
    {.id = id::meth_changed_manu_temperature_process_entry,
     .label = "meth_changed_manu_temperature_process_entry",
     .body = body::ReadTemperatureEntry},
    {.id = id::meth_read_function_params, .label = "meth_read_function_params", .body = body::ReadFunctionParams},
    {.id = id::meth_read_function_params_1, .label = "meth_read_function_params_1", .body = body::ReadLimitPvParams},
    {.id = id::meth_read_function_params_2, .label = "meth_read_function_params_2", .body = body::ReadLimitTempParams},
    {.id = id::meth_read_function_params_sv, .label = "meth_read_function_params_sv", .body = body::ReadLimitSvParams},
    {.id = id::meth_read_function_params_PID, .label = "meth_read_function_params_PID", .body = body::ReadPidParams},
    {.id = id::meth_read_function_params_timer, .label = "meth_read_function_params_timer", .body = body::ReadTimerParams},
    {.id = id::meth_read_function_params_clean, .label = "meth_read_function_params_clean", .body = body::ReadCleanParams},
    {.id = id::meth_read_function_params_3Pstep, .label = "meth_read_function_params_neutra", .body = body::ReadThreePointStepParams},
    {.id = id::meth_read_alarm_status_params, .label = "meth_read_alarm_status_params", .body = body::ReadAlarmStatusParams},
    {.id = id::meth_set_pv_upper_limit, .label = "Set PV upper limit", .access = AccessOffline, .body = body::SetPvUpperLimit},
    {.id = id::meth_set_sv_lower_limit, .label = "Set SV lower limit", .access = AccessOffline, .body = body::SetSvLowerLimit},
    {.id = id::meth_set_sv_upper_limit, .label = "Set SV upper limit", .access = AccessOffline, .body = body::SetSvUpperLimit},
    {.id = id::method_set, .label = "Transfer  |de|Übertragen  |fr|Transférer  |it|Trasferisci  |es|Transferir"_latin1,
     .help = "Transfer: Transfers the inputs to the field device  |de|Übertragen: Überträgt Eingaben zum Feldgerät.  |fr|Transférer : transfère les entrées à l'appareil de terrain.  |it|Trasferisci: Trasferisce dati all'apparecchio di campo.  |es|Transferir: transfiere entradas al aparato de campo."_latin1,
     .body = body::Empty},
    {.id = id::method_reset_sensor, .label = "Sensor reset  |de|Sensor reset  |fr|Reset capteur  |it|Reset sensore", .body = body::ResetSensor},
    {.id = id::method_reset_general, .label = "General reset  |de|Totalreset  |fr|Reset general  |it|Ripristino totale", .body = body::ResetGeneral},
    {.id = id::method_select_relay, .label = "Select relay  |de|Relais Auswahl  |fr|Choix du relais  |it|Seleziona rele", .body = body::SelectRelay},
    {.id = id::method_message_no_relays, .label = kBlank, .body = body::MessageNoRelays},
    {.id = id::method_message_no_access, .label = kBlank, .body = body::MessageNoAccess},
    {.id = id::method_select_relay_function,
     .label = "Select relay function  |de|Kontaktfunktion Auswahl  |fr|Choix du fonction du relais  |it|Seleziona tipo", .body = body::SelectRelayFunction},
    {.id = id::pre_read_download_variables, .label = kBlank, .cls = MethodClassCode2, .order = CalcOrder::accessFirst,
     .body = body::Empty},
    {.id = id::pre_read_dependencies_level_1, .label = kBlank, .body = body::PreReadLevel1},
    {.id = id::pre_read_dependencies_level_2, .label = kBlank, .body = body::PreReadLevel2},
    {.id = id::pre_read_dependencies_level_3, .label = kBlank, .body = body::PreReadLevel3},
    {.id = id::pre_write_upload_variables, .label = kBlank, .cls = MethodClassCode2, .order = CalcOrder::accessFirst, .body = body::PreWriteUploadVariables},
    {.id = id::meth_pre_edit_manu_unit_display, .label = kPreEdit, .access = AccessOffline, .body = body::PreEditUnitDisplay},
    {.id = id::meth_pre_edit_manu_unit_display_ONLINE, .label = kPreEdit, .body = body::PreEditUnitDisplay},
    {.id = id::meth_changed_manu_unit_display_TQR, .label = kChanged, .access = AccessOffline, .body = body::ChangedUnitDisplay},
    {.id = id::meth_changed_manu_unit_display_TQR_ONLINE, .label = kChanged, .body = body::ChangedUnitDisplay},
    {.id = id::method_manu_sensor_type_remember, .label = "", .access = AccessOffline, .order = CalcOrder::accessFirst, .body = body::RememberSensorType},
    {.id = id::method_write_manu_sensor_type, .label = "", .body = body::WriteSensorType},
    {.id = id::method_WriteToDevice_PRE_WRITE, .label = "", .body = body::SensorTypeGuard},
    {.id = id::pre_write_upload_variables_lock, .label = kBlank, .cls = MethodClassCode2, .order = CalcOrder::accessFirst, .body = body::PreWriteLock},
    {.id = id::post_write_upload_variables_lock, .label = "", .body = body::PostWriteLock},
};
// clang-format on

template <typename Pred>
constexpr int Count(Pred pred) {
  return static_cast<int>(std::count_if(std::begin(kMethods), std::end(kMethods), pred));
}
static_assert(std::size(kMethods) == 85);
static_assert(Ascending(kMethods));
static_assert(Count([](const MethodRow& r) { return r.access == AccessOffline; }) == 21);
static_assert(Count([](const MethodRow& r) { return r.cls == MethodClassCode2; }) == 3);
static_assert(Count([](const MethodRow& r) { return r.help.has_value(); }) == 4);
static_assert(Count([](const MethodRow& r) { return r.order == CalcOrder::accessFirst; }) == 8);

constexpr RowIndex<MethodRow> kIndex(ObjectKindMethod, {kMethods});
static_assert(kIndex.faults() == 0, "one row per method");

}  // namespace

std::span<const MethodRow> Rows() { return kMethods; }

const MethodRow* FindRow(long number) { return kIndex.Find(number); }

CalcFunction CalcFunctionFor(ObjId number) { return FindRow(number) ? &CalcMethod : nullptr; }

// A method without a body has no execute entry.
ExecuteFunction ExecuteFunctionFor(ObjId number) {
  const MethodRow* row = FindRow(number);
  return row && row->body ? &ExecuteMethod : nullptr;
}

}  // namespace methods
