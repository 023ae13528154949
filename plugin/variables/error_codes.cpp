// The device's diagnostic code. Each code's description and help, and the variable's
// help that lists every code, are composed at compile time from one table of codes, so
// the three texts cannot drift apart.
#include <array>
#include <cstddef>
#include <string_view>

#include "module/latin1.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

// One code in English and German. A code with `listed` false has no enumerator; it
// appears only in the variable's help.
struct ErrorCode {
  long value;
  const char* en;
  const char* de;
  const char* cause = nullptr;
  const char* remedy = nullptr;
  const char* causeDe = nullptr;
  const char* remedyDe = nullptr;
  bool listed = true;
};

constexpr const char* kCheckSensor = "Check measured value, sensor and connections";
constexpr const char* kCheckSensorDe = "Messwert, Sensor und Anschlüsse prüfen"_latin1;
constexpr const char* kCheckElectrode = "Check measured value, electrode and connections";
constexpr const char* kCheckElectrodeDe = "Messwert, Elektrode und Anschlüsse prüfen"_latin1;
constexpr const char* kCheckTemperature = "Check process temperature, temperature sensor and connections";
constexpr const char* kCheckTemperatureDe = "Prozesstemperatur, Temperaturfühler und Anschlüsse prüfen"_latin1;
constexpr const char* kCheckOutput = "Check measured value and assignment of the current output";
constexpr const char* kCheckOutputDe = "Messwert und Zuordnung des Stromausgangs prüfen"_latin1;
constexpr const char* kCheckContactor = "Check process and settings of the limit contactor";
constexpr const char* kCheckContactorDe = "Prozess und Einstellungen des Grenzwertgebers prüfen"_latin1;
constexpr const char* kCheckAlarm = "Check process, dosing and alarm threshold setting";
constexpr const char* kCheckAlarmDe = "Prozess, Dosierung und Einstellung der Alarmschwelle prüfen"_latin1;
constexpr const char* kCheckController = "Check process, dosing and controller settings";
constexpr const char* kCheckControllerDe = "Prozess, Dosierung und Reglereinstellungen prüfen"_latin1;
constexpr const char* kBelowAlarm = "Measured value below lower alarm threshold";
constexpr const char* kBelowAlarmDe = "Messwert unter unterer Alarmschwelle";
constexpr const char* kAboveAlarm = "Measured value above upper alarm threshold";
constexpr const char* kAboveAlarmDe = "Messwert über oberer Alarmschwelle"_latin1;
constexpr const char* kAboveSetpoint = "Measured value above setpoint";
constexpr const char* kAboveSetpointDe = "Messwert über Sollwert"_latin1;
constexpr const char* kBelowSetpoint = "Measured value below setpoint";
constexpr const char* kBelowSetpointDe = "Messwert unter Sollwert";
constexpr const char* kLimitsSwapped = "Set value for 20 mA > value for 4 mA";
constexpr const char* kLimitsSwappedDe = "Wert für 20 mA > Wert für 4 mA einstellen"_latin1;
constexpr const char* kRepeatCalibration = "Repeat calibration";
constexpr const char* kRepeatCalibrationDe = "Kalibrierung wiederholen";

