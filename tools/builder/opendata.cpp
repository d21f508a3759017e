#include "opendata.h"

#include "apperror.h"
#include "databasewriter.h"
#include "datamodule.h"
#include "flags.h"
#include "seasonrules.h"
#include "sources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

QString comparableName(const QString& name)
{
    QString plain;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        if (c.isLetterOrNumber())
            plain += c.toLower();
    }
    return plain;
}

namespace {
const std::set<QString>& clubFormWords()
{
    static const std::set<QString> words{"FC", "AFC", "CF",  "SC", "SV",  "FK", "SK",  "AC", "AS",  "SSC", "CD",  "UD",
                                         "SD", "RC",  "RCD", "CA", "US",  "SS", "ACF", "NK", "GNK", "HNK", "PFC", "KRC",
                                         "KV", "OSC", "CFC", "de", "del", "la", "le",  "el", "y",   "da",  "do",  "di"};
    return words;
}
} // namespace

QString coreName(const QString& name)
{
    QStringList words;
    for (const QString& word : name.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!clubFormWords().count(word))
            words << word;
    return comparableName(words.join(QLatin1Char(' ')));
}

QString shortNameOf(const QString& fullName)
{
    static const std::set<QString> before{"FC", "AFC", "SV", "SC", "FK", "SK",  "AC", "AS",  "SSC", "CD",  "UD", "SD",
                                          "RC", "RCD", "CA", "US", "SS", "ACF", "NK", "GNK", "HNK", "PFC", "KRC"};
    static const std::set<QString> after{"FC", "AFC", "CF", "FK", "SK", "KV", "OSC", "SC", "CFC"};
    QStringList words = fullName.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (words.size() > 1 && before.count(words.front()))
        words.removeFirst();
    while (words.size() > 1 && after.count(words.back()))
        words.removeLast();
    return words.join(QLatin1Char(' '));
}

namespace {

using Kind = CatalogueCompetition::Kind;

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The clubs and stadiums of one country's lists, with every name they go by.
struct ClubFolder
{
    QString folderKey; // the folder, as report lines name it
    std::vector<ClubEntry> clubs;
    std::vector<StadiumEntry> stadiums;    // the open lists'
    std::vector<StadiumEntry> ownStadiums; // the builder's own, which win over the open ones
    std::map<QString, int> exact;          // a name or alternative -> the first club of that name
    std::map<QString, int> comparable;     // the same, compared loosely
    std::map<QString, int> core;           // ... and without the words of a club's form
    int citiesGiven = 0;                   // cities the builder's own lists gave clubs without one

    // A club listed again under the same name in the open lists completes the first entry's
    // missing city and stadium instead of being a club of its own.
    void mergeDuplicates()
    {
        std::map<QString, size_t> first;
        std::vector<ClubEntry> merged;
        for (ClubEntry& club : clubs) {
            const auto [it, added] = first.emplace(club.name, merged.size());
            if (added) {
                merged.push_back(std::move(club));
                continue;
            }
            ClubEntry& earlier = merged[it->second];
            if (earlier.city.isEmpty())
                earlier.city = club.city;
            if (earlier.stadium.isEmpty())
                earlier.stadium = club.stadium;
            earlier.alternatives << club.alternatives;
        }
        clubs = std::move(merged);
    }

    // The builder's own club lists, read after the open ones. An entry under the name of a
    // club of the open lists corrects that club: its city and ground replace the open list's
    // (a change is reported), its alternatives are added. Any other entry is a club of its
    // own; a name of it that the open lists give as another club's alternative (also without
    // the words of a club's form) belongs to it alone, so that the two clubs stay distinct.
    void supplement(std::vector<ClubEntry> own, Report& report)
    {
        std::map<QString, size_t> byName;
        for (size_t i = 0; i < clubs.size(); ++i)
            byName.emplace(clubs[i].name, i);
        const auto dated = [](const ClubEntry& entry) {
            return entry.asOf.isEmpty() ? QString() : QStringLiteral(" (as of %1)").arg(entry.asOf);
        };
        for (ClubEntry& club : own) {
            const auto it = byName.find(club.name);
            if (it == byName.end()) {
                QStringList names = QStringList(club.alternatives) << club.name;
                for (ClubEntry& other : clubs) {
                    const auto taken = std::remove_if(
                        other.alternatives.begin(), other.alternatives.end(), [&](const QString& alternative) {
                            return std::any_of(names.begin(), names.end(), [&](const QString& name) {
                                return comparableName(name) == comparableName(alternative) ||
                                       (!coreName(name).isEmpty() && coreName(name) == coreName(alternative));
                            });
                        });
                    for (auto a = taken; a != other.alternatives.end(); ++a)
                        report.add(
                            folderKey, other.name,
                            QStringLiteral("the name \"%1\" is that of the club %2, kept apart").arg(*a, club.name));
                    other.alternatives.erase(taken, other.alternatives.end());
                }
                byName.emplace(club.name, clubs.size());
                clubs.push_back(std::move(club));
                continue;
            }
            ClubEntry& open = clubs[it->second];
            if (!club.city.isEmpty() && club.city != open.city) {
                if (open.city.isEmpty())
                    ++citiesGiven;
                else
                    report.add(
                        folderKey, open.name,
                        QStringLiteral("city \"%1\" corrected to \"%2\"%3").arg(open.city, club.city, dated(club)));
                open.city = club.city;
            }
            if (!club.stadium.isEmpty() && club.stadium != open.stadium) {
                if (!open.stadium.isEmpty())
                    report.add(folderKey, open.name,
                               QStringLiteral("ground \"%1\" replaced by \"%2\"%3")
                                   .arg(open.stadium, club.stadium, dated(club)));
                open.stadium = club.stadium;
            }
            open.alternatives << club.alternatives;
        }
    }

