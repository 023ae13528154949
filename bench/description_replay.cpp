#include "description_replay.h"

#include <benchmark/benchmark.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "description replay: %s\n", what.c_str());
  std::abort();
}

// One call of the recorded run, decoded once. Texts, values, definitions and entry
// lists live in the recording; p and q point at them.
enum class Code : std::uint8_t {
  // The host's store and error handler.
  Read,
  BlockCopy,
  ReportError,
  AddObject,
  TransactionRef,  // made once for the request and reply set calls that follow
  PutRequestSet,
  PutReplySet,
  PutDependentSet,
  // The request's object and what hangs below it.
  Available,
  VarLabel,
  VarHelp,
  VarUnit,
  VarClass,
  VarSetType,
  VarHandling,
  VarSetPreEdit,
  VarSetPostEdit,
  TypeSize,
  TypeScaling,
  TypeDisplay,
  TypeEdit,
  TypeMaxRangeNo,
  TypeDefault,
  TypeMin,
  TypeMax,
  TypeMaxEnum,
  TypeMaxBitEnum,
  EnumBegin,
  EnumValue,
  EnumDescription,
  EnumHelp,
  EnumAdd,
  BitBegin,
  BitDescription,
  BitHelp,
  BitMethod,
  BitAdd,
  ListBegin,
  ListAdd,
  BlockType,
  BlockNumber,
  BlockKind,
  RefreshSetReread,
  RefreshSetChanged,
  SetInsert,
  MenuAccess,
  MenuLabel,
  MenuHelp,
  MenuSetItems,
  MenuSetPreRead,
  MenuSetPreWrite,
  MenuSetPostWrite,
  ItemBegin,
  ItemQualification,
  ItemAdd,
  CommandSlot,
  CommandBlock,
  CommandIndex,
  CommandOperation,
  CommandSetTransactions,
  TransactionBegin,
  TransactionSetRequest,
  TransactionSetReply,
  DataBegin,
  DataKind,
  DataReference,
  DataMask,
  DataAdd,
  TransactionInsert,
  MethodLabel,
  MethodHelp,
  MethodAccess,
  MethodClass,
  MethodValidity,
};

struct Op {
  Code code;
  bool on = false;
  int a = 0;
  long b = 0;
  const void* p = nullptr;
  const void* q = nullptr;
};

// A store or error-handler call as the recorder saw it; `at` is the journal's length
// then, which places it among the library calls.
struct Event {
  std::size_t at = 0;
  Code code = Code::Read;
  CDDDefinition definition;
  int transaction = 0;
  std::vector<CDDDefinition> entries;
  std::string text;

  friend bool operator==(const Event& a, const Event& b) {
    return a.at == b.at && a.code == b.code && a.definition == b.definition && a.transaction == b.transaction &&
           a.entries == b.entries && a.text == b.text;
  }
};

// Stands between the calculator (or the replay) and the host: passes every call on
// and notes the store and error-handler calls.
class Recorder final : public CHostServices, public CHostObjectStore, public CHostErrorHandler {
 public:
  explicit Recorder(dtmhost::Host& host) : m_host(host) {}

  CMethodContext* createMethodContext(CHostContext* context) override { return m_host.createMethodContext(context); }
  CHostObjectStore* getObjectStore() override { return this; }
  CHostErrorHandler* getErrorHandler() override { return this; }

  void addObject(const CDDObject& object) override {
    Note(Code::AddObject, *object.getcDefinition());
    m_host.store().addObject(object);
  }
  void putRequestSet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) override {
    Note(Code::PutRequestSet, transaction.command(), transaction.transaction(), set.entries());
    m_host.store().putRequestSet(transaction, set);
  }
  void putReplySet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) override {
    Note(Code::PutReplySet, transaction.command(), transaction.transaction(), set.entries());
    m_host.store().putReplySet(transaction, set);
  }
  void putDependentSet(const CDDDefinition& variable, const CDDDefinitionSet& set) override {
    Note(Code::PutDependentSet, variable, 0, set.entries());
    m_host.store().putDependentSet(variable, set);
  }
  CDDBlock* getBlockCopy(CHostContext* context, const CDDDefinition& block) override {
    Note(Code::BlockCopy, block);
    return m_host.store().getBlockCopy(context, block);
  }
  CDDCommonVariant* getValueCopy(CHostContext* context, const CDDDefinition& variable) override {
    Note(Code::Read, variable);
    return m_host.store().getValueCopy(context, variable);
  }
  void reportError(const CStrPP& message) override {
    Note(Code::ReportError, CDDDefinition());
    m_events.back().text = message.str();
    m_host.errors().reportError(message);
  }

  const std::vector<Event>& events() const { return m_events; }

 private:
  void Note(Code code, const CDDDefinition& definition, int transaction = 0,
            const std::vector<CDDDefinition>& entries = {}) {
    m_events.push_back({ddlib::Journal::lines().size(), code, definition, transaction, entries, {}});
  }

  dtmhost::Host& m_host;
  std::vector<Event> m_events;
};

