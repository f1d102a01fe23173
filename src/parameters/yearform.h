#pragma once
// 计算水平年: the design low-water level or flow of a hydrological series at a
// guarantee rate, and the year in which it occurred, from a data file the user
// chooses; a text editor can be opened to type such a file.

#include "ui/calculatorwindow.h"

#include <QPointer>

class QAction;

class yearform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    yearform();

    QPushButton *Command1, *mycacul, *myexit;
    QLabel *Label1, *Label2;
    QLineEdit *yeartext, *qltext;
    // 分析(&A) → 频率分析…: the frequency analysis of the data file chosen last.
    QAction *actionFrequency;

    // The data file chosen last in this window, or the empty text.
    QString lastDataFile() const { return m_lastPath; }
    // The frequency analysis window of this series, while it is open.
    QWidget *frequencyWindow() const;

    // The data file chosen last in this window, or the empty text.
    QString dataFile() const { return m_lastPath; }
    // The rate typed last in this window, or the empty text.
    QString lastRate() const { return m_lastRate; }

    // "file" and "rate": the data file and the rate remembered. Setting them
    // changes no prompt: the rate box still offers its default.
    std::optional<QString> dataText(std::string_view name) const override;
    void setDataText(std::string_view name, const QString &text) override;

protected:
    void rejected(const catalogue::Rejected &rejection) override;

private:
    void openFrequency();

    void openEditor();
    void calculateLevelYear();

    // The data file chosen last in this window; the file dialog starts there
    // and a cancelled dialog reuses it.
    QString m_lastPath;
    QString m_lastRate;
    // At most one frequency analysis window per level-year window.
    QPointer<QWidget> m_frequency;
};
