// The physical block and the thirteen read-only fields of its standard block header.
#include "module/auto_delete_list.h"
#include "module/latin1.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {

CDDObject* CalcPhysicalBlock(CDeviceAttributeCalculation&, CHostContext*, CDDObject* object) {
  auto* block = dynamic_cast<CDDBlock*>(object);
  if (!block) return object;
  CAutoDeleteList owned;  // the block reads no value; kept for the common shape
  block->putType(BlockTypePhysical);
  block->putNumber(1);
  block->putBlockKind(BlockKindCode0);
  block->putAttributesAvailable(true);
  return block;
}

namespace {

constexpr Enumerator kBlockObject[] = {
    {1, "Physical Block  |de|Physikalischer Block  |fr|Bloc physique  |it|Blocco fisico  |es|Bloque físico"_latin1}};
constexpr Enumerator kParentClass[] = {
    {1, "Transmitter  |de|Messumformer  |fr|Transmetteur  |it|Trasmettitore  |es|Transmisor"}};
constexpr Enumerator kBlockClass[] = {
    {250, text::kNotUsed}};
constexpr Enumerator kProfileRevision[] = {{512, "2.0"}};

// Every header field is a read-only device parameter.
constexpr VariableRow kRows[] = {
    {.id = id::phys_blk_reserve,
     .label = "Reserved Profile Parameter  |de|Reservierter Profilparameter  |fr|Paramètre de profil réservé  "
              "|it|Parametro di profilo riservato  |es|Parámetro de perfil reservado"_latin1,
     .help = HelpText(
         "Parameter is reserved and contains no relevant data.  "
         "|de|Parameter ist reserviert und enthält keine relevanten Daten.  "
         "|fr|Le paramètre est réservé et ne contient aucune donnée pertinente.  "
         "|it|Il parametro è riservato e non contiene dati rilevanti.  "
         "|es|El parámetro está reservado y no contiene datos relevantes."_latin1),
     .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_blk_object,
     .label = "Block Object  |de|Blockobjekt  |fr|Objet bloc  |it|Oggetto blocco  |es|Objeto de bloque",
     .help = HelpText(
         "Type of related block.  |de|Typ des zugehörigen Blocks.  |fr|Type du bloc associé.  "
         "|it|Tipo del blocco associato.  |es|Tipo del bloque asociado."_latin1),
     .cls = kContained, .type = Enumerated(1), .enums = kBlockObject, .handling = Handling::R},
    {.id = id::phys_blk_parent_class,
     .label = "Parent Class  |de|Übergeordnete Klasse  |fr|Classe parente  |it|Classe superiore  "
              "|es|Clase superior"_latin1,
     .help = HelpText(
         "Parent Class: Defines the physical block parent class (Transmitter,   Actuator, Controller etc.).  "
         "|de|Übergeordnete Klasse: Legt die übergeordnete Klasse des physikalischen Blocks fest "
         "(Messumformer, Stellglied, Regler usw.).  "
         "|fr|Classe parente : définit la classe parente du bloc physique (transmetteur, actionneur, "
         "régulateur, etc.).  "
         "|it|Classe superiore: definisce la classe superiore del blocco fisico (trasmettitore, attuatore, "
         "regolatore ecc.).  "
         "|es|Clase superior: define la clase superior del bloque físico (transmisor, actuador, "
         "controlador, etc.)."_latin1),
     .cls = kContained, .type = Enumerated(1), .enums = kParentClass, .handling = Handling::R},
    {.id = id::phys_blk_class,
     .label = "Class  |de|Klasse  |fr|Classe  |it|Classe  |es|Clase",
     .help = HelpText(
         "Class: Defines the physical block class (Device type).  "
         "|de|Klasse: Legt die Klasse des physikalischen Blocks fest (Gerätetyp).  "
         "|fr|Classe : définit la classe du bloc physique (type d'appareil).  "
         "|it|Classe: definisce la classe del blocco fisico (tipo di apparecchio).  "
         "|es|Clase: define la clase del bloque físico (tipo de equipo)."_latin1),
     .cls = kContained, .type = Enumerated(1), .enums = kBlockClass, .handling = Handling::R},
    {.id = id::phys_blk_dd_reference,
     .label = "DD Reference  |de|DD-Referenz  |fr|Référence DD  |it|Riferimento DD  |es|Referencia DD"_latin1,
     .help = HelpText(
         "The DD Reference consists of the Manufacturer Code, the Device Type,   the Device Revision and the "
         "Revision of the Device Description.  "
         "|de|Die DD-Referenz besteht aus dem Herstellercode, dem Gerätetyp, der Geräterevision und der "
         "Revision der Gerätebeschreibung.  "
         "|fr|La référence DD se compose du code fabricant, du type d'appareil, de la révision de l'appareil "
         "et de la révision de la description d'appareil.  "
         "|it|Il riferimento DD è composto dal codice del costruttore, dal tipo di apparecchio, dalla "
         "revisione dell'apparecchio e dalla revisione della descrizione dell'apparecchio.  "
         "|es|La referencia DD se compone del código del fabricante, el tipo de equipo, la revisión del "
         "equipo y la revisión de la descripción del equipo."_latin1),
     .cls = kContained, .type = Unsigned(4), .handling = Handling::R},
    {.id = id::phys_blk_dd_rev,
     .label = "DD Revision  |de|DD-Revision  |fr|Révision DD  |it|Revisione DD  |es|Revisión DD"_latin1,
     .help = HelpText(
         "Revision of the Device Description (e.g. modified menu structure,   this is not the Device "
         "Revision). There is only one DD Revision per   Device Type and per Device Revision in a Host.  "
         "|de|Revision der Gerätebeschreibung (z. B. geänderte Menüstruktur, dies ist nicht die "
         "Geräterevision). In einem Host gibt es nur eine DD-Revision pro Gerätetyp und pro Geräterevision.  "
         "|fr|Révision de la description d'appareil (p. ex. structure de menus modifiée ; il ne s'agit pas "
         "de la révision de l'appareil). Un hôte ne contient qu'une révision DD par type d'appareil et par "
         "révision d'appareil.  "
         "|it|Revisione della descrizione dell'apparecchio (ad es. struttura dei menu modificata; non è la "
         "revisione dell'apparecchio). In un host esiste una sola revisione DD per tipo di apparecchio e per "
         "revisione dell'apparecchio.  "
         "|es|Revisión de la descripción del equipo (p. ej. estructura de menús modificada; no es la "
         "revisión del equipo). En un host solo existe una revisión DD por tipo de equipo y por revisión "
         "del equipo."_latin1),
     .cls = kContained, .type = Unsigned(2), .handling = Handling::R},
    {.id = id::phys_blk_profile,
     .label = "Profile  |de|Profil  |fr|Profil  |it|Profilo  |es|Perfil",
     .help = HelpText(
         "Class and term of the profile associated with the block.  "
         "|de|Klasse und Bezeichnung des dem Block zugeordneten Profils.  "
         "|fr|Classe et désignation du profil associé au bloc.  "
         "|it|Classe e denominazione del profilo associato al blocco.  "
         "|es|Clase y denominación del perfil asociado al bloque."_latin1),
     .cls = kContained, .type = Unsigned(2), .handling = Handling::R},
    {.id = id::phys_blk_profile_rev,
     .label = "Profile Revision  |de|Profilrevision  |fr|Révision du profil  |it|Revisione del profilo  "
              "|es|Revisión del perfil"_latin1,
     .help = HelpText(
         "Revision number of the profile relating to the block.  "
         "|de|Revisionsnummer des zum Block gehörenden Profils.  "
         "|fr|Numéro de révision du profil relatif au bloc.  "
         "|it|Numero di revisione del profilo relativo al blocco.  "
         "|es|Número de revisión del perfil relativo al bloque."_latin1),
     .cls = kContained, .type = Enumerated(2), .enums = kProfileRevision, .handling = Handling::R},
    {.id = id::phys_blk_execution_time,
     .label = "Execution Time  |de|Ausführungszeit  |fr|Temps d'exécution  |it|Tempo di esecuzione  "
              "|es|Tiempo de ejecución"_latin1,
     .help = HelpText(
         "Parameter is reserved for future use and contains no relevant data.  "
         "|de|Parameter ist für zukünftige Verwendung reserviert und enthält keine relevanten Daten.  "
         "|fr|Le paramètre est réservé à un usage futur et ne contient aucune donnée pertinente.  "
         "|it|Il parametro è riservato per usi futuri e non contiene dati rilevanti.  "
         "|es|El parámetro está reservado para uso futuro y no contiene datos relevantes."_latin1),
     .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_blk_highest_rel_offset,
     .label = "No. of Parameters  |de|Anzahl Parameter  |fr|Nombre de paramètres  |it|Numero di parametri  "
              "|es|Número de parámetros"_latin1,
     .help = HelpText(
         "Number of used indices (parameters) of a block including the non-implemented   optional "
         "parameters. HIGH BYTE = highest index, LOW BYTE = highest offset.  "
         "|de|Anzahl der belegten Indizes (Parameter) eines Blocks einschließlich der nicht implementierten "
         "optionalen Parameter. HIGH BYTE = höchster Index, LOW BYTE = höchster Offset.  "
         "|fr|Nombre d'index utilisés (paramètres) d'un bloc, y compris les paramètres optionnels non "
         "implémentés. HIGH BYTE = index le plus élevé, LOW BYTE = offset le plus élevé.  "
         "|it|Numero di indici utilizzati (parametri) di un blocco, inclusi i parametri opzionali non "
         "implementati. HIGH BYTE = indice più alto, LOW BYTE = offset più alto.  "
         "|es|Número de índices utilizados (parámetros) de un bloque, incluidos los parámetros opcionales "
         "no implementados. HIGH BYTE = índice más alto, LOW BYTE = offset más alto."_latin1),
     .cls = kContained, .type = Unsigned(2), .handling = Handling::R},
    {.id = id::phys_blk_index_view_1,
     .label = "Index of View_1  |de|Index von View_1  |fr|Index de View_1  |it|Indice di View_1  "
              "|es|Índice de View_1"_latin1,
     .help = HelpText(
         "The index of the View 1.  |de|Der Index der View 1.  |fr|L'index de la View 1.  "
         "|it|L'indice della View 1.  |es|El índice de la View 1."_latin1),
     .cls = kContained, .type = Unsigned(2), .handling = Handling::R},
    {.id = id::phys_blk_num_view_lists,
     .label = "Number of View Lists  |de|Anzahl View-Listen  |fr|Nombre de listes View  |it|Numero di liste View  "
              "|es|Número de listas View"_latin1,
     .help = HelpText(
         "Number of view lists defined in a block.  |de|Anzahl der in einem Block definierten View-Listen.  "
         "|fr|Nombre de listes View définies dans un bloc.  |it|Numero di liste View definite in un blocco.  "
         "|es|Número de listas View definidas en un bloque."_latin1),
     .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_st_rev,
     .label = "Static Revision No.  |de|Statische Revisionsnr.  |fr|N° de révision statique  "
              "|it|N. revisione statica  |es|N.º de revisión estática"_latin1,
     .help = HelpText(
         "The revision level of the static data associated with the block.   The Static Revision No. is "
         "changed by the device each time data are   written to the static parameter.  "
         "|de|Revisionsstand der statischen Daten des Blocks. Die statische Revisionsnummer wird vom Gerät "
         "bei jedem Schreiben eines statischen Parameters geändert.  "
         "|fr|Niveau de révision des données statiques associées au bloc. Le numéro de révision statique est "
         "modifié par l'appareil à chaque écriture d'un paramètre statique.  "
         "|it|Livello di revisione dei dati statici associati al blocco. Il numero di revisione statica viene "
         "modificato dall'apparecchio a ogni scrittura di un parametro statico.  "
         "|es|Nivel de revisión de los datos estáticos asociados al bloque. El equipo modifica el número de "
         "revisión estática cada vez que se escribe un parámetro estático."_latin1),
     .cls = kContained, .type = Unsigned(2), .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kBlockHeaderRows = kRows;

}  // namespace variables
