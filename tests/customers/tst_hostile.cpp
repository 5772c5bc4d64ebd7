// The command-line tools given damaged files and hostile arguments: each
// case ends in its exit status and a message, never in an abort, and a
// JSON answer always parses. Files are damaged with raw bytes, and changed
// behind the program's back with Perl's XBase writer.

#include "RetrievalFixture.h"

#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

using namespace qw;

namespace {

constexpr qint64 kFirstFieldDescriptor = 32;

// An argument for the shell: $'...' as written (bytes that are not UTF-8),
// anything else quoted as it is.
QString shellWord(QString word)
{
    if (word.startsWith("$'"))
        return word;
    return "'" + word.replace("'", "'\\''") + "'";
}

struct Run {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QByteArray out, err;
};

} // namespace

class TestHostileInput : public QObject {
    Q_OBJECT

    std::unique_ptr<test::CustomerFolder> folder_;

    QString file(const QString& name) const { return folder_->filePath(name); }

    Run run(const QString& program, QStringList arguments, bool asNobody) const
    {
        arguments.replaceInStrings("$W", file(""));
        QString command = "exec ";
        if (asNobody) // a user who may only read the folder
            command += "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        command += shellWord(QStringLiteral(QW_PROGRAM_DIR "/") + program);
        for (const QString& argument : arguments)
            command += " " + shellWord(argument);
        QProcess process;
        process.start("bash", {"-c", command});
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitStatus(), process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    void perl(const QString& script) const
    {
        QCOMPARE(
            QProcess::execute("perl", {"-MXBase", "-e",
                                       "$t = XBase->new('" + file("Saveddb.dbf") +
                                           "') or die XBase->errstr; " + script + "; $t->close"}),
            0);
    }

    // Overwrites bytes of a file at an offset (negative: from the end).
    void patch(const QString& name, qint64 at, const QByteArray& bytes) const
    {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(at < 0 ? f.size() + at : at));
        f.write(bytes);
    }

    qint64 commentsOffsetOfRecord2() const
    {
        storage::Table table(folder_->path());
        table.open("Saveddb.dbf", storage::OpenMode::ReadOnly);
        qint64 offset = 1;
        for (const auto& field : table.fields()) {
            if (field.name == "COMMENTS")
                return table.headerLength() + table.recordLength() + offset;
            offset += field.length;
        }
        return -1;
    }

    void damage(const QString& how)
    {
        if (how == "memo")
            patch("Saveddb.dbf", commentsOffsetOfRecord2(), "   999999");
        else if (how == "descriptor")
            patch("Saveddb.dbf", kFirstFieldDescriptor, "N\xffME");
        else if (how == "keyexpr")
            patch("Saved.idx", 16, "\xff\xfe(NAME)");
        else if (how == "leaf")
            patch("Saved.idx", -512, QByteArray(512, '\0'));
        else if (how == "noindex")
            QVERIFY(QFile::remove(file("Saved.idx")));
        else if (how == "cut") { // the last record cut off in its middle
            QFile table(file("Saveddb.dbf"));
            QVERIFY(table.resize(table.size() - 100));
        } else if (how == "journal")
            patch("Saveddb.dbf-journal", 0, "left over");
        else if (how == "rename")
            perl("$t->update_record_hash(0, NAME => 'Zed Renamed')");
        else if (how == "blank")
            perl("$t->set_record($t->last_record + 1)");
        else if (how == "foreign") { // a customer added without the index, in a folder
            perl("$t->set_record($t->last_record + 1, 'Dee Outside', '1 Rd', '', 'Town', 'ST', '', "
                 "'', '', '', '1/1/26', "
                 "'50', '28', '100', '0', '0', '0', '0', '0', '0')");
            QDir folder(file(""));
            for (const QString& name : folder.entryList(QDir::Files))
                ::chmod(file(name).toLocal8Bit().constData(), 0644);
            ::chmod(file("").toLocal8Bit().constData(), 0755);
        }
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<test::CustomerFolder>();
        folder_->add({test::customer("Ann", {{"COMMENTS", "first\r\nsecond"}}),
                      test::customer("Bob", {{"COMMENTS", "Bob's notes"}}),
                      test::customer("Cat", {{"COMMENTS", "third"}})});
    }

