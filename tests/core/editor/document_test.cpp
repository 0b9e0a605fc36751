// The document commands with scripted answers: when the save prompt asks and
// with which text, what New, Open, Save, Save As and closing keep or discard,
// and the file round trips.
#include "core/board/document.h"
#include "core/devices/device_actions.h"

#include "board_helpers.h"
#include "core/board/board_file.h"
#include "core/board/document_texts.h"
#include "core/files/program_file.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace kelto {
namespace {

using namespace kelto::testing;
namespace fs = std::filesystem;

class TScriptedHost final : public IDocumentHost {
public:
    TSaveAnswer AskSaveChanges(const std::string& text) override
    {
        Prompts.push_back(text);
        if (Answers.empty())
            return TSaveAnswer::Cancel;
        const TSaveAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseCircuitToOpen() override { return Take(OpenChoice); }
    std::optional<std::string> ChooseCircuitToSave() override
    {
        ++SaveDialogs;
        return Take(SaveChoice);
    }
    std::optional<std::string> ChooseProgramToOpen() override { return Take(ProgramOpenChoice); }
    std::optional<std::string> ChooseProgramToSave() override { return Take(ProgramSaveChoice); }
    std::optional<size_t> ChooseLesson(const std::vector<std::string>& titles) override
    {
        LessonTitles = titles;
        return std::exchange(LessonChoice, std::nullopt);
    }
    void ShowFileError(const std::string& message) override { Errors.push_back(message); }
    void CaptionChanged(const std::string& caption) override { Caption = caption; }
    std::vector<std::string> EditorLines() override { return Editor; }
    void SetEditorLines(const std::vector<std::string>& lines) override { Editor = lines; }

    std::deque<TSaveAnswer> Answers;
    std::vector<std::string> Prompts;
    std::optional<std::string> OpenChoice;
    std::optional<std::string> SaveChoice;
    std::optional<std::string> ProgramOpenChoice;
    std::optional<std::string> ProgramSaveChoice;
    int SaveDialogs = 0;
    std::optional<size_t> LessonChoice;
    std::vector<std::string> LessonTitles; // what the chooser showed
    std::vector<std::string> Errors;
    std::string Caption;
    std::vector<std::string> Editor;

private:
    static std::optional<std::string> Take(std::optional<std::string>& choice)
    {
        std::optional<std::string> taken = std::move(choice);
        choice.reset();
        return taken;
    }
};

class DocumentTest : public ::testing::Test {
public:
    void SetUp() override
    {
        FDir = fs::path(::testing::TempDir()) /
               ("kelto_document_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    void TearDown() override { fs::remove_all(FDir); }

    std::string PathOf(const std::string& name) const { return (FDir / name).string(); }
    std::string NamedPrompt(const std::string& path) const
    {
        return std::string(kSavePromptNamedBefore) + path + std::string(kSavePromptNamedAfter);
    }
    // A saved file holding a switch wired to an LED.
    std::string SavedCircuit(const std::string& name)
    {
        TSimuPart& toggle = Place(Board, kK0, 20, 30);
        TSimuPart& led = Place(Board, kLED0, 300, 0);
        Wire(Board, toggle, 1, led, 0)->AddPoint({200, 200});
        Host.SaveChoice = PathOf(name);
        EXPECT_TRUE(Document.ActionFileSaveExecute());
        return PathOf(name);
    }

    fs::path FDir;
    TTestBoard Board;
    TScriptedHost Host;
    TCircuitDocument Document{Board, Host};
};

TEST_F(DocumentTest, CaptionIsTheTitleAloneOrWithTheFileName)
{
    Document.SetDocumentFileName("/home/student/lessons/lesson3.dps");
    EXPECT_EQ(Host.Caption, std::string(kApplicationTitle) + " - lesson3.dps");
    Document.SetDocumentFileName("");
    EXPECT_EQ(Host.Caption, std::string(kApplicationTitle));
}

TEST_F(DocumentTest, PromptDependsOnTheDocumentState)
{
    struct TStateCase {
        const char* Name;
        void (*Prepare)(DocumentTest&);
        bool Asks;
        bool WithPath;
    };
    const TStateCase cases[] = {
        {"empty canvas", [](DocumentTest&) {}, false, false},
        {"never saved, unchanged since New", [](DocumentTest& t) { Place(t.Board, kK0); }, true, false},
        {"saved, unchanged", [](DocumentTest& t) { t.SavedCircuit("a.dps"); }, false, false},
        {"saved, a part moved",
         [](DocumentTest& t) {
             t.SavedCircuit("a.dps");
             t.Board.MovePartTo(t.Board.Part(0)->FBody, 22, 30);
         },
         true, true},
        {"saved, a wire restyled",
         [](DocumentTest& t) {
             t.SavedCircuit("a.dps");
             t.Board.Canvas()
                 .Connections(t.Board.Canvas().ConnectionCount() - 1)
                 ->SetLineStyle(TLineStyle::lsElbowVertical);
         },
         true, true},
        {"saved, switch flipped and slider moved",
         [](DocumentTest& t) {
             t.SavedCircuit("a.dps");
             auto& resistor = static_cast<TSimuResistance&>(Place(t.Board, kResistor));
             t.Host.SaveChoice.reset();
             t.Document.ActionFileSaveExecute();
             FlipSwitch(static_cast<TSimuZhaDaoSwitch&>(*t.Board.Part(0)));
             SetSliderPosition(t.Board.Canvas(), resistor, 0.7);
         },
         false, false},
    };
    for (const TStateCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TearDown();
        SetUp();
        Board.ClearCircuit();
        Document.SetDocumentFileName("");
        Host.Prompts.clear();
        c.Prepare(*this);
        Host.Answers = {TSaveAnswer::Cancel};
        Document.ActionFileNewExecute();
        if (!c.Asks) {
            EXPECT_TRUE(Host.Prompts.empty());
            EXPECT_EQ(Board.PartCount(), 0) << "New went ahead";
            continue;
        }
        ASSERT_EQ(Host.Prompts.size(), 1u);
        EXPECT_EQ(Host.Prompts[0],
                  c.WithPath ? NamedPrompt(PathOf("a.dps")) : std::string(kSavePromptUntitled));
        EXPECT_GT(Board.PartCount(), 0) << "Cancel keeps the circuit";
    }
}

TEST_F(DocumentTest, NewResetsEverythingAfterNoOrAYesWhoseSaveDialogWasCancelled)
{
    for (const TSaveAnswer answer : {TSaveAnswer::No, TSaveAnswer::Yes}) {
        SCOPED_TRACE(static_cast<int>(answer));
        Place(Board, kMCU);
        Board.Interpreter().LogLine("开始");
        Host.Editor = {"10 REM \"END\""};
        Host.Answers = {answer, TSaveAnswer::No};
        Document.ActionFileNewExecute();
        EXPECT_EQ(Board.PartCount(), 0);
        EXPECT_EQ(Board.Slot(kMCU), nullptr);
        EXPECT_TRUE(Host.Editor.empty());
        EXPECT_TRUE(Board.Basic().FMessageLines.empty());
        EXPECT_EQ(Host.Caption, std::string(kApplicationTitle));
        EXPECT_FALSE(Document.Modified());
    }
    EXPECT_EQ(Host.SaveDialogs, 1);
}

TEST_F(DocumentTest, YesSavesToTheCurrentFileBeforeNew)
{
    const std::string path = SavedCircuit("a.dps");
    Board.MovePartTo(Board.Part(0)->FBody, 0, 0);
    const std::string moved = WriteCircuitDocument(Board);
    Host.Answers = {TSaveAnswer::Yes};
    Document.ActionFileNewExecute();
    EXPECT_EQ(Board.PartCount(), 0);
    TSimuBoard reread;
    ASSERT_TRUE(LoadCircuitFile(reread, path).Ok);
    EXPECT_EQ(WriteCircuitDocument(reread), moved);
}

TEST_F(DocumentTest, FailedSaveAfterYesKeepsTheCircuitAndTheWindow)
{
    Place(Board, kK0);
    Host.SaveChoice = PathOf("missing-folder/a.dps");
    Host.Answers = {TSaveAnswer::Yes};
    EXPECT_FALSE(Document.FormCloseQuery());
    EXPECT_EQ(Board.PartCount(), 1);
    ASSERT_EQ(Host.Errors.size(), 1u);
    EXPECT_EQ(Document.FileName(), "");
    EXPECT_EQ(Host.Caption, "");
}

TEST_F(DocumentTest, SaveAsRefusesOtherExtensionsSilentlyAndLaterSavesNeedNoDialog)
{
    Place(Board, kK0);
    Host.SaveChoice = PathOf("a.xml");
    Document.ActionFileSaveAsExecute();
    EXPECT_FALSE(fs::exists(PathOf("a.xml")));
    EXPECT_TRUE(Host.Errors.empty());
    EXPECT_EQ(Document.FileName(), "");

    Host.SaveChoice = PathOf("b.DPS");
    Document.ActionFileSaveAsExecute();
    EXPECT_TRUE(fs::exists(PathOf("b.DPS")));
    EXPECT_EQ(Host.Caption, std::string(kApplicationTitle) + " - b.DPS");
    Place(Board, kLED0, 200, 0);
    EXPECT_TRUE(Document.ActionFileSaveExecute());
    EXPECT_EQ(Host.SaveDialogs, 2);
    TSimuBoard reread;
    ASSERT_TRUE(LoadCircuitFile(reread, PathOf("b.DPS")).Ok);
    EXPECT_EQ(reread.PartCount(), 2);
}

TEST_F(DocumentTest, UnwritableFileChangesNoDocumentState)
{
    const std::string path = SavedCircuit("a.dps");
    Board.MovePartTo(Board.Part(0)->FBody, 0, 0);
    Host.SaveChoice = PathOf("missing-folder/b.dps");
    Document.ActionFileSaveAsExecute();
    ASSERT_EQ(Host.Errors.size(), 1u);
    EXPECT_EQ(Document.FileName(), path);
    EXPECT_EQ(Host.Caption, std::string(kApplicationTitle) + " - a.dps");
    EXPECT_TRUE(Document.IsCircuitModified());
}

TEST_F(DocumentTest, OpenRebuildsTheSavedCircuitUnmodifiedAndClearsTheProgramPanes)
{
    const std::string path = SavedCircuit("a.dps");
    const std::string saved = WriteCircuitDocument(Board);
    Host.Answers = {TSaveAnswer::No};
    Document.ActionFileNewExecute();
    ASSERT_EQ(Board.PartCount(), 0);

    Board.Interpreter().LogLine("结束");
    Host.Editor = {"0 REM \"KELTOBASIC\""};
    Host.OpenChoice = path;
    Host.Answers = {TSaveAnswer::No};
    Document.ActionFileOpenExecute();
    EXPECT_EQ(WriteCircuitDocument(Board), saved);
    EXPECT_FALSE(Document.Modified());
    EXPECT_FALSE(Document.IsCircuitModified());
    EXPECT_TRUE(Host.Editor.empty());
    EXPECT_TRUE(Board.Basic().FMessageLines.empty());
    EXPECT_EQ(Document.FileName(), path);

    Host.Prompts.clear();
    Document.ActionFileNewExecute();
    EXPECT_TRUE(Host.Prompts.empty()) << "an opened, unchanged circuit is not asked about";
}

TEST_F(DocumentTest, OpenIgnoresOtherExtensionsAndMissingFilesAndKeepsTheCircuitOnABadFile)
{
    SavedCircuit("a.dps");
    const std::string before = WriteCircuitDocument(Board);
    std::ofstream(PathOf("bad.dps")) << "<KELTOSIMU><COMP>";
    std::ofstream(PathOf("c.xml")) << "<KELTOSIMU/>";
    struct TOpenCase {
        const char* Name;
        std::string Path;
        size_t Errors;
    };
    const TOpenCase cases[] = {
        {"other extension", PathOf("c.xml"), 0},
        {"missing file", PathOf("none.dps"), 0},
        {"malformed file", PathOf("bad.dps"), 1},
    };
    for (const TOpenCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Host.Errors.clear();
        Host.OpenChoice = c.Path;
        Document.ActionFileOpenExecute();
        EXPECT_EQ(Host.Errors.size(), c.Errors);
        EXPECT_EQ(WriteCircuitDocument(Board), before);
        EXPECT_EQ(Document.FileName(), PathOf("a.dps"));
        EXPECT_FALSE(Document.OpenCircuitFile(c.Path));
    }
}

TEST_F(DocumentTest, CloseQueryCancelKeepsEverythingAndNoResets)
{
    Place(Board, kK0);
    Host.Editor = {"0 REM \"KELTOBASIC\""};
    Host.Answers = {TSaveAnswer::Cancel, TSaveAnswer::No, TSaveAnswer::No};
    EXPECT_FALSE(Document.FormCloseQuery());
    EXPECT_EQ(Board.PartCount(), 1);
    EXPECT_EQ(Host.Editor.size(), 1u);
    EXPECT_TRUE(Document.FormCloseQuery());
    EXPECT_EQ(Board.PartCount(), 0);
    EXPECT_TRUE(Host.Editor.empty());
}

TEST_F(DocumentTest, ProgramTextRoundTripAndFailuresKeepTheEditor)
{
    const std::vector<std::string> program{"0 REM \"KELTOBASIC\"", "10 REM \"PRINT 1\" 中文"};
    Host.Editor = program;
    Host.ProgramSaveChoice = PathOf("p.txt");
    Document.ButtonSaveBasClick();
    Host.Editor = {"other"};
    Host.ProgramOpenChoice = PathOf("p.txt");
    Document.ButtonOpenBasClick();
    EXPECT_EQ(Host.Editor, program);

    Host.ProgramOpenChoice = FDir.string(); // exists, cannot be read as a file
    Document.ButtonOpenBasClick();
    EXPECT_EQ(Host.Editor, program);
    ASSERT_EQ(Host.Errors.size(), 1u);

    Host.ProgramSaveChoice = PathOf("missing-folder/p.txt");
    Document.ButtonSaveBasClick();
    EXPECT_EQ(Host.Errors.size(), 2u);

    Document.ButtonOpenBasClick(); // dialog cancelled
    EXPECT_EQ(Host.Editor, program);
    EXPECT_EQ(Board.PartCount(), 0);
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(DocumentTest, ChangedProgramIsAskedAboutAfterTheCircuitByEveryDiscardingCommand)
{
    const std::vector<std::string> typed{"10 PRINT \"HI\""};
    const std::string untitled(kProgramPromptUntitled);
    struct TQuestionCase {
        const char* Name;
        bool WithCircuit;   // a changed circuit is asked about first
        bool LoadedProgram; // the editor's text came from p.txt
        std::vector<std::string> Editor;
        std::deque<TSaveAnswer> Answers;
        std::optional<std::string> ProgramSaveChoice;
        // "named" and "circuit" stand for the prompts naming p.txt and c.dps.
        std::vector<std::string> Prompts;
        bool Proceeds;
        std::string SavedText; // p.txt afterwards
    };
    const TQuestionCase cases[] = {
        {"typed, Cancel keeps it", false, false, typed, {TSaveAnswer::Cancel}, {}, {untitled}, false, ""},
        {"typed, No discards it", false, false, typed, {TSaveAnswer::No}, {}, {untitled}, true, ""},
        {"typed, Yes saves through the dialog",
         false,
         false,
         typed,
         {TSaveAnswer::Yes},
         "p.txt",
         {untitled},
         true,
         "10 PRINT \"HI\"\r\n"},
        {"typed, Yes and the dialog cancelled",
         false,
         false,
         typed,
         {TSaveAnswer::Yes},
         {},
         {untitled},
         false,
         ""},
        {"typed, Yes and an unwritable file",
         false,
         false,
         typed,
         {TSaveAnswer::Yes},
         "missing/p.txt",
         {untitled},
         false,
         ""},
        {"loaded and unchanged", false, true, {"0 REM \"A\""}, {}, {}, {}, true, "0 REM \"A\"\r\n"},
        {"loaded, edited, Yes saves to its file",
         false,
         true,
         typed,
         {TSaveAnswer::Yes},
         {},
         {"named"},
         true,
         "10 PRINT \"HI\"\r\n"},
        {"loaded, emptied, No", false, true, {}, {TSaveAnswer::No}, {}, {"named"}, true, "0 REM \"A\"\r\n"},
        {"both changed, circuit first",
         true,
         false,
         typed,
         {TSaveAnswer::No, TSaveAnswer::No},
         {},
         {"circuit", untitled},
         true,
         ""},
        {"circuit Cancel asks nothing more",
         true,
         false,
         typed,
         {TSaveAnswer::Cancel},
         {},
         {"circuit"},
         false,
         ""},
    };
    using TCommand = bool (*)(TCircuitDocument&, TScriptedHost&);
    const std::pair<const char*, TCommand> commands[] = {
        {"New",
         [](TCircuitDocument& d, TScriptedHost& h) {
             d.ActionFileNewExecute();
             return h.Editor.empty();
         }},
        {"Open",
         [](TCircuitDocument& d, TScriptedHost& h) {
             d.ActionFileOpenExecute();
             return h.Editor.empty();
         }},
        {"close", [](TCircuitDocument& d, TScriptedHost&) { return d.FormCloseQuery(); }},
    };
    for (const auto& [commandName, command] : commands) {
        for (const TQuestionCase& c : cases) {
            SCOPED_TRACE(std::string(commandName) + ": " + c.Name);
            TearDown();
            SetUp();
            Board.ClearCircuit();
            Document.ResetDocument();
            std::ofstream(PathOf("p.txt"), std::ios::binary) << (c.LoadedProgram ? "0 REM \"A\"\r\n" : "");
            if (c.LoadedProgram) {
                Host.ProgramOpenChoice = PathOf("p.txt");
                Document.ButtonOpenBasClick();
                ASSERT_FALSE(Document.IsProgramModified());
            }
            const std::string circuitFile = SavedCircuit("c.dps");
            if (c.WithCircuit)
                Place(Board, kS1, 100, 100);
            Host.Editor = c.Editor;
            Host.Answers = c.Answers;
            Host.Prompts.clear();
            Host.Errors.clear();
            Host.OpenChoice = circuitFile;
            if (c.ProgramSaveChoice)
                Host.ProgramSaveChoice = PathOf(*c.ProgramSaveChoice);

            const bool proceeded = command(Document, Host);

            std::vector<std::string> expected = c.Prompts;
            for (std::string& prompt : expected)
                if (prompt == "named")
                    prompt = std::string(kProgramPromptNamedBefore) + PathOf("p.txt") +
                             std::string(kSavePromptNamedAfter);
                else if (prompt == "circuit")
                    prompt = NamedPrompt(circuitFile);
            EXPECT_EQ(Host.Prompts, expected);
            EXPECT_EQ(proceeded, c.Proceeds);
            if (!c.Proceeds) {
                EXPECT_EQ(Host.Editor, c.Editor) << "an abandoned command keeps the program";
            }
            EXPECT_EQ(FileText(PathOf("p.txt")), c.SavedText);
            EXPECT_EQ(Host.Errors.size(), c.ProgramSaveChoice == "missing/p.txt" ? 1u : 0u);
        }
    }
}

TEST_F(DocumentTest, SavedOrReopenedProgramIsNotAskedAboutAndOpeningACircuitForgetsIt)
{
    Host.Editor = {"10 PRINT 1", ""};
    Host.ProgramSaveChoice = PathOf("p.txt");
    ASSERT_TRUE(Document.ButtonSaveBasClick());
    EXPECT_FALSE(Document.IsProgramModified());
    EXPECT_EQ(Document.ProgramFileName(), PathOf("p.txt"));

    const std::string circuit = SavedCircuit("c.dps");
    Host.OpenChoice = circuit;
    Document.ActionFileOpenExecute();
    EXPECT_TRUE(Host.Prompts.empty());
    EXPECT_TRUE(Host.Editor.empty());
    EXPECT_EQ(Document.ProgramFileName(), "") << "the emptied editor is no longer that file";

    Host.Editor = {"20 END"};
    Host.Answers = {TSaveAnswer::Cancel};
    Document.ActionFileNewExecute();
    EXPECT_EQ(Host.Prompts, std::vector<std::string>{std::string(kProgramPromptUntitled)});
}

// The editor has been saved or given up by the prompts before, so opening a
// circuit may fill it with the program of the same name beside it.
TEST_F(DocumentTest, OpenAlsoLoadsTheProgramOfTheSameNameAndSaysSo)
{
    const std::string circuit = SavedCircuit("c.dps");
    std::ofstream(PathOf("c.txt")) << "0 REM \"KELTOBASIC\"\r\n10 REM \"END\"\r\n";
    Document.ResetDocument();
    Host.OpenChoice = circuit;
    Document.ActionFileOpenExecute();
    EXPECT_EQ(Host.Editor, (std::vector<std::string>{"0 REM \"KELTOBASIC\"", "10 REM \"END\""}));
    EXPECT_EQ(Document.ProgramFileName(), PathOf("c.txt"));
    EXPECT_FALSE(Document.IsProgramModified());
    EXPECT_EQ(Board.Interpreter().FMessageLines,
              std::vector<std::string>{std::string(kPairedProgram) + "c.txt"});
}

// Whatever lies in an examples folder opens as an untitled copy: nothing is
// asked while it is unchanged, and Save asks where to (the window's test
// checks that the example's bytes stay).
TEST_F(DocumentTest, ExampleFilesOpenAsCopiesThatSaveElsewhere)
{
    const std::string circuit = SavedCircuit("c.dps");
    std::ofstream(PathOf("c.txt")) << "10 REM \"END\"\r\n";
    Document.SetExampleFolders({"/elsewhere", FDir.string() + "/"});
    EXPECT_TRUE(Document.IsExampleFile(circuit));
    EXPECT_FALSE(Document.IsExampleFile(PathOf("../c.dps")));
    Document.ResetDocument();
    ASSERT_TRUE(Document.OpenCircuitFile(circuit));
    EXPECT_EQ(Document.FileName(), "");
    EXPECT_EQ(Document.ProgramFileName(), "");
    EXPECT_EQ(Host.Caption, std::string(kApplicationTitle) + " - c" + std::string(kExampleCopySuffix))
        << "titled as the lesson chooser titles it";
    Document.ActionFileNewExecute();
    EXPECT_TRUE(Host.Prompts.empty());

    ASSERT_TRUE(Document.OpenCircuitFile(circuit));
    Host.SaveChoice = PathOf("mine.dps");
    const int dialogsBefore = Host.SaveDialogs;
    ASSERT_TRUE(Document.ActionFileSaveExecute());
    EXPECT_EQ(Host.SaveDialogs, dialogsBefore + 1);
    EXPECT_EQ(Document.FileName(), PathOf("mine.dps"));
    EXPECT_EQ(Host.Caption, std::string(kApplicationTitle) + " - mine.dps");
}

TEST_F(DocumentTest, FileErrorsAreShownInChineseWithTheReason)
{
    std::ofstream(PathOf("bad.dps")) << "<KELTOSIMU>\n<COMP>\n</KELTOSIMU>";
    std::ofstream(PathOf("flat.dps")) << "<KELTOSIMU><CONN/></KELTOSIMU>";
    struct TErrorCase {
        const char* Name;
        void (*Act)(DocumentTest&);
        std::string Expected;
    };
    const TErrorCase cases[] = {
        {"malformed circuit",
         [](DocumentTest& t) {
             t.Host.OpenChoice = t.PathOf("bad.dps");
             t.Document.ActionFileOpenExecute();
         },
         "无法读取文件 " + PathOf("bad.dps") + "：第 3 行不是正确的 XML 格式"},
        {"circuit without its parts list",
         [](DocumentTest& t) {
             t.Host.OpenChoice = t.PathOf("flat.dps");
             t.Document.ActionFileOpenExecute();
         },
         "无法读取文件 " + PathOf("flat.dps") + "：文件中没有 COMP 列表"},
        {"circuit into a missing folder",
         [](DocumentTest& t) {
             Place(t.Board, kK0);
             t.Host.SaveChoice = t.PathOf("missing/a.dps");
             t.Document.ActionFileSaveExecute();
         },
         "无法保存文件 " + PathOf("missing/a.dps") + "：没有那个文件或目录"},
        {"program from a folder",
         [](DocumentTest& t) {
             t.Host.ProgramOpenChoice = t.FDir.string();
             t.Document.ButtonOpenBasClick();
         },
         "无法读取文件 " + FDir.string() + "：是一个目录"},
        {"program with a character GBK lacks",
         [](DocumentTest& t) {
             t.Host.Editor = {"10 PRINT 1", "20 REM \"\xF0\x9F\x98\x80\""};
             t.Host.ProgramSaveChoice = t.PathOf("p.txt");
             t.Document.ButtonSaveBasClick();
         },
         "无法保存文件 " + PathOf("p.txt") + "：第 2 行的字符 U+1F600 无法以 GBK 编码保存"},
    };
    for (const TErrorCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Host.Errors.clear();
        c.Act(*this);
        EXPECT_EQ(Host.Errors, std::vector<std::string>{c.Expected});
    }
}

// A lesson folder beside the document's files: l1 and l2, each a circuit
// with its program; returns the circuit text of l2.
std::string WriteLessons(const fs::path& folder)
{
    fs::create_directories(folder);
    std::string secondCircuit;
    for (const int lesson : {1, 2}) {
        TSimuBoard board;
        Place(board, kK0, 20, 30);
        if (lesson == 2)
            Wire(board, Place(board, kMCU, 200, 40), 0, Place(board, kLED0, 40, 200), 0);
        const std::string name = "l" + std::to_string(lesson);
        EXPECT_TRUE(SaveCircuitFile(board, (folder / (name + ".dps")).string()).Ok);
        EXPECT_TRUE(SaveProgramFile((folder / (name + ".txt")).string(),
                                    {"第" + std::to_string(lesson) + "课 开关", "0 REM \"KELTOBASIC\"",
                                     "10 PRINT " + std::to_string(lesson)})
                        .Ok);
        secondCircuit = WriteCircuitDocument(board);
    }
    return secondCircuit;
}

TEST_F(DocumentTest, ExampleAsksLikeOpenThenTakesCircuitAndProgramFromTheirFiles)
{
    const fs::path folder = FDir / "lessons";
    const std::string lessonCircuit = WriteLessons(folder);
    const std::vector<std::string> lessonProgram{"第2课 开关", "0 REM \"KELTOBASIC\"", "10 PRINT 2"};
    const std::vector<std::string> typed{"10 PRINT \"MINE\""};
    const std::string untitled(kSavePromptUntitled);
    const std::string programUntitled(kProgramPromptUntitled);
    struct TExampleCase {
        const char* Name;
        std::deque<TSaveAnswer> Answers;
        std::optional<size_t> Choice;
        std::optional<std::string> SaveChoice; // the circuit's save dialog after Yes
        std::vector<std::string> Prompts;
        bool ChooserShown;
        bool Opens;
    };
    const TExampleCase cases[] = {
        {"circuit Cancel", {TSaveAnswer::Cancel}, 1, {}, {untitled}, false, false},
        {"program Cancel",
         {TSaveAnswer::No, TSaveAnswer::Cancel},
         1,
         {},
         {untitled, programUntitled},
         false,
         false},
        {"chooser cancelled",
         {TSaveAnswer::No, TSaveAnswer::No},
         {},
         {},
         {untitled, programUntitled},
         true,
         false},
        {"second lesson", {TSaveAnswer::No, TSaveAnswer::No}, 1, {}, {untitled, programUntitled}, true, true},
        {"Yes saves the circuit first",
         {TSaveAnswer::Yes, TSaveAnswer::No},
         1,
         "mine.dps",
         {untitled, programUntitled},
         true,
         true},
    };
    for (const TExampleCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Board.ClearCircuit();
        Document.ResetDocument();
        Place(Board, kS1, 100, 100);
        const std::string mine = WriteCircuitDocument(Board);
        Host.Editor = typed;
        Host.Answers = c.Answers;
        Host.Prompts.clear();
        Host.LessonTitles.clear();
        Host.LessonChoice = c.Choice;
        if (c.SaveChoice)
            Host.SaveChoice = PathOf(*c.SaveChoice);

        Document.ButtonExampleClick(folder.string());

        EXPECT_EQ(Host.Prompts, c.Prompts);
        const std::vector<std::string> shown = c.ChooserShown
                                                   ? std::vector<std::string>{"第1课 开关", "第2课 开关"}
                                                   : std::vector<std::string>{};
        EXPECT_EQ(Host.LessonTitles, shown);
        if (c.SaveChoice) {
            EXPECT_EQ(FileText(PathOf(*c.SaveChoice)), mine);
        }
        if (!c.Opens) {
            EXPECT_EQ(WriteCircuitDocument(Board), mine);
            EXPECT_EQ(Host.Editor, typed);
            continue;
        }
        EXPECT_EQ(WriteCircuitDocument(Board), lessonCircuit);
        EXPECT_EQ(Host.Editor, lessonProgram);
        EXPECT_EQ(Document.FileName(), "") << "a lesson opens as a copy";
        EXPECT_EQ(Document.ProgramFileName(), "");
        EXPECT_EQ(Host.Caption,
                  std::string(kApplicationTitle) + " - 第2课 开关" + std::string(kExampleCopySuffix));
        Host.Prompts.clear();
        Document.ActionFileNewExecute();
        EXPECT_TRUE(Host.Prompts.empty()) << "an example just opened has nothing to save";
    }
}

TEST_F(DocumentTest, ExampleWithoutLessonsOrWithABrokenCircuitSaysWhyAndKeepsEverything)
{
    const fs::path broken = FDir / "broken";
    fs::create_directories(broken);
    std::ofstream(broken / "bad.dps") << "<KELTOSIMU><COMP>";
    std::ofstream(broken / "bad.txt") << "10 PRINT 1\r\n";
    struct TFailureCase {
        const char* Name;
        std::string Folder;
        std::string ErrorStart;
        bool ChooserShown;
    };
    const TFailureCase cases[] = {
        {"missing folder", PathOf("none"), std::string(kNoLessonsBefore) + PathOf("none"), false},
        {"no folder found", "", std::string(kNoLessonsBefore) + std::string(kNoLessonsAfter), false},
        {"unreadable circuit", broken.string(), "无法读取文件 " + (broken / "bad.dps").string(), true},
    };
    const std::string circuit = SavedCircuit("a.dps");
    const std::string before = WriteCircuitDocument(Board);
    const std::vector<std::string> typed{"10 PRINT \"MINE\""};
    for (const TFailureCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Host.Editor = typed;
        Host.Errors.clear();
        Host.LessonTitles.clear();
        Host.LessonChoice = 0;
        Host.Answers = {TSaveAnswer::No};
        Document.ButtonExampleClick(c.Folder);
        ASSERT_EQ(Host.Errors.size(), 1u);
        EXPECT_EQ(Host.Errors[0].rfind(c.ErrorStart, 0), 0u) << Host.Errors[0];
        EXPECT_EQ(Host.LessonTitles.size(), c.ChooserShown ? 1u : 0u);
        EXPECT_EQ(WriteCircuitDocument(Board), before);
        EXPECT_EQ(Host.Editor, typed);
        EXPECT_EQ(Document.FileName(), circuit);
    }
}

} // namespace
} // namespace kelto
