// The physical block's manufacturer identification: the common manufacturer codes of
// field devices with their company names, and four special codes. Company names are
// single-language texts; three codes share one name and all three are offered. Codes
// 43 and 104 have no company of their own here, so their text names only the code.
#include "module/latin1.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr Enumerator kManufacturers[] = {
    {1, "Acromag"},
    {2, "Allen Bradley"},
    {3, "Ametek"},
    {4, "Analog Devices"},
    {5, "Elsag Bailey"},
    {6, "Beckman"},
    {7, "Bell Microsensor"},
    {8, "Bourns"},
    {9, "Bristol Babcock"},
    {10, "Brooks Instrument"},
    {11, "Chessell"},
    {12, "Combustion Engineering"},
    {13, "Daniel Industries"},
    {14, "Delta"},
    {15, "Dieterich Standard"},
    {16, "Dohrmann"},
    {17, "Vornholt + Tesk"},
    {18, "Elsag Bailey"},
    {19, "Fisher Controls"},
    {20, "Foxboro"},
    {21, "Fuji"},
    {22, "Elsag Bailey"},
    {23, "Honeywell"},
    {24, "ITT Barton"},
    {25, "Kay Ray/Sensall"},
    {26, "Kent"},
    {27, "Leeds & Northrup"},
    {28, "Leslie"},
    {29, "M-System Co."},
    {30, "Measurex"},
    {31, "Micro Motion"},
    {32, "Moore Industries"},
    {33, "Moore Products"},
    {34, "Ohkura Electric"},
    {35, "Paine"},
    {36, "Rochester Instrument Systems"},
    {37, "Ronan"},
    {38, "Rosemount"},
    {39, "Peek Measurement"},
    {40, "Schlumberger"},
    {41, "Sensall"},
    {42, "Siemens"},
    {43, "Manufacturer 43"},
    {44, "Toshiba"},
    {45, "Transmation"},
    {46, "Rosemount Analytic"},
    {47, "Valmet"},
    {48, "Valtek"},
    {49, "Varec"},
    {50, "Viatran"},
    {51, "Weed"},
    {52, "Westinghouse"},
    {53, "Xomox"},
    {54, "Yamatake"},
    {55, "Yokogawa"},
    {56, "Nuovo Pignone"},
    {57, "Promac"},
    {58, "Exac Corporation"},
    {59, "KDG Mobrey"},
    {60, "Arcom Control Systems"},
    {61, "Princo"},
    {62, "Smar"},
    {63, "FOXBORO ECKARDT"},
    {64, "Measurement Technology"},
    {65, "Applied System Technologies"},
    {66, "Samson"},
    {67, "Sparling Instruments"},
    {68, "Fireye"},
    {69, "Krohne"},
    {70, "Betz"},
    {71, "Druck"},
    {72, "SOR"},
    {73, "Elcon Instruments"},
    {74, "EMCO"},
    {75, "Termiflex Corporation"},
    {76, "VAF Instruments"},
    {77, "Westlock Controls"},
    {78, "Drexelbrook"},
    {79, "Saab Tank Control"},
    {80, "K-TEK"},
    {81, "Flowdata"},
    {82, "Draeger"},
    {83, "Raytek"},
    {84, "Meridian Instruments"},
    {85, "BTG"},
    {86, "Magnetrol"},
    {87, "Neles Controls"},
    {88, "Siemens Milltronics"},
    {89, "HELIOS"},
    {90, "Anderson Instrument Company"},
    {91, "INOR"},
    {92, "ROBERTSHAW"},
    {93, "PEPPERL+FUCHS"},
    {94, "ACCUTECH"},
    {95, "Flow Measurement, Inc."},
    {96, "KAMSTRUP"},
    {97, "Knick"},
    {98, "VEGA"},
    {99, "MTS Systems Corp., Sensors NA & GmbH"},
    {100, "Oval"},
    {101, "Masoneilan-Dresser"},
    {102, "BESTA"},
    {103, "Ohmart"},
    {104, "Manufacturer 104"},
    {105, "rittmeyer instrumentation"},
    {106, "Rossel Messtechnik"},
    {107, "WIKA"},
    {108, "Bopp&Reuther Heinrichs"},
    {109, "PR Electronics"},
    {110, "Jordan Controls, Inc."},
    {111, "Valcom s.r.l."},
    {112, "US ELECTRIC MOTORS"},
    {113, "Apparatebau Hundsbach"},
    {250, text::kNotUsed},
    {251, "None  |de|Keiner  |fr|Aucun  |it|Nessuno  |es|Ninguno"},
    {252, "Unknown  |de|Unbekannt  |fr|Inconnu  |it|Sconosciuto  |es|Desconocido"},
    {253, "Special  |de|Speziell  |fr|Spécial  |it|Speciale  |es|Especial"_latin1},
};

constexpr VariableRow kRows[] = {
    {.id = id::phys_manufacturer_id,
     .label = "Manufacturer  |de|Hersteller  |fr|Fabricant  |it|Costruttore  |es|Fabricante",
     .help = HelpText(
         "References a specific manufacturer, which is usually a company name,   that is responsible for the "
         "manufacture of this Field Device.  "
         "|de|Verweist auf einen bestimmten Hersteller, meist einen Firmennamen, der für die Herstellung dieses "
         "Feldgeräts verantwortlich ist.  "
         "|fr|Désigne un fabricant précis, généralement un nom de société, responsable de la fabrication de cet "
         "appareil de terrain.  "
         "|it|Indica un costruttore specifico, di solito un nome di società, responsabile della fabbricazione "
         "di questo apparecchio da campo.  "
         "|es|Hace referencia a un fabricante concreto, normalmente un nombre de empresa, responsable de la "
         "fabricación de este equipo de campo."_latin1),
     .cls = kContained, .type = {.code = VariableTypeEnumerated, .size = 2, .deflt = 17},
     .enums = kManufacturers, .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kManufacturerRows = kRows;

}  // namespace variables
