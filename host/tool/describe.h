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
// multilingual texts are cut to that language; with "" they stay whole. For a person
// (named), class codes and item qualifications carry their names ("14 ClassContained")
// and a variable's type opens with its name and size ("Unsigned 2"); the JSON the
// tools read keeps the bare codes.
Json ObjectJson(const CDDObject& object, const std::string& language, bool named = false);

// A menu item qualification's code and name: "1 ReadOnly".
std::string QualificationText(int code);

// The information object's answers.
Json InformationJson(IDeviceInformation& information);

// The registry's keys and values.
Json RegistryJson(const ddlib::RegistryKeys& registry);

}  // namespace dtmtool
