#pragma once

#include <QWidget>

// The notes window: a text the user collects head-to-head records in; it lives in memory
// for the run.
class TNotice : public QWidget
{
    Q_OBJECT

public:
    explicit TNotice(QWidget* parent = nullptr);
    ~TNotice() override;
};

// The one notes window of the program; null before it is made.
extern TNotice* Notice;