    // A name made only of a club's form words ("AFC") has no core and is never matched by it:
    // it would stand for any other such name.
    void index()
    {
        const auto add = [this](const QString& name, int i) {
            exact.emplace(name, i);
            comparable.emplace(comparableName(name), i);
            if (const QString c = coreName(name); !c.isEmpty())
                core.emplace(c, i);
        };
        for (int i = 0; i < static_cast<int>(clubs.size()); ++i)
            add(clubs[static_cast<size_t>(i)].name, i);
        for (int i = 0; i < static_cast<int>(clubs.size()); ++i)
            for (const QString& alternative : clubs[static_cast<size_t>(i)].alternatives)
                add(alternative, i);
    }

    // The stadium of that name, the builder's own entry first.
    const StadiumEntry* stadium(const QString& name) const
    {
        const QString wanted = comparableName(name);
        for (const auto* list : {&ownStadiums, &stadiums}) {
            for (const StadiumEntry& s : *list) {
                if (comparableName(s.name) == wanted)
                    return &s;
                for (const QString& alternative : s.alternatives)
                    if (comparableName(alternative) == wanted)
                        return &s;
            }
        }
        return nullptr;
    }

    // How closely a name is matched: as written, without case, accents and marks, and
    // also without the words of a club's form.
    enum class Match
    {
        Exact,
        Comparable,
        Core
    };

    // A name in each of its compared forms, made once however many lists it is looked up in.
    struct Keys
    {
        explicit Keys(const QString& name) : exact(name), comparable(comparableName(name)), core(coreName(name)) {}
        QString exact, comparable, core;
    };

    // The club a name stands for at one closeness of matching; -1 if none.
    int club(const Keys& keys, Match match) const
    {
        const auto& names = match == Match::Exact ? exact : match == Match::Comparable ? comparable : core;
        const QString& wanted = match == Match::Exact        ? keys.exact
                                : match == Match::Comparable ? keys.comparable
                                                             : keys.core;
        if (wanted.isEmpty())
            return -1;
        const auto it = names.find(wanted);
        return it == names.end() ? -1 : it->second;
    }

    // The club a name stands for at the closest matching that finds one; -1 if none.
    int club(const QString& name) const
    {
        const Keys keys(name);
        for (Match match : {Match::Exact, Match::Comparable, Match::Core})
            if (const int found = club(keys, match); found >= 0)
                return found;
        return -1;
    }

    // The stadium whose entry in the list names the club as playing there.
    const StadiumEntry* stadiumOfClub(const std::vector<StadiumEntry>& list, int index) const
    {
        for (const StadiumEntry& s : list)
            for (const QString& name : s.clubs)
                if (club(name) == index)
                    return &s;
        return nullptr;
    }

    // A club's ground: the stadium the builder's own lists name it at, else the one its
    // club list entry gives, else the one the open stadium lists name it at. Its capacity
    // is that of the stadium's entry, the builder's own first.
    struct Ground
    {
        QString name;
        const StadiumEntry* entry = nullptr;
    };
    Ground ground(int index, Report& report) const
    {
        const ClubEntry& club = clubs[static_cast<size_t>(index)];
        if (const StadiumEntry* own = stadiumOfClub(ownStadiums, index)) {
            const QString before = club.stadium.isEmpty()
                                       ? [&] {
                                             const StadiumEntry* open = stadiumOfClub(stadiums, index);
                                             return open ? open->name : QString();
                                         }()
                                       : club.stadium;
            if (!before.isEmpty() && comparableName(before) != comparableName(own->name) && stadium(before) != own)
                report.add(folderKey, club.name,
                           QStringLiteral("ground \"%1\" replaced by \"%2\"%3")
                               .arg(before, own->name,
                                    own->asOf.isEmpty() ? QString() : QStringLiteral(" (as of %1)").arg(own->asOf)));
            return {own->name, own};
        }
        if (!club.stadium.isEmpty())
            return {club.stadium, stadium(club.stadium)};
        const StadiumEntry* open = stadiumOfClub(stadiums, index);
        return open ? Ground{open->name, open} : Ground{};
    }

