#pragma once

#include <QString>
#include <QStringList>

// Names of countries, competitions, seasons and teams as the windows show them, and the
// closest ones to a name that matches nothing.
namespace Names {

// Up to max candidates closest to name: those equal but for letter case first, then those
// that contain it or are contained in it, then by edit distance; ties in the candidates'
// order. Candidates more than a third of the name away are left out when closer ones exist.
QStringList closest(const QString& name, const QStringList& candidates, int max = 5);

// The edit distance (insertions, deletions, substitutions) of two texts, ignoring case.
int distance(const QString& a, const QString& b);

// The error for a name that matches nothing, naming it and the closest names that do
// exist: No country "Englnd". Closest: "England", "Wales".
QString unknownMessage(const QString& what, const QString& name, const QStringList& candidates);

} // namespace Names
