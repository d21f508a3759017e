#include "datamodule.h"
#include "testdatabase.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>

// A program killed at any moment of its posts leaves a sound database: every post it was
// told was stored is there, and no team's rename is stored without its cascade.

namespace {

class KillTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(7, "England");
        db.addDivision(71, 7, "One");
        db.addTeam(711, "Rovers", "Ashby", 71);
        db.addTeam(712, "United", "Bexley", 71);
        for (int i = 0; i < 60; ++i) {
            const bool roversHome = i % 2 == 0;
            db.addResult(i + 1, QDate(2019, 8, 1).addDays(i * 5), roversHome ? 711 : 712, roversHome ? 712 : 711,
                         roversHome ? "Rovers (Ashby)" : "United (Bexley)",
                         roversHome ? "United (Bexley)" : "Rovers (Ashby)", i % 4, i % 3, 71);
        }
        db.addSeason(711, "2019/20", 71, QDate(2019, 7, 1), QDate(2020, 6, 30));
        db.addSeason(712, "2019/20 b", 71, QDate(2019, 7, 1), QDate(2020, 6, 30));
        db.addRow(711, 711, "Rovers (Ashby)");
        db.addRow(711, 712, "United (Bexley)");
    }

    qint64 number(const QString& sql, const QVariantList& params = {}) { return db.scalar(sql, params).toLongLong(); }

    // What the log says was stored: the last number of each rename, row edit and fill.
    QMap<QString, qint64> acknowledged(int& posts)
    {
        QMap<QString, qint64> last;
        QFile file(logPath());
        posts = 0;
        if (!file.open(QIODevice::ReadOnly))
            return last;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() != 3)
                continue;
            ++posts;
            last[QString::fromUtf8(parts[0] + ' ' + parts[1])] = parts[2].toLongLong();
        }
        return last;
    }

    QString logPath() const { return db.folder() + QStringLiteral("/../posts.log"); }

    void check(int run)
    {
        SCOPED_TRACE(run);
        db.reopen();
        EXPECT_EQ(db.scalar("PRAGMA integrity_check").toString(), "ok");
        int posts = 0;
        const QMap<QString, qint64> last = acknowledged(posts);
        for (auto it = last.cbegin(); it != last.cend(); ++it) {
            const QStringList key = it.key().split(' ');
            const qint64 id = key[1].toLongLong();
            if (key[0] == "rename") {
                const QString name = db.scalar("SELECT ShortName FROM Team WHERE Code = ?", {id}).toString();
                EXPECT_GE(name.mid(1).toLongLong(), it.value()) << "team " << id << " is " << name.toStdString();
            } else if (key[0] == "kf") {
                EXPECT_GE(number("SELECT Kf FROM TableDet WHERE Num = ?", {id}), it.value());
            } else {
                EXPECT_GE(number("SELECT COUNT(*) FROM TableDet WHERE CodeSeason = ?", {id}), it.value());
            }
        }
        // A fill adds the rows of both teams or none.
        EXPECT_EQ(number("SELECT COUNT(*) FROM TableDet WHERE CodeSeason = 712") % 2, 0);
        // Every stored label of a team is the label of its record.
        for (const int code : {711, 712}) {
            const QString label = teamLabel(db.scalar("SELECT ShortName FROM Team WHERE Code = ?", {code}).toString(),
                                            db.scalar("SELECT City FROM Team WHERE Code = ?", {code}).toString())
                                      .left(40);
            EXPECT_EQ(number("SELECT COUNT(*) FROM Results WHERE (CodeTeam = ? AND Team <> ?) OR "
                             "(CodeTeam2 = ? AND Team2 <> ?)",
                             {code, label, code, label}),
                      0)
                << "results of team " << code << " not relabelled to " << label.toStdString();
            EXPECT_EQ(number("SELECT COUNT(*) FROM TableDet WHERE CodeTeam = ? AND Team <> ?", {code, label}), 0)
                << "rows of team " << code << " not relabelled to " << label.toStdString();
        }
    }

    TestDatabase db;
};

TEST_F(KillTest, EveryAcknowledgedPostSurvivesAKillAndNoRenameIsHalfDone)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    int kills = 0;
    for (int run = 1; run <= 30; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(TALLYFIELD_KILLCHILD),
                    {db.folder(), logPath(), QString::number(static_cast<qint64>(run) * 3000000)});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(30000)) << "the posting program did not start posting";
        QThread::msleep(random.bounded(0, 120));
        if (child.state() == QProcess::Running) {
            child.kill(); // SIGKILL: no handler, no unwinding
            ++kills;
        }
        ASSERT_TRUE(child.waitForFinished());
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "the posting program stopped by itself";
        check(run);
        if (HasFailure())
            return;
    }
    int posts = 0;
    acknowledged(posts);
    std::printf("%d posts acknowledged, %d kills\n", posts, kills);
    EXPECT_EQ(kills, 30);
    EXPECT_GE(posts, 10) << "too few posts between the kills to tell anything";
}

} // namespace
