#include "formulaform.h"

#include "sheet.h"

#include "ui/calculatorwindow.h"
#include "ui/look.h"

#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace documents {

FormulaForm::FormulaForm(ui::CalculatorWindow *window) : QWidget(window, Qt::Window), m_window(window)
{
    setObjectName("formulaform");
    m_text = new QTextBrowser(this);
    m_text->setObjectName("formulaText");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_text);
    resize(560, 420);
    refresh();
}

void FormulaForm::refresh()
{
    const catalogue::Entry &view = m_window->currentEntry();
    const QString title = QString::fromStdString(catalogue::titleOf(view));
    setWindowTitle(QStringLiteral("计算公式 — ") + title);
    auto *document = new QTextDocument(m_text);
    document->setDefaultFont(ui::font(ui::faceSong, 10.5));
    QTextCursor cursor(document);
    cursor.insertText(title, [] {
        QTextCharFormat f;
        f.setFont(ui::font(ui::faceSong, 12, true));
        return f;
    }());
    writeFormulas(cursor, view);
    m_text->setDocument(document);
}

} // namespace documents
