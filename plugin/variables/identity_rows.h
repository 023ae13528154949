// Row tables of the identification, communication-error and physical-block variables,
// and the type shapes they share.
#pragma once
#include "module/latin1.h"
#include "variables/variable_frame.h"

namespace variables {

constexpr TypeSpec Integer(int size) { return {.code = VariableTypeInteger, .size = size}; }
constexpr TypeSpec Unsigned(int size) { return {.code = VariableTypeUnsigned, .size = size}; }
constexpr TypeSpec Enumerated(int size) { return {.code = VariableTypeEnumerated, .size = size}; }
constexpr TypeSpec BitEnumerated(int size) { return {.code = VariableTypeBitEnumerated, .size = size}; }
constexpr TypeSpec String(int size) { return {.code = VariableTypeString, .size = size}; }

// Shared by the revision text and its numeric form.
inline constexpr const char* kSoftwareRevisionLabel =
    "Software Revision  |de|Software-Revision  |fr|Révision du logiciel  |it|Revisione software  "
    "|es|Revisión del software"_latin1;

// The block class's only value and a special manufacturer code.
inline constexpr const char* kNotUsedText =
    "Not used  |de|Nicht benutzt  |fr|Non utilisé  |it|Non utilizzato  |es|No utilizado"_latin1;

extern const RowTable kIdentificationRows;   // 1..16
extern const RowTable kCommErrorRows;        // 17..45
extern const RowTable kSoftwareRevisionRows; // 113..121
extern const RowTable kBlockHeaderRows;      // 126..138
extern const RowTable kBlockParameterRows;   // 139..164, 201, 202 (but 152, 155, 156)
extern const RowTable kManufacturerRows;     // 152
extern const RowTable kDiagnosisRows;        // 155, 156
extern const RowTable kErrorCodeRows;        // 200

// The physical block (object 125): its type, number and kind.
CDDObject* CalcPhysicalBlock(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object);

}  // namespace variables
