// Times the client's own manifest parse (with its size probes) and download pass against a
// release on a server, and reports the process's peak working set.
//   transfer_bench.exe <server URL of the release> <staging folder>
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "client/form1.h"
#include "core/atomic_file.h"
#include "core/path_text.h"
#include "platform/ui/application.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: transfer_bench <release URL> <staging folder>\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const std::string ini = path_text::ExtractFilePath(ui::Application::Instance().ExeName()) + "quillark.ini";
  WriteFileAtomically(ini, std::string("[Common]\r\nSavedPath=") + argv[2] +
                               "\r\nInternetUpdate=1\r\nAutoCreateFolder=1\r\nInstalledVersion=1.0\r\n"
                               "[ServerList]\r\nServerCount=1\r\nServerName0=bench\r\nServerUrl0=" +
                               argv[1] + "\r\n");
  TForm1 form;
  form.ConfigReplaced = true;  // leave the file alone at the end

  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const bool listed = form.FetchManifest("") && form.ParseManifest();
  const auto parsed = Clock::now();
  if (listed) form.DownloadFiles();
  const auto done = Clock::now();

  int failed = 0;
  for (int row = 1; row < form.sgFile.RowCount(); ++row) failed += form.sgFile.Cell(0, row) != "√";
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  const auto seconds = [](auto from, auto to) { return std::chrono::duration<double>(to - from).count(); };
  std::printf("files=%d failed=%d parse_with_probes_s=%.3f download_s=%.3f total_s=%.3f peak_working_set_mib=%.1f\n",
              form.sgFile.RowCount() - 1, failed, seconds(start, parsed), seconds(parsed, done),
              seconds(start, done), static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
  std::fflush(stdout);
  return listed && failed == 0 ? 0 : 1;
}
