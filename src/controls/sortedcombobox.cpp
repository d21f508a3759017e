#include "sortedcombobox.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QCompleter>
#include <QLineEdit>

SortedComboBox::SortedComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    completer()->setCaseSensitivity(Qt::CaseSensitive);
}

void SortedComboBox::addSorted(const QString& text)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // After the last entry that does not sort after the text, so equal texts keep the order
    // in which they came.
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (collator.compare(itemText(mid), text) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    const QString typed = currentText();
    const int current = currentIndex();
    insertItem(lo, text);
    if (current < 0 && currentIndex() >= 0) {
        // A box that was empty makes its first entry current; the typed text stays instead.
        setCurrentIndex(-1);
        setEditText(typed);
    }
}

void SortedComboBox::clearEntries()
{
    const QString typed = currentText();
    clear();
    setEditText(typed);
}

QStringList SortedComboBox::entries() const
{
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list << itemText(i);
    return list;
}

void SortedComboBox::hidePopup()
{
    const bool wasOpen = view() && view()->isVisible();
    QComboBox::hidePopup();
    if (wasOpen)
        emit closeUp();
}
