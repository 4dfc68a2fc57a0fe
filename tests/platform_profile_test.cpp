// The settings-file functions of the Win32 stand-in: GetPrivateProfileIntA,
// GetPrivateProfileStringA, WritePrivateProfileStringA.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/TempFolder.h"
#include "win32standin/Environment.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::vector<std::string> folderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

class PlatformProfileTest : public ::testing::Test {
 protected:
  void TearDown() override { win32standin::setProfileWriteCrashBeforeRename(false); }

  std::string ini() const { return (dir_.path() / "Inkline.ini").string(); }
  void setContent(const std::string& text) const { writeFile(ini(), text); }
  std::string content() const { return readFile(ini()); }

  std::string get(const char* section, const char* key, const char* fallback = "<none>", DWORD size = 256) const {
    std::vector<char> buffer(size + 1, '#');
    const DWORD copied = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, ini().c_str());
    EXPECT_EQ(copied, std::char_traits<char>::length(buffer.data()));
    return std::string(buffer.data());
  }

  TempFolder dir_;
};

// --- reading -----------------------------------------------------------------------------

TEST_F(PlatformProfileTest, MissingFileSectionOrKeyGiveTheFallback) {
  EXPECT_EQ(get("Options", "Width", "dflt"), "dflt");
  EXPECT_EQ(GetPrivateProfileIntA("Options", "Width", 42, ini().c_str()), 42u);

  setContent("[Options]\r\nWidth=5\r\n");
  struct Case {
    const char* section;
    const char* key;
  };
  for (const Case& c : {Case{"Other", "Width"}, Case{"Options", "Height"}, Case{"Width", "Options"}}) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(get(c.section, c.key, "dflt"), "dflt");
    EXPECT_EQ(GetPrivateProfileIntA(c.section, c.key, -7, ini().c_str()), static_cast<UINT>(-7));
  }
  EXPECT_EQ(get("Options", "Width", "dflt"), "5");
}

TEST_F(PlatformProfileTest, NullDefaultIsEmptyAndTrailingBlanksOfTheDefaultAreDropped) {
  EXPECT_EQ(get("S", "k", nullptr), "");
  EXPECT_EQ(get("S", "k", "  pad  "), "  pad");
}

TEST_F(PlatformProfileTest, SectionsAndKeysMatchIgnoringCaseAndBlanks) {
  setContent("  [ Stroke Options ]  \r\n  Brush Size = 12  \r\nCOLOR=red\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  for (const Case& c : {Case{"Stroke Options", "Brush Size", "12"}, Case{"STROKE OPTIONS", "brush size", "12"},
                        Case{"stroke options", "color", "red"}, Case{" Stroke Options ", " Color ", "red"}}) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(get(c.section, c.key), c.expected);
  }
}

TEST_F(PlatformProfileTest, ValuesAreTrimmedAndLoseEnclosingQuotes) {
  struct Case {
    const char* line;
    const char* expected;
  };
  for (const Case& c : {Case{"k=plain", "plain"}, Case{"k=   spaced out \t ", "spaced out"},
                        Case{"k=\"  quoted  \"", "  quoted  "}, Case{"k='single'", "single"},
                        Case{"k=\"unbalanced", "\"unbalanced"}, Case{"k=\"mixed'", "\"mixed'"},
                        Case{"k=a=b", "a=b"}, Case{"k=", ""}, Case{"k=\"\"", ""}}) {
    SCOPED_TRACE(c.line);
    setContent(std::string("[S]\r\n") + c.line + "\r\n");
    EXPECT_EQ(get("S", "k"), c.expected);
  }
}

TEST_F(PlatformProfileTest, FirstOccurrenceWinsAndCommentsAreNoKeys) {
  setContent("k=outside\r\n[S]\r\n;k=comment\r\nk=first\r\nk=second\r\n[S]\r\nk=third\r\n");
  EXPECT_EQ(get("S", "k"), "first");
  EXPECT_EQ(get("S", ";k"), "<none>");
}

