// The registry reader of the System Information launcher, against the real
// registry: values written byte for byte under HKEY_CURRENT_USER and read back.

#include <gtest/gtest.h>

#include <optional>
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

    static bool ansiIsGbk() { return GetACP() == 936; }

    TestsKeyRemover testsKeyRemover_;
    TestRegistryKey key_;
};

// Each value written byte for byte, and the text read back, or nothing for
// a value that is not read.
TEST_F(GetKeyValue, ValuesOfEachTypeAndLength)
{
    struct Value {
        DWORD type;
        std::string bytes;
        std::optional<std::wstring> text;
        bool inGbk = false;  // read back only where the ANSI code page is 936
    };
    wchar_t systemRoot[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"SystemRoot", systemRoot, MAX_PATH), 0u);
    std::string han512;
    for (int i = 0; i < 512; ++i) han512 += HanInGbk;
    const Value values[] = {
        // Text loses only its last zero byte.
        {REG_SZ, "C:\\Tools\\msinfo32.exe", L"C:\\Tools\\msinfo32.exe"},
        {REG_SZ, "C:\\Tools\\msinfo32.exe\0"s, L"C:\\Tools\\msinfo32.exe"},
        {REG_SZ, "abc\0\0\0"s, L"abc\0\0"s},
        {REG_SZ, "a\0b\0"s, L"a\0b"s},
        {REG_SZ, "x", L"x"},
        {REG_SZ, "\0"s, L""},
        {REG_SZ, "C:\\"s + HanInGbk + "\\msinfo32.exe\0"s, L"C:\\汉\\msinfo32.exe", true},
        {REG_EXPAND_SZ, "%SystemRoot%\\system32\\msinfo32.exe\0"s, std::wstring(systemRoot) + L"\\system32\\msinfo32.exe"},
        {REG_EXPAND_SZ, "%NoSuchVariableForLorvane%\\x.exe\0"s, L"%NoSuchVariableForLorvane%\\x.exe"},
        // Up to 1024 data bytes, counted in the ANSI code page.
        {REG_SZ, std::string(1024, 'a'), std::wstring(1024, L'a')},
        {REG_SZ, std::string(1023, 'a') + '\0', std::wstring(1023, L'a')},
        {REG_SZ, std::string(1025, 'a'), std::nullopt},
        {REG_SZ, std::string(1024, 'a') + '\0', std::nullopt},
        {REG_SZ, std::string(4000, 'a'), std::nullopt},
        {REG_BINARY, std::string(1025, 'a'), std::nullopt},
        {REG_SZ, han512, std::wstring(512, L'汉'), true},
        {REG_SZ, han512 + '\0', std::nullopt, true},
        {REG_SZ, han512 + 'a', std::nullopt, true},
        // A number becomes the decimal text of its unsigned value.
        {REG_DWORD, "\x05\x01\x00\x00"s, L"261"},
        {REG_DWORD, "\x00\x00\x00\x00"s, L"0"},
        {REG_DWORD, "\x00\x00\x00\x01"s, L"16777216"},
        {REG_DWORD, "\x00\x00\x00\x80"s, L"2147483648"},
        {REG_DWORD, "\xFF\xFF\xFF\xFF"s, L"4294967295"},
        // Other types are not read.
        {REG_BINARY, "C:\\x.exe", std::nullopt},
        {REG_MULTI_SZ, "C:\\x.exe\0\0"s, std::nullopt},
        {REG_QWORD, "\x05\x01\x00\x00\x00\x00\x00\x00"s, std::nullopt},
        {REG_NONE, "C:\\x.exe", std::nullopt},
        {REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x05"s, std::nullopt},
    };
    for (const Value& value : values) {
        if (value.inGbk && !ansiIsGbk()) continue;
        key_.setBytes("v", value.type, value.bytes);
        std::wstring text;
        EXPECT_EQ(value.text.has_value(), read("v", text)) << "type " << value.type << ", " << value.bytes.size() << " bytes";
        EXPECT_EQ(value.text.value_or(L""), text) << "type " << value.type << ", " << value.bytes.size() << " bytes";
    }
    if (!ansiIsGbk()) GTEST_SKIP() << "the values in GBK were left out: the ANSI code page is " << GetACP();
}

TEST_F(GetKeyValue, TextWrittenWideIsReadInTheAnsiCodePage)
{
    if (!ansiIsGbk()) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 936";
    key_.setText("wide", L"D:\\系统工具\\信息.exe");
    std::wstring text;
    ASSERT_TRUE(read("wide", text));
    EXPECT_EQ(L"D:\\系统工具\\信息.exe", text);
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
