#pragma once
// The main menu: twelve buttons on its form, each opening one calculator window
// beside it, the later calculators in the menus of its bar, and Return back to
// the welcome window. The menu knows nothing of the welcome
// window: it opens calculators through the registry it is given and tells of
// its Return by a signal.

#include <QWidget>

class QMenuBar;
class QPushButton;
namespace ui {
class WindowRegistry;
}

class mainform : public QWidget {
    Q_OBJECT

public:
    explicit mainform(ui::WindowRegistry &calculators);

    QPushButton *myyear, *myk, *my0d, *my1d, *my2d, *myvol, *myrevol, *Command5, *Command2, *Command1, *Command4,
        *Command3, *myexit;

    QMenuBar *menuBar() const { return m_menuBar; }
    // The form the buttons stand on, below the menu bar.
    QWidget *form() const { return m_form; }

signals:
    // Return, or the close box: the menu has closed.
    void returned();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void openCalculator(const QString &button);
    void goBack();

    ui::WindowRegistry &m_calculators;
    QMenuBar *m_menuBar;
    QWidget *m_form;
};
