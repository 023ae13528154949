// What dtmhost shows of the plug-in's objects and of its information object.
#pragma once
#include <string>

#include "ddlib/ddlib.h"
#include "json.h"

namespace dtmtool {

// "variable", "command", "menu", ... for a definition's kind.
std::string KindName(enumDDObjectKind kind);

// A value as {kind, value}; null for an empty value.
Json ValueJson(const CDDCommonVariant& value);

// {number, name, kind}.
Json DefinitionJson(const CDDDefinition& definition);

// Every attribute of a description object. With a language ("en", "de", ...) the
// multilingual texts are cut to that language; with "" they stay whole.
Json ObjectJson(const CDDObject& object, const std::string& language);

// The information object's answers.
Json InformationJson(IDeviceInformation& information);

// The registry's keys and values.
Json RegistryJson(const ddlib::RegistryKeys& registry);

}  // namespace dtmtool
