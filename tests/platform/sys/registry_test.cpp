// The registry's platform calls: what a caller writes is what it reads back,
// byte for byte, and every misuse gets its error code without harm.
#include <cstring>

#include "registry_test_support.h"

using regtest::GetSz;
using regtest::kConfigKey;
using regtest::RegistryTest;
using regtest::SetSz;

namespace {

HKEY Create(const char16_t* path, DWORD* disposition = nullptr) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, u"", 0, 0, nullptr, &key, disposition),
            ERROR_SUCCESS);
  return key;
}

LONG Open(const char16_t* path, HKEY* key) {
  return RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, key);
}

}  // namespace

TEST_F(RegistryTest, ValuesRoundTripWithTheirExactByteCounts) {
  HKEY key = Create(kConfigKey);
  ASSERT_EQ(SetSz(key, u"defcolor", u"16777215"), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"defcolor", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 18u);  // (8 characters + terminator) x 2
  EXPECT_EQ(GetSz(key, u"defcolor"), u"16777215");

  // Counted without its terminator the value is 2 bytes shorter, and a reader
  // with room still gets a terminated string.
  ASSERT_EQ(RegSetValueExW(key, u"raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"abc"), 6),
            ERROR_SUCCESS);
  char16_t text[8];
  std::fill(std::begin(text), std::end(text), u'#');
  size = sizeof text;
  ASSERT_EQ(RegQueryValueExW(key, u"raw", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::u16string(text), u"abc");

  DWORD locale = 1, read = 0;
  ASSERT_EQ(RegSetValueExW(key, u"locale", 0, REG_DWORD, reinterpret_cast<BYTE*>(&locale), 4),
            ERROR_SUCCESS);
  size = 4;
  ASSERT_EQ(RegQueryValueExW(key, u"locale", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(read, 1u);
  EXPECT_EQ(type, REG_DWORD);
  // A REG_DWORD of another size, or data missing for a size, is refused.
  EXPECT_EQ(RegSetValueExW(key, u"locale", 0, REG_DWORD, reinterpret_cast<BYTE*>(&locale), 2),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExW(key, u"locale", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);

  // Binary data with zeros inside; overwriting replaces type and size.
  const BYTE blob[] = {0, 1, 0, 255, 0};
  ASSERT_EQ(RegSetValueExW(key, u"locale", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
  BYTE out[16] = {};
  size = sizeof out;
  ASSERT_EQ(RegQueryValueExW(key, u"locale", nullptr, &type, out, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  ASSERT_EQ(size, sizeof blob);
  EXPECT_EQ(std::memcmp(out, blob, sizeof blob), 0);
  RegCloseKey(key);
}

TEST_F(RegistryTest, ShortBufferGetsMoreDataAndTheNeededSize) {
  ASSERT_EQ(SetSz(HKEY_CURRENT_USER, u"defbitmap", u"\\windows\\temperature.bmp"), ERROR_SUCCESS);
  const DWORD needed = (24 + 1) * 2;
  BYTE buffer[needed];
  std::memset(buffer, 0xAB, sizeof buffer);
  DWORD type = 0, size = needed - 1;
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"defbitmap", nullptr, &type, buffer, &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, needed);
  EXPECT_EQ(type, REG_SZ);
  for (BYTE b : buffer) ASSERT_EQ(b, 0xAB) << "a short buffer must stay untouched";
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"defbitmap", nullptr, nullptr, buffer, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, u"defbitmap", nullptr, nullptr, buffer, nullptr),
            ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, MissingKeysAndValuesAndDeletion) {
  HKEY key = reinterpret_cast<HKEY>(std::uintptr_t{1});
  EXPECT_EQ(Open(kConfigKey, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  key = Create(kConfigKey);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"custom0", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueW(key, u"custom0"), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(SetSz(key, u"custom0", u"inch,cm,2.54,0"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"custom0"), ERROR_SUCCESS);
  EXPECT_EQ(GetSz(key, u"custom0"), std::nullopt);
  // The default value (null or empty name) is a value like the others.
  ASSERT_EQ(SetSz(key, nullptr, u"default"), ERROR_SUCCESS);
  EXPECT_EQ(GetSz(key, u""), u"default");
  RegCloseKey(key);
}

TEST_F(RegistryTest, NamesIgnoreAsciiCaseOnly) {
  DWORD disposition = 0;
  HKEY key = Create(kConfigKey, &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(SetSz(key, u"DefColor", u"1"), ERROR_SUCCESS);
  ASSERT_EQ(SetSz(key, u"defcolor", u"2"), ERROR_SUCCESS);     // the same value
  ASSERT_EQ(SetSz(key, u"\u00C4", u"upper"), ERROR_SUCCESS);
  ASSERT_EQ(SetSz(key, u"\u00E4", u"lower"), ERROR_SUCCESS);  // not folded: another one
  RegCloseKey(key);

  ASSERT_EQ(Open(u"SOFTWARE\\kestravo\\MENSORA\\config", &key), ERROR_SUCCESS);
  EXPECT_EQ(GetSz(key, u"DEFCOLOR"), u"2");
  EXPECT_EQ(GetSz(key, u"\u00C4"), u"upper");
  RegCloseKey(key);
  RegCloseKey(Create(u"software\\Kestravo\\mensora\\CONFIG", &disposition));
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
}

TEST_F(RegistryTest, PathsAndHandles) {
  RegCloseKey(Create(u"A\\B\\C\\"));  // parents are made; a trailing backslash is fine
  HKEY parent = nullptr, child = nullptr, same = nullptr;
  ASSERT_EQ(Open(u"a\\b", &parent), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(parent, u"c", 0, 0, &child), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(parent, nullptr, 0, 0, &same), ERROR_SUCCESS);
  ASSERT_EQ(SetSz(same, u"v", u"through the copy"), ERROR_SUCCESS);
  EXPECT_EQ(GetSz(parent, u"v"), u"through the copy");
  for (HKEY k : {parent, child, same}) EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
  // Closed, made-up and other roots' handles are refused; the root's close is a no-op.
  EXPECT_EQ(RegCloseKey(parent), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetSz(parent, u"v", u"x"), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetSz(reinterpret_cast<HKEY>(std::uintptr_t{0x1234567}), u"v", u"x"),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, nullptr, 0, 0, nullptr, &child,
                            nullptr),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

  HKEY bad = nullptr;
  for (const std::u16string& path : {std::u16string(u"\\A"), std::u16string(u"A\\\\B"),
                                     std::u16string(256, u'k')}) {
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, 0, nullptr, &bad,
                              nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(bad, nullptr);
  }
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"X", 0, nullptr, 0, 0, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, DeletingAKeyRemovesItsTreeAndStaleHandlesSayDeleted) {
  HKEY config = Create(kConfigKey);
  HKEY deeper = Create(u"Software\\KESTRAVO\\Mensora\\Config\\Deeper");
  HKEY other = Create(u"Software\\KESTRAVO\\Other");
  ASSERT_EQ(SetSz(config, u"digits", u"4"), ERROR_SUCCESS);
  ASSERT_EQ(SetSz(other, u"stays", u"1"), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"software\\kestravo\\mensora"), ERROR_SUCCESS);
  HKEY gone = nullptr;
  EXPECT_EQ(Open(kConfigKey, &gone), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetSz(other, u"stays"), u"1");
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Nobody"), ERROR_FILE_NOT_FOUND);

  // Old handles do not follow a new key of the same name.
  HKEY fresh = Create(kConfigKey);
  EXPECT_EQ(SetSz(config, u"digits", u"5"), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteValueW(deeper, u"x"), ERROR_KEY_DELETED);
  EXPECT_EQ(GetSz(fresh, u"digits"), std::nullopt);
  for (HKEY k : {config, deeper, other, fresh}) EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
}

TEST_F(RegistryTest, WithoutAUsableStoreCallsFailAndOpeningIsRetried) {
  HKEY key = Create(kConfigKey);
  ASSERT_EQ(SetSz(key, u"notation", u"1"), ERROR_SUCCESS);
  RegistryCloseStore();
  EXPECT_EQ(SetSz(HKEY_CURRENT_USER, u"v", u"x"), ERROR_CANTOPEN);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);  // closing the store closed it

  std::filesystem::path later = folder_.path() / "later" / "registry.db";
  EXPECT_EQ(RegistryUseStore(later), ERROR_CANTOPEN);
  EXPECT_EQ(SetSz(HKEY_CURRENT_USER, u"v", u"x"), ERROR_CANTOPEN);
  std::filesystem::create_directory(later.parent_path());
  EXPECT_EQ(SetSz(HKEY_CURRENT_USER, u"v", u"x"), ERROR_SUCCESS);

  ASSERT_EQ(RegistryUseStore(folder_.store()), ERROR_SUCCESS);
  ASSERT_EQ(Open(kConfigKey, &key), ERROR_SUCCESS);
  EXPECT_EQ(GetSz(key, u"notation"), u"1");
  RegCloseKey(key);
}
