// One program per program directory: a second start brings the first forward and ends, a first
// program that does not answer is reported, and the first start clears away interrupted saves.

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/single_instance.h"
#include "settings/language_file.h"
#include "settings/program_lock.h"
#include "settings/text_tables.h"
#include "window_rig.h"

using namespace voltrane;

namespace {

constexpr int kGerman = 3;

// A portable copy of the program in a folder of its own: the folder is its program directory.
struct ProgramCopy {
    QTemporaryDir dir;
    QProcess process;

    bool Prepare() {
        const QString copy = dir.filePath(QStringLiteral("voltrane"));
        return dir.isValid() && LinkSkins(dir.path()) &&
               QFile::copy(QStringLiteral(VOLTRANE_BINARY), copy) &&
               QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void Start(const QString& activationToken = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
        if (!activationToken.isEmpty())
            environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), activationToken);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VOLTRANE_DEVICE"), "virtual:" + dir.filePath("mouse.bin"));
        process.setProcessEnvironment(environment);
        process.start(dir.filePath(QStringLiteral("voltrane")), QStringList());
    }
    std::filesystem::path Path() const { return dir.path().toStdString(); }
    ~ProgramCopy() {
        process.kill();
        process.waitForFinished();
    }
};

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartBringsTheFirstForward_data();
    void secondStartBringsTheFirstForward();
    void firstThatDoesNotAnswerIsReported();
    void firstStartClearsInterruptedSavesAndAnswers();
    void staleSocketIsReplaced();
    void socketThatCannotBeReplacedIsReported();
};

void TestSingleInstance::secondStartBringsTheFirstForward_data() {
    QTest::addColumn<QString>("token");
    QTest::newRow("without an activation token") << QString();
    QTest::newRow("with the desktop's activation token") << QStringLiteral("voltrane-test_TOKEN-7f3a");
}

// The second start hands over the activation token the desktop started it with, so that the first
// can be activated with it.
void TestSingleInstance::secondStartBringsTheFirstForward() {
    QFETCH(QString, token);
    ProgramCopy second;
    QVERIFY(second.Prepare());
    SingleInstance first(second.Path());
    QCOMPARE(first.role(), SingleInstance::Role::First);
    int requests = 0;
    QString received = QStringLiteral("none");
    first.OnRequest([&requests, &received](const QString& given) {
        ++requests;
        received = given;
    });
    second.Start(token);
    QTRY_COMPARE_WITH_TIMEOUT(second.process.state(), QProcess::NotRunning, 20000);
    QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process.exitCode(), 0);
    QCOMPARE(requests, 1);
    QCOMPARE(received, token);
}

void TestSingleInstance::firstThatDoesNotAnswerIsReported() {
    ProgramCopy second;
    QVERIFY(second.Prepare());
    QVERIFY(WriteLanguage(second.Path() / "LANGUAGE.ini", kGerman).ok());
    ProgramLock hung(second.Path());  // holds the folder, answers nothing
    QCOMPARE(hung.state(), ProgramLock::State::Held);
    second.Start();
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT(
        (said += second.process.readAllStandardError()).contains(second.dir.path().toUtf8()), 20000);
    // It does not run beside the first: it names the folder, in the user's language, and waits for its
    // message to be read.
    QVERIFY(said.contains(QString::fromStdU16String(
                              std::u16string(GetText(TextTable::Notice, kNoticeInstanceNoAnswer, kGerman)))
                              .toUtf8()));
    QVERIFY(!QFile::exists(second.dir.filePath("Setting1.ini")));
}

void TestSingleInstance::firstStartClearsInterruptedSavesAndAnswers() {
    ProgramCopy first;
    QVERIFY(first.Prepare());
    const QString leftover = first.dir.filePath(QStringLiteral(".Setting1.ini.k3J9sa"));
    const QString foreign = first.dir.filePath(QStringLiteral(".notes.txt.k3J9sa"));
    for (const QString& name : {leftover, foreign}) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    first.Start();
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(leftover), 20000);
    QVERIFY(QFile::exists(foreign));
    QCOMPARE(first.process.state(), QProcess::Running);
    const SingleInstance second(first.Path());
    QCOMPARE(second.role(), SingleInstance::Role::Forwarded);
    QCOMPARE(first.process.state(), QProcess::Running);
}

// A file left where the first program's socket belongs (a program that ended without cleaning up) is
// removed, and the first program listens.
void TestSingleInstance::staleSocketIsReplaced() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::filesystem::path dir = folder.path().toStdString();
    const QString socketPath = QDir(QDir::tempPath()).filePath(SingleInstance::ServerName(dir));
    QFile stale(socketPath);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    const SingleInstance first(dir);
    QCOMPARE(first.role(), SingleInstance::Role::First);
    QCOMPARE(first.ListenFailure(), QString());
    QLocalSocket later;
    later.connectToServer(SingleInstance::ServerName(dir));
    QVERIFY(later.waitForConnected(1000));
}

// Where the socket's place is held by something the program may not remove, it runs, and says that a
// later start cannot reach it.
void TestSingleInstance::socketThatCannotBeReplacedIsReported() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::filesystem::path dir = folder.path().toStdString();
    const QString name = SingleInstance::ServerName(dir);
    QDir temp(QDir::tempPath());
    QVERIFY(temp.mkpath(name + QStringLiteral("/in-the-way")));
    const SingleInstance first(dir);
    QDir(temp.filePath(name)).removeRecursively();
    QCOMPARE(first.role(), SingleInstance::Role::First);
    QVERIFY2(first.ListenFailure().startsWith(name + QStringLiteral(": ")),
             qPrintable(first.ListenFailure()));
    QVERIFY(first.ListenFailure().size() > name.size() + 2);
}

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
