// The test HTTP server (tools/http_test_server.py) run from a Windows test under Wine: started
// as a Linux process on a free port of 127.0.0.1, serving a folder of the test, told how to
// misbehave, asked what it received, and stopped again. A connection held open to it (its
// lifeline) ends it even when the test dies without stopping it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

struct RecordedRequest {
  int connection = 0;  // requests on the same TCP connection share the number
  std::string version;
  std::string method;
  std::string target;  // raw, exactly as received
  std::vector<std::string> headers;  // "Name: value", in order

  // Every value of the named header (name compared without case).
  std::vector<std::string> HeaderValues(const std::string& name) const;
};

class HttpTestServer {
 public:
  // Serves the folder at root (a Windows path); throws std::runtime_error when it cannot start.
  explicit HttpTestServer(const std::string& root);
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by rawPath.
  std::string Url(const std::string& rawPath = "") const;

  // One behaviour in the server's rule format, e.g. "path /a\nstatus 404\n".
  void AddRule(const std::string& rule);
  std::vector<RecordedRequest> Requests();
  void Reset();

 private:
  std::string Control(const std::string& method, const std::string& command,
                      const std::string& body = "");

  TempFolder scratch_;  // port file and the server's own error log
  int port_ = 0;
  std::uintptr_t lifeline_;  // a SOCKET
};

// The Linux path of a Windows path, as Wine maps it.
std::string UnixPathOf(const std::string& windowsPath);
