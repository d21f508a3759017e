#include "schema.h"

namespace {

using F = FieldType;

FieldSchema f(const char* name, FieldType type, const QString& label, int width = 0)
{
    return FieldSchema{QString::fromLatin1(name), type, width, label};
}

IndexKey asc(const char* field)
{
    return IndexKey{QString::fromLatin1(field), false};
}

IndexKey desc(const char* field)
{
    return IndexKey{QString::fromLatin1(field), true};
}

std::vector<TableSchema> makeTables()
{
    std::vector<TableSchema> t;

    t.push_back(
        TableSchema{QStringLiteral("Country.db"),
                    QStringLiteral("Country"),
                    QStringLiteral("RecId"),
                    {f("Code", F::Integer, QStringLiteral("Код")), f("Country", F::Text, QStringLiteral("Страна"), 50),
                     f("Capital", F::Text, QStringLiteral("Столица"), 50),
                     f("Flag", F::Picture, QStringLiteral("Флаг")), f("Logo", F::Picture, QStringLiteral("Логотип"))},
                    {IndexSchema{QStringLiteral("Country"), {asc("Country")}}},
                    {QStringLiteral("Code")},
                    {}});

    t.push_back(TableSchema{QStringLiteral("Division.db"),
                            QStringLiteral("Division"),
                            QStringLiteral("RecId"),
                            {f("Code", F::Integer, QStringLiteral("Код")),
                             f("Country", F::Integer, QStringLiteral("Код Страны")),
                             f("Division", F::Text, QStringLiteral("Дивизион"), 30)},
                            // A country's competitions in the order they were added.
                            {IndexSchema{QStringLiteral("iCountry"), {asc("Country"), asc("Code")}}},
                            {QStringLiteral("Code")},
                            {}});

    t.push_back(TableSchema{
        QStringLiteral("Stadium.DB"),
        QStringLiteral("Stadium"),
        QStringLiteral("RecId"),
        {f("Code", F::Integer, QStringLiteral("Код")), f("Stadium", F::Text, QStringLiteral("Стадион"), 60),
         f("Capacity", F::Integer, QStringLiteral("Вместимость")),
         f("LogoStadium1", F::Picture, QStringLiteral("Фото1")), f("LogoStadium2", F::Picture, QStringLiteral("Фото2")),
         f("LogoStadium3", F::Picture, QStringLiteral("Фото3")), f("LogoStadium4", F::Picture, QStringLiteral("Фото4")),
         f("Country", F::Integer, QStringLiteral("Код страны"))},
        {IndexSchema{QStringLiteral("iCountry"), {asc("Country"), asc("Code")}}},
        {QStringLiteral("Code")},
        {}});

    t.push_back(TableSchema{
        QStringLiteral("Team.db"),
        QStringLiteral("Team"),
        QStringLiteral("RecId"),
        {f("Code", F::Integer, QStringLiteral("Код")), f("Team", F::Text, QStringLiteral("Команда"), 60),
         f("ShortName", F::Text, QStringLiteral("Короткое название"), 30),
         f("City", F::Text, QStringLiteral("Город"), 35), f("Division", F::Integer, QStringLiteral("Код дивизиона")),
         f("Logo", F::Picture, QStringLiteral("Логотип")), f("Stadium", F::Integer, QStringLiteral("Код стадиона"))},
        {IndexSchema{QStringLiteral("iDivision"), {asc("Division"), asc("Code")}},
         IndexSchema{QStringLiteral("iTeam"), {asc("Team"), asc("Code")}}},
        {QStringLiteral("Code")},
        {{QStringLiteral("ShortName")}}});

    t.push_back(
        TableSchema{QStringLiteral("Results.db"),
                    QStringLiteral("Results"),
                    QStringLiteral("RecId"),
                    {f("Num", F::Integer, QStringLiteral("№")), f("Date", F::Date, QStringLiteral("Дата")),
                     f("CodeTeam", F::Integer, {}), f("CodeTeam2", F::Integer, {}),
                     f("Team", F::Text, QStringLiteral("Хозяева"), 40),
                     f("Team2", F::Text, QStringLiteral("Гости"), 40), f("Goal1", F::Smallint, QStringLiteral("Гол1")),
                     f("Goal2", F::Smallint, QStringLiteral("Гол2")), f("Division", F::Integer, {})},
                    // A competition's results from the first match day on; the newest first for iDate,
                    // the later-added result first on the same day.
                    {IndexSchema{QStringLiteral("iDivision"), {asc("Division"), asc("Date")}},
                     IndexSchema{QStringLiteral("iDate"), {desc("Date")}, true}},
                    {},
                    {{QStringLiteral("Team"), QStringLiteral("Team2")},
                     {QStringLiteral("Team2"), QStringLiteral("Team")},
                     {QStringLiteral("CodeTeam")},
                     {QStringLiteral("CodeTeam2")}}});

    t.push_back(TableSchema{QStringLiteral("TableHead.DB"),
                            QStringLiteral("TableHead"),
                            QStringLiteral("RecId"),
                            {f("Num", F::Integer, QStringLiteral("№")), f("Name", F::Text, QStringLiteral("Сезон"), 11),
                             f("CodeDivision", F::Integer, {}), f("DateStart", F::Date, QStringLiteral("Начало")),
                             f("DateFinish", F::Date, QStringLiteral("Конец")),
                             f("Note", F::Memo, QStringLiteral("Примечание"))},
                            // A competition's seasons in the order they were added.
                            {IndexSchema{QStringLiteral("iCodeDivision"), {asc("CodeDivision"), asc("Num")}}},
                            {QStringLiteral("Num")},
                            {}});

    t.push_back(TableSchema{
        QStringLiteral("TableDet.DB"),
        QStringLiteral("TableDet"),
        QStringLiteral("Num"),
        {f("Num", F::AutoInc, {}), f("CodeSeason", F::Integer, {}), f("Position", F::Smallint, QStringLiteral("№")),
         f("CodeTeam", F::Integer, QStringLiteral("Код команды")), f("Team", F::Text, QStringLiteral("Команда"), 40),
         f("Game", F::Smallint, QStringLiteral("И")), f("Win", F::Smallint, QStringLiteral("В")),
         f("Draw", F::Smallint, QStringLiteral("Н")), f("Lose", F::Smallint, QStringLiteral("П")),
         f("BGoal", F::Smallint, QStringLiteral("З")), f("BMiss", F::Smallint, QStringLiteral("П")),
         f("Ball", F::Smallint, QStringLiteral("Разница")), f("Points", F::Smallint, QStringLiteral("О")),
         f("Kf", F::Float, {})},
        // Rows of a season in the order they were added; the ranking order breaks a tie of
        // points and goal difference by goals scored, then by the order of adding.
        {IndexSchema{QStringLiteral("iCodeSeason"), {asc("CodeSeason")}},
         IndexSchema{QStringLiteral("iPointsBall"), {desc("Points"), desc("Ball"), desc("BGoal")}}},
        {},
        {{QStringLiteral("CodeTeam")}}});

    return t;
}

QString sqlType(FieldType type)
{
    switch (type) {
    case F::Integer:
    case F::Smallint:
        return QStringLiteral("INTEGER");
    case F::Text:
    case F::Date:
    case F::Memo:
        return QStringLiteral("TEXT");
    case F::Float:
        return QStringLiteral("REAL");
    case F::Picture:
        return QStringLiteral("BLOB");
    case F::AutoInc:
        return QStringLiteral("INTEGER");
    }
    return QStringLiteral("ANY");
}

} // namespace

