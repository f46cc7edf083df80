#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/ini_file.h"

using namespace core;

namespace {
TMemIniFile Parse(std::string_view text) {
    TMemIniFile ini;
    ini.SetText(text);
    return ini;
}
}  // namespace

TEST(MemIniFile, FollowsTheLineGrammar) {
    TMemIniFile ini = Parse(
        "orphan=before any section\r\n"
        "  [ First ]  \r\n"
        "; a comment=not an entry\r\n"
        "\t key one =  value with  inner  blanks \t\r\n"
        "\r\n"
        "bare key\r\n"
        "split=a=b\n"
        "[Second]\r"
        "x=1");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(ini.ReadSection("First"), (std::vector<std::string>{"key one", "bare key", "split"}));
    EXPECT_EQ(ini.ReadString("First", "key one", "?"), "value with  inner  blanks");
    EXPECT_TRUE(ini.ValueExists("First", "bare key"));
    EXPECT_EQ(ini.ReadString("First", "bare key", "?"), "");
    EXPECT_EQ(ini.ReadString("First", "split", "?"), "a=b");
    EXPECT_EQ(ini.ReadString("Second", "x", "?"), "1");  // a final line without an end counts
    EXPECT_FALSE(ini.ValueExists("First", "orphan"));
    EXPECT_FALSE(ini.ValueExists("First", "; a comment"));
}

TEST(MemIniFile, NamesIgnoreCaseButValuesKeepIt) {
    TMemIniFile ini = Parse("[MenuItem]\nunenabledfontColor=MixedCase\n");
    EXPECT_EQ(ini.ReadString("MENUITEM", "unenabledfontcolor", ""), "MixedCase");
    EXPECT_TRUE(ini.SectionExists("menuitem"));
    EXPECT_EQ(ini.ReadString("menuitem", "missing", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("nosection", "x", "fallback"), "fallback");
}

TEST(MemIniFile, FirstOfDuplicateKeysAnswersAndRepeatedSectionsMerge) {
    TMemIniFile ini = Parse("[a]\nk=1\nk=2\n[b]\n[A]\nm=3\n");
    EXPECT_EQ(ini.ReadString("a", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("a", "m", ""), "3");
    EXPECT_EQ(ini.ReadSections().size(), 2u);
}

TEST(MemIniFile, ReadsIntegersInEverySyntaxAndFallsBackOnText) {
    TMemIniFile ini = Parse(
        "[n]\ndec=-42\nplus=+7\nhex=0x1F\nupper=0X10\ndollar=$FF0000\nwrap=$FFFFFFFF\n"
        "text=12px\nempty=\nbig=2147483648\nmin=-2147483648\nbadhex=0x\n");
    EXPECT_EQ(ini.ReadInteger("n", "dec", 0), -42);
    EXPECT_EQ(ini.ReadInteger("n", "plus", 0), 7);
    EXPECT_EQ(ini.ReadInteger("n", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("n", "upper", 0), 16);
    EXPECT_EQ(ini.ReadInteger("n", "dollar", 0), 0xFF0000);
    EXPECT_EQ(ini.ReadInteger("n", "wrap", 0), -1);
    EXPECT_EQ(ini.ReadInteger("n", "text", 5), 5);
    EXPECT_EQ(ini.ReadInteger("n", "empty", 5), 5);
    EXPECT_EQ(ini.ReadInteger("n", "big", 5), 5);
    EXPECT_EQ(ini.ReadInteger("n", "min", 5), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("n", "badhex", 5), 5);
    EXPECT_EQ(ini.ReadInteger("n", "missing", -1), -1);
}

TEST(MemIniFile, WritesErasesAndSerialises) {
    TMemIniFile ini = Parse("[keep]\na=1\n[drop]\nb=2\n");
    ini.WriteString("KEEP", "A", "10");
    ini.WriteInteger("keep", "c", -3);
    ini.WriteString("new", "d", "x");
    ini.EraseSection("DROP");
    ini.DeleteKey("keep", "missing");
    EXPECT_FALSE(ini.SectionExists("drop"));
    EXPECT_EQ(ini.ReadString("new", "d", ""), "x");  // lookups still work after erasing
    TStringList lines = ini.GetStrings();
    EXPECT_EQ(lines.Text(), "[keep]\na=10\nc=-3\n\n[new]\nd=x\n");
    TMemIniFile again(lines);
    EXPECT_EQ(again.ReadInteger("keep", "c", 0), -3);
    again.DeleteKey("keep", "A");
    EXPECT_FALSE(again.ValueExists("keep", "a"));
}
