#include "tests/support/http_test_server.h"

#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string_view>

#include "core/gbk_text.h"
#include "core/os_file.h"

namespace {

void StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) throw std::runtime_error("WSAStartup failed");
}

SOCKET ConnectLoopback(int port) {
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) throw std::runtime_error("socket() failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    closesocket(s);
    throw std::runtime_error("cannot connect to the test server on port " + std::to_string(port));
  }
  return s;
}

void SendAll(SOCKET s, std::string_view bytes) {
  while (!bytes.empty()) {
    const int sent = send(s, bytes.data(), static_cast<int>(bytes.size()), 0);
    if (sent <= 0) throw std::runtime_error("send to the test server failed");
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

std::string ReceiveAll(SOCKET s) {
  std::string bytes;
  char buffer[16384];
  for (;;) {
    const int got = recv(s, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

std::wstring WideFromAnsi(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string AnsiFromWide(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), length, nullptr, nullptr);
  return text;
}

template <typename Function>
Function WineFunction(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
  if (!found) throw std::runtime_error(std::string("not running under Wine: no ") + name);
  return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

// Python and the script run on the Linux side: the program by its Windows path, its arguments
// as Linux paths.
std::string WindowsPathOf(const std::string& unixPath) {
  using DosName = WCHAR*(CDECL*)(const char*);
  WCHAR* dos = WineFunction<DosName>("wine_get_dos_file_name")(unixPath.c_str());
  if (!dos) throw std::runtime_error("no Windows path for " + unixPath);
  std::string path = AnsiFromWide(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return path;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

int ReadPort(const std::string& portFile) {
  std::string text;
  if (os_file::ReadAll(portFile, text) != os_file::ReadResult::Ok) return 0;
  return std::atoi(text.c_str());
}

std::string LogOf(const std::string& logFile) {
  std::string text;
  os_file::ReadAll(logFile, text);
  return text;
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
  using UnixName = char*(CDECL*)(const WCHAR*);
  char* linuxPath = WineFunction<UnixName>("wine_get_unix_file_name")(WideFromAnsi(windowsPath).c_str());
  if (!linuxPath) throw std::runtime_error("no Linux path for " + windowsPath);
  std::string path = linuxPath;
  HeapFree(GetProcessHeap(), 0, linuxPath);
  return path;
}

std::vector<std::string> RecordedRequest::HeaderValues(const std::string& name) const {
  std::vector<std::string> values;
  for (const std::string& header : headers) {
    const std::size_t colon = header.find(':');
    if (colon != std::string::npos && gbk::EqualsNoCase(header.substr(0, colon), name)) {
      values.push_back(std::string(gbk::TrimView(std::string_view(header).substr(colon + 1))));
    }
  }
  return values;
}

HttpTestServer::HttpTestServer(const std::string& root) {
  StartWinsock();
  const std::string scratch = UnixPathOf(scratch_.Path());
  const std::string portFile = scratch_.File("port");
  const std::string logFile = scratch_.File("server.log");
  std::string command = Quoted(WindowsPathOf(QUILL_PYTHON3)) + " " +
                        Quoted(std::string(QUILL_SOURCE_DIR) + "/tools/http_test_server.py") +
                        " --root " + Quoted(UnixPathOf(root)) + " --port-file " +
                        Quoted(scratch + "/port") + " --log-file " +
                        Quoted(scratch + "/server.log") + " --detach-stdio --lifeline";

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    throw std::runtime_error("cannot start " + command);
  }
  // Wine cannot wait for or end a Linux child through these handles; the lifeline does that.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while ((port_ = ReadPort(portFile)) == 0) {
    if (std::chrono::steady_clock::now() > giveUp) {
      throw std::runtime_error("the test server did not start: " + command + "\n" +
                               LogOf(logFile));
    }
    Sleep(20);
  }
  const SOCKET lifeline = ConnectLoopback(port_);
  SendAll(lifeline, "GET /__control/lifeline HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
  lifeline_ = lifeline;
}

HttpTestServer::~HttpTestServer() {
  try {
    Control("GET", "shutdown");
  } catch (const std::exception&) {
    // Closing the lifeline below ends it all the same.
  }
  closesocket(static_cast<SOCKET>(lifeline_));
}

std::string HttpTestServer::Url(const std::string& rawPath) const {
  return "http://127.0.0.1:" + std::to_string(port_) + rawPath;
}

std::string HttpTestServer::Control(const std::string& method, const std::string& command,
                                    const std::string& body) {
  const SOCKET s = ConnectLoopback(port_);
  std::string answer;
  try {
    SendAll(s, method + " /__control/" + command + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                   "Content-Length: " + std::to_string(body.size()) +
                   "\r\nConnection: close\r\n\r\n" + body);
    answer = ReceiveAll(s);
  } catch (...) {
    closesocket(s);
    throw;
  }
  closesocket(s);
  const std::size_t headEnd = answer.find("\r\n\r\n");
  if (answer.rfind("HTTP/1.1 200 ", 0) != 0 || headEnd == std::string::npos) {
    throw std::runtime_error("test server refused " + command + ": " + answer);
  }
  return answer.substr(headEnd + 4);
}

void HttpTestServer::AddRule(const std::string& rule) { Control("POST", "rule", rule); }

void HttpTestServer::Reset() { Control("GET", "reset"); }

std::vector<RecordedRequest> HttpTestServer::Requests() {
  std::vector<RecordedRequest> requests;
  const std::string log = Control("GET", "log");
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    const std::string line = log.substr(start, end - start);
    start = end + 1;
    if (line.rfind("request ", 0) == 0) {
      // request <connection> <version> <method> <target, which may hold blanks>
      RecordedRequest request;
      std::size_t at = 8;
      std::string fields[3];
      for (std::string& field : fields) {
        const std::size_t blank = line.find(' ', at);
        field = line.substr(at, blank - at);
        at = blank == std::string::npos ? line.size() : blank + 1;
      }
      request.connection = std::atoi(fields[0].c_str());
      request.version = fields[1];
      request.method = fields[2];
      request.target = line.substr(at);
      requests.push_back(std::move(request));
    } else if (line.rfind("header ", 0) == 0 && !requests.empty()) {
      requests.back().headers.push_back(line.substr(7));
    }
  }
  return requests;
}
