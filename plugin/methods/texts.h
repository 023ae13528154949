// Messages that more than one method shows.
#pragma once
#include "module/latin1.h"

namespace methods::text {

inline constexpr const char* kNoAccess =
    "No access!\nAccess code required\nsee Menu Device -> Access code  "
    "|de|Kein Zugriff!\nCode Eingabe erforderlich\ns. Menü Gerät -> Verriegelung  "
    "|fr|Pas d'entrée!\nEntrée code nécessaire\n  "
    "|it|Nessun accesso!\nCodice accesso necessaria\n"_latin1;

inline constexpr const char* kNoRelays = "Relays are not accessible  |de|Relais sind nicht erreichbar";

}  // namespace methods::text
