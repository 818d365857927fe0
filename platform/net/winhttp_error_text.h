// Readable text for the error codes WinHTTP calls leave in GetLastError.
#pragma once

#include <windows.h>

#include <string>

std::string WinHttpErrorText(DWORD code);

bool IsTimeoutError(DWORD code);