TEST_F(PlatformProfileTest, ValueIsTruncatedToTheBuffer) {
  setContent("[S]\r\nk=abcdef\r\n");
  struct Case {
    DWORD size;
    const char* expected;
  };
  for (const Case& c : {Case{1, ""}, Case{2, "a"}, Case{4, "abc"}, Case{6, "abcde"}, Case{7, "abcdef"}, Case{100, "abcdef"}}) {
    SCOPED_TRACE(c.size);
    EXPECT_EQ(get("S", "k", "", c.size), c.expected);
    EXPECT_EQ(get("S", "missing", "uvwxyz", c.size), std::string("uvwxyz").substr(0, c.size - 1));
  }
  // Nothing is written into a zero-sized buffer.
  char untouched = '#';
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", &untouched, 0, ini().c_str()), 0u);
  EXPECT_EQ(untouched, '#');
}

TEST_F(PlatformProfileTest, IntegersParseAsWindowsDoes) {
  struct Case {
    const char* value;
    UINT expected;
  };
  for (const Case& c : {Case{"50", 50u}, Case{"-3", 0xFFFFFFFDu}, Case{"300", 300u}, Case{"abc", 0u},
                        Case{"12abc", 12u}, Case{" 7 ", 7u}, Case{"+8", 8u}, Case{"-", 0u}, Case{"\"9\"", 9u},
                        Case{"4294967295", 0xFFFFFFFFu}, Case{"", 99u}, Case{"3.9", 3u}}) {
    SCOPED_TRACE(c.value);
    setContent(std::string("[S]\r\nk=") + c.value + "\r\n");
    EXPECT_EQ(GetPrivateProfileIntA("S", "k", 99, ini().c_str()), c.expected);
  }
}

TEST_F(PlatformProfileTest, ReadsLfAndCrlfFiles) {
  for (const char* text : {"[A]\nx=1\ny = two\n[B]\nx=3", "[A]\r\nx=1\r\ny = two\r\n[B]\r\nx=3\r\n"}) {
    SCOPED_TRACE(text);
    setContent(text);
    EXPECT_EQ(GetPrivateProfileIntA("A", "x", 0, ini().c_str()), 1u);
    EXPECT_EQ(get("A", "y"), "two");
    EXPECT_EQ(GetPrivateProfileIntA("B", "x", 0, ini().c_str()), 3u);
  }
}

TEST_F(PlatformProfileTest, NullSectionListsSectionsAndNullKeyListsKeys) {
  setContent("[One]\r\na=1\r\nB = 2\r\n;c=3\r\n[Two]\r\n[one]\r\nd=4\r\n");
  std::vector<char> buffer(64, '#');
  DWORD copied = GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), 64, ini().c_str());
  EXPECT_EQ(std::string(buffer.data(), copied + 1), std::string("One\0Two\0\0", 9));

  copied = GetPrivateProfileStringA("ONE", nullptr, "", buffer.data(), 64, ini().c_str());
  EXPECT_EQ(std::string(buffer.data(), copied + 1), std::string("a\0B\0\0", 5));

  // Cut short: what fits, then two terminators.
  copied = GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), 7, ini().c_str());
  EXPECT_EQ(copied, 5u);
  EXPECT_EQ(std::string(buffer.data(), 7), std::string("One\0T\0\0", 7));

  copied = GetPrivateProfileStringA("Missing", nullptr, "", buffer.data(), 64, ini().c_str());
  EXPECT_EQ(copied, 0u);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '\0');
}

// --- writing -----------------------------------------------------------------------------

