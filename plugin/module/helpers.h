// Small routines that the calculation, condition and method functions share.
#pragma once
#include "module/auto_delete_list.h"
#include "module/calculator.h"

// Clears the ten class codes the host may have set, in the host's fixed order.
inline constexpr int kResetClassCodes[] = {2, 15, 14, 9, 10, 11, 16, 13, 18, 12};

void ResetVariableClass(CDDVariableClass* cls);
void ResetVariableHandling(CDDVariable* variable);
void ResetMethodClass(CDDMethodClass* cls);

// Reads current values from the host's store for one calculation: a fresh
// getObjectStore() before every read, the copy handed to the scope's owner list at
// once. A read that yields no value answers an empty value, which matches no case.
class ValueReader {
 public:
  ValueReader(CDeviceAttributeCalculation& calc, CHostContext* context, CAutoDeleteList& owned)
      : m_calc(calc), m_context(context), m_owned(owned) {}
  const CDDCommonVariant& Read(ObjId number);

 private:
  CDeviceAttributeCalculation& m_calc;
  CHostContext* m_context;
  CAutoDeleteList& m_owned;
};
