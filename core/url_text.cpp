#include "core/url_text.h"

#include "core/gbk_text.h"

namespace url_text {
namespace {

bool NeedsEscape(unsigned char c) { return c <= 0x20 || c == 0x7F || c == '#' || c >= 0x80; }

std::string ForwardSlashes(std::string_view text) { return gbk::ReplaceAll(text, '\\', "/"); }

}  // namespace

std::string ManifestUrl(std::string_view serverUrl, std::string_view manifestName) {
  std::string built(serverUrl);
  built += '\\';
  built += manifestName;
  return ForwardSlashes(built);
}

std::string FileUrl(std::string_view serverUrl, std::string_view name) {
  std::string built(serverUrl);
  built += "//";
  built += gbk::ReplaceAll(name, '/', "//");
  return ForwardSlashes(built);
}

std::string RequestUrl(std::string_view url) { return PercentEncode(ForwardSlashes(url)); }

std::string PercentEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (NeedsEscape(byte)) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace url_text
