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
  DWORD size = 0;
};

Stored Read(const std::wstring& key_path, const wchar_t* name) {
  Stored s;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return s;
  }
  wchar_t data[1024] = {};
  s.size = sizeof data - sizeof(wchar_t);
  s.found = RegQueryValueExW(key, name, nullptr, &s.type, reinterpret_cast<BYTE*>(data),
                             &s.size) == ERROR_SUCCESS;
  RegCloseKey(key);
  s.text = data;
  return s;
}

void WriteString(const std::wstring& key_path, const wchar_t* name, DWORD type,
                 const std::wstring& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

std::uint64_t LastWrite(const std::wstring& key_path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return 0;
  }
  FILETIME t{};
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, &t);
  RegCloseKey(key);
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// A document type of the tests' own, so that nothing of a real association
// is touched.
class ShellRegistration : public ::testing::Test {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override { Remove(); }
  static void Remove() {
    RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + L"Kestil.TestDocument").c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + L".kestil-test").c_str());
  }
  const std::wstring prog_ = kClasses + L"Kestil.TestDocument";
  const std::wstring ext_ = kClasses + L".kestil-test";
  fw::DocumentType type_{L"Kestil.TestDocument", L"Kestil Test Document", L".kestil-test",
                         L"C:\\Program Files\\Kestil\\kestil.exe", 1};
};

TEST_F(ShellRegistration, TheFirstRegistrationWritesEveryValueAndTheNextNone) {
  EXPECT_EQ(fw::RegisterDocumentType(type_), 5);
  EXPECT_EQ(Read(prog_, nullptr).text, L"Kestil Test Document");
  EXPECT_EQ(Read(prog_ + L"\\DefaultIcon", nullptr).text,
            L"\"C:\\Program Files\\Kestil\\kestil.exe\",1");
  const Stored command = Read(prog_ + L"\\shell\\open\\command", nullptr);
  EXPECT_EQ(command.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(command.text, L"\"C:\\Program Files\\Kestil\\kestil.exe\" \"%1\"");
  const Stored open_with = Read(ext_ + L"\\OpenWithProgids", L"Kestil.TestDocument");
  EXPECT_TRUE(open_with.found);
  EXPECT_EQ(open_with.type, static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(open_with.size, 0u);
  EXPECT_EQ(Read(ext_, nullptr).text, L"Kestil.TestDocument");

  EXPECT_EQ(fw::RegisterDocumentType(type_), 0);
  EXPECT_EQ(fw::RegisterDocumentType(type_), 0);
  EXPECT_EQ(Read(prog_ + L"\\shell\\open\\command", nullptr).text, command.text);
}

TEST_F(ShellRegistration, OnlyTheValuesThatDifferAreWrittenAgain) {
  ASSERT_EQ(fw::RegisterDocumentType(type_), 5);
  // Another program took the open verb; the icon has the right text but the
  // wrong type; the open-with entry is gone.
  WriteString(prog_ + L"\\shell\\open\\command", nullptr, REG_SZ, L"other.exe \"%1\"");
  WriteString(prog_ + L"\\DefaultIcon", nullptr, REG_EXPAND_SZ,
              L"\"C:\\Program Files\\Kestil\\kestil.exe\",1");
  HKEY key = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, (ext_ + L"\\OpenWithProgids").c_str(), 0, KEY_SET_VALUE, &key);
  RegDeleteValueW(key, L"Kestil.TestDocument");
  RegCloseKey(key);
  EXPECT_EQ(fw::RegisterDocumentType(type_), 3);
  EXPECT_EQ(Read(prog_ + L"\\shell\\open\\command", nullptr).text,
            L"\"C:\\Program Files\\Kestil\\kestil.exe\" \"%1\"");
  EXPECT_EQ(Read(prog_ + L"\\DefaultIcon", nullptr).type, static_cast<DWORD>(REG_SZ));
  EXPECT_TRUE(Read(ext_ + L"\\OpenWithProgids", L"Kestil.TestDocument").found);

  // A longer or a shorter stored text is not the same value.
  WriteString(prog_, nullptr, REG_SZ, L"Kestil Test Document and more");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 1);
  WriteString(prog_, nullptr, REG_SZ, L"Kestil");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 1);
  EXPECT_EQ(Read(prog_, nullptr).text, L"Kestil Test Document");

  // The program moved: its icon and its open verb follow it.
  type_.executable = L"D:\\Tools\\kestil.exe";
  EXPECT_EQ(fw::RegisterDocumentType(type_), 2);
  EXPECT_EQ(Read(prog_ + L"\\shell\\open\\command", nullptr).text,
            L"\"D:\\Tools\\kestil.exe\" \"%1\"");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 0);
}

TEST_F(ShellRegistration, AnExtensionClaimedByAnotherTypeKeepsIt) {
  WriteString(ext_, nullptr, REG_SZ, L"Other.Document");
  EXPECT_EQ(fw::RegisterDocumentType(type_), 4);
  EXPECT_EQ(Read(ext_, nullptr).text, L"Other.Document");
  EXPECT_TRUE(Read(ext_ + L"\\OpenWithProgids", L"Kestil.TestDocument").found);
  EXPECT_EQ(fw::RegisterDocumentType(type_), 0);
}

// The program's own registration, as kestil.exe makes it at each start.
class StartRegistration : public AppTest {};

TEST_F(StartRegistration, ASecondStartLeavesTheKeysAsTheyWere) {
  const std::wstring prog = kClasses + L"Kestil.Document";
  RegDeleteTreeW(HKEY_CURRENT_USER, prog.c_str());
  ASSERT_TRUE(Start());
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring quoted = L"\"" + std::wstring(exe) + L"\"";
  EXPECT_EQ(Read(prog, nullptr).text, L"Kestil Document");
  EXPECT_EQ(Read(prog + L"\\DefaultIcon", nullptr).text, quoted + L",1");
  EXPECT_EQ(Read(prog + L"\\shell\\open\\command", nullptr).text, quoted + L" \"%1\"");
  EXPECT_TRUE(Read(kClasses + L".txt\\OpenWithProgids", L"Kestil.Document").found);

  const std::wstring keys[] = {prog, prog + L"\\DefaultIcon", prog + L"\\shell\\open\\command",
                               kClasses + L".txt\\OpenWithProgids"};
  std::uint64_t before[4] = {};
  for (int i = 0; i < 4; ++i) before[i] = LastWrite(keys[i]);
  Restart();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(LastWrite(keys[i]), before[i]) << keys[i];
  EXPECT_EQ(fw::RegisterDocumentType({L"Kestil.Document", L"Kestil Document", L".txt", exe, 1}), 0);
}

}  // namespace
}  // namespace kestil::testing
