#include "tnotice.h"

TNotice* Notice = nullptr;

TNotice::TNotice(QWidget* parent) : QWidget(parent)
{
    Notice = this;
    setWindowTitle(QStringLiteral("Notes"));
}

TNotice::~TNotice()
{
    if (Notice == this)
        Notice = nullptr;
}
