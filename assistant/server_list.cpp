// The server list grid and the [ServerList] section: loading, checking and saving the rows,
// adding and deleting rows, and moving through the cells with Enter.
#include <cstdint>
#include <vector>

#include "assistant/form1.h"
#include "core/client_settings.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"

namespace {

constexpr int kNameCol = 0;
constexpr int kUrlCol = 1;

// Above this many rows a ServerCount is not taken at its word: the grid then ends at the last
// entry that has a name, since rows without a name are never saved anyway.
constexpr std::int32_t kMaxPlainRows = 10000;

int RowsFor(const IniFile& ini, std::int32_t count) {
  if (count <= kMaxPlainRows) return count;
  const std::vector<int> named = ServerNameIndices(ini, count);
  return named.empty() ? 0 : named.back() + 1;
}

}  // namespace

void TForm1::LoadServerList(const IniFile& ini) {
  if (!ini.SectionExists(kServerListSection)) return;
  const std::int32_t count = ini.ReadInteger(kServerListSection, kServerCountKey, kServerCountDefault);
  if (count <= 0) return;
  const int rows = RowsFor(ini, count);
  if (rows == 0) return;
  sgServer.SetRowCount(rows + 1);
  for (int k = 0; k < rows; ++k) {
    sgServer.SetCell(kNameCol, k + 1, ini.ReadString(kServerListSection, ServerNameKey(k), ""));
    sgServer.SetCell(kUrlCol, k + 1, ini.ReadString(kServerListSection, ServerUrlKey(k), ""));
  }
}

TForm1::ServerListSave TForm1::SaveServerList(IniFile& ini) {
  std::vector<ServerEntry> entries;
  if (ini.SectionExists(kServerListSection)) {
    for (int r = 1; r < sgServer.RowCount(); ++r) {
      ServerEntry entry{gbk::Trim(sgServer.Cell(kNameCol, r)), gbk::Trim(sgServer.Cell(kUrlCol, r))};
      if (entry.ServerName.empty() || entry.ServerUrl.empty()) continue;
      // Every row is checked before the first key is written, so a refused list leaves the
      // section exactly as it was.
      if (entry.ServerUrl.find("://") == std::string::npos) {
        Say("服务器URL地址必须要是标准的,以http://开头,请修改后再试!", MB_OK | MB_ICONINFORMATION);
        ShowOnlyPage(tsInternet);
        sgServer.SetFocus();
        return ServerListSave::Rejected;
      }
      entries.push_back(std::move(entry));
    }
  }
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const int index = static_cast<int>(k);
    if (!ini.WriteString(kServerListSection, ServerNameKey(index), entries[k].ServerName) ||
        !ini.WriteString(kServerListSection, ServerUrlKey(index), entries[k].ServerUrl)) {
      return ServerListSave::NotWritten;
    }
  }
  if (!ini.WriteInteger(kServerListSection, kServerCountKey, static_cast<std::int32_t>(entries.size()))) {
    return ServerListSave::NotWritten;
  }
  return ServerListSave::Accepted;
}

void TForm1::cbNewClick() {
  sgServer.SetRowCount(sgServer.RowCount() + 1);
  sgServer.SetCurrent(kNameCol, sgServer.RowCount() - 1);
  sgServer.SetFocus();
  SettingsChanged = true;
}

void TForm1::cbDelClick() {
  const int last = sgServer.RowCount() - 1;
  // Without data rows there is no current row, and the loop has nothing to move.
  for (int r = sgServer.Row(); r <= last; ++r) {
    const bool below = r < last;
    sgServer.SetCell(kNameCol, r, below ? sgServer.Cell(kNameCol, r + 1) : "");
    sgServer.SetCell(kUrlCol, r, below ? sgServer.Cell(kUrlCol, r + 1) : "");
  }
  if (sgServer.RowCount() > 1) sgServer.SetRowCount(sgServer.RowCount() - 1);
  SettingsChanged = true;
}

void TForm1::sgServerKeyDown(WORD key, bool& /*handled*/) {
  // Enter only moves the current cell; the grid then goes on editing in the cell it reached.
  if (key != VK_RETURN) return;
  const bool noDataRows = sgServer.RowCount() <= sgServer.FixedRows();
  if (noDataRows || (sgServer.Col() != kNameCol && sgServer.Row() == sgServer.RowCount() - 1)) {
    cbNewClick();
  } else if (sgServer.Col() == kNameCol) {
    sgServer.SetCol(kUrlCol);
  } else {
    sgServer.SetCurrent(kNameCol, sgServer.Row() + 1);
  }
  SettingsChanged = true;
}

void TForm1::sgServerEnter() { FieldEnter(kServerGridHint); }

void TForm1::sgServerExit() { FieldExit(); }
