// Texts for the host are Latin-1, the sources UTF-8: "Gerät"_latin1 is the Latin-1
// bytes of "Gerät" (0xE4 for "ä"), converted while compiling. Any compiler gives the
// same bytes, and a character that Latin-1 lacks stops the build.
//
// The result is a reference to a static const char array, like a plain literal: it
// converts to const char*, keeps its size (embedded NULs and trailing blanks
// included), and a constexpr pointer or reference may name it. In a run of adjacent
// literals one suffix, on the last piece, converts the whole run.
#pragma once
#include <cstddef>

namespace latin1 {

// A UTF-8 literal as a template argument.
template <std::size_t N>
struct Utf8 {
  char bytes[N]{};
  consteval Utf8(const char (&text)[N]) {  // NOLINT: implicit, so that a literal converts
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
};

template <std::size_t N>
struct Array {
  char text[N]{};
};

// Not constexpr: reaching it while compiling fails the build, with its name in the
// message.
inline void CharacterOutsideLatin1() {}

constexpr unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// The length of a UTF-8 sequence that encodes a Latin-1 character (U+0000..U+00FF):
// one byte below 0x80, two bytes 0xC2/0xC3 and a continuation byte.
constexpr std::size_t SequenceLength(const char* at, std::size_t left) {
  unsigned char lead = Byte(at[0]);
  if (lead < 0x80) return 1;
  if ((lead == 0xC2 || lead == 0xC3) && left >= 2 && (Byte(at[1]) & 0xC0) == 0x80) return 2;
  CharacterOutsideLatin1();
  return 0;
}

// Latin-1 characters in the UTF-8 text, the closing NUL included.
template <std::size_t N>
consteval std::size_t Length(const Utf8<N>& utf8) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < N; i += SequenceLength(utf8.bytes + i, N - i)) ++count;
  return count;
}

template <std::size_t M, std::size_t N>
consteval Array<M> Convert(const Utf8<N>& utf8) {
  Array<M> out;
  std::size_t o = 0;
  for (std::size_t i = 0; i < N;) {
    std::size_t length = SequenceLength(utf8.bytes + i, N - i);
    out.text[o++] = static_cast<char>(
        length == 1 ? Byte(utf8.bytes[i]) : ((Byte(utf8.bytes[i]) & 0x1F) << 6) | (Byte(utf8.bytes[i + 1]) & 0x3F));
    i += length;
  }
  return out;
}

template <Utf8 S>
inline constexpr Array<Length(S)> kStored = Convert<Length(S)>(S);

}  // namespace latin1

template <latin1::Utf8 S>
consteval const auto& operator""_latin1() {
  return latin1::kStored<S>.text;
}
