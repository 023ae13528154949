// How a refusal travels inside the file registry: thrown, then answered as false with
// its reason kept for lastMessage.
#pragma once
#include <cstring>
#include <string>
#include <utility>

namespace ddlib::registry {

struct Refusal {
  std::string why;
};

[[noreturn]] inline void Refuse(std::string why) { throw Refusal{std::move(why)}; }

// WHAT, followed by the system's word for ERROR.
[[noreturn]] inline void Refuse(const std::string& what, int error) {
  Refuse(what + " (" + std::strerror(error) + ")");
}

}  // namespace ddlib::registry
