// Variables: one constant row per variable and the one walk that turns a row into the
// host's attributes. A row states only what differs from the defaults below; what
// depends on the device's current settings comes from the rule slots, which read the
// host's store afresh at every use.
#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "catalogue/object_ids.h"
#include "module/calculator.h"
#include "module/row_index.h"

namespace variables {

// Current values for one request. Every call asks the host's store again; nothing is
// remembered, so a value that two tests compare is read twice. The reference stays
// valid until the request ends.
class Reader {
 public:
  virtual const CDDCommonVariant& read(ObjId number) = 0;

 protected:
  ~Reader() = default;
};

// A constant of a row in the kind the host must receive: absent, int, double or text.
// The literal chooses the kind: 1500 is an int, 1500.0 a double.
struct Const {
  enum class Kind : std::uint8_t { none, Int, Double, Text };
  Kind kind = Kind::none;
  int i = 0;
  double d = 0.0;
  const char* text = nullptr;

  constexpr Const() = default;
  constexpr Const(int value) : kind(Kind::Int), i(value) {}              // NOLINT
  constexpr Const(double value) : kind(Kind::Double), d(value) {}        // NOLINT
  constexpr Const(const char* value) : kind(Kind::Text), text(value) {}  // NOLINT
  constexpr bool present() const { return kind != Kind::none; }
  CDDCommonVariant variant() const;
};

// An int value, for comparing a read with a device code.
inline CDDCommonVariant Int(int value) { return CDDCommonVariant(value); }

// none: no help call at all (the host's help stays); empty: the empty help twice;
// asLabel: the label literal; text: its own literal.
struct Help {
  enum class Kind : std::uint8_t { none, empty, asLabel, text };
  Kind kind = Kind::none;
  const char* text = nullptr;
};
inline constexpr Help kNoHelp{};
inline constexpr Help kEmptyHelp{Help::Kind::empty};
inline constexpr Help kHelpAsLabel{Help::Kind::asLabel};
constexpr Help HelpText(const char* text) { return {Help::Kind::text, text}; }

// Class codes set true, one bit per code; the frame sets them in ascending code order.
struct ClassSet {
  unsigned mask = 0;
};
constexpr ClassSet operator|(ClassSet a, ClassSet b) { return {a.mask | b.mask}; }
inline constexpr ClassSet kDynamic{1u << ClassDynamic};
inline constexpr ClassSet kDiagnostic{1u << ClassDiagnostic};
inline constexpr ClassSet kLocal{1u << ClassLocal};
inline constexpr ClassSet kContained{1u << ClassContained};

// Type, size and the type's constants, in the order the frame puts them. Own formats
// are written without "%" ("4u", "2.2f") and replace the type default; a Float
// variable has no own edit format.
struct TypeSpec {
  enumDDVariableType code = VariableTypeFloat;
  int size = 0;        // bytes, or characters of a string; Float puts none
  Const deflt{};       // none: no default put (unless a default rule chooses one)
  bool range = false;  // one range (maximum range number 0), else -1
  Const min{}, max{};  // bounds of range 0 where no rule chooses them
  const char* display = nullptr;
  const char* edit = nullptr;
};

// Rule slots: plain functions named for the decision they make. An empty slot means
// the row's constant.
using DefaultRule = std::optional<CDDCommonVariant> (*)(Reader&);  // nullopt: no default put
// Assigns the bound when a case matches; the frame starts the scratch value at int 1
// and keeps it there when the rule met a value that counts as no value (rules.h).
using BoundRule = void (*)(Reader&, CDDCommonVariant& scratch);
// Assigns the display format when a case matches; the frame starts the work string at "%G".
using FormatRule = void (*)(Reader&, CStrPP& work);
// Whether a locked variable is writable now; never while a value it read counts as no
// value (rules.h).
using WriteRule = bool (*)(Reader&);

struct VarRules {
  DefaultRule deflt = nullptr;
  BoundRule min = nullptr;
  BoundRule max = nullptr;
  FormatRule format = nullptr;
  WriteRule writable = nullptr;  // locked only; empty: the device access code
};

// A test that decides whether enumerators are offered. It runs at most once per
// request, at the first enumerator that names it, so one test can guard several
// enumerators; a gate within another holds only when the outer one holds, and is
// not tested otherwise.
struct Gate {
  bool (*holds)(Reader&);
  const Gate* within = nullptr;
};

struct Enumerator {
  long value;
  const char* description;
  const char* help = "";
  const Gate* when = nullptr;    // offered only when the gate holds
  const Gate* unless = nullptr;  // offered only when the gate fails
};

struct BitEnumerator {
  std::uint32_t mask;  // passed to the host as a signed 32-bit value
  const char* description;
  const char* help = "";
};

enum class Handling : std::uint8_t {
  none,    // no handling step: the host's flags stay
  R,       // read
  W,       // write
  RW,      // read, then write
  locked,  // always read; write (before read) while the rule's test holds
};

// Departures from the usual step order.
enum class UnitStep : std::uint8_t { beforeType, afterDefault };
enum class HandlingStep : std::uint8_t { afterType, beforeType };
// A row describes every step, or only its handling where nothing else is known of the
// variable: then no label, help, class or type is put.
enum class Steps : std::uint8_t { all, handlingOnly };

struct VariableRow {
  ObjId id;
  const char* label = nullptr;  // null: only the empty label is put
  Help help = kNoHelp;
  ClassSet cls = {};
  const char* unit = nullptr;  // constant unit, null: none
  TypeSpec type = {};
  std::span<const Enumerator> enums = {};
  std::span<const BitEnumerator> bits = {};
  Handling handling = Handling::none;
  std::span<const ObjId> preEdit = {};
  std::span<const ObjId> postEdit = {};
  VarRules rules = {};
  UnitStep unitStep = UnitStep::beforeType;
  HandlingStep handlingStep = HandlingStep::afterType;
  Steps steps = Steps::all;
};

using RowTable = std::span<const VariableRow>;

// The row of a variable number, null when none is built (variables_index.cpp).
const VariableRow* RowFor(long number);
// Every row table, in index order.
std::span<const RowTable* const> RowTables();
// Rows the index had to leave out (see RowIndex); none in a sound build.
int IndexFaults();

// Fills the host's variable from the row, every step in its fixed order, reading
// current values through the calculator's host; returns the variable.
CDDVariable* FillVariable(CDeviceAttributeCalculation& calc, CHostContext* context, CDDVariable* variable,
                          const VariableRow& row);

// The function-table entry of every built variable: an object that is not a variable,
// or whose number has no row, is returned untouched.
CDDObject* CalcVariable(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object);

}  // namespace variables