// In value order.
constexpr ErrorCode kCodes[] = {
    {0, "No system error present", "Kein Systemfehler vorhanden"},
    {1, "EEPROM memory error", "EEPROM-Speicherfehler"},
    {2, "Invalid data", "Ungültige Daten"_latin1,
     "Instrument not calibrated, calibration data invalid, no user data available or user data invalid (EEPROM "
     "error). Instrument software not suitable for hardware (cental module)",
     nullptr,
     "Gerät nicht kalibriert, Kalibrierdaten ungültig, keine Anwenderdaten vorhanden oder Anwenderdaten "
     "ungültig (EEPROM-Fehler). Gerätesoftware passt nicht zur Hardware (Zentralmodul)"_latin1},
    {3, "Download error", "Downloadfehler", "Error while transferring data to or from the instrument", nullptr,
     "Fehler bei der Datenübertragung zum oder vom Gerät"_latin1},
    {4, "Hardware and software incompatible", "Hardware und Software nicht kompatibel",
     "Software version of the instrument does not match its hardware version", nullptr,
     "Softwareversion des Geräts passt nicht zu seiner Hardwareversion"_latin1},
    {7, "Transmitter error", "Transmitterfehler", "Transmitter hardware defective or not recognised", nullptr,
     "Transmitter-Hardware defekt oder nicht erkannt"},
    {10, "Temperature sensor defective", "Temperaturfühler defekt"_latin1, nullptr,
     "Check temperature sensor and connections, replace sensor if necessary", nullptr,
     "Temperaturfühler und Anschlüsse prüfen, Fühler gegebenenfalls ersetzen"_latin1},
    {32, "Slope range exceeded or below range", "Steilheitsbereich über- oder unterschritten"_latin1, nullptr,
     "Repeat calibration, check buffer solutions, replace electrode if necessary", nullptr,
     "Kalibrierung wiederholen, Pufferlösungen prüfen, Elektrode gegebenenfalls ersetzen"_latin1},
    {33, "pH value zero too low or too high", "pH-Nullpunkt zu niedrig oder zu hoch", nullptr,
     "Repeat calibration, check buffer solutions, clean or replace electrode", nullptr,
     "Kalibrierung wiederholen, Pufferlösungen prüfen, Elektrode reinigen oder ersetzen"_latin1},
    {34, "ORP offset range exceeded or below range", "Redox-Offsetbereich über- oder unterschritten"_latin1, nullptr,
     "Repeat calibration, check ORP buffer solution, clean or replace electrode", nullptr,
     "Kalibrierung wiederholen, Redox-Pufferlösung prüfen, Elektrode reinigen oder ersetzen"_latin1},
    {35, "Sensor QN-695 zero point signal outside permitted range",
     "Nullpunktsignal Sensor QN-695 außerhalb des zulässigen Bereichs"_latin1, nullptr,
     "Service sensor, check connections, check active charcoal filter", nullptr,
     "Sensor warten, Anschlüsse prüfen, Aktivkohlefilter prüfen"_latin1},
    {38, "Cl sensor signal outside range during slope calib.",
     "Cl-Sensorsignal bei Steilheitskalibrierung außerhalb des Bereichs"_latin1, nullptr,
     "Check chlorine concentration of the reference sample, service sensor and repeat calibration", nullptr,
     "Chlorkonzentration der Vergleichsprobe prüfen, Sensor warten und Kalibrierung wiederholen"_latin1},
    {41, "Calculation of calibration parameters aborted", "Berechnung der Kalibrierparameter abgebrochen",
     nullptr, "Repeat calibration with valid calibration values", nullptr,
     "Kalibrierung mit gültigen Kalibrierwerten wiederholen"_latin1},
    {42, "Distance of calib. value for buffer pH2 from zero too short",
     "Abstand des Kalibrierwerts für Puffer pH2 vom Nullpunkt zu gering"_latin1,
     "Distance of calibration value for buffer pH2 from zero (pH7) too short (one-point calibration solution)",
     "Slope calibration requires a buffer solution with a difference of at least dpH = 2 from the electrode "
     "zero point",
     "Abstand des Kalibrierwerts für Puffer pH2 vom Nullpunkt (pH7) zu gering (Einpunkt-Kalibrierlösung)"_latin1,
     "Die Steilheitskalibrierung erfordert eine Pufferlösung mit einem Abstand von mindestens dpH = 2 zum "
     "Elektrodennullpunkt"_latin1},
    // The German help of this code has no cause line.
    {43, "Distance between calib. values too short", "Abstand zwischen den Kalibrierwerten zu gering",
     "Distance between the two calibration values too short",
     "Use calibration solutions whose values lie further apart and repeat calibration", nullptr,
     "Kalibrierlösungen mit weiter auseinanderliegenden Werten verwenden und Kalibrierung wiederholen"_latin1},
    {44, "Signal not stable", "Signal nicht stabil", "Measured value fluctuates during calibration",
     "Wait until measured value is stable, check sensor and flow, repeat calibration",
     "Messwert schwankt während der Kalibrierung"_latin1,
     "Warten, bis der Messwert stabil ist, Sensor und Durchfluss prüfen, Kalibrierung wiederholen"_latin1},
    {45, "Calibration aborted", "Kalibrierung abgebrochen", nullptr, kRepeatCalibration, nullptr,
     kRepeatCalibrationDe},
    {46, "Param. limits for current output 1 interchanged", "Parametergrenzen für Stromausgang 1 vertauscht"_latin1,
     nullptr, kLimitsSwapped, nullptr, kLimitsSwappedDe, false},
    {47, "Param. limits for current output 2 interchanged", "Parametergrenzen für Stromausgang 2 vertauscht"_latin1,
     nullptr, kLimitsSwapped, nullptr, kLimitsSwappedDe, false},
    {55, "Lower Cl/ClO2 measuring range exceeded", "Cl/ClO2-Messbereich unterschritten", nullptr, kCheckSensor,
     nullptr, kCheckSensorDe},
    {56, "Lower pH/mV measuring range exceeded", "pH/mV-Messbereich unterschritten", nullptr, kCheckElectrode,
     nullptr, kCheckElectrodeDe},
    {57, "Upper Cl/ClO2 measuring range exceeded", "Cl/ClO2-Messbereich überschritten"_latin1, nullptr, kCheckSensor,
     nullptr, kCheckSensorDe},
    {58, "Upper pH/mV measuring range exceeded", "pH/mV-Messbereich überschritten"_latin1, nullptr, kCheckElectrode,
     nullptr, kCheckElectrodeDe},
    {59, "Temperature below measuring range", "Temperatur unter Messbereich", nullptr, kCheckTemperature,
     nullptr, kCheckTemperatureDe},
    {61, "Temperature above measuring range", "Temperatur über Messbereich"_latin1, nullptr, kCheckTemperature,
     nullptr, kCheckTemperatureDe},
    {63, "Current output 1: range undershot", "Stromausgang 1: Bereich unterschritten", nullptr, kCheckOutput,
     nullptr, kCheckOutputDe},
    {64, "Current output 1: range exceeded", "Stromausgang 1: Bereich überschritten"_latin1, nullptr, kCheckOutput,
     nullptr, kCheckOutputDe},
    {65, "Current output 2: range undershot", "Stromausgang 2: Bereich unterschritten", nullptr, kCheckOutput,
     nullptr, kCheckOutputDe},
    {66, "Current output 2: range exceeded", "Stromausgang 2: Bereich überschritten"_latin1, nullptr, kCheckOutput,
     nullptr, kCheckOutputDe},
    {67, "Alarm threshold limit contactor 1 exceeded", "Alarmschwelle Grenzwertgeber 1 überschritten"_latin1, nullptr,
     kCheckContactor, nullptr, kCheckContactorDe},
    {68, "Alarm threshold limit contactor 2 exceeded", "Alarmschwelle Grenzwertgeber 2 überschritten"_latin1, nullptr,
     kCheckContactor, nullptr, kCheckContactorDe},
    {69, "Alarm threshold limit contactor 3 exceeded", "Alarmschwelle Grenzwertgeber 3 überschritten"_latin1, nullptr,
     kCheckContactor, nullptr, kCheckContactorDe},
    {70, "Alarm threshold limit contactor 4 exceeded", "Alarmschwelle Grenzwertgeber 4 überschritten"_latin1, nullptr,
     kCheckContactor, nullptr, kCheckContactorDe},
    {80, "Current output 1 span too small", "Spanne Stromausgang 1 zu klein",
     "Span between the values for 4 mA and 20 mA of current output 1 too small",
     "Increase the span of current output 1",
     "Spanne zwischen den Werten für 4 mA und 20 mA von Stromausgang 1 zu klein"_latin1,
     "Spanne von Stromausgang 1 vergrößern"_latin1},
    {81, "Current output 2 span too small", "Spanne Stromausgang 2 zu klein",
     "Span between the values for 4 mA and 20 mA of current output 2 too small",
     "Increase the span of current output 2",
     "Spanne zwischen den Werten für 4 mA und 20 mA von Stromausgang 2 zu klein"_latin1,
     "Spanne von Stromausgang 2 vergrößern"_latin1},
    {100, "Current simulation active", "Stromsimulation aktiv"},
    {101, "Service function active", "Servicefunktion aktiv", nullptr, "Exit service function", nullptr,
     "Servicefunktion beenden"},
    {102, "Manual mode active", "Handbetrieb aktiv"},
    {106, "Download active", "Download aktiv", nullptr, "Wait until the download is complete", nullptr,
     "Warten, bis der Download abgeschlossen ist"},
    {116, "Download error", "Downloadfehler", nullptr, "Repeat download", nullptr, "Download wiederholen"},
    {152, "Measuring signal Cl/ClO2 sluggish or frozen", "Messsignal Cl/ClO2 träge oder eingefroren"_latin1, nullptr,
     "Check sensor, flow and assembly", nullptr, "Sensor, Durchfluss und Armatur prüfen"_latin1},
    {153, "Measuring signal pH/mV sluggish or frozen", "Messsignal pH/mV träge oder eingefroren"_latin1, nullptr,
     "Check electrode, flow and assembly", nullptr, "Elektrode, Durchfluss und Armatur prüfen"_latin1},
    {154, "Cl/ClO2 below lower alarm threshold", "Cl/ClO2 unter unterer Alarmschwelle", kBelowAlarm,
     kCheckAlarm, kBelowAlarmDe, kCheckAlarmDe},
    {155, "Cl/ClO2 above upper alarm threshold", "Cl/ClO2 über oberer Alarmschwelle"_latin1, kAboveAlarm, kCheckAlarm,
     kAboveAlarmDe, kCheckAlarmDe},
    {156, "Cl/ClO2 above setpoint", "Cl/ClO2 über Sollwert"_latin1, kAboveSetpoint, kCheckController,
     kAboveSetpointDe, kCheckControllerDe},
    {157, "Cl/ClO2 below setpoint", "Cl/ClO2 unter Sollwert", kBelowSetpoint, kCheckController,
     kBelowSetpointDe, kCheckControllerDe},
    {158, "pH/mV below lower alarm threshold", "pH/mV unter unterer Alarmschwelle", kBelowAlarm, kCheckAlarm,
     kBelowAlarmDe, kCheckAlarmDe},
    {159, "pH/mV above upper alarm threshold", "pH/mV über oberer Alarmschwelle"_latin1, kAboveAlarm, kCheckAlarm,
     kAboveAlarmDe, kCheckAlarmDe},
    {160, "pH/mV below setpoint", "pH/mV unter Sollwert", kBelowSetpoint, kCheckController, kBelowSetpointDe,
     kCheckControllerDe},
    {161, "pH/mV above setpoint", "pH/mV über Sollwert"_latin1, kAboveSetpoint, kCheckController, kAboveSetpointDe,
     kCheckControllerDe},
    {162, "Controller (dosing) switches off", "Regler (Dosierung) schaltet ab",
     "Dosing time limit of the controller exceeded",
     "Check dosing system, chemical supply and controller settings",
     "Dosierzeitgrenze des Reglers überschritten"_latin1,
     "Dosieranlage, Chemikalienversorgung und Reglereinstellungen prüfen"_latin1},
    {163, "Compensated chlorine value too imprecise", "Kompensierter Chlorwert zu ungenau",
     "Compensated chlorine value too imprecise since pH value > 9",
     "Check pH value and adjust according to system requirements. For pH values > 9, the disinfection effect "
     "is questionable since the chlorine now exists as the less effective OCl-.",
     "Kompensierter Chlorwert zu ungenau, da pH-Wert > 9",
     "pH-Wert prüfen und gemäß den Anlagenanforderungen einstellen. Bei pH-Werten > 9 ist die "
     "Desinfektionswirkung fraglich, da das Chlor nun als weniger wirksames OCl- vorliegt."_latin1},
    {170, "Flow rate through assembly too small or zero", "Durchfluss durch Armatur zu gering oder null",
     nullptr, "Check flow through the assembly, clean assembly and filter if necessary", nullptr,
     "Durchfluss durch die Armatur prüfen, Armatur und Filter gegebenenfalls reinigen"_latin1},
    {171, "Flow in main stream too low or zero", "Durchfluss im Hauptstrom zu gering oder null", nullptr,
     "Check flow in the main stream", nullptr, "Durchfluss im Hauptstrom prüfen"_latin1},
    {172, "Switch-off limit for current input exceeded", "Abschaltgrenze für Stromeingang überschritten"_latin1,
     nullptr, "Check current input signal and switch-off limit", nullptr,
     "Stromeingangssignal und Abschaltgrenze prüfen"_latin1},
    {173, "Current input < 4 mA", "Stromeingang < 4 mA", nullptr,
     "Check signal source and wiring of the current input", nullptr,
     "Signalquelle und Verdrahtung des Stromeingangs prüfen"_latin1},
    {174, "Current input > 20 mA", "Stromeingang > 20 mA", nullptr, "Check signal source of the current input",
     nullptr, "Signalquelle des Stromeingangs prüfen"_latin1},
    {9999, "Instrument in field is locked to prevent operation.", "Gerät im Feld ist gegen Bedienung verriegelt."_latin1,
     nullptr, "Unlock operation at the instrument by pressing the keys PLUS and MINUS at the same time", nullptr,
     "Bedienung am Gerät entriegeln: Tasten PLUS und MINUS gleichzeitig drücken"_latin1},
};

