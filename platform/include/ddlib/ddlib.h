// Everything of the host's object library and interfaces.
#pragma once
#include "ddlib/definition.h"
#include "ddlib/enums.h"
#include "ddlib/host.h"
#include "ddlib/journal.h"
#include "ddlib/objects.h"
#include "ddlib/plugin_api.h"
#include "ddlib/registry.h"
#include "ddlib/text.h"
#include "ddlib/variant.h"
