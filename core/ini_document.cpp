#include "core/ini_document.h"

#include "core/gbk_text.h"

#include <initializer_list>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct KeyLine {
  std::string_view key;
  std::string_view rawValue;
};

// "[name]" with blanks allowed around and inside the brackets; the last "]" closes it.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = gbk::TrimView(line);
  if (line.starts_with(kUtf8Bom)) line = gbk::TrimView(line.substr(kUtf8Bom.size()));
  if (!line.starts_with('[')) return std::nullopt;
  const std::size_t close = gbk::FindLast(line, ']');
  if (close == std::string_view::npos) return std::nullopt;
  return gbk::TrimView(line.substr(1, close - 1));
}

// "key = value"; comment lines (";" first) and lines without "=" or a key are not keys.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = gbk::TrimView(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  const std::size_t equals = gbk::FindFirst(line, '=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view key = gbk::TrimView(line.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return KeyLine{key, line.substr(equals + 1)};
}

std::string CleanValue(std::string_view raw) {
  std::string_view value = gbk::TrimView(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > IniDocument::kMaxValueBytes) {
    // Cut before a double-byte character that would not fit whole.
    std::size_t end = 0;
    while (end + gbk::CharLength(value, end) <= IniDocument::kMaxValueBytes) {
      end += gbk::CharLength(value, end);
    }
    value = value.substr(0, end);
  }
  return std::string(value);
}

// Appending piece by piece also keeps GCC 12's -Wrestrict false alarm on chained
// std::string operator+ away.
std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (std::string_view piece : pieces) out.append(piece);
  return out;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    if (newline == std::string_view::npos) {
      doc.lines_.push_back({std::string(bytes), ""});
      break;
    }
    std::string_view text = bytes.substr(0, newline);
    const bool crlf = text.ends_with('\r');
    if (crlf) text.remove_suffix(1);
    doc.lines_.push_back({std::string(text), crlf ? "\r\n" : "\n"});
    bytes.remove_prefix(newline + 1);
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

const IniDocument::Index& IniDocument::GetIndex() const {
  if (index_) return *index_;
  Index index;
  std::string section;
  bool firstOfItsName = false;  // keys count only under the first header of a name
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto name = SectionName(lines_[i].text)) {
      section = gbk::FoldKey(*name);
      firstOfItsName = index.sections.emplace(section, i).second;
      continue;
    }
    if (!firstOfItsName) continue;
    if (const auto parsed = ParseKeyLine(lines_[i].text)) {
      index.keys.emplace(Concat({section, "\n", gbk::FoldKey(parsed->key)}), i);
    }
  }
  index_ = std::move(index);
  return *index_;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  const Index& index = GetIndex();
  const auto found = index.sections.find(gbk::FoldKey(section));
  if (found == index.sections.end()) return std::nullopt;
  return found->second;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !SectionName(lines_[i].text)) ++i;
  return i;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t header, std::string_view key) const {
  const Index& index = GetIndex();
  const auto section = SectionName(lines_[header].text);
  const auto found = index.keys.find(Concat({gbk::FoldKey(*section), "\n", gbk::FoldKey(key)}));
  if (found == index.keys.end()) return std::nullopt;
  return found->second;
}

bool IniDocument::SectionExists(std::string_view section) const {
  const auto header = FindSection(section);
  if (!header) return false;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (ParseKeyLine(lines_[i].text)) return true;
  }
  return false;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const auto header = FindSection(section);
  if (!header) return names;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (const auto parsed = ParseKeyLine(lines_[i].text)) names.emplace_back(parsed->key);
  }
  return names;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  const auto line = FindKey(*header, key);
  if (!line) return std::nullopt;
  return CleanValue(ParseKeyLine(lines_[*line].text)->rawValue);
}

std::string IniDocument::NewLineEnd() const {
  for (const Line& line : lines_) {
    if (!line.end.empty()) return line.end;
  }
  return "\r\n";
}

bool IniDocument::SetValue(std::string_view section, std::string_view key,
                           std::string_view value) {
  const std::string_view cleanSection = gbk::TrimView(section);
  const std::string_view cleanKey = gbk::TrimView(key);
  if (cleanSection.empty() || cleanKey.empty() || HasLineBreakOrNul(section) ||
      HasLineBreakOrNul(key) || HasLineBreakOrNul(value) ||
      gbk::FindFirst(cleanSection, ']') != std::string_view::npos ||
      gbk::FindFirst(cleanKey, '=') != std::string_view::npos || cleanKey.front() == ';' ||
      cleanKey.front() == '[') {
    return false;
  }
  const std::string eol = NewLineEnd();
  auto header = FindSection(cleanSection);
  if (!header) {
    if (!lines_.empty()) {
      if (lines_.back().end.empty()) lines_.back().end = eol;
      if (!gbk::TrimView(lines_.back().text).empty()) lines_.push_back({"", eol});
    }
    lines_.push_back({Concat({"[", cleanSection, "]"}), eol});
    lines_.push_back({Concat({cleanKey, "=", value}), eol});
    index_.reset();  // lines changed
    return true;
  }
  if (const auto line = FindKey(*header, cleanKey)) {
    // Keep the key as the file spells it.
    const std::string_view spelled = ParseKeyLine(lines_[*line].text)->key;
    lines_[*line].text = Concat({spelled, "=", value});
    index_.reset();  // lines changed
    return true;
  }
  // After the last non-blank line of the section, so blank separators stay below it.
  std::size_t insertAt = SectionEnd(*header);
  while (insertAt > *header + 1 && gbk::TrimView(lines_[insertAt - 1].text).empty()) --insertAt;
  if (lines_[insertAt - 1].end.empty()) lines_[insertAt - 1].end = eol;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                Line{Concat({cleanKey, "=", value}), eol});
  index_.reset();  // lines changed
  return true;
}
