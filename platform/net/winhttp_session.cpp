#include "platform/net/winhttp_session.h"

#include "platform/net/winhttp_error_text.h"

namespace {

constexpr wchar_t kUserAgent[] = L"Mozilla/3.0 (compatible; Indy Library)";

}  // namespace

std::wstring WidenAscii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::shared_ptr<WinHttpSession> WinHttpSession::Open(std::string& error) {
  auto session = std::make_shared<WinHttpSession>();
  session->session_ = WinHttpHandle(WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_NO_PROXY,
                                                WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session->session_) {
    error = "cannot open an HTTP session: " + WinHttpErrorText(GetLastError());
    return nullptr;
  }
  return session;
}

HINTERNET WinHttpSession::ConnectionTo(const std::string& host, unsigned port, std::string& error) {
  const std::string key = host + ":" + std::to_string(port);
  auto found = connections_.find(key);
  if (found != connections_.end()) return found->second.Get();
  WinHttpHandle connection(WinHttpConnect(session_.Get(), WidenAscii(host).c_str(),
                                          static_cast<INTERNET_PORT>(port), 0));
  if (!connection) {
    error = "cannot set up a connection to " + key + ": " + WinHttpErrorText(GetLastError());
    return nullptr;
  }
  return connections_.emplace(key, std::move(connection)).first->second.Get();
}
