// A damaged store is found when opened, kept aside as it was, and replaced by
// an empty working one; anything short of damage is left alone.
#include <sqlite3.h>

#include <fstream>
#include <iterator>

#include "registry_test_support.h"

using regtest::GetSz;
using regtest::SetSz;
using regtest::TempFolder;

namespace {

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RegistryRecoveryTest : public ::testing::Test {
 protected:
  void TearDown() override { RegistryCloseStore(); }

  // Opens the store expecting it to be moved aside: checks the one stderr
  // line, that the new store works and is not moved aside again, and returns
  // the path of the moved file.
  std::filesystem::path OpenExpectingRecovery(const std::string& reason) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RegistryUseStore(folder_.store()), ERROR_SUCCESS);
    std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_EQ(SetSz(HKEY_CURRENT_USER, u"after", u"works"), ERROR_SUCCESS);
    RegistryCloseStore();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RegistryUseStore(folder_.store()), ERROR_SUCCESS);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(GetSz(HKEY_CURRENT_USER, u"after"), u"works");
    // "moved it to <path> and ..."
    std::size_t from = message.find("moved it to ") + 12;
    return message.substr(from, message.find(" and started", from) - from);
  }

  TempFolder folder_;
};

}  // namespace

TEST_F(RegistryRecoveryTest, GarbageIsMovedAsideWithItsWal) {
  std::string garbage(5000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 3);
  WriteFile(folder_.store(), garbage);
  WriteFile(folder_.store().string() + "-wal", "stale wal");

  std::filesystem::path aside = OpenExpectingRecovery("not a database");
  EXPECT_EQ(ReadFile(aside), garbage);
  EXPECT_EQ(ReadFile(aside.string() + "-wal"), "stale wal");
}

TEST_F(RegistryRecoveryTest, SomeoneElsesDatabaseIsNotTakenOver) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(folder_.store().c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE photos(id INTEGER PRIMARY KEY);", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  OpenExpectingRecovery("not a registry store");
}

TEST_F(RegistryRecoveryTest, DamagedPagesFailTheIntegrityCheck) {
  ASSERT_EQ(RegistryUseStore(folder_.store()), ERROR_SUCCESS);
  {
    RegistryTransaction group;  // enough values to span several pages
    for (int i = 0; i < 400; ++i) {
      std::u16string name = u"value" + std::u16string(static_cast<std::size_t>(i % 50 + 1), u'x') +
                            static_cast<char16_t>(u'A' + i / 50);
      ASSERT_EQ(SetSz(HKEY_CURRENT_USER, name.c_str(), std::u16string(40, u'v')), ERROR_SUCCESS);
    }
    ASSERT_EQ(group.Commit(), ERROR_SUCCESS);
  }
  RegistryCloseStore();  // the last connection folds the WAL into the file
  std::string bytes = ReadFile(folder_.store());
  ASSERT_GT(bytes.size(), 4u * 4096);
  for (std::size_t i = 2 * 4096; i < 3 * 4096; i += 3) bytes[i] = '\x5A';
  WriteFile(folder_.store(), bytes);

  EXPECT_EQ(ReadFile(OpenExpectingRecovery("damaged")), bytes);
  EXPECT_EQ(GetSz(HKEY_CURRENT_USER, u"valuexA"), std::nullopt);  // the new store is empty
}

TEST_F(RegistryRecoveryTest, EmptyOrReadOnlyFilesAreNotDamage) {
  WriteFile(folder_.store(), "");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RegistryUseStore(folder_.store()), ERROR_SUCCESS);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(SetSz(HKEY_CURRENT_USER, u"v", u"x"), ERROR_SUCCESS);
  RegistryCloseStore();

  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind root";
  std::filesystem::permissions(folder_.store(), std::filesystem::perms::owner_read);
  EXPECT_EQ(RegistryUseStore(folder_.store()), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(folder_.HasAsideFiles());
}
