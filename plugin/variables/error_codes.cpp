// The device's diagnostic code. Each code's help is written once, in English and in
// German; the texts the host receives are built from those while compiling: a code's
// description (the first line of each language), its help (both languages), and the
// variable's help (every code's help, language by language).
#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

// One code's help in each language: the description line, then the cause and remedy
// lines where the code has them, then the empty line that closes it.
struct CodeHelp {
  long value;
  const char* english;
  const char* german;
  bool enumerator = true;  // false: only the variable's help describes the code
};

// In value order.
constexpr CodeHelp kCodeHelps[] = {
    {0, "E000: No system error present\n\n", "E000: Kein Systemfehler vorhanden\n\n"},
    {1, "E001: EEPROM memory error\n\n", "E001: EEPROM-Speicherfehler\n\n"},
    {2,
     "E002: Invalid data\n"
     "  Cause: Instrument not calibrated, calibration data invalid, no user data available or user data invalid "
     "(EEPROM error). Instrument software not suitable for hardware (cental module)\n\n",
     "E002: Ungültige Daten\n"
     "  Ursache: Gerät nicht kalibriert, Kalibrierdaten ungültig, keine Anwenderdaten vorhanden oder "
     "Anwenderdaten ungültig (EEPROM-Fehler). Gerätesoftware passt nicht zur Hardware (Zentralmodul)\n\n"_latin1},
    {3,
     "E003: Download error\n"
     "  Cause: Error while transferring data to or from the instrument\n\n",
     "E003: Downloadfehler\n"
     "  Ursache: Fehler bei der Datenübertragung zum oder vom Gerät\n\n"_latin1},
    {4,
     "E004: Hardware and software incompatible\n"
     "  Cause: Software version of the instrument does not match its hardware version\n\n",
     "E004: Hardware und Software nicht kompatibel\n"
     "  Ursache: Softwareversion des Geräts passt nicht zu seiner Hardwareversion\n\n"_latin1},
    {7,
     "E007: Transmitter error\n"
     "  Cause: Transmitter hardware defective or not recognised\n\n",
     "E007: Transmitterfehler\n"
     "  Ursache: Transmitter-Hardware defekt oder nicht erkannt\n\n"},
    {10,
     "E010: Temperature sensor defective\n"
     "  Remedy: Check temperature sensor and connections, replace sensor if necessary\n\n",
     "E010: Temperaturfühler defekt\n"
     "  Behebung: Temperaturfühler und Anschlüsse prüfen, Fühler gegebenenfalls ersetzen\n\n"_latin1},
    {32,
     "E032: Slope range exceeded or below range\n"
     "  Remedy: Repeat calibration, check buffer solutions, replace electrode if necessary\n\n",
     "E032: Steilheitsbereich über- oder unterschritten\n"
     "  Behebung: Kalibrierung wiederholen, Pufferlösungen prüfen, Elektrode gegebenenfalls ersetzen\n\n"_latin1},
    {33,
     "E033: pH value zero too low or too high\n"
     "  Remedy: Repeat calibration, check buffer solutions, clean or replace electrode\n\n",
     "E033: pH-Nullpunkt zu niedrig oder zu hoch\n"
     "  Behebung: Kalibrierung wiederholen, Pufferlösungen prüfen, Elektrode reinigen oder ersetzen\n\n"_latin1},
    {34,
     "E034: ORP offset range exceeded or below range\n"
     "  Remedy: Repeat calibration, check ORP buffer solution, clean or replace electrode\n\n",
     "E034: Redox-Offsetbereich über- oder unterschritten\n"
     "  Behebung: Kalibrierung wiederholen, Redox-Pufferlösung prüfen, Elektrode reinigen oder "
     "ersetzen\n\n"_latin1},
    {35,
     "E035: Sensor QN-695 zero point signal outside permitted range\n"
     "  Remedy: Service sensor, check connections, check active charcoal filter\n\n",
     "E035: Nullpunktsignal Sensor QN-695 außerhalb des zulässigen Bereichs\n"
     "  Behebung: Sensor warten, Anschlüsse prüfen, Aktivkohlefilter prüfen\n\n"_latin1},
    {38,
     "E038: Cl sensor signal outside range during slope calib.\n"
     "  Remedy: Check chlorine concentration of the reference sample, service sensor and repeat calibration\n\n",
     "E038: Cl-Sensorsignal bei Steilheitskalibrierung außerhalb des Bereichs\n"
     "  Behebung: Chlorkonzentration der Vergleichsprobe prüfen, Sensor warten und Kalibrierung "
     "wiederholen\n\n"_latin1},
    {41,
     "E041: Calculation of calibration parameters aborted\n"
     "  Remedy: Repeat calibration with valid calibration values\n\n",
     "E041: Berechnung der Kalibrierparameter abgebrochen\n"
     "  Behebung: Kalibrierung mit gültigen Kalibrierwerten wiederholen\n\n"_latin1},
    {42,
     "E042: Distance of calib. value for buffer pH2 from zero too short\n"
     "  Cause: Distance of calibration value for buffer pH2 from zero (pH7) too short (one-point calibration "
     "solution)\n"
     "  Remedy: Slope calibration requires a buffer solution with a difference of at least dpH = 2 from the "
     "electrode zero point\n\n",
     "E042: Abstand des Kalibrierwerts für Puffer pH2 vom Nullpunkt zu gering\n"
     "  Ursache: Abstand des Kalibrierwerts für Puffer pH2 vom Nullpunkt (pH7) zu gering "
     "(Einpunkt-Kalibrierlösung)\n"
     "  Behebung: Die Steilheitskalibrierung erfordert eine Pufferlösung mit einem Abstand von "
     "mindestens dpH = 2 zum Elektrodennullpunkt\n\n"_latin1},
    {43,
     "E043: Distance between calib. values too short\n"
     "  Cause: Distance between the two calibration values too short\n"
     "  Remedy: Use calibration solutions whose values lie further apart and repeat calibration\n\n",
     "E043: Abstand zwischen den Kalibrierwerten zu gering\n"
     "  Behebung: Kalibrierlösungen mit weiter auseinanderliegenden Werten verwenden und Kalibrierung "
     "wiederholen\n\n"_latin1},
    {44,
     "E044: Signal not stable\n"
     "  Cause: Measured value fluctuates during calibration\n"
     "  Remedy: Wait until measured value is stable, check sensor and flow, repeat calibration\n\n",
     "E044: Signal nicht stabil\n"
     "  Ursache: Messwert schwankt während der Kalibrierung\n"
     "  Behebung: Warten, bis der Messwert stabil ist, Sensor und Durchfluss prüfen, Kalibrierung "
     "wiederholen\n\n"_latin1},
    {45,
     "E045: Calibration aborted\n"
     "  Remedy: Repeat calibration\n\n",
     "E045: Kalibrierung abgebrochen\n"
     "  Behebung: Kalibrierung wiederholen\n\n"},
    {.value = 46,
     .english = "E046: Param. limits for current output 1 interchanged\n"
                "  Remedy: Set value for 20 mA > value for 4 mA\n\n",
     .german = "E046: Parametergrenzen für Stromausgang 1 vertauscht\n"
               "  Behebung: Wert für 20 mA > Wert für 4 mA einstellen\n\n"_latin1,
     .enumerator = false},
    {.value = 47,
     .english = "E047: Param. limits for current output 2 interchanged\n"
                "  Remedy: Set value for 20 mA > value for 4 mA\n\n",
     .german = "E047: Parametergrenzen für Stromausgang 2 vertauscht\n"
               "  Behebung: Wert für 20 mA > Wert für 4 mA einstellen\n\n"_latin1,
     .enumerator = false},
    {55,
     "E055: Lower Cl/ClO2 measuring range exceeded\n"
     "  Remedy: Check measured value, sensor and connections\n\n",
     "E055: Cl/ClO2-Messbereich unterschritten\n"
     "  Behebung: Messwert, Sensor und Anschlüsse prüfen\n\n"_latin1},
    {56,
     "E056: Lower pH/mV measuring range exceeded\n"
     "  Remedy: Check measured value, electrode and connections\n\n",
     "E056: pH/mV-Messbereich unterschritten\n"
     "  Behebung: Messwert, Elektrode und Anschlüsse prüfen\n\n"_latin1},
    {57,
     "E057: Upper Cl/ClO2 measuring range exceeded\n"
     "  Remedy: Check measured value, sensor and connections\n\n",
     "E057: Cl/ClO2-Messbereich überschritten\n"
     "  Behebung: Messwert, Sensor und Anschlüsse prüfen\n\n"_latin1},
    {58,
     "E058: Upper pH/mV measuring range exceeded\n"
     "  Remedy: Check measured value, electrode and connections\n\n",
     "E058: pH/mV-Messbereich überschritten\n"
     "  Behebung: Messwert, Elektrode und Anschlüsse prüfen\n\n"_latin1},
    {59,
     "E059: Temperature below measuring range\n"
     "  Remedy: Check process temperature, temperature sensor and connections\n\n",
     "E059: Temperatur unter Messbereich\n"
     "  Behebung: Prozesstemperatur, Temperaturfühler und Anschlüsse prüfen\n\n"_latin1},
    {61,
     "E061: Temperature above measuring range\n"
     "  Remedy: Check process temperature, temperature sensor and connections\n\n",
     "E061: Temperatur über Messbereich\n"
     "  Behebung: Prozesstemperatur, Temperaturfühler und Anschlüsse prüfen\n\n"_latin1},
    {63,
     "E063: Current output 1: range undershot\n"
     "  Remedy: Check measured value and assignment of the current output\n\n",
     "E063: Stromausgang 1: Bereich unterschritten\n"
     "  Behebung: Messwert und Zuordnung des Stromausgangs prüfen\n\n"_latin1},
    {64,
     "E064: Current output 1: range exceeded\n"
     "  Remedy: Check measured value and assignment of the current output\n\n",
     "E064: Stromausgang 1: Bereich überschritten\n"
     "  Behebung: Messwert und Zuordnung des Stromausgangs prüfen\n\n"_latin1},
    {65,
     "E065: Current output 2: range undershot\n"
     "  Remedy: Check measured value and assignment of the current output\n\n",
     "E065: Stromausgang 2: Bereich unterschritten\n"
     "  Behebung: Messwert und Zuordnung des Stromausgangs prüfen\n\n"_latin1},
    {66,
     "E066: Current output 2: range exceeded\n"
     "  Remedy: Check measured value and assignment of the current output\n\n",
     "E066: Stromausgang 2: Bereich überschritten\n"
     "  Behebung: Messwert und Zuordnung des Stromausgangs prüfen\n\n"_latin1},
    {67,
     "E067: Alarm threshold limit contactor 1 exceeded\n"
     "  Remedy: Check process and settings of the limit contactor\n\n",
     "E067: Alarmschwelle Grenzwertgeber 1 überschritten\n"
     "  Behebung: Prozess und Einstellungen des Grenzwertgebers prüfen\n\n"_latin1},
    {68,
     "E068: Alarm threshold limit contactor 2 exceeded\n"
     "  Remedy: Check process and settings of the limit contactor\n\n",
     "E068: Alarmschwelle Grenzwertgeber 2 überschritten\n"
     "  Behebung: Prozess und Einstellungen des Grenzwertgebers prüfen\n\n"_latin1},
    {69,
     "E069: Alarm threshold limit contactor 3 exceeded\n"
     "  Remedy: Check process and settings of the limit contactor\n\n",
     "E069: Alarmschwelle Grenzwertgeber 3 überschritten\n"
     "  Behebung: Prozess und Einstellungen des Grenzwertgebers prüfen\n\n"_latin1},
    {70,
     "E070: Alarm threshold limit contactor 4 exceeded\n"
     "  Remedy: Check process and settings of the limit contactor\n\n",
     "E070: Alarmschwelle Grenzwertgeber 4 überschritten\n"
     "  Behebung: Prozess und Einstellungen des Grenzwertgebers prüfen\n\n"_latin1},
    {80,
     "E080: Current output 1 span too small\n"
     "  Cause: Span between the values for 4 mA and 20 mA of current output 1 too small\n"
     "  Remedy: Increase the span of current output 1\n\n",
     "E080: Spanne Stromausgang 1 zu klein\n"
     "  Ursache: Spanne zwischen den Werten für 4 mA und 20 mA von Stromausgang 1 zu klein\n"
     "  Behebung: Spanne von Stromausgang 1 vergrößern\n\n"_latin1},
    {81,
     "E081: Current output 2 span too small\n"
     "  Cause: Span between the values for 4 mA and 20 mA of current output 2 too small\n"
     "  Remedy: Increase the span of current output 2\n\n",
     "E081: Spanne Stromausgang 2 zu klein\n"
     "  Ursache: Spanne zwischen den Werten für 4 mA und 20 mA von Stromausgang 2 zu klein\n"
     "  Behebung: Spanne von Stromausgang 2 vergrößern\n\n"_latin1},
    {100, "E100: Current simulation active\n\n", "E100: Stromsimulation aktiv\n\n"},
    {101,
     "E101: Service function active\n"
     "  Remedy: Exit service function\n\n",
     "E101: Servicefunktion aktiv\n"
     "  Behebung: Servicefunktion beenden\n\n"},
    {102, "E102: Manual mode active\n\n", "E102: Handbetrieb aktiv\n\n"},
    {106,
     "E106: Download active\n"
     "  Remedy: Wait until the download is complete\n\n",
     "E106: Download aktiv\n"
     "  Behebung: Warten, bis der Download abgeschlossen ist\n\n"},
    {116,
     "E116: Download error\n"
     "  Remedy: Repeat download\n\n",
     "E116: Downloadfehler\n"
     "  Behebung: Download wiederholen\n\n"},
    {152,
     "E152: Measuring signal Cl/ClO2 sluggish or frozen\n"
     "  Remedy: Check sensor, flow and assembly\n\n",
     "E152: Messsignal Cl/ClO2 träge oder eingefroren\n"
     "  Behebung: Sensor, Durchfluss und Armatur prüfen\n\n"_latin1},
    {153,
     "E153: Measuring signal pH/mV sluggish or frozen\n"
     "  Remedy: Check electrode, flow and assembly\n\n",
     "E153: Messsignal pH/mV träge oder eingefroren\n"
     "  Behebung: Elektrode, Durchfluss und Armatur prüfen\n\n"_latin1},
    {154,
     "E154: Cl/ClO2 below lower alarm threshold\n"
     "  Cause: Measured value below lower alarm threshold\n"
     "  Remedy: Check process, dosing and alarm threshold setting\n\n",
     "E154: Cl/ClO2 unter unterer Alarmschwelle\n"
     "  Ursache: Messwert unter unterer Alarmschwelle\n"
     "  Behebung: Prozess, Dosierung und Einstellung der Alarmschwelle prüfen\n\n"_latin1},
    {155,
     "E155: Cl/ClO2 above upper alarm threshold\n"
     "  Cause: Measured value above upper alarm threshold\n"
     "  Remedy: Check process, dosing and alarm threshold setting\n\n",
     "E155: Cl/ClO2 über oberer Alarmschwelle\n"
     "  Ursache: Messwert über oberer Alarmschwelle\n"
     "  Behebung: Prozess, Dosierung und Einstellung der Alarmschwelle prüfen\n\n"_latin1},
    {156,
     "E156: Cl/ClO2 above setpoint\n"
     "  Cause: Measured value above setpoint\n"
     "  Remedy: Check process, dosing and controller settings\n\n",
     "E156: Cl/ClO2 über Sollwert\n"
     "  Ursache: Messwert über Sollwert\n"
     "  Behebung: Prozess, Dosierung und Reglereinstellungen prüfen\n\n"_latin1},
    {157,
     "E157: Cl/ClO2 below setpoint\n"
     "  Cause: Measured value below setpoint\n"
     "  Remedy: Check process, dosing and controller settings\n\n",
     "E157: Cl/ClO2 unter Sollwert\n"
     "  Ursache: Messwert unter Sollwert\n"
     "  Behebung: Prozess, Dosierung und Reglereinstellungen prüfen\n\n"_latin1},
    {158,
     "E158: pH/mV below lower alarm threshold\n"
     "  Cause: Measured value below lower alarm threshold\n"
     "  Remedy: Check process, dosing and alarm threshold setting\n\n",
     "E158: pH/mV unter unterer Alarmschwelle\n"
     "  Ursache: Messwert unter unterer Alarmschwelle\n"
     "  Behebung: Prozess, Dosierung und Einstellung der Alarmschwelle prüfen\n\n"_latin1},
    {159,
     "E159: pH/mV above upper alarm threshold\n"
     "  Cause: Measured value above upper alarm threshold\n"
     "  Remedy: Check process, dosing and alarm threshold setting\n\n",
     "E159: pH/mV über oberer Alarmschwelle\n"
     "  Ursache: Messwert über oberer Alarmschwelle\n"
     "  Behebung: Prozess, Dosierung und Einstellung der Alarmschwelle prüfen\n\n"_latin1},
    {160,
     "E160: pH/mV below setpoint\n"
     "  Cause: Measured value below setpoint\n"
     "  Remedy: Check process, dosing and controller settings\n\n",
     "E160: pH/mV unter Sollwert\n"
     "  Ursache: Messwert unter Sollwert\n"
     "  Behebung: Prozess, Dosierung und Reglereinstellungen prüfen\n\n"_latin1},
    {161,
     "E161: pH/mV above setpoint\n"
     "  Cause: Measured value above setpoint\n"
     "  Remedy: Check process, dosing and controller settings\n\n",
     "E161: pH/mV über Sollwert\n"
     "  Ursache: Messwert über Sollwert\n"
     "  Behebung: Prozess, Dosierung und Reglereinstellungen prüfen\n\n"_latin1},
    {162,
     "E162: Controller (dosing) switches off\n"
     "  Cause: Dosing time limit of the controller exceeded\n"
     "  Remedy: Check dosing system, chemical supply and controller settings\n\n",
     "E162: Regler (Dosierung) schaltet ab\n"
     "  Ursache: Dosierzeitgrenze des Reglers überschritten\n"
     "  Behebung: Dosieranlage, Chemikalienversorgung und Reglereinstellungen prüfen\n\n"_latin1},
    {163,
     "E163: Compensated chlorine value too imprecise\n"
     "  Cause: Compensated chlorine value too imprecise since pH value > 9\n"
     "  Remedy: Check pH value and adjust according to system requirements. For pH values > 9, the disinfection "
     "effect is questionable since the chlorine now exists as the less effective OCl-.\n\n",
     "E163: Kompensierter Chlorwert zu ungenau\n"
     "  Ursache: Kompensierter Chlorwert zu ungenau, da pH-Wert > 9\n"
     "  Behebung: pH-Wert prüfen und gemäß den Anlagenanforderungen einstellen. Bei pH-Werten > 9 ist "
     "die Desinfektionswirkung fraglich, da das Chlor nun als weniger wirksames OCl- vorliegt.\n\n"_latin1},
    {170,
     "E170: Flow rate through assembly too small or zero\n"
     "  Remedy: Check flow through the assembly, clean assembly and filter if necessary\n\n",
     "E170: Durchfluss durch Armatur zu gering oder null\n"
     "  Behebung: Durchfluss durch die Armatur prüfen, Armatur und Filter gegebenenfalls reinigen\n\n"_latin1},
    {171,
     "E171: Flow in main stream too low or zero\n"
     "  Remedy: Check flow in the main stream\n\n",
     "E171: Durchfluss im Hauptstrom zu gering oder null\n"
     "  Behebung: Durchfluss im Hauptstrom prüfen\n\n"_latin1},
    {172,
     "E172: Switch-off limit for current input exceeded\n"
     "  Remedy: Check current input signal and switch-off limit\n\n",
     "E172: Abschaltgrenze für Stromeingang überschritten\n"
     "  Behebung: Stromeingangssignal und Abschaltgrenze prüfen\n\n"_latin1},
    {173,
     "E173: Current input < 4 mA\n"
     "  Remedy: Check signal source and wiring of the current input\n\n",
     "E173: Stromeingang < 4 mA\n"
     "  Behebung: Signalquelle und Verdrahtung des Stromeingangs prüfen\n\n"_latin1},
    {174,
     "E174: Current input > 20 mA\n"
     "  Remedy: Check signal source of the current input\n\n",
     "E174: Stromeingang > 20 mA\n"
     "  Behebung: Signalquelle des Stromeingangs prüfen\n\n"_latin1},
    {9999,
     "9999: Instrument in field is locked to prevent operation.\n"
     "  Remedy: Unlock operation at the instrument by pressing the keys PLUS and MINUS at the same time\n\n",
     "9999: Gerät im Feld ist gegen Bedienung verriegelt.\n"
     "  Behebung: Bedienung am Gerät entriegeln: Tasten PLUS und MINUS gleichzeitig drücken\n\n"_latin1},
};

