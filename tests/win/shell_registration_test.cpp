// The document type registered with the shell at each start: every value in
// place after the first start, and nothing written by the starts after it
// unless a value has changed.
#include <gtest/gtest.h>

#include <string>

#include "fw/shell_registration.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

const std::wstring kClasses = L"Software\\Classes\\";

struct Stored {
  bool found = false;
  DWORD type = 0;
  std::wstring text;  // the data up to its terminating NUL
};

Stored Read(const std::wstring& key_path, const wchar_t* name) {
  Stored s;
  wchar_t data[1024] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  s.found = RegGetValueW(HKEY_CURRENT_USER, key_path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND,
                         &s.type, data, &size) == ERROR_SUCCESS;
  s.text = data;
  return s;
}

void WriteString(const std::wstring& key_path, DWORD type, const std::wstring& text) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key_path.c_str(), nullptr, type, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

// A document type of the tests' own, so that nothing of a real association
// is touched.
class ShellRegistration : public ::testing::Test {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override { Remove(); }
  void Remove() {
    RegDeleteTreeW(HKEY_CURRENT_USER, prog_.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, ext_.c_str());
  }
  const std::wstring prog_ = kClasses + L"Kestil.TestDocument";
  const std::wstring ext_ = kClasses + L".kestil-test";
  const std::wstring command_ = prog_ + L"\\shell\\open\\command";
  fw::DocumentType type_{L"Kestil.TestDocument", L"Kestil Test Document", L".kestil-test",
                         L"C:\\Program Files\\Kestil\\kestil.exe", 1};
};

TEST_F(ShellRegistration, EveryValueAtFirstThenOnlyTheValuesThatDiffer) {
  EXPECT_EQ(fw::RegisterDocumentType(type_), 5);
  const std::wstring icon = L"\"C:\\Program Files\\Kestil\\kestil.exe\",1";
  const std::wstring open = L"\"C:\\Program Files\\Kestil\\kestil.exe\" \"%1\"";
  EXPECT_EQ(Read(prog_, nullptr).text, L"Kestil Test Document");
  EXPECT_EQ(Read(prog_ + L"\\DefaultIcon", nullptr).text, icon);
  EXPECT_EQ(Read(command_, nullptr).text, open);
  const Stored open_with = Read(ext_ + L"\\OpenWithProgids", L"Kestil.TestDocument");
  EXPECT_TRUE(open_with.found);
  EXPECT_EQ(open_with.type, static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(Read(ext_, nullptr).text, L"Kestil.TestDocument");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 0);

  // Another program took the open verb; the icon has the right text but the
  // wrong type.
  WriteString(command_, REG_SZ, L"other.exe \"%1\"");
  WriteString(prog_ + L"\\DefaultIcon", REG_EXPAND_SZ, icon);
  EXPECT_EQ(fw::RegisterDocumentType(type_), 2);
  EXPECT_EQ(Read(command_, nullptr).text, open);
  EXPECT_EQ(Read(prog_ + L"\\DefaultIcon", nullptr).type, static_cast<DWORD>(REG_SZ));
  // A longer or a shorter stored text is not the same value.
  WriteString(prog_, REG_SZ, L"Kestil Test Document and more");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 1);
  WriteString(prog_, REG_SZ, L"Kestil");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 1);
  EXPECT_EQ(Read(prog_, nullptr).text, L"Kestil Test Document");
}

TEST_F(ShellRegistration, AnExtensionClaimedByAnotherTypeKeepsIt) {
  WriteString(ext_, REG_SZ, L"Other.Document");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 4);
  EXPECT_EQ(Read(ext_, nullptr).text, L"Other.Document");
  EXPECT_TRUE(Read(ext_ + L"\\OpenWithProgids", L"Kestil.TestDocument").found);
}

// The program's own registration, as kestil.exe makes it at each start once
// the window is up (at the first idle moment): the second start touches no
// key.
class StartRegistration : public AppTest {};

TEST_F(StartRegistration, ASecondStartLeavesTheKeysAsTheyWere) {
  const std::wstring prog = kClasses + L"Kestil.Document";
  RegDeleteTreeW(HKEY_CURRENT_USER, prog.c_str());
  ASSERT_TRUE(Start());
  EXPECT_FALSE(Read(prog, nullptr).found);
  Idle();
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  EXPECT_EQ(Read(prog + L"\\shell\\open\\command", nullptr).text,
            L"\"" + std::wstring(exe) + L"\" \"%1\"");
  auto last_write = [](const std::wstring& path) {
    HKEY key = nullptr;
    FILETIME t{};
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) == 0) {
      RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, &t);
      RegCloseKey(key);
    }
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const std::wstring keys[] = {prog, prog + L"\\DefaultIcon", prog + L"\\shell\\open\\command",
                               kClasses + L".txt\\OpenWithProgids"};
  std::uint64_t before[4] = {};
  for (int i = 0; i < 4; ++i) before[i] = last_write(keys[i]);
  Restart();
  Idle();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(last_write(keys[i]), before[i]) << keys[i];
}

}  // namespace
}  // namespace kestil::testing
