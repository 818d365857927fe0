// Manifest, transfers and the server page against the test HTTP server.
#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "core/os_file.h"
#include "platform/ui/application.h"
#include "tests/client/update_fixture.h"

namespace {

using TransportTest = UpdateTest;

TEST_F(TransportTest, TwoFileReleaseRequestsAndStagedFiles) {
  ServeManifest({{"1.1", {"bin/app.ex_?exe", "readme.txt"}}});
  Serve("release/bin/app.ex_", "program");
  Serve("release/readme.txt", "hello");
  WriteSettings({ReleaseUrl()});
  auto form = StartClient();

  ASSERT_TRUE(form->FetchManifest(""));
  ASSERT_TRUE(form->ParseManifest());
  EXPECT_EQ(form->NewVersion, "1.1");
  ASSERT_EQ(form->sgFile.RowCount(), 3);
  EXPECT_EQ(form->sgFile.Cell(1, 0), "文件名称");
  EXPECT_EQ(form->sgFile.Cell(2, 0), "文件大小");
  EXPECT_EQ(form->sgFile.Cell(1, 1), "bin/app.ex_");
  EXPECT_EQ(form->sgFile.Cell(2, 1), "7B");
  EXPECT_EQ(form->sgFile.Cell(3, 1), "exe");
  EXPECT_EQ(form->sgFile.Cell(1, 2), "readme.txt");
  EXPECT_EQ(form->sgFile.Cell(2, 2), "5B");
  form->DownloadFiles();
  EXPECT_EQ(form->sgFile.Cell(0, 1), "√");
  EXPECT_EQ(form->sgFile.Cell(0, 2), "√");
  EXPECT_FALSE(form->DownloadFailed);
  EXPECT_EQ(ReadFileBytes(Staged("bin\\app.ex_")), "program");
  EXPECT_EQ(ReadFileBytes(Staged("readme.txt")), "hello");
  EXPECT_EQ(Requests(), (std::vector<std::string>{
                            "GET /release/updates.ini",
                            "HEAD /release//bin//app.ex_",
                            "HEAD /release//readme.txt",
                            "GET /release//bin//app.ex_",
                            "GET /release//readme.txt",
                        }));
  for (const RecordedRequest& r : server_.Requests()) {
    EXPECT_EQ(r.version, "HTTP/1.1");
    EXPECT_EQ(r.HeaderValues("User-Agent"), std::vector<std::string>{"Mozilla/3.0 (compatible; Indy Library)"});
    EXPECT_EQ(r.HeaderValues("Accept"), std::vector<std::string>{"text/html, */*"});
  }
}

TEST_F(TransportTest, ConnectToServerTakesTheFirstThatDeliversTheManifest) {
  ServeManifest({{"1.1", {"a.txt"}}});
  Serve("good/updates.ini", ReadFileBytes(served_.Path() + "release\\updates.ini"));
  server_.AddRule("path /missing/updates.ini\nstatus 404\n");
  server_.AddRule("path /moved/updates.ini\nstatus 302\nlocation /good/updates.ini\n");
  WriteSettings({"http://127.0.0.1:1/nobody", "", server_.Url("/missing"), server_.Url("/moved"),
                 server_.Url("/good"), server_.Url("/never")});
  auto form = StartClient();
  ASSERT_EQ(form->sgServer.RowCount(), 6);  // the entry without URL is dropped at load
  ASSERT_TRUE(form->ConnectToServer());
  EXPECT_EQ(form->edUrl.Text(), server_.Url("/good"));
  EXPECT_EQ(Requests(), (std::vector<std::string>{"GET /missing/updates.ini", "GET /moved/updates.ini",
                                                 "GET /good/updates.ini"}));
  EXPECT_TRUE(os_file::FileExists(Staged("updates.ini")));
}

TEST_F(TransportTest, ServerTestMarksTheSelectedRow) {
  Serve("ok/updates.ini", "[Version]\r\n");
  server_.AddRule("path /empty/updates.ini\nstatus 204\n");
  server_.AddRule("path /gone/updates.ini\nstatus 404\n");
  const std::vector<std::string> urls = {server_.Url("/ok"), server_.Url("/empty"),
                                         server_.Url("/gone"), "http://127.0.0.1:1/nobody"};
  const char* expected[] = {"正常", "无效", "无效", "无效"};
  WriteSettings(urls);
  auto form = StartClient();
  for (int row = 1; row <= 4; ++row) {
    form->sgServer.SetRow(row);
    form->sgServerClick();
    EXPECT_EQ(form->edUrl.Text(), urls[static_cast<std::size_t>(row - 1)]);
    form->cbTestClick();
    EXPECT_EQ(form->sgServer.Cell(1, row), expected[row - 1]) << row;
  }
  EXPECT_EQ(Requests(), (std::vector<std::string>{"HEAD /ok/updates.ini", "HEAD /empty/updates.ini",
                                                 "HEAD /gone/updates.ini"}));
}

TEST_F(TransportTest, FailedFileIsRetriedAlone) {
  ServeManifest({{"1.1", {"a.txt", "b.txt", "c.txt"}}});
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) Serve(std::string("release/") + name, name);
  WriteSettings({ReleaseUrl()});
  auto form = StartClient();
  ASSERT_TRUE(form->FetchManifest(""));
  ASSERT_TRUE(form->ParseManifest());
  server_.Reset();
  server_.AddRule("path /release//b.txt\nmethod GET\nstatus 500\ntimes 1\n");
  form->DownloadFiles();
  EXPECT_EQ(form->sgFile.Cell(0, 1), "√");
  EXPECT_EQ(form->sgFile.Cell(0, 2), "×");
  EXPECT_EQ(form->sgFile.Cell(0, 3), "√");
  EXPECT_TRUE(form->DownloadFailed);
  EXPECT_EQ(form->FailedFiles, "");  // the first pass leaves the list alone

