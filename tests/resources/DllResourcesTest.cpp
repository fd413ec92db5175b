// The Windows plug-in as a host loads it: every skin bitmap comes out of the DLL's own
// resources by its id, at its size and depth, and the version resource names the product.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/layout/SkinLayout.h"

namespace {

std::wstring pluginPath() {
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Quaverling.dll";
}

class DllResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override { module = LoadLibraryW(pluginPath().c_str()); }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }
  HMODULE module = nullptr;
};

TEST_F(DllResourcesTest, EveryBitmapLoadsByIdAtItsSizeAndDepth) {
  ASSERT_NE(module, nullptr);
  for (const skin::BitmapFile& e : skin::kBitmaps) {
    // As a section of its own depth.
    auto* section = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(e.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(section, nullptr) << e.id;
    BITMAP info{};
    ASSERT_EQ(GetObjectW(section, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, e.width) << e.id;
    EXPECT_EQ(info.bmHeight, e.fileHeight()) << e.id;
    EXPECT_EQ(info.bmBitsPixel, e.bitsPerPixel) << e.id;
    DeleteObject(section);
    // And the way the toolkit loads it, converted for the display.
    HBITMAP shown = LoadBitmapA(module, MAKEINTRESOURCEA(e.id));
    ASSERT_NE(shown, nullptr) << e.id;
    ASSERT_EQ(GetObjectW(shown, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, e.width) << e.id;
    EXPECT_EQ(info.bmHeight, e.fileHeight()) << e.id;
    DeleteObject(shown);
  }
  // None beyond the description's.
  const int next = skin::kBitmaps[skin::kBitmapCount - 1].id + 1;
  EXPECT_EQ(LoadBitmapA(module, MAKEINTRESOURCEA(next)), nullptr);
}

std::wstring versionString(const std::vector<char>& block, const wchar_t* name) {
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translation = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &size) ||
      size < sizeof(Translation))
    return L"<no translation>";
  wchar_t key[128];
  wsprintfW(key, L"\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage,
            name);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&value), &size) || !value)
    return L"<missing>";
  return value;
}

TEST_F(DllResourcesTest, VersionResourceNamesTheProductAndItsVersion) {
  const std::wstring path = pluginPath();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  ASSERT_GE(fixedSize, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  // 1.1.0.0
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  EXPECT_EQ(versionString(block, L"FileDescription"), L"VST Plug-In");
  EXPECT_EQ(versionString(block, L"ProductName"), L"Quaverling");
  EXPECT_EQ(versionString(block, L"FileVersion"), L"1.1.0.0");
  EXPECT_EQ(versionString(block, L"ProductVersion"), L"1.1.0.0");
  EXPECT_EQ(versionString(block, L"CompanyName"), L"quaverling.audio");
  EXPECT_EQ(versionString(block, L"OriginalFilename"), L"Quaverling.dll");
}

}  // namespace
