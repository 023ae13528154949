#include "describe.h"

#include "dtmhost/host.h"

namespace dtmtool {

namespace {

// Role codes the host asks the information object for menu names.
constexpr long kLastRole = 0xFFFF;

Json Text(const std::string& text, const std::string& language) {
  return Json::String(language.empty() ? text : dtmhost::Segment(text, language));
}

Json OptionalText(const std::optional<std::string>& text, const std::string& language) {
  return Json::From(text, [&](const std::string& t) { return Text(t, language); });
}

Json Int(long long value) { return Json::Number(value); }

template <typename Optional>
Json OptionalInt(const Optional& value) {
  return Json::From(value, [](auto v) { return Json::Number(static_cast<long long>(v)); });
}

Json Names(const std::vector<CDDDefinition>& definitions) {
  Json names = Json::Array();
  for (const CDDDefinition& d : definitions) names.push(Json::String(d.getName()));
  return names;
}

template <typename List>
Json OptionalNames(const List* list) {
  return list ? Names(list->entries()) : Json();
}

// The library's name of a code, or "" for a code it leaves unnamed.
const char* VariableClassName(int code) {
  switch (code) {
    case ClassDynamic: return "ClassDynamic";
    case ClassDiagnostic: return "ClassDiagnostic";
    case ClassLocal: return "ClassLocal";
    case ClassContained: return "ClassContained";
  }
  return "";
}

const char* MethodClassName(int code) {
  switch (code) {
    case MethodClassCode2: return "MethodClassCode2";
    case MethodClassContained: return "MethodClassContained";
  }
  return "";
}

const char* QualificationName(int code) {
  switch (code) {
    case QualificationReadOnly: return "ReadOnly";
    case QualificationCode3: return "Code3";
  }
  return "";
}

const char* DataItemKindName(int code) { return code == DataItemReference ? "Reference" : ""; }
const char* BlockTypeName(int code) { return code == BlockTypePhysical ? "Physical" : ""; }
const char* BlockKindName(int code) { return code == BlockKindCode0 ? "Code0" : ""; }

const char* TypeName(int code) {
  switch (code) {
    case VariableTypeFloat: return "Float";
    case VariableTypeInteger: return "Integer";
    case VariableTypeUnsigned: return "Unsigned";
    case VariableTypeEnumerated: return "Enumerated";
    case VariableTypeBitEnumerated: return "BitEnumerated";
    case VariableTypeString: return "String";
  }
  return "";
}

// A code for a person: its number, and its name beside it where it has one.
std::string Named(int code, const char* name) {
  std::string text = std::to_string(code);
  if (*name) (text += ' ') += name;
  return text;
}

// A code as a number, or for a person with its name beside it.
Json Code(int code, const char* name, bool named) {
  if (!named || !*name) return Int(code);
  return Json::Word(Named(code, name));
}

template <typename Optional>
Json OptionalCode(const Optional& code, const char* (*name)(int), bool named) {
  if (!code) return Json();
  return Code(static_cast<int>(*code), name(static_cast<int>(*code)), named);
}

template <typename Flags>
Json Codes(const Flags& flags, const char* (*name)(int), bool named) {
  Json codes = Json::Array();
  for (int code = 0; code < 32; ++code)
    if (flags.isSet(code)) codes.push(Code(code, name(code), named));
  return codes;
}

Json Access(const std::optional<enumDDAccessType>& access) {
  if (!access) return Json();
  if (*access == AccessOnline) return Json::String("online");
  if (*access == AccessOffline) return Json::String("offline");
  return Int(*access);
}

Json TypeJson(const CDDType& type, const std::string& language, bool named) {
  Json ranges = Json::Array();
  for (const auto& [index, range] : type.getRanges())
    ranges.push(Json::Object()
                    .set("min", Json::From(range.min, ValueJson))
                    .set("max", Json::From(range.max, ValueJson)));
  Json enumerators = Json::Array();
  for (const CDDEnumerator& e : type.enumerators().entries())
    enumerators.push(Json::Object()
                         .set("value", Int(e.getValue()))
                         .set("description", Text(e.getDescription(), language))
                         .set("help", Text(e.getHelp(), language)));
  Json bitEnumerators = Json::Array();
  for (const CDDBitEnumerator& e : type.bitEnumerators().entries())
    bitEnumerators.push(Json::Object()
                            .set("mask", Int(e.getMask()))
                            .set("description", Text(e.getDescription(), language))
                            .set("help", Text(e.getHelp(), language)));
  Json out = Json::Object();
  if (named) {
    std::string heading = TypeName(type.getType());
    if (heading.empty()) (heading = "code ") += std::to_string(type.getType());
    if (type.getSize()) (heading += ' ') += std::to_string(*type.getSize());
    out.set("", Json::Word(heading));
  } else {
    out.set("code", Int(type.getType())).set("size", OptionalInt(type.getSize()));
  }
  return out.set("scaling", Json::From(type.getScalingFactor(), [](double v) { return Json::Number(v); }))
      .set("display", OptionalText(type.getDisplayFormat(), ""))
      .set("edit", OptionalText(type.getEditFormat(), ""))
      .set("maxRangeNo", OptionalInt(type.getMaxRangeNo()))
      .set("default", Json::From(type.getDefaultValue(), ValueJson))
      .set("ranges", std::move(ranges))
      .set("maxEnumIndex", OptionalInt(type.getMaxEnumIndex()))
      .set("enumerators", std::move(enumerators))
      .set("maxBitEnumIndex", OptionalInt(type.getMaxBitEnumIndex()))
      .set("bitEnumerators", std::move(bitEnumerators));
}

void AddVariable(Json& out, const CDDVariable& v, const std::string& language, bool named) {
  Json handling = Json::Array();
  if (v.getHandling(HandlingRead)) handling.push(Json::String("read"));
  if (v.getHandling(HandlingWrite)) handling.push(Json::String("write"));
  out.set("label", OptionalText(v.getLabel(), language))
      .set("help", OptionalText(v.getHelp(), language))
      .set("class", Codes(v.classInfo(), VariableClassName, named))
      .set("unit", OptionalText(v.getConstantUnit(), language))
      .set("type", v.typeInfo() ? TypeJson(*v.typeInfo(), language, named) : Json())
      .set("handling", std::move(handling))
      .set("preEdit", OptionalNames(v.getPreEditActions()))
      .set("postEdit", OptionalNames(v.getPostEditActions()));
}

void AddMenu(Json& out, const CDDMenu& m, const std::string& language, bool named) {
  Json items;
  if (const CDDMenuItemList* list = m.menuItems()) {
    items = Json::Array();
    for (const CDDMenuItem& item : list->entries()) {
      Json qualifications = Json::Array();
      for (int q : item.qualifications()) qualifications.push(Code(q, QualificationName(q), named));
      items.push(DefinitionJson(item.getDefinition()).set("qualifications", std::move(qualifications)));
    }
  }
  out.set("access", Access(m.getAccess()))
      .set("label", OptionalText(m.getLabel(), language))
      .set("help", OptionalText(m.getHelp(), language))
      .set("items", std::move(items))
      .set("preRead", OptionalNames(m.getPreReadActions()))
      .set("preWrite", OptionalNames(m.getPreWriteActions()))
      .set("postWrite", OptionalNames(m.getPostWriteActions()));
}

Json DataItems(const CDDDataItemList* list, bool named) {
  if (!list) return Json();
  Json items = Json::Array();
  for (const CDDDataItem& item : list->entries()) {
    const auto& reference = item.reference().getDefinition();
    items.push(Json::Object()
                   .set("kind", OptionalCode(item.getKind(), DataItemKindName, named))
                   .set("mask", OptionalInt(item.getMask()))
                   .set("name", reference ? Json::String(reference->getName()) : Json()));
  }
  return items;
}

void AddCommand(Json& out, const CDDCommand& c, bool named) {
  Json operation;
  if (const auto& op = c.getOperation())
    operation = *op == OperationRead ? Json::String("read") : *op == OperationWrite ? Json::String("write") : Int(*op);
  Json transactions;
  if (const CDDTransactionSet* set = c.transactions()) {
    transactions = Json::Array();
    for (const auto& t : set->entries())
      transactions.push(Json::Object()
                            .set("number", Int(t->getNumber()))
                            .set("request", DataItems(t->request(), named))
                            .set("reply", DataItems(t->reply(), named)));
  }
  out.set("block", c.block() ? Json::String(c.block()->getcDefinition()->getName()) : Json())
      .set("slot", c.slot() ? Int(c.slot()->getSlot()) : Json())
      .set("index", c.index() ? Int(c.index()->getIndex()) : Json())
      .set("operation", std::move(operation))
      .set("transactions", std::move(transactions));
}

void AddMethod(Json& out, const CDDMethod& m, const std::string& language, bool named) {
  out.set("label", OptionalText(m.getLabel(), language))
      .set("help", OptionalText(m.getHelp(), language))
      .set("class", Codes(m.classInfo(), MethodClassName, named))
      .set("access", Access(m.getAccess()))
      .set("valid", Json::From(m.getValidity(), Json::Bool));
}

void AddBlock(Json& out, const CDDBlock& b, bool named) {
  out.set("type", OptionalCode(b.getType(), BlockTypeName, named))
      .set("blockNumber", OptionalInt(b.getNumber()))
      .set("blockKind", OptionalCode(b.getBlockKind(), BlockKindName, named));
}

}  // namespace

std::string KindName(enumDDObjectKind kind) {
  switch (kind) {
    case ObjectKindVariable: return "variable";
    case ObjectKindCommand: return "command";
    case ObjectKindMenu: return "menu";
    case ObjectKindEditDisplay: return "edit-display";
    case ObjectKindMethod: return "method";
    case ObjectKindRefresh: return "refresh";
    case ObjectKindUnit: return "unit";
    case ObjectKindWriteAsOne: return "write-as-one";
    case ObjectKindArray: return "array";
    case ObjectKindCollection: return "collection";
    case ObjectKindItemArray: return "item-array";
    case ObjectKindConnection: return "connection";
    case ObjectKindBlock: return "block";
    case ObjectKindRecord: return "record";
    case ObjectKindVariableList: return "variable-list";
    case ObjectKindResponseCodes: return "response-codes";
  }
  return std::to_string(static_cast<int>(kind));
}

Json ValueJson(const CDDCommonVariant& value) {
  using Kind = CDDCommonVariant::Kind;
  Json out = Json::Object();
  switch (value.kind()) {
    case Kind::Empty: return Json();
    case Kind::Bool: return out.set("kind", Json::String("bool")).set("value", Json::Bool(value.getBool()));
    case Kind::Int: return out.set("kind", Json::String("int")).set("value", Int(value.getInt()));
    case Kind::Long: return out.set("kind", Json::String("long")).set("value", Int(value.getLong()));
    case Kind::Double: return out.set("kind", Json::String("double")).set("value", Json::Number(value.getDouble()));
    case Kind::Text: return out.set("kind", Json::String("text")).set("value", Json::String(value.getText()));
  }
  return Json();
}

Json DefinitionJson(const CDDDefinition& d) {
  return Json::Object()
      .set("number", Int(d.getID()))
      .set("name", Json::String(d.getName()))
      .set("kind", Json::String(KindName(d.getKind())));
}

Json ObjectJson(const CDDObject& object, const std::string& language, bool named) {
  Json out = DefinitionJson(*object.getcDefinition());
  out.set("available", Json::Bool(object.getAttributesAvailable()));
  if (const auto* v = dynamic_cast<const CDDVariable*>(&object)) AddVariable(out, *v, language, named);
  if (const auto* m = dynamic_cast<const CDDMenu*>(&object)) AddMenu(out, *m, language, named);
  if (const auto* c = dynamic_cast<const CDDCommand*>(&object)) AddCommand(out, *c, named);
  if (const auto* m = dynamic_cast<const CDDMethod*>(&object)) AddMethod(out, *m, language, named);
  if (const auto* r = dynamic_cast<const CDDRefresh*>(&object))
    out.set("reread", OptionalNames(r->reread())).set("changed", OptionalNames(r->changed()));
  if (const auto* b = dynamic_cast<const CDDBlock*>(&object)) AddBlock(out, *b, named);
  return out;
}

std::string QualificationText(int code) { return Named(code, QualificationName(code)); }

Json InformationJson(IDeviceInformation& info) {
  auto text = [](const char* t) { return t ? Json::String(t) : Json(); };
  Json menus = Json::Object();
  for (long role = 0; role <= kLastRole; ++role) {
    const char* name = info.GetMenuName(role);
    if (name && *name) menus.set(std::to_string(role), Json::String(name));
  }
  return Json::Object()
      .set("deviceType", text(info.GetDeviceTypeText()))
      .set("identNumber", Int(info.GetIdentNumber()))
      .set("manufacturerId", Int(info.GetManufacturerId()))
      .set("manufacturerName", text(info.GetManufacturerName()))
      .set("softwareRevision", text(info.GetSoftwareRevision()))
      .set("profileRevision", text(info.GetProfileRevision()))
      .set("iconResource", Int(info.GetIconResource()))
      .set("bitmapResources", Json::Array().push(Int(info.GetBitmapResource(0))).push(Int(info.GetBitmapResource(1))))
      .set("menuNames", std::move(menus));
}

Json RegistryJson(const ddlib::RegistryKeys& registry) {
  Json keys = Json::Object();
  for (const auto& [key, values] : registry) {
    Json entries = Json::Object();
    for (const auto& [name, value] : values) {
      if (const auto* s = std::get_if<std::string>(&value))
        entries.set(name, Json::Bytes(*s));
      else
        entries.set(name, Int(std::get<std::uint32_t>(value)));
    }
    keys.set(key, std::move(entries));
  }
  return keys;
}

}  // namespace dtmtool
