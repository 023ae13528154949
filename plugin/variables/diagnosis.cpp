// The device's condition bit by bit: the current diagnosis and the mask of the bits the
// device supports. Octet 1 of the profile's diagnosis is the most significant byte, so
// its bit 7 is the sign bit of the signed 32-bit mask.
#include "module/latin1.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

// "Status OK" (no bit set) first; the mask variable starts after it.
constexpr BitEnumerator kDiagnosisBits[] = {
    {0x00000000, "Status OK  |de|Status OK  |fr|État OK  |it|Stato OK  |es|Estado OK"_latin1},
    {0x01000000, "Hardware failure electronics.  |de|Hardwarefehler Elektronik.  "
                 "|fr|Défaut matériel de l'électronique.  |it|Guasto hardware dell'elettronica.  "
                 "|es|Fallo de hardware de la electrónica."_latin1},
    {0x02000000, "Hardware failure mechanics.  |de|Hardwarefehler Mechanik.  "
                 "|fr|Défaut matériel de la mécanique.  |it|Guasto hardware della meccanica.  "
                 "|es|Fallo de hardware de la mecánica."_latin1},
    {0x04000000, "Motor temperature too high.  |de|Motortemperatur zu hoch.  "
                 "|fr|Température du moteur trop élevée.  |it|Temperatura del motore troppo alta.  "
                 "|es|Temperatura del motor demasiado alta."_latin1},
    {0x08000000, "Electronics temperature too high.  |de|Elektroniktemperatur zu hoch.  "
                 "|fr|Température de l'électronique trop élevée.  |it|Temperatura dell'elettronica troppo alta.  "
                 "|es|Temperatura de la electrónica demasiado alta."_latin1},
    {0x10000000, "Memory checksum error.  |de|Prüfsummenfehler im Speicher.  "
                 "|fr|Erreur de somme de contrôle de la mémoire.  |it|Errore di checksum della memoria.  "
                 "|es|Error de suma de comprobación de la memoria."_latin1},
    {0x20000000, "Failure in measurement.  |de|Fehler in der Messung.  |fr|Défaut de mesure.  "
                 "|it|Guasto nella misura.  |es|Fallo en la medición."_latin1,
     "|es|Fallo en la medición."_latin1},
    {0x40000000, "Device not initialized.  |de|Gerät nicht initialisiert.  |fr|Appareil non initialisé.  "
                 "|it|Apparecchio non inizializzato.  |es|Equipo no inicializado."_latin1},
    {0x80000000, "Selfcalibration failed.  |de|Selbstkalibrierung fehlgeschlagen.  "
                 "|fr|Échec de l'autocalibrage.  |it|Autocalibrazione non riuscita.  "
                 "|es|Fallo de la autocalibración."_latin1,
     "|it|Autocalibrazione non riuscita.  |es|Fallo de la autocalibración."_latin1},
    {0x00010000, "Zero point error (limit position).  |de|Nullpunktfehler (Endlage).  "
                 "|fr|Erreur de point zéro (position de fin de course).  "
                 "|it|Errore del punto zero (posizione di fine corsa).  |es|Error de punto cero (posición final)."_latin1},
    {0x00020000, "Power supply failed.  |de|Ausfall der Energieversorgung.  |fr|Défaillance de l'alimentation.  "
                 "|it|Guasto dell'alimentazione.  |es|Fallo de la alimentación."_latin1},
    {0x00040000, "Configuration not valid.  |de|Konfiguration ungültig.  |fr|Configuration non valide.  "
                 "|it|Configurazione non valida.  |es|Configuración no válida."_latin1,
     "|es|Configuración no válida."_latin1},
    {0x00080000, "New start-up (warm startup) carried out.  |de|Neuanlauf (Warmstart) durchgeführt.  "
                 "|fr|Redémarrage (démarrage à chaud) effectué.  |it|Riavvio (avvio a caldo) eseguito.  "
                 "|es|Nuevo arranque (arranque en caliente) realizado."_latin1,
     "|es|Nuevo arranque (arranque en caliente) realizado."},
    {0x00100000, "Restart (cold startup) carried out.  |de|Wiederanlauf (Kaltstart) durchgeführt.  "
                 "|fr|Redémarrage (démarrage à froid) effectué.  |it|Riavvio (avvio a freddo) eseguito.  "
                 "|es|Rearranque (arranque en frío) realizado."_latin1},
    {0x00200000, "Maintenance required.  |de|Wartung erforderlich.  |fr|Maintenance nécessaire.  "
                 "|it|Manutenzione necessaria.  |es|Se requiere mantenimiento."_latin1},
    {0x00400000, "Characterization invalid.  |de|Kennlinie ungültig.  |fr|Caractérisation non valide.  "
                 "|it|Caratterizzazione non valida.  |es|Caracterización no válida."_latin1},
    {0x00000080, "More information available.  |de|Weitere Informationen verfügbar.  "
                 "|fr|Informations supplémentaires disponibles.  |it|Ulteriori informazioni disponibili.  "
                 "|es|Más información disponible."_latin1},
};

constexpr VariableRow kRows[] = {
    {.id = id::phys_diagnosis,
     .label = "Diagnosis  |de|Diagnose  |fr|Diagnostic  |it|Diagnosi  |es|Diagnóstico"_latin1,
     .help = HelpText(
         "Detailed status information about the field device's operating condition.   Health of device (not "
         "process).  "
         "|de|Detaillierte Statusinformationen über den Betriebszustand des Feldgeräts. Zustand des Geräts "
         "(nicht des Prozesses).  "
         "|fr|Informations d'état détaillées sur les conditions de fonctionnement de l'appareil de terrain. "
         "État de l'appareil (et non du process).  "
         "|it|Informazioni di stato dettagliate sulle condizioni operative dell'apparecchio da campo. Stato "
         "dell'apparecchio (non del processo).  "
         "|es|Información de estado detallada sobre las condiciones de funcionamiento del equipo de campo. "
         "Estado del equipo (no del proceso)."_latin1),
     .cls = kDynamic | kContained, .type = BitEnumerated(4), .bits = kDiagnosisBits, .handling = Handling::R},
    {.id = id::phys_diagnosis_mask,
     .label = "Diagnosis Mask   |de|Diagnosemaske  |fr|Masque de diagnostic  |it|Maschera diagnostica  "
              "|es|Máscara de diagnóstico"_latin1,
     .help = HelpText(
         "Diagnosis Mask: Definition of supported Diagnosis information bits.   0 = not supported, 1 = "
         "supported.  "
         "|de|Diagnosemaske: Festlegung der unterstützten Diagnose-Informationsbits. 0 = nicht unterstützt, "
         "1 = unterstützt.  "
         "|fr|Masque de diagnostic : définition des bits d'information de diagnostic pris en charge. 0 = non "
         "pris en charge, 1 = pris en charge.  "
         "|it|Maschera diagnostica: definizione dei bit di informazione diagnostica supportati. 0 = non "
         "supportato, 1 = supportato.  "
         "|es|Máscara de diagnóstico: definición de los bits de información de diagnóstico soportados. 0 = no "
         "soportado, 1 = soportado."_latin1),
     .cls = kContained, .type = BitEnumerated(4), .bits = std::span(kDiagnosisBits).subspan(1),
     .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kDiagnosisRows = kRows;

}  // namespace variables
