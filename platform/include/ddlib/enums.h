// Codes of the host object library's enumerations, as the host passes them.
#pragma once

enum enumDDObjectKind : int {
  ObjectKindVariable = 0,
  ObjectKindCommand = 1,
  ObjectKindMenu = 2,
  ObjectKindEditDisplay = 3,
  ObjectKindMethod = 4,
  ObjectKindRefresh = 5,
  ObjectKindUnit = 6,
  ObjectKindWriteAsOne = 7,
  ObjectKindArray = 8,
  ObjectKindCollection = 9,
  ObjectKindItemArray = 10,
  ObjectKindConnection = 11,
  ObjectKindBlock = 12,
  ObjectKindRecord = 13,
  ObjectKindVariableList = 15,
  ObjectKindResponseCodes = 18,
};

enum enumDDVariableType : int {
  VariableTypeFloat = 0,
  VariableTypeInteger = 2,
  VariableTypeUnsigned = 3,
  VariableTypeEnumerated = 4,
  VariableTypeBitEnumerated = 5,
  VariableTypeString = 7,
};

// Codes 0..18 are all legal; only some carry names.
enum enumDDVariableClassType : int {
  ClassDynamic = 9,
  ClassDiagnostic = 10,
  ClassLocal = 12,
  ClassContained = 14,
};
inline constexpr int kClassCodeCount = 19;

enum enumDDMethodClass : int {
  MethodClassCode2 = 2,
  MethodClassContained = 14,
};

enum enumDDVariableHandlingType : int {
  HandlingWrite = 0,
  HandlingRead = 1,
};

enum enumDDAccessType : int {
  AccessOnline = 0,
  AccessOffline = 1,
};

enum enumDDMenuItemQualificationType : int {
  QualificationReadOnly = 1,
  QualificationCode3 = 3,
};

enum enumDDDataItemType : int {
  DataItemReference = 1,
};

enum enumDDCommandOperationType : int {
  OperationRead = 2,
  OperationWrite = 3,
};

enum enumDDBlockKind : int {
  BlockKindCode0 = 0,
};

enum enumDDBlockType : int {
  BlockTypePhysical = 0,
};

// Result code of a method run that stopped early.
inline constexpr int MethodResultAborted = -2;
