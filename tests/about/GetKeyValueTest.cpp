// The registry reader of the System Information launcher, against the real
// registry: values written byte for byte under HKEY_CURRENT_USER and read back.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "TestRegistryKey.h"
#include "TestText.h"
#include "about/frmAbout.h"

namespace lorvane::about_tests {
namespace {

using ui::frmAbout;
using namespace std::string_literals;

constexpr wchar_t Leftover[] = L"text from before the read";

// Two bytes in code page 936 for one character.
const std::string HanInGbk = testing::Gbk(u"汉");

constexpr wchar_t TestsKey[] = L"Software\\LorvaneTests";

// Removes the key of all test keys once the last one under it has gone: the
// system deletes no key that still has sub-keys.
struct TestsKeyRemover {
    ~TestsKeyRemover() { RegDeleteKeyW(HKEY_CURRENT_USER, TestsKey); }
};

class GetKeyValue : public ::testing::Test {
protected:
    GetKeyValue()
        : key_(HKEY_CURRENT_USER, TestsKey + (L"\\GetKeyValue " + std::to_wstring(GetCurrentProcessId())))
    {
    }

    // Reads `name` of the test key into a text that held Leftover.
    bool read(const std::string& name, std::wstring& text) const
    {
        text = Leftover;
        return frmAbout::GetKeyValue(HKEY_CURRENT_USER, key_.ansiPath(), name, text);
    }

    // Writes `bytes` as `type` and reads them back; fails the test unless the read succeeds.
    std::wstring roundTrip(DWORD type, const std::string& bytes) const
    {
        key_.setBytes("v", type, bytes);
        std::wstring text;
        EXPECT_TRUE(read("v", text)) << "a value of type " << type << " and " << bytes.size() << " bytes";
        return text;
    }

    void expectUnreadable(DWORD type, const std::string& bytes) const
    {
        key_.setBytes("v", type, bytes);
        std::wstring text;
        EXPECT_FALSE(read("v", text)) << "a value of type " << type << " and " << bytes.size() << " bytes";
        EXPECT_EQ(L"", text) << "a value of type " << type << " and " << bytes.size() << " bytes";
    }

    static bool ansiIsGbk() { return GetACP() == 936; }

    TestsKeyRemover testsKeyRemover_;
    TestRegistryKey key_;
};

TEST_F(GetKeyValue, TextLosesOnlyItsLastZeroByte)
{
    EXPECT_EQ(L"C:\\Tools\\msinfo32.exe", roundTrip(REG_SZ, "C:\\Tools\\msinfo32.exe"));
    EXPECT_EQ(L"C:\\Tools\\msinfo32.exe", roundTrip(REG_SZ, "C:\\Tools\\msinfo32.exe\0"s));
    EXPECT_EQ(L"abc\0\0"s, roundTrip(REG_SZ, "abc\0\0\0"s));
    EXPECT_EQ(L"a\0b"s, roundTrip(REG_SZ, "a\0b\0"s));
    EXPECT_EQ(L"x", roundTrip(REG_SZ, "x"));
    EXPECT_EQ(L"", roundTrip(REG_SZ, "\0"s));
}

TEST_F(GetKeyValue, SuccessReplacesWhatTheTextHeld)
{
    key_.setBytes("v", REG_SZ, "short\0"s);
    std::wstring text;
    ASSERT_TRUE(read("v", text));
    EXPECT_EQ(L"short", text);
}

TEST_F(GetKeyValue, AnsiTextIsConverted)
{
    if (!ansiIsGbk()) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 936";
    EXPECT_EQ(L"C:\\汉\\msinfo32.exe", roundTrip(REG_SZ, "C:\\"s + HanInGbk + "\\msinfo32.exe\0"s));

    key_.setText("wide", L"D:\\系统工具\\信息.exe");
    std::wstring text;
    ASSERT_TRUE(read("wide", text));
    EXPECT_EQ(L"D:\\系统工具\\信息.exe", text);
}

TEST_F(GetKeyValue, ReadsUpTo1024DataBytes)
{
    EXPECT_EQ(std::wstring(1024, L'a'), roundTrip(REG_SZ, std::string(1024, 'a')));
    EXPECT_EQ(std::wstring(1023, L'a'), roundTrip(REG_SZ, std::string(1023, 'a') + '\0'));
    expectUnreadable(REG_SZ, std::string(1025, 'a'));
    expectUnreadable(REG_SZ, std::string(1024, 'a') + '\0');
    expectUnreadable(REG_SZ, std::string(4000, 'a'));
    expectUnreadable(REG_BINARY, std::string(1025, 'a'));
}

TEST_F(GetKeyValue, LimitCountsAnsiBytesNotCharacters)
{
    if (!ansiIsGbk()) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 936";
    std::string han512;
    for (int i = 0; i < 512; ++i) han512 += HanInGbk;
    EXPECT_EQ(std::wstring(512, L'汉'), roundTrip(REG_SZ, han512));
    expectUnreadable(REG_SZ, han512 + '\0');
    expectUnreadable(REG_SZ, han512 + 'a');
}

TEST_F(GetKeyValue, ValueWithoutBytesThrows)
{
    std::wstring text;
    constexpr DWORD Types[] = {REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD};
    for (const DWORD type : Types) {
        key_.setBytes("empty", type, "");
        EXPECT_THROW(read("empty", text), std::invalid_argument) << "a value of type " << type;
    }
}

// The system hands out the handle freed last, or the lowest free one: a key
// that a read leaves open keeps the next handle from being the one it was.
TEST_F(GetKeyValue, KeyIsClosedOnEveryWayOut)
{
    key_.setBytes("empty", REG_SZ, "");
    key_.setBytes("text", REG_SZ, "abc\0"s);
    key_.setBytes("binary", REG_BINARY, "abc");
    auto nextHandle = [&] {
        HKEY opened = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, key_.path().c_str(), 0, KEY_QUERY_VALUE, &opened));
        RegCloseKey(opened);
        return opened;
    };
    const HKEY before = nextHandle();
    std::wstring text;
    EXPECT_THROW(read("empty", text), std::invalid_argument);
    EXPECT_TRUE(read("text", text));
    EXPECT_FALSE(read("binary", text));
    EXPECT_FALSE(read("missing", text));
    EXPECT_EQ(before, nextHandle()) << "a read left its key open";
}

