// Transaction scopes: a group of writes reaches the store whole or not at
// all, and a broken group never lets its writes through one by one.
#include <sqlite3.h>

#include "registry_test_support.h"

using regtest::GetSz;
using regtest::RegistryTest;
using regtest::SetSz;

namespace {

// The number of values a second connection (standing for another process)
// sees: the committed state only.
int ValuesSeenElsewhere(const std::filesystem::path& store) {
  sqlite3* db = nullptr;
  sqlite3_stmt* stmt = nullptr;
  int count = -1;
  if (sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, "SELECT count(*) FROM vals", -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    count = sqlite3_column_int(stmt, 0);
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return count;
}

const HKEY kRoot = HKEY_CURRENT_USER;

}  // namespace

using RegistryTransactionTest = RegistryTest;

TEST_F(RegistryTransactionTest, CommitPublishesTheWholeGroupAtOnce) {
  {
    RegistryTransaction group;
    EXPECT_EQ(SetSz(kRoot, u"custom0", u"inch,cm,2.54,0"), ERROR_SUCCESS);
    {
      RegistryTransaction inner;  // joins the group
      EXPECT_EQ(SetSz(kRoot, u"custom1", u"cm,inch,0.393701,0"), ERROR_SUCCESS);
      EXPECT_EQ(inner.Commit(), ERROR_SUCCESS);
    }
    // A failed call inside the group leaves the rest of it as it was.
    EXPECT_EQ(RegDeleteValueW(kRoot, u"missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetSz(kRoot, u"custom1"), u"cm,inch,0.393701,0");  // seen here already
    EXPECT_EQ(ValuesSeenElsewhere(folder_.store()), 0);           // but not elsewhere
    EXPECT_EQ(group.Commit(), ERROR_SUCCESS);
    EXPECT_EQ(group.Commit(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ValuesSeenElsewhere(folder_.store()), 2);
    // After the commit, writes are ordinary ones even while the scope lives.
    EXPECT_EQ(SetSz(kRoot, u"custom2", u"x"), ERROR_SUCCESS);
    EXPECT_EQ(ValuesSeenElsewhere(folder_.store()), 3);
  }
}

TEST_F(RegistryTransactionTest, LeavingWithoutCommitUndoesEverything) {
  ASSERT_EQ(SetSz(kRoot, u"digits", u"4"), ERROR_SUCCESS);
  {
    RegistryTransaction group;
    EXPECT_EQ(SetSz(kRoot, u"digits", u"9"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(kRoot, u"digits"), ERROR_SUCCESS);
    HKEY made = nullptr;
    EXPECT_EQ(RegCreateKeyExW(kRoot, u"Made", 0, nullptr, 0, 0, nullptr, &made, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(made);
  }
  EXPECT_EQ(GetSz(kRoot, u"digits"), u"4");
  HKEY made = nullptr;
  EXPECT_EQ(RegOpenKeyExW(kRoot, u"Made", 0, 0, &made), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTransactionTest, AnAbandonedInnerScopeFailsTheWholeGroup) {
  {
    RegistryTransaction outer;
    EXPECT_EQ(SetSz(kRoot, u"a", u"1"), ERROR_SUCCESS);
    {
      RegistryTransaction inner;
      EXPECT_EQ(SetSz(kRoot, u"b", u"2"), ERROR_SUCCESS);
    }
    // The group is gone; later writes in it are refused rather than stored alone.
    EXPECT_EQ(GetSz(kRoot, u"a"), std::nullopt);
    EXPECT_NE(SetSz(kRoot, u"c", u"3"), ERROR_SUCCESS);
    EXPECT_NE(outer.Commit(), ERROR_SUCCESS);
  }
  EXPECT_EQ(ValuesSeenElsewhere(folder_.store()), 0);
  EXPECT_EQ(SetSz(kRoot, u"d", u"4"), ERROR_SUCCESS);  // the registry works as before
  EXPECT_EQ(ValuesSeenElsewhere(folder_.store()), 1);
}

TEST_F(RegistryTransactionTest, AGroupThatCannotBeginRefusesItsWrites) {
  RegistryCloseStore();
  {
    RegistryTransaction group;
    EXPECT_EQ(group.Status(), ERROR_CANTOPEN);
    // Even once a store is there again, the dead group's writes are refused.
    EXPECT_EQ(RegistryUseStore(folder_.store()), ERROR_SUCCESS);
    EXPECT_NE(SetSz(kRoot, u"a", u"1"), ERROR_SUCCESS);
    EXPECT_EQ(group.Commit(), ERROR_CANTOPEN);
  }
  EXPECT_EQ(ValuesSeenElsewhere(folder_.store()), 0);
  EXPECT_EQ(SetSz(kRoot, u"a", u"1"), ERROR_SUCCESS);
}