constexpr const char* kGermanMarker = "  |de|";
// Between two codes' helps in the variable's help.
constexpr const char* kSeparator = "  ";

constexpr std::size_t Length(const char* text) {
  std::size_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}
constexpr std::size_t FirstLineLength(const char* text) {
  std::size_t n = 0;
  while (text[n] != '\0' && text[n] != '\n') ++n;
  return n;
}

// Writes texts one after the other, each closed by a NUL, and notes where each starts;
// without a buffer it only counts.
struct TextWriter {
  char* bytes = nullptr;
  std::size_t* starts = nullptr;
  std::size_t size = 0;
  std::size_t texts = 0;

  constexpr void Begin() {
    if (starts) starts[texts] = size;
    ++texts;
  }
  constexpr void Put(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i, ++size)
      if (bytes) bytes[size] = text[i];
  }
  constexpr void Put(const char* text) { Put(text, Length(text)); }
  constexpr void End() { Put("", 1); }
};

// Every enumerated code's description and then its help, in value order (texts 2i and
// 2i + 1 for the i-th), last the variable's help.
constexpr void WriteTexts(TextWriter& out) {
  for (const CodeHelp& code : kCodeHelps) {
    if (!code.enumerator) continue;
    out.Begin();
    out.Put(code.english, FirstLineLength(code.english));
    out.Put(kGermanMarker);
    out.Put(code.german, FirstLineLength(code.german));
    out.End();
    out.Begin();
    out.Put(code.english);
    out.Put(kGermanMarker);
    out.Put(code.german);
    out.End();
  }
  out.Begin();
  for (const CodeHelp& code : kCodeHelps) {
    if (&code != kCodeHelps) out.Put(kSeparator);
    out.Put(code.english);
  }
  out.Put(kGermanMarker);
  for (const CodeHelp& code : kCodeHelps) {
    if (&code != kCodeHelps) out.Put(kSeparator);
    out.Put(code.german);
  }
  out.End();
}

