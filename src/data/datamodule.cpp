#include "datamodule.h"

#include "apperror.h"
#include "codes.h"
#include "fieldvalue.h"
#include "textformat.h"

TDataModule1* DataModule1 = nullptr;

TDataModule1& loadedDataModule()
{
    if (!DataModule1)
        throw AppError(QStringLiteral("The data module is not loaded."));
    return *DataModule1;
}

QString teamLabel(const QString& shortName, const QString& city)
{
    return shortName + QStringLiteral(" (") + city + QLatin1Char(')');
}

QString scoreText(TableView& view)
{
    return view.asString(QStringLiteral("Goal1")) + QStringLiteral(" : ") + view.asString(QStringLiteral("Goal2"));
}

TDataModule1::TDataModule1(TableStore& store, QObject* parent) : QObject(parent), m_store(store)
{
    setObjectName(QStringLiteral("DataModule1"));
    const auto s = [](const char* text) { return QString::fromUtf8(text); };

    TableCountry = makeView(s("Country.db"), s("TableCountry"));
    TableCountry->setIndexFieldNames(s("Country"));
    for (const char* f : {"Code", "Country", "Capital", "Flag", "Logo"})
        TableCountry->addField(s(f));
    DataSourceCountry = makeSource(TableCountry, s("DataSourceCountry"));

    TableDivision = makeView(s("Division.db"), s("TableDivision"));
    TableDivision->setIndexName(s("iCountry"));
    for (const char* f : {"Code", "Country", "Division"})
        TableDivision->addField(s(f));
    TableDivision->bindTo(DataSourceCountry, s("Code"));
    DataSourceDivision = makeSource(TableDivision, s("DataSourceDivision"));

    TableStadium = makeView(s("Stadium.DB"), s("TableStadium"));
    TableStadium->setIndexName(s("iCountry"));
    for (const char* f :
         {"Code", "Stadium", "Capacity", "LogoStadium1", "LogoStadium2", "LogoStadium3", "LogoStadium4", "Country"})
        TableStadium->addField(s(f));
    TableStadium->bindTo(DataSourceCountry, s("Code"));
    DataSourceStadium = makeSource(TableStadium, s("DataSourceStadium"));

    TableTeam = makeView(s("Team.db"), s("TableTeam"));
    TableTeam->setIndexName(s("iDivision"));
    for (const char* f : {"Code", "Team", "ShortName", "City", "Division", "Logo", "Stadium"})
        TableTeam->addField(s(f));
    TableTeam->bindTo(DataSourceDivision, s("Code"));
    DataSourceTeam = makeSource(TableTeam, s("DataSourceTeam"));

    TableResults = makeView(s("Results.db"), s("TableResults"));
    TableResults->setIndexName(s("iDivision"));
    for (const char* f : {"Num", "Date", "CodeTeam", "CodeTeam2", "Team", "Team2", "Goal1", "Goal2"})
        TableResults->addField(s(f));
    TableResults->addCalcField(s("Res"), s("Счет"), 5);
    TableResults->addField(s("Division"));
    TableResults->bindTo(DataSourceDivision, s("Code"));
    DataSourceResults = makeSource(TableResults, s("DataSourceResults"));

    TableSortRes = makeView(s("Results.db"), s("TableSortRes"));
    TableSortRes->setIndexName(s("iDate"));
    for (const char* f : {"Num", "Date", "CodeTeam", "CodeTeam2"})
        TableSortRes->addField(s(f));
    TableSortRes->addField(s("Team")).label = s("Команда1");
    TableSortRes->addField(s("Team2")).label = s("Команда2");
    TableSortRes->addField(s("Goal1"));
    TableSortRes->addField(s("Goal2"));
    TableSortRes->addField(s("Division")).label = s("Дивизион");
    TableSortRes->addCalcField(s("Res"), s("Счет"), 7);
    TableSortRes->setReadOnly(true);
    DataSourceSortRes = makeSource(TableSortRes, s("DataSourceSortRes"));

    TableTableHead = makeView(s("TableHead.DB"), s("TableTableHead"));
    TableTableHead->setIndexName(s("iCodeDivision"));
    for (const char* f : {"Num", "Name", "CodeDivision", "DateStart", "DateFinish", "Note"})
        TableTableHead->addField(s(f));
    TableTableHead->bindTo(DataSourceDivision, s("Code"));
    DataSourceTableHead = makeSource(TableTableHead, s("DataSourceTableHead"));

    TableTableDet = makeView(s("TableDet.DB"), s("TableTableDet"));
    TableTableDet->setIndexName(s("iCodeSeason"));
    for (const char* f : {"Num", "CodeSeason", "Position", "CodeTeam", "Team", "Game", "Win", "Draw", "Lose", "BGoal",
                          "BMiss", "Ball", "Points", "Kf"})
        TableTableDet->addField(s(f));
    TableTableDet->bindTo(DataSourceTableHead, s("Num"));
    DataSourceTableDet = makeSource(TableTableDet, s("DataSourceTableDet"));

    TableSortDet = makeView(s("TableDet.DB"), s("TableSortDet"));
    TableSortDet->setIndexName(s("iPointsBall"));
    for (const char* f : {"Num", "CodeSeason", "Position", "Team", "Game", "Win", "Draw", "Lose", "BGoal", "BMiss",
                          "Ball", "Points", "Kf"})
        TableSortDet->addField(s(f));
    DataSourceSortDet = makeSource(TableSortDet, s("DataSourceSortDet"));

    TableSortTeam = makeView(s("Team.db"), s("TableSortTeam"));
    TableSortTeam->setIndexName(s("iTeam"));
    for (const char* f : {"Code", "Team", "ShortName", "City", "Division", "Logo", "Stadium"})
        TableSortTeam->addField(s(f));
    DataSourceSortTeam = makeSource(TableSortTeam, s("DataSourceSortTeam"));

    // How the declared fields show in data grids.
    const auto field = [](TableView* view, const char* name) { return &view->field(QString::fromLatin1(name)); };
    field(TableStadium, "Capacity")->groupedDigits = true;
    field(TableResults, "Team")->displayWidth = 40;
    field(TableResults, "Team2")->displayWidth = 40;
    field(TableSortRes, "Team")->displayWidth = 30;
    field(TableSortRes, "Team2")->displayWidth = 30;
    field(TableTableDet, "Team")->displayWidth = 35;
    field(TableSortDet, "Num")->alignLeft = true;
    field(TableSortDet, "Team")->displayWidth = 30;
    for (const char* f : {"Game", "Win", "Draw", "Lose"})
        field(TableSortDet, f)->displayWidth = 10;
    field(TableSortDet, "BGoal")->label = s("МЗ");
    field(TableSortDet, "BMiss")->label = s("МП");
    field(TableSortDet, "Ball")->label = s("Ball");
    for (const ViewField& f : TableSortTeam->fields())
        field(TableSortTeam, f.name.toLatin1().constData())->label = f.name;

    TableDivision->afterInsert = [this](TableView& v) { TableDivisionAfterInsert(v); };
    TableStadium->afterInsert = [this](TableView& v) { TableStadiumAfterInsert(v); };
    TableTeam->beforeInsert = [this](TableView& v) { TableTeamBeforeInsert(v); };
    TableTeam->afterInsert = [this](TableView& v) { TableTeamAfterInsert(v); };
    TableTeam->afterPost = [this](TableView& v) { TableTeamAfterPost(v); };
    TableResults->calcFields = [this](TableView& v) { TableResultsCalcFields(v); };
    TableSortRes->calcFields = [this](TableView& v) { TableSortResCalcFields(v); };
    TableTableHead->afterInsert = [this](TableView& v) { TableTableHeadAfterInsert(v); };
    TableSortTeam->afterScroll = [this](TableView& v) { TableSortTeamAfterScroll(v); };

    DataModule1 = this;
}

