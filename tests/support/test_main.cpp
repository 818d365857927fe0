// Test entry for both builds. Under Wine the C runtime's text mode turns "\n" into "\r\n";
// binary mode keeps the test list clean for ctest's discovery.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
