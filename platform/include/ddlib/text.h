// CStrPP: the library's byte string. Texts are single-byte Latin-1 and kept byte-exact.
#pragma once
#include <string>
#include <string_view>

class CStrPP {
 public:
  CStrPP() = default;
  CStrPP(const char* text) : m_text(text ? text : "") {}  // NOLINT: implicit like the host's
  explicit CStrPP(std::string_view text) : m_text(text) {}
  explicit CStrPP(std::string text) : m_text(std::move(text)) {}
  CStrPP& operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
  }
  virtual ~CStrPP();

  const char* c_str() const { return m_text.c_str(); }
  const std::string& str() const { return m_text; }
  std::size_t length() const { return m_text.size(); }
  bool empty() const { return m_text.empty(); }
  friend bool operator==(const CStrPP& a, const CStrPP& b) { return a.m_text == b.m_text; }

 private:
  std::string m_text;
};
