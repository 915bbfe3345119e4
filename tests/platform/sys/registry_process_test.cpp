// The store between processes: a writer killed at any moment leaves a sound
// store where every value is old or new and every group whole or absent; two
// writers at once both get everything in; a forked child does not reuse its
// parent's connection.
#include <signal.h>
#include <sqlite3.h>

#include <random>
#include <string>

#include "registry_test_support.h"

using regtest::GetSz;
using regtest::kConfigKey;
using regtest::SetSz;
using regtest::StartChild;
using regtest::TempFolder;
using regtest::WaitChild;

namespace {

std::u16string Number(long n) {
  std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

long ParseNumber(const std::optional<std::u16string>& text) {
  return text ? std::stol(std::string(text->begin(), text->end())) : -1;
}

const char16_t* const kGroup[] = {u"g0", u"g1", u"g2", u"g3", u"g4"};

HKEY CreateConfigKey() {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, nullptr, 0, 0, nullptr, &key, nullptr);
  return key;
}

// The child that gets killed: forever, the five group values set to n in one
// transaction, then "single" set to n on its own. It first catches "single"
// up with the last group, so "single" is always the group's number or one
// behind.
int WriteForever(const std::filesystem::path& store) {
  if (RegistryUseStore(store) != ERROR_SUCCESS) return 10;
  HKEY key = CreateConfigKey();
  long last = ParseNumber(GetSz(key, u"g0"));
  if (!key || (last >= 0 && SetSz(key, u"single", Number(last)) != ERROR_SUCCESS)) return 11;
  for (long n = last + 1;; ++n) {
    RegistryTransaction group;
    for (const char16_t* name : kGroup)
      if (SetSz(key, name, Number(n)) != ERROR_SUCCESS) return 12;
    if (group.Commit() != ERROR_SUCCESS || SetSz(key, u"single", Number(n)) != ERROR_SUCCESS)
      return 13;
  }
}

std::string IntegrityCheck(const std::filesystem::path& store) {
  sqlite3* db = nullptr;
  sqlite3_stmt* stmt = nullptr;
  std::string answer = "cannot check";
  if (sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    answer = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return answer;
}

}  // namespace

TEST(RegistryProcesses, AWriterKilledAtAnyMomentLeavesASoundStore) {
  TempFolder folder;
  std::mt19937 random(20261207);
  // Kill moments from before the child has opened the store to well into its loop.
  std::uniform_int_distribution<int> delayUs(0, 25000);
  long lastGroup = -1;
  for (int trial = 0; trial < 200; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    pid_t child = StartChild([&] { return WriteForever(folder.store()); });
    ASSERT_GT(child, 0);
    ::usleep(static_cast<useconds_t>(delayUs(random)));
    ::kill(child, SIGKILL);
    ASSERT_EQ(WaitChild(child), -SIGKILL) << "the writer failed on its own";

    ASSERT_EQ(IntegrityCheck(folder.store()), "ok");
    ASSERT_EQ(RegistryUseStore(folder.store()), ERROR_SUCCESS);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, 0, &key) == ERROR_SUCCESS) {
      long group = ParseNumber(GetSz(key, kGroup[0]));
      for (const char16_t* name : kGroup) ASSERT_EQ(ParseNumber(GetSz(key, name)), group);
      long single = ParseNumber(GetSz(key, u"single"));
      ASSERT_TRUE(single == group || single == group - 1) << single << " vs " << group;
      ASSERT_GE(group, lastGroup);  // nothing ever goes back
      lastGroup = group;
      RegCloseKey(key);
    } else {
      ASSERT_EQ(lastGroup, -1) << "the key vanished";
    }
    RegistryCloseStore();
  }
  EXPECT_FALSE(folder.HasAsideFiles());
  EXPECT_GT(lastGroup, 20) << "the kills must also land inside the write loop";
}

TEST(RegistryProcesses, TwoWritersAtOnceBothGetEverythingIn) {
  TempFolder folder;
  constexpr int kWrites = 300;
  int gate[2];
  ASSERT_EQ(::pipe(gate), 0);
  // Both create the same key and write beside each other; every fifth round
  // is a group of two. The pipe releases them together.
  auto writer = [&](char16_t prefix) {
    return [&, prefix] {
      ::close(gate[1]);
      char go;
      if (::read(gate[0], &go, 1) != 0 || RegistryUseStore(folder.store()) != ERROR_SUCCESS)
        return 20;
      for (int i = 0; i < kWrites; ++i) {
        HKEY key = CreateConfigKey();
        std::u16string name = prefix + Number(i);
        RegistryTransaction group;
        if (!key || SetSz(key, name.c_str(), Number(i)) != ERROR_SUCCESS ||
            (i % 5 == 0 && SetSz(key, (name + u"+").c_str(), Number(i)) != ERROR_SUCCESS) ||
            group.Commit() != ERROR_SUCCESS || GetSz(key, name.c_str()) != Number(i))
          return 21;
        RegCloseKey(key);
      }
      return 0;
    };
  };
  pid_t a = StartChild(writer(u'a'));
  pid_t b = StartChild(writer(u'b'));
  ::close(gate[0]);
  ::close(gate[1]);
  EXPECT_EQ(WaitChild(a), 0);
  EXPECT_EQ(WaitChild(b), 0);

  ASSERT_EQ(IntegrityCheck(folder.store()), "ok");
  ASSERT_EQ(RegistryUseStore(folder.store()), ERROR_SUCCESS);
  HKEY key = CreateConfigKey();
  int missing = 0;
  for (char16_t prefix : {u'a', u'b'})
    for (int i = 0; i < kWrites; ++i) {
      std::u16string name = prefix + Number(i);
      missing += GetSz(key, name.c_str()) != Number(i);
      if (i % 5 == 0) missing += GetSz(key, (name + u"+").c_str()) != Number(i);
    }
  EXPECT_EQ(missing, 0);
  RegistryCloseStore();
}

TEST(RegistryProcesses, AForkedChildOpensItsOwnConnection) {
  TempFolder folder;
  ASSERT_EQ(RegistryUseStore(folder.store()), ERROR_SUCCESS);
  HKEY key = CreateConfigKey();
  ASSERT_EQ(SetSz(key, u"parent", u"1"), ERROR_SUCCESS);
  // The child uses the registry as inherited, handle included, and ends
  // without closing anything.
  pid_t child = StartChild([&] {
    return GetSz(key, u"parent") == u"1" && SetSz(key, u"child", u"2") == ERROR_SUCCESS ? 0 : 30;
  });
  ASSERT_EQ(WaitChild(child), 0);
  // The parent's connection is unharmed and sees the child's write.
  EXPECT_EQ(GetSz(key, u"child"), u"2");
  EXPECT_EQ(SetSz(key, u"parent", u"3"), ERROR_SUCCESS);
  RegistryCloseStore();
  EXPECT_EQ(IntegrityCheck(folder.store()), "ok");
}
