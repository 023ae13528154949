#include "variables/variable_frame.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "module/helpers.h"
#include "variables/rules.h"

namespace variables {

CDDCommonVariant Const::variant() const {
  switch (kind) {
    case Kind::none:
      return {};
    case Kind::Int:
      return CDDCommonVariant(i);
    case Kind::Double:
      return CDDCommonVariant(d);
    case Kind::Text:
      return CDDCommonVariant(text);
  }
  return {};
}

namespace {

class StoreReader final : public Reader {
 public:
  StoreReader(CDeviceAttributeCalculation& calc, CHostContext* context, CAutoDeleteList& owned)
      : m_values(calc, context, owned) {}
  const CDDCommonVariant& read(ObjId number) override { return m_values.Read(number); }

 private:
  ValueReader m_values;
};

// Gates already tested in this request's enumerator step, with their outcome.
class GateResults {
 public:
  bool holds(const Gate& gate, Reader& reader) {
    for (const auto& [tested, held] : m_tested)
      if (tested == &gate) return held;
    bool held = (!gate.within || holds(*gate.within, reader)) && gate.holds(reader);
    m_tested.emplace_back(&gate, held);
    return held;
  }

 private:
  std::vector<std::pair<const Gate*, bool>> m_tested;
};

const char* TypeDefaultFormat(enumDDVariableType code) {
  switch (code) {
    case VariableTypeInteger:
      return "%d";
    case VariableTypeUnsigned:
      return "%u";
    default:
      return "%G";
  }
}

long Signed32(std::uint32_t mask) { return static_cast<std::int32_t>(mask); }

// One request's walk over one row. The step methods are called in the fixed order by
// FillVariable; each leaves out what the row does not have.
class Walk {
 public:
  Walk(CDeviceAttributeCalculation& calc, CDDVariable& variable, const VariableRow& row, Reader& reader,
       CAutoDeleteList& owned, CDDCommonVariant& scratch, CStrPP& work)
      : m_calc(calc), m_var(variable), m_row(row), m_reader(reader), m_owned(owned), m_scratch(scratch), m_work(work) {}

  void Label() {
    m_var.putLabel(CStrPP(""));
    if (m_row.label) m_var.putLabel(CStrPP(m_row.label));
  }

  void Help() {
    const variables::Help& help = m_row.help;
    if (help.kind == Help::Kind::none) return;
    m_var.putHelp(CStrPP(""));
    switch (help.kind) {
      case Help::Kind::none:
        break;
      case Help::Kind::empty:
        m_var.putHelp(CStrPP(""));
        break;
      case Help::Kind::asLabel:
        m_var.putHelp(CStrPP(m_row.label ? m_row.label : ""));
        break;
      case Help::Kind::text:
        m_var.putHelp(CStrPP(help.text));
        break;
    }
  }

  void Classes() {
    ResetVariableClass(m_var.getClass());
    for (int code = 0; code < kClassCodeCount; ++code)
      if (m_row.cls.mask & (1u << code))
        m_var.getClass()->putClassInfo(static_cast<enumDDVariableClassType>(code), true);
  }

  void Unit() {
    if (!m_row.unit) return;
    m_var.putConstantUnit(CStrPP(""));
    m_var.putConstantUnit(CStrPP(m_row.unit));
  }

  void Type() {
    m_var.setTypeInfo(std::make_unique<CDDType>(m_row.type.code).release());
    if (m_row.type.code != VariableTypeFloat) Put()->putSize(m_row.type.size);
    switch (m_row.type.code) {
      case VariableTypeFloat:
      case VariableTypeInteger:
      case VariableTypeUnsigned:
        Arithmetic();
        break;
      case VariableTypeEnumerated:
        Enumerated();
        break;
      case VariableTypeBitEnumerated:
        BitEnumerated();
        break;
      case VariableTypeString:
        Default();
        break;
    }
  }

  void HandlingStep() {
    switch (m_row.handling) {
      case Handling::none:
        return;
      case Handling::R:
        ResetVariableHandling(&m_var);
        m_var.putHandling(HandlingRead, true);
        return;
      case Handling::W:
        ResetVariableHandling(&m_var);
        m_var.putHandling(HandlingWrite, true);
        return;
      case Handling::RW:
        ResetVariableHandling(&m_var);
        m_var.putHandling(HandlingRead, true);
        m_var.putHandling(HandlingWrite, true);
        return;
      case Handling::locked: {
        ResetVariableHandling(&m_var);
        WriteRule writable = m_row.rules.writable ? m_row.rules.writable : rule::accessCodeEntered;
        if (rule::lockOpen(writable, m_reader)) m_var.putHandling(HandlingWrite, true);
        m_var.putHandling(HandlingRead, true);
        return;
      }
    }
  }

  void EditActions() {
    if (!m_row.preEdit.empty()) m_var.setPreEditActions(DefinitionList(m_row.preEdit).release());
    if (!m_row.postEdit.empty()) m_var.setPostEditActions(DefinitionList(m_row.postEdit).release());
  }

 private:
  // The adopted type, fetched afresh for every put.
  CDDType* Put() { return m_var.getTypeInfo(); }