  server_.Reset();
  form->RetryFailedFiles();
  EXPECT_EQ(Requests(), std::vector<std::string>{"GET /release//b.txt"});
  EXPECT_EQ(form->sgFile.Cell(0, 2), "√");
  EXPECT_FALSE(form->DownloadFailed);
  EXPECT_EQ(form->FailedFiles, "");
  EXPECT_EQ(ReadFileBytes(Staged("b.txt")), "b.txt");

  // Nothing failed: a retry pass changes nothing.
  server_.Reset();
  form->FailedFiles = "left alone";
  form->RetryFailedFiles();
  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(form->FailedFiles, "left alone");
}

TEST_F(TransportTest, FilesStillFailingAreListedInRowOrder) {
  ServeManifest({{"1.1", {"f1", "bin/a.dll", "f3", "f4", "data/b.dat"}}});
  for (const char* name : {"f1", "f3", "f4"}) Serve(std::string("release/") + name, "x");
  WriteSettings({ReleaseUrl()});
  auto form = StartClient();
  ASSERT_TRUE(form->FetchManifest(""));
  ASSERT_TRUE(form->ParseManifest());
  EXPECT_EQ(form->sgFile.Cell(2, 2), "大小无效");  // the probe found nothing
  form->DownloadFiles();
  form->RetryFailedFiles();
  EXPECT_TRUE(form->DownloadFailed);
  EXPECT_EQ(form->FailedFiles, "bin/a.dll; data/b.dat");
}

TEST_F(TransportTest, BrokenTransferLeavesTheEarlierFileAndNoTemporaryFile) {
  ServeManifest({{"1.1", {"big.bin"}}});
  Serve("release/big.bin", std::string(200000, 'n'));
  WriteSettings({ReleaseUrl()});
  WriteFileBytes(Staged("big.bin"), "old contents");
  auto form = StartClient();
  ASSERT_TRUE(form->FetchManifest(""));
  ASSERT_TRUE(form->ParseManifest());
  for (const char* rule : {"drop-after 100000", "content-length 300000"}) {
    SCOPED_TRACE(rule);
    server_.AddRule(std::string("path /release//big.bin\nmethod GET\n") + rule + "\n");
    form->DownloadFailed = false;
    form->DownloadFiles();
    EXPECT_EQ(form->sgFile.Cell(0, 1), "×");
    EXPECT_TRUE(form->DownloadFailed);
    EXPECT_EQ(ReadFileBytes(Staged("big.bin")), "old contents");
    EXPECT_FALSE(os_file::FileExists(AtomicFileWriter::TempPathFor(Staged("big.bin"))));
  }
}

