#include "sources.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// The text before a comment; "#" starts one anywhere on a line.
QString withoutComment(const QString& line, QString* comment = nullptr)
{
    const qsizetype at = line.indexOf(QLatin1Char('#'));
    if (at < 0)
        return line;
    if (comment) {
        // A single "#" names the stadium's club; "##" is a remark.
        if (line.mid(at, 2) != QStringLiteral("##"))
            *comment = line.mid(at + 1).trimmed();
    }
    return line.left(at);
}

// "Bayern Munich [en]" -> "Bayern Munich"; "$Emirates$ Stadium" -> "Emirates Stadium".
QString cleanName(QString name)
{
    static const QRegularExpression languageTag(QStringLiteral("\\s*\\[[a-z]{2}\\]\\s*$"));
    static const QRegularExpression years(QStringLiteral("\\s*\\(\\d{4}(-\\d{4})?\\)\\s*$"));
    name.remove(languageTag);
    name.remove(years);
    name.remove(QLatin1Char('$'));
    return name.simplified();
}

QStringList alternativesOf(const QString& line)
{
    QStringList names;
    for (const QString& part : line.split(QLatin1Char('|'))) {
        const QString name = cleanName(part);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

// "London (Highbury)" -> "London"; "Madrid › Comunidad de Madrid" -> "Madrid".
QString cityOf(QString text)
{
    const qsizetype region = text.indexOf(QChar(0x203A));
    if (region >= 0)
        text = text.left(region);
    const qsizetype district = text.indexOf(QLatin1Char('('));
    if (district >= 0)
        text = text.left(district);
    return text.simplified();
}

bool isYear(const QString& text)
{
    static const QRegularExpression year(QStringLiteral("^\\d{4}$"));
    return year.match(text).hasMatch();
}

bool isIndented(const QString& line)
{
    return !line.isEmpty() && line.front().isSpace();
}

// The season a heading dates the entries beneath it by: "= England, as of 2025/26" -> "2025/26";
// a heading without one leaves the date of the entries as it was.
void readHeading(const QString& heading, QString& asOf)
{
    static const QRegularExpression season(QStringLiteral("as of (\\d{4}(/\\d{2})?)"));
    const QRegularExpressionMatch m = season.match(heading);
    if (m.hasMatch())
        asOf = m.captured(1);
}

} // namespace

QString reportedName(const QString& name)
{
    return name.size() <= 40 ? name : name.left(40) + QChar(0x2026);
}

std::vector<ClubEntry> parseClubList(const QString& text)
{
    static const QRegularExpression reserve(QStringLiteral("^\\s*[ivx]+\\)\\s*(.*)$"));
    static const QRegularExpression separator(QStringLiteral(",|\\s{2,}"));
    static const QRegularExpression groundMark(QStringLiteral("@\\s+"));
    static const QRegularExpression regionMark(QStringLiteral("\\s*\u203A\\s*"));
    std::vector<ClubEntry> clubs;
    QString parentCity;
    QString asOf;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = withoutComment(raw);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('='))) {
            readHeading(trimmed, asOf);
            continue;
        }
        if (trimmed.isEmpty())
            continue;
        if (trimmed.startsWith(QLatin1Char('|'))) {
            if (!clubs.empty())
                clubs.back().alternatives << alternativesOf(trimmed);
            continue;
        }
        const QRegularExpressionMatch reserveMatch = reserve.match(line);
        if (reserveMatch.hasMatch()) {
            ClubEntry club;
            club.name = cleanName(reserveMatch.captured(1).section(QLatin1Char(','), 0, 0));
            club.city = parentCity;
            club.asOf = asOf;
            if (!club.name.isEmpty())
                clubs.push_back(club);
            continue;
        }
        if (isIndented(line) || trimmed.contains(QStringLiteral("//")))
            continue; // an address or a note
        const QStringList fields = QString(trimmed)
                                       .replace(groundMark, QStringLiteral("@"))
                                       .replace(regionMark, QStringLiteral(" \u203A "))
                                       .split(separator);
        ClubEntry club;
        club.name = cleanName(fields.front());
        club.asOf = asOf;
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const QString field = fields[i].trimmed();
            if (field.startsWith(QLatin1Char('@')))
                club.stadium = cleanName(field.mid(1));
            else if (!isYear(field) && !cityOf(field).isEmpty()) // not "(1998-2001)" nor "› Region"
                club.city = cityOf(field);
        }
        if (club.name.isEmpty())
            continue;
        parentCity = club.city;
        clubs.push_back(club);
    }
    return clubs;
}