constexpr std::size_t CountListed() {
  std::size_t n = 0;
  for (const ErrorCode& c : kCodes) n += c.listed ? 1 : 0;
  return n;
}
constexpr std::size_t kListed = CountListed();

struct Language {
  const char* ErrorCode::*text;
  const char* ErrorCode::*cause;
  const char* ErrorCode::*remedy;
  std::string_view causeTag, remedyTag;
};
constexpr Language kEnglish{&ErrorCode::en, &ErrorCode::cause, &ErrorCode::remedy, "  Cause: ", "  Remedy: "};
constexpr Language kGerman{&ErrorCode::de, &ErrorCode::causeDe, &ErrorCode::remedyDe, "  Ursache: ",
                           "  Behebung: "};
constexpr std::string_view kGermanMarker = "  |de|";

// Writes the texts; the same walk first only counts, then fills the buffer.
template <typename Out>
constexpr void Code(Out& out, long value) {
  if (value == 9999) {
    out.put("9999");
    return;
  }
  out.put('E');
  out.put(static_cast<char>('0' + value / 100 % 10));
  out.put(static_cast<char>('0' + value / 10 % 10));
  out.put(static_cast<char>('0' + value % 10));
}

template <typename Out>
constexpr void Description(Out& out, const ErrorCode& c, const Language& lang) {
  Code(out, c.value);
  out.put(": ");
  out.put(c.*lang.text);
}

