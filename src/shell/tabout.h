#pragma once

#include "window.h"

#include <QDialog>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box: the program's title, links to the three training movies in the working
// directory's folder Movie and to the program's web page, and "DB analysis", the summary
// of the database (DatabaseSummary). The summary is computed on the first click only:
// the button then gives way to the text, which stays for the rest of the run.
class TAbout : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TAbout(QWidget* parent = nullptr);
    ~TAbout() override;

    // The web page link: its caption (the page's address) and what opens it.
    void setWebSite(const QString& address, std::function<void()> open);

    // The summary as composed, with its carriage returns; empty before "DB analysis".
    const QString& summaryText() const { return m_summary; }

    // The path of a training movie page in the working directory: "Movie/VS.htm" and the
    // like.
    static QString moviePath(const QString& page);

    // --- handlers ---
    void FormShow();
    void Button1Click(); // OK
    void Button2Click(); // DB analysis
    void HyperLink1Click();
    void HyperLink2Click();
    void HyperLink3Click();
    void HyperLink4Click();

    // --- controls ---
    QLabel* Image1;
    QLabel* Label1;
    QGroupBox* GroupBox1;
    QLabel* HyperLink1;
    QLabel* HyperLink2;
    QLabel* HyperLink3;
    QLabel* Label4;
    QLabel* HyperLink4;
    QLabel* Label3;
    QPushButton* Button2;
    QPlainTextEdit* Memo1;
    QFrame* Bevel1;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* makeLink(const QString& caption, QWidget* parent, int x, int y);
    void openMovie(const QString& page);

    QString m_summary;
    std::function<void()> m_openWebSite;
};

// The one about box of the program; null before it is made.
extern TAbout* About;