    // The builder's own stadium entries that give a stadium of the open lists another
    // capacity, reported once.
    void reportCapacities(Report& report) const
    {
        for (const StadiumEntry& own : ownStadiums) {
            const auto named = [&](const StadiumEntry& open) {
                QStringList names = QStringList(open.alternatives) << open.name;
                return std::any_of(names.begin(), names.end(), [&](const QString& name) {
                    return comparableName(name) == comparableName(own.name);
                });
            };
            for (const StadiumEntry& open : stadiums) {
                if (!named(open) || !own.capacity || open.capacity == own.capacity)
                    continue;
                const QString asOf = own.asOf.isEmpty() ? QString() : QStringLiteral(" (as of %1)").arg(own.asOf);
                report.add(folderKey, own.name,
                           open.capacity ? QStringLiteral("capacity %1 corrected to %2%3")
                                               .arg(*open.capacity)
                                               .arg(*own.capacity)
                                               .arg(asOf)
                                         : QStringLiteral("capacity %1 given%2").arg(*own.capacity).arg(asOf));
                break;
            }
        }
    }
};

// A club of the match files: one of the lists' clubs, or a name the lists do not know.
struct ClubRef
{
    QString folder; // empty for an unknown club
    int index = -1;
    QString name; // the unknown club's name
    bool operator<(const ClubRef& other) const
    {
        return std::tie(folder, index, name) < std::tie(other.folder, other.index, other.name);
    }
};

struct ClubUse
{
    ClubRef ref;
    QString country; // the catalogue country of the competition it was met in first
    // The competition of its latest match of each kind; a league wins over a cup, a cup
    // over an international competition.
    std::map<Kind, std::pair<QDate, int>> latest;
};

class Resolver
{
public:
    // The club lists of a folder are the open ones and the builder's own for that folder.
    Resolver(const Catalogue& catalogue, const QStringList& clubFolders, Report& report)
        : m_catalogue(catalogue), m_report(report)
    {
        std::set<QString> folders;
        for (const CatalogueCountry& c : catalogue.countries)
            folders.insert(c.clubLists.begin(), c.clubLists.end());
        for (const auto& [code, folder] : catalogue.clubCountries)
            folders.insert(folder);
        for (const QString& key : folders) {
            ClubFolder& folder = m_folders[key];
            folder.folderKey = key;
            std::vector<ClubEntry> ownClubs;
            bool found = false;
            for (const QString& base : clubFolders) {
                const QDir dir(QDir(base).filePath(key));
                if (!dir.exists())
                    continue;
                found = true;
                const bool own = base != clubFolders.front();
                for (const QString& file : dir.entryList({QStringLiteral("*.clubs.txt")}, QDir::Files, QDir::Name)) {
                    if (file.count(QLatin1Char('.')) == 2) // not the .props., .history. or .lang. lists
                        for (ClubEntry& club : parseClubList(readText(dir.filePath(file))))
                            if (sensible(club, key, report))
                                (own ? ownClubs : folder.clubs).push_back(std::move(club));
                }
                for (const QString& file : dir.entryList({QStringLiteral("*.stadiums.txt")}, QDir::Files, QDir::Name))
                    for (StadiumEntry& stadium : parseStadiumList(readText(dir.filePath(file)))) {
                        if (stadium.name.size() > longestName)
                            report.add(
                                key, reportedName(stadium.name),
                                QStringLiteral("a stadium name longer than %1 characters; skipped").arg(longestName));
                        else
                            (own ? folder.ownStadiums : folder.stadiums).push_back(std::move(stadium));
                    }
            }
            if (!found)
                report.add(key, QString(), QStringLiteral("no such club list folder"));
            folder.mergeDuplicates();
            folder.supplement(std::move(ownClubs), report);
            folder.index();
            folder.reportCapacities(report);
            if (folder.citiesGiven > 0)
                report.add(key, QString(),
                           QStringLiteral("clubs without a city in the open lists given one by the builder's own "
                                          "lists: %1")
                               .arg(folder.citiesGiven));
        }
    }

    // A club whose name or an alternative is beyond any real club's is reported and left out.
    static bool sensible(const ClubEntry& club, const QString& folder, Report& report)
    {
        const QStringList names = QStringList(club.alternatives) << club.name;
        for (const QString& name : names) {
            if (name.size() > longestName) {
                report.add(folder, reportedName(name),
                           QStringLiteral("a club name longer than %1 characters; skipped").arg(longestName));
                return false;
            }
        }
        return true;
    }