    void eachCaseEndsInItsMessage_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");    // in the output or the error stream
        QTest::addColumn<QString>("notSaid"); // in neither
        const QString memoNotice = "Record 2 (Bob): its COMMENTS cannot be read and are left out.";
        const QStringList add = {"--data", "$W",   "add",     "--addr1", "1 Main",
                                 "--city", "Hull", "--state", "QC"};
        const QStringList customers = {"--data", "$W"};
        QTest::newRow("find on a damaged memo")
            << "memo"
            << "quiverwise-customers" << customers + QStringList{"find", "Bo", "--json"} << 0
            << memoNotice << "terminate";
        QTest::newRow("list on a damaged memo")
            << "memo"
            << "quiverwise-customers" << customers + QStringList{"list", "--json"} << 0 << "Cat"
            << "terminate";
        QTest::newRow("export past a damaged memo")
            << "memo"
            << "quiverwise-customers" << customers + QStringList{"export"} << 0 << memoNotice
            << "terminate";
        QTest::newRow("dump past a damaged memo")
            << "memo"
            << "quiverwise-dbf" << QStringList{"dump", "$W/Saveddb.dbf"} << 0 << "\"Cat\""
            << "terminate";
        QTest::newRow("add to a table without NAME")
            << "descriptor"
            << "quiverwise-customers" << add + QStringList{"--name", "Dan"} << 1
            << "it has no field NAME"
            << "terminate";
        QTest::newRow("select: entry not UTF-8")
            << ""
            << "quiverwise-select"
            << QStringList{"--data", "$W", "--bow-weight", "$'\\xff\\xfe'", "--json"} << 1
            << "is not a valid integer value"
            << "terminate";
        QTest::newRow("ke: weight not UTF-8")
            << ""
            << "quiverwise-calc" << QStringList{"ke", "--weight", "$'\\xff'", "--json"} << 1
            << "is not a valid integer value"
            << "terminate";
        QTest::newRow("foc: length not UTF-8")
            << ""
            << "quiverwise-calc" << QStringList{"foc", "--length", "$'\\xfe'", "--json"} << 1
            << "is not a valid floating point value"
            << "terminate";
        QTest::newRow("list: key expression not UTF-8")
            << "keyexpr"
            << "quiverwise-customers" << customers + QStringList{"list", "--json"} << 0
            << "has been rebuilt from Saveddb.dbf"
            << "terminate";
        QTest::newRow("add: letters outside Windows-1252")
            << ""
            << "quiverwise-customers" << add + QStringList{"--name", "Łódź"} << 1 << "without Ł, ź."
            << "successfully";
        QTest::newRow("add: bow weight not a number")
            << ""
            << "quiverwise-customers" << add + QStringList{"--name", "E", "--bow-weight", "6a"} << 1
            << "'6a' is not a valid integer value"
            << "successfully";
        QTest::newRow("add: bow weight too long")
            << ""
            << "quiverwise-customers" << add + QStringList{"--name", "E", "--bow-weight", "123456"}
            << 1 << "longer than the customer table keeps (5 characters)"
            << "successfully";
        QTest::newRow("add: name too long")
            << ""
            << "quiverwise-customers" << add + QStringList{"--name", QString(41, 'N')} << 1
            << "is 41 characters long"
            << "successfully";
        QTest::newRow("add: escape in a name")
            << ""
            << "quiverwise-customers" << add + QStringList{"--name", "E\x1b[2J"} << 1
            << "cannot hold the control character 0x1B"
            << "successfully";
        QTest::newRow("add: line break in a name")
            << ""
            << "quiverwise-customers" << add + QStringList{"--name", "E\nF"} << 1
            << "cannot hold a line break"
            << "successfully";
        QTest::newRow("sheet: bow weight not a number")
            << ""
            << "quiverwise-sheet" << QStringList{"--data",       "$W",  "--page", "hunt",
                                                 "--bow-weight", "abc", "--pdf",  "$W/x.pdf"}
            << 1 << "'abc' is not a valid integer value"
            << "terminate";
        QTest::newRow("list tells of a leftover journal")
            << "journal"
            << "quiverwise-customers" << customers + QStringList{"list"} << 0
            << "moved aside as Saveddb.dbf-journal.rejected-1"
            << "terminate";
        QTest::newRow("find tells of a leftover journal")
            << "journal"
            << "quiverwise-customers" << customers + QStringList{"find", "Ca"} << 0
            << "moved aside as Saveddb.dbf-journal.rejected-1"
            << "terminate";
        QTest::newRow("find tells of a cut-off record")
            << "cut"
            << "quiverwise-customers" << customers + QStringList{"find", "Bo"} << 0
            << "more bytes that are no whole record"
            << "terminate";
        QTest::newRow("find by a name another program changed")
            << "rename"
            << "quiverwise-customers" << customers + QStringList{"find", "Ann"} << 1
            << "Name not found"
            << "Zed Renamed";
        QTest::newRow("find by the changed name")
            << "rename"
            << "quiverwise-customers" << customers + QStringList{"find", "Zed"} << 0
            << "NAME: Zed Renamed"
            << "Name not found";
        QTest::newRow("list over a zeroed leaf")
            << "leaf"
            << "quiverwise-customers" << customers + QStringList{"list"} << 0 << "NAME: Cat"
            << "terminate";
        QTest::newRow("find with the index missing")
            << "noindex"
            << "quiverwise-customers" << customers + QStringList{"find", "Ca"} << 0
            << "has been rebuilt from Saveddb.dbf"
            << "terminate";
        QTest::newRow("list leaves a blank record out")
            << "blank"
            << "quiverwise-customers" << customers + QStringList{"list", "--json"} << 0 << "\"Cat\""
            << "\"NAME\":\"\"";
        QTest::newRow("read-only folder, index short: find")
            << "foreign"
            << "nobody:quiverwise-customers" << customers + QStringList{"find", "Dee"} << 0
            << "NAME: Dee Outside"
            << "read-only";
        QTest::newRow("read-only folder, index short: list")
            << "foreign"
            << "nobody:quiverwise-customers" << customers + QStringList{"list"} << 0
            << "NAME: Dee Outside"
            << "read-only";
    }

    void eachCaseEndsInItsMessage()
    {
        QFETCH(QString, damage);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(QString, notSaid);
        // The sheet tool comes with the windows; a build without them has none.
        if (!QFile::exists(QStringLiteral(QW_PROGRAM_DIR "/") + program.section(':', -1)))
            QSKIP("the tool is not part of this build");
        if (!damage.isEmpty())
            this->damage(damage);
        const bool asNobody = program.startsWith("nobody:");
        const Run result = run(program.section(':', -1), arguments, asNobody);
        const QString output = QString::fromUtf8(result.out + result.err);
        QCOMPARE(result.status, QProcess::NormalExit);
        QVERIFY2(output.count(said) == 1, qPrintable(output)); // said, and said once
        QVERIFY2(!output.contains(notSaid), qPrintable(output));
        QCOMPARE(result.exitCode, exitCode);
        if (arguments.contains("--json")) {
            QJsonParseError error;
            QJsonDocument::fromJson(result.out, &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
        }
        if (program == "quiverwise-sheet")
            QVERIFY(!QFile::exists(file("x.pdf")));
    }
};

QTEST_GUILESS_MAIN(TestHostileInput)
#include "tst_hostile.moc"
