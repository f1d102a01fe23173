#include "tables.h"

#include "zonetable.h"

#include "documents/documents.h"
#include "ui/prompts.h"

#include <QApplication>
#include <QFileInfo>

namespace tables {

QWidget *newZoneTable()
{
    return new zonetable;
}

QWidget *openZoneTable(const QString &path, QWidget *parent)
{
    QString file = path;
    if (file.isEmpty()) {
        file = ui::Prompts::current().openFile(parent, QStringLiteral("打开计算表"), documents::lastFolder());
        if (file.isEmpty())
            return nullptr;
    }
    const QString absolute = QFileInfo(file).absoluteFilePath();
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *table = qobject_cast<zonetable *>(window); table && table->filePath() == absolute)
            return table;
    auto *window = new zonetable;
    if (!window->openFile(absolute)) {
        delete window;
        return nullptr;
    }
    documents::rememberFolder(absolute);
    return window;
}

} // namespace tables
