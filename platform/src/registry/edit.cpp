#include "edit.h"

#include "refusal.h"

namespace ddlib {

RegistryEdit& RegistryEdit::createKey(const std::string& path) {
  m_steps.push_back({Kind::CreateKey, path, {}, {}});
  return *this;
}

RegistryEdit& RegistryEdit::setString(const std::string& key, const std::string& name, const std::string& value) {
  m_steps.push_back({Kind::SetValue, key, name, value});
  return *this;
}

RegistryEdit& RegistryEdit::setNumber(const std::string& key, const std::string& name, std::uint32_t value) {
  m_steps.push_back({Kind::SetValue, key, name, value});
  return *this;
}

RegistryEdit& RegistryEdit::deleteKey(const std::string& path) {
  m_steps.push_back({Kind::DeleteKey, path, {}, {}});
  return *this;
}

RegistryEdit& RegistryEdit::deleteKeyIfPresent(const std::string& path) {
  m_steps.push_back({Kind::DeleteKeyIfPresent, path, {}, {}});
  return *this;
}

namespace registry {
namespace {

// The bytes of the character at S[I]: a well-formed UTF-8 sequence, or any other byte
// alone (a Latin-1 text's), so that every byte is counted somewhere.
std::size_t CharacterAt(const std::string& s, std::size_t i) {
  auto byte = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
  auto within = [&](std::size_t k, unsigned low, unsigned high) { return byte(k) >= low && byte(k) <= high; };
  const unsigned lead = byte(i);
  std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 1;
  // The second byte's range excludes overlong forms, surrogates and values past U+10FFFF.
  const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (length > 1 && !within(i + 1, low, high)) return 1;
  for (std::size_t k = 2; k < length; ++k)
    if (!within(i + k, 0x80, 0xBF)) return 1;
  return length;
}

// What the real registry counts for a character of that many bytes: its UTF-16 units,
// so a character past U+FFFF (four bytes) counts as two.
std::size_t Units(std::size_t bytes) { return bytes == 4 ? 2 : 1; }

// Checked before anything is built, and stopped at the first name past a bound, so that
// a key of any length costs no more than the bound's worth.
void CheckLimits(const RegistryEdit::Step& step) {
  std::size_t depth = 0, name = 0;
  for (std::size_t i = 0, bytes = 0; i < step.key.size(); i += bytes) {
    bytes = CharacterAt(step.key, i);
    if (step.key[i] == '\\') {
      name = 0;  // a level starts with its name's first character, so a trailing backslash adds none
      continue;
    }
    if (name == 0 && ++depth > kKeyDepthLimit)
      Refuse("a key is deeper than " + std::to_string(kKeyDepthLimit) + " levels");
    name += Units(bytes);
    if (name > kKeyNameLimit) Refuse("a key name is longer than " + std::to_string(kKeyNameLimit) + " characters");
  }
  std::size_t characters = 0;
  for (std::size_t i = 0, bytes = 0; i < step.name.size(); i += bytes) {
    bytes = CharacterAt(step.name, i);
    characters += Units(bytes);
    if (characters > kValueNameLimit)
      Refuse("a value name is longer than " + std::to_string(kValueNameLimit) + " characters");
  }
}

void ApplyStep(RegistryKeys& keys, const RegistryEdit::Step& step) {
  const std::string p = Normalise(step.key);
  if (p.empty()) Refuse("a key needs a name");
  auto found = keys.find(p);
  // Values go into existing keys only, and only an existing key is deleted.
  auto mustExist = [&] {
    if (found == keys.end()) Refuse("there is no key " + p);
  };
  switch (step.kind) {
    case RegistryEdit::Kind::CreateKey:
      for (std::size_t pos = 0; pos != std::string::npos;) {
        pos = p.find('\\', pos + 1);
        keys[p.substr(0, pos)];
      }
      return;
    case RegistryEdit::Kind::SetValue:
      mustExist();
      found->second[step.name] = step.value;
      return;
    case RegistryEdit::Kind::DeleteKey:
    case RegistryEdit::Kind::DeleteKeyIfPresent:
      if (found == keys.end() && step.kind == RegistryEdit::Kind::DeleteKeyIfPresent) return;
      mustExist();
      if (auto sub = keys.lower_bound(p + "\\"); sub != keys.end() && sub->first.rfind(p + "\\", 0) == 0)
        Refuse("the key " + p + " has subkeys, so it is not deleted");
      keys.erase(found);
      return;
  }
}

}  // namespace

std::string Normalise(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

bool Edit(RegistryKeys& keys, const RegistryEdit& edit) {
  for (const RegistryEdit::Step& step : edit.steps()) CheckLimits(step);
  const RegistryKeys before = keys;
  for (const RegistryEdit::Step& step : edit.steps()) ApplyStep(keys, step);
  return keys != before;
}

}  // namespace registry
}  // namespace ddlib