struct Segment {
  const CDDDefinition* definition = nullptr;  // null: the catalogue
  std::size_t begin = 0, end = 0;             // in ops
};

// One journal line taken apart: "Class::method(args)".
struct Line {
  std::string_view cls, method, args;
};

Line Split(const std::string& text) {
  std::string_view line(text);
  std::size_t colons = line.find("::");
  std::size_t open = line.find('(');
  if (colons == std::string_view::npos || open == std::string_view::npos || line.back() != ')' || open < colons)
    Fail("cannot read journal line " + text);
  return {line.substr(0, colons), line.substr(colons + 2, open - colons - 2),
          line.substr(open + 1, line.size() - open - 2)};
}

// "first, rest" at the first separator.
std::pair<std::string_view, std::string_view> Split2(std::string_view args) {
  std::size_t comma = args.find(", ");
  if (comma == std::string_view::npos) Fail("expected two arguments in " + std::string(args));
  return {args.substr(0, comma), args.substr(comma + 2)};
}

long Number(std::string_view text) {
  std::string s(text);
  char* end = nullptr;
  long n = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0') Fail("expected a number, not " + s);
  return n;
}

bool Flag(std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  Fail("expected true or false, not " + std::string(text));
}

}  // namespace

struct DescriptionReplay::Recording {
  std::vector<Op> ops;
  Segment catalogue;
  std::vector<Segment> requests;

  // What the ops point at; deques keep their addresses.
  std::deque<std::string> texts;
  std::deque<CDDCommonVariant> values;
  std::deque<std::vector<CDDDefinition>> entryLists;
  std::map<long, CDDDefinition> definitions;  // by number, from the registrations
  CDDDefinition empty;

  std::vector<std::string> lines;  // the recorded journal, for the check
  std::vector<Event> events;

  const char* Text(std::string_view quoted) {
    std::optional<std::string> text = dtmhost::Unquote(std::string(quoted));
    if (!text) Fail("expected a quoted text, not " + std::string(quoted));
    return texts.emplace_back(std::move(*text)).c_str();
  }

  const CDDCommonVariant* Value(std::string_view form) {
    std::size_t space = form.find(' ');
    std::string_view kind = form.substr(0, space);
    std::string_view rest = space == std::string_view::npos ? std::string_view() : form.substr(space + 1);
    if (form == "empty") return &values.emplace_back();
    if (kind == "bool") return &values.emplace_back(Flag(rest));
    if (kind == "int") return &values.emplace_back(static_cast<int>(Number(rest)));
    if (kind == "long") return &values.emplace_back(Number(rest));
    if (kind == "double") return &values.emplace_back(std::strtod(std::string(rest).c_str(), nullptr));
    if (kind == "text") return &values.emplace_back(Text(rest));
    Fail("cannot read value " + std::string(form));
  }

  // "#227 name" (as the journal prints a definition) or "#-1".
  const CDDDefinition* Definition(std::string_view form) {
    if (form == "#-1") return &empty;
    std::size_t space = form.find(' ');
    if (form.empty() || form[0] != '#' || space == std::string_view::npos) Fail("cannot read " + std::string(form));
    auto found = definitions.find(Number(form.substr(1, space - 1)));
    if (found == definitions.end() || form.substr(space + 1) != found->second.getName())
      Fail("no registered object " + std::string(form));
    return &found->second;
  }

  const CDDDefinition* Known(const CDDDefinition& definition) {
    if (definition == empty) return &empty;
    auto found = definitions.find(definition.getID());
    if (found == definitions.end() || !(found->second == definition))
      Fail("store call for an unregistered object " + std::string(definition.getName()));
    return &found->second;
  }

  void Push(Code code, const void* p = nullptr, int a = 0, long b = 0, bool on = false) {
    ops.push_back({code, on, a, b, p, nullptr});
  }

