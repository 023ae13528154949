// Host-side handling of the device's communication errors: one ignore/check switch per
// range of the DP-V1 error code byte, whether ignored errors are shown, and the delays
// after every read and write command. All are local; none has a handling step.
#include "module/latin1.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr Enumerator kIgnoreCheck[] = {
    {0, "Ignore  |de|Ignorieren  |fr|Ignorer  |it|Ignora  |es|Ignorar"},
    {1, "Check  |de|Prüfen  |fr|Contrôler  |it|Verifica  |es|Comprobar"_latin1},
};

constexpr Enumerator kShowIgnored[] = {
    {0, "don't show  |de|nicht anzeigen  |fr|Ne pas afficher  |it|Non visualizzare  |es|no visualizar"},
    {1, "show  |de|anzeigen  |fr|Afficher  |it|Visualizza  |es|visualizar"},
};

// The read and write delays.
constexpr TypeSpec kMilliseconds{.code = VariableTypeUnsigned, .size = 4, .deflt = 0};

// One ignore/check switch per range; the range labels have no German segment.
constexpr VariableRow kRows[] = {
    {.id = id::CommError_0000_009F,
     .label = "Error Reserved  |fr|Erreur réservée  "
              "|it|Errore riservato  |es|Error reservado"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00A0_00A0,
     .label = "Read Error  |fr|Erreur de lecture  "
              "|it|Errore di lettura  |es|Error de lectura",
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00A1_00A1,
     .label = "Write Error  |fr|Erreur d'écriture  "
              "|it|Errore di scrittura  |es|Error de escritura"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00A2_00A2,
     .label = "Module Failure  |fr|Défaillance du module  "
              "|it|Guasto del modulo  |es|Fallo del módulo"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00A3_00A7,
     .label = "Application Reserved  |fr|Application réservée  "
              "|it|Applicazione riservata  |es|Aplicación reservada"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00A8_00A8,
     .label = "Version Conflict  |fr|Conflit de version  "
              "|it|Conflitto di versione  |es|Conflicto de versión"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00A9_00A9,
     .label = "Feature Not Supported  |fr|Fonction non prise en charge  "
              "|it|Funzione non supportata  |es|Función no soportada"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00AA_00AF,
     .label = "Application User Specific  |fr|Application spécifique à l'utilisateur  "
              "|it|Applicazione specifica dell'utente  |es|Aplicación específica del usuario"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B0_00B0,
     .label = "Invalid Index  |fr|Index non valide  "
              "|it|Indice non valido  |es|Índice no válido"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B1_00B1,
     .label = "Write Length Error  |fr|Erreur de longueur d'écriture  "
              "|it|Errore di lunghezza di scrittura  |es|Error de longitud de escritura"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B2_00B2,
     .label = "Invalid Slot  |fr|Slot non valide  "
              "|it|Slot non valido  |es|Slot no válido"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B3_00B3,
     .label = "Type Conflict  |fr|Conflit de type  "
              "|it|Conflitto di tipo  |es|Conflicto de tipo",
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B4_00B4,
     .label = "Invalid Area  |fr|Zone non valide  "
              "|it|Area non valida  |es|Área no válida"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B5_00B5,
     .label = "State Conflict  |fr|Conflit d'état  "
              "|it|Conflitto di stato  |es|Conflicto de estado"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B6_00B6,
     .label = "Access Denied  |fr|Accès refusé  "
              "|it|Accesso negato  |es|Acceso denegado"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B7_00B7,
     .label = "Invalid Range  |fr|Plage non valide  "
              "|it|Campo non valido  |es|Rango no válido"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B8_00B8,
     .label = "Invalid Parameter  |fr|Paramètre non valide  "
              "|it|Parametro non valido  |es|Parámetro no válido"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00B9_00B9,
     .label = "Invalid Type  |fr|Type non valide  "
              "|it|Tipo non valido  |es|Tipo no válido"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00BA_00BF,
     .label = "Access User Specific  |fr|Accès spécifique à l'utilisateur  "
              "|it|Accesso specifico dell'utente  |es|Acceso específico del usuario"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00C0_00C0,
     .label = "Read Constrain Conflict  |fr|Conflit de contrainte de lecture  "
              "|it|Conflitto di vincolo di lettura  |es|Conflicto de restricción de lectura"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00C1_00C1,
     .label = "Write Constrain Conflict  |fr|Conflit de contrainte d'écriture  "
              "|it|Conflitto di vincolo di scrittura  |es|Conflicto de restricción de escritura"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00C2_00C2,
     .label = "Resource Busy  |fr|Ressource occupée  "
              "|it|Risorsa occupata  |es|Recurso ocupado"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00C3_00C3,
     .label = "Resource Unavailable  |fr|Ressource indisponible  "
              "|it|Risorsa non disponibile  |es|Recurso no disponible",
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00C4_00C7,
     .label = "Resource Reserved  |fr|Ressource réservée  "
              "|it|Risorsa riservata  |es|Recurso reservado"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00C8_00CF,
     .label = "Resource User Specific  |fr|Ressource spécifique à l'utilisateur  "
              "|it|Risorsa specifica dell'utente  |es|Recurso específico del usuario"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_00D0_00FF,
     .label = "User Specific  |fr|Spécifique à l'utilisateur  "
              "|it|Specifico dell'utente  |es|Específico del usuario"_latin1,
     .help = kEmptyHelp, .cls = kLocal, .type = Enumerated(1), .enums = kIgnoreCheck},
    {.id = id::CommError_ShowIgnoredErrors,
     .label = "Ignored Errors  |de|Ignorierte Fehler  |fr|Erreurs ignorées  |it|Errori ignorati  "
              "|es|Errores ignorados"_latin1,
     .help = HelpText("Parameter defines whether ignored errors are displayed.  "
                      "|de|Parameter legt fest, ob ignorierte Fehler angezeigt werden.  "
                      "|fr|Le paramètre définit si les erreurs ignorées sont affichées.  "
                      "|it|Il parametro definisce se gli errori ignorati vengono visualizzati.  "
                      "|es|El parámetro define si se muestran los errores ignorados."_latin1),
     .cls = kLocal, .type = Choice(1), .enums = kShowIgnored},
    // The delays put their unit after the default; the attributes come out the same.
    {.id = id::CommError_Delay_Read,
     .label = "Delay Read  |de|Lese-Verzögerung  |fr|Retard de lecture  |it|Delay Read (Ritardo di lettura)  "
              "|es|Retardo de lectura"_latin1,
     .help = HelpText(
         "Delay after every Read Command  |de|Verzögerung nach jedem Lesebefehl  "
         "|fr|Retard après chaque commande de lecture  |it|Ritardo dopo ogni comando di lettura  "
         "|es|Retardo después de cada comando de lectura"_latin1),
     .cls = kLocal, .unit = "ms", .type = kMilliseconds, .unitStep = UnitStep::afterDefault},
    {.id = id::CommError_Delay_Write,
     .label = "Delay Write  |de|Schreib-Verzögerung  |fr|Retard d'écriture  |it|Delay Write (Ritardo di scrittura)  "
              "|es|Retardo de escritura"_latin1,
     .help = HelpText(
         "Delay after every Write Command  |de|Verzögerung nach jedem Schreibbefehl  "
         "|fr|Retard après chaque commande d'écriture  |it|Ritardo dopo ogni comando di scrittura  "
         "|es|Retardo después de cada comando de escritura"_latin1),
     .cls = kLocal, .unit = "ms", .type = kMilliseconds, .unitStep = UnitStep::afterDefault},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kCommErrorRows = kRows;

}  // namespace variables