TEST_F(GetKeyValue, NumberBecomesDecimalTextOfTheUnsignedValue)
{
    EXPECT_EQ(L"261", roundTrip(REG_DWORD, "\x05\x01\x00\x00"s));
    EXPECT_EQ(L"0", roundTrip(REG_DWORD, "\x00\x00\x00\x00"s));
    EXPECT_EQ(L"16777216", roundTrip(REG_DWORD, "\x00\x00\x00\x01"s));
    EXPECT_EQ(L"2147483648", roundTrip(REG_DWORD, "\x00\x00\x00\x80"s));
    EXPECT_EQ(L"4294967295", roundTrip(REG_DWORD, "\xFF\xFF\xFF\xFF"s));
}

TEST_F(GetKeyValue, ExpandableTextIsExpanded)
{
    wchar_t systemRoot[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"SystemRoot", systemRoot, MAX_PATH), 0u);
    EXPECT_EQ(std::wstring(systemRoot) + L"\\system32\\msinfo32.exe",
              roundTrip(REG_EXPAND_SZ, "%SystemRoot%\\system32\\msinfo32.exe\0"s));
    EXPECT_EQ(L"%NoSuchVariableForLorvane%\\x.exe", roundTrip(REG_EXPAND_SZ, "%NoSuchVariableForLorvane%\\x.exe\0"s));
}

TEST_F(GetKeyValue, OtherTypesAreNotRead)
{
    expectUnreadable(REG_BINARY, "C:\\x.exe");
    expectUnreadable(REG_MULTI_SZ, "C:\\x.exe\0\0"s);
    expectUnreadable(REG_QWORD, "\x05\x01\x00\x00\x00\x00\x00\x00"s);
    expectUnreadable(REG_NONE, "C:\\x.exe");
    expectUnreadable(REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x05"s);
}

TEST_F(GetKeyValue, MissingKeyOrValueEmptiesTheText)
{
    std::wstring text = Leftover;
    EXPECT_FALSE(frmAbout::GetKeyValue(HKEY_CURRENT_USER, key_.ansiPath() + "\\NoSuchKey", "v", text));
    EXPECT_EQ(L"", text);

    key_.setBytes("present", REG_SZ, "x\0"s);
    EXPECT_FALSE(read("absent", text));
    EXPECT_EQ(L"", text);
}

TEST_F(GetKeyValue, KeyThatMayOnlyBeReadIsRead)
{
    key_.setBytes("v", REG_SZ, "C:\\Tools\\msinfo32.exe\0"s);
    key_.grantEveryoneOnly(L"KR");
    HKEY writable = nullptr;
    const LONG openForWriting = RegOpenKeyExA(HKEY_CURRENT_USER, key_.ansiPath().c_str(), 0, KEY_SET_VALUE, &writable);
    if (openForWriting == ERROR_SUCCESS) {
        RegCloseKey(writable);
        GTEST_SKIP() << "this system lets the key be opened for writing despite its access list";
    }
    ASSERT_EQ(ERROR_ACCESS_DENIED, openForWriting);

    std::wstring text;
    ASSERT_TRUE(read("v", text));
    EXPECT_EQ(L"C:\\Tools\\msinfo32.exe", text);
}

}  // namespace
}  // namespace lorvane::about_tests