    const ClubFolder* folder(const QString& key) const
    {
        const auto it = m_folders.find(key);
        return it == m_folders.end() ? nullptr : &it->second;
    }

    // The club a match file's name stands for, looked up first in the club lists of the
    // competition's country, then in every list.
    ClubRef resolve(const CatalogueCountry& country, const QString& rawName, const QString& file)
    {
        const auto key = std::make_pair(country.key, rawName);
        const auto cached = m_cache.find(key);
        if (cached != m_cache.end())
            return cached->second;

        static const QRegularExpression nationSuffix(QStringLiteral("^(.*\\S)\\s*\\(([A-Z]{3})\\)$"));
        QString name = rawName;
        QStringList folders = country.clubLists;
        const QRegularExpressionMatch nation = nationSuffix.match(rawName);
        if (nation.hasMatch()) {
            name = nation.captured(1);
            const auto it = m_catalogue.clubCountries.find(nation.captured(2));
            if (it != m_catalogue.clubCountries.end())
                folders = QStringList{it->second};
            else
                m_report.add(file, rawName,
                             QStringLiteral("no club list for the country code %1").arg(nation.captured(2)));
        }
        const auto alias = m_catalogue.aliases.find(name);
        if (alias != m_catalogue.aliases.end())
            name = alias->second;

        ClubRef ref;
        const ClubFolder::Keys keys(name);
        if (!find(folders, keys, ref)) {
            QStringList all;
            for (const auto& [k, f] : m_folders)
                all << k;
            if (!findUnique(all, keys, ref)) {
                ref = ClubRef{QString(), -1, name};
                m_report.add(file, rawName, QStringLiteral("no club of that name in the club lists; kept as named"));
            }
        }
        m_cache.emplace(key, ref);
        return ref;
    }

private:
    // Each closeness of matching is tried in every folder before the next, looser one.
    bool find(const QStringList& folders, const ClubFolder::Keys& name, ClubRef& ref) const
    {
        using Match = ClubFolder::Match;
        for (Match match : {Match::Exact, Match::Comparable, Match::Core}) {
            for (const QString& key : folders) {
                const ClubFolder* f = folder(key);
                const int found = f ? f->club(name, match) : -1;
                if (found >= 0) {
                    ref = ClubRef{key, found, QString()};
                    return true;
                }
            }
        }
        return false;
    }

    // Found in exactly one of the lists.
    bool findUnique(const QStringList& folders, const ClubFolder::Keys& name, ClubRef& ref) const
    {
        int found = 0;
        for (const QString& key : folders) {
            ClubRef candidate;
            if (find({key}, name, candidate)) {
                ref = candidate;
                ++found;
            }
        }
        return found == 1;
    }

    const Catalogue& m_catalogue;
    Report& m_report;
    std::map<QString, ClubFolder> m_folders;
    std::map<std::pair<QString, QString>, ClubRef> m_cache;
};

struct PendingResult
{
    int season = 0;
    int order = 0;
    QDate date;
    QString round;
    int home = 0; // club index
    int away = 0;
    int goal1 = 0;
    int goal2 = 0;
};

// The room a short name has: the field's 30 characters, and the results' 40 of the label
// with its city.
int shortNameRoom(const QString& city)
{
    return std::min(30, 40 - 3 - static_cast<int>(city.size()));
}

// A name that ends in a cut word: one ending in "." that the club's name does not hold
// whole ("1. FC Heidenh.", "San Martín T."; not "Yokohama F.").
bool endsCut(const QString& name, const QString& clubName)
{
    const QString last = name.section(QLatin1Char(' '), -1);
    return last.endsWith(QLatin1Char('.')) && !clubName.split(QLatin1Char(' ')).contains(last);
}

// A label that fits the results' 40 characters, never cutting a word: the short name; else
// the longest alternative that fits and does not end in a cut word; else the short
// name without its leading form words and numbers ("1. FC Heidenheim" -> "Heidenheim"), up
// to the last whole word, or part of a word joined by "-" or "/", that fits
// ("St. Jakob/Rosental" -> "St. Jakob"); else its form words alone ("USV").
QString fittingShortName(const QString& shortName, const QString& city, const QStringList& alternatives)
{
    const int room = shortNameRoom(city);
    const auto fits = [&](const QString& name) { return !name.isEmpty() && name.size() <= room; };
    if (fits(shortName))
        return shortName;
    QStringList candidates = alternatives;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& c : candidates)
        if (fits(c) && !endsCut(c, shortName))
            return c;

