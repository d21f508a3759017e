#pragma once

#include "tablestore.h"
#include "tableview.h"

#include <QObject>

// The team label: the short name, a blank and the city in parentheses, as in Dynamo (Kyiv).
QString teamLabel(const QString& shortName, const QString& city);

// The score text of a result, the current record of a view of the results: the home
// goals, " : " and the away goals; an empty goal shows as empty text ("2 : 1", " : ").
QString scoreText(TableView& view);

// The shared data module: the ten views every window works through, their data sources,
// and the record rules that run as the views' reactions (codes of new records, the score
// text, the renaming of a team in results and league tables, the stadium of the browsed
// team). The current country, competition and season of the whole program are the
// current records of TableCountry, TableDivision and TableTableHead.
class TDataModule1 : public QObject
{
    Q_OBJECT

public:
    // Makes the views and data sources on the store (closed) and becomes DataModule1.
    explicit TDataModule1(TableStore& store, QObject* parent = nullptr);
    ~TDataModule1() override;

    // Opens the ten views in order. An error stops at the view that failed; the views
    // after it stay closed.
    void DataModuleCreate();

    TableStore& store() const { return m_store; }

    TableView* TableCountry;
    TableView* TableDivision;
    TableView* TableStadium;
    TableView* TableTeam;
    TableView* TableResults;
    TableView* TableSortRes;
    TableView* TableTableHead;
    TableView* TableTableDet;
    TableView* TableSortDet;
    TableView* TableSortTeam;

    DataSource* DataSourceCountry;
    DataSource* DataSourceDivision;
    DataSource* DataSourceStadium;
    DataSource* DataSourceTeam;
    DataSource* DataSourceResults;
    DataSource* DataSourceSortRes;
    DataSource* DataSourceTableHead;
    DataSource* DataSourceTableDet;
    DataSource* DataSourceSortDet;
    DataSource* DataSourceSortTeam;

    // The team total of the current country, counted before a team record is begun.
    int teamTotal = 0;

    // The views in the order they are opened.
    std::vector<TableView*> views() const;

    // --- reactions ---
    void TableDivisionAfterInsert(TableView& view);
    void TableStadiumAfterInsert(TableView& view);
    void TableTeamBeforeInsert(TableView& view);
    void TableTeamAfterInsert(TableView& view);
    void TableTeamAfterPost(TableView& view);
    void TableResultsCalcFields(TableView& view);
    void TableSortResCalcFields(TableView& view);
    void TableTableHeadAfterInsert(TableView& view);
    void TableSortTeamAfterScroll(TableView& view);

private:
    TableView* makeView(const QString& table, const QString& name);
    void setCountryCode(TableView& view, qint64 count);
    DataSource* makeSource(TableView* view, const QString& name);
    void relabel(TableView& view, const QStringList& codeFields, const QStringList& labelFields, qint64 code,
                 const QString& label);

    TableStore& m_store;
};

// The one data module of the program; null before it is made.
extern TDataModule1* DataModule1;

// DataModule1, for a handler that needs it: an AppError "The data module is not loaded."
// when there is none.
TDataModule1& loadedDataModule();