std::vector<StadiumEntry> parseStadiumList(const QString& text)
{
    static const QRegularExpression capacity(QStringLiteral("^\\(?(\\d[\\d_]*)\\)?$"));
    std::vector<StadiumEntry> stadiums;
    QString asOf;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        QString comment;
        const QString line = withoutComment(raw, &comment);
        const QString trimmed = line.trimmed();
        // The home clubs: "# Real Madrid" after the stadium, or "# club: River Plate" /
        // "# clubs: América" on a line of its own beneath it.
        static const QRegularExpression clubsTag(QStringLiteral("^(clubs?|teams?):\\s*"),
                                                 QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch tag = clubsTag.match(comment);
        if (tag.hasMatch())
            comment = comment.mid(tag.capturedLength());
        if (trimmed.isEmpty() && tag.hasMatch() && !stadiums.empty()) {
            for (const QString& club : comment.split(QLatin1Char(',')))
                if (!cleanName(club).isEmpty())
                    stadiums.back().clubs << cleanName(club);
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('='))) {
            readHeading(trimmed, asOf);
            continue;
        }
        if (trimmed.isEmpty())
            continue;
        if (trimmed.startsWith(QLatin1Char('|'))) {
            if (!stadiums.empty())
                stadiums.back().alternatives << alternativesOf(trimmed);
            continue;
        }
        if (isIndented(line) || trimmed.contains(QStringLiteral("//")))
            continue;
        const QStringList fields = trimmed.split(QLatin1Char(','));
        StadiumEntry stadium;
        stadium.name = cleanName(fields.front());
        stadium.asOf = asOf;
        if (fields.size() > 1) {
            const QRegularExpressionMatch m = capacity.match(fields[1].trimmed());
            if (m.hasMatch() && !isYear(fields[1].trimmed()))
                stadium.capacity = m.captured(1).remove(QLatin1Char('_')).toInt();
        }
        for (const QString& club : comment.split(QLatin1Char(','))) {
            const QString name = cleanName(club);
            if (!name.isEmpty())
                stadium.clubs << name;
        }
        if (!stadium.name.isEmpty())
            stadiums.push_back(stadium);
    }
    return stadiums;
}

MatchFile parseMatchFile(const QByteArray& json, const QString& fileName, Report& report)
{
    MatchFile file;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull() || !document.isObject()) {
        report.add(
            fileName, QString(),
            QStringLiteral("not a match file (%1 at offset %2); skipped").arg(error.errorString()).arg(error.offset));
        return file;
    }
    file.readable = true;
    const QJsonObject root = document.object();
    file.name = root.value(QStringLiteral("name")).toString();
    const QJsonArray matches = root.value(QStringLiteral("matches")).toArray();
    int index = 0;
    for (const QJsonValue& value : matches) {
        ++index;
        const QJsonObject m = value.toObject();
        SourceMatch match;
        match.number = index;
        match.round = m.value(QStringLiteral("round")).toString();
        match.team1 = m.value(QStringLiteral("team1")).toString().simplified();
        match.team2 = m.value(QStringLiteral("team2")).toString().simplified();
        const QString dateText = m.value(QStringLiteral("date")).toString();
        match.date = QDate::fromString(dateText, Qt::ISODate);
        const QString where = QStringLiteral("match %1 (%2, %3 v %4)")
                                  .arg(index)
                                  .arg(dateText.isEmpty() ? QStringLiteral("no date") : reportedName(dateText),
                                       match.team1.isEmpty() ? QStringLiteral("?") : reportedName(match.team1),
                                       match.team2.isEmpty() ? QStringLiteral("?") : reportedName(match.team2));
        if (!match.date.isValid()) {
            report.add(fileName, where, QStringLiteral("no valid date; skipped"));
            continue;
        }
        if (match.team1.isEmpty() || match.team2.isEmpty()) {
            report.add(fileName, where, QStringLiteral("a team is missing; skipped"));
            continue;
        }
        if (match.team1.size() > longestName || match.team2.size() > longestName) {
            report.add(fileName, where, QStringLiteral("a name longer than %1 characters; skipped").arg(longestName));
            continue;
        }
        if (match.team1 == match.team2) {
            report.add(fileName, where, QStringLiteral("a team plays itself; skipped"));
            continue;
        }
        const QJsonValue ft = m.value(QStringLiteral("score")).toObject().value(QStringLiteral("ft"));
        if (!ft.isUndefined()) {
            const QJsonArray goals = ft.toArray();
            const auto isGoalCount = [](const QJsonValue& v) {
                return v.isDouble() && v.toDouble() >= 0 && v.toDouble() <= 99 && v.toDouble() == v.toInt();
            };
            if (goals.size() != 2 || !isGoalCount(goals[0]) || !isGoalCount(goals[1])) {
                report.add(fileName, where, QStringLiteral("the full-time score is not two goal counts; skipped"));
                continue;
            }
            match.played = true;
            match.goal1 = goals[0].toInt();
            match.goal2 = goals[1].toInt();
        }
        file.matches.push_back(match);
    }
    return file;
}