  void Default() {
    if (m_row.rules.deflt) {
      if (std::optional<CDDCommonVariant> chosen = m_row.rules.deflt(m_reader)) Put()->putDefaultValue(*chosen);
    } else if (m_row.type.deflt.present()) {
      Put()->putDefaultValue(m_row.type.deflt.variant());
    }
  }

  bool HasDefault() const { return m_row.rules.deflt || m_row.type.deflt.present(); }

  void Bound(BoundRule rule, const Const& fixed, void (CDDType::*put)(int, const CDDCommonVariant&)) {
    if (rule) {
      rule::failClosedBound(rule, m_reader, m_scratch);
    } else {
      m_scratch = fixed.variant();
    }
    (Put()->*put)(0, m_scratch);
  }

  void Arithmetic() {
    const TypeSpec& type = m_row.type;
    const char* typeDefault = TypeDefaultFormat(type.code);
    Put()->putScalingFactor(1.0);
    Put()->putDisplayFormat(CStrPP(typeDefault));
    Put()->putEditFormat(CStrPP(typeDefault));
    Put()->putMaxRangeNo(type.range ? 0 : -1);
    Default();
    if (type.range) {
      Bound(m_row.rules.min, type.min, &CDDType::putMinValues);
      Bound(m_row.rules.max, type.max, &CDDType::putMaxValues);
    }
    if (m_row.rules.format) {
      m_work = "%G";
      m_row.rules.format(m_reader, m_work);
      Put()->putDisplayFormat(m_work);
    } else if (type.display) {
      m_work = type.display;
      Put()->putDisplayFormat(m_work);
    }
    if (type.code != VariableTypeFloat && type.edit) {
      m_work = type.edit;
      Put()->putEditFormat(m_work);
    }
  }

  void Enumerated() {
    long largest = 0;
    if (!m_row.enums.empty())
      largest = std::max_element(m_row.enums.begin(), m_row.enums.end(), [](const auto& a, const auto& b) {
                  return a.value < b.value;
                })->value;
    Put()->putMaxEnumIndex(HasDefault() ? 0 : largest);
    Default();
    GateResults gates;
    for (const Enumerator& e : m_row.enums) {
      if (e.when && !gates.holds(*e.when, m_reader)) continue;
      if (e.unless && gates.holds(*e.unless, m_reader)) continue;
      auto enumerator = std::make_unique<CDDEnumerator>();
      enumerator->putValue(e.value);
      enumerator->putDescription(CStrPP(e.description));
      enumerator->putHelp(CStrPP(e.help));
      Put()->getEnumeratorSet()->Add(*enumerator);
    }
  }

  void BitEnumerated() {
    std::uint32_t highest = 0;
    for (const BitEnumerator& b : m_row.bits) highest = std::max(highest, b.mask);
    Put()->putMaxBitEnumIndex(Signed32(highest));
    for (const BitEnumerator& b : m_row.bits) {
      auto bit = std::make_unique<CDDBitEnumerator>(Signed32(b.mask));
      bit->putDescription(CStrPP(b.description));
      bit->putHelp(CStrPP(b.help));
      bit->putMethod(*m_owned.Add(new CDDDefinition()));
      Put()->getBitEnumeratorSet()->Add(*bit);
    }
  }

  std::unique_ptr<CDDDefinitionList> DefinitionList(std::span<const ObjId> methods) const {
    auto list = std::make_unique<CDDDefinitionList>();
    for (ObjId method : methods)
      if (const CDDDefinition* definition = m_calc.FindDefinition(method)) list->Add(*definition, -1, -1);
    return list;
  }

  CDeviceAttributeCalculation& m_calc;
  CDDVariable& m_var;
  const VariableRow& m_row;
  Reader& m_reader;
  CAutoDeleteList& m_owned;
  CDDCommonVariant& m_scratch;
  CStrPP& m_work;
};

}  // namespace

CDDVariable* FillVariable(CDeviceAttributeCalculation& calc, CHostContext* context, CDDVariable* variable,
                          const VariableRow& row) {
  // The locals every calculation keeps, in this order; the owner list dies first.
  CDDCommonVariant scratch;
  CStrPP work;
  CAutoDeleteList owned;
  StoreReader reader(calc, context, owned);
  Walk walk(calc, *variable, row, reader, owned, scratch, work);

  if (row.steps == Steps::handlingOnly) {
    walk.HandlingStep();
  } else {
    walk.Label();
    walk.Help();
    walk.Classes();
    if (row.unitStep == UnitStep::beforeType) walk.Unit();
    if (row.handlingStep == HandlingStep::beforeType) walk.HandlingStep();
    walk.Type();
    if (row.unitStep == UnitStep::afterDefault) walk.Unit();
    if (row.handlingStep == HandlingStep::afterType) walk.HandlingStep();
  }
  walk.EditActions();
  variable->putAttributesAvailable(true);
  return variable;
}

CDDObject* CalcVariable(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object) {
  auto* variable = dynamic_cast<CDDVariable*>(object);
  if (!variable) return object;
  const VariableRow* row = RowFor(variable->getcDefinition()->getID());
  if (!row) return object;
  return FillVariable(calc, context, variable, *row);
}

}  // namespace variables
