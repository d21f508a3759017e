#pragma once

#include "predictionmodel.h"

#include <QStringList>
#include <optional>
#include <vector>

// The predictions list: one row of texts per prediction handed over, and a "Mixed" row
// with the averages whenever the same pairing is handed over twice in succession. Row 0
// holds the column titles. It lives in memory for the run of the program.
class PredictionsList
{
public:
    static constexpr int kColumns = 8;

    PredictionsList();

    static QStringList columnTitles();
    static QString mixedCaption() { return QStringLiteral("Mixed"); }

    // Every row, the title row first.
    const std::vector<QStringList>& rows() const { return m_rows; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const QString& cell(int col, int row) const { return m_rows.at(row).at(col); }

    // Adds a prediction's row: the two team texts, the five shares in F format and the
    // base's caption. When the row above is a data row of the same pairing (exact,
    // case-sensitive), a Mixed row follows with the averages of the two rows' values.
    // Returns the number of rows added (1 or 2).
    int add(const QString& team1, const QString& team2, const Prediction::Outcome& outcome, const QString& baseCaption);

    // Only the title row remains.
    void clear();

    // --- how a data row is painted -----------------------------------------------------
    static bool isMixed(const QStringList& row) { return row.value(7) == mixedCaption(); }
    // The column (2, 3 or 4) whose value is greater than both others, each value read
    // from its text with the last character cut (45.27 and 45.21 both read 45.2); none
    // when no value is the greatest alone.
    static std::optional<int> likeliestOutcomeColumn(const QStringList& row);
    // Whether the cell of column 5 (Over) or 6 (Under) shows the greater of the two, read
    // the same way.
    static bool isGreaterGoalsCell(const QStringList& row, int col);

    // A cell's text read as a number with the locale's decimal separator; an AppError
    // with the conversion message when it is none.
    static double value(const QString& text);

private:
    std::vector<QStringList> m_rows;
};