std::vector<QStringList> catalogueLines(const QString& text)
{
    std::vector<QStringList> lines;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = withoutComment(raw).trimmed();
        if (line.isEmpty())
            continue;
        QStringList fields;
        for (const QString& field : line.split(QLatin1Char('|')))
            fields << field.trimmed();
        lines.push_back(fields);
    }
    return lines;
}

namespace {
QString readText(const QString& path, Report& report)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report.add(path, QString(), QStringLiteral("cannot be read: %1").arg(file.errorString()));
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}
} // namespace

const CatalogueCountry* Catalogue::country(const QString& key) const
{
    for (const CatalogueCountry& c : countries)
        if (c.key == key)
            return &c;
    return nullptr;
}

const CatalogueCompetition* Catalogue::competition(const QString& key) const
{
    for (const CatalogueCompetition& c : competitions)
        if (c.key == key)
            return &c;
    return nullptr;
}

Catalogue readCatalogue(const QString& folder, Report& report)
{
    Catalogue catalogue;
    const QDir dir(folder);
    const auto malformed = [&](const QString& file, const QStringList& fields) {
        report.add(dir.filePath(file), QStringLiteral("line \"%1\"").arg(fields.join(QStringLiteral(" | "))),
                   QStringLiteral("malformed; skipped"));
    };
    for (const QStringList& f : catalogueLines(readText(dir.filePath(QStringLiteral("countries.txt")), report))) {
        if (f.size() < 4 || f[0].isEmpty() || f[1].isEmpty()) {
            malformed(QStringLiteral("countries.txt"), f);
            continue;
        }
        CatalogueCountry country{f[0], f[1], f[2], {}, f.size() > 4 ? f[4] : QString()};
        for (const QString& list : f[3].split(QLatin1Char(','), Qt::SkipEmptyParts))
            country.clubLists << list.trimmed();
        catalogue.countries.push_back(country);
    }
    for (const QStringList& f : catalogueLines(readText(dir.filePath(QStringLiteral("competitions.txt")), report))) {
        static const std::map<QString, CatalogueCompetition::Kind> kinds{
            {QStringLiteral("league"), CatalogueCompetition::Kind::League},
            {QStringLiteral("cup"), CatalogueCompetition::Kind::Cup},
            {QStringLiteral("international"), CatalogueCompetition::Kind::International}};
        if (f.size() != 4 || !kinds.count(f[3]) || !catalogue.country(f[1]) || f[2].isEmpty() || f[2].size() > 30) {
            malformed(QStringLiteral("competitions.txt"), f);
            continue;
        }
        catalogue.competitions.push_back({f[0], f[1], f[2], kinds.at(f[3])});
    }
    for (const QStringList& f : catalogueLines(readText(dir.filePath(QStringLiteral("clubcountries.txt")), report))) {
        if (f.size() != 2 || f[0].isEmpty() || f[1].isEmpty()) {
            malformed(QStringLiteral("clubcountries.txt"), f);
            continue;
        }
        catalogue.clubCountries[f[0]] = f[1];
    }
    for (const QStringList& f : catalogueLines(readText(dir.filePath(QStringLiteral("aliases.txt")), report))) {
        if (f.size() != 2 || f[0].isEmpty() || f[1].isEmpty()) {
            malformed(QStringLiteral("aliases.txt"), f);
            continue;
        }
        catalogue.aliases[f[0]] = f[1];
    }
    return catalogue;
}
