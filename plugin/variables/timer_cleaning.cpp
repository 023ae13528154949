// The time-driven relay functions, row V4 of the operating matrix: the timer (relay
// function 6) and the cleaning (relay function 7, on relay 3 only).
#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

// Each chain stops at the first comparison that fails, without reading further.
bool timerOnARelay(Reader& r) {
  return r.read(id::manu_relay_function) == Int(code::kTimer) &&
         r.read(id::manu_relay_number) != Int(code::kNoRelays);
}
bool cleaningOnARelay(Reader& r) {
  return r.read(id::manu_relay_select_relay) == Int(code::kThirdRelay) &&
         r.read(id::manu_relay_function) == Int(code::kCleaning) &&
         r.read(id::manu_cleaning_function_enabled) == Int(1) &&
         r.read(id::manu_relay_number) != Int(code::kNoRelays);
}

// A minimum pause time may not exceed its function's pause time while that function
// runs on a relay; otherwise it may reach 120. The default 120 is not adjusted. A pause
// time without a usable value leaves the bound at its start value (rule::failClosedBound).
template <bool (*Active)(Reader&), ObjId PauseTime>
void pauseTimeBound(Reader& r, CDDCommonVariant& scratch) {
  if (!Active(r)) {
    scratch = Int(120);
    return;
  }
  scratch = r.read(PauseTime);
}

constexpr Enumerator kCleaningTriggers[] = {
    {0, "Internal timer  |de|Interner Timer  |fr|Minuterie interne  |it|Timer interno"},
    {1, "External timer  |de|Externer Timer  |fr|Minuterie externe  |it|Timer esterno"},
    {2, "Internal + external  |de|Intern + extern  |fr|Interne + externe  |it|Interno + esterno"},
    {3, "Intern + stp  |de|Intern + Stp  |fr|Interne + stp  |it|Interno + stp"},
};

constexpr TypeSpec Seconds(int deflt) {
  return UnsignedSetting({.size = 2, .deflt = deflt, .min = 0, .max = 999, .format = "3u"});
}
constexpr TypeSpec kPauseTime =
    UnsignedSetting({.size = 2, .deflt = 360, .min = 1, .max = 7200, .format = "4u"});
constexpr TypeSpec kMinPauseTime{
    .code = VariableTypeUnsigned, .size = 2, .deflt = 120, .range = true, .min = 1, .display = "4u", .edit = "4u"};

constexpr VariableRow kRows[] = {
    {.id = id::manu_relay_timer_clean_time,
     .label = "V4H0   Cleaning period  |de|V4H0   Reinigungsdauer  |fr|V4H0   Durée de nettoyage  "
              "|it|V4H0   Durata del lavaggio"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = Seconds(30),
     .handling = Handling::locked},
    {.id = id::manu_relay_timer_pause_time,
     .label = "V4H1   Pause time  |de|V4H1   Pausenzeit  |fr|V4H1   Temps de pause  |it|V4H1   Tempo di pausa",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = kPauseTime,
     .handling = Handling::locked},
    {.id = id::manu_relay_timer_pause_time_min,
     .label = "V4H2   Min. pause time  |de|V4H2   Min. Pausenzeit  |fr|V4H2   Temps de pause min.  "
              "|it|V4H2   Tempo di pausa min.",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = kMinPauseTime,
     .handling = Handling::locked,
     .rules = {.max = pauseTimeBound<timerOnARelay, id::manu_relay_timer_pause_time>}},
    {.id = id::manu_relay_clean_start_pulse,
     .label = "V4H0   Cleaning trigger  |de|V4H0   Reinigungsauslöser  |fr|V4H0   Déclenchement du nettoyage  "
              "|it|V4H0   Avvio del lavaggio"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kCleaningTriggers,
     .handling = Handling::locked},
    {.id = id::manu_relay_clean_start_time,
     .label = "V4H1   Pre rinse time  |de|V4H1   Vorspülzeit  |fr|V4H1   Temps de prérinçage  "
              "|it|V4H1   Tempo di prerisciacquo"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = Seconds(20),
     .handling = Handling::locked},
    {.id = id::manu_relay_clean_time,
     .label = "V4H2   Cleaning time  |de|V4H2   Reinigungszeit  |fr|V4H2   Temps de nettoyage  "
              "|it|V4H2   Tempo di lavaggio",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = Seconds(10),
     .handling = Handling::locked},
    {.id = id::manu_relay_clean_after_time,
     .label = "V4H3   Post rinse time  |de|V4H3   Nachspülzeit  |fr|V4H3   Temps de rinçage final  "
              "|it|V4H3   Tempo di risciacquo finale"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = Seconds(20),
     .handling = Handling::locked},
    {.id = id::manu_relay_clean_cycles,
     .label = "V4H4   Repetition rate  |de|V4H4   Wiederholungsrate  |fr|V4H4   Taux de répétition  "
              "|it|V4H4   Frequenza di ripetizione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = UnsignedSetting({.size = 1, .deflt = 0, .min = 0, .max = 5, .format = "1u"}),
     .handling = Handling::locked},
    {.id = id::manu_relay_clean_time_pause,
     .label = "V4H5   Pause time  |de|V4H5   Pausenzeit  |fr|V4H5   Temps de pause  |it|V4H5   Tempo di pausa",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = kPauseTime,
     .handling = Handling::locked},
    {.id = id::manu_relay_clean_time_pause_min,
     .label = "V4H6   Min. pause time  |de|V4H6   Min. Pausenzeit  |fr|V4H6   Temps de pause min.  "
              "|it|V4H6   Tempo di pausa min.",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = kMinPauseTime,
     .handling = Handling::locked,
     .rules = {.max = pauseTimeBound<cleaningOnARelay, id::manu_relay_clean_time_pause>}},
    {.id = id::manu_relay_clean_economy,
     .label = "V4H7   Economy cleaning  |de|V4H7   Sparreinigung  |fr|V4H7   Nettoyage économique  "
              "|it|V4H7   Lavaggio economico"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = UnsignedSetting({.size = 1, .deflt = 0, .min = 0, .max = 9, .format = "1u"}),
     .handling = Handling::locked},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kTimerCleaningRows = kRows;

}  // namespace variables
