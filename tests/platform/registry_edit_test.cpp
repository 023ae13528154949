// The registry's edit and text form alone, in memory: what an edit does to the keys and
// answers, the real registry's bounds counted in characters, and the file's form.
#include <gtest/gtest.h>

#include "ddlib/registry.h"
#include "registry/edit.h"
#include "registry/refusal.h"

namespace {

using ddlib::RegistryEdit;
using ddlib::RegistryKeys;

// What the edit answers: whether it changed the keys, or why it was refused.
std::string Applied(RegistryKeys& keys, const RegistryEdit& edit) {
  try {
    return ddlib::registry::Edit(keys, edit) ? "changed" : "unchanged";
  } catch (const ddlib::registry::Refusal& refusal) {
    return refusal.why;
  }
}

std::string Repeated(const std::string& text, std::size_t times) {
  std::string out;
  while (times-- > 0) out += text;
  return out;
}

// A path is taken without empty names. An edit answers for the keys as a whole: a key
// made and deleted again within it, a value set to what it was and a missing key deleted
// if present leave them as they were.
TEST(RegistryEdit, PathsLoseEmptyNamesAndAnEditSaysWhetherItChangedTheKeys) {
  RegistryKeys keys;
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey("\\\\A\\\\B\\").setNumber("A\\B\\", "n", 1)), "changed");
  EXPECT_EQ(keys, (RegistryKeys{{"A", {}}, {"A\\B", {{"n", 1u}}}}));
  EXPECT_EQ(Applied(keys, RegistryEdit().setNumber("A\\B", "n", 1).deleteKeyIfPresent("C")), "unchanged");
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey("A\\C").deleteKey("A\\C")), "unchanged");
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey("\\")), "a key needs a name");
}

// As the real registry counts: a UTF-8 character is one character (two past U+FFFF, as
// in UTF-16), and so is a byte that is no part of one (Latin-1); a trailing backslash
// adds no level.
TEST(RegistryEdit, TheBoundsCountCharactersAndLevels) {
  using ddlib::registry::kKeyDepthLimit;
  const std::string name = Repeated("\xC3\xA9", 100) + Repeated("\xE2\x82\xAC", 100) + Repeated("\xFC", 55);  // 255
  std::string deep = "K";
  for (std::size_t level = 1; level < kKeyDepthLimit; ++level) deep += "\\K";
  RegistryKeys keys;
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey("K\\" + name)), "changed");
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey("K\\" + name + "\xC3\xA9")), "a key name is longer than 255 characters");
  const std::string wide = Repeated("\xF0\x9F\x98\x80", 127);  // 254 units
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey("K\\" + wide + "a")), "changed");
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey("K\\" + wide + "\xF0\x9F\x98\x80")),
            "a key name is longer than 255 characters");
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey(deep + "\\")), "changed");
  EXPECT_EQ(Applied(keys, RegistryEdit().createKey(deep + "\\K")), "a key is deeper than 512 levels");
  EXPECT_EQ(Applied(keys, RegistryEdit().setNumber("K", Repeated("\xC3\xA9", 16383), 1)), "changed");
  EXPECT_EQ(Applied(keys, RegistryEdit().setNumber("K", Repeated("\xC3\xA9", 16384), 1)),
            "a value name is longer than 16383 characters");
}

// The file's form, byte for byte: a "[key]" line, then its "name=s:text" and
// "name=n:number" lines; a backslash, line feed, carriage return and '=' are escaped, and
// so is a leading '['. Blank lines are passed over; anything else is no such file.
TEST(RegistryFormat, KeyLinesAreFollowedByTheirValueLines) {
  const RegistryKeys keys{{"A", {}}, {"[B\\=", {{"n", 7u}, {"[x=\n", std::string("a\\b\r")}}}};
  const std::string text = "[A]\n[\\[B\\\\\\e]\n\\[x\\e\\n=s:a\\\\b\\r\nn=n:7\n";
  EXPECT_EQ(ddlib::FormatRegistryFile(keys), text);
  EXPECT_EQ(ddlib::ParseRegistryFile(text), keys);
  EXPECT_EQ(ddlib::ParseRegistryFile("\n[A]\n\nv=n:4294967295"), (RegistryKeys{{"A", {{"v", 4294967295u}}}}));
  for (const char* bad : {"v=s:x\n", "[K]\nv=x:1\n", "[K]\nv=n:-1\n", "[K]\nv=n:4294967296\n", "[K]\nv=n:\n", "[K]\nv\n",
                          "[K]\nv=s\n"})
    EXPECT_FALSE(ddlib::ParseRegistryFile(bad)) << bad;
}

}  // namespace
