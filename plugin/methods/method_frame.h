// Methods: one attribute row per method, the calculation frame that puts the row on
// the host's method object, and the run helper through which every body talks to the
// host's method context.
#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>

#include "module/auto_delete_list.h"
#include "module/calculator.h"

namespace methods {

class MethodRun;
using Body = void (*)(MethodRun& run);

// Most methods put their class before their access; a few put the access right after
// label and help. The attributes that result are the same.
enum class CalcOrder { classFirst, accessFirst };

struct MethodRow {
  ObjId id;
  const char* label;
  std::optional<const char*> help = std::nullopt;  // none: no help call at all; "" puts an empty help
  enumDDAccessType access = AccessOnline;
  enumDDMethodClass cls = MethodClassContained;
  CalcOrder order = CalcOrder::classFirst;
  Body body = nullptr;  // null: the method cannot be executed
};

// Every method of the device, by ascending number.
std::span<const MethodRow> Rows();
// The row of a method number; null when none (method_table.cpp).
const MethodRow* FindRow(long number);

// Puts label, help, class, access, validity and availability; any other object comes
// back untouched.
CDDObject* FillMethod(CDeviceAttributeCalculation& calc, const MethodRow& row, CHostContext* context,
                      CDDObject* object);

// The calculation function of every method: finds the row by the object's number and
// fills the method from it; an object whose number has no row is returned untouched.
CDDObject* CalcMethod(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object);

// The execute entry of every method with a body: runs the body of the method's row
// (-1 when there is none).
int ExecuteMethod(CDeviceAttributeCalculation& calc, CHostContext* context, CDDMethod* method,
                  std::int32_t executeArgument, bool suppressAbort);

// One run: creates and begins the host's context, runs the body, and answers the
// context's result (-1 when the host gives no context).
int RunMethod(CDeviceAttributeCalculation& calc, CHostContext* context, CDDMethod* method,
              std::int32_t executeArgument, bool suppressAbort, CHostServices* host, Body body);

// What a body may do. Objects are named to the context by their definition's name,
// afresh for every operation. Device and dialogue operations are followed by the abort
// check; dialogue operations are preceded by the publication of the method-local
// variables (an empty collection when the method has none). Value operations are
// followed by nothing; their answers pass through the run's scratch value.
class MethodRun {
 public:
  MethodRun(const CDeviceAttributeCalculation& calc, CMethodContext& context, CDDCommonVariant& scratchValue,
            CAutoDeleteList& owned, bool suppressAbort)
      : m_calc(calc), m_context(context), m_scratch(scratchValue), m_owned(owned), m_suppressAbort(suppressAbort) {}
  MethodRun(const MethodRun&) = delete;
  MethodRun& operator=(const MethodRun&) = delete;

  // Method-local variables, published in the order they are declared here. They
  // start at 0 and the empty text; the body reads and writes them directly.
  int& Local(const char* name);
  std::string& TextLocal(const char* name);

  // Device operations.
  void Read(ObjId command);
  void ReadAll(std::span<const ObjId> commands);
  void Write(ObjId command);

  // Dialogue operations.
  void Acknowledge(const char* text);
  void Delay(int seconds, const char* text);
  void Ask(const char* prompt, ObjId variable);
  int Select(const char* prompt, const char* options);  // the position chosen, from 0
  // The same, for a list of `offered` options: an answer outside them is no choice,
  // and the run stops right after the abort check.
  int Select(const char* prompt, const char* options, int offered);

  // Values.
  int GetInt(ObjId variable);
  void PutInt(ObjId variable, int value);
  void AssignInt(ObjId variable, int value);
  void PutFloat(ObjId variable, float value);
  void CallMethod(ObjId method);
  void SaveValues();

  // Ending the run early: the run's result becomes -2.
  [[noreturn]] void Abort();
  [[noreturn]] void AbortWithMessage(const char* text);
  [[noreturn]] static void Stop();

 private:
  struct LocalVariable {
    const char* name;
    bool isText;
    int number = 0;
    std::string text = {};
  };

  CStrPP Name(ObjId object) const;
  void AbortCheck();
  void Publish();

  const CDeviceAttributeCalculation& m_calc;
  CMethodContext& m_context;
  CDDCommonVariant& m_scratch;
  CAutoDeleteList& m_owned;
  bool m_suppressAbort;
  std::deque<LocalVariable> m_locals;  // a deque keeps references to its entries valid
};

}  // namespace methods
