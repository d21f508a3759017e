#pragma once

#include "tablestore.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

// A small competition database in a temporary folder, filled record by record.
class TestDatabase
{
public:
    TestDatabase();

    QString folder() const; // the folder Table
    TableStore& store() { return *m_store; }
    void reopen();

    void exec(const QString& sql, const QVariantList& params = {});
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    void addCountry(int code, const QString& name, const QString& capital = QString());
    void addDivision(int code, int country, const QString& name);
    void addStadium(int code, const QString& name, int capacity, int country);
    void addTeam(int code, const QString& shortName, const QString& city, int division, int stadium = 0,
                 const QString& fullName = QString());
    // Goals may be null for a result without a score.
    void addResult(int num, const QDate& date, int home, int away, const QString& homeLabel, const QString& awayLabel,
                   const QVariant& goals1, const QVariant& goals2, int division);
    void addSeason(int num, const QString& name, int division, const QDate& start, const QDate& finish);
    void addRow(int season, int team, const QString& label, int points = 0, int ball = 0);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TableStore> m_store;
};