    static const QRegularExpression formOrNumber(QStringLiteral("^(\\d+\\.?|[A-Z]{1,4})$"));
    QStringList words = shortName.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList form;
    while (words.size() > 1 && (clubFormWords().count(words.front()) || formOrNumber.match(words.front()).hasMatch()))
        form << words.takeFirst();
    const QString name = words.join(QLatin1Char(' '));
    QString best;
    for (qsizetype at = 1; at <= name.size(); ++at) {
        if (at < name.size() && name[at] != QLatin1Char(' ') && name[at] != QLatin1Char('/') &&
            name[at] != QLatin1Char('-'))
            continue;
        const QString part = name.left(at);
        if (fits(part) && !endsCut(part, shortName) && !clubFormWords().count(part.section(QLatin1Char(' '), -1)))
            best = part;
    }
    if (!best.isEmpty())
        return best;
    if (fits(form.join(QLatin1Char(' '))))
        return form.join(QLatin1Char(' '));
    return storedText(shortName, room);
}

// The short name numbered n, the number kept whole within the room: numbering only cut
// back to the same characters would never find a free label.
QString numberedShortName(const QString& shortName, const QString& city, int n)
{
    const QString number = QString::number(n);
    const int room = shortNameRoom(city) - static_cast<int>(number.size()) - 1;
    if (room < 1)
        return number;
    return storedText(shortName, room).trimmed() + QLatin1Char(' ') + number;
}

} // namespace

