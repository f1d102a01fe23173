#pragma once
// The main menu: twelve buttons, each opening one calculator window beside it,
// and Return back to the welcome window.

#include <QWidget>

class QPushButton;
class Form1;

class mainform : public QWidget {
    Q_OBJECT

public:
    explicit mainform(Form1 *welcome);

    QPushButton *myyear, *myk, *my0d, *my1d, *my2d, *myvol, *myrevol, *Command5, *Command2, *Command1, *Command4,
        *Command3, *myexit;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openCalculator(const QString &button);
    void goBack();

    Form1 *m_welcome;
};