TDataModule1::~TDataModule1()
{
    if (DataModule1 == this)
        DataModule1 = nullptr;
    // Details first, so that no view outlives the master it follows.
    const std::vector<TableView*> all = views();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        delete *it;
}

TableView* TDataModule1::makeView(const QString& table, const QString& name)
{
    return new TableView(m_store, table, name);
}

DataSource* TDataModule1::makeSource(TableView* view, const QString& name)
{
    return new DataSource(view, name, this);
}

std::vector<TableView*> TDataModule1::views() const
{
    return {TableCountry, TableDivision,  TableStadium,  TableTeam,    TableResults,
            TableSortRes, TableTableHead, TableTableDet, TableSortDet, TableSortTeam};
}

void TDataModule1::DataModuleCreate()
{
    for (TableView* view : views())
        view->open();
}

// The code of a new record of the current country: the country's code followed by the
// number of the country's records in the view plus one.
void TDataModule1::setCountryCode(TableView& view, qint64 count)
{
    const qint64 country = TableCountry->asInteger(QStringLiteral("Code"));
    view.setValue(QStringLiteral("Code"), Codes::nextInCountry(country, count));
}

void TDataModule1::TableDivisionAfterInsert(TableView& view)
{
    setCountryCode(view, view.recordCount());
}