OpenData readOpenData(const OpenDataFolders& folders, Report& report)
{
    OpenData out;
    Dataset& data = out.dataset;
    // A wrong path gives no database rather than an empty one in place of the old.
    const auto requireFolder = [](const QString& path, const char* what) {
        if (!QFileInfo(path).isDir())
            throw AppError(QStringLiteral("The %1 folder \"%2\" does not exist; nothing is built.")
                               .arg(QLatin1String(what), path));
    };
    requireFolder(folders.catalogue, "catalogue");
    requireFolder(folders.matches, "matches");
    requireFolder(folders.clubs, "club lists");
    const Catalogue catalogue = readCatalogue(folders.catalogue, report);
    Resolver resolver(catalogue, {folders.clubs, QDir(folders.catalogue).filePath(QStringLiteral("clubs"))}, report);

    // Read every match file of the catalogue's competitions, season folder by season folder.
    struct PendingSeason
    {
        int competition = 0; // in the catalogue
        QString name;
        QString path; // of its match file
    };
    std::vector<PendingSeason> seasons;
    std::vector<PendingResult> results;
    std::vector<ClubUse> clubs;
    std::map<ClubRef, int> clubIndex;
    // (competition, day, one club, the other) -> the season it is stored in
    std::map<std::tuple<int, QDate, int, int>, int> storedMatches;
    const QDir matchDir(folders.matches);
    const QStringList seasonFolders = matchDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& seasonFolder : seasonFolders) {
        const QDir dir(matchDir.filePath(seasonFolder));
        const auto window = SeasonRules::seasonWindow(seasonFolder);
        std::vector<std::pair<QString, std::set<QString>>> folderFiles; // the played matches of each file read
        for (const QString& fileName : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
            const QString path = seasonFolder + QLatin1Char('/') + fileName;
            const QString key = fileName.chopped(5);
            const auto competitionIt = std::find_if(catalogue.competitions.begin(), catalogue.competitions.end(),
                                                    [&](const CatalogueCompetition& c) { return c.key == key; });
            if (competitionIt == catalogue.competitions.end()) {
                report.add(path, QString(), QStringLiteral("not a competition of the catalogue; skipped"));
                continue;
            }
            const int competition = static_cast<int>(competitionIt - catalogue.competitions.begin());
            const CatalogueCountry& country = *catalogue.country(competitionIt->country);
            QFile file(dir.filePath(fileName));
            if (!file.open(QIODevice::ReadOnly)) {
                report.add(path, QString(), QStringLiteral("cannot be read; skipped"));
                continue;
            }
            MatchFile matches = parseMatchFile(file.readAll(), path, report);
            if (!matches.readable)
                continue;
            out.corrected += SeasonRules::correctYearOffDates(matches.matches, window, path, report);

            // A file that repeats another competition's matches of the season is a copy.
            std::set<QString> played;
            for (const SourceMatch& m : matches.matches)
                if (m.played)
                    played.insert(QStringLiteral("%1|%2|%3|%4|%5")
                                      .arg(m.date.toString(Qt::ISODate), m.team1, m.team2)
                                      .arg(m.goal1)
                                      .arg(m.goal2));
            const auto copied = std::find_if(folderFiles.begin(), folderFiles.end(), [&](const auto& other) {
                const auto repeated = std::count_if(played.begin(), played.end(),
                                                    [&](const QString& m) { return other.second.count(m) > 0; });
                return repeated * 2 > static_cast<std::ptrdiff_t>(played.size());
            });
            if (copied != folderFiles.end()) {
                report.add(path, QString(),
                           QStringLiteral("its matches repeat those of %1; refused (no season, no results, no "
                                          "table)")
                               .arg(copied->first));
                out.refused += static_cast<int>(played.size());
                continue;
            }
            folderFiles.emplace_back(path, std::move(played));

            // A league of two tournaments a year has a season for each.
            std::map<QString, int> seasonOfTournament;
            {
                std::vector<std::pair<QString, QDate>> tournaments; // in the order they begin
                for (const SourceMatch& m : matches.matches) {
                    const QString t = SeasonRules::tournamentOf(m.round);
                    if (std::none_of(tournaments.begin(), tournaments.end(),
                                     [&](const auto& x) { return x.first == t; }))
                        tournaments.emplace_back(t, m.date);
                }
                const bool split = competitionIt->kind == Kind::League && tournaments.size() > 1 &&
                                   std::all_of(tournaments.begin(), tournaments.end(),
                                               [](const auto& t) { return !t.first.isEmpty(); });
                if (!split)
                    tournaments = {{QString(), QDate()}};
                for (const auto& [tournament, first] : tournaments) {
                    seasonOfTournament[tournament] = static_cast<int>(seasons.size());
                    seasons.push_back({competition,
                                       split ? SeasonRules::tournamentSeasonName(tournament, first.year())
                                             : SeasonRules::seasonName(seasonFolder),
                                       path});
                }
                if (split)
                    report.add(path, QString(),
                               QStringLiteral("two tournaments, each a season of its own: %1 and %2")
                                   .arg(seasons[seasons.size() - 2].name, seasons.back().name));
            }
            std::map<int, int> overlaps; // an earlier season of the competition -> its matches met again
            for (const SourceMatch& m : matches.matches) {
                const int order = m.number;
                if (!m.played) {
                    ++out.fixtures;
                    continue;
                }
                const auto tournament = seasonOfTournament.find(SeasonRules::tournamentOf(m.round));
                const int season =
                    tournament != seasonOfTournament.end() ? tournament->second : seasonOfTournament.begin()->second;
                int side[2];
                const QString names[2] = {m.team1, m.team2};
                for (int s = 0; s < 2; ++s) {
                    const ClubRef ref = resolver.resolve(country, names[s], path);
                    auto [it, added] = clubIndex.emplace(ref, static_cast<int>(clubs.size()));
                    if (added)
                        clubs.push_back({ref, country.key, {}});
                    side[s] = it->second;
                    auto& latest = clubs[static_cast<size_t>(side[s])].latest[competitionIt->kind];
                    if (!latest.first.isValid() || latest.first <= m.date)
                        latest = {m.date, competition};
                }
                const QString where = QStringLiteral("match %1 (%2, %3 v %4)")
                                          .arg(order)
                                          .arg(m.date.toString(Qt::ISODate), m.team1, m.team2);
                if (m.date < window.first || m.date > window.second) {
                    report.add(path, where, QStringLiteral("dated outside its season; skipped"));
                    continue;
                }
                if (side[0] == side[1]) {
                    report.add(path, where, QStringLiteral("both names are the same club; skipped"));
                    continue;
                }
                // A match is stored once per competition, also when two season folders hold it
                // or when it is listed again with the sides reversed: two clubs do not meet
                // twice on one day.
                const auto [stored, added] = storedMatches.emplace(
                    std::make_tuple(competition, m.date, std::min(side[0], side[1]), std::max(side[0], side[1])),
                    season);
                if (!added) {
                    if (seasons[static_cast<size_t>(stored->second)].path == path)
                        report.add(path, where,
                                   QStringLiteral("the same match is listed twice; the second is skipped"));
                    else
                        ++overlaps[stored->second];
                    continue;
                }
                results.push_back({season, order, m.date, m.round, side[0], side[1], m.goal1, m.goal2});
            }
            for (const auto& [earlier, count] : overlaps)
                report.add(path, QString(),
                           QStringLiteral("%1 matches are those of %2; stored once")
                               .arg(count)
                               .arg(seasons[static_cast<size_t>(earlier)].path));
        }
    }

    if (results.empty())
        throw AppError(QStringLiteral("The matches folder \"%1\" holds no played match of the catalogue's "
                                      "competitions; nothing is built.")
                           .arg(folders.matches));

    // Countries and competitions that have matches, in the catalogue's order.
    std::vector<int> competitionOf(catalogue.competitions.size(), -1);
    {
        std::set<int> used;
        for (const PendingSeason& s : seasons)
            used.insert(s.competition);
        for (const CatalogueCountry& country : catalogue.countries) {
            bool any = false;
            for (size_t c = 0; c < catalogue.competitions.size(); ++c) {
                if (catalogue.competitions[c].country != country.key || !used.count(static_cast<int>(c)))
                    continue;
                if (!any)
                    data.countries.push_back(
                        {country.name, country.capital, flagPicture(country.flag, folders.flags, report)});
                any = true;
                competitionOf[c] = static_cast<int>(data.competitions.size());
                data.competitions.push_back({static_cast<int>(data.countries.size()) - 1,
                                             catalogue.competitions[c].name,
                                             catalogue.competitions[c].kind == Kind::League});
            }
        }
    }

    // Each club under its latest league, else its latest cup, else its latest international
    // competition; within a competition in the order of their names.
    std::vector<int> teamOf(clubs.size(), -1);
    {
        std::vector<std::pair<int, int>> order; // (competition, club)
        for (size_t i = 0; i < clubs.size(); ++i) {
            for (Kind kind : {Kind::League, Kind::Cup, Kind::International}) {
                const auto it = clubs[i].latest.find(kind);
                if (it != clubs[i].latest.end()) {
                    order.emplace_back(competitionOf[static_cast<size_t>(it->second.second)], static_cast<int>(i));
                    break;
                }
            }
        }
        const auto nameOf = [&](int club) {
            const ClubRef& ref = clubs[static_cast<size_t>(club)].ref;
            return ref.folder.isEmpty() ? ref.name
                                        : resolver.folder(ref.folder)->clubs[static_cast<size_t>(ref.index)].name;
        };
        std::stable_sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
            if (data.competitions[static_cast<size_t>(a.first)].country !=
                data.competitions[static_cast<size_t>(b.first)].country)
                return data.competitions[static_cast<size_t>(a.first)].country <
                       data.competitions[static_cast<size_t>(b.first)].country;
            if (a.first != b.first)
                return a.first < b.first;
            return comparableName(nameOf(a.second)) < comparableName(nameOf(b.second));
        });

        std::set<QString> labels;
        std::map<std::pair<int, QString>, int> stadiumIndex;
        for (const auto& [competition, club] : order) {
            const ClubRef& ref = clubs[static_cast<size_t>(club)].ref;
            const ClubFolder* folder = ref.folder.isEmpty() ? nullptr : resolver.folder(ref.folder);
            const ClubEntry* entry = folder ? &folder->clubs[static_cast<size_t>(ref.index)] : nullptr;
            Dataset::Team team;
            team.competition = competition;
            team.fullName = storedText(QStringLiteral("Team"), QStringLiteral("Team"), entry ? entry->name : ref.name);
            team.city = entry ? storedText(QStringLiteral("Team"), QStringLiteral("City"), entry->city) : QString();
            team.shortName =
                fittingShortName(shortNameOf(team.fullName), team.city, entry ? entry->alternatives : QStringList());
            if (labels.count(team.label())) {
                const QString before = team.label();
                team.shortName = fittingShortName(team.fullName, team.city, {});
                for (int n = 2; labels.count(team.label()); ++n)
                    team.shortName = numberedShortName(shortNameOf(team.fullName), team.city, n);
                report.add(ref.folder.isEmpty() ? QStringLiteral("clubs") : ref.folder, team.fullName,
                           QStringLiteral("the label %1 is taken; named %2").arg(before, team.label()));
            }
            labels.insert(team.label());

            const ClubFolder::Ground ground = folder ? folder->ground(ref.index, report) : ClubFolder::Ground{};
            const QString& stadiumName = ground.name;
            const StadiumEntry* stadium = ground.entry;
            if (!stadiumName.isEmpty()) {
                const int country = data.competitions[static_cast<size_t>(competition)].country;
                auto [it, added] = stadiumIndex.emplace(std::make_pair(country, comparableName(stadiumName)),
                                                        static_cast<int>(data.stadiums.size()));
                if (added)
                    data.stadiums.push_back(
                        {country, storedText(QStringLiteral("Stadium"), QStringLiteral("Stadium"), stadiumName),
                         stadium ? stadium->capacity : std::optional<int>()});
                team.stadium = it->second;
                ++out.clubsWithStadium;
            }
            if (!team.city.isEmpty())
                ++out.clubsWithCity;
            teamOf[static_cast<size_t>(club)] = static_cast<int>(data.teams.size());
            data.teams.push_back(team);
        }
    }

    // Seasons with at least one result, each competition's oldest first, dated by their
    // first and last match day. A league's season is dated by its regular rounds, and its
    // table lists the clubs that played them: the table, filled by these dates, counts the
    // regular season, and the play-off rounds stay results of the competition.
    report.add(QStringLiteral("league tables"), QString(),
               QStringLiteral("a league season's days are those of its regular rounds (\"Matchday N\", \"N. Round\", "
                              "\"<group>, Matchday N\"); every other round is a play-off round, stored as a result "
                              "but not counted by the table"));
    std::vector<int> seasonOf(seasons.size(), -1);
    {
        std::vector<int> order(seasons.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int>(i);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return competitionOf[static_cast<size_t>(seasons[static_cast<size_t>(a)].competition)] <
                   competitionOf[static_cast<size_t>(seasons[static_cast<size_t>(b)].competition)];
        });
        const auto isLeague = [&](int season) {
            return catalogue.competitions[static_cast<size_t>(seasons[static_cast<size_t>(season)].competition)].kind ==
                   Kind::League;
        };
        std::vector<char> anyRegular(seasons.size(), 0);
        for (const PendingResult& r : results)
            if (SeasonRules::isRegularRound(r.round))
                anyRegular[static_cast<size_t>(r.season)] = 1;
        // A league season without a regular round is dated by all its matches.
        const auto counted = [&](const PendingResult& r) {
            return !isLeague(r.season) || !anyRegular[static_cast<size_t>(r.season)] ||
                   SeasonRules::isRegularRound(r.round);
        };
        std::vector<std::set<int>> teams(seasons.size());
        std::vector<std::pair<QDate, QDate>> span(seasons.size());
        std::vector<std::map<QString, int>> playOffRounds(seasons.size());
        for (const PendingResult& r : results) {
            if (!counted(r)) {
                ++playOffRounds[static_cast<size_t>(r.season)][r.round];
                continue;
            }
            auto& [start, finish] = span[static_cast<size_t>(r.season)];
            if (!start.isValid() || r.date < start)
                start = r.date;
            if (!finish.isValid() || r.date > finish)
                finish = r.date;
            teams[static_cast<size_t>(r.season)].insert(teamOf[static_cast<size_t>(r.home)]);
            teams[static_cast<size_t>(r.season)].insert(teamOf[static_cast<size_t>(r.away)]);
        }
        std::vector<int> playOffsWithin(seasons.size(), 0);
        for (const PendingResult& r : results) {
            const auto& [start, finish] = span[static_cast<size_t>(r.season)];
            if (!counted(r) && r.date >= start && r.date <= finish)
                ++playOffsWithin[static_cast<size_t>(r.season)];
        }
        for (size_t s = 0; s < seasons.size(); ++s) {
            if (playOffRounds[s].empty())
                continue;
            QStringList rounds;
            int matches = 0;
            for (const auto& [round, count] : playOffRounds[s]) {
                rounds << QStringLiteral("\"%1\" %2").arg(round).arg(count);
                matches += count;
            }
            report.add(seasons[s].path, seasons[s].name,
                       QStringLiteral("%1 play-off matches kept as results outside the table (%2); the season's days "
                                      "are %3 to %4")
                           .arg(matches)
                           .arg(rounds.join(QStringLiteral(", ")), span[s].first.toString(Qt::ISODate),
                                span[s].second.toString(Qt::ISODate)));
            if (playOffsWithin[s] > 0)
                report.add(seasons[s].path, seasons[s].name,
                           QStringLiteral("%1 play-off matches fall between regular rounds, where no span of days "
                                          "can leave them out; the table counts them")
                               .arg(playOffsWithin[s]));
        }
        for (int s : order) {
            const PendingSeason& pending = seasons[static_cast<size_t>(s)];
            const CatalogueCompetition& c = catalogue.competitions[static_cast<size_t>(pending.competition)];
            if (!span[static_cast<size_t>(s)].first.isValid()) {
                report.add(pending.path, QString(), QStringLiteral("no played match; no season"));
                continue;
            }
            Dataset::Season season;
            season.competition = competitionOf[static_cast<size_t>(pending.competition)];
            season.name = pending.name;
            std::tie(season.start, season.finish) = span[static_cast<size_t>(s)];
            season.teams.assign(teams[static_cast<size_t>(s)].begin(), teams[static_cast<size_t>(s)].end());
            if (!data.seasons.empty() && data.seasons.back().competition == season.competition &&
                data.seasons.back().finish >= season.start)
                report.add(c.key, season.name,
                           QStringLiteral("the season begins before the one before it ends; its table counts the "
                                          "matches of both in the days they share"));
            seasonOf[static_cast<size_t>(s)] = static_cast<int>(data.seasons.size());
            data.seasons.push_back(season);
        }
    }

    // The results, numbered by date.
    std::stable_sort(results.begin(), results.end(),
                     [](const PendingResult& a, const PendingResult& b) { return a.date < b.date; });
    for (const PendingResult& r : results) {
        data.results.push_back({seasonOf[static_cast<size_t>(r.season)], r.date, teamOf[static_cast<size_t>(r.home)],
                                teamOf[static_cast<size_t>(r.away)], r.goal1, r.goal2});
    }
    return out;
}
