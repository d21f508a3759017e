#pragma once

#include <QComboBox>

// An editable drop-down list whose entries keep themselves in alphabetical order (letter
// case aside, as the user's locale sorts). Adding entries never changes the text in the
// box: what the user typed or chose stays until it is replaced.
class SortedComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit SortedComboBox(QWidget* parent = nullptr);

    // Adds the entry at its place in the order; equal texts may stand more than once.
    void addSorted(const QString& text);
    // Removes every entry and leaves the text in the box as it is.
    void clearEntries();
    QStringList entries() const;

    void hidePopup() override;

signals:
    // The drop-down list has closed, whether or not an entry was picked in it. Typing
    // into the box without opening the list does not emit it.
    void closeUp();
};
