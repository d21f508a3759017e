#pragma once

#include "window.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;
class DBImage;
class DBLookupComboBox;
class TableView;

// What the four editors of the reference tables have in common: the toolbar that adds a
// record to the editor's view, deletes its current record at once, without asking, and
// posts the record being edited; a search box where the editor has one; and their
// construction helpers. The editors add no checks of their own: a refusal of the tables
// (a key violation, a delete in an empty view) is the data layer's message.
class ReferenceEditor : public Window<QDialog>
{
    Q_OBJECT

public:
    // --- handlers ---
    void ToolButton1Click(); // "Добавить"
    void ToolButton2Click(); // "Удалить"
    void ToolButton4Click(); // "Подтвердить изменения"

    // Binds the editor's controls to the data module DataModule1. Once only; showing the
    // window calls it when the data module exists by then.
    void connectDataModule();

    // --- controls ---
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton4;
    QLineEdit* Edit1 = nullptr;         // the search box, where the editor has one
    QToolButton* ToolButton6 = nullptr; // its button

protected:
    ReferenceEditor(const QString& objectName, const QString& caption, Qt::WindowFlags flags, QWidget* parent);

    // The view the toolbar works on.
    virtual TableView& editedView() = 0;
    // Binds the editor's own controls; called once by connectDataModule.
    virtual void bindControls() = 0;

    // A second separator, the search box of the given width and its button.
    void addSearch(int width, const QString& hint);
    // Moves the editor's view to its first record whose field equals the search box's text
    // exactly, letter case included; silent when none does.
    void search(const QString& field);

    QLabel* label(const QString& text, int x, int y);
    DBLookupComboBox* chooser(const QString& listField, int x, int y, int width);
    DBImage* picture(const QString& field, const QRect& place);

    void showEvent(QShowEvent* event) override;

private:
    bool m_connected = false;
};
