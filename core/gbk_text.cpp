#include "core/gbk_text.h"

#include <array>

namespace gbk {
namespace {

// One run of double-byte letters: lower case from lowerFirst, upper case from upperFirst,
// count characters long, all sharing one lead byte.
struct CaseRun {
  unsigned char lead;
  unsigned char upperFirst;
  unsigned char lowerFirst;
  unsigned char count;
};

// Full-width Latin, Roman numerals, Greek and Cyrillic rows of GB2312 as GBK carries them.
constexpr std::array<CaseRun, 4> kCaseRuns{{
    {0xA3, 0xC1, 0xE1, 26},  // Ａ-Ｚ / ａ-ｚ
    {0xA2, 0xF1, 0xA1, 10},  // Ⅰ-Ⅹ / ⅰ-ⅹ (Ⅺ, Ⅻ have no small form in the code page)
    {0xA6, 0xA1, 0xC1, 24},  // Α-Ω / α-ω
    {0xA7, 0xA1, 0xD1, 33},  // А-Я / а-я
}};

enum class Fold { Upper, Lower };

void FoldPair(unsigned char lead, unsigned char& trail, Fold fold) {
  for (const CaseRun& run : kCaseRuns) {
    if (run.lead != lead) continue;
    const unsigned from = fold == Fold::Upper ? run.lowerFirst : run.upperFirst;
    const unsigned to = fold == Fold::Upper ? run.upperFirst : run.lowerFirst;
    if (trail >= from && trail < from + run.count) {
      trail = static_cast<unsigned char>(to + (trail - from));
      return;
    }
  }
}

std::string FoldCase(std::string_view text, Fold fold) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t len = CharLength(out, i);
    auto* bytes = reinterpret_cast<unsigned char*>(out.data());
    if (len == 2) {
      FoldPair(bytes[i], bytes[i + 1], fold);
    } else if (fold == Fold::Upper && bytes[i] >= 'a' && bytes[i] <= 'z') {
      bytes[i] = static_cast<unsigned char>(bytes[i] - 'a' + 'A');
    } else if (fold == Fold::Lower && bytes[i] >= 'A' && bytes[i] <= 'Z') {
      bytes[i] = static_cast<unsigned char>(bytes[i] - 'A' + 'a');
    }
    i += len;
  }
  return out;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

}  // namespace

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

std::size_t CharLength(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
    return 2;
  }
  return 1;
}

std::size_t FindFirst(std::string_view text, char c, std::size_t from) {
  // Walk from the start even when from > 0, so that from can never land on a trail byte.
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (i >= from && text[i] == c) return i;
  }
  return std::string_view::npos;
}

std::size_t FindLast(std::string_view text, char c) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (text[i] == c) found = i;
  }
  return found;
}

std::string ReplaceAll(std::string_view text, char pattern, std::string_view replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = CharLength(text, i);
    if (len == 1 && text[i] == pattern) {
      out.append(replacement);
    } else {
      out.append(text.substr(i, len));
    }
    i += len;
  }
  return out;
}

std::string_view TrimView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  // A trail byte is never <= 0x20, so trimming from the right cannot split a character.
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string ToUpper(std::string_view text) { return FoldCase(text, Fold::Upper); }

std::string ToLower(std::string_view text) { return FoldCase(text, Fold::Lower); }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ToUpper(a) == ToUpper(b);
}

}  // namespace gbk
