#pragma once

#include <QDir>
#include <QString>

// Moves the working directory for a test and moves it back when it ends. The program finds
// its database (and help) under the working directory.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString& path) : m_previous(QDir::currentPath()) { QDir::setCurrent(path); }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    QString m_previous;
};