// The description, the cause and remedy lines where the code has them, an empty line.
template <typename Out>
constexpr void HelpSegment(Out& out, const ErrorCode& c, const Language& lang) {
  Description(out, c, lang);
  out.put('\n');
  if (c.*lang.cause) {
    out.put(lang.causeTag);
    out.put(c.*lang.cause);
    out.put('\n');
  }
  if (c.*lang.remedy) {
    out.put(lang.remedyTag);
    out.put(c.*lang.remedy);
    out.put('\n');
  }
  out.put('\n');
}

// Every code's help in value order, two blanks before each after the first.
template <typename Out>
constexpr void AllHelps(Out& out, const Language& lang) {
  bool first = true;
  for (const ErrorCode& c : kCodes) {
    if (!first) out.put("  ");
    first = false;
    HelpSegment(out, c, lang);
  }
}

// Texts in slot order: per listed code its description and its help, then the
// variable's help. Each text ends with a NUL.
template <typename Out>
constexpr void AllTexts(Out& out) {
  for (const ErrorCode& c : kCodes) {
    if (!c.listed) continue;
    Description(out, c, kEnglish);
    out.put(kGermanMarker);
    Description(out, c, kGerman);
    out.end();
    HelpSegment(out, c, kEnglish);
    out.put(kGermanMarker);
    HelpSegment(out, c, kGerman);
    out.end();
  }
  AllHelps(out, kEnglish);
  out.put(kGermanMarker);
  AllHelps(out, kGerman);
  out.end();
}

