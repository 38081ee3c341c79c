#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "db/sql_script.h"

using namespace quillet;
using Statements = std::vector<std::string>;

TEST_CASE("an SQL script splits at the ';' that end statements, not at those in comments or quotes") {
    CHECK_EQ(SplitSqlScript("CREATE TABLE a (x);\nCREATE TABLE b (y);\n"),
             Statements{"CREATE TABLE a (x)", "\nCREATE TABLE b (y)"});
    CHECK_EQ(SplitSqlScript("-- time; and more\nCREATE TABLE a (x); -- tail;\n"),
             Statements{"\nCREATE TABLE a (x)"});
    CHECK_EQ(SplitSqlScript("CREATE TABLE a (x CHAR DEFAULT '', y CHAR DEFAULT ';''x')"),
             Statements{"CREATE TABLE a (x CHAR DEFAULT '', y CHAR DEFAULT ';''x')"});
    CHECK_EQ(SplitSqlScript("CREATE TABLE \"a;b\" (x)"), Statements{"CREATE TABLE \"a;b\" (x)"});
    CHECK(SplitSqlScript("-- nothing but a comment\n ;; \n").empty());
    CHECK_EQ(SplitSqlScript("SELECT 'open"), Statements{"SELECT 'open"});  // an unclosed quote runs to the end
}
