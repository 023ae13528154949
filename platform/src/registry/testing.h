// For the registry's tests: a look into a change while it is made.
#pragma once
#include <functional>

namespace ddlib {

enum class RegistryCopyStage { Created, Flushed };
// Called with the temporary copy's descriptor once it is created and once it is
// written and flushed; an empty function (the default) for none.
void SetRegistryCopyHook(std::function<void(RegistryCopyStage, int fd)> hook);

}  // namespace ddlib
