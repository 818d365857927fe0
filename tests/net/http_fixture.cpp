#include "tests/net/http_fixture.h"

#include <algorithm>

#include "core/gbk_text.h"

void HttpFixture::Serve(const std::string& relative, const std::string& bytes) {
  const std::string path = gbk::ReplaceAll(relative, '/', "\\");
  for (std::size_t slash = gbk::FindFirst(path, '\\'); slash != std::string::npos;
       slash = gbk::FindFirst(path, '\\', slash + 1)) {
    CreateDirectoryA(served_.File(path.substr(0, slash)).c_str(), nullptr);
  }
  WriteFileBytes(served_.File(path), bytes);
}

std::vector<std::string> HttpFixture::RequestTargets() {
  std::vector<std::string> targets;
  for (const RecordedRequest& request : server_.Requests()) {
    targets.push_back(request.method + " " + request.target);
  }
  return targets;
}

std::vector<std::string> HttpFixture::LocalFiles() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(local_.File("*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string PatternBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed * 2654435761u + 1;
  for (char& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                       << ", first difference at offset " << at;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
