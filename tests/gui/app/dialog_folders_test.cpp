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
        QCOMPARE(ExamplesFolder(executable), expected);
    }

    void startFolderFallsBackPastFilesAndFoldersThatAreGone()
    {
        QSettings settings(FRoot.filePath("settings.ini"), QSettings::IniFormat);
        const QString examples = Make("examples", "a.dps");
        TDialogFolders folders(settings, examples);
        const QString circuits = Make("circuits");
        const QString programs = Make("programs");
        QCOMPARE(folders.StartFolder(circuits + "/a.dps", programs + "/p.txt"), circuits);
        QCOMPARE(folders.StartFolder({}, programs + "/p.txt"), programs);
        QCOMPARE(folders.StartFolder(FRoot.filePath("gone/a.dps"), {}), examples);

        folders.Remember(programs + "/q.txt");
        QCOMPARE(TDialogFolders(settings, examples).StartFolder({}, {}), programs);
        QVERIFY(QDir(programs).removeRecursively());
        QCOMPARE(folders.StartFolder({}, {}), examples);
        QCOMPARE(TDialogFolders(settings, {}).StartFolder({}, {}), QDir::homePath());
    }
};

QTEST_MAIN(DialogFoldersTest)
#include "dialog_folders_test.moc"
