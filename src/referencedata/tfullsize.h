#pragma once

#include "window.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class DBImage;
class DBText;

// The stadium photo window: one of the current stadium's four photos at its own size,
// under the stadium's name and capacity. Opened modally from a thumbnail of the teams
// browser; it starts on the photo of the thumbnail that was clicked, and the buttons "1"
// to "4" switch between the photos. Which photo it shows is kept between showings.
class TFullSize : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TFullSize(QWidget* parent = nullptr);
    ~TFullSize() override;

    void connectDataModule();

    // Which thumbnail of the teams browser has the focus (1 to 4, 0 for none), asked when
    // the window is shown; installed by the browser.
    void setFocusedThumbnail(std::function<int()> focused) { m_focusedThumbnail = std::move(focused); }

    // The photo field shown now, LogoStadium1 to LogoStadium4.
    int photo() const { return m_photo; }

    // --- handlers ---
    void FormShow();
    void ButtonClick(int n); // Button1Click ... Button4Click

    // --- controls ---
    DBText* DBText1;
    QLabel* Label1;
    DBText* DBText2;
    DBImage* DBImage1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* button(int n) const;
    void arrange();

    bool m_connected = false;
    int m_photo = 1;
    std::function<int()> m_focusedThumbnail;
};

// The one stadium photo window of the program; null before it is made.
extern TFullSize* FullSize;