  // Ops for journal lines [from, to) and the events placed among them.
  void Decode(std::size_t from, std::size_t to, std::size_t& event, std::size_t eventEnd,
              const CDDDefinition* object);
  void DecodeEvent(const Event& e, std::optional<std::pair<long, int>>& ref);
  void DecodeLine(std::size_t index, std::size_t to, const CDDDefinition* object);

  // Which temporaries are open at this point of the decoding.
  bool enumOpen = false, bitOpen = false, itemOpen = false, dataOpen = false, transactionOpen = false,
       listOpen = false, setOpen = false;
};

void DescriptionReplay::Recording::DecodeEvent(const Event& e, std::optional<std::pair<long, int>>& ref) {
  switch (e.code) {
    case Code::Read:
    case Code::BlockCopy:
    case Code::AddObject:
      Push(e.code, Known(e.definition));
      return;
    case Code::ReportError:
      Push(e.code, texts.emplace_back(e.text).c_str());
      return;
    case Code::PutRequestSet:
    case Code::PutReplySet:
      if (!ref || ref->first != e.definition.getID() || ref->second != e.transaction) {
        Push(Code::TransactionRef, Known(e.definition), e.transaction);
        ref.emplace(e.definition.getID(), e.transaction);
      }
      Push(e.code, &entryLists.emplace_back(e.entries));
      return;
    case Code::PutDependentSet:
      Push(e.code, &entryLists.emplace_back(e.entries));
      ops.back().q = Known(e.definition);
      return;
    default:
      Fail("unknown store call");
  }
}

void DescriptionReplay::Recording::Decode(std::size_t from, std::size_t to, std::size_t& event,
                                          std::size_t eventEnd, const CDDDefinition* object) {
  std::optional<std::pair<long, int>> ref;
  for (std::size_t i = from; i <= to; ++i) {
    for (; event < eventEnd && events[event].at <= i; ++event) DecodeEvent(events[event], ref);
    if (i < to) DecodeLine(i, to, object);
  }
  if (event != eventEnd) Fail("store calls out of order");
  if (enumOpen || bitOpen || itemOpen || dataOpen || transactionOpen || listOpen)
    Fail("a temporary is never handed over in the request for " + std::string(object ? object->getName() : "catalogue"));
  setOpen = false;
}

