#pragma once
// The frame every calculator window shares: labelled input fields with their
// default texts, result fields, frames, option and push buttons placed in twips;
// the completeness check, reading a field as a number, writing a result with the
// window's precision and digit pattern, the error report, Cancel and Return.
//
// A window subclass reads like its table: it creates its controls in the
// constructor and has one short handler per button.

#include "core/arithmetic.h"
#include "core/numbers.h"

#include <QWidget>
#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

// The face of a window's buttons: "宋体" 13.8 pt in most windows, "隶书"
// 16.2 pt bold in the planning windows and the one-dimensional capacity window.
enum class ButtonFace { Song, Li };

class CalculatorWindow : public QWidget {
    Q_OBJECT

public:
    // The message of the completeness check and its title.
    static const QString incompleteText;
    static const QString incompleteTitle;

protected:
    CalculatorWindow(const QString &name, const QString &caption, varnolek::Precision precision,
                     std::string pattern, ButtonFace face = ButtonFace::Song);

    // Controls; every rectangle is in twips relative to the parent (see tw()).
    QGroupBox *addFrame(QWidget *parent, const QString &name, const QString &caption, const QRect &rect);
    QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &rect);
    // Gives a label its own face and size; its caption is fitted to its box again.
    static void setLabelFont(QLabel *label, const QFont &font);
    // Rewrites a label's caption, fitted to its box starting from the label's own size.
    static void setCaption(QLabel *label, const QString &text);
    QLineEdit *addField(QWidget *parent, const QString &name, const QString &defaultText, const QRect &rect);

    // Two columns of labelled fields in a frame, each label to the left of its
    // field, all in twips: the layout of most input frames.
    struct FieldGrid {
        QWidget *frame;
        std::array<int, 2> labelLeft, labelWidth, fieldLeft, fieldWidth;
        int height;               // of labels and fields
        std::vector<int> rowTop;  // Top of each row
    };
    QLineEdit *addGridField(const FieldGrid &grid, int row, int column, const QString &labelName,
                            const QString &labelText, const QString &fieldName, const QString &defaultText);
    QLineEdit *addResult(QWidget *parent, const QString &name, const QRect &rect);
    QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &rect,
                           std::function<void()> onClick);
    QRadioButton *addOption(QWidget *parent, const QString &name, const QString &caption, const QRect &rect,
                            std::function<void()> onClick);

    // Sizes the window to hold its controls with a margin (twips) and centres it.
    void fitToContents(int marginTwips = 360);
    // Sizes the client area explicitly (twips) and centres the window.
    void setClientSize(int widthTwips, int heightTwips);

    // Completeness check: true when every field holds text; otherwise shows
    // "请输入全部的参数" titled "提示" and returns false.
    bool complete(std::initializer_list<const QLineEdit *> fields);

    // Reads a field's text as a number (leading-number rule). May throw CalcError.
    static double read(const QLineEdit *field);

    // Writes a result with the window's precision and pattern. The text is
    // complete before the field changes, so a failure leaves it as it was.
    void writeResult(QLineEdit *field, double value) const;
    // The same with another pattern or precision, for windows that mix them.
    static void writeResult(QLineEdit *field, double value, varnolek::Precision precision,
                            const std::string &pattern);

    // Runs one calculation; a run-time failure stops it and shows the error
    // report. Returns whether the calculation ran to its end.
    bool calculate(const std::function<void()> &calculation);
    void reportFailure(const varnolek::CalcError &error);

    // Cancel: empties the listed fields (the defaults are not restored).
    static void clear(std::initializer_list<QLineEdit *> fields);

    // Return: closes and discards the window.
    void returnToMenu();

    QFont buttonFont() const;

private:
    varnolek::Precision m_precision;
    std::string m_pattern;
    ButtonFace m_face;
};

} // namespace ui
