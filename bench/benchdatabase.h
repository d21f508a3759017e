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
    // Closes every database made; the stores must go before the application object.
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
    static std::map<int, std::unique_ptr<BenchDatabase>>& made();
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

// The resident memory of this process, in megabytes; with own set, only its own memory,
// without the pages of files mapped into it (the database file SQLite reads through its
// memory map belongs to the system's file cache, shared and dropped under pressure).
double residentMegabytes(bool own = false);

// Takes --results=a,b,... (the sizes of the synthetic databases) out of the command line;
// the defaults when it is not given.
std::vector<int> takeSizes(int& argc, char* argv[], std::vector<int> defaults);
