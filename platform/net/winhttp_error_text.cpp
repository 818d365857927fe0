#include "platform/net/winhttp_error_text.h"

#include <winhttp.h>

namespace {

const char* KnownText(DWORD code) {
  switch (code) {
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT:  // what Wine reports for a receive that timed out
      return "timed out";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
      return "host name not resolved";
    case ERROR_WINHTTP_CANNOT_CONNECT:
      return "cannot connect";
    case ERROR_WINHTTP_CONNECTION_ERROR:
      return "connection reset or closed";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
      return "invalid server response";
    case ERROR_WINHTTP_OPERATION_CANCELLED:
      return "cancelled";
    case ERROR_WINHTTP_INVALID_URL:
      return "invalid URL";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
      return "unrecognised scheme";
    case ERROR_WINHTTP_REDIRECT_FAILED:
      return "redirect failed";
    case ERROR_WINHTTP_HEADER_NOT_FOUND:
      return "header not found";
    case ERROR_INVALID_HANDLE:
      return "invalid handle";
    case ERROR_NOT_ENOUGH_MEMORY:
      return "not enough memory";
    default:
      return nullptr;
  }
}

}  // namespace

std::string WinHttpErrorText(DWORD code) {
  const char* known = KnownText(code);
  return std::string(known ? known : "error") + " (" + std::to_string(code) + ")";
}

bool IsTimeoutError(DWORD code) { return code == ERROR_WINHTTP_TIMEOUT || code == WSAETIMEDOUT; }
