#pragma once

#include <QString>
#include <QStringList>

// What the builder found wrong or unexpected in its sources: one line per finding, naming
// the file and the record, so that a maintainer can mend the source or the alias list.
class Report
{
public:
    void add(const QString& file, const QString& where, const QString& what)
    {
        m_lines << (where.isEmpty() ? QStringLiteral("%1: %2").arg(file, what)
                                    : QStringLiteral("%1: %2: %3").arg(file, where, what));
    }
    const QStringList& lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }

private:
    QStringList m_lines;
};
