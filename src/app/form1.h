#pragma once
// The welcome window: a scrolling greeting, Enter to the main menu, Exit.
// After the first Enter it stays, hidden, holding the farewell text, and is
// shown again by the main menu's Return.

#include "mainform.h"
#include "ui/windowregistry.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

class Form1 : public QWidget {
    Q_OBJECT

public:
    Form1();
    ~Form1() override;

    QLabel *Label1, *Label2, *Label3;
    QPushButton *myenter, *myexit;
    QTimer *Timer1;

    // The open main menu, if any.
    mainform *menu() const { return m_menu; }
    ui::WindowRegistry &calculators() { return m_calculators; }

    // One marquee tick (the timer's handler).
    void tick();
    // The greeting's Left in twips, as the marquee keeps it.
    double greetingLeft() const { return m_greetingLeft; }
    void setGreetingLeft(double twips);

    // Called by the main menu's Return.
    void showFarewell();

    // Whether the controls have their faces and sizes yet: they get them just
    // after the window first shows.
    bool isDressed() const { return m_dressed; }
    void dress();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void enter();
    void exitProgram();
    // Closes every window and ends the program; false, changing nothing
    // more, when a window stays open (a changed table the user keeps).
    bool shutDown();

    ui::WindowRegistry m_calculators;
    QPointer<mainform> m_menu;
    double m_greetingLeft = 0;
    bool m_placed = false;
    bool m_exiting = false;
    bool m_dressed = false;
};
