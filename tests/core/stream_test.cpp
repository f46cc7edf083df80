#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/exceptions.h"
#include "core/stream.h"
#include "support/test_folder.h"

#include <unistd.h>

using namespace core;

namespace {

// One folder for this process's tests (ctest runs each test in its own process).
std::filesystem::path TempDir() {
    static testing_support::TestFolder folder;
    return folder.Path();
}

}  // namespace

TEST(MemoryStream, ReadsWhatWasWrittenAndTracksPosition) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Position(), 6);
    stream.SetPosition(2);
    char out[3] = {};
    stream.ReadBuffer(out, 3);
    EXPECT_EQ(std::string(out, 3), "cde");
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soEnd), 5);
    EXPECT_EQ(stream.Seek(-2, TSeekOrigin::soCurrent), 3);
}

TEST(MemoryStream, ShortMandatoryReadRaisesStreamReadError) {
    TMemoryStream stream(std::vector<uint8_t>{1, 2, 3});
    uint8_t out[4];
    try {
        stream.ReadBuffer(out, 4);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    // A plain read reports the short count instead.
    stream.SetPosition(1);
    EXPECT_EQ(stream.Read(out, 4), 2);
}

TEST(MemoryStream, SeekPastTheEndReadsNothingAndWriteFillsTheGapWithZeros) {
    TMemoryStream stream(std::vector<uint8_t>{9});
    EXPECT_EQ(stream.Seek(10, TSeekOrigin::soBeginning), 10);
    uint8_t byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 0);
    EXPECT_EQ(stream.Remaining(), 0);
    stream.WriteBuffer("x", 1);
    ASSERT_EQ(stream.Size(), 11);
    EXPECT_EQ(stream.Bytes()[5], 0);
    EXPECT_EQ(stream.Bytes()[10], 'x');
}

TEST(MemoryStream, NegativePositionReadsNothing) {
    TMemoryStream stream(std::vector<uint8_t>{1, 2});
    stream.Seek(-5, TSeekOrigin::soBeginning);
    uint8_t byte;
    EXPECT_EQ(stream.Read(&byte, 1), 0);
    EXPECT_EQ(stream.Write(&byte, 1), 0);
}

TEST(MemoryStream, CopyFromZeroCopiesTheWholeSource) {
    TMemoryStream source(std::vector<uint8_t>{1, 2, 3, 4});
    source.SetPosition(3);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 4);
    EXPECT_EQ(target.Bytes(), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(MemoryStream, CopyFromMoreThanTheSourceHoldsRaises) {
    TMemoryStream source(std::vector<uint8_t>{1, 2});
    TMemoryStream target;
    EXPECT_THROW(target.CopyFrom(source, 3), EReadError);
}

TEST(BytesStream, IsReadOnlyView) {
    const uint8_t data[] = {5, 6, 7};
    TBytesStream stream(data, sizeof data);
    EXPECT_EQ(stream.Write(data, 1), 0);
    EXPECT_EQ(stream.ReadValue<uint8_t>(), 5);
    stream.Seek(0, TSeekOrigin::soEnd);
    EXPECT_THROW(stream.ReadValue<uint8_t>(), EReadError);
}

TEST(FileStream, CreateTruncatesAndReadsBack) {
    auto path = (TempDir() / "truncate.bin").string();
    { std::ofstream(path) << "a much longer old content"; }
    {
        TFileStream file(path, fmCreate);
        file.WriteBuffer("new", 3);
    }
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(file.Size(), 3);
    char out[3];
    file.ReadBuffer(out, 3);
    EXPECT_EQ(std::string(out, 3), "new");
    EXPECT_THROW(file.ReadValue<char>(), EReadError);
}

TEST(FileStream, OpenMissingFileNamesFullPathAndSystemText) {
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(TempDir());
    try {
        TFileStream file("no-such-file.bmp", fmOpenRead);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        std::string expected = "Cannot open file \"" + (TempDir() / "no-such-file.bmp").string() +
                               "\". No such file or directory";
        EXPECT_EQ(e.Message(), expected);
    }
    std::filesystem::current_path(cwd);
}

TEST(FileStream, CreateInMissingFolderRaisesCreateError) {
    auto path = (TempDir() / "missing" / "x.ico").string();
    try {
        TFileStream file(path, fmCreate);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + path + "\". No such file or directory");
        EXPECT_STREQ(e.ClassName(), "EFCreateError");
    }
}

TEST(FileStream, OpeningAFolderFails) {
    EXPECT_THROW(TFileStream(TempDir().string(), fmOpenRead), EFOpenError);
}
