#include "module/helpers.h"

void ResetVariableClass(CDDVariableClass* cls) {
  for (int code : kResetClassCodes) cls->putClassInfo(static_cast<enumDDVariableClassType>(code), false);
}

void ResetVariableHandling(CDDVariable* variable) {
  variable->putHandling(HandlingWrite, false);
  variable->putHandling(HandlingRead, false);
}

void ResetMethodClass(CDDMethodClass* cls) {
  for (int code : kResetClassCodes) cls->putClassInfo(static_cast<enumDDMethodClass>(code), false);
}

const CDDCommonVariant& ValueReader::Read(ObjId number) {
  static const CDDCommonVariant kNoValue;
  if (!UseHostServices) return kNoValue;
  CHostObjectStore* store = m_calc.Host()->getObjectStore();
  if (!store) return kNoValue;
  const CDDCommonVariant* copy = m_owned.Add(store->getValueCopy(m_context, m_calc.Definition(number)));
  return copy ? *copy : kNoValue;
}
