// Reads the compiled resources back from this executable, the way the programs load them:
// every picture with its exact size, the icon at both sizes, the manifest and the version block.
// Built once per program (QUILL_TESTED_PROGRAM_client or QUILL_TESTED_PROGRAM_assistant).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resource_ids.h"

namespace {

struct PictureCase {
  const char* name;
  int id;
  int width;
  int height;
};

// Failure messages name the picture instead of dumping the structure's bytes.
void PrintTo(const PictureCase& picture, std::ostream* out) { *out << picture.name; }

const PictureCase kPictures[] = {
    {"FrameTopLeft", IDB_FRAME_TOP_LEFT, 81, 49},
    {"FrameTopCenter", IDB_FRAME_TOP_CENTER, 1024, 49},
    {"FrameTopRight", IDB_FRAME_TOP_RIGHT, 94, 49},
    {"FrameLeft", IDB_FRAME_LEFT, 10, 800},
    {"FrameRight", IDB_FRAME_RIGHT, 13, 800},
    {"FrameBottomLeft", IDB_FRAME_BOTTOM_LEFT, 10, 12},
    {"FrameBottomCenter", IDB_FRAME_BOTTOM_CENTER, 1024, 12},
    {"FrameBottomRight", IDB_FRAME_BOTTOM_RIGHT, 13, 12},
    {"FrameMin", IDB_FRAME_MIN, 17, 19},
    {"FrameMax", IDB_FRAME_MAX, 17, 19},
    {"FrameRestore", IDB_FRAME_RESTORE, 17, 19},
    {"FrameClose", IDB_FRAME_CLOSE, 17, 19},
#ifdef QUILL_TESTED_PROGRAM_client
    {"Page1", IDB_PAGE1, 120, 234},
    {"Page2", IDB_PAGE2, 120, 234},
    {"Page3", IDB_PAGE3, 120, 234},
    {"Page4", IDB_PAGE4, 120, 234},
    {"Page5", IDB_PAGE5, 120, 234},
    {"Page6", IDB_PAGE6, 120, 234},
    {"AutoPicture", IDB_AUTO_PICTURE, 120, 120},
    {"GlyphPrev", IDB_GLYPH_PREV, 16, 16},
    {"GlyphNext", IDB_GLYPH_NEXT, 16, 16},
    {"GlyphStart", IDB_GLYPH_START, 16, 16},
    {"GlyphCancel", IDB_GLYPH_CANCEL, 16, 16},
#endif
};

// A picture loaded as a DIB section, so that its pixels can be read.
class Picture {
 public:
  explicit Picture(int id)
      : handle_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    if (handle_ != nullptr) GetObjectA(handle_, sizeof info_, &info_);
  }
  ~Picture() {
    if (handle_ != nullptr) DeleteObject(handle_);
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  bool loaded() const { return handle_ != nullptr && info_.bmBits != nullptr; }
  int width() const { return info_.bmWidth; }
  int height() const { return info_.bmHeight; }
  int bits_per_pixel() const { return info_.bmBitsPixel; }

  // Colour at (x, y), y counted from the top, as a COLORREF.
  COLORREF at(int x, int y) const {
    const int row = info_.bmHeight > 0 ? info_.bmHeight - 1 - y : y;  // bottom-up rows
    const auto* bytes = static_cast<const std::uint8_t*>(info_.bmBits) +
                        static_cast<std::size_t>(row) * info_.bmWidthBytes + x * 3;
    return RGB(bytes[2], bytes[1], bytes[0]);
  }

 private:
  HBITMAP handle_;
  BITMAP info_{};
};

class Pictures : public testing::TestWithParam<PictureCase> {};

TEST_P(Pictures, LoadWithTheirDesignedSize) {
  const PictureCase& picture = GetParam();
  Picture loaded(picture.id);
  ASSERT_TRUE(loaded.loaded()) << "resource " << picture.id;
  EXPECT_EQ(loaded.width(), picture.width);
  EXPECT_EQ(loaded.height(), picture.height);
  EXPECT_EQ(loaded.bits_per_pixel(), 24);
}

std::string picture_case_name(const testing::TestParamInfo<PictureCase>& picture) {
  return picture.param.name;
}

INSTANTIATE_TEST_SUITE_P(All, Pictures, testing::ValuesIn(kPictures), picture_case_name);

// The frame is assembled from separate pictures: where two meet, their pixels must continue
// each other or the title bar shows a seam.
TEST(FrameSeams, TitleBarEndsContinueTheMiddle) {
  Picture left(IDB_FRAME_TOP_LEFT);
  Picture middle(IDB_FRAME_TOP_CENTER);
  Picture right(IDB_FRAME_TOP_RIGHT);
  ASSERT_TRUE(left.loaded() && middle.loaded() && right.loaded());
  for (int y = 0; y < 40; ++y) {  // the visible rows of the title bar
    EXPECT_EQ(left.at(left.width() - 1, y), middle.at(0, y)) << "row " << y;
    EXPECT_EQ(right.at(0, y), middle.at(middle.width() - 1, y)) << "row " << y;
  }
}

TEST(FrameSeams, SystemButtonCornersShowTheTitleBarBehindThem) {
  // The buttons are drawn 4 rows below the title bar's top; their rounded corners must show
  // exactly the bar's colours there.
  Picture bar(IDB_FRAME_TOP_RIGHT);
  ASSERT_TRUE(bar.loaded());
  for (int id : {IDB_FRAME_MIN, IDB_FRAME_MAX, IDB_FRAME_RESTORE, IDB_FRAME_CLOSE}) {
    Picture button(id);
    ASSERT_TRUE(button.loaded()) << "resource " << id;
    EXPECT_EQ(button.at(0, 0), bar.at(40, 4)) << "resource " << id;
    EXPECT_EQ(button.at(16, 18), bar.at(40, 22)) << "resource " << id;
  }
}

#ifdef QUILL_TESTED_PROGRAM_client
TEST(Glyphs, HaveATransparentBackgroundAndAVisibleSymbol) {
  for (int id : {IDB_GLYPH_PREV, IDB_GLYPH_NEXT, IDB_GLYPH_START, IDB_GLYPH_CANCEL}) {
    Picture glyph(id);
    ASSERT_TRUE(glyph.loaded()) << "resource " << id;
    EXPECT_EQ(glyph.at(0, 0), static_cast<COLORREF>(QUILL_GLYPH_TRANSPARENT_COLORREF))
        << "resource " << id;
    int visible = 0;
    for (int y = 0; y < glyph.height(); ++y)
      for (int x = 0; x < glyph.width(); ++x)
        if (glyph.at(x, y) != QUILL_GLYPH_TRANSPARENT_COLORREF) ++visible;
    EXPECT_GT(visible, 30) << "resource " << id;
  }
}
#endif

// The header of an icon group resource and its entries, as the resource compiler stores them.
#pragma pack(push, 2)
struct IconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

std::string_view resource_bytes(LPCSTR name, LPCSTR type) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return {};
  return {static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found)};
}

