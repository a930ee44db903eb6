#include "app/InputDiscovery.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "app/NameCheck.h"
#include "convert/TestSupport.h"

namespace cut2edl {
namespace {

namespace fs = boost::filesystem;
using Paths = std::vector<fs::path>;

Paths sorted(Paths paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

class Discovery : public ::testing::Test {
protected:
    // root/ a.txt .txt a.TXT b.mpg x.txt/inner.txt sub/c.txt sub/deeper/d.txt empty/
    void SetUp() override {
        fs::create_directories(root / "x.txt");
        fs::create_directories(root / "sub" / "deeper");
        fs::create_directories(root / "empty");
        for (const char* name : {"a.txt", ".txt", "a.TXT", "b.mpg", "x.txt/inner.txt", "sub/c.txt",
                                 "sub/deeper/d.txt"}) {
            test::writeFile(root / name, "1 2\n");
        }
    }

    Paths scan(const fs::path& directory, bool recursive) const {
        return sorted(scanDirectory(directory, recursive, cutListPattern()));
    }

    std::string add(const std::string& input) {
        const test::CoutCapture output;
        addInput(options, input);
        return output.text();
    }

    test::TempDir folder;
    fs::path root = folder / "root";
    Options options;
    const Paths topLevel = sorted({root / "a.txt", root / ".txt"});
    const Paths allLevels =
        sorted({root / "a.txt", root / ".txt", root / "x.txt/inner.txt", root / "sub/c.txt", root / "sub/deeper/d.txt"});
};

TEST_F(Discovery, OnlyLowerCaseTxtFilesAreCutLists) {
    EXPECT_EQ(scan(root, false), topLevel);
    EXPECT_EQ(scan(root, true), allLevels);
}

TEST_F(Discovery, SubdirectoryFilesStandTogetherWhereTheSubdirectoryWasMet) {
    const Paths found = scanDirectory(root, true, cutListPattern());
    for (const fs::path& subdirectory : {root / "sub", root / "x.txt"}) {
        const auto inside = [&](const fs::path& file) { return file.string().rfind(subdirectory.string() + "/", 0) == 0; };
        const auto first = std::find_if(found.begin(), found.end(), inside);
        const auto afterFirst = std::find_if_not(first, found.end(), inside);
        EXPECT_EQ(std::find_if(afterFirst, found.end(), inside), found.end()) << subdirectory;
    }
}

TEST_F(Discovery, LinkBackToAParentIsNotWalkedAgain) {
    fs::create_directory_symlink(root, root / "sub/deeper/up");
    EXPECT_EQ(scan(root, true), allLevels);
}

TEST_F(Discovery, LinksToEachOtherAreWalkedOnce) {
    fs::create_directory_symlink(root / "sub", root / "x.txt/to-sub");
    fs::create_directory_symlink(root / "x.txt", root / "sub/to-x");
    EXPECT_EQ(scan(root / "sub", true),
              sorted({root / "sub/c.txt", root / "sub/deeper/d.txt", root / "sub/to-x/inner.txt"}));
}

TEST_F(Discovery, LinkThatLeadsElsewhereIsFollowed) {
    fs::create_directories(folder / "elsewhere");
    test::writeFile(folder / "elsewhere/e.txt", "");
    fs::create_directory_symlink(folder / "elsewhere", root / "sub/link");
    Paths expected = allLevels;
    expected.push_back(root / "sub/link/e.txt");
    EXPECT_EQ(scan(root, true), sorted(expected));
    EXPECT_EQ(scan(root, false), topLevel);
}

TEST_F(Discovery, UnreadableDirectoryGivesNothing) {
    EXPECT_TRUE(scanDirectory(folder / "missing", true, cutListPattern()).empty());
    EXPECT_TRUE(scanDirectory(root / "a.txt", true, cutListPattern()).empty());
}

TEST_F(Discovery, NamedDirectoryIsRecordedAndSearched) {
    options.subdirs = true;
    EXPECT_EQ(add(root.string()), "");
    EXPECT_EQ(add((root / "empty").string()), "");
    EXPECT_EQ(add((root / "x.txt").string()), "");
    EXPECT_EQ(options.inputDirs, (Paths{root, root / "empty", root / "x.txt"}));
    Paths expected = allLevels;
    expected.push_back(root / "x.txt/inner.txt");
    EXPECT_EQ(sorted(options.inputFiles), sorted(expected));
}

TEST_F(Discovery, NamedFilesAreTakenOnlyWithTheTxtExtension) {
    for (const char* name : {"a.txt", "a.TXT", "b.mpg", ".txt", "a.txt"}) EXPECT_EQ(add((root / name).string()), "");
    EXPECT_EQ(options.inputFiles, (Paths{root / "a.txt", root / ".txt", root / "a.txt"}));
    EXPECT_TRUE(options.inputDirs.empty());
}

TEST_F(Discovery, DirectoryAndACutListInItGiveItTwice) {
    add(root.string());
    add((root / "a.txt").string());
    add(root.string());
    EXPECT_EQ(options.inputDirs, (Paths{root, root}));
    EXPECT_EQ(std::count(options.inputFiles.begin(), options.inputFiles.end(), root / "a.txt"), 3);
}

TEST_F(Discovery, MissingInputIsReported) {
    const fs::path missing = root / "missing.txt";
    EXPECT_EQ(add(missing.string()), "Input does not exist: " + missing.generic_string() + "\n");
    fs::create_symlink(root / "gone", root / "dangling.txt");
    EXPECT_EQ(add((root / "dangling.txt").string()), "Input does not exist: " + (root / "dangling.txt").generic_string() + "\n");
    EXPECT_TRUE(options.inputFiles.empty());
    EXPECT_TRUE(options.inputDirs.empty());
}

TEST(NameCheck, WindowsRule) {
    for (const char* good : {"a.txt", ".txt", ".", "..", "show part 1.txt", "a\x7F"}) {
        EXPECT_TRUE(windows_name(good)) << good;
    }
    for (const char* bad : {"", "a<b", "a>b", "a:b", "a\"b", "a/b", "a\\b", "a|b", "a\x01", "a\x1F", "a ", "a."}) {
        EXPECT_FALSE(windows_name(bad)) << bad;
    }
}

TEST(NameCheck, PathOfBadNameThrows) {
#ifdef _WIN32
    EXPECT_THROW(checked_path("D:/rec/a|b.txt"), fs::filesystem_error);
    EXPECT_NO_THROW(checked_path("D:\\rec\\a.txt"));
#else
    EXPECT_TRUE(native("a:b|c\\d<e>.txt "));
    EXPECT_FALSE(native(""));
    EXPECT_EQ(checked_path("/rec/a:b.txt/").string(), "/rec/a:b.txt/");
#endif
}

}  // namespace
}  // namespace cut2edl