struct Counter {
  std::size_t size = 0;
  constexpr void put(char) { ++size; }
  constexpr void put(std::string_view s) { size += s.size(); }
  constexpr void end() { ++size; }
};

constexpr std::size_t kSlots = 2 * kListed + 1;

template <std::size_t N>
struct TextBlock {
  std::array<char, N> chars{};
  std::array<std::size_t, kSlots> starts{};
  std::size_t used = 0;
  std::size_t slot = 0;

  constexpr void put(char ch) { chars[used++] = ch; }
  constexpr void put(std::string_view s) {
    for (char ch : s) chars[used++] = ch;
  }
  constexpr void end() {
    chars[used++] = '\0';
    if (++slot < kSlots) starts[slot] = used;
  }
  constexpr const char* text(std::size_t i) const { return chars.data() + starts[i]; }
};

constexpr std::size_t TextSize() {
  Counter counter;
  AllTexts(counter);
  return counter.size;
}

constexpr TextBlock<TextSize()> BuildTexts() {
  TextBlock<TextSize()> block;
  AllTexts(block);
  return block;
}

constexpr auto kTexts = BuildTexts();
static_assert(kTexts.used == kTexts.chars.size() && kTexts.slot == kSlots);

constexpr std::array<Enumerator, kListed> BuildEnumerators() {
  std::array<Enumerator, kListed> enums{};
  std::size_t i = 0;
  for (const ErrorCode& c : kCodes) {
    if (!c.listed) continue;
    enums[i] = {c.value, kTexts.text(2 * i), kTexts.text(2 * i + 1)};
    ++i;
  }
  return enums;
}

constexpr auto kEnumerators = BuildEnumerators();

constexpr VariableRow kRows[] = {
    {.id = id::phys_actual_error_code,
     .label = "V8H0   Diagnostic code  |de|V8H0   Diagnosecode  |fr|V8H0   Code de diagnostic  "
              "|it|V8H0   Codice diagnostico",
     .help = HelpText(kTexts.text(kSlots - 1)), .cls = kDynamic | kContained,
     .type = {.code = VariableTypeEnumerated, .size = 2, .deflt = 0}, .enums = kEnumerators,
     .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kErrorCodeRows = kRows;

}  // namespace variables
