// The one WinHTTP session of an HTTP client: no proxy, our User-Agent, cookies kept for its
// life. Connections are kept per host and port, so WinHTTP reuses a kept-alive socket for the
// next request to the same server. Workers still running hold a reference, so the handles
// outlive an abandoned request.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/net/winhttp_handle.h"

class WinHttpSession {
 public:
  static std::shared_ptr<WinHttpSession> Open(std::string& error);

  // A connection handle owned by the session; null with error set on failure. Call it from
  // the thread that owns the client only.
  HINTERNET ConnectionTo(const std::string& host, unsigned port, std::string& error);

 private:
  WinHttpHandle session_;  // declared first: closed after the connections
  std::map<std::string, WinHttpHandle> connections_;
};

// Our URLs are ASCII once encoded; WinHTTP wants UTF-16.
std::wstring WidenAscii(std::string_view text);
