// Which files of a folder are lessons, their titles and their order, and
// that the shipped lessons are titled the way the list reads them.
#include "core/files/lesson_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kelto {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(LessonList, PairsCircuitsWithTheirProgramsSortedByFileNameAndTitledByTheFirstComment)
{
    const fs::path folder = fs::path(::testing::TempDir()) / "kelto_lesson_list";
    fs::remove_all(folder);
    fs::create_directories(folder / "sub.dps");
    // "第2课 灯" in GBK, with trailing blanks and CR LF.
    WriteFile(folder / "b.txt", "\xB5\xDA\x32\xBF\xCE \xB5\xC6  \r\n10 PRINT 1\r\n");
    WriteFile(folder / "b.dps", "<KELTOSIMU/>");
    WriteFile(folder / "a.txt", "10 PRINT 1\r\n");
    WriteFile(folder / "a.dps", "<KELTOSIMU/>");
    WriteFile(folder / "c.txt", "");
    WriteFile(folder / "c.dps", "<KELTOSIMU/>");
    WriteFile(folder / "only_circuit.dps", "<KELTOSIMU/>");
    WriteFile(folder / "only_program.txt", "comment\r\n");
    WriteFile(folder / "sub.txt", "comment\r\n");

    const std::vector<TLesson> lessons = ListLessons(folder.string());
    struct TExpected {
        const char* Title;
        const char* Stem;
    };
    const TExpected expected[] = {{"a", "a"}, {"第2课 灯", "b"}, {"c", "c"}};
    ASSERT_EQ(lessons.size(), std::size(expected));
    for (size_t i = 0; i < lessons.size(); ++i) {
        SCOPED_TRACE(expected[i].Stem);
        EXPECT_EQ(lessons[i].Title, expected[i].Title);
        EXPECT_EQ(lessons[i].CircuitPath, (folder / (std::string(expected[i].Stem) + ".dps")).string());
        EXPECT_EQ(lessons[i].ProgramPath, (folder / (std::string(expected[i].Stem) + ".txt")).string());
    }
    fs::remove_all(folder);
}

TEST(LessonList, MissingOrUnnamedFolderHasNoLessons)
{
    EXPECT_TRUE(ListLessons("").empty());
    EXPECT_TRUE(ListLessons((fs::path(::testing::TempDir()) / "kelto_no_such_folder").string()).empty());
}

TEST(LessonList, ShippedLessonsAreTitledInOrder)
{
    const std::vector<TLesson> lessons = ListLessons(KELTO_EXAMPLES_DIR);
    int number = 0;
    for (const TLesson& lesson : lessons) {
        // Every example is listed by a title of its own, not by its file name.
        EXPECT_NE(lesson.Title, fs::path(lesson.CircuitPath).stem().string());
        if (fs::path(lesson.CircuitPath).filename().string().rfind("lesson", 0) != 0)
            continue;
        ++number;
        SCOPED_TRACE(lesson.CircuitPath);
        EXPECT_EQ(lesson.Title.rfind("第" + std::to_string(number) + "课 ", 0), 0u) << lesson.Title;
    }
    EXPECT_GE(number, 16);
    ASSERT_FALSE(lessons.empty());
    EXPECT_EQ(lessons.front().Title, "第1课 闪烁的发光二极管");
}

} // namespace
} // namespace kelto
