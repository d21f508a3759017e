#pragma once

#include "predictionmodel.h"
#include "window.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class DBLookupComboBox;
class Shape;
class SortedComboBox;
class TextLabel;

// The prediction window: the shares of a home win, a draw and an away win, and of more or
// fewer than 2.5 goals, for a coming match of the chosen competition with Team 1 at home,
// computed by Prediction from the stored results. Opened modally from View > "Prediction";
// its controls keep their contents between showings. "Add to predictions list" hands the
// last prediction on through addToPredictionsList.
class TPrediction : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TPrediction(QWidget* parent = nullptr);
    ~TPrediction() override;

    // Binds the choosers to the data module DataModule1. Once only; showing the window
    // calls it when the data module exists by then.
    void connectDataModule();

    // The last prediction: all 0 before the first and after one with too little data.
    const Prediction::Outcome& lastPrediction() const { return m_last; }
    Prediction::Base base() const;

    // --- handlers ---
    void DBLookupComboBox2CloseUp(); // country chosen
    void DBLookupComboBox1CloseUp(); // competition chosen
    void ComboBox1CloseUp();
    void ComboBox2CloseUp();
    void RadioButton1Click();
    void RadioButton2Click();
    void Button1Click();      // "Predict"
    void SpeedButton2Click(); // "Add to predictions list"
    void HyperLink6Click();   // "Update now"

    // --- controls ---
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox2;
    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox1;
    Shape* Shape1; // the rounded frame of the notice
    QLabel* Image1;
    QLabel* Label9;
    QLabel* HyperLink6;
    Shape* Shape2; // the grey bar
    QLabel* Label7;
    QLabel* Label4;
    SortedComboBox* ComboBox1;
    QLabel* Label5;
    SortedComboBox* ComboBox2;
    QPushButton* Button1;
    QToolButton* SpeedButton2;
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    TextLabel* Label3;
    TextLabel* Label8;
    TextLabel* Label6;

signals:
    // "Add to predictions list": Team 1 and Team 2 as typed, the last prediction and the
    // caption of the chosen base.
    void addToPredictionsList(const QString& team1, const QString& team2, const Prediction::Outcome& outcome,
                              const QString& baseCaption);
    // "Update now": the page about bringing the database up to date is asked for.
    void updatePageRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();

    bool m_connected = false;
    Prediction::Outcome m_last;
};

// The one prediction window of the program; null before it is made.
extern TPrediction* PredictionWindow;
