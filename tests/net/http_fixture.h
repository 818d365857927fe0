// A served folder, a download folder, the test server on the first and a client, per test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/net/http_client.h"
#include "tests/support/http_test_server.h"
#include "tests/support/temp_folder.h"

class HttpFixture : public ::testing::Test {
 protected:
  // relative uses "/" between folders; missing folders are created.
  void Serve(const std::string& relative, const std::string& bytes);
  std::vector<std::string> RequestTargets();
  // Every file name in the download folder, sorted.
  std::vector<std::string> LocalFiles() const;

  TempFolder served_;
  TempFolder local_;
  HttpTestServer server_{served_.Path()};
  HttpClient client_;
};

// A pseudo-random pattern: a chunk lost, doubled or out of place changes it.
std::string PatternBytes(std::size_t size, unsigned seed = 1);

// Equal bytes; on a difference it tells the sizes and the first differing offset instead of
// printing megabytes.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);

double SecondsSince(std::chrono::steady_clock::time_point start);