int TableSchema::fieldIndex(QStringView fieldName) const
{
    for (size_t i = 0; i < fields.size(); ++i) {
        const QString& candidate = fields[i].name;
        if (candidate.size() == fieldName.size() && fieldName.compare(candidate, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const FieldSchema* TableSchema::field(QStringView fieldName) const
{
    const int i = fieldIndex(fieldName);
    return i < 0 ? nullptr : &fields[static_cast<size_t>(i)];
}

const IndexSchema* TableSchema::index(const QString& indexName) const
{
    for (const auto& ix : indexes) {
        if (ix.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &ix;
    }
    return nullptr;
}

namespace Schema {

const std::vector<TableSchema>& tables()
{
    static const std::vector<TableSchema> all = makeTables();
    return all;
}

const TableSchema* table(const QString& name)
{
    for (const auto& t : tables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0 || t.sqlName.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

QStringList createStatements()
{
    QStringList sql;
    for (const auto& t : tables()) {
        QStringList columns;
        if (t.fieldIndex(t.idColumn) < 0)
            columns << QStringLiteral("\"%1\" INTEGER PRIMARY KEY").arg(t.idColumn);
        for (const auto& field : t.fields) {
            QString column = QStringLiteral("\"%1\" %2").arg(field.name, sqlType(field.type));
            if (field.name == t.idColumn)
                column += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
            if (t.uniqueFields.contains(field.name))
                column += QStringLiteral(" UNIQUE");
            columns << column;
        }
        sql << QStringLiteral("CREATE TABLE \"%1\" (%2) STRICT").arg(t.sqlName, columns.join(QStringLiteral(", ")));

        // Indexes are built ascending: SQLite walks them backwards for an order whose keys
        // all run the other way.
        for (const auto& ix : t.indexes) {
            QStringList keys;
            for (const auto& key : ix.keys) {
                QString k = QStringLiteral("\"%1\"").arg(key.field);
                if (t.field(key.field)->type == F::Text)
                    k += QStringLiteral(" COLLATE NOCASE");
                keys << k;
            }
            sql << QStringLiteral("CREATE INDEX \"%1_%2\" ON \"%1\" (%3)")
                       .arg(t.sqlName, ix.name, keys.join(QStringLiteral(", ")));
        }
        int n = 0;
        for (const auto& lookup : t.lookupIndexes) {
            QStringList keys;
            for (const auto& field : lookup)
                keys << QStringLiteral("\"%1\"").arg(field);
            sql << QStringLiteral("CREATE INDEX \"%1_lookup%2\" ON \"%1\" (%3)")
                       .arg(t.sqlName)
                       .arg(++n)
                       .arg(keys.join(QStringLiteral(", ")));
        }
    }
    return sql;
}

} // namespace Schema