TEST(Icon, HoldsTrueColourImagesOfSixteenAndThirtyTwo) {
  std::string_view group = resource_bytes(MAKEINTRESOURCEA(IDI_APP), MAKEINTRESOURCEA(14));
  ASSERT_GE(group.size(), sizeof(IconGroupHeader));
  IconGroupHeader header;
  std::memcpy(&header, group.data(), sizeof header);
  ASSERT_EQ(group.size(), sizeof header + header.count * sizeof(IconGroupEntry));
  std::vector<int> sizes;
  for (WORD i = 0; i < header.count; ++i) {
    IconGroupEntry entry;
    std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_EQ(entry.bit_count, 32) << "image " << i;
    sizes.push_back(entry.width);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 32}));
}

TEST(Icon, LoadsAtBothSizes) {
  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP),
                                               IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << "size " << size;
    ICONINFO parts{};
    ASSERT_TRUE(GetIconInfo(icon, &parts));
    BITMAP colour{};
    ASSERT_NE(parts.hbmColor, nullptr);
    GetObjectA(parts.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    DestroyIcon(icon);
  }
}

TEST(Manifest, AsksForCommonControlsSixAsInvoker) {
  ASSERT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr);
  std::string_view manifest = resource_bytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string_view::npos)
      << manifest;
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string_view::npos);
}

std::string version_string(std::string_view block, std::string_view key) {
  // The version block stores its texts in UTF-16; ours are ASCII, so compare code units.
  std::u16string wanted(key.begin(), key.end());
  const auto* units = reinterpret_cast<const char16_t*>(block.data());
  std::u16string_view all(units, block.size() / 2);
  std::size_t at = all.find(wanted);
  if (at == std::u16string_view::npos) return {};
  at += wanted.size() + 1;                       // skip the key and its terminating zero
  while (at < all.size() && all[at] == 0) ++at;  // padding to the next 32-bit boundary
  std::string value;
  while (at < all.size() && all[at] != 0) value += static_cast<char>(all[at++]);
  return value;
}

TEST(VersionBlock, NamesTheProduct) {
  std::string_view block = resource_bytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  ASSERT_FALSE(block.empty());
#ifdef QUILL_TESTED_PROGRAM_client
  EXPECT_EQ(version_string(block, "ProductName"), "quillark");
  EXPECT_EQ(version_string(block, "OriginalFilename"), "quillark.exe");
#else
  EXPECT_EQ(version_string(block, "ProductName"), "quillset");
  EXPECT_EQ(version_string(block, "OriginalFilename"), "quillset.exe");
#endif
}

}  // namespace
