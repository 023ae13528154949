#include "json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "dtmhost/host.h"

namespace dtmtool {

Json Json::Bool(bool value) {
  Json j;
  j.m_type = Type::Bool;
  j.m_scalar = value ? "true" : "false";
  return j;
}

Json Json::Number(long long value) {
  Json j;
  j.m_type = Type::Number;
  j.m_scalar = std::to_string(value);
  return j;
}

Json Json::Number(double value) {
  if (!std::isfinite(value)) return Json();
  char buf[64];
  auto result = std::to_chars(buf, buf + sizeof buf, value);  // shortest text that reads back exactly
  Json j;
  j.m_type = Type::Number;
  j.m_scalar.assign(buf, result.ptr);
  return j;
}

Json Json::String(std::string latin1) {
  Json j;
  j.m_type = Type::String;
  j.m_scalar = std::move(latin1);
  return j;
}

Json Json::Bytes(std::string text) {
  Json j = String(std::move(text));
  j.m_utf8 = dtmhost::IsUtf8(j.m_scalar);
  return j;
}

Json Json::Word(std::string latin1) {
  Json j = String(std::move(latin1));
  j.m_word = true;
  return j;
}

Json Json::Array() {
  Json j;
  j.m_type = Type::Array;
  return j;
}

Json Json::Object() {
  Json j;
  j.m_type = Type::Object;
  return j;
}

Json& Json::push(Json value) {
  m_items.push_back(std::move(value));
  return *this;
}

Json& Json::set(std::string key, Json value) {
  m_members.emplace_back(std::move(key), std::move(value));
  return *this;
}

const Json* Json::find(const std::string& key) const {
  for (const auto& [k, v] : m_members)
    if (k == key) return &v;
  return nullptr;
}

std::string Quote(const std::string& latin1, bool utf8) {
  std::string out = "\"";
  for (char ch : utf8 ? latin1 : dtmhost::Utf8(latin1)) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

namespace {

std::string ScalarText(const Json& j) {
  if (j.type() == Json::Type::String) return Quote(j.scalar(), j.isUtf8());
  if (j.isNull()) return "null";
  return j.scalar();
}

bool IsTypedValue(const Json& j) {
  return j.type() == Json::Type::Object && j.members().size() == 2 && j.find("kind") && j.find("value");
}

bool IsInline(const Json& j) { return j.isScalar() || IsTypedValue(j); }

std::string InlineText(const Json& j) {
  if (j.isWord()) return dtmhost::Utf8(j.scalar());
  if (!IsTypedValue(j)) return ScalarText(j);
  return ScalarText(*j.find("value")) + " (" + j.find("kind")->scalar() + ")";
}

bool Omitted(const Json& j) {
  return j.isNull() || (j.type() == Json::Type::Array && j.items().empty());
}

// An object whose members are all inline, on one line: "a: 1, b: "x"".
bool IsFlat(const Json& j) {
  if (j.type() != Json::Type::Object) return false;
  for (const auto& [k, v] : j.members())
    if (!IsInline(v)) return false;
  return true;
}

std::string FlatText(const Json& j) {
  std::string out;
  for (const auto& [k, v] : j.members()) {
    if (v.isNull()) continue;
    if (!out.empty()) out += ", ";
    out += k + ": " + InlineText(v);
  }
  return out;
}

// The line an object opens with: its first member under the empty key, if any.
const Json* Heading(const Json& object) {
  const auto& members = object.members();
  return !members.empty() && members.front().first.empty() && IsInline(members.front().second)
             ? &members.front().second
             : nullptr;
}

}  // namespace

void Json::write(std::string& out, int indent) const {
  std::string pad(indent + 2, ' ');
  if (m_type == Type::Array) {
    if (m_items.empty()) {
      out += "[]";
      return;
    }
    out += "[\n";
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      out += pad;
      m_items[i].write(out, indent + 2);
      out += i + 1 < m_items.size() ? ",\n" : "\n";
    }
    out += std::string(indent, ' ') + "]";
  } else if (m_type == Type::Object) {
    if (m_members.empty()) {
      out += "{}";
      return;
    }
    out += "{\n";
    for (std::size_t i = 0; i < m_members.size(); ++i) {
      out += pad + Quote(m_members[i].first) + ": ";
      m_members[i].second.write(out, indent + 2);
      out += i + 1 < m_members.size() ? ",\n" : "\n";
    }
    out += std::string(indent, ' ') + "}";
  } else {
    out += ScalarText(*this);
  }
}

std::string Json::dump() const {
  std::string out;
  write(out, 0);
  return out + "\n";
}

std::string Readable(const Json& object, int indent) {
  std::string out, pad(indent, ' ');
  for (const auto& [key, value] : object.members()) {
    if (Omitted(value) || (key.empty() && &value == Heading(object))) continue;
    if (IsInline(value)) {
      out += pad + key + ": " + InlineText(value) + "\n";
    } else if (value.type() == Json::Type::Object) {
      const Json* heading = Heading(value);
      out += pad + key + ":";
      if (heading) (out += ' ') += InlineText(*heading);
      (out += '\n') += Readable(value, indent + 2);
    } else {
      bool allInline = true;
      for (const Json& item : value.items()) allInline = allInline && IsInline(item);
      if (allInline) {
        std::string line;
        for (const Json& item : value.items()) line += (line.empty() ? "" : ", ") + InlineText(item);
        out += pad + key + ": " + line + "\n";
        continue;
      }
      out += pad + key + ":\n";
      for (const Json& item : value.items()) {
        if (IsFlat(item))
          out += pad + "  - " + FlatText(item) + "\n";
        else if (item.type() == Json::Type::Object)
          out += pad + "  -\n" + Readable(item, indent + 4);
        else
          out += pad + "  - " + InlineText(item) + "\n";
      }
    }
  }
  return out;
}

}  // namespace dtmtool