void DescriptionReplay::Recording::DecodeLine(std::size_t index, std::size_t to, const CDDDefinition* object) {
  const Line l = Split(lines[index]);
  const std::string_view c = l.cls, m = l.method, args = l.args;
  auto kindIs = [&](enumDDObjectKind kind) {
    if (!object || object->getKind() != kind) Fail(lines[index] + " on an object of another kind");
  };
  // The argument of the next line that starts with `prefix`, from here on.
  auto ahead = [&](std::string_view prefix) -> std::string_view {
    for (std::size_t j = index; j < to; ++j)
      if (std::string_view(lines[j]).starts_with(prefix)) return Split(lines[j]).args;
    Fail("no " + std::string(prefix) + " after " + lines[index]);
  };
  auto flagged = [&](Code code) {
    auto [code_, on] = Split2(args);
    Push(code, nullptr, static_cast<int>(Number(code_)), 0, Flag(on));
  };

  if (c == "CDDObject" && m == "putAttributesAvailable") {
    if (!object) Fail("catalogue touches an object");
    return Push(Code::Available, nullptr, 0, 0, Flag(args));
  }
  if (c == "CDDVariable") {
    kindIs(ObjectKindVariable);
    if (m == "putLabel") return Push(Code::VarLabel, Text(args));
    if (m == "putHelp") return Push(Code::VarHelp, Text(args));
    if (m == "putConstantUnit") return Push(Code::VarUnit, Text(args));
    if (m == "putHandling") return flagged(Code::VarHandling);
    if (m == "setTypeInfo") {
      if (Number(args) < 0) Fail("a type taken away");
      return Push(Code::VarSetType, nullptr, static_cast<int>(Number(args)));
    }
    if (m == "setPreEditActions" || m == "setPostEditActions") {
      if (!listOpen) Push(Code::ListBegin);
      listOpen = false;
      return Push(m == "setPreEditActions" ? Code::VarSetPreEdit : Code::VarSetPostEdit);
    }
  }
  if (c == "CDDVariableClass" && m == "putClassInfo") {
    kindIs(ObjectKindVariable);
    return flagged(Code::VarClass);
  }
  if (c == "CDDType") {
    kindIs(ObjectKindVariable);
    if (m == "putSize") return Push(Code::TypeSize, nullptr, static_cast<int>(Number(args)));
    if (m == "putScalingFactor")
      return Push(Code::TypeScaling, nullptr, 0, std::bit_cast<long>(std::strtod(std::string(args).c_str(), nullptr)));
    if (m == "putDisplayFormat") return Push(Code::TypeDisplay, Text(args));
    if (m == "putEditFormat") return Push(Code::TypeEdit, Text(args));
    if (m == "putMaxRangeNo") return Push(Code::TypeMaxRangeNo, nullptr, static_cast<int>(Number(args)));
    if (m == "putDefaultValue") return Push(Code::TypeDefault, Value(args));
    if (m == "putMinValues" || m == "putMaxValues") {
      auto [range, value] = Split2(args);
      return Push(m == "putMinValues" ? Code::TypeMin : Code::TypeMax, Value(value), static_cast<int>(Number(range)));
    }
    if (m == "putMaxEnumIndex") return Push(Code::TypeMaxEnum, nullptr, 0, Number(args));
    if (m == "putMaxBitEnumIndex") return Push(Code::TypeMaxBitEnum, nullptr, 0, Number(args));
  }
  if (c == "CDDEnumerator" || c == "CDDEnumeratorSet") {
    kindIs(ObjectKindVariable);
    if (!enumOpen) Push(Code::EnumBegin);
    enumOpen = true;
    if (m == "putValue") return Push(Code::EnumValue, nullptr, 0, Number(args));
    if (m == "putDescription") return Push(Code::EnumDescription, Text(args));
    if (m == "putHelp") return Push(Code::EnumHelp, Text(args));
    if (m == "Add") {
      enumOpen = false;
      return Push(Code::EnumAdd);
    }
  }
  if (c == "CDDBitEnumerator" || c == "CDDBitEnumeratorSet") {
    kindIs(ObjectKindVariable);
    if (!bitOpen) Push(Code::BitBegin, nullptr, 0, Number(ahead("CDDBitEnumeratorSet::Add(")));
    bitOpen = true;
    if (m == "putDescription") return Push(Code::BitDescription, Text(args));
    if (m == "putHelp") return Push(Code::BitHelp, Text(args));
    if (m == "putMethod") return Push(Code::BitMethod, Definition(args));
    if (m == "Add") {
      bitOpen = false;
      return Push(Code::BitAdd);
    }
  }
  if (c == "CDDDefinitionList" && m == "Add") {
    if (!listOpen) Push(Code::ListBegin);
    listOpen = true;
    auto [definition, rest] = Split2(args);
    auto [position, count] = Split2(rest);
    return Push(Code::ListAdd, Definition(definition), static_cast<int>(Number(position)), Number(count));
  }
  if (c == "CDDBlock") {
    kindIs(ObjectKindBlock);
    if (m == "putType") return Push(Code::BlockType, nullptr, static_cast<int>(Number(args)));
    if (m == "putNumber") return Push(Code::BlockNumber, nullptr, 0, Number(args));
    if (m == "putBlockKind") return Push(Code::BlockKind, nullptr, static_cast<int>(Number(args)));
  }
  if (c == "CDDRefresh") {
    kindIs(ObjectKindRefresh);
    setOpen = true;
    if (m == "setReread") return Push(Code::RefreshSetReread);
    if (m == "setChanged") return Push(Code::RefreshSetChanged);
  }
  if (c == "CDDVariableDefinitionSet" && m == "Insert") {
    if (!setOpen) Fail(lines[index] + " before its set is handed over");
    return Push(Code::SetInsert, Definition(args));
  }
  if (c == "CDDMenu") {
    kindIs(ObjectKindMenu);
    if (m == "putAccess") return Push(Code::MenuAccess, nullptr, static_cast<int>(Number(args)));
    if (m == "putLabel") return Push(Code::MenuLabel, Text(args));
    if (m == "putHelp") return Push(Code::MenuHelp, Text(args));
    if (m == "setMenuItems") return Push(Code::MenuSetItems);
    if (m == "setPreReadActions" || m == "setPreWriteActions" || m == "setPostWriteActions") {
      if (!listOpen) Push(Code::ListBegin);
      listOpen = false;
      return Push(m == "setPreReadActions"    ? Code::MenuSetPreRead
                  : m == "setPreWriteActions" ? Code::MenuSetPreWrite
                                              : Code::MenuSetPostWrite);
    }
  }
  if (c == "CDDMenuItem" || c == "CDDMenuItemList") {
    kindIs(ObjectKindMenu);
    if (!itemOpen) Push(Code::ItemBegin, Definition(Split2(ahead("CDDMenuItemList::Add(")).first));
    itemOpen = true;
    if (m == "putQualification") return flagged(Code::ItemQualification);
    if (m == "Add") {
      auto [position, count] = Split2(Split2(args).second);
      itemOpen = false;
      return Push(Code::ItemAdd, nullptr, static_cast<int>(Number(position)), Number(count));
    }
  }
  if (c == "CDDCommand") {
    kindIs(ObjectKindCommand);
    if (m == "setSlot" || m == "setIndex") {
      if (Number(args) < 0) Fail("a slot or index taken away");
      return Push(m == "setSlot" ? Code::CommandSlot : Code::CommandIndex, nullptr, 0, Number(args));
    }
    if (m == "setBlock") {
      if (args == "-") Fail("a block taken away");
      return Push(Code::CommandBlock);
    }
    if (m == "putOperation") return Push(Code::CommandOperation, nullptr, static_cast<int>(Number(args)));
    if (m == "setTransactionSet") return Push(Code::CommandSetTransactions);
  }
  if (c == "CDDTransaction" || c == "CDDTransactionSet") {
    kindIs(ObjectKindCommand);
    if (!transactionOpen)
      Push(Code::TransactionBegin, nullptr, static_cast<int>(Number(ahead("CDDTransactionSet::Insert("))));
    transactionOpen = true;
    if (m == "setRequest") return Push(Code::TransactionSetRequest);
    if (m == "setReply") return Push(Code::TransactionSetReply);
    if (m == "Insert") {
      transactionOpen = false;
      return Push(Code::TransactionInsert);
    }
  }
  if (c == "CDDDataItem" || c == "CDDReference" || c == "CDDDataItemList") {
    kindIs(ObjectKindCommand);
    if (!dataOpen) Push(Code::DataBegin);
    dataOpen = true;
    if (m == "putKind") return Push(Code::DataKind, nullptr, static_cast<int>(Number(args)));
    if (m == "putDefinition") return Push(Code::DataReference, Definition(args));
    if (m == "putMask") return Push(Code::DataMask, nullptr, 0, Number(args));
    if (m == "Add") {
      auto [position, count] = Split2(args);
      dataOpen = false;
      return Push(Code::DataAdd, nullptr, static_cast<int>(Number(position)), Number(count));
    }
  }
  if (c == "CDDMethod") {
    kindIs(ObjectKindMethod);
    if (m == "putLabel") return Push(Code::MethodLabel, Text(args));
    if (m == "putHelp") return Push(Code::MethodHelp, Text(args));
    if (m == "putAccess") return Push(Code::MethodAccess, nullptr, static_cast<int>(Number(args)));
    if (m == "putValidity") return Push(Code::MethodValidity, nullptr, 0, 0, Flag(args));
  }
  if (c == "CDDMethodClass" && m == "putClassInfo") {
    kindIs(ObjectKindMethod);
    return flagged(Code::MethodClass);
  }
  Fail("no replay for " + lines[index]);
}