void TDataModule1::TableStadiumAfterInsert(TableView& view)
{
    setCountryCode(view, view.recordCount());
}

void TDataModule1::TableTeamBeforeInsert(TableView&)
{
    // The teams of every competition of the current country, counted in the database so
    // that the current competition (and the range a new team goes into) stays as it is.
    teamTotal = 0;
    const QVariant country = TableCountry->value(QStringLiteral("Code"));
    if (country.isNull())
        return;
    QSqlQuery q = m_store.exec(QStringLiteral("SELECT COUNT(*) FROM \"Team\" WHERE \"Division\" IN "
                                              "(SELECT \"Code\" FROM \"Division\" WHERE \"Country\" = ?)"),
                               {country}, QStringLiteral("Team.db"));
    teamTotal = q.next() ? q.value(0).toInt() : 0;
}

void TDataModule1::TableTeamAfterInsert(TableView& view)
{
    setCountryCode(view, teamTotal);
}

void TDataModule1::TableTableHeadAfterInsert(TableView& view)
{
    const qint64 division = TableDivision->asInteger(QStringLiteral("Code"));
    view.setValue(QStringLiteral("Num"), Codes::nextSeason(division, view.recordCount()));
}

void TDataModule1::TableResultsCalcFields(TableView& view)
{
    view.setCalcValue(QStringLiteral("Res"), scoreText(view));
}

void TDataModule1::TableSortResCalcFields(TableView& view)
{
    view.setCalcValue(QStringLiteral("Res"), scoreText(view));
}

void TDataModule1::TableSortTeamAfterScroll(TableView& view)
{
    if (!TableStadium->isOpen())
        return;
    const QVariant stadium = view.value(QStringLiteral("Stadium"));
    if (!stadium.isNull())
        TableStadium->locate(QStringLiteral("Code"), stadium);
}

void TDataModule1::TableTeamAfterPost(TableView& view)
{
    const qint64 code = view.asInteger(QStringLiteral("Code"));
    const QString label = teamLabel(view.asString(QStringLiteral("ShortName")), view.asString(QStringLiteral("City")));
    // The cascade runs inside the team's post, in its transaction (TableView::post).
    relabel(*TableResults, {QStringLiteral("CodeTeam"), QStringLiteral("CodeTeam2")},
            {QStringLiteral("Team"), QStringLiteral("Team2")}, code, label);
    relabel(*TableTableDet, {QStringLiteral("CodeTeam")}, {QStringLiteral("Team")}, code, label);
}

// Writes the label into every record of the view's whole table whose code field names the
// team: one statement per code field, the label stored as a post would store it (cut to
// the field's width), and every open view of the table told which records changed, as a
// post through a view tells them. No view moves.
void TDataModule1::relabel(TableView& view, const QStringList& codeFields, const QStringList& labelFields, qint64 code,
                           const QString& label)
{
    const TableSchema& table = view.table();
    for (qsizetype f = 0; f < codeFields.size(); ++f) {
        const FieldSchema* codeField = table.field(codeFields[f]);
        const FieldSchema* labelField = table.field(labelFields[f]);
        if (!codeField || !labelField)
            throw AppError(QStringLiteral("%1: the table has no field \"%2\"").arg(view.name(), codeFields[f]));
        const Statement update{QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ? RETURNING %4")
                                   .arg(quotedName(table.sqlName), quotedName(labelField->name),
                                        quotedName(codeField->name), quotedName(table.idColumn)),
                               {FieldValue::forStore(*labelField, label), code}};
        std::vector<qint64> changed;
        {
            KeptStatements::Cursor cursor = m_store.statements().read(update, table.name);
            while (cursor.next())
                changed.push_back(cursor.integer(0));
        }
        for (const qint64 id : changed)
            m_store.notifyChange(table, TableStore::Change::Update, id, {labelField->name}, nullptr);
    }
}