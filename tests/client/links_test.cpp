// The vendor and product-site links open their addresses through the shell.
#include <gtest/gtest.h>

#include "core/os_file.h"
#include "tests/client/client_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using LinksTest = ClientTest;

bool WaitForFile(const std::string& path, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    if (os_file::FileExists(path)) return true;
    PumpMessages(50);
  }
  return os_file::FileExists(path);
}

TEST_F(LinksTest, LinksOpenTheirDocuments) {
  TempFolder folder;
  // A batch file as the "document": opening it runs it, and it leaves a mark.
  const std::string vendorMark = folder.File("vendor.txt");
  const std::string siteMark = folder.File("site.txt");
  WriteFileBytes(folder.File("vendor.bat"), "@echo opened> \"" + vendorMark + "\"\r\n");
  WriteFileBytes(folder.File("site.bat"), "@echo opened> \"" + siteMark + "\"\r\n");
  WriteIni("[Common]\r\nVendorName=V\r\nVendorURL=" + folder.File("vendor.bat") +
           "\r\nSoftSite=S\r\nSoftSiteURL=" + folder.File("site.bat") + "\r\n");
  auto form = StartClient();
  form->txtSoftSite.Click();
  EXPECT_TRUE(WaitForFile(siteMark, 15000));
  EXPECT_FALSE(os_file::FileExists(vendorMark));
  form->txtVendor.Click();
  EXPECT_TRUE(WaitForFile(vendorMark, 15000));
}

}  // namespace