constexpr TextWriter kCount = [] {
  TextWriter count;
  WriteTexts(count);
  return count;
}();

template <std::size_t Size, std::size_t Texts>
struct TextPool {
  std::array<char, Size> bytes{};
  std::array<std::size_t, Texts> starts{};
};

constexpr auto kTexts = [] {
  TextPool<kCount.size, kCount.texts> pool;
  TextWriter out{pool.bytes.data(), pool.starts.data()};
  WriteTexts(out);
  return pool;
}();

constexpr const char* Text(std::size_t index) { return kTexts.bytes.data() + kTexts.starts[index]; }

constexpr auto kEnumerated = static_cast<std::size_t>(
    std::count_if(std::begin(kCodeHelps), std::end(kCodeHelps), [](const CodeHelp& code) { return code.enumerator; }));

constexpr auto kCodes = [] {
  std::array<Enumerator, kEnumerated> codes{};
  std::size_t i = 0;
  for (const CodeHelp& code : kCodeHelps) {
    if (!code.enumerator) continue;
    codes[i] = {.value = code.value, .description = Text(2 * i), .help = Text(2 * i + 1)};
    ++i;
  }
  return codes;
}();

constexpr VariableRow kRows[] = {
    {.id = id::phys_actual_error_code,
     .label = "V8H0   Diagnostic code  |de|V8H0   Diagnosecode  |fr|V8H0   Code de diagnostic  "
              "|it|V8H0   Codice diagnostico",
     .help = HelpText(Text(2 * kEnumerated)), .cls = kDynamic | kContained,
     .type = {.code = VariableTypeEnumerated, .size = 2, .deflt = 0}, .enums = kCodes,
     .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kErrorCodeRows = kRows;

}  // namespace variables
