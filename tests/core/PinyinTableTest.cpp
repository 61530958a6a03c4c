#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "DataFileFailure.h"
#include "table/PinyinTable.h"
#include "table/TableFile.h"
#include "TemporaryFolder.h"
#include "TestText.h"

namespace lorvane {
namespace {

using Kind = DataFileError::Problem;

const std::string Zhong = testing::Gbk(u"中zhong");
const std::string Guo = testing::Gbk(u"国guo");

void LoadPinyinTable(const std::string& path, PinyinTable& table)
{
    TableFile file(path);
    LoadPinyinTable(file, table);
}

class PinyinTableFile : public ::testing::Test {
protected:
    std::string write(const std::string& bytes)
    {
        const std::filesystem::path path = folder_.path() / "pymb.dat";
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    PinyinTable load(const std::string& bytes)
    {
        PinyinTable table;
        LoadPinyinTable(write(bytes), table);
        return table;
    }

    static std::optional<Kind> failureOf(const std::string& path, PinyinTable& table)
    {
        return testing::FailureOf([&] { LoadPinyinTable(path, table); }, path);
    }

    static std::string entries(std::size_t count)
    {
        std::string bytes;
        for (std::size_t entry = 0; entry < count; ++entry) bytes += Zhong + std::to_string(entry) + "\r\n";
        return bytes;
    }

    testing::TemporaryFolder folder_;
};

TEST_F(PinyinTableFile, FillsSlotsInFileOrderAndLeavesTheRestEmpty)
{
    const PinyinTable table = load(Zhong + "\r\n" + Guo + "\r\n" + testing::Gbk(u"中chong\r\n"));
    EXPECT_EQ(3u, table.PinyinEntryCount);
    EXPECT_EQ(u"中zhong", table.slots[0]);
    EXPECT_EQ(u"国guo", table.slots[1]);
    EXPECT_EQ(u"中chong", table.slots[2]);
    for (std::size_t slot = 3; slot < PinyinTableCapacity; ++slot) ASSERT_TRUE(table.slots[slot].empty());
}

TEST_F(PinyinTableFile, FieldRules)
{
    const auto expectTwo = [&](const std::string& bytes) {
        const PinyinTable table = load(bytes);
        EXPECT_EQ(2u, table.PinyinEntryCount) << bytes;
        EXPECT_EQ(u"中zhong", table.slots[0]) << bytes;
        EXPECT_EQ(u"国guo", table.slots[1]) << bytes;
    };
    expectTwo(Zhong + "\r\n" + Guo);                        // no line end after the last line
    expectTwo(Zhong + "\r\n" + Guo + "\r\n");
    expectTwo(Zhong + "\n" + Guo + "\n");                   // LF alone
    expectTwo(Zhong + "\r" + Guo);                          // CR alone
    expectTwo(Zhong + "," + Guo + "\r\n");                  // a comma ends a field
    expectTwo("\r\n  \r\n" + Zhong + " \t\r\n\r\n " + Guo + "\r\n\r\n");  // blank lines and blanks
    expectTwo("\"" + Zhong + "\",\"" + Guo + "\"\r\n");     // quotes removed
    expectTwo(Zhong + ",,\r\n,\r\n" + Guo);                 // empty fields hold no entry
    expectTwo("\xEF\xBB\xBF\xE4\xB8\xADzhong\r\n\xE5\x9B\xBDguo\r\n");  // UTF-8 with its mark
}

TEST_F(PinyinTableFile, InvalidBytesBecomeReplacementCharacters)
{
    const PinyinTable gbk = load("\xFF" "a\r\n\xD6zz\r\n" + Zhong);
    EXPECT_EQ(u"\xFFFD" "a", gbk.slots[0]);
    EXPECT_EQ(u"中zhong", gbk.slots[2]);
    const PinyinTable utf8 = load("\xEF\xBB\xBF\xE4\xB8zhong\r\n\xC0guo");
    EXPECT_EQ(u"\xFFFDzhong", utf8.slots[0]);
    EXPECT_EQ(u"\xFFFDguo", utf8.slots[1]);
}

TEST_F(PinyinTableFile, CapacityLimits)
{
    PinyinTable full = load(entries(PinyinTableCapacity));
    EXPECT_EQ(PinyinTableCapacity, full.PinyinEntryCount);
    EXPECT_EQ(u"中zhong27950", full.slots[PinyinTableCapacity - 1]);

    PinyinTable overFull;
    const std::string path = write(entries(PinyinTableCapacity + 1) + "\r\n\r\n");
    try {
        LoadPinyinTable(path, overFull);
        FAIL() << "an over-full table loaded";
    } catch (const DataFileError& error) {
        EXPECT_EQ(Kind::TooManyEntries, error.problem());
        EXPECT_EQ(PinyinTableCapacity + 1, error.count());
        EXPECT_NE(std::string(error.what()).find("27,952 entries, more than the 27,951"), std::string::npos);
    }
    EXPECT_EQ(PinyinTableCapacity, overFull.slots.size());
    EXPECT_EQ(PinyinTableCapacity, overFull.PinyinEntryCount);
    EXPECT_EQ(u"中zhong27950", overFull.slots[PinyinTableCapacity - 1]);
}

TEST_F(PinyinTableFile, MissingEmptyAndUnreadableFilesFail)
{
    PinyinTable table;
    EXPECT_EQ(Kind::Missing, failureOf((folder_.path() / "pymb.dat").string(), table));
    EXPECT_EQ(Kind::Empty, failureOf(write(""), table));
    EXPECT_EQ(Kind::Empty, failureOf(write("\r\n \r\n,,"), table));
    EXPECT_EQ(Kind::Empty, failureOf(write("\xEF\xBB\xBF"), table));
    EXPECT_EQ(0u, table.PinyinEntryCount);

    std::filesystem::remove(folder_.path() / "pymb.dat");
    std::filesystem::create_directory(folder_.path() / "pymb.dat");
    EXPECT_EQ(Kind::Unreadable, failureOf((folder_.path() / "pymb.dat").string(), table));
}

TEST_F(PinyinTableFile, FilesLargerThanAnyTableAreRefused)
{
    PinyinTable table;
    const std::string path = write(Zhong);
    std::filesystem::resize_file(path, MaxDataFileBytes + 1);  // sparse: nothing to read
    EXPECT_EQ(Kind::TooLarge, failureOf(path, table));
#ifndef _WIN32
    EXPECT_EQ(Kind::TooLarge, failureOf("/dev/zero", table));  // no size and no end
#endif
}

TEST(DataFileError, MessageNamesTheFullPathAndGivesTheSystemsReason)
{
    const std::string message =
        DataFileError(DataFile::Table, Kind::Unreadable, "C:\\文件夹\\pymb.dat", "Permission denied").what();
    EXPECT_NE(message.find("\"C:\\文件夹\\pymb.dat\""), std::string::npos) << message;
    EXPECT_NE(message.find("(Permission denied)"), std::string::npos) << message;
    // A quote or a control character in a path is escaped, so that the
    // message reads one way only.
    EXPECT_EQ("cannot load the word data \"C:\\\\a\\\"b\\n\\x01\": the file is empty",
              std::string(DataFileError(DataFile::Words, Kind::Empty, "C:\\a\"b\n\x01").what()));
}

}  // namespace
}  // namespace lorvane