namespace {

// The temporaries of one request, each made where the recorded run needed it.
struct Temporaries {
  CDDType* type = nullptr;
  CDDMenuItemList* items = nullptr;
  CDDTransactionSet* transactions = nullptr;
  CDDDataItemList* dataList = nullptr;         // the list handed over last
  CDDVariableDefinitionSet* members = nullptr;  // the set handed over last
  std::unique_ptr<CDDDefinitionList> list;
  std::optional<CDDEnumerator> enumerator;
  std::optional<CDDBitEnumerator> bit;
  std::optional<CDDMenuItem> item;
  std::optional<CDDDataItem> data;
  std::optional<CDDTransaction> transaction;
  std::optional<CDDTransactionRef> ref;
  std::unique_ptr<CDDBlock> blockCopy;  // the store's copy until a command takes it
};

const char* TextOf(const Op& op) { return static_cast<const char*>(op.p); }
const CDDDefinition& DefinitionOf(const Op& op) { return *static_cast<const CDDDefinition*>(op.p); }
const CDDCommonVariant& ValueOf(const Op& op) { return *static_cast<const CDDCommonVariant*>(op.p); }

CDDDefinitionSet SetOf(const Op& op) {
  CDDDefinitionSet set;
  for (const CDDDefinition& d : *static_cast<const std::vector<CDDDefinition>*>(op.p)) set.Insert(d);
  return set;
}

void Play(const Op* op, const Op* end, CDDObject* object, CHostServices& services, CHostObjectStore& store,
          CHostContext* context) {
  Temporaries t;
  // The object as its own type, cast only by an op of that kind: the decoding refused
  // ops of another kind, and the catalogue's ops have no object.
  auto variable = [object] { return static_cast<CDDVariable*>(object); };
  auto block = [object] { return static_cast<CDDBlock*>(object); };
  auto refresh = [object] { return static_cast<CDDRefresh*>(object); };
  auto menu = [object] { return static_cast<CDDMenu*>(object); };
  auto command = [object] { return static_cast<CDDCommand*>(object); };
  auto method = [object] { return static_cast<CDDMethod*>(object); };
  for (; op != end; ++op) {
    switch (op->code) {
      case Code::Read: {
        std::unique_ptr<CDDCommonVariant> value(store.getValueCopy(context, DefinitionOf(*op)));
        benchmark::DoNotOptimize(value.get());
        break;
      }
      case Code::BlockCopy:
        t.blockCopy.reset(store.getBlockCopy(context, DefinitionOf(*op)));
        break;
      case Code::ReportError:
        services.getErrorHandler()->reportError(CStrPP(TextOf(*op)));
        break;
      case Code::AddObject: {
        std::unique_ptr<CDDObject> registered(MakeDescriptionObject(DefinitionOf(*op)));
        store.addObject(*registered);
        break;
      }
      case Code::TransactionRef:
        t.ref.emplace(DefinitionOf(*op), op->a);
        break;
      case Code::PutRequestSet:
        store.putRequestSet(*t.ref, SetOf(*op));
        break;
      case Code::PutReplySet:
        store.putReplySet(*t.ref, SetOf(*op));
        break;
      case Code::PutDependentSet:
        store.putDependentSet(*static_cast<const CDDDefinition*>(op->q), SetOf(*op));
        break;
      case Code::Available:
        object->putAttributesAvailable(op->on);
        break;
      case Code::VarLabel:
        variable()->putLabel(CStrPP(TextOf(*op)));
        break;
      case Code::VarHelp:
        variable()->putHelp(CStrPP(TextOf(*op)));
        break;
      case Code::VarUnit:
        variable()->putConstantUnit(CStrPP(TextOf(*op)));
        break;
      case Code::VarClass:
        variable()->getClass()->putClassInfo(static_cast<enumDDVariableClassType>(op->a), op->on);
        break;
      case Code::VarSetType:
        variable()->setTypeInfo(new CDDType(static_cast<enumDDVariableType>(op->a)));
        t.type = variable()->getTypeInfo();
        break;
      case Code::VarHandling:
        variable()->putHandling(static_cast<enumDDVariableHandlingType>(op->a), op->on);
        break;
      case Code::VarSetPreEdit:
        variable()->setPreEditActions(t.list.release());
        break;
      case Code::VarSetPostEdit:
        variable()->setPostEditActions(t.list.release());
        break;
      case Code::TypeSize:
        t.type->putSize(op->a);
        break;
      case Code::TypeScaling:
        t.type->putScalingFactor(std::bit_cast<double>(op->b));
        break;
      case Code::TypeDisplay:
        t.type->putDisplayFormat(CStrPP(TextOf(*op)));
        break;
      case Code::TypeEdit:
        t.type->putEditFormat(CStrPP(TextOf(*op)));
        break;
      case Code::TypeMaxRangeNo:
        t.type->putMaxRangeNo(op->a);
        break;
      case Code::TypeDefault:
        t.type->putDefaultValue(CDDCommonVariant(ValueOf(*op)));
        break;
      case Code::TypeMin:
        t.type->putMinValues(op->a, CDDCommonVariant(ValueOf(*op)));
        break;
      case Code::TypeMax:
        t.type->putMaxValues(op->a, CDDCommonVariant(ValueOf(*op)));
        break;
      case Code::TypeMaxEnum:
        t.type->putMaxEnumIndex(op->b);
        break;
      case Code::TypeMaxBitEnum:
        t.type->putMaxBitEnumIndex(op->b);
        break;
      case Code::EnumBegin:
        t.enumerator.emplace();
        break;
      case Code::EnumValue:
        t.enumerator->putValue(op->b);
        break;
      case Code::EnumDescription:
        t.enumerator->putDescription(CStrPP(TextOf(*op)));
        break;
      case Code::EnumHelp:
        t.enumerator->putHelp(CStrPP(TextOf(*op)));
        break;
      case Code::EnumAdd:
        t.type->getEnumeratorSet()->Add(*t.enumerator);
        t.enumerator.reset();
        break;
      case Code::BitBegin:
        t.bit.emplace(op->b);
        break;
      case Code::BitDescription:
        t.bit->putDescription(CStrPP(TextOf(*op)));
        break;
      case Code::BitHelp:
        t.bit->putHelp(CStrPP(TextOf(*op)));
        break;
      case Code::BitMethod:
        t.bit->putMethod(DefinitionOf(*op));
        break;
      case Code::BitAdd:
        t.type->getBitEnumeratorSet()->Add(*t.bit);
        t.bit.reset();
        break;
      case Code::ListBegin:
        t.list = std::make_unique<CDDDefinitionList>();
        break;
      case Code::ListAdd:
        t.list->Add(DefinitionOf(*op), op->a, op->b);
        break;
      case Code::BlockType:
        block()->putType(static_cast<enumDDBlockType>(op->a));
        break;
      case Code::BlockNumber:
        block()->putNumber(op->b);
        break;
      case Code::BlockKind:
        block()->putBlockKind(static_cast<enumDDBlockKind>(op->a));
        break;
      case Code::RefreshSetReread:
        refresh()->setReread(new CDDVariableDefinitionSet());
        t.members = refresh()->getReread();
        break;
      case Code::RefreshSetChanged:
        refresh()->setChanged(new CDDVariableDefinitionSet());
        t.members = refresh()->getChanged();
        break;
      case Code::SetInsert:
        t.members->Insert(DefinitionOf(*op));
        break;
      case Code::MenuAccess:
        menu()->putAccess(static_cast<enumDDAccessType>(op->a));
        break;
      case Code::MenuLabel:
        menu()->putLabel(CStrPP(TextOf(*op)));
        break;
      case Code::MenuHelp:
        menu()->putHelp(CStrPP(TextOf(*op)));
        break;
      case Code::MenuSetItems:
        menu()->setMenuItems(new CDDMenuItemList());
        t.items = menu()->getMenuItems();
        break;
      case Code::MenuSetPreRead:
        menu()->setPreReadActions(t.list.release());
        break;
      case Code::MenuSetPreWrite:
        menu()->setPreWriteActions(t.list.release());
        break;
      case Code::MenuSetPostWrite:
        menu()->setPostWriteActions(t.list.release());
        break;
      case Code::ItemBegin:
        t.item.emplace(DefinitionOf(*op));
        break;
      case Code::ItemQualification:
        t.item->putQualification(static_cast<enumDDMenuItemQualificationType>(op->a), op->on);
        break;
      case Code::ItemAdd:
        t.items->Add(*t.item, op->a, op->b);
        t.item.reset();
        break;
      case Code::CommandSlot:
        command()->setSlot(new CDDSlot(op->b));
        break;
      case Code::CommandBlock:
        command()->setBlock(t.blockCopy.release());
        break;
      case Code::CommandIndex:
        command()->setIndex(new CDDIndex(op->b));
        break;
      case Code::CommandOperation:
        command()->putOperation(static_cast<enumDDCommandOperationType>(op->a));
        break;
      case Code::CommandSetTransactions:
        command()->setTransactionSet(new CDDTransactionSet());
        t.transactions = command()->getTransactionSet();
        break;
      case Code::TransactionBegin:
        t.transaction.emplace(op->a);
        break;
      case Code::TransactionSetRequest:
        t.transaction->setRequest(new CDDDataItemList());
        t.dataList = t.transaction->getRequest();
        break;
      case Code::TransactionSetReply:
        t.transaction->setReply(new CDDDataItemList());
        t.dataList = t.transaction->getReply();
        break;
      case Code::DataBegin:
        t.data.emplace();
        break;
      case Code::DataKind:
        t.data->putKind(static_cast<enumDDDataItemType>(op->a));
        break;
      case Code::DataReference:
        t.data->getReference()->putDefinition(DefinitionOf(*op));
        break;
      case Code::DataMask:
        t.data->putMask(op->b);
        break;
      case Code::DataAdd:
        t.dataList->Add(*t.data, op->a, op->b);
        t.data.reset();
        break;
      case Code::TransactionInsert:
        t.transactions->Insert(*t.transaction);
        t.transaction.reset();
        break;
      case Code::MethodLabel:
        method()->putLabel(CStrPP(TextOf(*op)));
        break;
      case Code::MethodHelp:
        method()->putHelp(CStrPP(TextOf(*op)));
        break;
      case Code::MethodAccess:
        method()->putAccess(static_cast<enumDDAccessType>(op->a));
        break;
      case Code::MethodClass:
        method()->getClass()->putClassInfo(static_cast<enumDDMethodClass>(op->a), op->on);
        break;
      case Code::MethodValidity:
        method()->putValidity(op->on);
        break;
    }
  }
}

}  // namespace