TEST_F(TransportTest, WithoutCreateFoldersFilesLandFlat) {
  ServeManifest({{"1.1", {"sub/a.txt", "other/a.txt"}}});
  Serve("release/sub/a.txt", "from sub");
  Serve("release/other/a.txt", "from other");
  WriteSettings({ReleaseUrl()}, /*createFolders=*/false);
  auto form = StartClient();
  ASSERT_TRUE(form->FetchManifest(""));
  ASSERT_TRUE(form->ParseManifest());
  form->DownloadFiles();
  EXPECT_FALSE(form->DownloadFailed);
  EXPECT_EQ(ReadFileBytes(Staged("a.txt")), "from other");
  EXPECT_FALSE(os_file::FileExists(Staged("sub\\a.txt")));
}

TEST_F(TransportTest, UnsafeNamesAreListedButNeverFetched) {
  ServeManifest({{"1.1", {"../evil.txt", "C:/evil.txt", "ok.txt", "a/../../evil.txt"}}});
  Serve("release/ok.txt", "fine");
  WriteSettings({ReleaseUrl()});
  auto form = StartClient();
  ASSERT_TRUE(form->FetchManifest(""));
  ASSERT_TRUE(form->ParseManifest());
  ASSERT_EQ(form->sgFile.RowCount(), 5);
  form->DownloadFiles();
  EXPECT_EQ(form->sgFile.Cell(0, 1), "×");
  EXPECT_EQ(form->sgFile.Cell(0, 2), "×");
  EXPECT_EQ(form->sgFile.Cell(0, 3), "√");
  EXPECT_EQ(form->sgFile.Cell(0, 4), "×");
  EXPECT_TRUE(form->DownloadFailed);
  EXPECT_EQ(Requests(), (std::vector<std::string>{"GET /release/updates.ini", "HEAD /release//ok.txt",
                                                 "GET /release//ok.txt"}));
}

TEST_F(TransportTest, NamesWithBlanksAndGbkBytesArePercentEncoded) {
  ServeManifest({{"1.1", {"数据/说明 1.txt"}}});
  Serve("release/数据/说明 1.txt", "gbk");
  WriteSettings({ReleaseUrl()});
  auto form = StartClient();
  ASSERT_TRUE(form->FetchManifest(""));
  ASSERT_TRUE(form->ParseManifest());
  form->DownloadFiles();
  EXPECT_EQ(form->sgFile.Cell(0, 1), "√");
  EXPECT_EQ(ReadFileBytes(Staged("数据\\说明 1.txt")), "gbk");
  const std::vector<std::string> requests = Requests();
  ASSERT_EQ(requests.size(), 3u);
  // 数据 = CA FD BE DD, 说明 = CB B5 C3 F7 in code page 936.
  EXPECT_EQ(requests[2], "GET /release//%CA%FD%BE%DD//%CB%B5%C3%F7%201.txt");
}

TEST_F(TransportTest, EmptyStagingFolderTextFailsTheFetch) {
  ServeManifest({{"1.1", {"a.txt"}}});
  WriteSettings({ReleaseUrl()});
  auto form = StartClient();
  form->edSaved.SetText("   ");
  EXPECT_FALSE(form->FetchManifest(""));
  EXPECT_TRUE(form->stError.Visible());
  EXPECT_TRUE(Requests().empty());
}

TEST_F(TransportTest, EmptyServerUrlFailsTheFetch) {
  WriteSettings({});
  auto form = StartClient();
  EXPECT_EQ(form->edUrl.Text(), "");
  EXPECT_FALSE(form->FetchManifest(""));
  EXPECT_TRUE(form->stError.Visible());
}

}  // namespace
