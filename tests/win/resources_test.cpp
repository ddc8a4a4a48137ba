// What Explorer and the system read from Velmora.exe: its icon, its version and its manifest.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The program's file, given on the command line by the test run as a path of the build machine
// (Wine's drive Z: is its root).
std::string g_program;

std::string program() { return g_program; }

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(g_program.empty()) << "the test run names Velmora.exe";
    module_ = LoadLibraryExA(program().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << program();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string resource(LPCSTR name, LPCSTR type) {
    HRSRC r = FindResourceA(module_, name, type);
    if (!r) return {};
    HGLOBAL g = LoadResource(module_, r);
    return std::string(static_cast<const char*>(LockResource(g)), SizeofResource(module_, r));
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, TheVersionIs1_0_0_1InTheFixedAndTheTextFields) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(program().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(program().c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  // The texts Explorer's properties show, in the Chinese (PRC) block.
  for (auto [key, expected] : std::initializer_list<std::pair<const char*, std::string>>{
           {"FileVersion", "1.0.0.1"}, {"ProductVersion", "1.0.0.1"}, {"ProductName", "Velmora"},
           {"OriginalFilename", "Velmora.exe"}, {"FileDescription", "Velmora 多标签文本编辑器"}}) {
    char* value = nullptr;
    std::string path = std::string("\\StringFileInfo\\080404B0\\") + key;
    ASSERT_TRUE(VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) << key;
    EXPECT_EQ(std::string(value), expected) << key;
  }
}

TEST_F(ProgramResources, TheIconHasEverySizeExplorerShows) {
  EXPECT_GE(ExtractIconExA(program().c_str(), -1, nullptr, nullptr, 0), 1u);
  // The window classes load it by this name.
  for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(LoadImageA(module_, "VELMORA", IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, size);
    EXPECT_EQ(bm.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST_F(ProgramResources, TheManifestAsksForCommonControls6AndNamesWindows10) {
  std::string manifest = resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  // Windows 10's identifier, which Windows 11 shares, and Windows 7's.
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);
}

// The test programs carry the same manifest, so this process shows what the program gets: the
// common controls of the side-by-side assembly 6 (Wine's copy tells version 5 from DllGetVersion).
TEST(ProgramManifest, CommonControls6AreTheOnesLoaded) {
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  char file[MAX_PATH] = {};
  GetModuleFileNameA(comctl, file, MAX_PATH);
  std::string path = file;
  for (char& c : path) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  const std::string arch = sizeof(void*) == 4 ? "x86" : "amd64";
  EXPECT_NE(path.find("\\winsxs\\" + arch + "_microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos)
      << file;
}

}  // namespace

// The path of Velmora.exe follows the test's own arguments.
struct ProgramPathArgument {
  ProgramPathArgument() {
    for (int i = 1; i < __argc; ++i) {
      std::string a = __argv[i];
      if (a.rfind("--program=", 0) != 0) continue;
      a = a.substr(10);
      if (!a.empty() && a[0] == '/') {
        for (char& c : a)
          if (c == '/') c = '\\';
        a = "Z:" + a;
      }
      g_program = a;
    }
  }
} g_program_path_argument;
