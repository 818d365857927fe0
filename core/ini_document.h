// The text of an INI file held as its lines, with the lookup and update rules of the Windows
// private-profile functions: section and key names match without regard to case; the first
// section of a name and the first key of a name win; a value is the text after the first "=",
// trimmed, with one pair of enclosing quotes removed, at most kMaxValueBytes bytes. Lines that
// are not touched by an update (comments, unknown lines, line ends) come out byte for byte.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniDocument {
 public:
  static constexpr std::size_t kMaxValueBytes = 2047;

  IniDocument() = default;
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  // A section counts only when it holds at least one key.
  bool SectionExists(std::string_view section) const;
  // The names of the section's keys, in file order, as the file spells them.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // The value, or nothing when the key (or its section) is absent.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Replaces the key's value in place, or appends the key to its section, or appends the
  // section to the text. False (and nothing changed) for a name or value that cannot stand in
  // an INI line: a line break, a NUL, "=" in a key, "]" in a section, an empty name.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n" or "" for a last line without one
  };

  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::string NewLineEnd() const;

  // Where the first header of each section and the first line of each key stand, by their
  // folded names, so that a lookup does not scan the text (a manifest may list thousands of
  // keys). Built on the first lookup after a change.
  struct Index {
    std::unordered_map<std::string, std::size_t> sections;
    std::unordered_map<std::string, std::size_t> keys;  // folded section, '\n', folded key
  };
  const Index& GetIndex() const;

  std::vector<Line> lines_;
  mutable std::optional<Index> index_;
};