TEST_F(PlatformProfileTest, WriteCreatesAMissingFileWithCrlfLines) {
  ASSERT_TRUE(WritePrivateProfileStringA("Options", "Width", "5", ini().c_str()));
  EXPECT_EQ(content(), "[Options]\r\nWidth=5\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("Options", "Width", 0, ini().c_str()), 5u);
}

TEST_F(PlatformProfileTest, OverwriteKeepsTheLinePositionAndEveryOtherLine) {
  setContent("; Inkline settings\r\n[A]\r\nfirst=1\r\nSecond = 2\r\nunknown=?\r\n\r\n[B]\r\nSecond=b\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("a", "SECOND", "twenty", ini().c_str()));
  EXPECT_EQ(content(), "; Inkline settings\r\n[A]\r\nfirst=1\r\nSecond=twenty\r\nunknown=?\r\n\r\n[B]\r\nSecond=b\r\n");
  EXPECT_EQ(get("A", "second"), "twenty");
  EXPECT_EQ(get("B", "second"), "b");
}

TEST_F(PlatformProfileTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
  setContent("[A]\r\nx=1\r\n; note\r\ny=2\r\n\r\n; about B\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("A", "new", "n", ini().c_str()));
  EXPECT_EQ(content(), "[A]\r\nx=1\r\n; note\r\ny=2\r\nnew=n\r\n\r\n; about B\r\n[B]\r\nz=3\r\n");

  // Into the last section, and into a section with no key yet.
  ASSERT_TRUE(WritePrivateProfileStringA("B", "w", "4", ini().c_str()));
  setContent(content() + "[Empty]\r\n\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("empty", "v", "5", ini().c_str()));
  EXPECT_EQ(content(),
            "[A]\r\nx=1\r\n; note\r\ny=2\r\nnew=n\r\n\r\n; about B\r\n[B]\r\nz=3\r\nw=4\r\n[Empty]\r\nv=5\r\n\r\n");
}

TEST_F(PlatformProfileTest, NewSectionIsAppendedAtTheEnd) {
  setContent("[A]\r\nx=1\r\n; trailing comment");  // no final line end
  ASSERT_TRUE(WritePrivateProfileStringA("Second", "k", "v", ini().c_str()));
  EXPECT_EQ(content(), "[A]\r\nx=1\r\n; trailing comment\r\n[Second]\r\nk=v\r\n");
}

TEST_F(PlatformProfileTest, WritingAnLfFileRewritesItWithCrlf) {
  setContent("[A]\nx=1\n\n[B]\ny=2\n");
  ASSERT_TRUE(WritePrivateProfileStringA("A", "x", "9", ini().c_str()));
  EXPECT_EQ(content(), "[A]\r\nx=9\r\n\r\n[B]\r\ny=2\r\n");
}

TEST_F(PlatformProfileTest, NullValueDeletesTheKeyAndNullKeyTheSection) {
  setContent("[A]\r\nx=1\r\ny=2\r\nX=dup\r\n[B]\r\nz=3\r\n[a]\r\nw=4\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("A", "x", nullptr, ini().c_str()));
  EXPECT_EQ(content(), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n[a]\r\nw=4\r\n");
  EXPECT_EQ(get("A", "x"), "<none>");

  ASSERT_TRUE(WritePrivateProfileStringA("a", nullptr, nullptr, ini().c_str()));
  EXPECT_EQ(content(), "[B]\r\nz=3\r\n");

  // Deleting what is not there succeeds and changes nothing.
  EXPECT_TRUE(WritePrivateProfileStringA("A", "x", nullptr, ini().c_str()));
  EXPECT_TRUE(WritePrivateProfileStringA("Nope", nullptr, nullptr, ini().c_str()));
  EXPECT_EQ(content(), "[B]\r\nz=3\r\n");
}

TEST_F(PlatformProfileTest, DeletingFromAMissingFileDoesNotCreateIt) {
  EXPECT_TRUE(WritePrivateProfileStringA("A", "x", nullptr, ini().c_str()));
  EXPECT_TRUE(WritePrivateProfileStringA("A", nullptr, nullptr, ini().c_str()));
  EXPECT_FALSE(fs::exists(ini()));
}

TEST_F(PlatformProfileTest, ByteOrderMarkIsKept) {
  setContent("\xEF\xBB\xBF[A]\r\nx=1\r\n");
  EXPECT_EQ(get("A", "x"), "1");
  ASSERT_TRUE(WritePrivateProfileStringA("A", "x", "2", ini().c_str()));
  EXPECT_EQ(content(), "\xEF\xBB\xBF[A]\r\nx=2\r\n");
}

TEST_F(PlatformProfileTest, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  const fs::path missing = dir_.path() / "Tarsk" / "Vellum";
  EXPECT_FALSE(WritePrivateProfileStringA("A", "x", "1", (missing / "Inkline.ini").c_str()));
  EXPECT_FALSE(fs::exists(dir_.path() / "Tarsk"));
  EXPECT_TRUE(folderEntries(dir_.path()).empty());
}

TEST_F(PlatformProfileTest, MissingOrNullArgumentsFail) {
  EXPECT_FALSE(WritePrivateProfileStringA("A", "x", "1", nullptr));
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "x", "1", ini().c_str()));
  EXPECT_FALSE(fs::exists(ini()));
  // A folder where the file should be is never replaced.
  fs::create_directory(ini());
  EXPECT_FALSE(WritePrivateProfileStringA("A", "x", "1", ini().c_str()));
  EXPECT_TRUE(fs::is_directory(ini()));
  EXPECT_EQ(get("A", "x", "dflt"), "dflt");
}

TEST_F(PlatformProfileTest, BackslashPathsReachTheSameFile) {
  const std::string windowsStyle = dir_.path().string() + "\\Inkline.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("A", "x", "17", windowsStyle.c_str()));
  EXPECT_EQ(content(), "[A]\r\nx=17\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("A", "x", 0, windowsStyle.c_str()), 17u);
}

TEST_F(PlatformProfileTest, NoTemporaryFileIsLeftBehind) {
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(WritePrivateProfileStringA("S", ("k" + std::to_string(i % 5)).c_str(), std::to_string(i).c_str(),
                                           ini().c_str()));
  }
  ASSERT_TRUE(WritePrivateProfileStringA("S", "k0", nullptr, ini().c_str()));
  EXPECT_EQ(folderEntries(dir_.path()), std::vector<std::string>{"Inkline.ini"});
}

TEST_F(PlatformProfileTest, CrashBeforeTheRenameLeavesTheOriginalIntact) {
  setContent("[A]\r\nx=1\r\n");
  win32standin::setProfileWriteCrashBeforeRename(true);
  EXPECT_FALSE(WritePrivateProfileStringA("A", "x", "2", ini().c_str()));
  EXPECT_EQ(content(), "[A]\r\nx=1\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("A", "x", 0, ini().c_str()), 1u);

  // The new content was complete, beside the original, in the same folder.
  const auto entries = folderEntries(dir_.path());
  ASSERT_EQ(entries.size(), 2u);
  for (const std::string& name : entries) {
    if (name != "Inkline.ini") {
      EXPECT_EQ(readFile(dir_.path() / name), "[A]\r\nx=2\r\n");
    }
  }

  // A file that did not exist is not created by an interrupted write.
  const fs::path fresh = dir_.path() / "fresh.ini";
  EXPECT_FALSE(WritePrivateProfileStringA("A", "x", "2", fresh.c_str()));
  EXPECT_FALSE(fs::exists(fresh));

  win32standin::setProfileWriteCrashBeforeRename(false);
  EXPECT_TRUE(WritePrivateProfileStringA("A", "x", "3", ini().c_str()));
  EXPECT_EQ(content(), "[A]\r\nx=3\r\n");
}

TEST_F(PlatformProfileTest, ConcurrentReadersSeeTheOldOrTheNewFileNeverAMixture) {
  const std::string padding(4000, 'p');
  const std::string small = "[A]\r\nv=s\r\npad=" + padding + "\r\n";
  const std::string large = "[A]\r\nv=" + std::string(3000, 'L') + "\r\npad=" + padding + "\r\n";
  setContent(small);

  std::atomic<bool> done{false};
  std::atomic<int> mixtures{0};
  std::thread reader([&] {
    while (!done.load()) {
      const std::string seen = readFile(ini());  // straight from the file system, past any lock
      if (seen != small && seen != large) ++mixtures;
    }
  });
  for (int i = 0; i < 200; ++i) {
    const std::string value = i % 2 == 0 ? std::string(3000, 'L') : "s";
    ASSERT_TRUE(WritePrivateProfileStringA("A", "v", value.c_str(), ini().c_str()));
  }
  done.store(true);
  reader.join();
  EXPECT_EQ(mixtures.load(), 0);
}

TEST_F(PlatformProfileTest, ConcurrentWritersLoseNoKey) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([&, t] {
      for (int i = 0; i < 25; ++i) {
        const std::string key = "t" + std::to_string(t) + "k" + std::to_string(i);
        WritePrivateProfileStringA("S", key.c_str(), std::to_string(i).c_str(), ini().c_str());
      }
    });
  }
  for (auto& writer : writers) writer.join();
  for (int t = 0; t < 4; ++t) {
    for (int i = 0; i < 25; ++i) {
      const std::string key = "t" + std::to_string(t) + "k" + std::to_string(i);
      EXPECT_EQ(GetPrivateProfileIntA("S", key.c_str(), -1, ini().c_str()), static_cast<UINT>(i)) << key;
    }
  }
}

}  // namespace
