#include "look.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace ui {

void installFontSubstitutions()
{
    QFont::insertSubstitutions(faceSong, {"AR PL UMing CN", "Noto Serif CJK SC", "WenQuanYi Micro Hei"});
    QFont::insertSubstitutions(faceLi, {"AR PL UKai CN", "Noto Serif CJK SC", "WenQuanYi Micro Hei"});
    QFont::insertSubstitutions(faceYou, {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "AR PL UMing CN"});
}

QFont font(const char *face, double pointSize, bool bold)
{
    QFont f(QString::fromUtf8(face));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

void paint(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Button, background);
    pal.setColor(QPalette::Base, background);
    if (text.isValid()) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(group, QPalette::WindowText, text);
            pal.setColor(group, QPalette::ButtonText, text);
            pal.setColor(group, QPalette::Text, text);
        }
        // A disabled control keeps its background but greys its text.
        for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            pal.setColor(QPalette::Disabled, role, QColor(110, 110, 110));
    }
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

} // namespace ui

#include <QFontMetrics>
#include <QPushButton>

namespace ui {

namespace {
QString wrapToWidth(const QString &text, const QFontMetrics &metrics, int width)
{
    QString wrapped;
    QString line;
    for (const QChar c : text) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > width) {
            wrapped += line + '\n';
            line.clear();
        }
        line += c;
    }
    return wrapped + line;
}
} // namespace

void fitCaption(QPushButton *button)
{
    const QString text = QString(button->text()).remove('\n');
    const int width = button->width() - 8;
    const int height = button->height() - 6;
    QFont f = button->font();
    for (;;) {
        const QFontMetrics metrics(f);
        if (metrics.horizontalAdvance(text) <= width) {
            button->setFont(f);
            button->setText(text);
            return;
        }
        const QString wrapped = wrapToWidth(text, metrics, width);
        if ((wrapped.count('\n') + 1) * metrics.lineSpacing() <= height || f.pointSizeF() <= 7.0) {
            button->setFont(f);
            button->setText(wrapped);
            return;
        }
        f.setPointSizeF(f.pointSizeF() - 0.6);
    }
}

} // namespace ui

#include <QLineEdit>

namespace ui {

void lookOfResult(QLineEdit *field)
{
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus); // selectable and copied, never typed into
    paint(field, colour::field, Qt::black);
    QFont f = field->font();
    f.setBold(true);
    field->setFont(f);
}

void lookOfInput(QLineEdit *field)
{
    field->setReadOnly(false);
    paint(field, Qt::white, Qt::black);
    QFont f = field->font();
    f.setBold(false);
    field->setFont(f);
}

} // namespace ui
