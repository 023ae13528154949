// A small JSON tree for what dtmhost prints. Texts in it are Latin-1, as the plug-in
// gives them; they become UTF-8 when the tree is written.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace dtmtool {

class Json {
 public:
  enum class Type { Null, Bool, Number, String, Array, Object };

  Json() = default;  // null
  static Json Bool(bool value);
  static Json Number(long long value);
  static Json Number(double value);  // null when not finite
  static Json String(std::string latin1);
  // A text of no known encoding (a file's name, a registry value): shown as it is where
  // it is UTF-8, otherwise read as Latin-1.
  static Json Bytes(std::string text);
  // A name for a person to read ("14 ClassContained"): a string in JSON, shown without
  // quotes by Readable.
  static Json Word(std::string latin1);
  static Json Array();
  static Json Object();
  // Null when the value is missing.
  template <typename Optional, typename Make>
  static Json From(const Optional& value, Make make) {
    return value ? make(*value) : Json();
  }

  Json& push(Json value);                    // arrays
  Json& set(std::string key, Json value);    // objects, in call order

  Type type() const { return m_type; }
  bool isNull() const { return m_type == Type::Null; }
  bool isScalar() const { return m_type != Type::Array && m_type != Type::Object; }
  const std::string& scalar() const { return m_scalar; }  // number text, or the Latin-1 text
  bool isWord() const { return m_word; }
  bool isUtf8() const { return m_utf8; }
  const std::vector<Json>& items() const { return m_items; }
  const std::vector<std::pair<std::string, Json>>& members() const { return m_members; }
  const Json* find(const std::string& key) const;

  // Indented JSON, UTF-8.
  std::string dump() const;

 private:
  void write(std::string& out, int indent) const;

  Type m_type = Type::Null;
  bool m_word = false;
  bool m_utf8 = false;  // the text is UTF-8 already
  std::string m_scalar;
  std::vector<Json> m_items;
  std::vector<std::pair<std::string, Json>> m_members;
};

// A JSON string literal of a Latin-1 text (or one in UTF-8 already), in UTF-8.
std::string Quote(const std::string& latin1, bool utf8 = false);

// The tree as indented readable text ("key: value" lines), UTF-8; nulls and empty
// lists are left out, a typed value {kind, value} reads "value (kind)", and an object
// whose first member has the empty key shows that member on its own key's line.
std::string Readable(const Json& object, int indent);

}  // namespace dtmtool
