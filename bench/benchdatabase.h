#pragma once

#include "datamodule.h"
#include "tablestore.h"

#include <QString>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <vector>

// A synthetic database made by the builder (40 countries, 200 competitions, 4,000 teams,
// 25 seasons each) with the given number of results, made once per run, or kept in the
// folder TALLYFIELD_BENCH_CACHE names and reused by later runs.
class BenchDatabase
{
public:
    static BenchDatabase& get(int results);
    // Closes every database made, while the application object still lives (a connection
    // closed after it has gone crashes at exit).
    static void releaseAll();

    TableStore& store() { return *m_store; }

    struct Competition
    {
        qint64 code = 0;
        qint64 country = 0;
        std::vector<qint64> teams;
        std::vector<QString> labels;
        std::vector<qint64> seasons;
    };
    std::vector<Competition> competitions;

private:
    explicit BenchDatabase(int results);
    QTemporaryDir m_dir;
    std::unique_ptr<TableStore> m_store;
};

// The data module opened on a bench database, as the program opens it at start-up.
struct BenchModule
{
    explicit BenchModule(BenchDatabase& db) : module(db.store()) { module.DataModuleCreate(); }
    TDataModule1 module;
};

// Makes the competition (and its country) current, as the choosers do.
void choose(TDataModule1& m, const BenchDatabase::Competition& c);

// The resident memory of this process, in megabytes.
double residentMegabytes();
