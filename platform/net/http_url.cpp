#include "platform/net/http_url.h"

#include <algorithm>
#include <utility>

#include "core/gbk_text.h"
#include "core/url_text.h"

namespace {

constexpr std::string_view kScheme = "http://";

bool IsHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_';
}

bool ParsePort(std::string_view digits, unsigned& port) {
  if (digits.empty() || digits.size() > 5) return false;
  unsigned value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) return false;
  port = value;
  return true;
}

}  // namespace

std::string EncodeRequestPath(std::string_view path) { return url_text::PercentEncode(path); }

bool ParseHttpUrl(std::string_view url, HttpUrl& parsed, std::string& error) {
  const std::string text = gbk::ReplaceAll(url, '\\', "/");
  if (text.size() < kScheme.size() ||
      !gbk::EqualsNoCase(std::string_view(text).substr(0, kScheme.size()), kScheme)) {
    error = "not an http:// URL: " + std::string(url);
    return false;
  }
  const std::string_view rest = std::string_view(text).substr(kScheme.size());
  const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
  const std::string_view authority = rest.substr(0, authorityEnd);
  const std::size_t colon = authority.find(':');
  const std::string_view host = authority.substr(0, colon);

  HttpUrl result;
  if (host.empty()) {
    error = "no host in URL: " + std::string(url);
    return false;
  }
  for (char c : host) {
    if (!IsHostChar(c)) {
      error = "unsupported host in URL: " + std::string(url);
      return false;
    }
  }
  result.host = std::string(host);
  if (colon != std::string_view::npos && !ParsePort(authority.substr(colon + 1), result.port)) {
    error = "bad port in URL: " + std::string(url);
    return false;
  }
  const std::string_view path = rest.substr(authorityEnd);
  if (path.empty() || path.front() != '/') result.path.push_back('/');
  result.path += EncodeRequestPath(path);
  parsed = std::move(result);
  return true;
}
