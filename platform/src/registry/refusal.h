// How a refusal travels inside the file registry: thrown, then answered as false with
// its reason kept for lastMessage.
#pragma once
#include <cstring>
#include <string>
#include <utility>

namespace ddlib::registry {

// Refusals that more than one step makes.
inline constexpr const char* kCannotRead = "cannot read the registry file";
inline constexpr const char* kOwnerNotKept = "the registry file's owner and group could not be kept";

struct Refusal {
  std::string why;
};

[[noreturn]] inline void Refuse(std::string why) { throw Refusal{std::move(why)}; }

// WHAT, followed by the system's word for ERROR.
[[noreturn]] inline void Refuse(const std::string& what, int error) {
  Refuse(what + " (" + std::strerror(error) + ")");
}

}  // namespace ddlib::registry
