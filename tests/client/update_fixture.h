// A client window against a release served by the test HTTP server: a served folder with the
// manifest and files below "release/", a staging folder, and quillark.ini pointing at both.
#pragma once

#include <string>
#include <vector>

#include "tests/client/client_fixture.h"
#include "tests/support/http_test_server.h"
#include "tests/support/temp_folder.h"

class UpdateTest : public ClientTest {
 protected:
  // relative uses "/" between folders; missing folders are created.
  void Serve(const std::string& relative, const std::string& bytes);
  // A manifest at release/updates.ini: one version section per entry of versions, each with
  // its file entries.
  void ServeManifest(const std::vector<std::pair<std::string, std::vector<std::string>>>& versions);
  // quillark.ini for Internet mode with these server URLs, installed version 1.0, the staging
  // folder and the "create folders" choice.
  void WriteSettings(const std::vector<std::string>& serverUrls, bool createFolders = true,
                     const std::string& installed = "1.0");
  std::string ReleaseUrl() const { return server_.Url("/release"); }
  std::vector<std::string> Requests();  // "METHOD target", in order
  std::string Staged(const std::string& relative) const;  // relative with "\" between folders

  TempFolder served_;
  TempFolder staging_;
  HttpTestServer server_{served_.Path()};
};