DescriptionReplay::DescriptionReplay(std::unique_ptr<Recording> recording) : m_recording(std::move(recording)) {}
DescriptionReplay::~DescriptionReplay() = default;

std::size_t DescriptionReplay::objects() const { return m_recording->requests.size(); }

void DescriptionReplay::Run(CHostServices& services, CHostContext* context) const {
  const Recording& r = *m_recording;
  CHostObjectStore& store = *services.getObjectStore();
  const Op* ops = r.ops.data();
  Play(ops + r.catalogue.begin, ops + r.catalogue.end, nullptr, services, store, context);
  for (const Segment& request : r.requests) {
    std::unique_ptr<CDDObject> object(MakeDescriptionObject(*request.definition));
    Play(ops + request.begin, ops + request.end, object.get(), services, store, context);
  }
}

std::unique_ptr<DescriptionReplay> DescriptionReplay::Record(dtmhost::Host& host) {
  auto r = std::make_unique<Recording>();
  struct Bounds {
    std::size_t lineEnd, eventEnd;
    CDDDefinition definition;
  };
  std::vector<Bounds> bounds;  // where each part ends: the catalogue, then every request
  {
    Recorder recorder(host);
    IDeviceAttributeCalculation& calculator = host.calculator();
    calculator.Init(&recorder);
    ddlib::JournalScope journal;
    host.store().clearRegistrations();
    calculator.BuildCatalogue();
    bounds.push_back({ddlib::Journal::lines().size(), recorder.events().size(), CDDDefinition()});
    for (const auto& registered : host.store().objects()) {
      const CDDDefinition& definition = *registered->getcDefinition();
      std::unique_ptr<CDDObject> object(MakeDescriptionObject(definition));
      calculator.Calculate(host.context(), object.get());
      bounds.push_back({ddlib::Journal::lines().size(), recorder.events().size(), definition});
    }
    r->lines = ddlib::Journal::lines();
    r->events = recorder.events();
  }
  host.Start();

  for (const Event& e : r->events)
    if (e.code == Code::AddObject) r->definitions.emplace(e.definition.getID(), e.definition);
  std::size_t event = 0, from = 0;
  for (std::size_t part = 0; part < bounds.size(); ++part) {
    Segment segment;
    if (part > 0) segment.definition = r->Known(bounds[part].definition);
    segment.begin = r->ops.size();
    r->Decode(from, bounds[part].lineEnd, event, bounds[part].eventEnd, segment.definition);
    segment.end = r->ops.size();
    (part == 0 ? r->catalogue : r->requests.emplace_back()) = segment;
    from = bounds[part].lineEnd;
  }
  if (event != r->events.size()) Fail("store calls after the last request");

  // The replay must make exactly the recorded calls, in the recorded order.
  std::unique_ptr<DescriptionReplay> replay(new DescriptionReplay(std::move(r)));
  const Recording& recorded = *replay->m_recording;
  {
    Recorder check(host);
    ddlib::JournalScope journal;
    host.store().clearRegistrations();
    replay->Run(check, host.context());
    if (ddlib::Journal::lines() != recorded.lines) {
      const auto& got = ddlib::Journal::lines();
      std::size_t i = 0;
      while (i < got.size() && i < recorded.lines.size() && got[i] == recorded.lines[i]) ++i;
      Fail("library call " + std::to_string(i) + " differs: " + (i < got.size() ? got[i] : "(none)") + " instead of " +
           (i < recorded.lines.size() ? recorded.lines[i] : "(none)"));
    }
    if (check.events() != recorded.events) Fail("store calls differ");
  }
  host.Start();
  return replay;
}

}  // namespace bench
