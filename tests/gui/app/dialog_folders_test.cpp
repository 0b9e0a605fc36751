// Where the file dialogs open: the example circuits found from an installed
// or a build tree's executable, and the fallbacks when files or folders are gone.
#include "gui/app/dialog_folders.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace kelto::gui;

class DialogFoldersTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir FRoot;

    QString Make(const QString& folder, const QString& file = {})
    {
        const QString path = FRoot.filePath(folder);
        QDir().mkpath(path);
        if (!file.isEmpty()) {
            QFile touched(path + '/' + file);
            touched.open(QIODevice::WriteOnly);
        }
        return path;
    }

private slots:
    void examplesAreFoundFromTheExecutable_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("installed") << Make("usr/bin") << Make("usr/share/keltosimu/examples", "a.dps");
        QTest::newRow("build tree") << Make("src/build/rel/src/gui/app") << Make("src/examples", "a.dps");
        QTest::newRow("folder without circuits")
            << Make("other/bin") << (Make("other/examples", "a.txt"), "");
        QTest::newRow("too far up") << Make("far/a/b/c/d/e/f") << (Make("far/examples", "a.dps"), "");
    }

    void examplesAreFoundFromTheExecutable()
    {
        QFETCH(QString, executable);
        QFETCH(QString, expected);
        QCOMPARE(ExampleFolders(executable).value(0), expected);
    }

    void startFolderFallsBackPastFilesAndFoldersThatAreGone()
    {
        QSettings settings(FRoot.filePath("settings.ini"), QSettings::IniFormat);
        const QString examples = Make("examples", "a.dps");
        TDialogFolders folders(settings, {examples});
        const QString circuits = Make("circuits");
        const QString programs = Make("programs");
        const auto open = TDialogUse::Open;
        QCOMPARE(folders.StartFolder(circuits + "/a.dps", programs + "/p.txt", open), circuits);
        QCOMPARE(folders.StartFolder({}, programs + "/p.txt", open), programs);
        QCOMPARE(folders.StartFolder(FRoot.filePath("gone/a.dps"), {}, open), examples);

        folders.Remember(programs + "/q.txt");
        QCOMPARE(TDialogFolders(settings, {examples}).StartFolder({}, {}, open), programs);
        QVERIFY(QDir(programs).removeRecursively());
        QCOMPARE(folders.StartFolder({}, {}, open), examples);
        QCOMPARE(TDialogFolders(settings, {}).StartFolder({}, {}, open), QDir::homePath());
    }

    // A lesson opened from the examples is saved elsewhere: beside the
    // student's other file, else in the folder chosen last, else at home.
    void saveDialogsNeverStartAmongTheExamples()
    {
        QSettings settings(FRoot.filePath("settings2.ini"), QSettings::IniFormat);
        const QString examples = Make("shipped/examples", "a.dps");
        const QString mine = Make("mine");
        TDialogFolders folders(settings, {Make("installed/examples", "b.dps"), examples});
        const auto save = TDialogUse::Save;
        folders.Remember(examples + "/a.dps");
        QCOMPARE(folders.StartFolder(examples + "/a.dps", {}, TDialogUse::Open), examples);
        QCOMPARE(folders.StartFolder(examples + "/a.dps", {}, save), QDir::homePath());
        QCOMPARE(folders.StartFolder(Make("shipped/examples/sub") + "/a.dps", mine + "/p.txt", save), mine);
        folders.Remember(mine + "/c.dps");
        QCOMPARE(folders.StartFolder(examples + "/a.dps", {}, save), mine);
    }
};

QTEST_MAIN(DialogFoldersTest)
#include "dialog_folders_test.moc"
